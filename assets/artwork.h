// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The pictures the game carries, by name, with their sizes in pixels. The files themselves are
// assets/<name>.<ext>, embedded into the game; the rules only need the names and sizes.
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

// Where the game embeds a picture: ":/assets/<name>.<ext>"; empty for an unknown name.
std::string resourcePath(std::string_view name);
// Every picture's name with its resource path, as the desktop host takes them.
std::map<std::string, std::string> pictureResources();

}  // namespace miravel
