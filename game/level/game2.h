// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The Moderate level: three balls fall in fixed columns. A score of 1000 or more hands the game
// straight over to the Difficult level.
#pragma once

#include "game/level/level.h"

namespace miravel {

class Game2Form final : public LevelForm {
public:
    Game2Form(forms::FormSlotBase& slot, Program& program);

    forms::Image Ball1, Ball2, Ball3;
    forms::Timer Timer1;  // the balls and the exit

    void Timer1_Timer();
};

}  // namespace miravel
