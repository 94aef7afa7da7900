// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// File writers for the three picture formats the forms carry.
#pragma once

#include <string>

#include <QImage>

#include "indexed_image.h"

namespace art {

// Uncompressed 24-bit Windows bitmap, 40-byte information header, rows bottom-up.
void writeBmp(const std::string& path, const QImage& image);

// GIF89a with a 256-entry global colour table, one non-interlaced image covering
// the whole screen and a graphic control extension that marks keyIndex transparent.
void writeGif(const std::string& path, const IndexedImage& image);

// Icon file with one 8-bit image and its AND mask; pixels of the key index are
// transparent.
void writeIco(const std::string& path, const IndexedImage& image);

}  // namespace art
