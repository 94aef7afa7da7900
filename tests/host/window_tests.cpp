// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Each shown form is one top-level window, placed, titled and dressed as designed, at the zoom its
// screen gives (1 on the offscreen platform's 800x600 screen).
#include <QCoreApplication>
#include <QCursor>
#include <QPointer>
#include <QScreen>

#include "host_test_support.h"
#include "qt_host/form_button.h"
#include "qt_host/placement.h"
#include "game/level/game1.h"
#include "game/level/game2.h"
#include "game/level/game3.h"
#include "game/level/sprites.h"
#include "game/screens/intro.h"
#include "game/screens/selec.h"

namespace hosttest {
namespace {

using WindowsOfTheGame = GameDesktop;

TEST_F(WindowsOfTheGame, EachFormHasAWindowOfItsDesignSize) {
    struct Case {
        forms::FormSlotBase& slot;
        QSize client;
        QPoint place;
        const char* title;
        bool customPointer;
    };
    const Case cases[] = {
        {program.Intro, {407, 453}, {171, 108}, "Miravel Vozoda", true},
        {program.Selec, {316, 223}, {239, 165}, "Miravel Vozoda", true},
        {program.Game1, {497, 197}, {165, 249}, "Miravel Vozoda", false},
        {program.Game2, {495, 196}, {165, 184}, "Miravel Vozoda", false},
        {program.Game3, {498, 196}, {165, 184}, "Miravel Vozoda", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot.name());
        open(c.slot);
        forms::qt::FormWindow* w = window(c.slot);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->isWindow());
        EXPECT_EQ(w->size(), c.client);
        // Never smaller than at zoom 1; any larger size a window manager gives it is taken.
        EXPECT_EQ(w->minimumSize(), c.client);
        EXPECT_GT(w->maximumSize().width(), 4000);
        EXPECT_TRUE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(w->pos(), c.place);
        EXPECT_EQ(w->windowTitle(), c.title);
        EXPECT_FALSE(w->windowIcon().isNull()) << "the form's icon did not load";
        EXPECT_EQ(w->cursor().shape(), c.customPointer ? Qt::BitmapCursor : Qt::ArrowCursor);
    }
    // The catalogue the levels load is never shown, so it gets no window.
    ASSERT_TRUE(program.Sprites.loaded());
    EXPECT_EQ(window(program.Sprites), nullptr);
}

TEST(WindowPlacement, AtItsPlaceWhereItFitsMovedJustEnoughWhereItDoesNot) {
    const QRect screen(0, 0, 640, 512);  // a 1280 x 1024 screen at scale 2
    struct Case {
        const char* what;
        QPoint wanted;
        QSize frame;
        QPoint placed;
    };
    const Case cases[] = {
        {"fits", {171, 108}, {316, 259}, {171, 108}},
        {"runs off the bottom", {171, 108}, {415, 489}, {171, 23}},
        {"runs off the right", {400, 10}, {316, 259}, {324, 10}},
        {"starts left of and above the screen", {-20, -5}, {100, 100}, {0, 0}},
        {"taller than the screen", {171, 108}, {415, 600}, {171, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(forms::qt::placedOnScreen(c.wanted, c.frame, screen), c.placed);
    }
    // On a screen that does not start at the origin (a second monitor, a panel at the top).
    EXPECT_EQ(forms::qt::placedOnScreen({171, 108}, {415, 489}, QRect(1280, 30, 640, 482)), QPoint(1280, 30));
}

// Run at a scale of 2 too, where the title window is larger than Qt's offscreen screen.
TEST_F(WindowsOfTheGame, EachWindowOpensWhollyOnTheScreenWhereItCan) {
    for (forms::FormSlotBase* slot : {static_cast<forms::FormSlotBase*>(&program.Intro), static_cast<forms::FormSlotBase*>(&program.Selec),
                                   static_cast<forms::FormSlotBase*>(&program.Game2)}) {
        SCOPED_TRACE(slot->name());
        open(*slot);
        forms::qt::FormWindow* w = window(*slot);
        ASSERT_NE(w, nullptr);
        const QRect available = w->screen()->availableGeometry();
        const QRect frame(w->pos(), w->size().grownBy(forms::qt::expectedFrame()));
        const QPoint design(slot->instance()->design().left / 15, slot->instance()->design().top / 15);
        if (available.contains(QRect(design, frame.size()))) {
            EXPECT_EQ(w->pos(), design);
        } else if (frame.width() <= available.width() && frame.height() <= available.height()) {
            EXPECT_TRUE(available.contains(frame)) << "frame " << frame.x() << "," << frame.y();
            // Moved no more than it had to: an edge of the frame is on the area's edge.
            EXPECT_TRUE(frame.bottom() == available.bottom() || frame.right() == available.right() ||
                        frame.top() == available.top() || frame.left() == available.left());
        } else {
            EXPECT_TRUE(w->pos().x() == available.left() || w->pos().y() == available.top());
        }
    }
}

TEST_F(WindowsOfTheGame, UnloadingAFormTakesItsWindowAway) {
    open(program.Selec);
    QPointer<forms::qt::FormWindow> selec = window(program.Selec);
    ASSERT_TRUE(selec);
    program.runtime.dispatch([&] { program.runtime.unload(program.Selec); });
    EXPECT_FALSE(selec->isVisible());
    EXPECT_EQ(window(program.Selec), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(selec.isNull());
    // A later load builds a fresh window.
    open(program.Selec);
    EXPECT_NE(window(program.Selec), nullptr);
}

TEST_F(WindowsOfTheGame, ButtonsFollowTheModel) {
    forms::qt::FormWindow* intro = window(program.Intro);
    ASSERT_NE(intro, nullptr);
    auto button = [&](const char* name) -> forms::qt::FormButton* {
        for (forms::qt::FormButton* b : intro->buttons())
            if (b->button() && std::string_view(b->button()->name()) == name) return b;
        return nullptr;
    };
    forms::qt::FormButton* begin = button("strt");
    forms::qt::FormButton* quit = button("Quit");
    ASSERT_TRUE(begin && quit);
    EXPECT_FALSE(begin->isVisible());
    EXPECT_TRUE(quit->isVisible());
    EXPECT_EQ(quit->geometry(), QRect(336, 432, 73, 22));
    EXPECT_EQ(quit->text(), "&Quit");
    // The model's focus, drawn by the host; Qt's own focus never goes to a button.
    EXPECT_TRUE(quit->hasModelFocus());
    EXPECT_EQ(quit->focusPolicy(), Qt::NoFocus);
    // The access key is the model's to route, not a Qt shortcut.
    EXPECT_TRUE(quit->shortcut().isEmpty());

    finishSlide();
    EXPECT_TRUE(begin->isVisible());
    EXPECT_EQ(begin->geometry(), QRect(176, 384, 113, 41));
    program.runtime.dispatch([&] {
        program.Intro->setFocus(&program.Intro->strt);
        program.Intro->strt.Caption = "&Go on";
    });
    EXPECT_TRUE(begin->hasModelFocus());
    EXPECT_FALSE(quit->hasModelFocus());
    EXPECT_EQ(begin->text(), "&Go on");
    EXPECT_TRUE(begin->shortcut().isEmpty()) << "a new caption must not bring a Qt shortcut back";
}

}  // namespace
}  // namespace hosttest
