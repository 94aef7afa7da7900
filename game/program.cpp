// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/program.h"

#include "assets/artwork.h"
#include "game/level/game1.h"
#include "game/level/game2.h"
#include "game/level/game3.h"
#include "game/level/sprites.h"
#include "game/screens/intro.h"
#include "game/screens/selec.h"

namespace miravel {

namespace {
// Every form is built from its design on each load, with the program to reach the others by.
template <class F>
auto factory(Program& program) {
    return [&program](forms::FormSlot<F>& slot) { return std::make_unique<F>(slot, program); };
}
}  // namespace

Program::Program(forms::Host& host)
    : runtime(host, artwork(), kAppTitle),
      Intro(runtime, "Intro", factory<IntroForm>(*this)),
      Selec(runtime, "Selec", factory<SelecForm>(*this)),
      Game1(runtime, "Game1", factory<Game1Form>(*this)),
      Game2(runtime, "Game2", factory<Game2Form>(*this)),
      Game3(runtime, "Game3", factory<Game3Form>(*this)),
      Sprites(runtime, "Sprites", factory<SpritesForm>(*this)) {}

Program::~Program() = default;

void Program::start() {
    runtime.dispatch([&] { runtime.show(Intro); });
}

GameForm::GameForm(forms::FormSlotBase& slot, Program& p, const forms::FormDesign& design)
    : forms::Form(slot, design),
      program(p),
      Intro(p.Intro),
      Selec(p.Selec),
      Game1(p.Game1),
      Game2(p.Game2),
      Game3(p.Game3),
      Sprites(p.Sprites),
      Module1(p.Module1) {}

}  // namespace miravel
