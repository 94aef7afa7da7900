// Message boxes: a Qt box with the program's title, the text, one OK button and no icon; modal,
// with the model's timers held while it is open. A run-time error is such a box, then the end.
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "host_test_support.h"
#include "level/game1.h"
#include "runtime/qt/form_button.h"
#include "screens/intro.h"

namespace hosttest {
namespace {

void expectPlainOkBox(QMessageBox& box, const QString& text) {
    EXPECT_EQ(box.windowTitle(), "Miravel Vozoda");
    EXPECT_EQ(box.text(), text);
    EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
    ASSERT_EQ(box.buttons().size(), 1);
    EXPECT_EQ(box.standardButton(box.buttons().front()), QMessageBox::Ok);
    EXPECT_TRUE(box.isModal());
}

using MessageBoxes = GameDesktop;

TEST_F(MessageBoxes, DefeatShowsItsBoxOverTheUpdatedTitleWindow) {
    finishSlide();
    open(program.Game1);
    auto& level = program.Game1.get();
    // The right youma one step from the heroine: the next wave tick catches her.
    level.YoumaR.Left = 3900;
    bool boxSeen = false;
    answerNextBox([&](QMessageBox& box) {
        boxSeen = true;
        expectPlainOkBox(box, "Sorry, Try Again!");
        // The score board is up on the title window while the box is open, not only after it.
        vb::qt::FormWindow* intro = window(program.Intro);
        ASSERT_NE(intro, nullptr);
        const QImage shot = grabImage(*intro);
        const int s = static_cast<int>(expectedScale());
        EXPECT_EQ(shot.pixel(170 * s, 242 * s) & 0xFFFFFF, 0x0000FFu);
        for (vb::qt::FormButton* b : intro->buttons()) {
            if (b->button() == &program.Intro->strt) {
                EXPECT_FALSE(b->isVisible()) << "Begin is still offered";
            }
        }
        EXPECT_TRUE(program.Game1.loaded()) << "the level closes only after its box";
    });
    program.runtime.tick(level.Youma);
    EXPECT_TRUE(boxSeen);
    EXPECT_FALSE(program.Game1.loaded());
    EXPECT_EQ(window(program.Game1), nullptr);
}

TEST_F(MessageBoxes, TimerTicksWaitWhileABoxIsOpen) {
    const vb::Single start = program.Intro->Label1.Left;
    answerNextBox([&](QMessageBox& box) {
        expectPlainOkBox(box, "Hello");
        // The slide ticks every 16 ms; none may come while the box is open.
        QTest::qWait(150);
        EXPECT_EQ(program.Intro->Label1.Left.get(), start);
        EXPECT_FALSE(host.pump().armed());
    });
    program.runtime.dispatch([&] { program.runtime.MsgBox("Hello"); });
    // Closed: the slide goes on.
    EXPECT_TRUE(host.pump().armed());
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.Intro->Label1.Left.get() > start; }, 1000));
}

TEST_F(MessageBoxes, RunTimeErrorIsReportedAndEndsTheProgramWithStatus1) {
    const vb::Single start = program.Intro->Label1.Left;
    bool boxSeen = false;
    answerNextBox([&](QMessageBox& box) {
        boxSeen = true;
        expectPlainOkBox(box, "Run-time error '6':\n\nOverflow");
        QTest::qWait(100);
        EXPECT_EQ(program.Intro->Label1.Left.get(), start) << "a tick ran under the error box";
    });
    program.runtime.dispatch([] { vb::raiseOverflow(); });
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(endings, std::vector<int>{1});
    EXPECT_EQ(window(program.Intro), nullptr);
    EXPECT_FALSE(host.pump().armed());
}

}  // namespace
}  // namespace hosttest
