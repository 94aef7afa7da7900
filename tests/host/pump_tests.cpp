// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The timer pump: the model's timers tick on the desktop's clock, never faster, never in bursts,
// and nothing is armed when no timer runs. Run on a clock the test moves.
#include <QTest>

#include "host_test_support.h"
#include "game/screens/intro.h"

namespace hosttest {
namespace {

using TimerPump = GameOnTestClock;

TEST_F(TimerPump, TitleSlideFollowsTheClock) {
    // 39 ticks at the shortest period of 16 ms; a tick never comes before its time.
    for (int tick = 1; tick <= 39; ++tick) {
        advance(15);
        EXPECT_EQ(program.Intro->Label1.Left.get(), forms::Single(-5760 + 150 * (tick - 1))) << "tick " << tick << " came early";
        advance(1);
        EXPECT_EQ(program.Intro->Label1.Left.get(), forms::Single(-5760 + 150 * tick)) << "tick " << tick << " did not come";
        if (tick < 39) {
            EXPECT_EQ(host.pump().armedWait(), 16) << "the next wake-up is not one period away";
        }
    }
    EXPECT_TRUE(program.Intro->strt.Visible.get());
    EXPECT_EQ(program.runtime.now(), 39 * 16);
    // The slide is over and no timer runs: nothing is armed, nothing spins.
    EXPECT_FALSE(host.pump().armed());
}

TEST_F(TimerPump, StallGivesOneTickNotABurst) {
    advance(16);
    const float before = program.Intro->Label1.Left.get().value();
    // The program is held up for about twelve periods.
    advance(200);
    EXPECT_EQ(program.Intro->Label1.Left.get().value(), before + 150);
    EXPECT_EQ(program.runtime.now(), 216);
}

TEST_F(TimerPump, InputCountsFromTheTimeOfTheInput) {
    finishSlide();
    ASSERT_FALSE(host.pump().armed());
    // No timer runs, so the model's clock stands still; a key brings it up to date first.
    const std::int64_t idle = program.runtime.now();
    advance(100);
    EXPECT_EQ(program.runtime.now(), idle);
    forms::qt::FormWindow* intro = window(program.Intro);
    ASSERT_NE(intro, nullptr);
    QTest::keyClick(intro, Qt::Key_Tab);
    EXPECT_EQ(program.runtime.now(), idle + 100);
}

}  // namespace
}  // namespace hosttest
