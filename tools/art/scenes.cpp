// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The three bitmaps: the title illustration, the street behind the levels and
// the exit sign. The large pictures are drawn with plain fills and pixel loops
// (no smoothing), so they keep the crisp look of the sprites that stand on them.
#include <QPainter>

#include <cstdint>

#include "art.h"

namespace art {
namespace {

QColor rgb(int r, int g, int b) { return QColor(r, g, b); }

// A small fixed-seed generator: texture noise that is the same on every run.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed) {}
  int below(int n) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(n));
  }

 private:
  std::uint32_t state_;
};

QColor shade(const QColor& c, int delta) {
  auto clamp = [](int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); };
  return QColor(clamp(c.red() + delta), clamp(c.green() + delta), clamp(c.blue() + delta));
}

void hline(QImage& img, int x0, int x1, int y, const QColor& c) {
  for (int x = x0; x <= x1; ++x) {
    if (x >= 0 && x < img.width() && y >= 0 && y < img.height()) img.setPixelColor(x, y, c);
  }
}

void box(QImage& img, int x, int y, int w, int h, const QColor& c) {
  for (int row = y; row < y + h; ++row) hline(img, x, x + w - 1, row, c);
}

void frame(QImage& img, int x, int y, int w, int h, const QColor& c) {
  hline(img, x, x + w - 1, y, c);
  hline(img, x, x + w - 1, y + h - 1, c);
  for (int row = y; row < y + h; ++row) {
    img.setPixelColor(x, row, c);
    img.setPixelColor(x + w - 1, row, c);
  }
}

// Draws a sprite (transparent pixels skipped) enlarged by a whole factor.
void stamp(QImage& img, const QImage& sprite, int x0, int y0, int scale) {
  for (int y = 0; y < sprite.height(); ++y) {
    for (int x = 0; x < sprite.width(); ++x) {
      const QRgb p = sprite.pixel(x, y);
      if (qAlpha(p) == 0) continue;
      box(img, x0 + x * scale, y0 + y * scale, scale, scale, QColor::fromRgb(p));
    }
  }
}

// ---------------------------------------------------------------------------
// The street. Shop fronts fill the upper two thirds; the figures walk on the
// paving below (their feet land between y 160 and 176), so the walk is kept
// calm and light enough for the dark outlines of the sprites to read.

struct Shop {
  int x, w;
  QColor wall;
  bool brick;
  QColor awningA, awningB;
  QColor glass;
};

constexpr int kShopBase = 131;  // first row of the paving

void drawWindowUpper(QImage& img, int x, int y, int w, int h, const QColor& wall) {
  box(img, x - 2, y - 2, w + 4, h + 4, shade(wall, -45));       // recess
  box(img, x, y, w, h, rgb(70, 96, 132));                        // glass
  box(img, x + 1, y + 1, w / 2 - 1, h / 2 - 1, rgb(110, 140, 176));  // sky seen in it
  hline(img, x, x + w - 1, y + h / 2, rgb(232, 226, 210));         // glazing bars
  for (int row = y; row < y + h; ++row) img.setPixelColor(x + w / 2, row, rgb(232, 226, 210));
  frame(img, x, y, w, h, rgb(232, 226, 210));
  box(img, x - 3, y + h + 1, w + 6, 2, rgb(214, 204, 184));        // sill
  hline(img, x - 3, x + w + 2, y + h + 3, shade(wall, -60));
  // curtains
  box(img, x + 1, y + 1, 2, h - 2, rgb(196, 90, 96));
  box(img, x + w - 3, y + 1, 2, h - 2, rgb(196, 90, 96));
}

void drawAwning(QImage& img, int x, int w, const QColor& a, const QColor& b) {
  const int top = 66;
  const int bottom = 82;
  for (int row = top; row <= bottom; ++row) {
    // slopes outwards: each lower row reaches one pixel further at both ends
    const int grow = (row - top) / 4;
    for (int col = x - grow; col < x + w + grow; ++col) {
      const bool stripe = ((col - x + 64) / 6) % 2 == 0;
      QColor c = stripe ? a : b;
      if (row == top) c = shade(c, 30);
      if (row >= bottom - 1) c = shade(c, -40);
      img.setPixelColor(col, row, c);
    }
  }
  // scalloped edge
  for (int col = x - 4; col < x + w + 4; ++col) {
    const int phase = ((col - x + 60) % 6);
    const int depth = (phase == 0 || phase == 5) ? 1 : 3;
    const bool stripe = ((col - x + 64) / 6) % 2 == 0;
    for (int row = bottom + 1; row <= bottom + depth; ++row) {
      img.setPixelColor(col, row, shade(stripe ? a : b, -25));
    }
  }
  // the shadow the awning throws on the shop window
  for (int col = x; col < x + w; ++col) {
    for (int row = bottom + 4; row < bottom + 7; ++row) {
      img.setPixelColor(col, row, shade(img.pixelColor(col, row), -35));
    }
  }
}

void drawShop(QImage& img, const Shop& s, Noise& noise) {
  // wall
  box(img, s.x, 0, s.w, kShopBase, s.wall);
  if (s.brick) {
    const QColor mortar = shade(s.wall, 36);
    for (int row = 0; row < 64; ++row) {
      if (row % 5 == 4) {
        hline(img, s.x, s.x + s.w - 1, row, mortar);
        continue;
      }
      const int offset = (row / 5) % 2 == 0 ? 0 : 5;
      for (int col = s.x; col < s.x + s.w; ++col) {
        if ((col - s.x + offset) % 10 == 0) img.setPixelColor(col, row, mortar);
      }
    }
    for (int i = 0; i < s.w / 3; ++i) {  // a few darker bricks
      const int bx = s.x + noise.below(s.w / 10) * 10;
      const int by = noise.below(12) * 5;
      const int off = (by / 5) % 2 == 0 ? 0 : 5;
      box(img, bx + 1 - off + (off ? 10 : 0), by, 9, 4, shade(s.wall, -14));
    }
  } else {
    for (int i = 0; i < s.w * 3; ++i) {  // plaster speckle
      // One draw a statement: the order in which a call's arguments are evaluated is unspecified.
      const QColor speck = shade(s.wall, noise.below(2) ? -10 : 8);
      const int sy = noise.below(64);
      const int sx = s.x + noise.below(s.w);
      img.setPixelColor(sx, sy, speck);
    }
  }
  // cornice at the top and a string course under the upper windows
  box(img, s.x, 0, s.w, 3, shade(s.wall, -50));
  box(img, s.x, 3, s.w, 2, shade(s.wall, 30));
  // pilasters at the sides
  box(img, s.x, 0, 3, kShopBase, shade(s.wall, -30));
  box(img, s.x + s.w - 3, 0, 3, kShopBase, shade(s.wall, -30));

  // upper windows
  const int count = s.w >= 110 ? 3 : 2;
  const int ww = 18;
  const int gap = (s.w - count * ww) / (count + 1);
  for (int i = 0; i < count; ++i) drawWindowUpper(img, s.x + gap + i * (ww + gap), 14, ww, 26, s.wall);

  // sign board
  box(img, s.x + 6, 50, s.w - 12, 14, rgb(52, 38, 34));
  frame(img, s.x + 6, 50, s.w - 12, 14, rgb(206, 168, 72));
  for (int col = s.x + 14; col < s.x + s.w - 14; col += 7) {  // gilded lettering, unreadable at this size
    box(img, col, 55, 4, 4, rgb(232, 200, 96));
    img.setPixelColor(col + 1, 56, rgb(52, 38, 34));
  }

  // shop front below the awning
  const int frontTop = 86;
  box(img, s.x + 3, frontTop, s.w - 6, kShopBase - frontTop, rgb(86, 58, 44));
  const int doorW = 16;
  const int doorX = s.x + s.w - doorW - 10;
  // display window
  const int gx = s.x + 8;
  const int gw = doorX - gx - 6;
  box(img, gx, frontTop + 4, gw, 34, s.glass);
  for (int d = 0; d < gw + 34; d += 14) {  // reflections
    for (int k = 0; k < 3; ++k) {
      for (int row = 0; row < 34; ++row) {
        const int col = gx + d + k - row;
        if (col >= gx && col < gx + gw) img.setPixelColor(col, frontTop + 4 + row, shade(s.glass, 22 - k * 6));
      }
    }
  }
  // goods on a shelf in the window
  hline(img, gx, gx + gw - 1, frontTop + 30, rgb(150, 110, 70));
  for (int col = gx + 4; col + 8 < gx + gw; col += 12) {
    const int kind = noise.below(3);
    const QColor c = kind == 0 ? rgb(230, 190, 90) : kind == 1 ? rgb(200, 120, 160) : rgb(120, 190, 150);
    const int h = 6 + noise.below(6);
    box(img, col, frontTop + 30 - h, 7, h, c);
    box(img, col, frontTop + 30 - h, 7, 1, shade(c, 40));
    box(img, col + 6, frontTop + 30 - h, 1, h, shade(c, -40));
  }
  frame(img, gx - 1, frontTop + 3, gw + 2, 36, rgb(40, 26, 20));
  // door
  box(img, doorX, frontTop + 4, doorW, kShopBase - frontTop - 4, rgb(120, 70, 44));
  box(img, doorX + 3, frontTop + 7, doorW - 6, 16, s.glass);
  frame(img, doorX, frontTop + 4, doorW, kShopBase - frontTop - 4, rgb(40, 26, 20));
  box(img, doorX + doorW - 4, frontTop + 27, 2, 2, rgb(236, 200, 90));
  box(img, doorX + 3, frontTop + 27, doorW - 6, 12, rgb(104, 60, 38));
  // stone plinth
  box(img, s.x, kShopBase - 4, s.w, 4, rgb(150, 146, 138));
  hline(img, s.x, s.x + s.w - 1, kShopBase - 4, rgb(186, 182, 172));

  drawAwning(img, s.x + 5, s.w - 10, s.awningA, s.awningB);
}

}  // namespace

QImage street() {
  QImage img(500, 197, QImage::Format_RGB888);
  img.fill(rgb(120, 120, 120));
  Noise noise(0x5EED5u);

  const Shop shops[] = {
      {0, 96, rgb(156, 74, 58), true, rgb(46, 130, 84), rgb(236, 232, 216), rgb(64, 104, 116)},
      {96, 112, rgb(222, 206, 168), false, rgb(52, 92, 170), rgb(236, 232, 216), rgb(70, 96, 124)},
      {208, 100, rgb(120, 142, 120), false, rgb(214, 132, 40), rgb(246, 226, 170), rgb(60, 92, 110)},
      {308, 96, rgb(146, 82, 70), true, rgb(150, 60, 120), rgb(236, 232, 216), rgb(66, 100, 120)},
      {404, 96, rgb(200, 178, 120), false, rgb(40, 120, 130), rgb(236, 232, 216), rgb(70, 96, 124)},
  };
  for (const Shop& s : shops) drawShop(img, s, noise);

  // paving: staggered slabs, each a touch lighter or darker than the next
  const QColor slab = rgb(196, 188, 172);
  const QColor grout = rgb(150, 142, 128);
  for (int row = kShopBase; row < 186; ++row) {
    for (int col = 0; col < 500; ++col) img.setPixelColor(col, row, slab);
  }
  for (int band = 0; band * 11 + kShopBase < 186; ++band) {
    const int top = kShopBase + band * 11;
    const int offset = band % 2 == 0 ? 0 : 14;
    for (int x0 = -offset; x0 < 500; x0 += 28) {
      const QColor c = shade(slab, noise.below(11) - 5);
      box(img, x0 + 1, top + 1, 27, 10, c);
      hline(img, x0 + 1, x0 + 27, top + 1, shade(c, 10));
    }
    hline(img, 0, 499, top, grout);
    for (int x0 = -offset; x0 < 500; x0 += 28) {
      for (int row = top; row < top + 11 && row < 186; ++row) {
        if (x0 >= 0) img.setPixelColor(x0, row, grout);
      }
    }
  }
  // a soft shadow line where the walk meets the shop fronts
  hline(img, 0, 499, kShopBase, rgb(120, 112, 100));
  // kerb and a strip of road
  box(img, 0, 186, 500, 4, rgb(214, 210, 200));
  hline(img, 0, 499, 189, rgb(150, 146, 138));
  box(img, 0, 190, 500, 7, rgb(64, 64, 72));
  for (int i = 0; i < 120; ++i) {
    const int y = 191 + noise.below(6);
    const int x = noise.below(500);
    img.setPixelColor(x, y, rgb(84, 84, 92));
  }
  return img;
}

// ---------------------------------------------------------------------------
// The exit sign: red on blue with a dark edge, the letters and arrow carry a
// one-pixel shadow so they stand off the field.
QImage exitSign() {
  static constexpr const char* kSign = R"(
nnnnnnnnnnnnnnnnnnnnnnn
nbbbbbbbbbbbbbbbbbbbbbn
nbbbbbbbbbbbbbbbbbbbbbn
nbbrrrrbbbbbbbrbbrbbbbn
nbbrssssbbbbbbbsbrsbbbn
nbbrsbbbrbbbrbrbrrrbbbn
nbbrrrbbbrbrbsrsbrssbbn
nbbrsssbbbrbsbrsbrsbbbn
nbbrsbbbbrbrbbrsbrsbbbn
nbbrrrrbrbsbrbrsbrrbbbn
nbbbssssbsbbbsbsbbssbbn
nbbbbbbbbbbbbbbbbbbbbbn
nbbbbbbbbrrrrrbbbbbbbbn
nbbbbbbbbrrrrrsbbbbbbbn
nbbbbbbbbrrrrrsbbbbbbbn
nbbbbbbbbrrrrrsbbbbbbbn
nbbbbbbbbrrrrrsbbbbbbbn
nbbbbbbbbrrrrrsbbbbbbbn
nbbbbbbbbrrrrrsbbbbbbbn
nbbrrrrrrrrrrrrrrrrrbbn
nbbbrrrrrrrrrrrrrrrssbn
nbbbbrrrrrrrrrrrrrssbbn
nbbbbbrrrrrrrrrrrssbbbn
nbbbbbbrrrrrrrrrssbbbbn
nbbbbbbbrrrrrrrssbbbbbn
nbbbbbbbbrrrrrssbbbbbbn
nbbbbbbbbbrrrssbbbbbbbn
nbbbbbbbbbbrssbbbbbbbbn
nbbbbbbbbbbbsbbbbbbbbbn
nnnnnnnnnnnnnnnnnnnnnnn
)";
  const Legend ink = {{'b', {16, 40, 200}}, {'n', {8, 16, 110}}, {'r', {236, 24, 32}}, {'s', {10, 24, 130}}};
  return gridToImage("exit", kSign, ink, 23, 30).convertToFormat(QImage::Format_RGB888);
}

// ---------------------------------------------------------------------------
// The title picture: Vessa and a youma facing off across the rooftops under a
// big moon. The window shows the upper 407 x 453; the title label slides over
// the top 41 rows and the score board sits in the middle (x 160-280,
// y 232-329), so both are kept to quiet sky.
QImage titlePicture() {
  QImage img(409, 579, QImage::Format_RGB888);
  Noise noise(0x717Eu);
  // night sky in bands, deep blue at the top to violet at the horizon
  for (int row = 0; row < 579; ++row) {
    const int t = row * 12 / 579;
    const QColor c(18 + t * 6, 20 + t * 3, 64 + t * 7);
    hline(img, 0, 408, row, c);
  }
  // stars
  for (int i = 0; i < 220; ++i) {
    const int x = noise.below(409);
    const int y = 42 + noise.below(300);
    const int kind = noise.below(10);
    const QColor c = kind < 6 ? rgb(170, 170, 210) : rgb(255, 250, 220);
    img.setPixelColor(x, y, c);
    if (kind == 9 && x > 1 && x < 407) {  // a few twinkle crosses
      img.setPixelColor(x - 1, y, rgb(150, 150, 200));
      img.setPixelColor(x + 1, y, rgb(150, 150, 200));
      if (y > 1) img.setPixelColor(x, y - 1, rgb(150, 150, 200));
      img.setPixelColor(x, y + 1, rgb(150, 150, 200));
    }
  }
  // the moon with a banded halo
  const int mx = 300;
  const int my = 118;
  for (int y = my - 80; y <= my + 80; ++y) {
    for (int x = mx - 80; x <= mx + 80; ++x) {
      if (x < 0 || x > 408) continue;
      const int d2 = (x - mx) * (x - mx) + (y - my) * (y - my);
      if (d2 < 46 * 46) {
        QColor c = rgb(250, 244, 206);
        const int cx = x - (mx - 12);
        const int cy = y - (my - 14);
        if (cx * cx + cy * cy < 10 * 10 || (x - mx - 16) * (x - mx - 16) + (y - my - 12) * (y - my - 12) < 7 * 7 ||
            (x - mx + 6) * (x - mx + 6) + (y - my - 22) * (y - my - 22) < 5 * 5) {
          c = rgb(226, 218, 178);  // craters
        }
        if (d2 > 43 * 43) c = rgb(236, 228, 186);
        img.setPixelColor(x, y, c);
      } else if (d2 < 56 * 56) {
        img.setPixelColor(x, y, shade(img.pixelColor(x, y), 26));
      } else if (d2 < 70 * 70) {
        img.setPixelColor(x, y, shade(img.pixelColor(x, y), 12));
      }
    }
  }
  // a shooting star: the thrown tiara's streak
  for (int i = 0; i < 90; ++i) {
    const int x = 70 + i;
    const int y = 150 - i / 3;
    const int fade = 90 - i;
    img.setPixelColor(x, y, rgb(255, 236 - fade / 2, 120 + i));
    if (i > 40) img.setPixelColor(x, y + 1, rgb(255, 200, 120));
  }
  box(img, 158, 117, 5, 5, rgb(255, 255, 230));

  // rooftops: a far row in dusky violet with lit windows, a near row in black-blue
  const QColor far = rgb(54, 44, 92);
  const QColor near = rgb(22, 18, 44);
  int x = 0;
  while (x < 409) {
    const int w = 30 + noise.below(40);
    const int top = 300 + noise.below(60);
    box(img, x, top, w, 579 - top, far);
    for (int wy = top + 8; wy < 560; wy += 14) {
      for (int wx = x + 5; wx + 5 < x + w; wx += 10) {
        if (noise.below(3) == 0) box(img, wx, wy, 4, 6, rgb(250, 214, 110));
      }
    }
    x += w;
  }
  // the two near rooftops the figures stand on; the middle stays low for the board
  box(img, 0, 402, 150, 177, near);
  box(img, 0, 396, 140, 6, rgb(40, 34, 70));
  box(img, 276, 410, 133, 169, near);
  box(img, 284, 404, 125, 6, rgb(40, 34, 70));
  box(img, 150, 436, 126, 143, near);
  // chimneys
  box(img, 16, 372, 14, 24, near);
  box(img, 14, 368, 18, 5, rgb(40, 34, 70));
  box(img, 380, 382, 12, 22, near);
  box(img, 378, 378, 16, 5, rgb(40, 34, 70));

  // the figures, enlarged pixel for pixel from their sprites
  stamp(img, toImage(youma()), 34, 402 - 64 * 3, 3);
  stamp(img, toImage(mirrored(vessaWindup())), 296, 404 - 37 * 4, 4);
  return img;
}

}  // namespace art
