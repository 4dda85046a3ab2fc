"""Writes photographic 72 x 72 JPEG thumbnails, all different:
make_photos.py <folder> <count>. They are crops, at random places and
scales, of generated scenes with real detail (colour noise over several
octaves, blurred shapes, fine grain), so that a decoder does the work of a
real picture. The same count gives the same files."""
import pathlib
import random
import sys

from PIL import Image, ImageDraw, ImageFilter

SCENE = 640
THUMB = 72


def noise(rng, size, cells):
    """Colour value noise: random cells scaled up smoothly to size x size."""
    small = Image.frombytes("RGB", (cells, cells), rng.randbytes(cells * cells * 3))
    return small.resize((size, size), Image.BICUBIC)


def scene(rng):
    img = noise(rng, SCENE, 3)
    for cells, weight in ((6, 0.5), (14, 0.35), (40, 0.3), (120, 0.25), (320, 0.2)):
        img = Image.blend(img, noise(rng, SCENE, cells), weight)
    draw = ImageDraw.Draw(img)
    for _ in range(60):
        x, y = rng.randrange(SCENE), rng.randrange(SCENE)
        r = rng.randrange(8, 90)
        colour = tuple(rng.randrange(256) for _ in range(3))
        if rng.random() < 0.5:
            draw.ellipse([x - r, y - r, x + r, y + r], fill=colour)
        else:
            draw.polygon([(x + rng.randrange(-r, r), y + rng.randrange(-r, r)) for _ in range(5)], fill=colour)
    img = img.filter(ImageFilter.GaussianBlur(0.8))
    grain = Image.frombytes("RGB", (SCENE, SCENE), rng.randbytes(SCENE * SCENE * 3))
    return Image.blend(img, grain, 0.12)


def main():
    out = pathlib.Path(sys.argv[1])
    count = int(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    rng = random.Random(29)
    scenes = [scene(rng) for _ in range(8)]
    for i in range(count):
        side = rng.randrange(THUMB, 360)
        x, y = rng.randrange(SCENE - side), rng.randrange(SCENE - side)
        crop = scenes[i % len(scenes)].crop((x, y, x + side, y + side)).resize((THUMB, THUMB), Image.LANCZOS)
        crop.save(out / f"{i}.jpg", "JPEG", quality=90)


main()
