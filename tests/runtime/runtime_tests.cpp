// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The forms runtime on small forms of its own: lifecycle, pictures, the clock, keys and focus,
// message boxes, errors and the end of the program.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/runtime.h"

namespace {

constexpr forms::Artwork kArt[] = {{"sun", 4, 3}, {"moon", 2, 5}};

class RecordingHost final : public forms::Host {
public:
    void formLoading(forms::Form& f) override { log.push_back("load " + f.name()); }
    void formShown(forms::Form& f) override { log.push_back("show " + f.name()); }
    void formUnloading(forms::Form& f) override { log.push_back("unload " + f.name()); }
    void windowStateChanged(forms::Form& f) override {
        log.push_back("state " + f.name() + " " + std::to_string(f.WindowState.get()));
    }
    void messageBox(std::string_view, std::string_view text) override {
        log.push_back("msgbox " + std::string(text));
        if (onBox) onBox();
    }
    void runtimeError(const forms::RuntimeError& e) override { log.push_back("error " + std::to_string(e.number())); }
    void programEnded(int status) override { log.push_back("end " + std::to_string(status)); }

    std::vector<std::string> log;
    std::function<void()> onBox;
};

// A form with a bit of everything; its handlers are set by each test.
class TestForm final : public forms::Form {
public:
    explicit TestForm(forms::FormSlotBase& slot)
        : forms::Form(slot, {"Test", 1500, 1500, 0, 0, std::nullopt}),
          Pic(*this, "Pic", {0, 0, 100, 100}, true, LoadPicture("sun")),
          Other(*this, "Other", {0, 0, 100, 100}, true),
          Ok(*this, "Ok", {0, 0, 10, 10}, true, "&Ok", {{}, true, false}),
          Hidden(*this, "Hidden", {0, 0, 10, 10}, false, "&Hidden", {}),
          Cancel(*this, "Cancel", {0, 0, 10, 10}, true, "&Cancel", {{}, false, true}),
          Fast(*this, "Fast", 1, true),
          Slow(*this, "Slow", 50, true) {}

    forms::Image Pic, Other;
    forms::CommandButton Ok, Hidden, Cancel;
    forms::Timer Fast, Slow;
    using forms::Form::End;
    using forms::Form::MsgBox;
    using forms::Form::Unload;
};

// A form with nothing that takes the focus: its keys go to its own handlers.
class KeyForm final : public forms::Form {
public:
    explicit KeyForm(forms::FormSlotBase& slot) : forms::Form(slot, {"Keys", 1500, 1500, 0, 0, std::nullopt}) {}
    void Form_KeyDown(int code, int shift) override { keys.push_back("down " + std::to_string(code) + "/" + std::to_string(shift)); }
    void Form_KeyUp(int code, int shift) override { keys.push_back("up " + std::to_string(code) + "/" + std::to_string(shift)); }
    std::vector<std::string> keys;
};

class RuntimeTest : public ::testing::Test {
protected:
    RecordingHost host;
    forms::Runtime rt{host, kArt, "Title"};
    forms::FormSlot<TestForm> A{rt, "A", [](auto& s) { return std::make_unique<TestForm>(s); }};
    forms::FormSlot<TestForm> B{rt, "B", [](auto& s) { return std::make_unique<TestForm>(s); }};
    forms::FormSlot<KeyForm> K{rt, "K", [](auto& s) { return std::make_unique<KeyForm>(s); }};
};

TEST_F(RuntimeTest, ReferenceLoadsHiddenAndReloadStartsFromTheDesign) {
    EXPECT_FALSE(A.loaded());
    A->Pic.Left = 999;  // a reference to a control loads the form, hidden
    EXPECT_TRUE(A.loaded());
    EXPECT_FALSE(A->Visible);
    rt.load(A);  // loading a loaded form does nothing
    EXPECT_EQ(A->Pic.Left, forms::Single(999));
    rt.unload(A);
    EXPECT_FALSE(A.loaded());
    EXPECT_EQ(A->Pic.Left, forms::Single(0));
    EXPECT_EQ(host.log, (std::vector<std::string>{"load A", "unload A", "load A"}));
}

TEST_F(RuntimeTest, UnloadInsideOwnHandlerIsSafeAndStopsItsEvents) {
    rt.show(A);
    int ticks = 0;
    A->Fast.Tick = [&] {
        ++ticks;
        TestForm& self = *static_cast<TestForm*>(A.instance());
        self.Unload(self);
        // The form object outlives the handler that unloaded it: its controls are still there.
        EXPECT_FALSE(A.loaded());
        self.Pic.Left = 1;
    };
    A->Slow.Tick = [&] { ADD_FAILURE() << "a tick of an unloaded form"; };
    rt.advanceTo(1000, forms::LateTicks::Deliver);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(A.loaded());
}

TEST_F(RuntimeTest, PicturesAreSharedObjectsComparedByHandle) {
    TestForm& f = A.get();
    EXPECT_FALSE(f.Other.Picture.get() == f.Pic.Picture.get());
    f.Other.Picture = f.Pic.Picture;
    EXPECT_TRUE(f.Other.Picture.get() == f.Pic.Picture.get());
    EXPECT_EQ(f.Other.Picture.get().data(), f.Pic.Picture.get().data());
    EXPECT_EQ(f.Other.Width, forms::Single(60));  // an image takes its picture's size, 15 twips a pixel
    EXPECT_EQ(f.Other.Height, forms::Single(45));
    // Two loads of the same artwork are two pictures.
    EXPECT_FALSE(rt.newPicture("sun") == f.Pic.Picture.get());
    EXPECT_THROW(rt.newPicture("no such art"), std::logic_error);
}

TEST_F(RuntimeTest, TimersTickAtTheirPeriodWithTheShortestAt16) {
    rt.show(A);
    std::vector<std::pair<std::string, std::int64_t>> ticks;
    A->Fast.Tick = [&] { ticks.emplace_back("fast", rt.now()); };
    A->Slow.Tick = [&] { ticks.emplace_back("slow", rt.now()); };
    rt.advanceTo(50, forms::LateTicks::Deliver);
    // At 48 only Fast; at 50 Slow. A 1 ms interval ticks every 16 ms.
    EXPECT_EQ(ticks, (decltype(ticks){{"fast", 16}, {"fast", 32}, {"fast", 48}, {"slow", 50}}));
}

TEST_F(RuntimeTest, SameMomentTicksRunInLoadOrderThenDesignOrder) {
    rt.show(B);
    rt.show(A);
    std::vector<std::string> order;
    for (auto* slot : {&A, &B}) {
        const std::string n = slot->name();
        (*slot)->Slow.Interval = 32;
        (*slot)->Fast.Tick = [&order, n] { order.push_back(n + ".Fast"); };
        (*slot)->Slow.Tick = [&order, n] { order.push_back(n + ".Slow"); };
    }
    rt.advanceTo(32, forms::LateTicks::Deliver);
    EXPECT_EQ(order, (std::vector<std::string>{"B.Fast", "A.Fast", "B.Fast", "B.Slow", "A.Fast", "A.Slow"}));
}

TEST_F(RuntimeTest, IntervalSetDuringATickGovernsTheNextOnes) {
    rt.show(A);
    A->Fast.Enabled = false;
    std::vector<std::int64_t> at;
    A->Slow.Tick = [&] {
        at.push_back(rt.now());
        A->Slow.Interval = A->Slow.Interval - 20;
    };
    rt.advanceTo(200, forms::LateTicks::Deliver);
    // 50, then 30 later, then 16 later (10 is below the shortest period); at -10 it stops.
    EXPECT_EQ(at, (std::vector<std::int64_t>{50, 80, 96}));
    EXPECT_TRUE(A->Slow.Enabled);
    EXPECT_FALSE(rt.nextDue().has_value());
}

TEST_F(RuntimeTest, EnablingRestartsOnlyAStoppedTimerAndZeroIntervalNeverTicks) {
    rt.show(A);
    A->Fast.Enabled = false;
    int ticks = 0;
    A->Slow.Tick = [&] { ++ticks; };
    rt.advanceTo(40, forms::LateTicks::Deliver);
    A->Slow.Enabled = true;  // already running: its period goes on
    rt.advanceTo(50, forms::LateTicks::Deliver);
    EXPECT_EQ(ticks, 1);
    A->Slow.Enabled = false;
    rt.advanceTo(60, forms::LateTicks::Deliver);
    A->Slow.Enabled = true;  // from 60 on
    rt.advanceTo(109, forms::LateTicks::Deliver);
    EXPECT_EQ(ticks, 1);
    rt.advanceTo(110, forms::LateTicks::Deliver);
    EXPECT_EQ(ticks, 2);
    A->Slow.Interval = 0;
    EXPECT_FALSE(rt.nextDue().has_value());
}

TEST_F(RuntimeTest, ALateClockFiresOnceWithoutCatchUp) {
    rt.show(A);
    A->Slow.Enabled = false;
    int ticks = 0;
    A->Fast.Tick = [&] { ++ticks; };
    rt.advanceTo(1000, forms::LateTicks::Drop);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(rt.nextDue(), 1016);
}

TEST_F(RuntimeTest, NoTickWhileAMessageBoxIsOpen) {
    rt.show(A);
    int ticks = 0;
    A->Fast.Tick = [&] { ++ticks; };
    A->Slow.Tick = [&] { A->MsgBox("stop"); };
    host.onBox = [&] {
        const int before = ticks;
        EXPECT_FALSE(rt.nextDue().has_value());
        rt.advanceTo(rt.now() + 10000, forms::LateTicks::Drop);
        EXPECT_EQ(ticks, before);
    };
    rt.advanceTo(50, forms::LateTicks::Deliver);
    EXPECT_TRUE(rt.nextDue().has_value());
}

TEST_F(RuntimeTest, EnterEscapeAltAndTabFollowFocusAndTheDesign) {
    std::vector<std::string> clicks;
    rt.show(A);
    for (auto* b : {&A->Ok, &A->Hidden, &A->Cancel})
        b->Click = [&clicks, b] { clicks.push_back(b->name()); };
    TestForm& f = A.get();
    EXPECT_EQ(f.focus(), &f.Ok);  // the first visible button in tab order
    const struct {
        int code, modifiers;
        const char* focusAfter;
    } steps[] = {
        {forms::key::Enter, 0, "Ok"},
        {forms::key::Tab, 0, "Cancel"},   // skips the hidden button
        {forms::key::Enter, 0, "Cancel"}, // Enter goes to the focused button, not the Default one
        {forms::key::Tab, forms::key::ShiftMask, "Ok"},
        {forms::key::Escape, 0, "Cancel"},  // the Cancel button, wherever the focus is
        {'H', forms::key::AltMask, "Cancel"},  // a hidden button never gets a click
        {'O', forms::key::AltMask, "Ok"},
        {'O', 0, "Ok"},  // a letter without Alt does nothing
    };
    for (const auto& s : steps) {
        rt.keyDown(f, s.code, s.modifiers);
        ASSERT_NE(f.focus(), nullptr);
        EXPECT_STREQ(f.focus()->name(), s.focusAfter) << s.code;
    }
    EXPECT_EQ(clicks, (std::vector<std::string>{"Ok", "Cancel", "Cancel", "Ok"}));
}

TEST_F(RuntimeTest, HidingTheFocusedButtonPassesFocusOn) {
    rt.show(A);
    TestForm& f = A.get();
    f.Ok.Visible = false;
    EXPECT_EQ(f.focus(), &f.Cancel);
    f.Cancel.Visible = false;
    EXPECT_EQ(f.focus(), nullptr);
}

TEST_F(RuntimeTest, KeysGoToAFormWithoutFocusableControls) {
    rt.show(K);
    rt.keyDown(K.get(), forms::key::Right, forms::key::ShiftMask);
    rt.keyDown(K.get(), forms::key::Right, 0);  // an auto-repeat is one more key-down
    rt.keyUp(K.get(), forms::key::Right, 0);
    EXPECT_EQ(K->keys, (std::vector<std::string>{"down 39/1", "down 39/0", "up 39/0"}));
}

TEST_F(RuntimeTest, ClickOnAHiddenButtonOrUnloadedFormIsIgnored) {
    int clicks = 0;
    rt.show(A);
    A->Hidden.Click = [&] { ++clicks; };
    rt.click(A->Hidden);
    EXPECT_EQ(clicks, 0);
    // A click already on its way when the form went: the form lives to the end of the event that
    // unloaded it, but it takes no more events.
    forms::CommandButton& ok = A->Ok;
    ok.Click = [&] { ++clicks; };
    rt.dispatch([&] {
        rt.unload(A);
        rt.click(ok);
    });
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(A.loaded());
}

TEST_F(RuntimeTest, RuntimeErrorIsReportedAndEndsTheProgram) {
    rt.show(A);
    bool after = false;
    A->Slow.Tick = [&] {
        A->Slow.Interval = forms::Long(2147483647) + 1;
        after = true;
    };
    rt.advanceTo(100, forms::LateTicks::Deliver);
    EXPECT_FALSE(after);
    EXPECT_TRUE(rt.ended());
    EXPECT_EQ(rt.exitStatus(), 1);
    EXPECT_EQ(host.log.back(), "end 1");
    EXPECT_EQ(host.log[host.log.size() - 2], "error 6");
    EXPECT_FALSE(A.loaded());
    // Nothing runs after the end, and the clock stops where the program ended.
    const std::int64_t endedAt = rt.now();
    EXPECT_FALSE(rt.nextDue());
    rt.advanceTo(200, forms::LateTicks::Deliver);
    EXPECT_EQ(rt.now(), endedAt);
    EXPECT_EQ(host.log.back(), "end 1");
}

TEST_F(RuntimeTest, EndStopsTheHandlerAndClosesEveryForm) {
    rt.show(A);
    rt.show(B);
    bool after = false;
    A->Ok.Click = [&] {
        A->End();
        after = true;
    };
    rt.click(A->Ok);
    EXPECT_FALSE(after);
    EXPECT_TRUE(rt.ended());
    EXPECT_EQ(rt.exitStatus(), 0);
    EXPECT_FALSE(A.loaded());
    EXPECT_FALSE(B.loaded());
    EXPECT_EQ(host.log.back(), "end 0");
}

TEST_F(RuntimeTest, WindowStateIsReportedOnlyWhenItReallyChanges) {
    rt.show(A);
    host.log.clear();
    A->WindowState = 1;
    A->WindowState = 1;
    rt.playerSetWindowState(A.get(), 0);  // the player restored it: nothing to echo back
    A->WindowState = 0;
    A->WindowState = 1;
    EXPECT_EQ(host.log, (std::vector<std::string>{"state A 1", "state A 1"}));
}

}  // namespace
