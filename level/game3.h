// The Difficult level: three falling balls, one ball along the floor and one overhead, and two
// rows for the heroine.
#pragma once

#include "level/level.h"

namespace miravel {

class Game3Form final : public LevelForm {
public:
    Game3Form(vb::FormSlotBase& slot, Program& program);

    vb::Image Ball1, Ball2, Ball3;
    vb::Image Ball6;  // along the floor, rightwards
    vb::Image Ball7;  // overhead, leftwards
    vb::Timer Timer1;  // the balls and the exit

    void Timer1_Timer();
};

}  // namespace miravel
