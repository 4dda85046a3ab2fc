"""Skin files of the sign-in and registration windows: their backgrounds
(the size of each window's rounded outline, a title band at the top) and the
panel behind the sign-in window's message.
"""
from PIL import Image, ImageDraw

LOGIN_SIZE = (334, 227)
REGEDIT_SIZE = (401, 348)
ERROR_SIZE = (300, 24)
BAND = 28
BAND_TOP = (64, 140, 214)
BAND_BOTTOM = (41, 110, 190)
FILL = (246, 249, 253)
EDGE = (120, 150, 190)
ERROR_FILL = (255, 246, 214)
ERROR_EDGE = (230, 190, 100)


def background(size):
    w, h = size
    img = Image.new("RGB", size, FILL)
    draw = ImageDraw.Draw(img)
    for y in range(BAND):
        t = y / (BAND - 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(BAND_TOP, BAND_BOTTOM))
        draw.line([(0, y), (w - 1, y)], fill=colour)
    draw.rectangle([0, 0, w - 1, h - 1], outline=EDGE)
    return img


def error_panel():
    img = Image.new("RGB", ERROR_SIZE, ERROR_FILL)
    ImageDraw.Draw(img).rectangle([0, 0, ERROR_SIZE[0] - 1, ERROR_SIZE[1] - 1], outline=ERROR_EDGE)
    return img


def write(root):
    background(LOGIN_SIZE).save(root / "Login_bg.gif", "GIF")
    background(REGEDIT_SIZE).save(root / "Regedit_bg.gif", "GIF")
    error_panel().save(root / "LoginError_bg.bmp", "BMP")
