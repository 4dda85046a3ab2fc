"""Skin files of the Flash game page that no other module writes: the tool
bar's unstretched full-screen background Pan_Button_middle.gif, the
separator and the help page's key-icon sprite sheet icon_keys.png.

The tool bar is 780 twips high: 52 pixels; the separator is 10 twips (one
pixel). The stretched .bmp middle and the caps the page shares with the
player (skin_player.py); the button strips are in skin_controls.py.
"""
from PIL import Image, ImageDraw

BAR_HEIGHT = 52
# Top and bottom colours of the full-screen background's vertical gradient.
MIDDLE_GIF = ((226, 214, 190), (190, 160, 120))
# The .gif is drawn unstretched at the strip's left end; its stripes every 8
# columns make a stretched copy tell itself apart from the picture itself.
GIF_WIDTH = 1024
GIF_STRIPE = 8
GIF_STRIPE_SHADE = 24
SEPARATOR = (120, 136, 160)

# Key icons of the help page's style sheet: class, width, vertical offset of
# the picture in the sheet (the style sheet's background-position), label.
KEY_ICONS = [
    ("mouseleft", 18, 2, "L"), ("mousescroll", 18, -33, "S"), ("mousemove", 23, -68, "M"),
    ("drag", 23, -103, "D"), ("alt", 38, -136, "Alt"), ("enter", 47, -168, "Enter"),
    ("shift", 47, -200, "Shift"), ("ctrl", 38, -232, "Ctrl"), ("tab", 38, -264, "Tab"),
    ("end", 38, -296, "End"), ("space", 77, -328, "Space"), ("left", 24, -360, "<"),
    ("right", 24, -392, ">"), ("up", 24, -424, "^"), ("down", 24, -456, "v"),
    ("lr", 49, -488, "< >"), ("ud", 49, -520, "^ v"), ("wasd", 52, -588, "WASD"),
    ("arrows", 52, -628, "<^v>"), ("full", 24, -674, "F"),
]
ICON_HEIGHT = 30
KEY_CAP_OFFSET = -553  # the blank key cap ".ico_key" writes its letter on
KEY_CAP_SIZE = (24, 27)
SHEET_SIZE = (77, 704)
KEY_FACE = (236, 246, 236, 255)
KEY_EDGE = (49, 101, 52, 255)


def gradient(width, top, bottom):
    img = Image.new("RGB", (width, BAR_HEIGHT))
    draw = ImageDraw.Draw(img)
    for y in range(BAR_HEIGHT):
        t = y / (BAR_HEIGHT - 1)
        draw.line([0, y, width - 1, y], fill=tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
    return img


def middle_gif():
    img = gradient(GIF_WIDTH, *MIDDLE_GIF)
    draw = ImageDraw.Draw(img)
    for x0 in range(GIF_STRIPE, GIF_WIDTH, 2 * GIF_STRIPE):
        for y in range(BAR_HEIGHT):
            r, g, b = img.getpixel((x0, y))
            shade = (r - GIF_STRIPE_SHADE, g - GIF_STRIPE_SHADE, b - GIF_STRIPE_SHADE)
            draw.line([x0, y, x0 + GIF_STRIPE - 1, y], fill=shade)
    return img


def key_sheet():
    sheet = Image.new("RGBA", SHEET_SIZE, (0, 0, 0, 0))
    draw = ImageDraw.Draw(sheet)

    def key(x, y, w, h, label):
        draw.rounded_rectangle([x, y, x + w - 1, y + h - 1], radius=3, fill=KEY_FACE, outline=KEY_EDGE)
        if label:
            left, top, right, bottom = draw.textbbox((0, 0), label)
            draw.text((x + (w - right - left) // 2, y + (h - bottom - top) // 2), label, fill=KEY_EDGE)

    for _, width, offset, label in KEY_ICONS:
        # A background-position of (0, p) shows the sheet's rows from -p on.
        top = max(0, -offset)
        key(0, top, width, ICON_HEIGHT - 2, label)
    key(0, -KEY_CAP_OFFSET, KEY_CAP_SIZE[0], KEY_CAP_SIZE[1], None)
    return sheet


def write(root):
    init = root / "InitImages"
    init.mkdir(parents=True, exist_ok=True)
    middle_gif().convert("P", palette=Image.ADAPTIVE, colors=128).save(init / "Pan_Button_middle.gif", "GIF")
    Image.new("RGB", (1, BAR_HEIGHT), SEPARATOR).save(root / "Eject_ToolBg_L.bmp", "BMP")
    key_sheet().save(root / "icon_keys.png", "PNG")
