// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The mid-game state the benchmarks measure: a level opened the way a player opens it, the
// heroine where nothing can end the level, and her tiara in flight.
#pragma once

#include <stdexcept>

#include "game/program.h"
#include "game/level/game1.h"
#include "game/level/game2.h"
#include "game/level/game3.h"
#include "game/level/level.h"
#include "game/screens/intro.h"
#include "game/screens/selec.h"

namespace bench {

// Title slide finished, Begin, then the level's button on the selection. level: 1, 2 or 3.
inline miravel::LevelForm& openLevel(miravel::Program& p, int level) {
    forms::Runtime& rt = p.runtime;
    while (p.Intro->Timer1.Enabled) rt.tick(p.Intro->Timer1);
    rt.click(p.Intro->strt);
    miravel::SelecForm& selec = p.Selec.get();
    rt.click(level == 1 ? selec.G1 : level == 2 ? selec.G2 : selec.G3);
    forms::FormSlotBase& slot = level == 1 ? static_cast<forms::FormSlotBase&>(p.Game1)
                             : level == 2 ? static_cast<forms::FormSlotBase&>(p.Game2)
                                          : static_cast<forms::FormSlotBase&>(p.Game3);
    if (!slot.instance()) throw std::logic_error("level did not open");
    return static_cast<miravel::LevelForm&>(*slot.instance());
}

inline void press(forms::Runtime& rt, forms::Form& f, int code) {
    rt.keyDown(f, code, 0);
    rt.keyUp(f, code, 0);
}

// On the Difficult level every whole step of the ground row meets the floor ball and every one
// of the raised row up to 7080 meets the overhead ball: she goes up and walks to 7200, past it.
// On the other levels she stays at her start, between the falling balls' columns.
inline void placeHeroine(miravel::Program& p, miravel::LevelForm& f, int level) {
    if (level == 3) {
        press(p.runtime, f, forms::key::Up);
        for (int i = 0; i < 28; ++i) press(p.runtime, f, forms::key::Right);
    }
    press(p.runtime, f, 'D');  // throws to the right: the tiara flies on
}

// Keeps the level going: the youma back at their start at a mid-game pace, the score at 0 (no
// exit, no hand-over), a fresh throw. Youma left alone would reach her within a few seconds.
inline void rewind(miravel::Program& p, miravel::LevelForm& f, int level) {
    forms::Runtime& rt = p.runtime;
    rt.dispatch([&] {
        f.YoumaL.Left = level == 3 ? 540 : level == 2 ? 1080 : -700;
        f.YoumaR.Left = level == 3 ? 6300 : 6600;
        f.YoumaL.Visible = true;
        f.YoumaR.Visible = true;
        f.Youma.Interval = 200;
        p.Intro->Score.Caption = "0";
    });
    press(rt, f, 'D');
}

}  // namespace bench
