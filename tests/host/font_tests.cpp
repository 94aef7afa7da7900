// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The game's designed fonts are rarely installed on Linux; each falls to a close stand-in.
#include <gtest/gtest.h>

#include <QFontInfo>

#include "runtime/controls.h"
#include "qt_host/stand_in_fonts.h"

namespace hosttest {
namespace {

TEST(StandInFonts, DesignedFacesFallToInstalledStandInsAtTheirPixelSize) {
    struct Case {
        forms::Font designed;
        const char* family;  // what the desktop draws with (fonts-urw-base35)
        int pixels;
    };
    const Case cases[] = {
        {{"Lucida Handwriting", 27.75}, "Z003", 37},  // the title
        {{"MS Sans Serif", 8.25}, "Nimbus Sans", 11},  // the runtime's default
        {{"MS Sans Serif", 18, true, true}, "Nimbus Sans", 24},  // the score board's heading
        {{"Some Face Nobody Has", 12}, "Nimbus Sans", 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.designed.name);
        const QFont font = forms::qt::standInFont(c.designed);
        const QFontInfo drawn(font);
        // "Z003 [UKWN]": the family, then the foundry of the cut the desktop chose.
        EXPECT_EQ(drawn.family().section(QStringLiteral(" ["), 0, 0).toStdString(), c.family);
        EXPECT_EQ(drawn.pixelSize(), c.pixels);
        EXPECT_EQ(drawn.bold(), c.designed.bold);
        EXPECT_EQ(font.underline(), c.designed.underline);
    }
}

}  // namespace
}  // namespace hosttest
