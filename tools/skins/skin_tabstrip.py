"""Tab strip sprite sheets: MainMenu (style 0) and PellowMenu (style 1).

Each sheet is one row of cells at y = 0: the background column, the normal,
pointer-over and selected tab cells, then four 12 x 12 close buttons (of the
selected tab, of another tab, under the pointer, pressed). The PNG sheets
carry alpha; the BMP sheets paint the transparent pixels magenta, the key
colour of the bitmap-skinned strip.
"""
from PIL import Image, ImageDraw

KEY = (255, 0, 255)

# Flat colours the strip's tests read back.
BACKGROUND_TOP, BACKGROUND_BOTTOM = (214, 230, 246), (170, 198, 228)
TAB_FILL = {"normal": (222, 228, 236), "hover": (238, 244, 252), "selected": (255, 255, 255)}
TAB_BORDER = (120, 146, 178)
CLOSE_INK = {"selected": (90, 90, 90), "other": (150, 150, 150), "hover": (214, 52, 52), "pressed": (150, 20, 20)}

STYLES = {
    # name: (strip height, tab width, tab height, slanted edges)
    "MainMenu": (25, 122, 25, True),
    "PellowMenu": (28, 124, 26, False),
}


def cell_origins(tab_width):
    """x of every cell, in sheet order."""
    tabs = [1 + i * tab_width for i in range(3)]
    first_close = 1 + 3 * tab_width
    closes = [first_close + i * 12 for i in range(4)]
    return tabs, closes


def tab_shape(width, height, slanted):
    """Outline of a tab cell: slanted 14-pixel margins (style 0) or rounded corners."""
    if slanted:
        return [(0, height - 1), (12, 1), (14, 0), (width - 15, 0), (width - 13, 1), (width - 1, height - 1)]
    return [(0, height - 1), (0, 3), (3, 0), (width - 4, 0), (width - 1, 3), (width - 1, height - 1)]


def draw_background(sheet, height):
    for y in range(height):
        t = y / max(1, height - 1)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(BACKGROUND_TOP, BACKGROUND_BOTTOM))
        sheet.putpixel((0, y), colour + (255,))


def draw_tab(sheet, x, width, height, fill, slanted):
    cell = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    ImageDraw.Draw(cell).polygon(tab_shape(width, height, slanted), fill=fill + (255,), outline=TAB_BORDER + (255,))
    sheet.paste(cell, (x, 0))


def draw_close(sheet, x, ink):
    cell = Image.new("RGBA", (12, 12), (0, 0, 0, 0))
    pen = ImageDraw.Draw(cell)
    pen.line([(2, 2), (9, 9)], fill=ink + (255,), width=2)
    pen.line([(2, 9), (9, 2)], fill=ink + (255,), width=2)
    sheet.paste(cell, (x, 0))


def make_sheet(strip_height, tab_width, tab_height, slanted):
    tabs, closes = cell_origins(tab_width)
    sheet = Image.new("RGBA", (closes[-1] + 12, strip_height), (0, 0, 0, 0))
    draw_background(sheet, strip_height)
    for x, state in zip(tabs, ("normal", "hover", "selected")):
        draw_tab(sheet, x, tab_width, tab_height, TAB_FILL[state], slanted)
    for x, state in zip(closes, ("selected", "other", "hover", "pressed")):
        draw_close(sheet, x, CLOSE_INK[state])
    return sheet


def keyed_bitmap(sheet):
    """The sheet without alpha: transparent pixels become the key colour."""
    flat = Image.new("RGB", sheet.size, KEY)
    flat.paste(sheet, mask=sheet.split()[3])
    return flat


def write(root):
    for name, geometry in STYLES.items():
        sheet = make_sheet(*geometry)
        sheet.save(root / f"{name}.png")
        keyed_bitmap(sheet).save(root / f"{name}.bmp")
