// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Long seeded random play through the runtime model. Every command is a miravel-script line, so a
// failure is reported as its seed and the shortest script found that still shows it.
//   MIRAVEL_RANDOM_PLAY_SEEDS       how many games (default below; raise it for a long run)
//   MIRAVEL_RANDOM_PLAY_FIRST_SEED  the first seed (default 1)
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/reliability/play_harness.h"
#include "tools/script/script_runner.h"

namespace {

using miravel::reliability::Player;
using miravel::reliability::PlayStats;

// About 20 s of play in an optimised build; unoptimised builds are several times slower. The
// sanitizer preset sets its own count.
#ifdef NDEBUG
constexpr unsigned long long kDefaultSeeds = 40'000;
#else
constexpr unsigned long long kDefaultSeeds = 5'000;
#endif

unsigned long long envNumber(const char* name, unsigned long long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtoull(v, nullptr, 10) : fallback;
}

// One game: random commands until the program ends, an invariant breaks or the length is reached.
std::vector<std::string> play(unsigned long long seed, Player& player, int maxLength = 1500) {
    std::mt19937_64 rng(seed);
    const int length = std::min(std::uniform_int_distribution<int>(100, 1500)(rng), maxLength);
    std::vector<std::string> commands;
    for (int i = 0; i < length && !player.ended() && !player.violation(); ++i) {
        commands.push_back(player.nextCommand(rng));
        player.execute(commands.back());
    }
    return commands;
}

std::string asScenario(const std::vector<std::string>& commands) {
    std::string text;
    for (const auto& c : commands) text += c + '\n';
    return text;
}

std::string hours(std::int64_t ms) {
    std::ostringstream s;
    s.precision(1);
    s << std::fixed << static_cast<double>(ms) / 3'600'000.0 << " h";
    return s.str();
}

TEST(RandomPlay, InvariantsHoldThroughSeededRandomGames) {
    const unsigned long long seeds = envNumber("MIRAVEL_RANDOM_PLAY_SEEDS", kDefaultSeeds);
    const unsigned long long first = envNumber("MIRAVEL_RANDOM_PLAY_FIRST_SEED", 1);
    const auto started = std::chrono::steady_clock::now();
    PlayStats total;
    int failures = 0;
    for (unsigned long long seed = first; seed < first + seeds && failures < 3; ++seed) {
        Player player;
        const std::vector<std::string> commands = play(seed, player);
        total.add(player.stats());
        if (!player.violation()) continue;

        ++failures;
        const auto& v = *player.violation();
        const auto shortest = miravel::reliability::shrink(commands, v.kind);
        const auto again = miravel::reliability::replay(shortest);
        const std::string file = "random-play-seed-" + std::to_string(seed) + ".scn";
        std::ofstream(file) << "# random play, seed " << seed << ": "
                            << (again.violation ? again.violation->message : v.message) << '\n'
                            << asScenario(shortest);
        ADD_FAILURE() << "seed " << seed << " broke '" << v.kind << "': " << v.message << "\n"
                      << "shortest script found (" << shortest.size() << " of " << commands.size()
                      << " commands), also written to " << file << ":\n"
                      << asScenario(shortest)
                      << (again.violation ? "which shows: " + again.violation->message
                                          : std::string("(the shortened script no longer fails)"))
                      << '\n';
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "random play: " << seeds << " games from seed " << first << ", " << total.commands
              << " commands, " << total.ticks << " timer ticks, " << hours(total.virtualMs) << " virtual ("
              << hours(total.levelMs) << " with a level open), " << total.hits << " hits, max score "
              << total.maxScore << ", " << total.defeats << " defeats, " << total.exits << " exits, "
              << total.handOvers << " hand-overs, " << total.beginsMidGame << " Begins mid-game, "
              << total.twoLevelsAtOnce << " times two levels open; " << seconds << " s\n  endings:";
    for (const auto& [why, n] : total.endings) std::cout << ' ' << why << ' ' << n << ';';
    std::cout << '\n';
    // The generator must reach the situations the invariants are about.
    if (seeds >= 500) {
        EXPECT_GT(total.hits, 0u);
        EXPECT_GT(total.defeats, 0u);
        EXPECT_GT(total.exits, 0u);
        EXPECT_GT(total.handOvers, 0u);
        EXPECT_GT(total.beginsMidGame, 0u);
    }
}

// What the player printed is what miravel-script prints for the same lines: the reported scripts
// replay the very game, and the driver keeps no state of its own between commands.
TEST(RandomPlay, ScriptDriverReplaysTheSameGame) {
    for (unsigned long long seed = 1000; seed < 1040; ++seed) {
        Player player;
        const auto commands = play(seed, player);
        ASSERT_FALSE(player.violation()) << "seed " << seed << ": " << player.violation()->message;
        std::istringstream in(asScenario(commands));
        std::ostringstream out, err;
        const auto result = miravel::runScript(in, out, err, "seed-" + std::to_string(seed));
        EXPECT_EQ(result, miravel::ScriptResult::Passed) << "seed " << seed << ": " << err.str();
        EXPECT_EQ(out.str(), player.trace()) << "seed " << seed << ", script:\n" << asScenario(commands);
    }
}

// The checks must fire: a fault planted after a stretch of random play is caught, named, and
// shrunk down to the planted command.
TEST(RandomPlay, PlantedFaultsAreCaughtAndShrunk) {
    struct Case {
        const char* plant;
        const char* kind;
    };
    const Case cases[] = {
        {"set Game1.Main.Left 3850", "grid"},
        {"set Game2.Main.Picture Game2.YoumaL.Picture", "picture"},
        {"set Intro.Score.Caption 15", "score"},
        {"show Sprites", "sprites"},
        {"set Game3.Ball6.Left 1E+39", "error"},
        {"unload Intro", "intro"},
        {"set Game1.Youma.Interval 4", "interval"},
        {"set Game1.Exito.Visible True", "exit"},
        {"set Game3.Main.Top 1500", "rows"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.plant);
        // A stretch of play that leaves the program running.
        std::vector<std::string> commands;
        for (unsigned long long seed = 77;; ++seed) {
            Player player;
            commands = play(seed, player, 120);
            if (!player.ended() && !player.violation()) break;
        }
        commands.push_back(c.plant);
        const auto found = miravel::reliability::replay(commands);
        ASSERT_TRUE(found.violation);
        EXPECT_EQ(found.violation->kind, c.kind) << found.violation->message;
        const auto shortest = miravel::reliability::shrink(commands, c.kind);
        EXPECT_LE(shortest.size(), 2u) << asScenario(shortest);
        EXPECT_EQ(shortest.back(), c.plant);
    }
}

}  // namespace
