#!/usr/bin/env python3
"""Draws the console's own icons into assets/ICONS_NEW as plain RGBA PNGs (no imaging library)."""
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets", "ICONS_NEW")


def write_png(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b, a); writes 8-bit RGBA, no interlace."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # filter: none
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(rows), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def shade(colour, factor):
    return tuple(max(0, min(255, int(c * factor))) for c in colour)


def block(colour, size=32):
    """A module face: a rounded square with a dark rim and a lighter top half."""
    def pixel(x, y):
        r = 5
        cx = min(max(x, r), size - 1 - r)
        cy = min(max(y, r), size - 1 - r)
        if (x - cx) ** 2 + (y - cy) ** 2 > r * r:
            return (0, 0, 0, 0)
        inner = 2
        if x < inner or y < inner or x >= size - inner or y >= size - inner or \
                (x - cx) ** 2 + (y - cy) ** 2 > (r - inner) ** 2:
            return shade(colour, 0.55) + (255,)
        return shade(colour, 1.15 if y < size // 2 else 1.0) + (255,)
    return pixel


def rack(size=64):
    """The console's icon: a dark rack with three modules and one green lamp each."""
    frame = (40, 52, 78)
    face = (150, 165, 190)
    def pixel(x, y):
        if x < 4 or x >= size - 4 or y < 4 or y >= size - 4:
            return frame + (255,)
        for top in (10, 26, 42):
            if top <= y < top + 12 and 9 <= x < size - 9:
                if (x - 48) ** 2 + (y - top - 6) ** 2 <= 9:
                    return (60, 220, 80, 255)
                return face + (255,)
        return shade(frame, 1.4) + (255,)
    return pixel


def main():
    os.makedirs(OUT, exist_ok=True)
    write_png(os.path.join(OUT, "Torvale30_4.png"), 64, 64, rack())
    write_png(os.path.join(OUT, "red_block.png"), 32, 32, block((220, 40, 40)))
    write_png(os.path.join(OUT, "green_block.png"), 32, 32, block((40, 190, 60)))
    write_png(os.path.join(OUT, "gray_block.png"), 32, 32, block((150, 150, 150)))


if __name__ == "__main__":
    main()
