// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexed_image.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace art {

void fail(std::string_view name, std::string_view what) {
  std::fprintf(stderr, "miravel-art: %.*s: %.*s\n", static_cast<int>(name.size()), name.data(),
               static_cast<int>(what.size()), what.data());
  std::exit(1);
}

namespace {

std::vector<std::string_view> splitRows(std::string_view grid) {
  std::vector<std::string_view> rows;
  std::size_t start = 0;
  while (start <= grid.size()) {
    std::size_t end = grid.find('\n', start);
    if (end == std::string_view::npos) end = grid.size();
    rows.push_back(grid.substr(start, end - start));
    start = end + 1;
  }
  while (!rows.empty() && rows.front().empty()) rows.erase(rows.begin());
  while (!rows.empty() && rows.back().empty()) rows.pop_back();
  return rows;
}

QRgb inkFor(std::string_view name, char symbol, const Legend& legend) {
  if (symbol == kClear) return qRgba(0, 0, 0, 0);
  for (const Ink& ink : legend) {
    if (ink.symbol == symbol) return qRgb(ink.colour.r, ink.colour.g, ink.colour.b);
  }
  fail(name, std::string("grid uses a character that is not in its legend: '") + symbol + "'");
}

}  // namespace

QImage gridToImage(std::string_view name, std::string_view grid, const Legend& legend, int width,
                   int height) {
  const auto rows = splitRows(grid);
  if (static_cast<int>(rows.size()) != height) {
    fail(name, "grid has " + std::to_string(rows.size()) + " rows, picture is " +
                   std::to_string(height) + " high");
  }
  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    const std::string_view row = rows[static_cast<std::size_t>(y)];
    if (static_cast<int>(row.size()) != width) {
      fail(name, "grid row " + std::to_string(y) + " has " + std::to_string(row.size()) +
                     " characters, picture is " + std::to_string(width) + " wide");
    }
    for (int x = 0; x < width; ++x) {
      image.setPixel(x, y, inkFor(name, row[static_cast<std::size_t>(x)], legend));
    }
  }
  return image;
}

QImage halfGridToImage(std::string_view name, std::string_view grid, const Legend& legend,
                       int width, int height) {
  const auto rows = splitRows(grid);
  const int half = (width + 1) / 2;
  if (static_cast<int>(rows.size()) != height) {
    fail(name, "half grid has " + std::to_string(rows.size()) + " rows, picture is " +
                   std::to_string(height) + " high");
  }
  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    const std::string_view row = rows[static_cast<std::size_t>(y)];
    if (static_cast<int>(row.size()) != half) {
      fail(name, "half grid row " + std::to_string(y) + " has " + std::to_string(row.size()) +
                     " characters, expected " + std::to_string(half));
    }
    for (int x = 0; x < half; ++x) {
      const QRgb ink = inkFor(name, row[static_cast<std::size_t>(x)], legend);
      image.setPixel(x, y, ink);
      image.setPixel(width - 1 - x, y, ink);
    }
  }
  return image;
}

IndexedImage toIndexed(std::string_view name, const QImage& source, int keyIndex, Rgb keyColour) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  IndexedImage out;
  out.width = image.width();
  out.height = image.height();
  out.keyIndex = keyIndex;
  out.palette[static_cast<std::size_t>(keyIndex)] = keyColour;
  out.pixels.resize(static_cast<std::size_t>(out.width * out.height));

  std::vector<Rgb> used;  // opaque colours in order of first appearance
  auto indexOf = [&](Rgb c) -> std::uint8_t {
    for (std::size_t i = 0; i < used.size(); ++i) {
      if (used[i] == c) return static_cast<std::uint8_t>(i < static_cast<std::size_t>(keyIndex) ? i : i + 1);
    }
    if (used.size() >= 255) fail(name, "more than 255 opaque colours");
    used.push_back(c);
    const std::size_t i = used.size() - 1;
    const std::size_t slot = i < static_cast<std::size_t>(keyIndex) ? i : i + 1;
    out.palette[slot] = c;
    return static_cast<std::uint8_t>(slot);
  };

  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const QRgb p = image.pixel(x, y);
      std::uint8_t index = 0;
      if (qAlpha(p) == 0) {
        index = static_cast<std::uint8_t>(keyIndex);
      } else if (qAlpha(p) == 255) {
        const Rgb c{static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                    static_cast<std::uint8_t>(qBlue(p))};
        if (c == keyColour) {
          fail(name, "an opaque pixel at " + std::to_string(x) + "," + std::to_string(y) +
                         " has the transparent colour");
        }
        index = indexOf(c);
      } else {
        fail(name, "partly transparent pixel at " + std::to_string(x) + "," + std::to_string(y));
      }
      out.pixels[static_cast<std::size_t>(y * out.width + x)] = index;
    }
  }
  return out;
}

QImage toImage(const IndexedImage& image) {
  QImage out(image.width, image.height, QImage::Format_ARGB32);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = image.palette[image.at(x, y)];
      out.setPixel(x, y, image.transparent(x, y) ? qRgba(0, 0, 0, 0) : qRgb(c.r, c.g, c.b));
    }
  }
  return out;
}

IndexedImage mirrored(const IndexedImage& image) {
  IndexedImage out = image;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      out.pixels[static_cast<std::size_t>(y * image.width + x)] = image.at(image.width - 1 - x, y);
    }
  }
  return out;
}

}  // namespace art
