// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The timer pump and the change set that the desktop and the web host share, on a clock the test
// moves itself and an alarm it fires at its time, as a host's event loop would.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host_core/form_view.h"
#include "host_core/timer_pump.h"
#include "runtime/form.h"
#include "runtime/form_slot.h"
#include "runtime/runtime.h"

namespace {

constexpr std::int64_t kMs = 1'000'000;

struct TestAlarm final : forms::core::Alarm {
    std::int64_t ns = 0;
    std::optional<std::int64_t> fallsAtNs;
    std::int64_t nowNs() const override { return ns; }
    void arm(std::int64_t ms) override { fallsAtNs = ns + ms * kMs; }
    void stop() override { fallsAtNs.reset(); }
};

// A form with one timer and one label; what its timer does on each tick is up to the case.
class Probe : public forms::Form {
public:
    explicit Probe(forms::FormSlotBase& slot)
        : forms::Form(slot, forms::FormDesign{"Probe", 3000, 1500, 0, 0, {}}),
          T(*this, "T", 16, true),
          Text(*this, "Text", {0, 0, 1500, 300}, true, "", {}),
          Sprite(*this, "Sprite", {0, 0, 150, 150}, true) {
        T.Tick = [this] {
            log->push_back(runtime().now());
            if (onTick) onTick(*this, static_cast<int>(log->size()));
        };
    }
    forms::Timer T;
    forms::Label Text;
    forms::Image Sprite;
    std::vector<std::int64_t>* log = nullptr;  // the model time of each tick, kept by the test
    std::function<void(Probe&, int)> onTick;
};

class Host final : public forms::Host {
public:
    std::function<void()> whileBoxOpen;
    int boxes = 0;
    forms::core::TimerPump* pump = nullptr;
    void messageBox(std::string_view, std::string_view) override {
        ++boxes;
        pump->rearm();  // as the real hosts do: the model holds its ticks while the box is open
        if (whileBoxOpen) whileBoxOpen();
    }
    void eventDone() override { pump->rearm(); }
};

struct Game {
    TestAlarm alarm;
    forms::core::TimerPump pump{alarm};
    Host host;
    forms::Runtime runtime{host, {}, "Test"};
    forms::FormSlot<Probe> probe{runtime, "Probe", [](forms::FormSlot<Probe>& s) { return std::make_unique<Probe>(s); }};

    std::vector<std::int64_t> tickTimes;

    Game() {
        host.pump = &pump;
        pump.attach(runtime);
        runtime.dispatch([&] { runtime.show(probe); });
        form()->log = &tickTimes;
    }
    // Lets `ms` pass, the alarm falling at its time on the way.
    void advance(std::int64_t ms) {
        const std::int64_t target = alarm.ns + ms * kMs;
        while (alarm.fallsAtNs && *alarm.fallsAtNs <= target) {
            // Time that passed inside a handler (a box left open) is not given back.
            alarm.ns = std::max(alarm.ns, *alarm.fallsAtNs);
            alarm.fallsAtNs.reset();
            pump.fire();
        }
        alarm.ns = std::max(alarm.ns, target);
    }
    // The host was held up for `ms` (a stall): its alarm falls only afterwards.
    void stall(std::int64_t ms) {
        alarm.ns += ms * kMs;
        if (!alarm.fallsAtNs) return;
        alarm.fallsAtNs.reset();
        pump.fire();
    }
    Probe* form() { return static_cast<Probe*>(probe.instance()); }
};

struct PumpCase {
    const char* name;
    std::function<void(Game&)> play;
    std::vector<std::int64_t> tickTimes;  // model time of each tick delivered
    bool armedAtEnd;
};

TEST(TimerPump, DeliversTicksInRealTimeByTheModelsRules) {
    const PumpCase cases[]{
        {"a tick each period, never early", [](Game& g) { g.advance(15); g.advance(1); g.advance(32); },
         {16, 32, 48}, true},
        {"a stall gives one late tick, not a burst, and the period starts afresh",
         [](Game& g) { g.advance(16); g.stall(200); g.advance(16); }, {16, 32, 232}, true},
        {"a box holds every tick; after it the late tick comes once, then the period from then",
         [](Game& g) {
             g.host.whileBoxOpen = [&g] { g.advance(100); };
             g.form()->onTick = [](Probe& p, int n) {
                 if (n == 1) p.runtime().messageBox("box");
             };
             g.advance(16);
             g.host.whileBoxOpen = nullptr;
             g.advance(20);
         },
         {16, 32, 132}, true},
        {"an interval set inside a tick governs the next ones",
         [](Game& g) {
             g.form()->onTick = [](Probe& p, int n) {
                 if (n == 1) p.T.Interval = forms::Long(100);
             };
             g.advance(16 + 100 + 100);
         },
         {16, 116, 216}, true},
        {"a form unloaded inside its own tick gets no more ticks, and nothing stays armed",
         [](Game& g) {
             g.form()->onTick = [](Probe& p, int n) {
                 if (n == 2) p.runtime().unload(p.slot());
             };
             g.advance(100);
         },
         {16, 32}, false},
        {"paused, the model's clock stands still; it goes on where it stood",
         [](Game& g) {
             g.advance(20);
             g.pump.setPaused(true);
             g.advance(5000);
             g.pump.setPaused(false);
             g.advance(12);
         },
         {16, 32}, true},
    };
    for (const PumpCase& c : cases) {
        Game g;
        c.play(g);
        EXPECT_EQ(g.tickTimes, c.tickTimes) << c.name;
        EXPECT_EQ(g.pump.armed(), c.armedAtEnd) << c.name;
    }
}

TEST(TimerPump, ArmsForTheTimeLeftAndStopsWhenNothingRuns) {
    Game g;
    EXPECT_EQ(g.pump.armedWait(), 16);
    g.advance(5);
    // An input event brings the clock up to date; the alarm stays as it was, for the same tick.
    g.pump.catchUp();
    g.pump.rearm();
    EXPECT_EQ(g.pump.armedWait(), 16) << "re-armed for a tick it was already armed for";
    g.runtime.dispatch([&] { g.form()->T.Enabled = false; });
    EXPECT_FALSE(g.pump.armed());
    EXPECT_FALSE(g.alarm.fallsAtNs.has_value()) << "the host's alarm still runs with nothing due";
}

TEST(FormView, ReportsOnlyWhatAWindowShowsDifferently) {
    Game g;
    Probe& p = *g.form();
    forms::core::FormView view(p);
    std::vector<forms::core::ControlView> before;
    auto changes = view.sync(&before);
    EXPECT_TRUE(changes.first && changes.caption && changes.focus);
    EXPECT_EQ(view.caption(), "Probe");

    struct Step {
        const char* name;
        std::function<void()> change;
        std::vector<int> controls;  // design indices: 0 T, 1 Text, 2 Sprite
        bool caption;
    };
    const Step steps[]{
        {"a timer's interval shows nothing", [&] { p.T.Interval = forms::Long(40); }, {}, false},
        {"a label's text", [&] { p.Text.Caption = std::string("10"); }, {1}, false},
        {"a caption changed and changed back before the window looked", [&] {
             p.Caption = std::string("Other");
             p.Caption = std::string("Probe");
         }, {}, false},
        {"an empty caption shows the program's name", [&] { p.Caption = std::string(); }, {}, true},
        {"an image without a picture moved shows nothing", [&] { p.Sprite.Left = forms::Single(300); }, {}, false},
        {"a hidden label changed shows nothing... but its visibility did", [&] {
             p.Text.Visible = false;
         }, {1}, false},
    };
    for (const Step& s : steps) {
        s.change();
        changes = view.sync(&before);
        EXPECT_EQ(changes.controls, s.controls) << s.name;
        EXPECT_EQ(changes.caption, s.caption) << s.name;
        EXPECT_EQ(before.size(), changes.controls.size()) << s.name;
    }
    EXPECT_EQ(view.caption(), "Test");
    // The old view is handed back, for the host to repaint where the control was.
    p.Text.Visible = true;
    changes = view.sync(&before);
    ASSERT_EQ(before.size(), 1u);
    EXPECT_FALSE(before[0].visible);
    EXPECT_TRUE(view.controls()[1].visible);
}

}  // namespace
