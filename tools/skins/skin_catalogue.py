"""Skin files of the catalogue page and the game page: the catalogue's button
bar, the download panel's backgrounds, the loading animation, and the hand
cursor Cur/harrow.cur that links of several windows show.
"""
import io
import struct

from PIL import Image, ImageDraw

# The catalogue's button bar: 791 x 40, a light band that darkens downwards.
BAR_SIZE = (791, 40)
BAR_TOP = (236, 242, 250)
BAR_BOTTOM = (196, 212, 232)
# The download panel 600 x 320 and the frame behind the animation 108 x 108.
PANEL_SIZE = (600, 320)
PANEL_FILL = (243, 247, 252)
PANEL_EDGE = (150, 170, 200)
LOADING_BG_SIZE = (108, 108)
LOADING_BG_FILL = (222, 230, 242)
# The animation: 64 x 64 (it fits the 100 x 100 view with the page's
# margins), eight frames of a dot running round a ring.
LOADING_SIZE = (64, 64)
LOADING_FRAMES = 8
# The cursor: 32 x 32, hot spot at the fingertip.
HAND_HOTSPOT = (9, 1)


def bar():
    w, h = BAR_SIZE
    img = Image.new("RGB", BAR_SIZE)
    draw = ImageDraw.Draw(img)
    for y in range(h):
        t = y / (h - 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(BAR_TOP, BAR_BOTTOM))
        draw.line([0, y, w - 1, y], fill=colour)
    return img


def panel():
    img = Image.new("RGB", PANEL_SIZE, PANEL_FILL)
    ImageDraw.Draw(img).rectangle([0, 0, PANEL_SIZE[0] - 1, PANEL_SIZE[1] - 1], outline=PANEL_EDGE)
    return img


def loading_frames():
    import math
    frames = []
    w, h = LOADING_SIZE
    cx, cy, r = w // 2, h // 2, 22
    for i in range(LOADING_FRAMES):
        img = Image.new("RGB", LOADING_SIZE, LOADING_BG_FILL)
        draw = ImageDraw.Draw(img)
        draw.ellipse([cx - r, cy - r, cx + r, cy + r], outline=(160, 180, 210), width=4)
        a = 2 * math.pi * i / LOADING_FRAMES
        x, y = cx + r * math.cos(a), cy + r * math.sin(a)
        draw.ellipse([x - 6, y - 6, x + 6, y + 6], fill=(40, 90, 170))
        frames.append(img)
    return frames


def hand_cursor():
    img = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    draw = ImageDraw.Draw(img)
    ink, edge = (255, 255, 255, 255), (0, 0, 0, 255)
    # Pointing finger, then the palm below it.
    draw.rectangle([7, 0, 11, 14], fill=ink, outline=edge)
    draw.rectangle([4, 12, 20, 24], fill=ink, outline=edge)
    for x in (12, 15, 18):
        draw.line([x, 13, x, 17], fill=edge)
    buffer = io.BytesIO()
    img.save(buffer, "ICO", sizes=[(32, 32)], bitmap_format="bmp")
    data = bytearray(buffer.getvalue())
    # An icon file becomes a cursor file: type 2, and the hot spot where an
    # icon keeps its planes and bit count.
    struct.pack_into("<H", data, 2, 2)
    count = struct.unpack_from("<H", data, 4)[0]
    for i in range(count):
        struct.pack_into("<HH", data, 6 + 16 * i + 4, *HAND_HOTSPOT)
    return bytes(data)


def write(root):
    bar().save(root / "MainGameBtnbg.gif", "GIF")
    panel().save(root / "downbgcolor.gif", "GIF")
    Image.new("RGB", LOADING_BG_SIZE, LOADING_BG_FILL).save(root / "loading_bg.gif", "GIF")
    first, *rest = loading_frames()
    first.save(root / "Loading.gif", "GIF", save_all=True, append_images=rest, duration=100, loop=0)
    (root / "Cur").mkdir(parents=True, exist_ok=True)
    (root / "Cur" / "harrow.cur").write_bytes(hand_cursor())
