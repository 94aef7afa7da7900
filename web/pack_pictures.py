#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Packs the game's pictures into one file for the page, which fetches it in one request while
the game's module is still on its way (26 small requests would queue behind each other).

    pack_pictures.py OUTPUT PICTURE...

The pack: a 4-byte little-endian length N, N bytes of UTF-8 JSON listing each picture as
{"name", "offset", "length"} (offsets from the end of the JSON), then the pictures' bytes as
they are in their files."""
import json
import os
import struct
import sys


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    output, pictures = sys.argv[1], sys.argv[2:]
    index, data = [], bytearray()
    for path in sorted(pictures, key=os.path.basename):
        with open(path, "rb") as f:
            body = f.read()
        index.append({"name": os.path.basename(path), "offset": len(data), "length": len(body)})
        data += body
    header = json.dumps(index, separators=(",", ":")).encode()
    with open(output, "wb") as f:
        f.write(struct.pack("<I", len(header)) + header + data)


if __name__ == "__main__":
    main()
