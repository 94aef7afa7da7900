#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the site's service worker: its template preceded by the build's version, a hash of
every file of the site (so any change to any of them is a new version with a cache of its own),
and the list of those files, which the worker keeps.

    make_service_worker.py SITE TEMPLATE

The worker is SITE/service-worker.js. Precompressed copies (.br, .gz) are the server's way of
sending a file, not files of their own, and are left out."""
import hashlib
import json
import os
import sys

WORKER = "service-worker.js"


def site_files(site):
    files = []
    for folder, _dirs, names in os.walk(site):
        for name in names:
            path = os.path.relpath(os.path.join(folder, name), site).replace(os.sep, "/")
            if path != WORKER and not path.endswith((".br", ".gz")):
                files.append(path)
    return sorted(files)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    site, template = sys.argv[1:]
    files = site_files(site)
    digest = hashlib.sha256()
    for path in files:
        with open(os.path.join(site, path), "rb") as f:
            body = f.read()
        digest.update(f"{path}\0{len(body)}\0".encode() + body)
    # The page is asked for by its folder's address as well as by its name.
    urls = ["./"] + files
    with open(template, encoding="utf-8") as f:
        lines = f.read().splitlines(keepends=True)
    # Below the template's opening comment, its licence lines first.
    head = next(i for i, line in enumerate(lines) if not line.startswith("//"))
    constants = [f"const kVersion = '{digest.hexdigest()[:16]}';\n", f"const kFiles = {json.dumps(urls)};\n"]
    with open(os.path.join(site, WORKER), "w", encoding="utf-8") as f:
        f.writelines(lines[:head] + constants + lines[head:])


if __name__ == "__main__":
    main()
