// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Message boxes: a Qt box with the program's title, the text, one OK button and no icon; modal,
// with the model's timers held while it is open. A run-time error is such a box, then the end.
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "host_test_support.h"
#include "game/level/game1.h"
#include "qt_host/form_button.h"
#include "qt_host/message_box.h"
#include "game/screens/intro.h"
#include "game/screens/selec.h"

namespace hosttest {
namespace {

// The box a player sees: the program's title, the text whole, one plain OK; a modal dialog that
// a window manager can neither minimise nor maximise, and wide enough to show its caption.
void expectPlainOkBox(forms::qt::MessageBox& box, const QString& text) {
    EXPECT_EQ(box.windowTitle(), "Miravel Vozoda");
    EXPECT_EQ(box.text(), text);
    const auto buttons = box.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.front()->text().remove(u'&'), "OK");
    EXPECT_TRUE(buttons.front()->icon().isNull());
    EXPECT_TRUE(box.isModal());
    const Qt::WindowFlags flags = box.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);

    // A title bar may centre its bold caption between a window menu and three buttons, each about
    // as wide as the bar is high: at 143 px a window manager cut "Miravel Vozoda" to "M... a".
    QFont bold = box.font();
    bold.setBold(true);
    const QFontMetrics title(bold);
    EXPECT_GE(box.width(), title.horizontalAdvance(box.windowTitle()) + 6 * title.height());
    // Every line of the text is shown whole.
    auto* label = box.findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_GE(label->height(), label->heightForWidth(label->width()));
    EXPECT_TRUE(box.rect().contains(label->geometry()));
}

using MessageBoxes = GameOnTestClock;

TEST_F(MessageBoxes, DefeatShowsItsBoxOverTheUpdatedTitleWindow) {
    finishSlide();
    // Begin, then Easy: the title window is minimised while the level runs.
    program.runtime.click(program.Intro->strt);
    program.runtime.click(program.Selec->G1);
    auto& level = program.Game1.get();
    // The right youma one step from the heroine: the next wave tick catches her.
    level.YoumaR.Left = 3900;
    bool boxSeen = false;
    answerNextBox([&](forms::qt::MessageBox& box) {
        boxSeen = true;
        expectPlainOkBox(box, "Sorry, Try Again!");
        // The score board is up on the title window while the box is open, not only after it.
        forms::qt::FormWindow* intro = window(program.Intro);
        ASSERT_NE(intro, nullptr);
        const QImage shot = grabImage(*intro);
        const int s = static_cast<int>(expectedScale());
        EXPECT_EQ(shot.pixel(170 * s, 242 * s) & 0xFFFFFF, 0x0000FFu);
        for (forms::qt::FormButton* b : intro->buttons()) {
            if (b->button() == &program.Intro->strt) {
                EXPECT_FALSE(b->isVisible()) << "Begin is still offered";
            }
        }
        EXPECT_TRUE(program.Game1.loaded()) << "the level closes only after its box";
        // Over the window it belongs to, the title window, centred across it, but clear of the
        // score board just put up there (its frame, Shp, around LblScr and Score).
        const QRect frame = box.frameGeometry();
        EXPECT_LE(std::abs(frame.center().x() - intro->frameGeometry().center().x()), 2);
        EXPECT_TRUE(intro->frameGeometry().contains(frame));
        const QRect board(intro->mapToGlobal(QPoint(160, 232)), QSize(121, 97));
        EXPECT_FALSE(frame.intersects(board)) << "the box hides the score board";
    });
    program.runtime.tick(level.Youma);
    EXPECT_TRUE(boxSeen);
    EXPECT_FALSE(program.Game1.loaded());
    EXPECT_EQ(window(program.Game1), nullptr);
}

TEST_F(MessageBoxes, TimerTicksWaitWhileABoxIsOpen) {
    const forms::Single start = program.Intro->Label1.Left;
    answerNextBox([&](forms::qt::MessageBox& box) {
        expectPlainOkBox(box, "Hello");
        // The slide ticks every 16 ms; none may come while the box is open.
        EXPECT_FALSE(host.pump().armed());
        advance(150);
        EXPECT_EQ(program.Intro->Label1.Left.get(), start);
    });
    program.runtime.dispatch([&] { program.runtime.messageBox("Hello"); });
    // Closed: the slide goes on, once, not in a burst for the time the box was open.
    EXPECT_TRUE(host.pump().armed());
    advance(16);
    EXPECT_EQ(program.Intro->Label1.Left.get(), start + forms::Single(150));
}

TEST_F(MessageBoxes, EnterEscapeOkAndTheFrameEachAnswerTheBox) {
    struct Way {
        const char* name;
        std::function<void(forms::qt::MessageBox&)> answer;
    };
    const Way ways[] = {
        {"Enter", [](forms::qt::MessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }},
        {"Escape", [](forms::qt::MessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }},
        {"OK", [](forms::qt::MessageBox& box) { box.okButton()->click(); }},
        {"the frame's close", [](forms::qt::MessageBox& box) { box.close(); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        bool closed = false;
        answerNextBox([&](forms::qt::MessageBox& box) {
            way.answer(box);
            closed = !box.isVisible();
        });
        bool returned = false;
        program.runtime.dispatch([&] {
            program.runtime.messageBox("Hello");
            returned = true;
        });
        EXPECT_TRUE(closed);
        EXPECT_TRUE(returned) << "the handler that showed the box did not go on";
        EXPECT_TRUE(endings.empty());
    }
}

// Where the frame offers them anyway (Qt's own title bar on Wayland), minimising or maximising
// the box the game waits for leaves it in front of the player as it was.
TEST_F(MessageBoxes, MinimisedOrMaximisedTheBoxComesBackAsItWas) {
    for (Qt::WindowState state : {Qt::WindowMinimized, Qt::WindowMaximized}) {
        SCOPED_TRACE(state == Qt::WindowMinimized ? "minimised" : "maximised");
        answerNextBox([&](forms::qt::MessageBox& box) {
            const QSize size = box.size();
            box.windowHandle()->setWindowState(state);
            ASSERT_EQ(box.windowHandle()->windowState(), state);
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return box.isVisible() && box.windowHandle()->windowState() == Qt::WindowNoState; }, 5000));
            EXPECT_EQ(box.size(), size);
            box.okButton()->click();
        });
        program.runtime.dispatch([&] { program.runtime.messageBox("Hello"); });
    }
}

TEST_F(MessageBoxes, RunTimeErrorIsReportedAndEndsTheProgramWithStatus1) {
    const forms::Single start = program.Intro->Label1.Left;
    bool boxSeen = false;
    answerNextBox([&](forms::qt::MessageBox& box) {
        boxSeen = true;
        expectPlainOkBox(box, "Run-time error '6':\n\nOverflow");
        advance(100);
        EXPECT_EQ(program.Intro->Label1.Left.get(), start) << "a tick ran under the error box";
    });
    program.runtime.dispatch([] { forms::raiseOverflow(); });
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(endings, std::vector<int>{1});
    EXPECT_EQ(window(program.Intro), nullptr);
    EXPECT_FALSE(host.pump().armed());
}

}  // namespace
}  // namespace hosttest
