// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/embedded.h"

#include "assets/artwork.h"

namespace miravel {

namespace {
// The prefix qt_add_resources gives them (assets/CMakeLists.txt).
constexpr std::string_view kPrefix = ":/assets/";
}  // namespace

std::string resourcePath(std::string_view name) {
    const ArtworkFile* f = findArtwork(name);
    return f ? std::string(kPrefix) + fileName(*f) : std::string();
}

std::map<std::string, std::string> pictureResources() {
    std::map<std::string, std::string> paths;
    for (const auto& [name, file] : pictureFiles()) paths.emplace(name, std::string(kPrefix) + file);
    return paths;
}

}  // namespace miravel
