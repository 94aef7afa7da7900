// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The six 48 x 48 icons: the game's light, the animal and face pointers, and a
// portrait for each level window. Drawn with QPainter (no smoothing: an icon is
// 256 colours with a one-bit mask, so every pixel is either fully drawn or
// clear) and made exactly symmetric where the subject faces the viewer.
#include <QPainter>
#include <QPolygon>

#include <cmath>

#include "art.h"

namespace art {
namespace {

constexpr int kSize = 48;

QImage blank() {
  QImage img(kSize, kSize, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  return img;
}

// A painter that draws whole pixels only.
class Pen {
 public:
  explicit Pen(QImage& img) : p_(&img) { p_.setRenderHint(QPainter::Antialiasing, false); }
  Pen& ellipse(int x, int y, int w, int h, QColor fill, QColor line = QColor()) {
    set(fill, line);
    p_.drawEllipse(x, y, w - 1, h - 1);
    return *this;
  }
  Pen& rect(int x, int y, int w, int h, QColor fill) {
    p_.fillRect(x, y, w, h, fill);
    return *this;
  }
  Pen& polygon(std::initializer_list<QPoint> points, QColor fill, QColor line = QColor()) {
    set(fill, line);
    p_.drawPolygon(QPolygon(QList<QPoint>(points)));
    return *this;
  }
  Pen& line(int x0, int y0, int x1, int y1, QColor c) {
    p_.setPen(QPen(c, 1));
    p_.drawLine(x0, y0, x1, y1);
    return *this;
  }

 private:
  void set(QColor fill, QColor line) {
    p_.setBrush(fill);
    p_.setPen(line.isValid() ? QPen(line, 1) : QPen(Qt::NoPen));
  }
  QPainter p_;
};

// Copies the left half onto the right, mirrored: front views stay symmetric
// however the shapes above happened to round.
void mirrorLeftHalf(QImage& img) {
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize / 2; ++x) img.setPixel(kSize - 1 - x, y, img.pixel(x, y));
  }
}

bool insideDisc(int x, int y, double radius) {
  const double dx = x - 23.5;
  const double dy = y - 23.5;
  return dx * dx + dy * dy <= radius * radius;
}

// Clears everything outside a round frame and draws the frame's rim.
void roundFrame(QImage& img, QColor rim) {
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (!insideDisc(x, y, 23.6)) {
        img.setPixel(x, y, qRgba(0, 0, 0, 0));
      } else if (!insideDisc(x, y, 22.4)) {
        img.setPixelColor(x, y, rim);
      }
    }
  }
}

IndexedImage finish(const char* name, const QImage& img) {
  return toIndexed(name, img, kIconKey, kIconKeyColour);
}

const QColor kInk(44, 24, 36);

}  // namespace

// A glowing light on a dark blue field: banded glow with a fine checker between
// bands instead of smooth blending, four long rays and a few sparkles.
IndexedImage iconLight() {
  QImage img = blank();
  const QColor bands[] = {
      QColor(255, 255, 244), QColor(255, 248, 190), QColor(255, 226, 110), QColor(246, 176, 70),
      QColor(170, 120, 110), QColor(86, 76, 132),   QColor(40, 46, 120),   QColor(20, 26, 86),
  };
  const double edges[] = {3.5, 6.0, 8.5, 11.0, 13.5, 16.5, 20.0};
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      // rounded square field: clear the corners
      const int cx = x < 6 ? 6 - x : (x > 41 ? x - 41 : 0);
      const int cy = y < 6 ? 6 - y : (y > 41 ? y - 41 : 0);
      if (cx * cx + cy * cy > 36) continue;
      const double d = std::hypot(x - 23.5, y - 23.5);
      int band = 7;
      for (int i = 0; i < 7; ++i) {
        if (d < edges[i]) {
          band = i;
          break;
        }
      }
      // within a pixel of the next band out, every other pixel takes it
      if (band < 7 && d > edges[band] - 1.0 && (x + y) % 2 == 0) ++band;
      img.setPixelColor(x, y, bands[band]);
      if (cx * cx + cy * cy > 20 || x == 0 || y == 0 || x == 47 || y == 47) {
        img.setPixelColor(x, y, QColor(60, 80, 170));  // rim
      }
    }
  }
  // rays
  for (int i = 0; i < 20; ++i) {
    const QColor c = i < 10 ? QColor(255, 248, 190) : (i < 16 ? QColor(246, 176, 70) : QColor(170, 120, 110));
    for (int s : {-1, 1}) {
      const int far = 23 + s * (4 + i) + (s > 0 ? 1 : 0);
      if (far > 1 && far < 46) {
        img.setPixelColor(far, 23, c);
        img.setPixelColor(far, 24, c);
        img.setPixelColor(23, far, c);
        img.setPixelColor(24, far, c);
      }
    }
  }
  for (int i = 0; i < 8; ++i) {
    const QColor c = i < 4 ? QColor(255, 248, 190) : QColor(246, 176, 70);
    img.setPixelColor(18 - i, 18 - i, c);
    img.setPixelColor(29 + i, 18 - i, c);
    img.setPixelColor(18 - i, 29 + i, c);
    img.setPixelColor(29 + i, 29 + i, c);
  }
  for (auto [x, y] : {std::pair{8, 10}, {38, 36}, {37, 9}, {10, 37}}) {
    img.setPixelColor(x, y, QColor(255, 255, 244));
    img.setPixelColor(x - 1, y, QColor(150, 170, 240));
    img.setPixelColor(x + 1, y, QColor(150, 170, 240));
    img.setPixelColor(x, y - 1, QColor(150, 170, 240));
    img.setPixelColor(x, y + 1, QColor(150, 170, 240));
  }
  return finish("icon_light", img);
}

// An orange tabby cat's face.
IndexedImage iconAnimal() {
  QImage img = blank();
  const QColor fur(240, 146, 52), dark(196, 98, 30), cream(252, 240, 222), pink(248, 160, 170);
  {
    Pen pen(img);
    pen.polygon({{4, 26}, {6, 2}, {22, 12}}, fur, kInk);
    pen.polygon({{8, 20}, {9, 8}, {17, 13}}, pink);
    pen.ellipse(2, 9, 44, 36, fur, kInk);
    // forehead stripes
    pen.rect(23, 12, 2, 6, dark).rect(18, 13, 2, 4, dark).rect(13, 16, 2, 3, dark);
    // cheeks
    pen.ellipse(2, 28, 8, 3, dark);
    pen.ellipse(13, 29, 12, 11, cream);
    // eye
    pen.ellipse(11, 20, 9, 9, QColor(130, 206, 84), kInk);
    pen.rect(15, 21, 2, 7, kInk);
    pen.rect(13, 22, 2, 2, QColor(255, 255, 255));
    // nose and mouth
    pen.polygon({{20, 29}, {24, 29}, {24, 32}}, pink, QColor(196, 90, 110));
    pen.line(23, 32, 23, 34, kInk).line(22, 35, 19, 35, kInk);
    // whiskers reach past the face
    pen.line(0, 30, 12, 32, kInk).line(1, 35, 12, 34, kInk);
  }
  mirrorLeftHalf(img);
  return finish("icon_animal", img);
}

// A round, smiling face.
IndexedImage iconFace() {
  QImage img = blank();
  {
    Pen pen(img);
    pen.ellipse(1, 1, 46, 46, QColor(255, 212, 72), QColor(150, 84, 20));
    pen.ellipse(7, 5, 16, 10, QColor(255, 230, 130));  // light from the upper left
    pen.ellipse(1, 1, 46, 46, Qt::transparent, QColor(150, 84, 20));
    pen.ellipse(13, 13, 7, 11, kInk);
    pen.rect(15, 15, 2, 3, QColor(255, 255, 255));
    pen.ellipse(7, 27, 8, 5, QColor(248, 140, 110));
    // smile
    pen.line(13, 32, 16, 35, kInk).line(16, 36, 20, 37, kInk).rect(20, 37, 4, 2, kInk);
    pen.rect(18, 35, 6, 2, kInk).rect(19, 36, 5, 1, QColor(210, 70, 80));
  }
  mirrorLeftHalf(img);
  return finish("icon_face", img);
}

// Portraits share a layout: a coloured round backdrop, shoulders at the bottom,
// the head above. Everything is drawn on the left half and mirrored.
IndexedImage iconPortrait1() {
  // Vessa: golden hair, gold tiara with a red stone, white top, blue collar, red bow.
  QImage img = blank();
  const QColor hair(250, 206, 72), hairDark(214, 150, 40), skin(255, 218, 184), skinDark(226, 166, 132);
  {
    Pen pen(img);
    pen.rect(0, 0, 48, 48, QColor(156, 206, 252));
    pen.ellipse(4, 4, 40, 46, hair, kInk);                 // hair falling behind
    pen.rect(5, 30, 10, 18, hair).line(4, 30, 4, 47, kInk);
    pen.line(9, 26, 9, 46, hairDark).line(13, 32, 13, 46, hairDark);
    pen.ellipse(14, 34, 20, 20, QColor(250, 250, 255), kInk);  // shoulders
    pen.polygon({{14, 38}, {24, 48}, {8, 48}}, QColor(52, 86, 214), kInk);  // collar
    pen.rect(21, 30, 3, 6, skin);                          // neck
    pen.ellipse(13, 9, 22, 25, skin, kInk);                // face
    pen.ellipse(10, 4, 28, 14, hair, kInk);                // fringe
    pen.polygon({{13, 12}, {17, 12}, {14, 19}}, hair).polygon({{18, 12}, {22, 12}, {20, 16}}, hair);
    pen.rect(14, 11, 10, 2, QColor(255, 226, 40)).rect(22, 10, 2, 4, QColor(230, 30, 80));  // tiara
    pen.rect(17, 20, 3, 5, QColor(40, 80, 200)).rect(17, 19, 4, 1, kInk).rect(17, 20, 1, 1, QColor(255, 255, 255));
    pen.rect(15, 26, 3, 1, QColor(248, 160, 150));         // blush
    pen.rect(22, 29, 2, 1, QColor(214, 84, 96));           // mouth
    pen.rect(21, 38, 3, 4, QColor(228, 36, 56));           // bow
    pen.line(13, 30, 15, 32, skinDark);
  }
  mirrorLeftHalf(img);
  roundFrame(img, QColor(40, 70, 170));
  return finish("icon_portrait1", img);
}

IndexedImage iconPortrait2() {
  // Pimmi: pink bob with side tails, green dress, white collar, gold star.
  QImage img = blank();
  const QColor hair(250, 142, 192), hairDark(204, 80, 146), skin(255, 218, 184);
  {
    Pen pen(img);
    pen.rect(0, 0, 48, 48, QColor(186, 236, 180));
    pen.ellipse(1, 18, 12, 14, hair, kInk);                 // side tail
    pen.ellipse(6, 4, 36, 34, hair, kInk);                  // bob
    pen.ellipse(12, 36, 24, 20, QColor(60, 180, 110), kInk);  // shoulders
    pen.polygon({{14, 36}, {24, 42}, {24, 36}}, QColor(250, 250, 255), kInk);  // collar
    pen.rect(21, 30, 3, 6, skin);
    pen.ellipse(13, 11, 22, 23, skin, kInk);
    pen.ellipse(11, 5, 26, 12, hair, kInk);
    pen.polygon({{12, 12}, {18, 12}, {13, 20}}, hair).line(12, 12, 12, 21, kInk);
    pen.line(17, 7, 14, 12, hairDark).line(22, 6, 20, 12, hairDark);
    pen.rect(17, 20, 3, 5, QColor(40, 150, 90)).rect(17, 19, 4, 1, kInk).rect(17, 20, 1, 1, QColor(255, 255, 255));
    pen.rect(15, 26, 3, 1, QColor(248, 140, 150));
    pen.rect(22, 29, 2, 1, QColor(214, 84, 96));
    pen.polygon({{24, 38}, {21, 41}, {24, 44}}, QColor(255, 220, 40));  // star brooch
  }
  mirrorLeftHalf(img);
  roundFrame(img, QColor(40, 130, 80));
  return finish("icon_portrait2", img);
}

IndexedImage iconPortrait3() {
  // The youma: purple, horned, yellow-eyed, grinning, in its crimson cloak.
  QImage img = blank();
  const QColor skin(134, 86, 168), dark(90, 54, 124), light(182, 144, 210);
  {
    Pen pen(img);
    pen.rect(0, 0, 48, 48, QColor(70, 24, 44));
    for (int y = 0; y < 48; y += 4) pen.line(0, y, 47, y, QColor(84, 30, 54));  // gloom
    pen.polygon({{3, 48}, {10, 34}, {24, 32}, {24, 48}}, QColor(170, 34, 64), kInk);  // cloak
    pen.polygon({{10, 36}, {16, 34}, {12, 48}, {7, 48}}, QColor(104, 18, 44));
    pen.polygon({{9, 2}, {16, 14}, {20, 10}}, QColor(226, 208, 168), kInk);  // horn
    pen.ellipse(9, 8, 30, 30, skin, kInk);                 // head
    pen.ellipse(11, 10, 10, 8, light);
    pen.polygon({{12, 18}, {24, 21}, {24, 24}, {13, 22}}, dark);  // heavy brow
    pen.polygon({{14, 22}, {21, 23}, {20, 26}, {15, 25}}, QColor(255, 232, 64), kInk);  // eye
    pen.rect(18, 23, 2, 2, QColor(255, 140, 30));
    pen.ellipse(13, 28, 22, 8, kInk);                      // mouth
    for (int x = 14; x < 24; x += 3) pen.rect(x, 29, 2, 2, QColor(246, 238, 214)).rect(x + 1, 33, 2, 2, QColor(246, 238, 214));
  }
  mirrorLeftHalf(img);
  roundFrame(img, QColor(30, 16, 36));
  return finish("icon_portrait3", img);
}

}  // namespace art
