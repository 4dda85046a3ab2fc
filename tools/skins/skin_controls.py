"""Skin files read by the skinned controls: the image buttons' strips and the
title bar's frame bitmap pellow/bgpf.bmp.

A strip holds its frames side by side: 3 for a push button (normal, hover,
pressed), 6 for a toggle (the same three, then checked normal, hover,
pressed), 4 for a push button with a disabled frame.
"""
from PIL import Image, ImageDraw

# Frame fills by state: normal, hover, pressed, disabled.
FACE = [(64, 110, 170), (92, 142, 205), (38, 76, 128), (150, 150, 150)]
CHECKED = [(56, 140, 72), (84, 172, 100), (34, 104, 50)]
EDGE = (24, 40, 64)
INK = (255, 255, 255)

# name: (frame width, frame height, frame count, glyph)
STRIPS = {
    "menubtn.bmp": (25, 18, 3, "menu"),
    "min.bmp": (24, 18, 3, "min"),
    "main_close.bmp": (43, 18, 3, "close"),
    "game_all.bmp": (24, 24, 3, "grid"),
    "game_sc.bmp": (24, 24, 3, "star"),
    "btn75_23.bmp": (75, 23, 3, None),
    "pop_close.bmp": (38, 19, 3, "close"),
    "PurgeBtn.bmp": (75, 23, 3, "broom"),
    "flash.bmp": (90, 30, 3, "play"),
    "hot.bmp": (90, 30, 3, "star"),
    "pellow.bmp": (90, 30, 3, "grid"),
    "feature.bmp": (90, 30, 3, "menu"),
    "search.bmp": (60, 26, 3, "lens"),
    "Eject_Tool_Closed.bmp": (43, 29, 3, "menu"),
    "Eject_Tool_Replay.bmp": (43, 29, 3, "play"),
    "Eject_Tool_Favorite.bmp": (43, 29, 3, "star"),
    "Eject_Tool_Filling.bmp": (43, 29, 6, "grid"),
    "Eject_Tool_Pop.bmp": (43, 29, 6, "max"),
    "Eject_Tool_Popping.bmp": (43, 29, 3, "max"),
    "Eject_Tool_Trigger.bmp": (43, 29, 3, "close"),
    "Eject_Tool_Up.bmp": (43, 19, 3, "up"),
    "Eject_Tool_Down.bmp": (43, 19, 3, "down"),
    "pellow/close.bmp": (43, 18, 3, "close"),
    "pellow/min.bmp": (24, 18, 3, "min"),
    "pellow/min2.bmp": (24, 18, 3, "min"),
    "pellow/minmax.bmp": (25, 18, 6, "max"),
    "pellow/tool.bmp": (24, 18, 6, "menu"),
    "pellow/tool_clearcache.bmp": (43, 29, 3, "broom"),
    "pellow/tool_home.bmp": (43, 29, 3, "home"),
    "pellow/tool_customer.bmp": (43, 29, 3, "person"),
    "pellow/tool_pay.bmp": (43, 29, 3, "coin"),
}


def glyph(draw, kind, x0, y0, w, h, ink):
    cx, cy = x0 + w // 2, y0 + h // 2
    s = max(3, min(w, h) // 4)
    if kind == "close":
        draw.line([cx - s, cy - s, cx + s, cy + s], fill=ink, width=2)
        draw.line([cx - s, cy + s, cx + s, cy - s], fill=ink, width=2)
    elif kind == "min":
        draw.line([cx - s, cy + s // 2, cx + s, cy + s // 2], fill=ink, width=2)
    elif kind == "max":
        draw.rectangle([cx - s, cy - s, cx + s, cy + s], outline=ink)
    elif kind == "menu":
        for dy in (-s // 2 - 1, 0, s // 2 + 1):
            draw.line([cx - s, cy + dy, cx + s, cy + dy], fill=ink)
    elif kind == "grid":
        for dx in (-s, 1):
            for dy in (-s, 1):
                draw.rectangle([cx + dx, cy + dy, cx + dx + s - 2, cy + dy + s - 2], fill=ink)
    elif kind == "star":
        draw.polygon([(cx, cy - s), (cx + s // 2, cy + s), (cx - s, cy - s // 3),
                      (cx + s, cy - s // 3), (cx - s // 2, cy + s)], fill=ink)
    elif kind == "play":
        draw.polygon([(cx - s // 2, cy - s), (cx + s, cy), (cx - s // 2, cy + s)], fill=ink)
    elif kind == "up":
        draw.polygon([(cx - s, cy + s // 2), (cx, cy - s // 2), (cx + s, cy + s // 2)], fill=ink)
    elif kind == "down":
        draw.polygon([(cx - s, cy - s // 2), (cx, cy + s // 2), (cx + s, cy - s // 2)], fill=ink)
    elif kind == "lens":
        draw.ellipse([cx - s, cy - s, cx + s // 2, cy + s // 2], outline=ink, width=2)
        draw.line([cx + s // 2, cy + s // 2, cx + s, cy + s], fill=ink, width=2)
    elif kind == "broom":
        draw.line([cx + s, cy - s, cx - s // 2, cy + s // 2], fill=ink, width=2)
        draw.polygon([(cx - s, cy + s // 4), (cx - s // 4, cy + s), (cx - s, cy + s)], fill=ink)
    elif kind == "home":
        draw.polygon([(cx - s, cy), (cx, cy - s), (cx + s, cy)], fill=ink)
        draw.rectangle([cx - s // 2, cy, cx + s // 2, cy + s], fill=ink)
    elif kind == "person":
        draw.ellipse([cx - s // 2, cy - s, cx + s // 2, cy], fill=ink)
        draw.rectangle([cx - s, cy + 1, cx + s, cy + s], fill=ink)
    elif kind == "coin":
        draw.ellipse([cx - s, cy - s, cx + s, cy + s], outline=ink, width=2)


def strip(frame_w, frame_h, count, kind):
    faces = FACE[:3] + (CHECKED if count == 6 else FACE[3:count])
    img = Image.new("RGB", (frame_w * count, frame_h), EDGE)
    draw = ImageDraw.Draw(img)
    for i, face in enumerate(faces):
        x0 = i * frame_w
        # A one-pixel edge around a flat face keeps the frame centre one colour.
        draw.rectangle([x0 + 1, 1, x0 + frame_w - 2, frame_h - 2], fill=face)
        if kind:
            glyph(draw, kind, x0, 0, frame_w, frame_h, INK)
    return img


# pellow/bgpf.bmp in pixels (15 twips each): 160 x 90. The title bar copies
# its left cap (0..36), middle piece (20..40) and right cap (last 67 columns)
# from the top 36 rows; the cap's own picture is its first 20 columns, so the
# middle piece repeats seamlessly out of it. The frame painter takes the side
# borders from the outer 4 columns below row 53 and the bottom border and
# corners from the last 4 rows.
BGPF_SIZE = (160, 90)
BGPF_LEFT_CAP = (70, 96, 140)
BGPF_MIDDLE = (110, 140, 180)
BGPF_RIGHT_CAP = (40, 60, 100)
BGPF_BORDER = (30, 45, 75)
BGPF_BOTTOM = (20, 30, 55)
BGPF_BODY = (236, 233, 218)


def bgpf():
    w, h = BGPF_SIZE
    img = Image.new("RGB", (w, h), BGPF_BODY)
    draw = ImageDraw.Draw(img)
    draw.rectangle([0, 0, w - 1, 35], fill=BGPF_MIDDLE)
    draw.rectangle([0, 0, 19, 35], fill=BGPF_LEFT_CAP)
    draw.rectangle([w - 67, 0, w - 1, 35], fill=BGPF_RIGHT_CAP)
    # A light line along the very top, as a title bar's highlight.
    draw.line([0, 0, w - 1, 0], fill=(200, 210, 230))
    draw.rectangle([0, 36, 3, h - 1], fill=BGPF_BORDER)
    draw.rectangle([w - 4, 36, w - 1, h - 1], fill=BGPF_BORDER)
    draw.rectangle([0, h - 4, w - 1, h - 1], fill=BGPF_BOTTOM)
    return img


def write(root):
    for name, (fw, fh, count, kind) in STRIPS.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        strip(fw, fh, count, kind).save(path, "BMP")
    (root / "pellow").mkdir(parents=True, exist_ok=True)
    bgpf().save(root / "pellow" / "bgpf.bmp", "BMP")
