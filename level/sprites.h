// The sprite catalogue: a form that is never shown. It holds the two heroine sets the levels take
// their pictures from; the first reference to it in a run loads it, and it stays loaded.
#pragma once

#include "app/program.h"

namespace miravel {

class SpritesForm final : public GameForm {
public:
    SpritesForm(vb::FormSlotBase& slot, Program& program);

    vb::Image PimmiSndR, PimmiSndL, PimmiAttack1R, PimmiAttack1L, PimmiAttack2R, PimmiAttack2L;
    vb::Image PimmiShot;
    vb::Image VessaSndR, VessaSndL, VessaAttack1R, VessaAttack1L, VessaAttack2R, VessaAttack2L;
    vb::Image VessaShot;
    vb::Label Label1;  // nothing uses it
};

}  // namespace miravel
