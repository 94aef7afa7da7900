// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// First-paint hook shared by the bare window and the game harness, so both are timed alike.
// MIRAVEL_BENCH_T0: the launcher's CLOCK_MONOTONIC in ns just before it started the process;
// the hook prints the time from then to the end of the first paint (its flush included, as the
// report runs queued after it). MIRAVEL_BENCH_EXIT_ON_FIRST_PAINT=1 then quits.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <QCoreApplication>
#include <QMetaObject>

namespace bench {

inline long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

inline void firstPaintDone() {
    static bool done = false;
    if (done) return;
    done = true;
    QMetaObject::invokeMethod(
        qApp,
        [] {
            const long long now = monotonicNs();
            if (const char* t0 = std::getenv("MIRAVEL_BENCH_T0"))
                std::printf("first_paint_ms %.3f\n", static_cast<double>(now - std::atoll(t0)) / 1e6);
            std::fflush(stdout);
            if (std::getenv("MIRAVEL_BENCH_EXIT_ON_FIRST_PAINT")) QCoreApplication::exit(0);
        },
        Qt::QueuedConnection);
}

}  // namespace bench
