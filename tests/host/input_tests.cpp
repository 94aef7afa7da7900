// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The player's keys, clicks and window buttons reach the model, and only the model: Qt neither
// clicks buttons on its own keys nor moves its focus on Tab.
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "host_test_support.h"
#include "game/level/game1.h"
#include "qt_host/form_button.h"
#include "game/screens/intro.h"
#include "game/screens/selec.h"

namespace hosttest {
namespace {

void send(QWidget& w, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers mods, bool autoRepeat) {
    QKeyEvent e(type, key, mods, QString(), autoRepeat);
    QApplication::sendEvent(&w, &e);
}

using Keys = ProbeDesktop;
using K = KeyProbe::Key;

TEST_F(Keys, HeldKeyGivesRepeatedKeyDownsAndOneKeyUp) {
    forms::qt::FormWindow& w = show(keyProbe);
    // X repeats a held key as release-and-press pairs marked as repeats.
    send(w, QEvent::KeyPress, Qt::Key_D, {}, false);
    for (int i = 0; i < 2; ++i) {
        send(w, QEvent::KeyRelease, Qt::Key_D, {}, true);
        send(w, QEvent::KeyPress, Qt::Key_D, {}, true);
    }
    send(w, QEvent::KeyRelease, Qt::Key_D, {}, false);
    // A key-up is held back a moment, in case it was a repeat after all.
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyProbe->keys.size() == 4; }, 5000));
    EXPECT_EQ(keyProbe->keys, (std::vector<K>{{true, 68, 0}, {true, 68, 0}, {true, 68, 0}, {false, 68, 0}}));
}

TEST_F(Keys, RepeatReleaseQtDidNotMarkIsStillNoKeyUp) {
    forms::qt::FormWindow& w = show(keyProbe);
    // On a busy machine Qt may see a repeat's release before its press and not mark it.
    send(w, QEvent::KeyPress, Qt::Key_D, {}, false);
    send(w, QEvent::KeyRelease, Qt::Key_D, {}, false);
    send(w, QEvent::KeyPress, Qt::Key_D, {}, false);
    EXPECT_EQ(keyProbe->keys, (std::vector<K>{{true, 68, 0}, {true, 68, 0}}));
    EXPECT_FALSE(w.holdsKeyUp()) << "the release the press showed to be a repeat is still to come";
    // Another key pressed meanwhile lets a real release through first, in order.
    send(w, QEvent::KeyRelease, Qt::Key_D, {}, false);
    send(w, QEvent::KeyPress, Qt::Key_Left, {}, false);
    EXPECT_EQ(keyProbe->keys, (std::vector<K>{{true, 68, 0}, {true, 68, 0}, {false, 68, 0}, {true, 37, 0}}));
}

TEST_F(Keys, DialogKeysReachAFormWithoutButtons) {
    forms::qt::FormWindow& w = show(keyProbe);
    QTest::keyClick(&w, Qt::Key_Tab);
    QTest::keyClick(&w, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(&w, Qt::Key_Return);
    QTest::keyClick(&w, Qt::Key_Escape);
    QTest::keyClick(&w, Qt::Key_Left, Qt::ControlModifier);
    // The last key-up is held back a moment.
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyProbe->keys.size() == 14; }, 5000));
    // The modifier keys are keys of their own too: Shift 16, Ctrl 17.
    EXPECT_EQ(keyProbe->keys, (std::vector<K>{{true, 9, 0}, {false, 9, 0},
                                              {true, 16, 1}, {true, 9, 1}, {false, 9, 1}, {false, 16, 0},
                                              {true, 13, 0}, {false, 13, 0},
                                              {true, 27, 0}, {false, 27, 0},
                                              {true, 17, 2}, {true, 37, 2}, {false, 37, 2}, {false, 17, 0}}));
}

TEST_F(Keys, KeyUpWithoutItsKeyDownIsNotThisWindows) {
    forms::qt::FormWindow& w = show(keyProbe);
    // The release of the Enter that closed a message box, say.
    send(w, QEvent::KeyRelease, Qt::Key_Return, {}, false);
    EXPECT_TRUE(keyProbe->keys.empty());
}

TEST_F(Keys, ButtonsAreClickedByTheModelAlone) {
    forms::qt::FormWindow& w = show(buttonProbe);
    // Qt's shortcuts only work in the active window: make it so, to be sure they do not.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ButtonProbe& form = buttonProbe.get();
    struct Case {
        const char* what;
        std::function<void()> press;
        int go, stop;
    };
    const Case cases[] = {
        {"Enter clicks the focused button", [&] { QTest::keyClick(&w, Qt::Key_Return); }, 1, 0},
        {"Escape clicks the Cancel button", [&] { QTest::keyClick(&w, Qt::Key_Escape); }, 0, 1},
        {"Alt and the access key", [&] { QTest::keyClick(&w, Qt::Key_S, Qt::AltModifier); }, 0, 1},
        {"Space clicks on its release", [&] { QTest::keyClick(&w, Qt::Key_Space); }, 1, 0},
        {"a mouse click", [&] { QTest::mouseClick(w.buttons().at(1), Qt::LeftButton); }, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form.setFocus(&form.Go);
        form.goClicks = form.stopClicks = 0;
        c.press();
        // Space clicks on its key-up, which is held back a moment.
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.goClicks + form.stopClicks > 0; }, 5000));
        EXPECT_EQ(form.goClicks, c.go);
        EXPECT_EQ(form.stopClicks, c.stop);
        // Qt's own default-button or shortcut handling would press a button down now and click it
        // a moment later.
        for (forms::qt::FormButton* b : w.buttons()) EXPECT_FALSE(b->isDown()) << "Qt is clicking " << b->text().toStdString();
    }
}

TEST_F(Keys, TabMovesTheModelsFocusNotQts) {
    forms::qt::FormWindow& w = show(buttonProbe);
    ButtonProbe& form = buttonProbe.get();
    ASSERT_EQ(form.focus(), &form.Go);
    QTest::keyClick(&w, Qt::Key_Tab);
    EXPECT_EQ(form.focus(), &form.Stop);
    EXPECT_FALSE(w.buttons().at(0)->hasModelFocus());
    EXPECT_TRUE(w.buttons().at(1)->hasModelFocus());
    QTest::keyClick(&w, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(form.focus(), &form.Go);
    for (forms::qt::FormButton* b : w.buttons()) EXPECT_FALSE(b->hasFocus());
}

using PlayerInput = GameDesktop;

TEST_F(PlayerInput, SelectionKeysOpenTheirLevel) {
    struct Case {
        const char* what;
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
        forms::FormSlotBase* level;  // null: the selection stays
    };
    const Case cases[] = {
        {"Enter on the first button", {{Qt::Key_Return, {}}}, &program.Game1},
        {"Tab, then Enter", {{Qt::Key_Tab, {}}, {Qt::Key_Return, {}}}, &program.Game2},
        {"Alt+M", {{Qt::Key_M, Qt::AltModifier}}, &program.Game2},
        {"Alt+C", {{Qt::Key_C, Qt::AltModifier}}, &program.Game3},
        {"Escape, with no Cancel button", {{Qt::Key_Escape, {}}}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open(program.Selec);
        forms::qt::FormWindow* selec = window(program.Selec);
        ASSERT_NE(selec, nullptr);
        for (auto [key, mods] : c.keys) QTest::keyClick(selec, key, mods);
        EXPECT_EQ(program.Selec.loaded(), c.level == nullptr);
        for (forms::FormSlotBase* level : std::initializer_list<forms::FormSlotBase*>{&program.Game1, &program.Game2, &program.Game3}) {
            EXPECT_EQ(level->loaded(), level == c.level) << level->name();
            program.runtime.dispatch([&] { program.runtime.unload(*level); });
        }
        program.runtime.dispatch([&] { program.runtime.unload(program.Selec); });
    }
}

TEST_F(PlayerInput, EscapeOnTheTitleEndsTheProgram) {
    forms::qt::FormWindow* intro = window(program.Intro);
    ASSERT_NE(intro, nullptr);
    QTest::keyClick(intro, Qt::Key_Escape);
    EXPECT_EQ(endings, std::vector<int>{0});
    EXPECT_EQ(window(program.Intro), nullptr);
}

TEST_F(PlayerInput, ArrowKeysMoveTheHeroine) {
    open(program.Game1);
    forms::qt::FormWindow* level = window(program.Game1);
    ASSERT_NE(level, nullptr);
    // A held Right arrow: its repeats are further steps.
    send(*level, QEvent::KeyPress, Qt::Key_Right, {}, false);
    send(*level, QEvent::KeyPress, Qt::Key_Right, {}, true);
    send(*level, QEvent::KeyRelease, Qt::Key_Right, {}, false);
    EXPECT_EQ(program.Game1->Main.Left.get(), forms::Single(3840 + 240));
}

TEST_F(PlayerInput, WindowCloseButtonLeavesTheDecisionToTheForm) {
    finishSlide();
    program.runtime.click(program.Intro->strt);  // Begin: the selection, the title minimised
    ASSERT_EQ(program.Intro->WindowState.get(), 1);

    // The selection: unloaded, the title window restored.
    forms::qt::FormWindow* selec = window(program.Selec);
    ASSERT_NE(selec, nullptr);
    EXPECT_FALSE(selec->close());
    EXPECT_FALSE(program.Selec.loaded());
    EXPECT_EQ(program.Intro->WindowState.get(), 0);
    EXPECT_FALSE(window(program.Intro)->isMinimized());

    // A level: unloaded, the title restored with Begin and the score board as they were.
    open(program.Game1);
    program.runtime.dispatch([&] { program.Intro->WindowState = 1; });
    forms::qt::FormWindow* level = window(program.Game1);
    ASSERT_NE(level, nullptr);
    EXPECT_FALSE(level->close());
    EXPECT_FALSE(program.Game1.loaded());
    EXPECT_EQ(program.Intro->WindowState.get(), 0);
    EXPECT_TRUE(program.Intro->strt.Visible.get());
    EXPECT_FALSE(program.Intro->Score.Visible.get());
    EXPECT_TRUE(endings.empty());

    // The title: the program ends, as with Quit.
    EXPECT_FALSE(window(program.Intro)->close());
    EXPECT_EQ(endings, std::vector<int>{0});
    EXPECT_EQ(window(program.Intro), nullptr);
}

TEST_F(PlayerInput, MinimisingByHandTellsTheModelAndTheModelsChangesShow) {
    forms::qt::FormWindow* intro = window(program.Intro);
    ASSERT_NE(intro, nullptr);
    finishSlide();
    program.runtime.click(program.Intro->strt);
    EXPECT_TRUE(intro->isMinimized()) << "Begin minimises the title window";

    // The player restores it by hand while the selection is open: Begin works again.
    intro->showNormal();
    EXPECT_EQ(program.Intro->WindowState.get(), 0);
    program.runtime.click(program.Intro->strt);
    EXPECT_EQ(program.Intro->WindowState.get(), 1);
    EXPECT_TRUE(intro->isMinimized());

    forms::qt::FormWindow* selec = window(program.Selec);
    ASSERT_NE(selec, nullptr);
    selec->showMinimized();
    EXPECT_EQ(program.Selec->WindowState.get(), 1);
}

}  // namespace
}  // namespace hosttest
