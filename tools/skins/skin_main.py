"""Skin files of the main window and the "我的盒子" page: the window and page
backgrounds, the tab strip's logo bitmap, the menu icons, and the grid's
pictures (the bed frame blended over every game picture, the empty-slot
picture, the page-button strip and the "更多游戏" picture).

bed.bmp is a 32-bit bitmap whose alpha is premultiplied into its colours, as
per-pixel alpha blending expects: an opaque outer ring, a half-transparent
inner ring and a fully transparent middle where the game picture shows.
"""
import struct

from PIL import Image, ImageDraw

PAGE = (249, 249, 249)
CAPTION_TOP, CAPTION_BOTTOM = (62, 120, 196), (36, 84, 150)
FRAME_EDGE = (24, 56, 104)

# Grid pictures.
BED_OUTER = (52, 92, 150, 255)   # outer ring, 1 pixel, opaque
BED_INNER = (255, 255, 255, 128)  # next 2 pixels, half transparent (before premultiplying)
ORIGIN_FILL, ORIGIN_EDGE = (232, 236, 242), (196, 204, 216)
KNOB = [PAGE, (178, 186, 198), (46, 112, 200), (120, 170, 230)]  # none, normal, current, under the pointer
MORE_FILL, MORE_INK = (70, 140, 220), (255, 255, 255)

# Logo bitmap: the strip draws its 172 x 25 area at (40, 8), the last column stretched.
LOGO_SIZE = (260, 40)
LOGO_FILL_TOP, LOGO_FILL_BOTTOM = (214, 230, 246), (170, 198, 228)
LOGO_MARK = (36, 84, 150)

ICONS = {
    "MenuSet.ico": ((90, 90, 90), "gear"),
    "MenuBBS.ico": ((40, 120, 200), "bubble"),
    "MenuExit.ico": ((200, 50, 50), "cross"),
    "menulookup.ico": ((40, 150, 90), "lens"),
    "menudetele.ico": ((200, 90, 30), "cross"),
}


def gradient(size, top, bottom):
    w, h = size
    img = Image.new("RGB", size)
    draw = ImageDraw.Draw(img)
    for y in range(h):
        t = y / max(1, h - 1)
        draw.line([(0, y), (w - 1, y)], fill=tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
    return img


def write_bmp32(path, pixels, width, height):
    """pixels[y][x] = (r, g, b, a), already premultiplied; bottom-up BI_RGB."""
    rows = b"".join(
        b"".join(struct.pack("<BBBB", p[2], p[1], p[0], p[3]) for p in pixels[y]) for y in range(height - 1, -1, -1)
    )
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 14 + 40 + len(rows), 0, 0, 54))
        f.write(header)
        f.write(rows)


def premultiply(r, g, b, a):
    return (r * a // 255, g * a // 255, b * a // 255, a)


def bed():
    size = 74
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            ring = min(x, y, size - 1 - x, size - 1 - y)
            if ring == 0:
                row.append(premultiply(*BED_OUTER))
            elif ring <= 2:
                row.append(premultiply(*BED_INNER))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def origin():
    img = Image.new("RGB", (74, 74), ORIGIN_FILL)
    draw = ImageDraw.Draw(img)
    draw.rectangle([0, 0, 73, 73], outline=ORIGIN_EDGE)
    draw.rectangle([30, 30, 43, 43], outline=ORIGIN_EDGE)
    return img


def knob():
    img = Image.new("RGB", (18 * 4, 18), PAGE)
    draw = ImageDraw.Draw(img)
    for state in (1, 2, 3):
        x0 = 18 * state
        draw.ellipse([x0 + 4, 4, x0 + 13, 13], fill=KNOB[state])
    return img


def more_games():
    img = Image.new("RGB", (72, 72), MORE_FILL)
    draw = ImageDraw.Draw(img)
    draw.rectangle([32, 16, 39, 55], fill=MORE_INK)
    draw.rectangle([16, 32, 55, 39], fill=MORE_INK)
    return img


def logo():
    img = gradient(LOGO_SIZE, LOGO_FILL_TOP, LOGO_FILL_BOTTOM)
    draw = ImageDraw.Draw(img)
    # A mark at the start of the strip's area; the strip's own tabs lie right of it.
    draw.rectangle([40 + 4, 8 + 5, 40 + 18, 8 + 19], fill=LOGO_MARK)
    return img


def icon_image(colour, kind):
    img = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    draw = ImageDraw.Draw(img)
    if kind == "gear":
        draw.ellipse([2, 2, 13, 13], outline=colour + (255,), width=3)
    elif kind == "bubble":
        draw.rounded_rectangle([1, 2, 14, 11], radius=3, fill=colour + (255,))
        draw.polygon([(4, 11), (8, 11), (4, 14)], fill=colour + (255,))
    elif kind == "cross":
        draw.line([3, 3, 12, 12], fill=colour + (255,), width=3)
        draw.line([3, 12, 12, 3], fill=colour + (255,), width=3)
    elif kind == "lens":
        draw.ellipse([2, 2, 10, 10], outline=colour + (255,), width=2)
        draw.line([9, 9, 14, 14], fill=colour + (255,), width=3)
    return img


def write_ico(path, img):
    """A 16 x 16 icon in the classic bitmap form: 32-bit colour with an AND mask."""
    w, h = img.size
    xor = b"".join(
        b"".join(struct.pack("<BBBB", *(lambda p: (p[2], p[1], p[0], p[3]))(img.getpixel((x, y)))) for x in range(w))
        for y in range(h - 1, -1, -1)
    )
    mask_row = (w + 31) // 32 * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_row)
        for x in range(w):
            if img.getpixel((x, y))[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    body = header + xor + bytes(mask)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1))
        f.write(struct.pack("<BBBBHHII", w, h, 0, 0, 1, 32, len(body), 6 + 16))
        f.write(body)


def window_background():
    img = Image.new("RGB", (801, 589), PAGE)
    img.paste(gradient((801, 34), CAPTION_TOP, CAPTION_BOTTOM), (0, 0))
    draw = ImageDraw.Draw(img)
    draw.rectangle([0, 0, 800, 588], outline=FRAME_EDGE)
    return img


def page_background():
    img = Image.new("RGB", (791, 553), PAGE)
    draw = ImageDraw.Draw(img)
    draw.line([(0, 516), (597, 516)], fill=ORIGIN_EDGE)
    return img


def write(root):
    ico = root / "Ico"
    ico.mkdir(parents=True, exist_ok=True)
    window_background().save(root / "frmMain_bg.gif", "GIF")
    page_background().save(root / "MainMe_bg.gif", "GIF")
    logo().save(ico / "logo.bmp", "BMP")
    for name, (colour, kind) in ICONS.items():
        write_ico(ico / name, icon_image(colour, kind))
    write_bmp32(root / "bed.bmp", bed(), 74, 74)
    origin().save(root / "origin.bmp", "BMP")
    knob().save(root / "knob.bmp", "BMP")
    more_games().save(root / "MoveGame.bmp", "BMP")
