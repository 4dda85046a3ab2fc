"""Writes the picture files the runtime tests load: one 16 x 16 picture in
quadrants (red, green / blue, white) as BMP, GIF, JPG, ICO and CUR."""
import struct
import sys
from pathlib import Path

from PIL import Image

QUADRANTS = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)]
SIZE = 16


def quadrant_image():
    img = Image.new("RGB", (SIZE, SIZE))
    half = SIZE // 2
    for y in range(SIZE):
        for x in range(SIZE):
            img.putpixel((x, y), QUADRANTS[(y >= half) * 2 + (x >= half)])
    return img


def icon_bytes(img, kind, hotspot=(0, 0)):
    """ICO (kind 1) or CUR (kind 2) with one 32-bit DIB entry and an AND mask."""
    w, h = img.size
    rows = []
    for y in reversed(range(h)):  # DIB rows run bottom-up
        rows.append(b"".join(bytes((b, g, r, 255)) for r, g, b in (img.getpixel((x, y)) for x in range(w))))
    mask_row = b"\0" * (((w + 31) // 32) * 4)
    dib = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0) + b"".join(rows) + mask_row * h
    planes_or_x, bits_or_y = (1, 32) if kind == 1 else hotspot
    entry = struct.pack("<BBBBHHII", w, h, 0, 0, planes_or_x, bits_or_y, len(dib), 6 + 16)
    return struct.pack("<HHH", 0, kind, 1) + entry + dib


def main(out):
    out = Path(out)
    out.mkdir(parents=True, exist_ok=True)
    img = quadrant_image()
    img.save(out / "quadrants.bmp")
    img.save(out / "quadrants.gif")
    img.save(out / "quadrants.jpg", quality=100, subsampling=0)
    (out / "quadrants.ico").write_bytes(icon_bytes(img, 1))
    (out / "quadrants.cur").write_bytes(icon_bytes(img, 2, hotspot=(3, 5)))
    (out / "not_a_picture.gif").write_bytes(b"this is text, not a picture")


if __name__ == "__main__":
    main(sys.argv[1])
