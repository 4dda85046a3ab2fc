"""Writes the picture files the runtime tests load: one 16 x 16 picture in
quadrants (red, green / blue, white) as BMP, GIF, JPG, ICO and CUR; a
60 x 44 picture with photographic detail as baseline and progressive JPEG
and as GIF (also interlaced); a GIF of random noise; the quadrants as a GIF
whose red is transparent."""
import random
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


def detailed_image():
    """Smooth colour gradients under random grain: every 8 x 8 block differs."""
    rng = random.Random(7)
    grain = rng.randbytes(60 * 44 * 3)
    img = Image.new("RGB", (60, 44))
    for y in range(44):
        for x in range(60):
            i = 3 * (y * 60 + x)
            img.putpixel((x, y), (min(255, 4 * x + grain[i] // 4), min(255, 5 * y + grain[i + 1] // 4),
                                  min(255, 2 * (x + y) + grain[i + 2] // 4)))
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
    photo = detailed_image()
    photo.save(out / "photo.jpg", quality=90)
    photo.save(out / "photo_progressive.jpg", quality=90, progressive=True)
    photo.convert("P", palette=Image.ADAPTIVE, colors=200).save(out / "photo.gif")
    photo.convert("P", palette=Image.ADAPTIVE, colors=64).save(out / "interlaced.gif", interlace=True)
    # Random noise in 256 colours fills the compressor's table again and again.
    noise = Image.frombytes("RGB", (160, 120), random.Random(11).randbytes(160 * 120 * 3))
    noise.convert("P", palette=Image.ADAPTIVE, colors=256).save(out / "noise.gif")
    keyed = img.convert("P", palette=Image.ADAPTIVE, colors=4)
    keyed.save(out / "transparent.gif", transparency=keyed.getpixel((0, 0)))  # the red quadrant
    (out / "not_a_picture.gif").write_bytes(b"this is text, not a picture")


if __name__ == "__main__":
    main(sys.argv[1])
