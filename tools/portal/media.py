"""Pictures and movies of the demo portal: a JPEG thumbnail per game (each
one different: its own colours, the game's first letter and its number),
two advertisement banners, and a small valid SWF movie per Flash game."""
import colorsys
import io
import os
import sys
import threading

try:
    from PIL import Image, ImageDraw, ImageFont
except ImportError:  # pragma: no cover - the build installs it
    sys.exit("The demo portal needs Pillow (Debian package python3-pil) for its pictures.")

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from make_swf import movie  # noqa: E402  (the program folder's movies come from the same writer)

THUMB_SIZE = 72
FONT_FILES = ("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
              "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf")


def _font(size):
    for path in FONT_FILES:
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    return ImageFont.load_default()


def _colour(hue, saturation, value):
    r, g, b = colorsys.hsv_to_rgb(hue % 1.0, saturation, value)
    return round(r * 255), round(g * 255), round(b * 255)


def _hue(game_id):
    return (game_id * 0.618034) % 1.0  # golden-ratio steps: neighbours differ clearly


def _jpeg(image):
    out = io.BytesIO()
    image.save(out, "JPEG", quality=88)
    return out.getvalue()


def thumbnail(game):
    hue = _hue(game.id)
    size = THUMB_SIZE
    image = Image.new("RGB", (size, size), _colour(hue, 0.55, 0.95))
    draw = ImageDraw.Draw(image)
    for y in range(size // 2, size):  # darker lower half, in bands
        draw.line([(0, y), (size, y)], fill=_colour(hue, 0.75, 0.95 - (y - size / 2) / size))
    # A shape per game: circle, square or diamond, placed by the number.
    accent = _colour(hue + 0.5, 0.6, 1.0)
    x0, y0 = 6 + game.id % 5 * 3, 6 + game.id % 3 * 4
    box = [x0, y0, x0 + 24, y0 + 24]
    shape = game.id % 3
    if shape == 0:
        draw.ellipse(box, fill=accent)
    elif shape == 1:
        draw.rectangle(box, fill=accent)
    else:
        cx, cy = x0 + 12, y0 + 12
        draw.polygon([(cx, y0), (x0 + 24, cy), (cx, y0 + 24), (x0, cy)], fill=accent)
    draw.text((size - 6, 8), str(game.id), font=_font(14), fill="white", anchor="ra")
    letter = game.name.strip(".\\ ")[:1] or "?"
    draw.text((size // 2, size - 8), letter, font=_font(30), fill="white", anchor="ms")
    draw.rectangle([0, 0, size - 1, size - 1], outline=_colour(hue, 0.8, 0.5))
    return _jpeg(image)


def banner(width, height, title, subtitle, hue):
    image = Image.new("RGB", (width, height), _colour(hue, 0.6, 0.9))
    draw = ImageDraw.Draw(image)
    for x in range(0, width, 12):
        draw.line([(x, 0), (x + height, height)], fill=_colour(hue, 0.5, 0.98), width=3)
    title_size = max(12, min(height // 3, (width - 20) // max(1, len(title))))
    draw.text((10, height // 2 - 2), title, font=_font(title_size), fill="white", anchor="ls")
    draw.text((10, height - 6), subtitle, font=_font(max(11, height // 6)), fill="white", anchor="ls")
    return _jpeg(image)


def swf(game):
    """A movie of its own per game: size, rate, colour and length differ."""
    width, height = 480 + game.id % 4 * 80, 360 + game.id % 3 * 60
    background = _colour(_hue(game.id), 0.5, 0.9)
    return movie(width, height, 12 + game.id % 3 * 6, background, 1 + game.id % 5)


class MediaCache:
    """Makes each picture once, on first request (start-up stays instant)."""

    def __init__(self):
        self._lock = threading.Lock()
        self._items = {}

    def get(self, key, make):
        with self._lock:
            data = self._items.get(key)
        if data is None:
            data = make()
            with self._lock:
                data = self._items.setdefault(key, data)
        return data
