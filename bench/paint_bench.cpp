// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The desktop host offscreen: what painting a window costs, what a whole frame of play costs (the
// ticks, the host's sync and the repaint), and an audit of repaints that showed nothing new.
//
//   bench_paint [google benchmark flags]   (QT_SCALE_FACTOR=2 for the scaled figures)
//   bench_paint --audit [MS]               repaint audit over MS ms of each level's game time
//   bench_paint --count paint|frame SCREEN N   N paints or frames, nothing else: two runs under
//                                          callgrind give the instructions per paint by difference
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>

#include "assets/artwork.h"
#include "assets/embedded.h"
#include "desktop.h"
#include "qt_host/form_window.h"
#include "qt_host/geometry.h"
#include "qt_host/qt_host.h"
#include "scene.h"

namespace {

constexpr std::int64_t kFrameMs = forms::Runtime::kShortestPeriod;
constexpr int kFramesPerRewind = 1000 / kFrameMs;

// What the scenes show: the title (slide done, Begin offered), the title with its score board,
// the selection, or a level in mid-game.
enum class Screen { Title, ScoreBoard, Selection, Game1, Game2, Game3 };
const char* name(Screen s) {
    switch (s) {
    case Screen::Title: return "Title";
    case Screen::ScoreBoard: return "TitleScoreBoard";
    case Screen::Selection: return "Selection";
    case Screen::Game1: return "Game1";
    case Screen::Game2: return "Game2";
    case Screen::Game3: return "Game3";
    }
    return "?";
}
int levelOf(Screen s) {
    return s == Screen::Game1 ? 1 : s == Screen::Game2 ? 2 : s == Screen::Game3 ? 3 : 0;
}

struct DesktopScene {
    explicit DesktopScene(Screen s) : screen(s) {
        // The scene drives the clock itself, 16 ms a frame; real time (slow under callgrind)
        // must not push extra ticks in between: the pump's own clock stands still.
        host.alarm().setClock([] { return std::int64_t{0}; });
        host.attach(program.runtime);
        program.start();
        forms::Runtime& rt = program.runtime;
        const int level = levelOf(s);
        if (level > 0) {
            form = &bench::openLevel(program, level);
            bench::placeHeroine(program, *level_(), level);
        } else {
            while (program.Intro->Timer1.Enabled) rt.tick(program.Intro->Timer1);
            if (s == Screen::ScoreBoard)
                rt.dispatch([&] {
                    program.Intro->strt.Visible = false;
                    program.Intro->Score.Visible = true;
                    program.Intro->LblScr.Visible = true;
                });
            form = program.Intro.instance();
            if (s == Screen::Selection) {
                rt.click(program.Intro->strt);
                form = program.Selec.instance();
            }
        }
        QCoreApplication::processEvents();
    }
    ~DesktopScene() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    miravel::LevelForm* level_() const { return static_cast<miravel::LevelForm*>(form); }
    forms::qt::FormWindow* window() const { return host.window(*form); }
    // One frame of play: 16 ms of game time, then whatever Qt has to do (the repaint).
    void frame() {
        if (levelOf(screen) > 0 && ++frames % kFramesPerRewind == 0)
            bench::rewind(program, *level_(), levelOf(screen));
        program.runtime.advanceTo(program.runtime.now() + kFrameMs, forms::LateTicks::Drop);
        QCoreApplication::processEvents();
    }
    bool alive() const { return form && window() && window()->form() == form; }

    Screen screen;
    forms::qt::QtHost host{miravel::pictureResources()};
    miravel::Program program{host};
    forms::Form* form = nullptr;
    long frames = 0;
};

// Painting one window into an image of its device pixels, as the raster backing store would.
void BM_Paint(benchmark::State& state, Screen s) {
    DesktopScene scene(s);
    QWidget* w = scene.window();
    const qreal dpr = w->devicePixelRatioF();
    QImage image((QSizeF(w->size()) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    w->render(&image);
    // The measured paint must be the one the window shows.
    if (image.convertToFormat(QImage::Format_RGB32) != w->grab().toImage().convertToFormat(QImage::Format_RGB32))
        state.SkipWithError("render differs from grab");
    for (auto _ : state) {
        w->render(&image);
        benchmark::ClobberMemory();
    }
    state.counters["scale"] = dpr;
}

// A frame of play on the desktop host: ticks due, the host's sync, the repaint it asked for.
void BM_Frame(benchmark::State& state, Screen s) {
    DesktopScene scene(s);
    for (auto _ : state) scene.frame();
    if (!scene.alive()) state.SkipWithError("the level ended during the run");
    state.counters["scale"] = scene.window() ? scene.window()->devicePixelRatioF() : 0;
}

// What a form shows, as far as its window's paintEvent draws it (buttons paint themselves).
std::string shown(const forms::Form& f) {
    std::string s;
    auto rect = [&](const forms::VisibleControl& c) {
        const QRect r = forms::qt::qRectOf(c);
        s += std::to_string(r.x()) + ',' + std::to_string(r.y()) + ',' + std::to_string(r.width()) + ',' +
             std::to_string(r.height()) + ';';
    };
    if (const forms::PictureData* p = f.Picture.data()) s += p->name;
    for (const forms::Control* c : f.controls()) {
        switch (c->kind()) {
        case forms::Control::Kind::Image: {
            auto& i = static_cast<const forms::Image&>(*c);
            const forms::PictureData* p = i.Picture.get().data();
            if (!i.Visible || !p) break;
            s += c->name();
            s += p->name;
            rect(i);
            break;
        }
        case forms::Control::Kind::Label: {
            auto& l = static_cast<const forms::Label&>(*c);
            if (!l.Visible) break;
            s += c->name() + l.Caption.get();
            rect(l);
            break;
        }
        case forms::Control::Kind::Shape: {
            auto& sh = static_cast<const forms::Shape&>(*c);
            if (!sh.Visible) break;
            s += c->name();
            rect(sh);
            break;
        }
        default: break;
        }
    }
    return s;
}

// Counts the paints of every game window and those that showed what the previous one showed.
class PaintAudit : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::Paint) return false;
        auto* w = qobject_cast<forms::qt::FormWindow*>(o);
        if (!w || !w->form()) return false;
        Counts& c = counts[w->form()->name()];
        const std::string now = shown(*w->form());
        ++c.paints;
        if (now == last[w]) ++c.unchanged;
        last[w] = now;
        double area = 0;
        for (const QRect& r : static_cast<QPaintEvent*>(e)->region()) area += r.width() * r.height();
        c.area += area / static_cast<double>(w->width() * w->height());
        return false;
    }
    struct Counts {
        long paints = 0, unchanged = 0;
        double area = 0;  // sum of the painted fraction of the window
    };
    std::map<std::string, Counts> counts;
    std::map<QObject*, std::string> last;
};

int audit(long ms) {
    std::printf("%-7s %7s %7s %8s %10s %12s\n", "level", "frames", "ticks", "paints", "unchanged", "area/paint");
    for (Screen s : {Screen::Game1, Screen::Game2, Screen::Game3}) {
        DesktopScene scene(s);
        long ticks = 0;
        for (forms::Timer* t : {&scene.level_()->Youma, &scene.level_()->TiaraLeft, &scene.level_()->TiaraRight})
            t->Tick = [t, f = t->Tick, &ticks] { ++ticks; f(); };
        if (s != Screen::Game1) {
            auto& t1 = s == Screen::Game2 ? static_cast<miravel::Game2Form*>(scene.form)->Timer1
                                          : static_cast<miravel::Game3Form*>(scene.form)->Timer1;
            t1.Tick = [f = t1.Tick, &ticks] { ++ticks; f(); };
        }
        PaintAudit a;
        qApp->installEventFilter(&a);
        const long frames = ms / kFrameMs;
        for (long i = 0; i < frames; ++i) scene.frame();
        qApp->removeEventFilter(&a);
        for (auto& [form, c] : a.counts)
            std::printf("%-7s %7ld %7ld %8ld %10ld %12.2f   (window %s)\n", name(s), frames, ticks, c.paints,
                        c.unchanged, c.paints ? c.area / static_cast<double>(c.paints) : 0.0, form.c_str());
        if (!scene.alive()) std::printf("%s: the level ended during the audit\n", name(s));
    }
    return 0;
}

int count(const char* what, const char* screen, long n) {
    for (Screen s : {Screen::Title, Screen::ScoreBoard, Screen::Selection, Screen::Game1, Screen::Game2, Screen::Game3}) {
        if (std::strcmp(name(s), screen) != 0) continue;
        DesktopScene scene(s);
        QWidget* w = scene.window();
        const qreal dpr = w->devicePixelRatioF();
        QImage image((QSizeF(w->size()) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(dpr);
        const bool frames = std::strcmp(what, "frame") == 0;
        for (long i = 0; i < n; ++i) frames ? scene.frame() : w->render(&image);
        std::printf("%ld %s of %s\n", n, frames ? "frames" : "paints", screen);
        return scene.alive() ? 0 : 1;
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::quietQtLog();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc == 5 && std::strcmp(argv[1], "--count") == 0) return count(argv[2], argv[3], std::atol(argv[4]));
    if (argc >= 2 && std::strcmp(argv[1], "--audit") == 0) return audit(argc >= 3 ? std::atol(argv[2]) : 5000);

    for (Screen s : {Screen::Title, Screen::ScoreBoard, Screen::Selection, Screen::Game1, Screen::Game2, Screen::Game3})
        benchmark::RegisterBenchmark((std::string("BM_Paint/") + name(s)).c_str(), BM_Paint, s)
            ->Unit(benchmark::kMicrosecond);
    for (Screen s : {Screen::Game1, Screen::Game2, Screen::Game3})
        benchmark::RegisterBenchmark((std::string("BM_Frame/") + name(s)).c_str(), BM_Frame, s)
            ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::AddCustomContext("QT_SCALE_FACTOR", qEnvironmentVariable("QT_SCALE_FACTOR", "1").toStdString());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
