// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The pictures the game carries, by name, with their sizes in pixels. The files themselves are
// assets/<name>.<ext>: the desktop embeds them (embedded.h), the page ships them; the rules only
// need the names and sizes.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>

#include "runtime/runtime.h"

namespace miravel {

struct ArtworkFile {
    forms::Artwork art;
    const char* extension;  // "bmp", "gif" or "ico"
};

std::span<const ArtworkFile> artworkFiles();
std::span<const forms::Artwork> artwork();

// The picture of that name, or null.
const ArtworkFile* findArtwork(std::string_view name);
// Its file's name: "<name>.<ext>".
std::string fileName(const ArtworkFile& file);
// Every picture's name with its file's name.
std::map<std::string, std::string> pictureFiles();

}  // namespace miravel
