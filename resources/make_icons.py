#!/usr/bin/env python3
"""Draws Quorvel's icons and writes them as .ico files (standard library only).

aaa.ico    - the program's icon: 16, 24, 32, 48 px at 8 bits, then the same at 32 bits.
group1.ico - the second group: 32 px at 1 bit, 32 px at 4 bits, 16 px at 4 bits.

The picture: a violet tile holding a white page with three list lines.
Run it from this folder; the .ico files it writes are committed beside it.
"""
import struct

TRANSPARENT, VIOLET, BORDER, WHITE, LINE = range(5)
RGB = {VIOLET: (128, 0, 255), BORDER: (72, 0, 150), WHITE: (255, 255, 255), LINE: (128, 0, 255)}


def draw(n):
    """Rows of colour indices, top row first."""
    radius = max(1, n // 6)
    grid = [[TRANSPARENT] * n for _ in range(n)]
    for y in range(n):
        for x in range(n):
            dx = max(radius - x, x - (n - 1 - radius), 0)
            dy = max(radius - y, y - (n - 1 - radius), 0)
            if dx * dx + dy * dy <= radius * radius:
                edge = x in (0, n - 1) or y in (0, n - 1) or dx * dx + dy * dy > (radius - 1) ** 2
                grid[y][x] = BORDER if edge else VIOLET
    left, right, top, bottom = round(n * 0.25), round(n * 0.75), round(n * 0.16), round(n * 0.84)
    for y in range(top, bottom):
        for x in range(left, right):
            grid[y][x] = WHITE
    thick = max(1, n // 16)
    for fraction in (0.34, 0.5, 0.66):
        y0 = round(n * fraction) - thick // 2
        for y in range(y0, y0 + thick):
            for x in range(left + max(1, n // 12), right - max(1, n // 12)):
                grid[y][x] = LINE
    return grid


def rows_bottom_up(grid):
    return list(reversed(grid))


def pad(data):
    return data + b"\0" * (-len(data) % 4)


def and_mask(grid):
    out = b""
    for row in rows_bottom_up(grid):
        bits = 0
        line = bytearray()
        for x, c in enumerate(row):
            bits = (bits << 1) | (1 if c == TRANSPARENT else 0)
            if x % 8 == 7:
                line.append(bits)
                bits = 0
        if len(row) % 8:
            line.append(bits << (8 - len(row) % 8))
        out += pad(bytes(line))
    return out


def header(n, bpp, palette_entries):
    return struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, bpp, 0, 0, 0, 0, palette_entries, 0)


def image_32(grid):
    n = len(grid)
    pixels = b""
    for row in rows_bottom_up(grid):
        for c in row:
            r, g, b = RGB.get(c, (0, 0, 0))
            pixels += bytes((b, g, r, 0 if c == TRANSPARENT else 255))
    return header(n, 32, 0) + pixels + and_mask(grid)


def image_indexed(grid, bpp, palette):
    """palette: list of (r, g, b); colour index c maps to palette entry nearest RGB[c]."""
    n = len(grid)
    size = 1 << bpp

    def nearest(c):
        if c == TRANSPARENT:
            return 0
        r, g, b = RGB[c]
        return min(range(len(palette)), key=lambda i: (palette[i][0] - r) ** 2 + (palette[i][1] - g) ** 2 + (palette[i][2] - b) ** 2)

    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + b"\0\0\0\0" * (size - len(palette))
    data = b""
    for row in rows_bottom_up(grid):
        indices = [nearest(c) for c in row]
        line = bytearray()
        per_byte = 8 // bpp
        for i in range(0, n, per_byte):
            byte = 0
            for j in range(per_byte):
                byte = (byte << bpp) | (indices[i + j] if i + j < n else 0)
            line.append(byte)
        data += pad(bytes(line))
    return header(n, bpp, 0) + table + data + and_mask(grid)


def write_ico(path, images):
    """images: list of (size, bpp, data)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for n, bpp, data in images:
        colours = (1 << bpp) if bpp < 8 else 0
        out += struct.pack("<BBBBHHII", n % 256, n % 256, colours, 0, 1, bpp, len(data), offset + len(body))
        body += data
    with open(path, "wb") as f:
        f.write(out + body)


# 256 colours: black, the icon's own colours, then a grey ramp to fill the table.
PALETTE_256 = [(0, 0, 0), RGB[VIOLET], RGB[BORDER], RGB[WHITE]] + [(v, v, v) for v in range(4, 256)][:252]
# The standard 16-colour table.
PALETTE_16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
              (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
              (255, 0, 255), (0, 255, 255), (255, 255, 255)]
PALETTE_2 = [(0, 0, 0), (255, 255, 255)]

if __name__ == "__main__":
    sizes = (16, 24, 32, 48)
    write_ico("aaa.ico", [(n, 8, image_indexed(draw(n), 8, PALETTE_256)) for n in sizes] +
              [(n, 32, image_32(draw(n))) for n in sizes])
    write_ico("group1.ico", [(32, 1, image_indexed(draw(32), 1, PALETTE_2)),
                             (32, 4, image_indexed(draw(32), 4, PALETTE_16)),
                             (16, 4, image_indexed(draw(16), 4, PALETTE_16))])
