// Each shown form is one fixed-size top-level window, placed, titled and dressed as designed.
#include <QCoreApplication>
#include <QCursor>
#include <QPointer>

#include "host_test_support.h"
#include "runtime/qt/form_button.h"
#include "level/game1.h"
#include "level/game2.h"
#include "level/game3.h"
#include "level/sprites.h"
#include "screens/intro.h"
#include "screens/selec.h"

namespace hosttest {
namespace {

using WindowsOfTheGame = GameDesktop;

TEST_F(WindowsOfTheGame, EachFormHasAFixedWindowOfItsDesignSize) {
    struct Case {
        vb::FormSlotBase& slot;
        QSize client;
        QPoint place;
        const char* title;
        bool customPointer;
    };
    const Case cases[] = {
        {program.Intro, {407, 453}, {171, 108}, "", true},
        {program.Selec, {316, 223}, {239, 165}, "", true},
        {program.Game1, {497, 197}, {165, 249}, "Miravel Vozoda", false},
        {program.Game2, {495, 196}, {165, 184}, "Miravel Vozoda", false},
        {program.Game3, {498, 196}, {165, 184}, "Miravel Vozoda", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot.name());
        open(c.slot);
        vb::qt::FormWindow* w = window(c.slot);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->isWindow());
        EXPECT_EQ(w->size(), c.client);
        // Not resizable: the smallest and largest sizes are the client size.
        EXPECT_EQ(w->minimumSize(), c.client);
        EXPECT_EQ(w->maximumSize(), c.client);
        EXPECT_EQ(w->pos(), c.place);
        EXPECT_EQ(w->windowTitle(), c.title);
        EXPECT_FALSE(w->windowIcon().isNull()) << "the form's icon did not load";
        EXPECT_EQ(w->cursor().shape(), c.customPointer ? Qt::BitmapCursor : Qt::ArrowCursor);
    }
    // The catalogue the levels load is never shown, so it gets no window.
    ASSERT_TRUE(program.Sprites.loaded());
    EXPECT_EQ(window(program.Sprites), nullptr);
}

TEST_F(WindowsOfTheGame, UnloadingAFormTakesItsWindowAway) {
    open(program.Selec);
    QPointer<vb::qt::FormWindow> selec = window(program.Selec);
    ASSERT_TRUE(selec);
    program.runtime.dispatch([&] { program.runtime.Unload(program.Selec); });
    EXPECT_FALSE(selec->isVisible());
    EXPECT_EQ(window(program.Selec), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(selec.isNull());
    // A later load builds a fresh window.
    open(program.Selec);
    EXPECT_NE(window(program.Selec), nullptr);
}

TEST_F(WindowsOfTheGame, ButtonsFollowTheModel) {
    vb::qt::FormWindow* intro = window(program.Intro);
    ASSERT_NE(intro, nullptr);
    auto button = [&](const char* name) -> vb::qt::FormButton* {
        for (vb::qt::FormButton* b : intro->buttons())
            if (b->button() && std::string_view(b->button()->name()) == name) return b;
        return nullptr;
    };
    vb::qt::FormButton* begin = button("strt");
    vb::qt::FormButton* quit = button("Quit");
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
