// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The game's pictures as the page knows them: one file each, numbered in the order the page
// was given them, so that a change of picture costs a number, not a name.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace forms {
struct PictureData;
}

namespace forms::web {

class PictureNumbers {
public:
    // files: artwork name -> the picture's file in the site, e.g. "street" -> "street.bmp".
    explicit PictureNumbers(const std::map<std::string, std::string>& files);

    // Each picture's file, by number.
    const std::vector<std::string>& files() const { return files_; }
    // The number of a picture's artwork; -1 for no picture, or one the page was not given.
    int number(const forms::PictureData* picture) const;

private:
    std::vector<std::string> files_;
    std::map<std::string, int, std::less<>> numbers_;
};

}  // namespace forms::web
