// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// miravel-art OUTDIR: draws every picture of the game's catalogue and writes it
// into OUTDIR under the name the forms load it by. The output depends on
// nothing but this source, so running it twice gives the same bytes.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "art.h"
#include "assets/artwork.h"
#include "writers.h"

namespace {

std::function<void(const std::string&)> bmp(QImage (*draw)()) {
  return [draw](const std::string& path) { art::writeBmp(path, draw()); };
}

std::function<void(const std::string&)> gif(art::IndexedImage (*draw)(), bool mirror = false) {
  return [draw, mirror](const std::string& path) {
    const art::IndexedImage image = draw();
    art::writeGif(path, mirror ? art::mirrored(image) : image);
  };
}

std::function<void(const std::string&)> ico(art::IndexedImage (*draw)()) {
  return [draw](const std::string& path) { art::writeIco(path, draw()); };
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: miravel-art OUTDIR\n");
    return 2;
  }
  const std::filesystem::path outDir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  if (ec) {
    std::fprintf(stderr, "miravel-art: cannot create %s: %s\n", argv[1], ec.message().c_str());
    return 1;
  }

  using namespace art;
  // How each picture is drawn, by its name in the catalogue.
  const std::map<std::string_view, std::function<void(const std::string&)>> drawings = {
      {"title", bmp(titlePicture)},
      {"street", bmp(street)},
      {"exit", bmp(exitSign)},
      {"ball", gif(ball)},
      {"youma_r", gif(youma)},
      {"youma_l", gif(youma, true)},
      {"vessa_stand_r", gif(vessaStand)},
      {"vessa_stand_l", gif(vessaStand, true)},
      {"vessa_windup_r", gif(vessaWindup)},
      {"vessa_windup_l", gif(vessaWindup, true)},
      {"vessa_release_r", gif(vessaRelease)},
      {"vessa_release_l", gif(vessaRelease, true)},
      {"vessa_shot", gif(vessaShot)},
      {"pimmi_stand_r", gif(pimmiStand)},
      {"pimmi_stand_l", gif(pimmiStand, true)},
      {"pimmi_windup_r", gif(pimmiWindup)},
      {"pimmi_windup_l", gif(pimmiWindup, true)},
      {"pimmi_release_r", gif(pimmiRelease)},
      {"pimmi_release_l", gif(pimmiRelease, true)},
      {"pimmi_shot", gif(pimmiShot)},
      {"icon_light", ico(iconLight)},
      {"icon_animal", ico(iconAnimal)},
      {"icon_face", ico(iconFace)},
      {"icon_portrait1", ico(iconPortrait1)},
      {"icon_portrait2", ico(iconPortrait2)},
      {"icon_portrait3", ico(iconPortrait3)},
  };
  int status = 0;
  for (const miravel::ArtworkFile& file : miravel::artworkFiles()) {
    const auto drawing = drawings.find(file.art.name);
    if (drawing == drawings.end()) {
      std::fprintf(stderr, "miravel-art: no drawing for the catalogue's picture '%s'\n", file.art.name);
      status = 1;
      continue;
    }
    drawing->second((outDir / (std::string(file.art.name) + "." + file.extension)).string());
  }
  for (const auto& [name, draw] : drawings)
    if (!miravel::findArtwork(name)) {
      std::fprintf(stderr, "miravel-art: '%.*s' is drawn but not in the catalogue\n", int(name.size()), name.data());
      status = 1;
    }
  return status;
}
