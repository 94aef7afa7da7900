// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The reference for start-up, memory and playing cost: the least a Qt 6 Widgets program can show,
// one window of the title window's size (407 x 453) with its background painted.
//
//   bare_window              shows it (first_paint.h hooks apply)
//   bare_window text         the same with one line of text in the default font: how much of a
//                            program's start-up and memory merely drawing text costs
//   bare_window play SECS    repaints a ball-sized square every 16 ms, as a level's balls move,
//                            and after a second to settle measures SECS seconds: CPU of this
//                            process and each timer's lateness, printed as bench_harness does
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "first_paint.h"

namespace {
class Bare : public QWidget {
public:
    int x = 0;
    bool text = false;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Window));
        p.fillRect(x, 100, 17, 18, Qt::red);
        if (text) p.drawText(10, 30, QStringLiteral("A game of tiaras and youma"));
        bench::firstPaintDone();
    }
};

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Bare w;
    w.setFixedSize(407, 453);
    w.setWindowTitle(QStringLiteral("bare"));
    w.text = argc >= 2 && std::strcmp(argv[1], "text") == 0;
    w.show();
    if (argc < 3 || std::strcmp(argv[1], "play") != 0) return QApplication::exec();

    const double seconds = std::atof(argv[2]);
    QElapsedTimer clock;
    clock.start();
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    std::vector<double> lateUs;
    qint64 dueNs = 0;
    bool measuring = false;
    // Armed afresh each time for 16 ms from its due time, as the game's pump arms its timer.
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (measuring) lateUs.push_back(static_cast<double>(now - dueNs) / 1e3);
        w.update(w.x, 100, 17, 18);
        w.x = (w.x + 8) % 390;
        w.update(w.x, 100, 17, 18);
        dueNs = std::max(dueNs + 16'000'000, now);
        timer.start(static_cast<int>(std::max<qint64>(0, (dueNs - clock.nsecsElapsed()) / 1'000'000)));
    });
    dueNs = clock.nsecsElapsed() + 16'000'000;
    timer.start(16);
    double cpu0 = 0, wall0 = 0;
    QTimer::singleShot(1000, [&] {
        measuring = true;
        cpu0 = cpuSeconds();
        wall0 = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    });
    QTimer::singleShot(1000 + static_cast<int>(seconds * 1000), [&] {
        const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9 - wall0;
        std::sort(lateUs.begin(), lateUs.end());
        auto at = [&](double q) {
            return lateUs.empty() ? 0.0 : lateUs[static_cast<std::size_t>(q * static_cast<double>(lateUs.size() - 1) + 0.5)];
        };
        std::printf("wall_s %.3f\ncpu_rusage_pct %.3f\nticks %zu\n", wall, 100.0 * (cpuSeconds() - cpu0) / wall,
                    lateUs.size());
        std::printf("late_median_us %.1f\nlate_p90_us %.1f\nlate_p99_us %.1f\nlate_max_us %.1f\n", at(0.5), at(0.9),
                    at(0.99), at(1.0));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}
