#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the installed app's icons, as the web app manifest lists them, from the program's own
icon: each of its pixels a crisp square of whole device pixels (no smoothing), as PNG files.

    make_icons.py ICON.ico MANIFEST SITE

Each icon of the manifest is made at SITE/src: the icon at the largest whole scale that fits,
centred, the mask's transparency kept; a maskable one fits the middle 80 per cent (a launcher may
cut it to any shape that keeps that) on the manifest's background colour, filling the square."""
import json
import os
import struct
import sys
import zlib


def read_icon(path):
    """The icon's first picture as rows of (r, g, b, a): an 8-bit indexed bitmap with its mask."""
    with open(path, "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count < 1:
        sys.exit(f"{path}: not an icon file")
    offset = struct.unpack_from("<I", data, 6 + 12)[0]
    header_size, width, height2, _planes, bits = struct.unpack_from("<IiiHH", data, offset)
    height = height2 // 2  # a bitmap over its mask
    if bits != 8:
        sys.exit(f"{path}: {bits}-bit icon, only 8-bit ones are read")
    colours = struct.unpack_from("<I", data, offset + 32)[0] or 256
    palette = data[offset + header_size:offset + header_size + 4 * colours]
    pixels = offset + header_size + 4 * colours
    stride = (width + 3) & ~3
    mask = pixels + stride * height
    mask_stride = ((width + 31) // 32) * 4
    rows = []
    for y in range(height):
        r = height - 1 - y  # bottom-up
        row = []
        for x in range(width):
            i = data[pixels + r * stride + x]
            b, g, red = palette[4 * i], palette[4 * i + 1], palette[4 * i + 2]
            clear = (data[mask + r * mask_stride + x // 8] >> (7 - x % 8)) & 1
            row.append((red, g, b, 0 if clear else 255))
        rows.append(row)
    return rows


def write_png(path, rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n"
                + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9))
                + chunk(b"IEND", b""))


def draw(icon, scale, size, background):
    """The icon at a whole scale, centred on a square of size over background (r, g, b, a)."""
    side = len(icon) * scale
    margin = (size - side) // 2
    canvas = [[background] * size for _ in range(size)]
    for y, row in enumerate(icon):
        for x, px in enumerate(row):
            if px[3] == 0:
                continue
            for dy in range(scale):
                line = canvas[margin + y * scale + dy]
                line[margin + x * scale:margin + (x + 1) * scale] = [px] * scale
    return canvas


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    icon_path, manifest_path, site = sys.argv[1:]
    icon = read_icon(icon_path)
    if len(icon) != len(icon[0]):
        sys.exit(f"{icon_path}: the icon is not square")
    with open(manifest_path, encoding="utf-8") as f:
        manifest = json.load(f)
    colour = manifest["background_color"]
    background = tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5)) + (255,)
    for entry in manifest["icons"]:
        size = int(entry["sizes"].split("x")[0])
        maskable = entry.get("purpose") == "maskable"
        scale = int(size * (0.8 if maskable else 1)) // len(icon)
        path = os.path.join(site, entry["src"])
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write_png(path, draw(icon, scale, size, background if maskable else (0, 0, 0, 0)))


if __name__ == "__main__":
    main()
