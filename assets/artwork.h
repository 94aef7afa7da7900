// The pictures the game carries, by name, with their sizes in pixels. The files themselves are
// assets/<name>.<ext>, embedded into the game; the rules only need the names and sizes.
#pragma once

#include <span>

#include "runtime/runtime.h"

namespace miravel {

struct ArtworkFile {
    vb::Artwork art;
    const char* extension;  // "bmp", "gif" or "ico"
};

std::span<const ArtworkFile> artworkFiles();
std::span<const vb::Artwork> artwork();

}  // namespace miravel
