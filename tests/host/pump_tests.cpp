// The timer pump: the model's timers tick in real time, never faster, never in bursts, and
// nothing is armed when no timer runs.
#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include "host_test_support.h"
#include "screens/intro.h"

namespace hosttest {
namespace {

using TimerPump = GameDesktop;

TEST_F(TimerPump, TitleSlideRunsInRealTime) {
    QElapsedTimer clock;
    clock.start();
    // 39 ticks at the shortest period of 16 ms: about 0.6 s.
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.Intro->strt.Visible.get(); }, 5000));
    const qint64 took = clock.elapsed();
    EXPECT_GE(took, 39 * 16 - 20) << "ticks came faster than real time";
    EXPECT_LT(took, 2500) << "the pump lags far behind";
    EXPECT_EQ(program.Intro->Label1.Left.get(), vb::Single(90));
    // The model's clock follows the real one and never runs ahead of it.
    EXPECT_GE(program.runtime.now(), 39 * 16);
    EXPECT_LE(program.runtime.now(), host.pump().now());
    // The slide is over and no timer runs: nothing is armed, nothing spins.
    EXPECT_FALSE(host.pump().armed());
}

TEST_F(TimerPump, StallGivesOneTickNotABurst) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.Intro->Label1.Left.get() > vb::Single(-5760); }, 1000));
    const float before = program.Intro->Label1.Left.get().value();
    // The program is held up for about twelve periods.
    QThread::msleep(200);
    QCoreApplication::processEvents();
    EXPECT_EQ(program.Intro->Label1.Left.get().value(), before + 150);
}

TEST_F(TimerPump, InputCountsFromTheRealTimeOfTheInput) {
    finishSlide();
    QTest::qWait(100);
    // No timer runs now, so the model's clock has not moved; a key brings it up to date first.
    const std::int64_t idle = program.runtime.now();
    vb::qt::FormWindow* intro = window(program.Intro);
    ASSERT_NE(intro, nullptr);
    QTest::keyClick(intro, Qt::Key_Tab);
    EXPECT_GE(program.runtime.now(), idle + 90);
}

}  // namespace
}  // namespace hosttest
