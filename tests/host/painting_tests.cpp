// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the windows show, compared pixel by pixel with the decoded pictures. Run at scale factor 1
// and again at 2, where every picture pixel must become a crisp square of the same colour.
#include <QCoreApplication>
#include <QBackingStore>

#include "host_test_support.h"
#include "game/level/game1.h"
#include "game/level/game2.h"
#include "game/screens/intro.h"

namespace hosttest {
namespace {

// Checks that the window's grab shows `sprite` with its top-left at client pixel `at`, and
// `beneath` (in client pixels) through the sprite's transparent pixels. Each client pixel is
// `scale` x `scale` device pixels, all of exactly one colour: no smoothing.
void expectSpriteAt(const QImage& shot, double scale, QPoint at, const QImage& sprite,
                    const QImage& beneath) {
    const int s = static_cast<int>(scale);
    int mismatches = 0;
    for (int y = 0; y < sprite.height(); ++y)
        for (int x = 0; x < sprite.width(); ++x) {
            const QPoint p = at + QPoint(x, y);
            const QRgb src = sprite.pixel(x, y);
            const QRgb want = qAlpha(src) == 0 ? beneath.pixel(p) : src;
            for (int dy = 0; dy < s; ++dy)
                for (int dx = 0; dx < s; ++dx) {
                    const QRgb got = shot.pixel(p.x() * s + dx, p.y() * s + dy);
                    if ((got & 0xFFFFFF) != (want & 0xFFFFFF) && ++mismatches <= 5)
                        ADD_FAILURE() << "pixel (" << x << "," << y << ") of the sprite at ("
                                      << p.x() << "," << p.y() << ") +(" << dx << "," << dy
                                      << "): shows " << std::hex << (got & 0xFFFFFF) << ", wanted "
                                      << (want & 0xFFFFFF);
                }
        }
    EXPECT_EQ(mismatches, 0);
}

QRgb clientPixel(const QImage& shot, double scale, int x, int y) {
    const int s = static_cast<int>(scale);
    return shot.pixel(x * s, y * s) & 0xFFFFFF;
}

// What the window's backing store holds: the sum of every repaint so far, each of which covered
// only what changed.
QImage onScreen(QWidget& window) {
    // The offscreen platform keeps it as an image of the window's device pixels.
    QPaintDevice* device = window.backingStore()->paintDevice();
    if (!device || device->devType() != QInternal::Image) {
        ADD_FAILURE() << "the window's backing store is not an image";
        return {};
    }
    return static_cast<QImage*>(device)->convertToFormat(QImage::Format_RGB32);
}

// The frames come from the tests, not real time, so a slow run paints the same frames.
using Painting = GameOnTestClock;

TEST_F(Painting, TitleWindowShowsItsPictureAndTheSlidingTitle) {
    forms::qt::FormWindow* intro = window(program.Intro);
    ASSERT_NE(intro, nullptr);
    const double scale = expectedScale();
    QImage shot = grabImage(*intro);
    ASSERT_EQ(shot.size(), QSize(407, 453) * scale);
    const QImage title = asset("title");
    // The title picture is drawn unscaled from the top-left and cut off at the client edge.
    for (QPoint p : {QPoint(200, 200), QPoint(30, 100), QPoint(406, 380)})
        EXPECT_EQ(clientPixel(shot, scale, p.x(), p.y()), title.pixel(p) & 0xFFFFFF) << p.x() << "," << p.y();
    // Before the first tick only the title's last 9 pixels (135 twips) lie inside the window.
    constexpr QRgb kLightYellow = 0xFFFFC0;
    EXPECT_EQ(clientPixel(shot, scale, 4, 2), kLightYellow);
    EXPECT_EQ(clientPixel(shot, scale, 12, 2), title.pixel(12, 2) & 0xFFFFFF);

    // Slid in: the title stands at 6 pixels (90 twips); left of it the picture shows again.
    finishSlide();
    shot = grabImage(*intro);
    EXPECT_EQ(clientPixel(shot, scale, 3, 2), title.pixel(3, 2) & 0xFFFFFF);
    EXPECT_EQ(clientPixel(shot, scale, 8, 2), kLightYellow);
    EXPECT_EQ(clientPixel(shot, scale, 397, 2), kLightYellow);
}

TEST_F(Painting, ScoreBoardPaintsItsLabelsOverItsFrame) {
    forms::qt::FormWindow* intro = window(program.Intro);
    ASSERT_NE(intro, nullptr);
    const double scale = expectedScale();
    const QImage title = asset("title");
    // Hidden at first: the picture shows where the board will be.
    QImage shot = grabImage(*intro);
    EXPECT_EQ(clientPixel(shot, scale, 170, 242), title.pixel(170, 242) & 0xFFFFFF);
    program.runtime.dispatch([&] {
        program.Intro->LblScr.Visible = true;
        program.Intro->Score.Visible = true;
    });
    shot = grabImage(*intro);
    // A corner of each label is its blue background; the frame around them is dark red.
    EXPECT_EQ(clientPixel(shot, scale, 170, 242), 0x0000FFu);
    EXPECT_EQ(clientPixel(shot, scale, 170, 320), 0x0000FFu);
    EXPECT_EQ(clientPixel(shot, scale, 160, 260), 0x800000u);
}

TEST_F(Painting, LevelShowsTheStreetThroughSpritesAndTheExitSignCoversIt) {
    open(program.Game1);
    forms::qt::FormWindow* level = window(program.Game1);
    ASSERT_NE(level, nullptr);
    const double scale = expectedScale();
    const QImage street = asset("street");
    const QImage heroine = asset("vessa_stand_r");
    const QImage exitSign = asset("exit");
    QImage shot = grabImage(*level);
    ASSERT_EQ(shot.size(), QSize(497, 197) * scale);

    // The heroine at (3840, 1920) twips: her figure, and the street through her transparent colour.
    expectSpriteAt(shot, scale, {256, 128}, heroine, street);
    // The exit sign is hidden at first: its place shows the street.
    const QImage streetUnderSign = street.copy(16, 80, exitSign.width(), exitSign.height());
    expectSpriteAt(shot, scale, {16, 80}, streetUnderSign, street);

    program.runtime.dispatch([&] { program.Game1->Exito.Visible = true; });
    shot = grabImage(*level);
    // A bitmap: it covers every pixel of its rectangle.
    expectSpriteAt(shot, scale, {16, 80}, exitSign, street);

    // A sprite moved to a position of whole pixels shows there.
    program.runtime.dispatch([&] { program.Game1->Main.Left = 3840 + 120; });
    shot = grabImage(*level);
    expectSpriteAt(shot, scale, {264, 128}, heroine, street);
}

TEST_F(Painting, LabelShowsEachNewCaption) {
    forms::qt::FormWindow* intro = window(program.Intro);
    ASSERT_NE(intro, nullptr);
    const double scale = expectedScale();
    auto setScore = [&](const char* caption) {
        program.runtime.dispatch([&] {
            program.Intro->LblScr.Visible = true;
            program.Intro->Score.Visible = true;
            program.Intro->Score.Caption = caption;
        });
        const QImage shot = grabImage(*intro);
        // The score label's box, in device pixels.
        const QRect box(168, 272, 105, 49);
        return shot.copy(QRect(box.topLeft() * scale, box.size() * scale));
    };
    const QImage zero = setScore("0");
    const QImage full = setScore("500");
    EXPECT_NE(zero, full) << "the score label still shows its old caption";
    EXPECT_EQ(setScore("0"), zero);
}

TEST_F(Painting, RepaintsOfWhatChangedAddUpToTheWholeWindow) {
    open(program.Game2);
    forms::qt::FormWindow* level = window(program.Game2);
    ASSERT_NE(level, nullptr);
    QCoreApplication::processEvents();
    // A second of play, each frame repainted as the screen would be:
    // balls fall, the youma walk, a tiara flies, the heroine steps out of the balls' way.
    program.runtime.dispatch([&] { program.Game2->Form_KeyDown('D', 0); });
    program.runtime.dispatch([&] { program.Game2->Form_KeyUp('D', 0); });
    for (int frame = 0; frame < 60; ++frame) {
        if (frame % 10 == 0)
            program.runtime.dispatch([&] { program.Game2->Form_KeyDown(forms::key::Right, 0); });
        program.runtime.advanceTo(program.runtime.now() + 16, forms::LateTicks::Drop);
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(window(program.Game2), level) << "the level ended during the second of play";
    EXPECT_EQ(onScreen(*level), grabImage(*level));
}

}  // namespace
}  // namespace hosttest
