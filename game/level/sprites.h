// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The sprite catalogue: a form that is never shown. It holds the two heroine sets the levels take
// their pictures from; the first reference to it in a run loads it, and it stays loaded.
#pragma once

#include "game/program.h"

namespace miravel {

class SpritesForm final : public GameForm {
public:
    SpritesForm(forms::FormSlotBase& slot, Program& program);

    forms::Image PimmiSndR, PimmiSndL, PimmiAttack1R, PimmiAttack1L, PimmiAttack2R, PimmiAttack2L;
    forms::Image PimmiShot;
    forms::Image VessaSndR, VessaSndL, VessaAttack1R, VessaAttack1L, VessaAttack2R, VessaAttack2L;
    forms::Image VessaShot;
    forms::Label Label1;  // nothing uses it
};

}  // namespace miravel
