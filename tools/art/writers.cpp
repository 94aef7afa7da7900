// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "writers.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <vector>

#include <gif_lib.h>

namespace art {

void writeBmp(const std::string& path, const QImage& image) {
  // Qt's BMP writer stores anything without alpha as 24 bits per pixel with the
  // 40-byte header and bottom-up rows, which is exactly the format the forms use.
  // The resolution fields come from the image, so pin them for stable bytes.
  QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  rgb.setDotsPerMeterX(2835);
  rgb.setDotsPerMeterY(2835);
  if (!rgb.save(QString::fromStdString(path), "BMP")) fail(path, "could not write bitmap");
}

namespace {

// giflib writes through this callback into memory; the file is written in one go
// afterwards with ordinary permissions (EGifOpenFileName would create it 0600).
int appendBytes(GifFileType* gif, const GifByteType* bytes, int count) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + count);
  return count;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) fail(path, "could not write file");
}

}  // namespace

void writeGif(const std::string& path, const IndexedImage& image) {
  std::vector<std::uint8_t> bytes;
  int error = 0;
  GifFileType* gif = EGifOpen(&bytes, appendBytes, &error);
  if (gif == nullptr) fail(path, GifErrorString(error));

  auto check = [&](int result, const char* step) {
    if (result == GIF_ERROR) {
      const int code = gif->Error;
      EGifCloseFile(gif, nullptr);
      fail(path, std::string(step) + ": " + GifErrorString(code));
    }
  };

  std::array<GifColorType, 256> colours{};
  for (std::size_t i = 0; i < 256; ++i) {
    colours[i] = GifColorType{image.palette[i].r, image.palette[i].g, image.palette[i].b};
  }
  ColorMapObject* map = GifMakeMapObject(256, colours.data());
  if (map == nullptr) fail(path, "out of memory");

  // The transparency flag needs a graphic control extension, which only GIF89a has.
  EGifSetGifVersion(gif, true);
  check(EGifPutScreenDesc(gif, image.width, image.height, 8, 0, map), "screen descriptor");
  GifFreeMapObject(map);

  GraphicsControlBlock gcb{};
  gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
  gcb.UserInputFlag = false;
  gcb.DelayTime = 0;
  gcb.TransparentColor = image.keyIndex;
  GifByteType extension[4];
  const std::size_t length = EGifGCBToExtension(&gcb, extension);
  check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension),
        "graphic control extension");

  check(EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr), "image descriptor");
  std::vector<GifPixelType> line(static_cast<std::size_t>(image.width));
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) line[static_cast<std::size_t>(x)] = image.at(x, y);
    check(EGifPutLine(gif, line.data(), image.width), "pixel rows");
  }
  if (EGifCloseFile(gif, &error) == GIF_ERROR) fail(path, GifErrorString(error));
  writeFile(path, bytes);
}

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

void writeIco(const std::string& path, const IndexedImage& image) {
  // Written by hand: Qt's ICO writer only produces 32-bit images, and the windows
  // want 256-colour icons with a separate AND mask.
  const int w = image.width;
  const int h = image.height;
  if (w > 255 || h > 255 || w % 4 != 0) fail(path, "icon size not supported");
  const int maskStride = ((w + 31) / 32) * 4;  // 1 bit per pixel, rows padded to 32 bits
  const std::uint32_t xorBytes = static_cast<std::uint32_t>(w * h);
  const std::uint32_t andBytes = static_cast<std::uint32_t>(maskStride * h);
  const std::uint32_t dataBytes = 40 + 256 * 4 + xorBytes + andBytes;

  std::vector<std::uint8_t> out;
  // ICONDIR: reserved, type 1 (icon), one image.
  put16(out, 0);
  put16(out, 1);
  put16(out, 1);
  // ICONDIRENTRY: 256 colours are written as 0.
  out.push_back(static_cast<std::uint8_t>(w));
  out.push_back(static_cast<std::uint8_t>(h));
  out.push_back(0);
  out.push_back(0);
  put16(out, 1);   // planes
  put16(out, 8);   // bits per pixel
  put32(out, dataBytes);
  put32(out, 6 + 16);
  // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(w));
  put32(out, static_cast<std::uint32_t>(h * 2));
  put16(out, 1);
  put16(out, 8);
  put32(out, 0);  // no compression
  put32(out, xorBytes + andBytes);
  put32(out, 0);
  put32(out, 0);
  put32(out, 256);
  put32(out, 0);
  for (const Rgb& c : image.palette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  // Colour rows, bottom-up. A transparent pixel keeps the key index, whose colour
  // is black: screen AND 1, XOR black leaves the screen as it was.
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) out.push_back(image.at(x, y));
  }
  // AND mask rows, bottom-up; a set bit lets the screen show through.
  for (int y = h - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
    for (int x = 0; x < w; ++x) {
      if (image.transparent(x, y)) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }

  writeFile(path, out);
}

}  // namespace art
