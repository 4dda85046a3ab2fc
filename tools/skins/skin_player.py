"""Skin files of the player's window that no other module writes: the tool
strip's end pieces and stretched middle (InitImages) and the logo (Ico).

The tool strip is 780 twips (52 pixels) high; its end pieces are 135 twips
(9 pixels) wide. The logo box is 440 twips (29 pixels) square.
"""
from PIL import Image, ImageDraw

STRIP_HEIGHT = 52
END_WIDTH = 9
# Flat colours the player's tests read back.
PAN_MIDDLE = (196, 214, 236)
PAN_END = (92, 122, 168)
LOGO_FILL = (232, 120, 40)
LOGO_INK = (255, 255, 255)


def pan_end(mirror):
    img = Image.new("RGB", (END_WIDTH, STRIP_HEIGHT), PAN_END)
    draw = ImageDraw.Draw(img)
    edge = 0 if not mirror else END_WIDTH - 1
    draw.line([edge, 0, edge, STRIP_HEIGHT - 1], fill=(40, 60, 96))
    return img


def pan_middle():
    img = Image.new("RGB", (4, STRIP_HEIGHT), PAN_MIDDLE)
    ImageDraw.Draw(img).line([0, 0, 3, 0], fill=(240, 246, 252))
    return img


def logo():
    img = Image.new("RGB", (29, 29), LOGO_FILL)
    draw = ImageDraw.Draw(img)
    # A play mark: a triangle in the middle of the box.
    draw.polygon([(10, 7), (10, 21), (21, 14)], fill=LOGO_INK)
    return img


def write(root):
    init = root / "InitImages"
    init.mkdir(parents=True, exist_ok=True)
    pan_end(False).save(init / "Pan_Button_left.bmp", "BMP")
    pan_end(True).save(init / "Pan_Button_Right.bmp", "BMP")
    pan_middle().save(init / "Pan_Button_middle.bmp", "BMP")
    (root / "Ico").mkdir(parents=True, exist_ok=True)
    logo().save(root / "Ico" / "Pellow_Logo.bmp", "BMP")
