// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/level/game2.h"

#include "game/level/game3.h"

namespace miravel {

namespace {
const LevelLayout kLayout{
    .form = {kAppTitle, 7425, 2940, 2475, 2760, std::nullopt},
    .icon = "icon_portrait2",
    .Main = {3840, 1920, 375, 495},
    .Stnd_R = {4080, 2520, 285, 570},
    .Stnd_L = {3600, 2520, 285, 570},
    .Tiara1_R = {4560, 2520, 300, 555},
    .Tiara1_L = {3240, 2520, 300, 555},
    .Tiara2_R = {4920, 2520, 315, 540},
    .Tiara2_L = {2880, 2520, 315, 540},
    .Action = {4320, 1920, 525, 195},
    .YoumaL = {1080, 1560, 525, 960},
    .YoumaR = {6600, 1560, 525, 960},
    .Exito = {240, 1320, 345, 450},
    .Label1 = {3840, -240, 1215, 375},
};

const LevelRules kRules{
    .bumpLimit = 6,
    .exitMessage = "Congratulations! You've Beaten the 'Moderate' Mode! Try To Beat the 'Difficult' Mode!",
};
}  // namespace

Game2Form::Game2Form(forms::FormSlotBase& slot, Program& prog)
    : LevelForm(slot, prog, kLayout, kRules),
      Ball1(*this, "Ball1", {1560, -120, 255, 270}, true, LoadPicture("ball")),
      Ball2(*this, "Ball2", {3600, -120, 255, 270}, true, LoadPicture("ball")),
      Ball3(*this, "Ball3", {5640, -120, 255, 270}, true, LoadPicture("ball")),
      Timer1(*this, "Timer1", 1, true) {
    Timer1.Tick = [this] { Timer1_Timer(); };
}

void Game2Form::Timer1_Timer() {
    // Hand-over: the score passes unchanged to the Difficult level, with no message.
    if (score() >= kHandOverScore) {
        Load(Game3);
        Show(Game3);
        Unload(*this);
        return;
    }

    for (forms::Image* ball : {&Ball1, &Ball2, &Ball3}) fall(*ball);
    for (forms::Image* ball : {&Ball1, &Ball2, &Ball3}) {
        if (fallingBallHits(*ball)) {
            defeat(Heroine::Hidden);
            return;
        }
    }

    openExitAtTarget();
    leaveThroughExit();
}

}  // namespace miravel
