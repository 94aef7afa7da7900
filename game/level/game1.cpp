// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/level/game1.h"

namespace miravel {

namespace {
const LevelLayout kLayout{
    .form = {kAppTitle, 7455, 2955, 2475, 3735, std::nullopt},
    .icon = "icon_portrait1",
    .Main = {3840, 1920, 285, 570},
    .Stnd_R = {3600, 2520, 285, 570},
    .Stnd_L = {3120, 2520, 285, 570},
    .Tiara1_R = {3960, 2520, 300, 555},
    .Tiara1_L = {2760, 2520, 300, 555},
    .Tiara2_R = {4320, 2520, 315, 540},
    .Tiara2_L = {2280, 2520, 315, 540},
    .Action = {4320, 1920, 525, 195},
    .YoumaL = {-700, 1440, 525, 960},
    .YoumaR = {6600, 1560, 525, 960},
    .Exito = {240, 1200, 345, 450},
    .Label1 = {3360, -120, 1215, 255},
};

const LevelRules kRules{
    .bumpLimit = 6,
    .exitOnRightFlight = true,
    .exitMessage = "Congratulations! You've Beaten the 'Easy' Mode! Try To Beat the 'Moderate' Mode!",
};
}  // namespace

Game1Form::Game1Form(forms::FormSlotBase& slot, Program& prog)
    : LevelForm(slot, prog, kLayout, kRules) {}

}  // namespace miravel
