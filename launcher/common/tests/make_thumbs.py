"""Writes the thumbnails the grid tests load: make_thumbs.py <folder>.

red.jpg and blue.jpg are flat 72 x 72 pictures (flat colours survive JPEG
compression within a few steps); wide.jpg is 144 x 72, left half green and
right half yellow, to be scaled into a cell; bad.jpg is not a picture;
huge.jpg is red.jpg whose frame header declares 12000 x 12000: a few hundred
bytes that a decoder would spend gigabytes on.
"""
import pathlib
import sys

from PIL import Image

out = pathlib.Path(sys.argv[1])
out.mkdir(parents=True, exist_ok=True)
Image.new("RGB", (72, 72), (220, 30, 30)).save(out / "red.jpg", "JPEG", quality=95)
Image.new("RGB", (72, 72), (30, 60, 220)).save(out / "blue.jpg", "JPEG", quality=95)
wide = Image.new("RGB", (144, 72), (30, 200, 30))
wide.paste((240, 220, 20), (72, 0, 144, 72))
wide.save(out / "wide.jpg", "JPEG", quality=95)
(out / "bad.jpg").write_bytes(b"not a picture at all")
red = (out / "red.jpg").read_bytes()
sof = red.index(b"\xff\xc0")  # then length, precision, height, width
(out / "huge.jpg").write_bytes(red[:sof + 5] + (12000).to_bytes(2, "big") * 2 + red[sof + 9:])
