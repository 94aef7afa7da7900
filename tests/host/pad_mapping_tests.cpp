// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The host core's pad mapping on its own: which key each button is at which form, and the
// buttons that mean nothing more until they come up (taken by a message box or by another
// form), which a pad on a host cannot show one at a time.
#include "host_core/pad_mapping.h"
#include "host_test_support.h"

namespace hosttest {
namespace {

namespace pad = forms::core::pad;

struct Event {
    const forms::Form* form;
    bool down;
    int code;
    friend bool operator==(const Event&, const Event&) = default;
    friend void PrintTo(const Event& e, std::ostream* os) {
        *os << (e.down ? "down " : "up ") << e.code << " at " << (e.form ? e.form->name() : "none");
    }
};

class PadMapping : public ProbeDesktop {
protected:
    void SetUp() override {
        show(keyProbe);
        show(buttonProbe);
    }
    // The pads hold `buttons` now, at the form in front; the events it made.
    std::vector<Event> hold(unsigned buttons, forms::Form& front) {
        events.clear();
        closes = mapping.update({buttons, 0, 0}, &front, 0);
        return events;
    }
    forms::Form& level() { return keyProbe.form(); }
    ButtonProbe& buttons() { return buttonProbe.get(); }

    std::vector<Event> events;
    bool closes = false;
    forms::core::PadMapping mapping{[this](forms::Form& f, bool down, int code) { events.push_back({&f, down, code}); }};
};

TEST_F(PadMapping, EachButtonIsTheKeyOfItsForm) {
    const struct {
        unsigned button;
        bool onLevel;
        std::vector<int> codes;  // the key-down and key-up it gives, none for nothing
    } cases[] = {
        {pad::South, true, {'D'}},  {pad::Left, true, {37}},  {pad::Up, true, {38}},
        {pad::East, true, {}},      {pad::Start, true, {}},   {pad::South, false, {32}},
        {pad::Start, false, {13}},  {pad::Down, false, {40}}, {pad::East, false, {}},  // never Escape: Quit
    };
    for (const auto& c : cases) {
        forms::Form& front = c.onLevel ? level() : static_cast<forms::Form&>(buttons());
        std::vector<Event> want;
        for (int code : c.codes) want = {{&front, true, code}};
        EXPECT_EQ(hold(c.button, front), want) << "button " << c.button << (c.onLevel ? " on a level" : "");
        for (int code : c.codes) want = {{&front, false, code}};
        EXPECT_EQ(hold(0, front), want) << "button " << c.button << (c.onLevel ? " on a level" : "");
    }
}

TEST_F(PadMapping, StartNeverChoosesTheCancelButton) {
    buttons().setFocus(&buttons().Stop);
    EXPECT_TRUE(hold(pad::Start, buttons()).empty());
    EXPECT_TRUE(hold(0, buttons()).empty());
    // South on it is the player's choice, as Space is.
    EXPECT_EQ(hold(pad::South, buttons()), (std::vector<Event>{{&buttons(), true, 32}}));
}

TEST_F(PadMapping, StickGivesDirectionsWithoutChatterAtTheEdge) {
    using M = forms::core::PadMapping;
    EXPECT_EQ(M::stickDirections(0.2, -0.2, 0), 0u);
    EXPECT_EQ(M::stickDirections(0.6, 0, 0), pad::Right);
    EXPECT_EQ(M::stickDirections(0.45, 0, 0), 0u) << "not yet on";
    EXPECT_EQ(M::stickDirections(0.45, 0, pad::Right), pad::Right) << "not yet off";
    EXPECT_EQ(M::stickDirections(0.3, 0, pad::Right), 0u);
    EXPECT_EQ(M::stickDirections(-0.7, 0.8, 0), pad::Left | pad::Down);
    events.clear();
    mapping.update({0, -0.9, 0}, &level(), 0);
    EXPECT_EQ(events, (std::vector<Event>{{&level(), true, 37}}));
}

TEST_F(PadMapping, AButtonHeldAsAnotherFormComesToTheFrontWaitsToComeUp) {
    hold(pad::South, level());  // a wind-up
    // The title comes to the front with south still down: no Space, and no throw at the level.
    EXPECT_TRUE(hold(pad::South, buttons()).empty());
    EXPECT_TRUE(hold(0, buttons()).empty());
    EXPECT_EQ(hold(pad::South, buttons()), (std::vector<Event>{{&buttons(), true, 32}}));
}

TEST_F(PadMapping, AMessageBoxTakesWhatIsHeldAndWhatClosesIt) {
    hold(pad::Right, level());
    mapping.messageBoxOpened();
    EXPECT_FALSE(mapping.nextRepeat()) << "a held arrow repeats under the box";
    EXPECT_TRUE(hold(pad::Right | pad::Up, level()).empty());
    EXPECT_FALSE(closes);
    EXPECT_TRUE(hold(pad::Right | pad::East, level()).empty());
    EXPECT_TRUE(closes);
    mapping.messageBoxClosed();
    // East and Right are still down as the game goes on: they mean nothing until they come up.
    EXPECT_TRUE(hold(pad::Right | pad::East, level()).empty());
    EXPECT_TRUE(hold(0, level()).empty()) << "a key-up for a key-down that went under the box";
    EXPECT_EQ(hold(pad::Right, level()), (std::vector<Event>{{&level(), true, 39}}));
}

TEST_F(PadMapping, RepeatsStopWhenAnotherFormComesToTheFront) {
    hold(pad::Left, level());
    ASSERT_EQ(mapping.nextRepeat(), forms::core::KeyRepeat::kDelayMs);
    events.clear();
    mapping.repeatDue(&buttons(), forms::core::KeyRepeat::kDelayMs);
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(mapping.nextRepeat());
}

}  // namespace
}  // namespace hosttest
