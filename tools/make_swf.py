#!/usr/bin/env python3
"""Writes the two small movies of the program folder into the folder given:
1.swf (played ahead of a replay) and 2.swf (played ahead of a game).

Each is a valid uncompressed movie: "FWS" header with frame size, frame rate
and frame count, then FileAttributes, SetBackgroundColor, one ShowFrame per
frame and End."""
import os
import struct
import sys

SWF_VERSION = 10


def rect(xmin, xmax, ymin, ymax):
    """A RECT record: 5-bit field width, four signed fields, padded to a byte."""
    values = (xmin, xmax, ymin, ymax)
    nbits = max(v.bit_length() for v in values) + 1
    bits = format(nbits, "05b") + "".join(format(v & ((1 << nbits) - 1), f"0{nbits}b") for v in values)
    bits += "0" * (-len(bits) % 8)
    return int(bits, 2).to_bytes(len(bits) // 8, "big")


def tag(code, body=b""):
    if len(body) < 0x3F:
        return struct.pack("<H", code << 6 | len(body)) + body
    return struct.pack("<HI", code << 6 | 0x3F, len(body)) + body


def movie(width, height, fps, background, frames):
    body = rect(0, width * 20, 0, height * 20) + struct.pack("<HH", round(fps * 256), frames)
    body += tag(69, struct.pack("<I", 0))  # FileAttributes: no network access, no metadata
    body += tag(9, bytes(background))      # SetBackgroundColor
    body += tag(1) * frames                # ShowFrame
    body += tag(0)                         # End
    return b"FWS" + bytes([SWF_VERSION]) + struct.pack("<I", 8 + len(body)) + body


MOVIES = {
    "1.swf": movie(550, 400, 24, (0x33, 0x66, 0x99), 1),
    "2.swf": movie(640, 480, 12, (0xFF, 0xFF, 0xFF), 1),
}


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, data in MOVIES.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
