// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/screens/intro.h"

#include "game/screens/selec.h"

namespace miravel {

namespace {
const forms::FormDesign kDesign{"", 6105, 6795, 2565, 1620, std::nullopt};
constexpr forms::Color kRed{255, 0, 0}, kBlue{0, 0, 255}, kYellow{255, 255, 0};

forms::Font msSans(double points, bool bold = false, bool underline = false) {
    return {"MS Sans Serif", points, bold, underline};
}
}  // namespace

IntroForm::IntroForm(forms::FormSlotBase& slot, Program& prog)
    : GameForm(slot, prog, kDesign),
      Label1(*this, "Label1", {-5760, 0, 5895, 615}, true, "Miravel Vozoda",
             {{"Lucida Handwriting", 27.75}, forms::Color{255, 0, 255}, forms::Color{255, 255, 192}, true}),
      LblScr(*this, "LblScr", {2520, 3600, 1575, 495}, false, "Score",
             {msSans(18, true, true), kRed, kBlue, true}),
      Score(*this, "Score", {2520, 4080, 1575, 735}, false, "0",
            {msSans(30, true, true), kRed, kBlue, true}),
      strt(*this, "strt", {2640, 5760, 1695, 615}, false, "&Begin", {msSans(24), true, false}),
      Quit(*this, "Quit", {5040, 6480, 1095, 330}, true, "&Quit", {msSans(12), false, true}),
      Label2(*this, "Label2", {0, 6160, 2300, 195}, true, "A game of tiaras and youma",
             {{}, std::nullopt, kYellow, false}),
      Label3(*this, "Label3", {0, 6360, 2295, 435}, true,
             "Ideas or trouble? Tell us on\nthe Miravel Vozoda page.",
             {{}, std::nullopt, kYellow, false}),
      Shp(*this, "Shp", {2400, 3480, 1815, 1455}, forms::Color{128, 0, 0}),
      Timer1(*this, "Timer1", 1, true) {
    Picture = LoadPicture("title");
    Icon = LoadPicture("icon_light");
    MouseIcon = LoadPicture("icon_animal");
    Timer1.Tick = [this] { Timer1_Timer(); };
    strt.Click = [this] { strt_Click(); };
    Quit.Click = [this] { Quit_Click(); };
}

// One step of the title slide: 150 twips a tick until the title stands at 90 or beyond; from
// -5760 the 39th tick ends exactly at 90. Then Begin is offered, and the slide never runs again.
void IntroForm::Timer1_Timer() {
    Label1.Left = Label1.Left + 150;
    if (Label1.Left >= 90) {
        Timer1.Enabled = false;
        strt.Visible = true;
    }
}

// Begin: a fresh score, the level selection, and the title window out of the way. The score board
// keeps whatever visibility it had.
void IntroForm::strt_Click() {
    Score.Caption = "0";
    Load(Selec);
    Show(Selec);
    WindowState = 1;
}

void IntroForm::Quit_Click() { End(); }

void IntroForm::Form_FrameClose() { End(); }

}  // namespace miravel
