"""Skin files of the launcher's dialogs: the About box, the settings dialog
and the notice pop-up backgrounds, each the size of its window's outline.

Each background is a light body with a darker title band across the top
(where the window's caption label lies) and a one-pixel edge.
"""
from PIL import Image, ImageDraw

TITLE_BAND = (41, 140, 211)
BODY = (247, 249, 252)
EDGE = (120, 150, 185)

# name: (width, height, title band height) in pixels
BACKGROUNDS = {
    "About_bg.gif": (419, 256, 24),
    "Install_bg.gif": (421, 323, 24),
    "RightDwon_bg.bmp": (310, 200, 26),
}


def background(width, height, band):
    img = Image.new("RGB", (width, height), BODY)
    draw = ImageDraw.Draw(img)
    draw.rectangle([0, 0, width - 1, band - 1], fill=TITLE_BAND)
    draw.rectangle([0, 0, width - 1, height - 1], outline=EDGE)
    return img


def write(root):
    for name, (w, h, band) in BACKGROUNDS.items():
        img = background(w, h, band)
        if name.endswith(".gif"):
            img.convert("P", palette=Image.ADAPTIVE, colors=16).save(root / name, "GIF")
        else:
            img.save(root / name, "BMP")
