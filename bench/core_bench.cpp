// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The runtime model alone, headless: what one timer tick and one key event cost.
//
//   bench_core [google benchmark flags]
//   bench_core --count LEVEL MS   runs MS ms of a level's game time and prints the ticks; two runs
//                                 under callgrind give the instructions per tick by difference.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "headless.h"
#include "scene.h"

namespace {

// One batch: a second of game time, every tick delivered in time order.
constexpr std::int64_t kBatchMs = 1000;

struct Scene {
    explicit Scene(int lv) : level(lv), form(start(lv)) {}
    miravel::LevelForm& start(int lv) {
        program.start();
        miravel::LevelForm& f = bench::openLevel(program, lv);
        bench::placeHeroine(program, f, lv);
        return f;
    }
    // Delivers one batch of ticks; returns how many.
    std::uint64_t batch() {
        host.counting = false;
        bench::rewind(program, form, level);
        host.counting = true;
        const std::uint64_t before = host.events;
        program.runtime.advanceTo(program.runtime.now() + kBatchMs, forms::LateTicks::Deliver);
        return host.events - before;
    }
    bool alive() const { return form.slot().instance() == &form && host.boxes == 0; }

    bench::HeadlessHost host;
    miravel::Program program{host};
    int level;
    miravel::LevelForm& form;
};

void BM_LevelTicks(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    std::uint64_t ticks = 0;
    for (auto _ : state) ticks += scene.batch();
    if (!scene.alive()) state.SkipWithError("the level ended during the run");
    state.SetItemsProcessed(static_cast<std::int64_t>(ticks));
    state.counters["ticks_per_batch"] =
        benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LevelTicks)->ArgName("level")->Arg(1)->Arg(2)->Arg(3);

// Right and Left, down and up: four key events a round, the heroine ends where she began.
void BM_KeyEvents(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    forms::Runtime& rt = scene.program.runtime;
    forms::Form& f = scene.form;
    for (auto _ : state) {
        rt.keyDown(f, forms::key::Right, 0);
        rt.keyUp(f, forms::key::Right, 0);
        rt.keyDown(f, forms::key::Left, 0);
        rt.keyUp(f, forms::key::Left, 0);
    }
    if (!scene.alive()) state.SkipWithError("the level ended during the run");
    state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(BM_KeyEvents)->ArgName("level")->Arg(1)->Arg(2)->Arg(3);

int count(int level, long ms) {
    Scene scene(level);
    std::uint64_t ticks = 0;
    for (long done = 0; done < ms; done += kBatchMs) ticks += scene.batch();
    std::printf("level %d: %llu ticks in %ld ms%s\n", level, static_cast<unsigned long long>(ticks), ms,
                scene.alive() ? "" : " (ENDED)");
    return scene.alive() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--count") == 0) return count(std::atoi(argv[2]), std::atol(argv[3]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
