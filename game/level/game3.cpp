// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/level/game3.h"

namespace miravel {

namespace {
const LevelLayout kLayout{
    .form = {kAppTitle, 7470, 2940, 2475, 2760, std::nullopt},
    .icon = "icon_portrait3",
    .Main = {3840, kGroundRow, 375, 495},
    .Stnd_R = {4080, 2640, 285, 570},
    .Stnd_L = {3600, 2640, 285, 570},
    .Tiara1_R = {4560, 2640, 300, 555},
    .Tiara1_L = {3240, 2640, 300, 555},
    .Tiara2_R = {4920, 2640, 315, 540},
    .Tiara2_L = {2880, 2640, 315, 540},
    .Action = {4320, kGroundTiaraRow, 525, 195},
    .YoumaL = {540, 1680, 525, 960},
    .YoumaR = {6300, 1680, 525, 960},
    .Exito = {240, 480, 345, 450},
    .Label1 = {4200, -360, 1215, 495},
};

const LevelRules kRules{
    .bumpLimit = 70,
    .twoRows = true,
    .exitMessage = "Congratulations! You've Beaten Miravel Vozoda! Give Yourself a Pat On the Back Because "
                   "That Was Tough! :-)",
};
}  // namespace

Game3Form::Game3Form(forms::FormSlotBase& slot, Program& prog)
    : LevelForm(slot, prog, kLayout, kRules),
      Ball1(*this, "Ball1", {480, 0, 255, 270}, true, LoadPicture("ball")),
      Ball2(*this, "Ball2", {3480, 0, 255, 270}, true, LoadPicture("ball")),
      Ball3(*this, "Ball3", {6840, 0, 255, 270}, true, LoadPicture("ball")),
      Ball6(*this, "Ball6", {0, 2280, 255, 270}, true, LoadPicture("ball")),
      Ball7(*this, "Ball7", {7080, 1080, 255, 270}, true, LoadPicture("ball")),
      Timer1(*this, "Timer1", 1, true) {
    Timer1.Tick = [this] { Timer1_Timer(); };
}

void Game3Form::Timer1_Timer() {
    for (forms::Image* ball : {&Ball1, &Ball2, &Ball3}) fall(*ball);
    Ball6.Left = Ball6.Left + 120;
    Ball7.Left = Ball7.Left - 120;
    if (Ball6.Left > 7200) Ball6.Left = 0;
    // Kept: the overhead ball turns back at 1 or less, so it never stands at 0.
    if (Ball7.Left <= 1) Ball7.Left = 7080;

    // Kept: a falling ball leaves the heroine standing while the box is shown.
    for (forms::Image* ball : {&Ball1, &Ball2, &Ball3}) {
        if (fallingBallHits(*ball)) {
            defeat(Heroine::LeftStanding);
            return;
        }
    }
    // The floor ball hits her on the ground row, the overhead ball on the raised row.
    if (Ball6.Left == Main.Left && Main.Top == kGroundRow) {
        defeat(Heroine::Hidden);
        return;
    }
    if (Ball7.Left == Main.Left && Main.Top == kRaisedRow) {
        defeat(Heroine::LeftStanding);
        return;
    }

    openExitAtTarget();
    leaveThroughExit();
}

}  // namespace miravel
