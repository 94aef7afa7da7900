// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The title screen: the start-up form. It slides the title in, offers Begin and Quit, holds the
// game's score in its Score label and, after a defeat, shows it on the score board.
#pragma once

#include "game/program.h"

namespace miravel {

class IntroForm final : public GameForm {
public:
    IntroForm(forms::FormSlotBase& slot, Program& program);

    forms::Label Label1;  // the sliding title
    forms::Label LblScr;  // "Score" above the score board
    forms::Label Score;   // the score itself, as the text of a whole number
    forms::CommandButton strt;  // Begin
    forms::CommandButton Quit;
    forms::Label Label2;  // credit line
    forms::Label Label3;  // contact line
    forms::Shape Shp;     // frame of the score board
    forms::Timer Timer1;  // drives the slide

    void Timer1_Timer();
    void strt_Click();
    void Quit_Click();

    // Closing the title window ends the game, as Quit does.
    void Form_FrameClose() override;
};

}  // namespace miravel
