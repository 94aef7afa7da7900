#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Lays a Brotli (FILE.br) and a gzip (FILE.gz) copy beside every file of the site that
compresses, for a server to send to a browser that accepts them (scripts/serve-site does).

    compress_site.py SITE STAMP

A file compresses when its copy is at most 90 per cent of it: pictures already compressed (PNG,
GIF) and the WOFF2 faces get none. Only files changed since STAMP was last touched are done
again; copies whose file is gone or no longer compresses are removed."""
import gzip
import os
import sys

import brotli

SUFFIXES = (".br", ".gz")


def compress(path):
    with open(path, "rb") as f:
        body = f.read()
    copies = {
        ".br": brotli.compress(body, quality=11),
        # No name and no time in the header: one site gives the same bytes every build.
        ".gz": gzip.compress(body, compresslevel=9, mtime=0),
    }
    for suffix, data in copies.items():
        copy = path + suffix
        if len(data) <= 0.9 * len(body):
            with open(copy, "wb") as f:
                f.write(data)
        elif os.path.exists(copy):
            os.remove(copy)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    site, stamp = sys.argv[1:]
    # Only what changed since the last run: files newer than the stamp.
    since = os.path.getmtime(stamp) if os.path.exists(stamp) else None
    for folder, _dirs, names in os.walk(site):
        for name in names:
            path = os.path.join(folder, name)
            if name.endswith(SUFFIXES):
                if not os.path.exists(path[:-3]):
                    os.remove(path)
            elif since is None or os.path.getmtime(path) >= since:
                compress(path)
    with open(stamp, "w", encoding="utf-8"):
        pass


if __name__ == "__main__":
    main()
