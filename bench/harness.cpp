// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The game on the desktop host, started as players start it, with measuring hooks.
//
//   bench_harness startup     prints first_paint_ms (see first_paint.h) for the title window
//   bench_harness play SECS   the Difficult level in real time: heroine safe on the raised row
//                             past the overhead ball, tiara flying, balls every 16 ms. After a
//                             second to settle it measures SECS seconds: CPU of this process
//                             (utime+stime), and each tick's lateness against its due time.
//   bench_harness idle SECS [pad]   the title left alone once its slide is over: CPU of this
//                             process over SECS seconds; with `pad`, SDL's virtual game
//                             controller plugged in first, so that the pads are read at their
//                             rate with one there.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLibrary>
#include <QTimer>

#include <SDL.h>

#include "app/desktop_game.h"
#include "desktop.h"
#include "first_paint.h"
#include "qt_host/form_window.h"
#include "scene.h"

namespace {

// utime + stime of a process in clock ticks, from /proc/PID/stat.
long long cpuTicks(const std::string& pid) {
    std::ifstream in("/proc/" + pid + "/stat");
    std::string line;
    std::getline(in, line);
    // The command name may hold spaces; the fields after it are counted from its closing bracket.
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) utime = std::atoll(field.c_str());
        if (i == 15) stime = std::atoll(field.c_str());
    }
    return utime + stime;
}

double rusageSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && qobject_cast<forms::qt::FormWindow*>(o)) bench::firstPaintDone();
        return false;
    }
};

// The idle title, measured; the pads start after the first paint, as for the player.
int idle(miravel::DesktopGame& game, double seconds, bool withPad) {
    game.start();
    SDL_Joystick* pad = nullptr;
    long long cpu0 = 0;
    double ru0 = 0;
    QElapsedTimer clock;
    clock.start();
    double wall0 = 0;
    // The slide is over within 2 s; then the pad, and a second to settle.
    // SDL as the game has loaded it: linked here, it would slow the start-up measured.
    QLibrary sdl(QStringLiteral("SDL2-2.0"), 0);
    QTimer::singleShot(2500, [&] {
        if (!withPad) return;
        auto attach = reinterpret_cast<decltype(&SDL_JoystickAttachVirtualEx)>(sdl.resolve("SDL_JoystickAttachVirtualEx"));
        auto open = reinterpret_cast<decltype(&SDL_JoystickOpen)>(sdl.resolve("SDL_JoystickOpen"));
        if (!game.pads.started() || !attach || !open) return;
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Bench pad";
        const int index = attach(&desc);
        pad = index >= 0 ? open(index) : nullptr;
    });
    QTimer::singleShot(3500, [&] {
        if (withPad && (!pad || game.pads.padCount() != 1)) {
            std::fprintf(stderr, "no pad came\n");
            QCoreApplication::exit(2);
            return;
        }
        cpu0 = cpuTicks("self");
        ru0 = rusageSeconds();
        wall0 = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    });
    QTimer::singleShot(3500 + static_cast<int>(seconds * 1000), [&] {
        const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9 - wall0;
        const double hz = static_cast<double>(sysconf(_SC_CLK_TCK));
        std::printf("wall_s %.3f\npads %d\n", wall, game.pads.padCount());
        std::printf("cpu_proc_pct %.3f\n", 100.0 * static_cast<double>(cpuTicks("self") - cpu0) / hz / wall);
        std::printf("cpu_rusage_pct %.4f\n", 100.0 * (rusageSeconds() - ru0) / wall);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool play = argc >= 2 && std::strcmp(argv[1], "play") == 0;
    const double seconds = play && argc >= 3 ? std::atof(argv[2]) : 10.0;

    miravel::prepareDesktop();
    QApplication app(argc, argv);
    miravel::DesktopGame game(app);
    forms::qt::QtHost& host = game.host;
    miravel::Program& program = game.program;
    QElapsedTimer clock;  // started with the pump's: model time 0
    clock.start();

    if (argc >= 2 && std::strcmp(argv[1], "idle") == 0)
        return idle(game, argc >= 3 ? std::atof(argv[2]) : 10.0, argc >= 4 && std::strcmp(argv[3], "pad") == 0);

    FirstPaint firstPaint;
    if (!play) app.installEventFilter(&firstPaint);
    if (!play) return game.run();
    game.start();

    bench::quietQtLog();
    std::vector<double> lateUs, lateBallsUs;
    bool measuring = false;
    long long cpu0 = 0, xcpu0 = 0;
    double ru0 = 0, wall0 = 0;
    const char* xpid = std::getenv("MIRAVEL_BENCH_XPID");
    miravel::Game3Form* level = nullptr;

    auto hook = [&](forms::Timer& t, bool balls) {
        t.Tick = [&, balls, f = t.Tick] {
            if (measuring) {
                const double late = static_cast<double>(clock.nsecsElapsed()) / 1e3 -
                                    static_cast<double>(program.runtime.now()) * 1e3;
                lateUs.push_back(late);
                if (balls) lateBallsUs.push_back(late);
            }
            f();
        };
    };

    // After the slide: Begin, then Difficult, as the player clicks them.
    QTimer::singleShot(1000, [&] {
        host.click(*host.window(*program.Intro.instance()), program.Intro->strt);
        host.click(*host.window(*program.Selec.instance()), program.Selec->G3);
        level = program.Game3.instance() ? &program.Game3.get() : nullptr;
        if (!level) {
            std::fprintf(stderr, "the Difficult level did not open\n");
            QCoreApplication::exit(2);
            return;
        }
        bench::placeHeroine(program, *level, 3);
        hook(level->Timer1, true);
        hook(level->Youma, false);
        hook(level->TiaraLeft, false);
        hook(level->TiaraRight, false);
    });
    QTimer::singleShot(2000, [&] {
        measuring = true;
        cpu0 = cpuTicks("self");
        if (xpid) xcpu0 = cpuTicks(xpid);
        ru0 = rusageSeconds();
        wall0 = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    });
    QTimer::singleShot(2000 + static_cast<int>(seconds * 1000), [&] {
        measuring = false;
        const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9 - wall0;
        const double hz = static_cast<double>(sysconf(_SC_CLK_TCK));
        const bool alive = level && program.Game3.instance() == level;
        std::printf("wall_s %.3f\n", wall);
        std::printf("cpu_proc_pct %.3f\n", 100.0 * static_cast<double>(cpuTicks("self") - cpu0) / hz / wall);
        std::printf("cpu_rusage_pct %.3f\n", 100.0 * (rusageSeconds() - ru0) / wall);
        if (xpid) std::printf("cpu_xserver_pct %.3f\n", 100.0 * static_cast<double>(cpuTicks(xpid) - xcpu0) / hz / wall);
        std::printf("ticks %zu\nball_ticks %zu\nball_ticks_per_s %.2f\n", lateUs.size(), lateBallsUs.size(),
                    static_cast<double>(lateBallsUs.size()) / wall);
        std::printf("late_median_us %.1f\nlate_p90_us %.1f\nlate_p99_us %.1f\nlate_max_us %.1f\n",
                    percentile(lateUs, 0.5), percentile(lateUs, 0.9), percentile(lateUs, 0.99), percentile(lateUs, 1.0));
        std::printf("level_alive %d\n", alive ? 1 : 0);
        std::fflush(stdout);
        QCoreApplication::exit(alive ? 0 : 3);
    });
    return QApplication::exec();
}
