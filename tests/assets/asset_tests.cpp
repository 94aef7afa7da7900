// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Checks every picture of the game's catalogue: the container format byte by
// byte (the forms load these files as they are, so a wrong header field is a
// real fault), what Qt decodes from it, the mirror pairs, that the game embeds
// exactly these files, and that miravel-art reproduces them.
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "assets/artwork.h"
#include "assets/embedded.h"
#include "tools/art/art.h"

namespace {

namespace fs = std::filesystem;

enum class Kind { Bitmap, Gif, Icon };

struct Picture {
  std::string file;
  Kind kind;
  int width;
  int height;
  int keyIndex = -1;          // GIF only
  QRgb keyColour = 0;         // GIF only
  std::string mirrorOf;       // the right-facing partner of a left-facing picture
  bool standsOnGround = false;  // a figure whose feet touch the picture's bottom row

  friend std::ostream& operator<<(std::ostream& os, const Picture& p) { return os << p.file; }
};

// The sprite families, each keying one palette entry as transparent, as the art tool draws them;
// the longer prefix first. Figures stand on the walk; the shots and the ball fly.
struct Family {
  const char* prefix;
  int keyIndex;
  art::Rgb keyColour;
  bool figure;
};
constexpr Family kFamilies[] = {
    {"ball", art::kBallKey, art::kBallKeyColour, false},
    {"youma", art::kYoumaKey, art::kYoumaKeyColour, true},
    {"vessa_shot", art::kVessaShotKey, art::kVessaShotKeyColour, false},
    {"vessa", art::kVessaKey, art::kVessaKeyColour, true},
    {"pimmi_shot", art::kPimmiKey, art::kPimmiKeyColour, false},
    {"pimmi", art::kPimmiKey, art::kPimmiKeyColour, true},
};

// Every picture of the game's catalogue, with what its file must hold.
std::vector<Picture> cataloguePictures() {
  std::vector<Picture> pictures;
  for (const miravel::ArtworkFile& f : miravel::artworkFiles()) {
    const std::string name = f.art.name;
    const std::string ext = f.extension;
    Picture p{name + "." + ext, ext == "bmp" ? Kind::Bitmap : ext == "gif" ? Kind::Gif : Kind::Icon,
              f.art.width, f.art.height, -1, 0, {}, false};
    for (const Family& family : kFamilies) {
      if (p.kind != Kind::Gif || !name.starts_with(family.prefix)) continue;
      p.keyIndex = family.keyIndex;
      p.keyColour = qRgb(family.keyColour.r, family.keyColour.g, family.keyColour.b) & 0xFFFFFF;
      p.standsOnGround = family.figure;
      break;
    }
    if (name.ends_with("_l")) p.mirrorOf = name.substr(0, name.size() - 2) + "_r." + ext;
    pictures.push_back(std::move(p));
  }
  return pictures;
}

const std::vector<Picture> kPictures = cataloguePictures();

fs::path assetPath(const std::string& file) { return fs::path(MIRAVEL_ASSET_DIR) / file; }

std::vector<std::uint8_t> readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned u16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<unsigned>(b.at(at) | (b.at(at + 1) << 8));
}
std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return u16(b, at) | (static_cast<std::uint32_t>(u16(b, at + 2)) << 16);
}
std::int32_t s32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::int32_t>(u32(b, at));
}

void checkBitmap(const Picture& p, const std::vector<std::uint8_t>& b) {
  ASSERT_GE(b.size(), 54u);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(u32(b, 2), b.size()) << "file size field";
  EXPECT_EQ(u32(b, 10), 54u) << "pixels follow the two headers directly";
  EXPECT_EQ(u32(b, 14), 40u) << "BITMAPINFOHEADER";
  EXPECT_EQ(s32(b, 18), p.width);
  EXPECT_EQ(s32(b, 22), p.height) << "positive height: rows stored bottom-up";
  EXPECT_EQ(u16(b, 26), 1u) << "planes";
  EXPECT_EQ(u16(b, 28), 24u) << "bits per pixel";
  EXPECT_EQ(u32(b, 30), 0u) << "uncompressed";
  const std::size_t stride = (static_cast<std::size_t>(p.width) * 3 + 3) / 4 * 4;
  EXPECT_EQ(b.size(), 54 + stride * static_cast<std::size_t>(p.height));
}

// Walks the GIF block structure; returns the transparent index of the graphic
// control extension that precedes the single image.
void checkGif(const Picture& p, const std::vector<std::uint8_t>& b) {
  ASSERT_GE(p.keyIndex, 0) << "a GIF of no sprite family: give its family a key";
  ASSERT_GE(b.size(), 13u + 768u);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 6), "GIF89a");
  EXPECT_EQ(u16(b, 6), static_cast<unsigned>(p.width));
  EXPECT_EQ(u16(b, 8), static_cast<unsigned>(p.height));
  const std::uint8_t screen = b[10];
  ASSERT_TRUE(screen & 0x80) << "global colour table present";
  EXPECT_EQ(screen & 0x07, 7) << "256-entry global colour table";
  const std::size_t key = static_cast<std::size_t>(p.keyIndex);
  const QRgb entry = qRgb(b[13 + key * 3], b[14 + key * 3], b[15 + key * 3]);
  EXPECT_EQ(entry & 0xFFFFFF, p.keyColour) << "palette entry of the transparent index";

  std::size_t at = 13 + 768;
  int images = 0;
  std::optional<int> transparentIndex;
  bool sawTrailer = false;
  while (at < b.size() && !sawTrailer) {
    const std::uint8_t block = b[at];
    if (block == 0x21) {  // extension: label, then data sub-blocks
      const std::uint8_t label = b.at(at + 1);
      if (label == 0xF9) {
        ASSERT_EQ(b.at(at + 2), 4) << "graphic control extension length";
        EXPECT_TRUE(b.at(at + 3) & 0x01) << "transparency flag";
        EXPECT_EQ(images, 0) << "graphic control extension must precede the image";
        transparentIndex = b.at(at + 6);
      }
      at += 2;
      while (b.at(at) != 0) at += 1 + b[at];
      at += 1;
    } else if (block == 0x2C) {  // image descriptor
      ++images;
      EXPECT_EQ(u16(b, at + 1), 0u);
      EXPECT_EQ(u16(b, at + 3), 0u);
      EXPECT_EQ(u16(b, at + 5), static_cast<unsigned>(p.width)) << "image covers the screen";
      EXPECT_EQ(u16(b, at + 7), static_cast<unsigned>(p.height)) << "image covers the screen";
      const std::uint8_t flags = b.at(at + 9);
      EXPECT_FALSE(flags & 0x40) << "not interlaced";
      ASSERT_FALSE(flags & 0x80) << "no local colour table";
      at += 10 + 1;  // descriptor, then the LZW minimum code size
      while (b.at(at) != 0) at += 1 + b[at];
      at += 1;
    } else if (block == 0x3B) {
      sawTrailer = true;
    } else {
      FAIL() << "unexpected block 0x" << std::hex << int(block) << " at " << std::dec << at;
    }
  }
  EXPECT_TRUE(sawTrailer);
  EXPECT_EQ(images, 1);
  ASSERT_TRUE(transparentIndex.has_value()) << "graphic control extension present";
  EXPECT_EQ(*transparentIndex, p.keyIndex);
}

void checkIcon(const Picture& p, const std::vector<std::uint8_t>& b) {
  ASSERT_GE(b.size(), 22u + 40u);
  EXPECT_EQ(u16(b, 0), 0u);
  EXPECT_EQ(u16(b, 2), 1u) << "type: icon";
  ASSERT_EQ(u16(b, 4), 1u) << "exactly one image";
  EXPECT_EQ(b[6], p.width);
  EXPECT_EQ(b[7], p.height);
  EXPECT_EQ(b[8], 0) << "256 colours are written as 0";
  EXPECT_EQ(u16(b, 10), 1u) << "planes";
  EXPECT_EQ(u16(b, 12), 8u) << "bits per pixel";
  const std::uint32_t size = u32(b, 14);
  const std::uint32_t offset = u32(b, 18);
  ASSERT_EQ(std::size_t{offset} + size, b.size());

  const std::size_t h = offset;
  EXPECT_EQ(u32(b, h), 40u);
  EXPECT_EQ(s32(b, h + 4), p.width);
  EXPECT_EQ(s32(b, h + 8), 2 * p.height) << "height counts colour and mask rows";
  EXPECT_EQ(u16(b, h + 14), 8u);
  EXPECT_EQ(u32(b, h + 16), 0u) << "uncompressed";
  const std::uint32_t colours = u32(b, h + 32);
  EXPECT_TRUE(colours == 0 || colours == 256) << "256-colour palette";

  const std::size_t palette = h + 40;
  const std::size_t xorAt = palette + 256 * 4;
  const std::size_t xorBytes = static_cast<std::size_t>(p.width * p.height);
  const std::size_t maskStride = static_cast<std::size_t>((p.width + 31) / 32 * 4);
  const std::size_t andAt = xorAt + xorBytes;
  ASSERT_EQ(andAt + maskStride * static_cast<std::size_t>(p.height), b.size())
      << "AND mask follows the colour rows";

  // Where the mask lets the screen through, the colour must be black, or the
  // pixel would be XORed onto the desktop instead of being transparent.
  for (std::size_t row = 0; row < static_cast<std::size_t>(p.height); ++row) {
    for (std::size_t x = 0; x < static_cast<std::size_t>(p.width); ++x) {
      const bool clear = b[andAt + row * maskStride + x / 8] & (0x80 >> (x % 8));
      if (!clear) continue;
      const std::size_t index = b[xorAt + row * static_cast<std::size_t>(p.width) + x];
      const std::size_t c = palette + index * 4;
      ASSERT_EQ(b[c] | b[c + 1] | b[c + 2], 0) << "masked pixel not black at " << x << ",row " << row;
    }
  }
}

QImage decode(const std::string& file) { return QImage(QString::fromStdString(assetPath(file).string())); }

bool nearKey(QRgb c, QRgb key) {
  return std::abs(qRed(c) - qRed(key)) <= 16 && std::abs(qGreen(c) - qGreen(key)) <= 16 &&
         std::abs(qBlue(c) - qBlue(key)) <= 16;
}

// What a sprite looks like over a background: only whole pixels, no opaque
// pixel of the key colour, and no pixel on the figure's outline that is almost
// the key colour (a fringe from drawing with smoothing onto the key).
void checkSprite(const Picture& p, const QImage& image) {
  int clear = 0;
  int lowestOpaqueRow = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      ASSERT_TRUE(qAlpha(c) == 0 || qAlpha(c) == 255) << "partial alpha at " << x << "," << y;
      if (qAlpha(c) == 0) {
        ++clear;
        continue;
      }
      lowestOpaqueRow = y;
      ASSERT_NE(c & 0xFFFFFF, p.keyColour) << "opaque pixel of the key colour at " << x << "," << y;
      bool onOutline = false;
      for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
        const int nx = x + dx;
        const int ny = y + dy;
        if (nx >= 0 && ny >= 0 && nx < image.width() && ny < image.height() &&
            qAlpha(image.pixel(nx, ny)) == 0) {
          onOutline = true;
        }
      }
      EXPECT_FALSE(onOutline && nearKey(c, p.keyColour))
          << "outline pixel close to the key colour at " << x << "," << y;
    }
  }
  EXPECT_GT(clear, 0) << "a sprite shows the background around its figure";
  EXPECT_LT(clear, image.width() * image.height()) << "a sprite draws something";
  if (p.standsOnGround) {
    EXPECT_EQ(lowestOpaqueRow, p.height - 1) << "feet on the bottom row, so the figure stands on the walk";
  }
}

class CommittedPicture : public ::testing::TestWithParam<Picture> {};

TEST_P(CommittedPicture, HasItsFormatAndDecodes) {
  const Picture& p = GetParam();
  const std::vector<std::uint8_t> bytes = readBytes(assetPath(p.file));
  ASSERT_FALSE(bytes.empty()) << "missing " << assetPath(p.file);
  switch (p.kind) {
    case Kind::Bitmap: checkBitmap(p, bytes); break;
    case Kind::Gif: checkGif(p, bytes); break;
    case Kind::Icon: checkIcon(p, bytes); break;
  }

  const QImage decoded = decode(p.file);
  ASSERT_FALSE(decoded.isNull()) << "Qt cannot decode " << p.file;
  if (p.kind == Kind::Bitmap) {
    EXPECT_FALSE(decoded.hasAlphaChannel()) << "bitmaps are opaque";
  }
  const QImage image = decoded.convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(image.width(), p.width);
  EXPECT_EQ(image.height(), p.height);
  if (p.kind == Kind::Gif) checkSprite(p, image);
  if (p.kind == Kind::Icon) {
    // Icons serve as mouse pointers and title-bar icons, where a shape reads
    // better than a square: the mask must clear the corners and keep the middle.
    for (auto [x, y] : {std::pair{0, 0}, {p.width - 1, 0}, {0, p.height - 1}, {p.width - 1, p.height - 1}}) {
      EXPECT_EQ(qAlpha(image.pixel(x, y)), 0) << "corner " << x << "," << y << " masked";
    }
    EXPECT_EQ(qAlpha(image.pixel(p.width / 2, p.height / 2)), 255) << "centre drawn";
  }
  if (!p.mirrorOf.empty()) {
    const QImage partner = decode(p.mirrorOf).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(partner.size(), image.size());
    EXPECT_TRUE(image == partner.mirrored(true, false))
        << p.file << " is not the exact left-right mirror of " << p.mirrorOf;
  }
}

INSTANTIATE_TEST_SUITE_P(Assets, CommittedPicture, ::testing::ValuesIn(kPictures),
                         [](const ::testing::TestParamInfo<Picture>& param) {
                           std::string name = param.param.file;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

// The game embeds every picture of this folder, and loads each by its catalogue name: a picture
// left out of either would be found missing only as the game runs.
TEST(EmbeddedPictures, AreTheCatalogueExactly) {
  std::set<std::string> embedded;
  for (const QString& file : QDir(":/assets").entryList(QDir::Files)) embedded.insert(file.toStdString());
  std::set<std::string> catalogue;
  for (const Picture& p : kPictures) catalogue.insert(p.file);
  EXPECT_EQ(embedded, catalogue);

  for (const miravel::ArtworkFile& f : miravel::artworkFiles()) {
    QFile resource(QString::fromStdString(miravel::resourcePath(f.art.name)));
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly)) << f.art.name;
    const QByteArray bytes = resource.readAll();
    const std::vector<std::uint8_t> committed = readBytes(assetPath(std::string(f.art.name) + "." + f.extension));
    EXPECT_TRUE(bytes == QByteArray(reinterpret_cast<const char*>(committed.data()),
                                    static_cast<qsizetype>(committed.size())))
        << f.art.name;
  }
}

// The committed pictures are the tool's output; if someone edits the drawing
// code or a file in assets/ alone, the two drift apart and this fails.
TEST(ArtTool, ReproducesTheCommittedFilesExactly) {
  const fs::path out = fs::temp_directory_path() / ("miravel-art-test-" + std::to_string(getpid()));
  fs::remove_all(out);
  const std::string command = std::string("\"") + MIRAVEL_ART_TOOL + "\" \"" + out.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  std::set<std::string> written;
  for (const auto& entry : fs::directory_iterator(out)) written.insert(entry.path().filename().string());
  std::set<std::string> expected;
  for (const Picture& p : kPictures) expected.insert(p.file);
  EXPECT_EQ(written, expected);

  for (const Picture& p : kPictures) {
    EXPECT_TRUE(readBytes(out / p.file) == readBytes(assetPath(p.file)))
        << p.file << " differs from the tool's output; rerun miravel-art assets/";
  }
  fs::remove_all(out);
}

}  // namespace
