// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The level selection: three buttons, each opening one level window and closing the selection.
#pragma once

#include "game/program.h"

namespace miravel {

class SelecForm final : public GameForm {
public:
    SelecForm(forms::FormSlotBase& slot, Program& program);

    forms::Label Selec;  // the question; it shares the form's name
    forms::CommandButton G1;  // Easy
    forms::CommandButton G2;  // Moderate
    forms::CommandButton G3;  // Difficult
    forms::Shape Shape1;

    void G1_Click();
    void G2_Click();
    void G3_Click();

    // Closing the selection through its frame puts the title window back.
    void Form_FrameClose() override;

private:
    void open(forms::FormSlotBase& level);
};

}  // namespace miravel
