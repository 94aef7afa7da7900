// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web_host/picture_numbers.h"

#include <cstdio>

#include "runtime/picture.h"

namespace forms::web {

PictureNumbers::PictureNumbers(const std::map<std::string, std::string>& files) {
    for (const auto& [name, file] : files) {
        numbers_.emplace(name, static_cast<int>(files_.size()));
        files_.push_back(file);
    }
}

int PictureNumbers::number(const forms::PictureData* picture) const {
    if (!picture) return -1;
    auto it = numbers_.find(picture->name);
    if (it != numbers_.end()) return it->second;
    std::fprintf(stderr, "miravel: no picture for artwork '%s'\n", picture->name.c_str());
    return -1;
}

}  // namespace forms::web
