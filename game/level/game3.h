// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The Difficult level: three falling balls, one ball along the floor and one overhead, and two
// rows for the heroine.
#pragma once

#include "game/level/level.h"

namespace miravel {

class Game3Form final : public LevelForm {
public:
    Game3Form(forms::FormSlotBase& slot, Program& program);

    forms::Image Ball1, Ball2, Ball3;
    forms::Image Ball6;  // along the floor, rightwards
    forms::Image Ball7;  // overhead, leftwards
    forms::Timer Timer1;  // the balls and the exit

    void Timer1_Timer();
};

}  // namespace miravel
