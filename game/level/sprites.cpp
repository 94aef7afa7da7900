// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/level/sprites.h"

namespace miravel {

namespace {
const forms::FormDesign kDesign{"Sprites", 4800, 3600, 0, 0, std::nullopt};
// The catalogue is never shown, so where its images stand does not matter; they sit in a row.
forms::Geometry place(int i) { return {120 + 600 * (i % 7), 120 + 900 * (i / 7), 0, 0}; }
}  // namespace

SpritesForm::SpritesForm(forms::FormSlotBase& s, Program& prog)
    : GameForm(s, prog, kDesign),
      PimmiSndR(*this, "PimmiSndR", place(0), true, LoadPicture("pimmi_stand_r")),
      PimmiSndL(*this, "PimmiSndL", place(1), true, LoadPicture("pimmi_stand_l")),
      PimmiAttack1R(*this, "PimmiAttack1R", place(2), true, LoadPicture("pimmi_windup_r")),
      PimmiAttack1L(*this, "PimmiAttack1L", place(3), true, LoadPicture("pimmi_windup_l")),
      PimmiAttack2R(*this, "PimmiAttack2R", place(4), true, LoadPicture("pimmi_release_r")),
      PimmiAttack2L(*this, "PimmiAttack2L", place(5), true, LoadPicture("pimmi_release_l")),
      PimmiShot(*this, "PimmiShot", place(6), true, LoadPicture("pimmi_shot")),
      VessaSndR(*this, "VessaSndR", place(7), true, LoadPicture("vessa_stand_r")),
      VessaSndL(*this, "VessaSndL", place(8), true, LoadPicture("vessa_stand_l")),
      VessaAttack1R(*this, "VessaAttack1R", place(9), true, LoadPicture("vessa_windup_r")),
      VessaAttack1L(*this, "VessaAttack1L", place(10), true, LoadPicture("vessa_windup_l")),
      VessaAttack2R(*this, "VessaAttack2R", place(11), true, LoadPicture("vessa_release_r")),
      VessaAttack2L(*this, "VessaAttack2L", place(12), true, LoadPicture("vessa_release_l")),
      VessaShot(*this, "VessaShot", place(13), true, LoadPicture("vessa_shot")),
      Label1(*this, "Label1", {120, 3000, 1215, 255}, true, "Label1", {}) {}

}  // namespace miravel
