// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The Easy level: the youma alone. Its exit lives in the tiara's right flight.
#pragma once

#include "game/level/level.h"

namespace miravel {

class Game1Form final : public LevelForm {
public:
    Game1Form(forms::FormSlotBase& slot, Program& program);
};

}  // namespace miravel
