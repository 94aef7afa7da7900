// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A gamepad plays the game on the desktop: SDL's virtual game controller stands in for a pad
// plugged in, and the pad's input reaches the model as the keyboard's keys would.
#include <QTest>
#include <QTimer>

#include <SDL.h>

#include "game/level/game1.h"
#include "game/screens/intro.h"
#include "game/screens/selec.h"
#include "host_test_support.h"
#include "qt_host/message_box.h"
#include "qt_host/pad_input.h"

namespace hosttest {
namespace {

// A pad as SDL's game controller API sees one: every standard button and axis.
class VirtualPad {
public:
    VirtualPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Test pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        joystick_ = SDL_JoystickOpen(index);
        EXPECT_NE(joystick_, nullptr) << SDL_GetError();
    }
    ~VirtualPad() { pullOut(); }
    void set(SDL_GameControllerButton b, bool down) { SDL_JoystickSetVirtualButton(joystick_, b, down ? 1 : 0); }
    void pullOut() {
        if (!joystick_) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }

private:
    SDL_Joystick* joystick_ = nullptr;
};

class Gamepad : public GameOnTestClock {
protected:
    void SetUp() override {
        GameOnTestClock::SetUp();
        pads.setClock([this] { return padMs; });
        ASSERT_TRUE(pads.start());
        plugIn();
        ASSERT_EQ(pads.padCount(), 1);
    }
    void TearDown() override {
        pad.reset();
        GameOnTestClock::TearDown();
    }
    // A pad comes or goes, a button goes down or up: the game hears of it at its next look.
    void plugIn() {
        pad = std::make_unique<VirtualPad>();
        EXPECT_TRUE(QTest::qWaitFor([&] { return pads.padCount() == 1; }, 5000));
    }
    void pullOut() {
        pad->pullOut();
        EXPECT_TRUE(QTest::qWaitFor([&] { return pads.padCount() == 0; }, 5000));
    }
    void press(SDL_GameControllerButton b) { set(b, true); }
    void release(SDL_GameControllerButton b) { set(b, false); }
    void set(SDL_GameControllerButton b, bool down) {
        const unsigned before = pads.state().buttons;
        pad->set(b, down);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pads.state().buttons != before; }, 5000));
    }
    void click(SDL_GameControllerButton b) {
        press(b);
        release(b);
    }
    // Lets the pad's clock run on to the repeat armed, and lets its timer fire.
    void nextRepeat() {
        ASSERT_TRUE(pads.repeatArmed());
        padMs += pads.repeatArmedFor();
        pads.wakeRepeat();
    }
    double heroineLeft() { return program.Game1->Main.Left.get().value(); }
    int picture(const forms::Image& image) const { return image.Picture.get().data()->handle; }

    forms::qt::PadInput pads{host};
    std::int64_t padMs = 0;
    std::unique_ptr<VirtualPad> pad;
};

TEST_F(Gamepad, PlaysFromTheTitleThroughTheSelectionIntoALevel) {
    EXPECT_EQ(pads.pollInterval(), forms::qt::PadInput::kPollInUseMs);
    finishSlide();
    miravel::IntroForm& intro = program.Intro.get();
    ASSERT_EQ(intro.focus(), &intro.Quit);
    // Start with the focus on Quit chooses nothing: quitting takes south.
    click(SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(endings.empty());
    click(SDL_CONTROLLER_BUTTON_DPAD_UP);
    ASSERT_EQ(intro.focus(), &intro.strt);
    click(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(program.Selec.loaded());
    EXPECT_EQ(intro.WindowState.get(), 1);

    // The selection: Start chooses the focused level, as Enter does.
    ASSERT_EQ(program.Selec->focus(), &program.Selec->G1);
    click(SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(program.Game1.loaded());
    EXPECT_EQ(host.windowInFront(), window(program.Game1));
}

TEST_F(Gamepad, SouthOnALevelWindsUpAndThrowsOnce) {
    open(program.Game1);
    miravel::Game1Form& level = program.Game1.get();
    const int standing = picture(level.Main);
    press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(picture(level.Main), picture(level.Tiara1_R)) << "the wind-up";
    EXPECT_FALSE(level.Action.Visible.get());
    EXPECT_FALSE(pads.repeatArmed()) << "D does not repeat";
    release(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(picture(level.Main), picture(level.Tiara2_R)) << "the throw";
    EXPECT_TRUE(level.Action.Visible.get());
    EXPECT_TRUE(level.TiaraRight.Enabled.get());
    EXPECT_NE(standing, picture(level.Main));
}

TEST_F(Gamepad, HeldDpadStepsAtTheDesktopsRepeatRate) {
    open(program.Game1);
    const double start = heroineLeft();
    press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(heroineLeft(), start + 120);
    EXPECT_EQ(pads.repeatArmedFor(), 500);
    nextRepeat();
    EXPECT_EQ(heroineLeft(), start + 240);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pads.repeatArmedFor(), 33);
        nextRepeat();
    }
    EXPECT_EQ(heroineLeft(), start + 5 * 120);
    release(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_FALSE(pads.repeatArmed());
    EXPECT_EQ(heroineLeft(), start + 5 * 120);
}

TEST_F(Gamepad, PulledOutMidLevelLeavesNoKeyHeld) {
    open(program.Game1);
    miravel::Game1Form& level = program.Game1.get();
    press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    press(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(picture(level.Main), picture(level.Tiara1_R));
    pullOut();
    EXPECT_EQ(pads.pollInterval(), forms::qt::PadInput::kPollWithoutPadMs);
    EXPECT_FALSE(pads.repeatArmed()) << "the arrow still repeats";
    EXPECT_EQ(picture(level.Main), picture(level.Tiara2_R)) << "D never came up";

    // Plugged in again, it plays at once.
    plugIn();
    const double left = heroineLeft();
    click(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ(heroineLeft(), left - 120);
}

TEST_F(Gamepad, SouthClosesTheMessageBoxAndItsReleaseIsSpentOnIt) {
    open(program.Game1);
    miravel::Game1Form& level = program.Game1.get();
    bool closedByPad = false;
    // Inside the box's own event loop, the pad's south; if that fails the box is closed anyway.
    QTimer::singleShot(0, [&] {
        forms::qt::MessageBox* box = host.openBox();
        if (!box) return;
        press(SDL_CONTROLLER_BUTTON_A);
        closedByPad = !box->isVisible();
        box->accept();
    });
    program.runtime.dispatch([&] { program.runtime.messageBox("A box"); });
    EXPECT_TRUE(closedByPad);
    // South comes up over the level: no wind-up went down, so nothing is thrown.
    const int before = picture(level.Main);
    release(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(picture(level.Main), before);
    EXPECT_FALSE(level.Action.Visible.get());
}

}  // namespace
}  // namespace hosttest
