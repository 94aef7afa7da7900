// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/artwork.h"

#include <array>

namespace miravel {

namespace {

constexpr std::array<ArtworkFile, 26> kFiles{{
    {{"title", 409, 579}, "bmp"},
    {{"street", 500, 197}, "bmp"},
    {{"exit", 23, 30}, "bmp"},
    {{"ball", 17, 18}, "gif"},
    {{"youma_r", 35, 64}, "gif"},
    {{"youma_l", 35, 64}, "gif"},
    {{"vessa_stand_r", 19, 38}, "gif"},
    {{"vessa_stand_l", 19, 38}, "gif"},
    {{"vessa_windup_r", 20, 37}, "gif"},
    {{"vessa_windup_l", 20, 37}, "gif"},
    {{"vessa_release_r", 21, 36}, "gif"},
    {{"vessa_release_l", 21, 36}, "gif"},
    {{"vessa_shot", 35, 13}, "gif"},
    {{"pimmi_stand_r", 20, 37}, "gif"},
    {{"pimmi_stand_l", 20, 37}, "gif"},
    {{"pimmi_windup_r", 29, 37}, "gif"},
    {{"pimmi_windup_l", 29, 37}, "gif"},
    {{"pimmi_release_r", 26, 37}, "gif"},
    {{"pimmi_release_l", 26, 37}, "gif"},
    {{"pimmi_shot", 15, 16}, "gif"},
    {{"icon_light", 48, 48}, "ico"},
    {{"icon_animal", 48, 48}, "ico"},
    {{"icon_face", 48, 48}, "ico"},
    {{"icon_portrait1", 48, 48}, "ico"},
    {{"icon_portrait2", 48, 48}, "ico"},
    {{"icon_portrait3", 48, 48}, "ico"},
}};

constexpr std::array<forms::Artwork, kFiles.size()> kArt = [] {
    std::array<forms::Artwork, kFiles.size()> a{};
    for (std::size_t i = 0; i < kFiles.size(); ++i) a[i] = kFiles[i].art;
    return a;
}();

}  // namespace

std::span<const ArtworkFile> artworkFiles() { return kFiles; }
std::span<const forms::Artwork> artwork() { return kArt; }

const ArtworkFile* findArtwork(std::string_view name) {
    for (const ArtworkFile& f : kFiles)
        if (name == f.art.name) return &f;
    return nullptr;
}

std::string fileName(const ArtworkFile& file) { return std::string(file.art.name) + "." + file.extension; }

std::map<std::string, std::string> pictureFiles() {
    std::map<std::string, std::string> files;
    for (const ArtworkFile& f : kFiles) files.emplace(f.art.name, fileName(f));
    return files;
}

}  // namespace miravel
