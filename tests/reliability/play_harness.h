// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Plays the whole game through the runtime model, one miravel-script command at a time, with a host
// that answers message boxes at once, and checks the game's invariants after every command, at
// every message box and around every handler. The commands are script lines, so whatever the
// player did can be pasted into a scenario file and replayed by miravel-script.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace miravel::reliability {

// The first invariant seen broken.
struct Violation {
    std::string kind;     // a short name of the invariant: "grid", "score", "sprites"...
    std::string message;  // what was seen, and when
};

struct PlayStats {
    std::uint64_t commands = 0;
    std::uint64_t ticks = 0;  // timer handlers run
    std::uint64_t hits = 0;   // scores of 10
    std::uint64_t defeats = 0;
    std::uint64_t exits = 0;
    std::uint64_t handOvers = 0;  // Moderate to Difficult
    std::uint64_t beginsMidGame = 0;
    std::uint64_t twoLevelsAtOnce = 0;
    std::int64_t virtualMs = 0;  // the clock moved by run commands
    std::int64_t levelMs = 0;    // of which with a level window loaded
    double maxScore = 0;
    std::map<std::string, std::uint64_t> endings;  // why the program ended

    void add(const PlayStats& other);
};

class Player {
public:
    Player();
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Runs one script line. Commands after the end of the program, or after a violation, are
    // not run. A line the harness does not know is a fault of the test itself (std::logic_error).
    void execute(const std::string& line);

    // A random command that suits the game's current state. Bursts of one key are handed out
    // over several calls.
    std::string nextCommand(std::mt19937_64& rng);

    bool ended() const;
    const std::optional<Violation>& violation() const;
    // What miravel-script prints for the commands run so far (traces and "ignored" lines).
    std::string trace() const;
    const PlayStats& stats() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Where a replay of a command list stopped.
struct Replay {
    std::optional<Violation> violation;
    std::size_t commandsRun = 0;  // including the one that broke an invariant
};

Replay replay(const std::vector<std::string>& commands);

// The shortest list found by removing commands (and shrinking their numbers) while the replay
// still breaks the invariant of kind `kind`. The first command ("start") is kept.
std::vector<std::string> shrink(std::vector<std::string> commands, const std::string& kind,
                                int maxReplays = 4000);

}  // namespace miravel::reliability
