// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the player sees at the moment a level's message box comes up: a defeat shows its box while
// the level is still there (with the heroine hidden or, for some Difficult hits, still standing);
// an exit shows its box after the level window has gone.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "game/program.h"
#include "game/level/game1.h"
#include "game/level/game2.h"
#include "game/level/game3.h"
#include "game/screens/intro.h"

namespace miravel {
namespace {

struct Seen {
    std::string text;
    bool levelLoaded = false;
    std::optional<bool> heroineVisible;  // empty when the level is gone
    bool scoreBoardShown = false;
    int titleWindowState = -1;
    bool beginShown = true;
};

class BoxHost final : public forms::Host {
public:
    void messageBox(std::string_view, std::string_view text) override {
        Seen s;
        s.text = std::string(text);
        forms::FormSlotBase& level = *program->runtime.slot(levelName);
        s.levelLoaded = level.loaded();
        if (level.loaded())
            s.heroineVisible = static_cast<LevelForm*>(level.instance())->Main.Visible.get();
        IntroForm& intro = program->Intro.get();
        s.scoreBoardShown = intro.Score.Visible && intro.LblScr.Visible;
        s.titleWindowState = intro.WindowState;
        s.beginShown = intro.strt.Visible;
        seen = s;
    }
    Program* program = nullptr;
    std::string levelName;
    std::optional<Seen> seen;
};

struct Case {
    const char* name;
    const char* level;
    int steps;        // heroine's steps from her start, negative to the left
    bool raised;      // Difficult: on the raised row
    const char* timer;
    int ticks;        // ticks of that timer until the box
    const char* score;
    // What the box finds:
    const char* text;
    bool levelLoaded;
    std::optional<bool> heroineVisible;
    bool scoreBoardShown;

    // CTest and failures name the case, not its bytes.
    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

const Case kCases[] = {
    {"EasyYoumaCatch", "Game1", 0, false, "Youma", 100, "0", "Sorry, Try Again!", true, false, true},
    {"ModerateFallingBall", "Game2", -2, false, "Timer1", 12, "0", "Sorry, Try Again!", true, false, true},
    {"DifficultFallingBallLeavesHerStanding", "Game3", -3, false, "Timer1", 12, "0", "Sorry, Try Again!", true, true, true},
    {"DifficultFloorBallHidesHer", "Game3", 0, false, "Timer1", 32, "0", "Sorry, Try Again!", true, false, true},
    {"DifficultOverheadBallLeavesHerStanding", "Game3", 0, true, "Timer1", 27, "0", "Sorry, Try Again!", true, true, true},
    {"ModerateExitAfterTheWindowCloses", "Game2", -31, false, "Timer1", 1, "500",
     "Congratulations! You've Beaten the 'Moderate' Mode! Try To Beat the 'Difficult' Mode!", false, std::nullopt, false},
    {"DifficultExit", "Game3", -31, true, "Timer1", 1, "500",
     "Congratulations! You've Beaten Miravel Vozoda! Give Yourself a Pat On the Back Because That Was Tough! :-)",
     false, std::nullopt, false},
};

class MessageBoxMoment : public ::testing::TestWithParam<Case> {};

TEST_P(MessageBoxMoment, ShowsTheLevelAsDesigned) {
    const Case& c = GetParam();
    BoxHost host;
    Program program(host);
    host.program = &program;
    host.levelName = c.level;
    program.start();
    program.Intro->Score.Caption = c.score;
    program.Intro->WindowState = 1;
    forms::FormSlotBase& slot = *program.runtime.slot(c.level);
    program.runtime.dispatch([&] { program.runtime.show(slot); });
    auto& level = static_cast<LevelForm&>(*slot.instance());
    const int key = c.steps < 0 ? forms::key::Left : forms::key::Right;
    for (int i = 0; i < std::abs(c.steps); ++i) program.runtime.keyDown(level, key, 0);
    if (c.raised) program.runtime.keyDown(level, forms::key::Up, 0);

    auto& timer = static_cast<forms::Timer&>(*level.control(c.timer));
    for (int i = 0; i < c.ticks && !host.seen; ++i) {
        ASSERT_TRUE(slot.loaded()) << "the level ended before tick " << i + 1;
        program.runtime.tick(timer);
    }
    ASSERT_TRUE(host.seen) << "no box after " << c.ticks << " ticks";
    const Seen& s = *host.seen;
    EXPECT_EQ(s.text, c.text);
    EXPECT_EQ(s.levelLoaded, c.levelLoaded);
    EXPECT_EQ(s.heroineVisible, c.heroineVisible);
    EXPECT_EQ(s.scoreBoardShown, c.scoreBoardShown);
    EXPECT_EQ(s.titleWindowState, 0) << "the title window comes back before the box";
    EXPECT_FALSE(s.beginShown);
    EXPECT_FALSE(slot.loaded()) << "the level is gone once the box is closed";
}

INSTANTIATE_TEST_SUITE_P(Levels, MessageBoxMoment, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace miravel
