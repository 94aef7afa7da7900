// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The game's zoom on a 1920x1080 screen (ctest runs these on such an offscreen screen): it starts
// at 2, the desktop's zoom keys and fullscreen change every window and never reach the game, and
// a window given any size shows the game at the largest whole zoom that fits, centred on black.
#include <QScreen>
#include <QTest>

#include "host_test_support.h"
#include "game/level/game1.h"
#include "game/screens/intro.h"
#include "game/screens/selec.h"
#include "qt_host/form_button.h"
#include "qt_host/placement.h"

namespace hosttest {
namespace {

class Zoom : public GameOnTestClock {
protected:
    void SetUp() override {
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        if (screen != QSize(1920, 1080)) GTEST_SKIP() << "run on a 1920x1080 screen (host.ZoomOn1920x1080)";
        GameOnTestClock::SetUp();
    }
    // The form's pixel (x, y) in a grab of its window drawn at `zoom`, its top-left at `origin`:
    // every device pixel of its square the one colour; -1 where they differ.
    static qint64 square(const QImage& shot, QPoint origin, int zoom, int x, int y) {
        const int s = zoom * static_cast<int>(expectedScale());
        const QPoint at = (origin + QPoint(x, y) * zoom) * static_cast<int>(expectedScale());
        const QRgb first = shot.pixel(at) & 0xFFFFFF;
        for (int dy = 0; dy < s; ++dy)
            for (int dx = 0; dx < s; ++dx)
                if ((shot.pixel(at + QPoint(dx, dy)) & 0xFFFFFF) != first) return -1;
        return first;
    }
    static void press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods) { QTest::keyClick(w, key, mods); }
};

TEST_F(Zoom, StartsAtTheLargestZoomTheTitleFitsAndDrawsTheWholeGameAtIt) {
    forms::qt::FormWindow* intro = window(program.Intro);
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(host.zoom(), 2);
    EXPECT_EQ(intro->size(), QSize(814, 906));
    const QRect available = intro->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(QRect(intro->pos(), intro->size().grownBy(forms::qt::expectedFrame()))));
    // The picture in equal 2x2 squares; the Quit button and its caption twice as large.
    const QImage shot = grabImage(*intro);
    const QImage title = asset("title");
    for (QPoint p : {QPoint(200, 200), QPoint(30, 100), QPoint(406, 380)})
        EXPECT_EQ(square(shot, {}, 2, p.x(), p.y()), title.pixel(p) & 0xFFFFFF) << p.x() << "," << p.y();
    for (forms::qt::FormButton* b : intro->buttons())
        if (b->button() == &program.Intro->Quit) {
            EXPECT_EQ(b->geometry(), QRect(672, 864, 146, 44));
            EXPECT_EQ(b->caption().font().pixelSize(), 2 * program.Intro->Quit.look.font.pixelSize());
        }
    // A window opened later at its design position times the zoom, where that fits.
    open(program.Selec);
    forms::qt::FormWindow* selec = window(program.Selec);
    ASSERT_NE(selec, nullptr);
    EXPECT_EQ(selec->size(), QSize(632, 446));
    EXPECT_EQ(selec->pos(), QPoint(478, 330));
}

TEST_F(Zoom, TheDesktopsZoomKeysZoomEveryWindowAndBack) {
    forms::qt::FormWindow* intro = window(program.Intro);
    open(program.Game1);
    forms::qt::FormWindow* level = window(program.Game1);
    ASSERT_TRUE(intro && level);
    const forms::Single heroine = program.Game1->Main.Left;
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int zoom;
    };
    const Step steps[] = {
        {Qt::Key_Minus, Qt::ControlModifier, 1},
        {Qt::Key_Minus, Qt::ControlModifier, 1},  // never below 1
        {Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, 2},
        {Qt::Key_Equal, Qt::ControlModifier, 3},  // the level still fits at 3 ...
        {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, 3},  // ... and no further
        {Qt::Key_0, Qt::ControlModifier, 2},  // back to the start zoom
    };
    for (const Step& s : steps) {
        press(level, s.key, s.mods);
        EXPECT_EQ(host.zoom(), s.zoom);
        EXPECT_EQ(level->size(), QSize(497, 197) * s.zoom);
        // The title never grows past what its screen holds.
        EXPECT_EQ(intro->size(), QSize(407, 453) * std::min(s.zoom, 2));
        for (forms::qt::FormWindow* w : {intro, level})
            EXPECT_TRUE(w->screen()->availableGeometry().contains(
                QRect(w->pos(), w->size().grownBy(forms::qt::expectedFrame()))));
    }
    // The game never saw one of those keys.
    EXPECT_EQ(program.Game1->Main.Left.get(), heroine);
    EXPECT_TRUE(program.Game1.loaded());
}

TEST_F(Zoom, FullscreenFillsTheScreenAtTheLargestZoomCentredOnBlackAndEveryWindowShownComesUpSo) {
    open(program.Game1);
    forms::qt::FormWindow* level = window(program.Game1);
    ASSERT_NE(level, nullptr);
    press(level, Qt::Key_F11, {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return level->size() == QSize(1920, 1080); }, 5000));
    EXPECT_TRUE(host.fullScreen());
    // 497x197 three times is 1491x591, centred: black around it, the street in 3x3 squares.
    EXPECT_EQ(level->zoom(), 3);
    EXPECT_EQ(level->origin(), QPoint(214, 244));
    QImage shot = grabImage(*level);
    const QImage street = asset("street");
    EXPECT_EQ(shot.pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(shot.pixel(1919, 1079) & 0xFFFFFF, 0u);
    for (QPoint p : {QPoint(0, 10), QPoint(100, 50), QPoint(496, 196)})
        EXPECT_EQ(square(shot, level->origin(), 3, p.x(), p.y()), street.pixel(p) & 0xFFFFFF) << p.x() << "," << p.y();
    // The game plays on: Right steps the heroine, drawn at her new place.
    press(level, Qt::Key_Right, {});
    EXPECT_EQ(program.Game1->Main.Left.get(), forms::Single(3840 + 120));
    // A window the game shows meanwhile comes up fullscreen too.
    open(program.Selec);
    EXPECT_TRUE(window(program.Selec)->isFullScreen());
    // Alt+Enter goes back: each window at the game's zoom again.
    press(level, Qt::Key_Return, Qt::AltModifier);
    EXPECT_FALSE(host.fullScreen());
    ASSERT_TRUE(QTest::qWaitFor([&] { return level->size() == QSize(994, 394); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window(program.Selec)->size() == QSize(632, 446); }, 5000));
    EXPECT_EQ(level->origin(), QPoint(0, 0));
}

TEST_F(Zoom, AnySizeAWindowIsGivenShowsTheLargestWholeZoomThatFitsCentred) {
    forms::qt::FormWindow* intro = window(program.Intro);
    ASSERT_NE(intro, nullptr);
    struct Case {
        QSize given;
        int zoom;
        QPoint origin;
    };
    const Case cases[] = {
        {{1000, 1000}, 2, {92, 46}},  // whole pixels in steps the screen's scale keeps whole
        {{1920, 1080}, 2, {552, 86}},  // maximised
        {{500, 2000}, 1, {46, 772}},   // a narrow size
        {{407, 453}, 1, {0, 0}},
    };
    const QImage title = asset("title");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.given.width()) + "x" + std::to_string(c.given.height()));
        intro->resize(c.given);
        EXPECT_EQ(intro->zoom(), c.zoom);
        EXPECT_EQ(intro->origin().x() / 2, c.origin.x() / 2);
        EXPECT_EQ(intro->origin().y() / 2, c.origin.y() / 2);
        const QImage shot = grabImage(*intro);
        EXPECT_EQ(square(shot, intro->origin(), c.zoom, 200, 200), title.pixel(200, 200) & 0xFFFFFF);
        if (intro->origin() != QPoint(0, 0)) {
            EXPECT_EQ(shot.pixel(0, 0) & 0xFFFFFF, 0u) << "not black around the game";
        }
        // The buttons go with the picture.
        for (forms::qt::FormButton* b : intro->buttons())
            if (b->button() == &program.Intro->Quit) {
                EXPECT_EQ(b->geometry(), QRect(intro->origin() + QPoint(336, 432) * c.zoom, QSize(73, 22) * c.zoom));
            }
    }
}

// The zoom keys and fullscreen are the host's: a form's own key handler never hears of them.
using HostKeys = ProbeDesktop;

TEST_F(HostKeys, NeverReachTheGame) {
    forms::qt::FormWindow& w = show(keyProbe);
    for (auto [key, mods] : std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>>{
             {Qt::Key_Plus, Qt::ControlModifier}, {Qt::Key_Equal, Qt::ControlModifier},
             {Qt::Key_Minus, Qt::ControlModifier}, {Qt::Key_0, Qt::ControlModifier}, {Qt::Key_F11, {}},
             {Qt::Key_F11, {}}, {Qt::Key_Return, Qt::AltModifier}, {Qt::Key_Return, Qt::AltModifier}})
        QTest::keyClick(&w, key, mods);
    // Only Ctrl and Alt themselves, keys of their own as the desktop delivers them.
    auto others = [&] {
        std::vector<KeyProbe::Key> keys;
        for (const KeyProbe::Key& k : keyProbe->keys)
            if (k.code != 17 && k.code != 18) keys.push_back(k);
        return keys;
    };
    EXPECT_EQ(others(), std::vector<KeyProbe::Key>{});
    // Other keys with the same modifiers still reach it.
    QTest::keyClick(&w, Qt::Key_A, Qt::ControlModifier);
    // The key-up is held back a moment, in case it was a repeat.
    EXPECT_TRUE(QTest::qWaitFor([&] { return others().size() == 2; }, 5000));
    EXPECT_EQ(others(), (std::vector<KeyProbe::Key>{{true, 'A', 2}, {false, 'A', 2}}));
}

}  // namespace
}  // namespace hosttest
