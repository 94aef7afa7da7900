// The level selection: three buttons, each opening one level window and closing the selection.
#pragma once

#include "app/program.h"

namespace miravel {

class SelecForm final : public GameForm {
public:
    SelecForm(vb::FormSlotBase& slot, Program& program);

    vb::Label Selec;  // the question; it shares the form's name
    vb::CommandButton G1;  // Easy
    vb::CommandButton G2;  // Moderate
    vb::CommandButton G3;  // Difficult
    vb::Shape Shape1;

    void G1_Click();
    void G2_Click();
    void G3_Click();

    // Closing the selection through its frame puts the title window back.
    void closeRequested() override;

private:
    void open(vb::FormSlotBase& level);
};

}  // namespace miravel
