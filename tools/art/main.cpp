// miravel-art OUTDIR: draws all twenty-six pictures of the game and writes them
// into OUTDIR under the names the forms load them by. The output depends on
// nothing but this source, so running it twice gives the same bytes.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "art.h"
#include "writers.h"

namespace {

struct Output {
  const char* file;
  std::function<void(const std::string&)> write;
};

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
  const std::vector<Output> outputs = {
      {"title.bmp", bmp(titlePicture)},
      {"street.bmp", bmp(street)},
      {"exit.bmp", bmp(exitSign)},
      {"ball.gif", gif(ball)},
      {"youma_r.gif", gif(youma)},
      {"youma_l.gif", gif(youma, true)},
      {"vessa_stand_r.gif", gif(vessaStand)},
      {"vessa_stand_l.gif", gif(vessaStand, true)},
      {"vessa_windup_r.gif", gif(vessaWindup)},
      {"vessa_windup_l.gif", gif(vessaWindup, true)},
      {"vessa_release_r.gif", gif(vessaRelease)},
      {"vessa_release_l.gif", gif(vessaRelease, true)},
      {"vessa_shot.gif", gif(vessaShot)},
      {"pimmi_stand_r.gif", gif(pimmiStand)},
      {"pimmi_stand_l.gif", gif(pimmiStand, true)},
      {"pimmi_windup_r.gif", gif(pimmiWindup)},
      {"pimmi_windup_l.gif", gif(pimmiWindup, true)},
      {"pimmi_release_r.gif", gif(pimmiRelease)},
      {"pimmi_release_l.gif", gif(pimmiRelease, true)},
      {"pimmi_shot.gif", gif(pimmiShot)},
      {"icon_light.ico", ico(iconLight)},
      {"icon_animal.ico", ico(iconAnimal)},
      {"icon_face.ico", ico(iconFace)},
      {"icon_portrait1.ico", ico(iconPortrait1)},
      {"icon_portrait2.ico", ico(iconPortrait2)},
      {"icon_portrait3.ico", ico(iconPortrait3)},
  };
  for (const Output& output : outputs) output.write((outDir / output.file).string());
  return 0;
}
