// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Every picture of the game, as the drawing code produces it.
#pragma once

#include <QImage>

#include "indexed_image.h"

namespace art {

// Transparent colours of the sprite families; each family keys one palette index.
inline constexpr int kBallKey = 245;
inline constexpr Rgb kBallKeyColour{248, 248, 248};
inline constexpr int kYoumaKey = 7;
inline constexpr Rgb kYoumaKeyColour{192, 192, 192};
inline constexpr int kVessaKey = 248;
inline constexpr Rgb kVessaKeyColour{128, 128, 128};
inline constexpr int kVessaShotKey = 0;
inline constexpr Rgb kVessaShotKeyColour{0, 0, 0};
inline constexpr int kPimmiKey = 23;
inline constexpr Rgb kPimmiKeyColour{120, 120, 120};
// Icons: index 0 is black and marks the pixels the AND mask lets through.
inline constexpr int kIconKey = 0;
inline constexpr Rgb kIconKeyColour{0, 0, 0};

// Bitmaps (scenes.cpp).
QImage titlePicture();  // 409 x 579
QImage street();        // 500 x 197
QImage exitSign();      // 23 x 30

// Sprites, facing right (sprites.cpp); the left-facing ones are their mirrors.
IndexedImage ball();           // 17 x 18
IndexedImage youma();          // 35 x 64
IndexedImage vessaStand();     // 19 x 38
IndexedImage vessaWindup();    // 20 x 37
IndexedImage vessaRelease();   // 21 x 36
IndexedImage vessaShot();      // 35 x 13
IndexedImage pimmiStand();     // 20 x 37
IndexedImage pimmiWindup();    // 29 x 37
IndexedImage pimmiRelease();   // 26 x 37
IndexedImage pimmiShot();      // 15 x 16

// Icons, 48 x 48 (icons.cpp).
IndexedImage iconLight();
IndexedImage iconAnimal();
IndexedImage iconFace();
IndexedImage iconPortrait1();
IndexedImage iconPortrait2();
IndexedImage iconPortrait3();

}  // namespace art
