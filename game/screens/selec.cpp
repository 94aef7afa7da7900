// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/screens/selec.h"

#include "game/level/game1.h"
#include "game/level/game2.h"
#include "game/level/game3.h"
#include "game/screens/intro.h"

namespace miravel {

namespace {
const forms::FormDesign kDesign{"", 4740, 3345, 3585, 2475, forms::Color{0, 0, 255}};
}  // namespace

SelecForm::SelecForm(forms::FormSlotBase& slot, Program& prog)
    : GameForm(slot, prog, kDesign),
      Selec(*this, "Selec", {0, 0, 4695, 975}, true, "Please Select a Level of Difficulty",
            {{"MS Sans Serif", 18}, std::nullopt, std::nullopt, true}),
      G1(*this, "G1", {1320, 1320, 1935, 495}, true, "E&asy", {}),
      G2(*this, "G2", {1320, 1920, 1935, 495}, true, "&Moderate", {}),
      G3(*this, "G3", {1320, 2520, 1935, 495}, true, "Diffi&cult", {}),
      Shape1(*this, "Shape1", {1200, 1200, 2175, 1935}, forms::Color{255, 0, 0}) {
    Icon = LoadPicture("icon_animal");
    MouseIcon = LoadPicture("icon_face");
    G1.Click = [this] { G1_Click(); };
    G2.Click = [this] { G2_Click(); };
    G3.Click = [this] { G3_Click(); };
}

// Load, show, then unload the selection from inside its own handler; the handler ends normally.
void SelecForm::open(forms::FormSlotBase& level) {
    Load(level);
    Show(level);
    Unload(*this);
}

void SelecForm::G1_Click() { open(Game1); }
void SelecForm::G2_Click() { open(Game2); }
void SelecForm::G3_Click() { open(Game3); }

void SelecForm::Form_FrameClose() {
    Unload(*this);
    Intro->WindowState = 0;
}

}  // namespace miravel
