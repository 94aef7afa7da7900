// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The program: its runtime and the one global instance of each of its forms. There is no main
// routine: starting the program loads and shows the start-up form, the title screen.
#pragma once

#include "game/level/module1.h"
#include "runtime/form_slot.h"
#include "runtime/runtime.h"

namespace miravel {

class IntroForm;
class SelecForm;
class Game1Form;
class Game2Form;
class Game3Form;
class SpritesForm;

inline constexpr const char* kAppTitle = "Miravel Vozoda";

class Program {
public:
    explicit Program(forms::Host& host);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Loads and shows the start-up form, as an event of its own.
    void start();

    forms::Runtime runtime;
    forms::FormSlot<IntroForm> Intro;
    forms::FormSlot<SelecForm> Selec;
    forms::FormSlot<Game1Form> Game1;
    forms::FormSlot<Game2Form> Game2;
    forms::FormSlot<Game3Form> Game3;
    forms::FormSlot<SpritesForm> Sprites;
    Module1Values Module1;
};

// What every form of the game shares: the runtime's statements and the other forms by name.
class GameForm : public forms::Form {
public:
    GameForm(forms::FormSlotBase& slot, Program& program, const forms::FormDesign& design);

protected:
    Program& program;
    forms::FormSlot<IntroForm>& Intro;
    forms::FormSlot<SelecForm>& Selec;
    forms::FormSlot<Game1Form>& Game1;
    forms::FormSlot<Game2Form>& Game2;
    forms::FormSlot<Game3Form>& Game3;
    forms::FormSlot<SpritesForm>& Sprites;
    Module1Values& Module1;
};

}  // namespace miravel
