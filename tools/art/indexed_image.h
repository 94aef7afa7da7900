// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Palette pictures: the form every sprite and icon passes through before it is
// written. A picture is either opaque or fully transparent per pixel; the
// transparent pixels all use one reserved palette index (the "key").
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include <QImage>

namespace art {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct IndexedImage {
  int width = 0;
  int height = 0;
  std::array<Rgb, 256> palette{};
  std::vector<std::uint8_t> pixels;  // row-major, top row first
  int keyIndex = 0;                  // index of the transparent pixels

  std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
  bool transparent(int x, int y) const { return at(x, y) == keyIndex; }
};

// One character of a pixel grid and the colour it stands for.
struct Ink {
  char symbol;
  Rgb colour;
};
using Legend = std::vector<Ink>;

// The character that marks a transparent pixel in every grid.
inline constexpr char kClear = '.';

// Parses a grid of rows (one character per pixel, rows separated by newlines,
// blank leading/trailing lines ignored) into an ARGB picture. Aborts when a row
// has the wrong width, the row count is wrong, or a character is not in the legend:
// a typo in a grid must never turn into a silently wrong sprite.
QImage gridToImage(std::string_view name, std::string_view grid, const Legend& legend, int width,
                   int height);

// Same, for pictures that are symmetric about their vertical centre line: each row
// gives the left half only (width / 2 characters, rounded up) and the right half is
// its mirror. Faces and front views stay exactly symmetric this way.
QImage halfGridToImage(std::string_view name, std::string_view grid, const Legend& legend,
                       int width, int height);

// Converts an ARGB picture whose pixels are fully opaque or fully transparent to
// a palette picture. Colours get palette entries in the order they first appear
// (so the output is the same on every run); the key entry holds keyColour. Aborts
// when an opaque pixel has exactly the key colour (a host that keys on colour
// would punch a hole there), when alpha is partial, or when colours run out.
IndexedImage toIndexed(std::string_view name, const QImage& image, int keyIndex, Rgb keyColour);

// The exact left-right mirror, with the same palette.
IndexedImage mirrored(const IndexedImage& image);

// Back to an ARGB picture (key pixels fully transparent), for drawing a sprite
// into a larger scene.
QImage toImage(const IndexedImage& image);

// Aborts the tool with a message naming the picture.
[[noreturn]] void fail(std::string_view name, std::string_view what);

}  // namespace art
