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


def module(accent, feature, width=94, height=119):
    """A plug-in module's front: a rim, a coloured band and one feature at the top; the rest is
    clear, so the slot button's face and its alarm lamps and labels show through."""
    rim = (70, 76, 88)
    dark = (46, 52, 64)

    def inside_feature(x, y):
        if feature == "lamps":
            return any((x - cx) ** 2 + (y - 36) ** 2 <= 30 for cx in (27, 47, 67))
        if feature == "bars":
            return any(top <= y < top + 4 and 20 <= x < 20 + length
                       for top, length in ((24, 54), (32, 40), (40, 28), (48, 46)))
        if feature == "dial":
            d = (x - 47) ** 2 + (y - 38) ** 2
            return 16 ** 2 >= d >= 12 ** 2 or (abs(x - 47) <= 1 and 24 <= y <= 38)
        if feature == "ports":
            return any(left <= x < left + 16 and top <= y < top + 10
                       for left in (26, 52) for top in (24, 40))
        return False

    def pixel(x, y):
        if x < 2 or y < 2 or x >= width - 2 or y >= height - 2:
            return rim + (255,)
        if 4 <= y < 16 and 4 <= x < width - 4:
            return accent + (255,)
        if inside_feature(x, y):
            return accent + (255,) if feature == "lamps" else dark + (255,)
        if height - 9 <= y < height - 5 and 30 <= x < width - 30:
            return rim + (255,)
        return (0, 0, 0, 0)
    return pixel


def main():
    os.makedirs(OUT, exist_ok=True)
    write_png(os.path.join(OUT, "Torvale30_4.png"), 64, 64, rack())
    write_png(os.path.join(OUT, "red_block.png"), 32, 32, block((220, 40, 40)))
    write_png(os.path.join(OUT, "green_block.png"), 32, 32, block((40, 190, 60)))
    write_png(os.path.join(OUT, "gray_block.png"), 32, 32, block((150, 150, 150)))
    # Module icons of the simulated network's module types, by module name.
    for name, accent, feature in (("PSU", (230, 170, 30), "lamps"),
                                  ("AMP", (60, 120, 220), "bars"),
                                  ("TUNER", (150, 80, 200), "dial"),
                                  ("SWITCH", (40, 160, 120), "ports")):
        folder = os.path.join(OUT, "ICON_TORV", name)
        os.makedirs(folder, exist_ok=True)
        write_png(os.path.join(folder, name + ".png"), 94, 119, module(accent, feature))


if __name__ == "__main__":
    main()
