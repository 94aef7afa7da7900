// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/level/level.h"

#include "game/level/sprites.h"
#include "game/screens/intro.h"

namespace miravel {

namespace {
constexpr int kKeyD = 'D';
const forms::Label::Look kPlainLabel{};
}  // namespace

LevelForm::LevelForm(forms::FormSlotBase& slot, Program& prog, const LevelLayout& l,
                     const LevelRules& r)
    : GameForm(slot, prog, l.form),
      Main(*this, "Main", l.Main, true),
      Stnd_R(*this, "Stnd_R", l.Stnd_R, false, LoadPicture("vessa_stand_r")),
      Stnd_L(*this, "Stnd_L", l.Stnd_L, false, LoadPicture("vessa_stand_l")),
      Tiara1_R(*this, "Tiara1_R", l.Tiara1_R, false, LoadPicture("vessa_windup_r")),
      Tiara1_L(*this, "Tiara1_L", l.Tiara1_L, false, LoadPicture("vessa_windup_l")),
      Tiara2_R(*this, "Tiara2_R", l.Tiara2_R, false, LoadPicture("vessa_release_r")),
      Tiara2_L(*this, "Tiara2_L", l.Tiara2_L, false, LoadPicture("vessa_release_l")),
      Action(*this, "Action", l.Action, false, LoadPicture("vessa_shot")),
      YoumaL(*this, "YoumaL", l.YoumaL, true, LoadPicture("youma_r")),
      YoumaR(*this, "YoumaR", l.YoumaR, true, LoadPicture("youma_l")),
      Exito(*this, "Exito", l.Exito, false, LoadPicture("exit")),
      Label1(*this, "Label1", l.Label1, true, "Label1", kPlainLabel),
      Youma(*this, "Youma", 300, true),
      TiaraLeft(*this, "TiaraLeft", 100, false),
      TiaraRight(*this, "TiaraRight", 100, false),
      rules(r) {
    Picture = LoadPicture("street");
    Icon = LoadPicture(l.icon);
    Youma.Tick = [this] { Youma_Timer(); };
    TiaraLeft.Tick = [this] { TiaraLeft_Timer(); };
    TiaraRight.Tick = [this] { TiaraRight_Timer(); };
}

// The heroine's pictures come from the sprite catalogue. The two choice values are never given a
// value, so both tests pass: the Pimmi set goes in and is at once replaced by the Vessa set.
void LevelForm::Form_Load() {
    if (Module1.PimmiChoice == Module1.HeroineChoice) {
        Stnd_R.Picture = Sprites->PimmiSndR.Picture;
        Stnd_L.Picture = Sprites->PimmiSndL.Picture;
        Tiara1_R.Picture = Sprites->PimmiAttack1R.Picture;
        Tiara1_L.Picture = Sprites->PimmiAttack1L.Picture;
        Tiara2_R.Picture = Sprites->PimmiAttack2R.Picture;
        Tiara2_L.Picture = Sprites->PimmiAttack2L.Picture;
        Action.Picture = Sprites->PimmiShot.Picture;
    }
    if (Module1.VessaChoice == Module1.HeroineChoice) {
        Stnd_R.Picture = Sprites->VessaSndR.Picture;
        Stnd_L.Picture = Sprites->VessaSndL.Picture;
        Tiara1_R.Picture = Sprites->VessaAttack1R.Picture;
        Tiara1_L.Picture = Sprites->VessaAttack1L.Picture;
        Tiara2_R.Picture = Sprites->VessaAttack2R.Picture;
        Tiara2_L.Picture = Sprites->VessaAttack2L.Picture;
        Action.Picture = Sprites->VessaShot.Picture;
    }
    Main.Picture = Stnd_R.Picture;
}

// Arrows turn and step the heroine 120 twips, with no bound at either edge; D winds up a throw.
// Her pose is nothing but which holder's picture she shows. Modifier keys are not looked at.
void LevelForm::Form_KeyDown(int KeyCode, int /*Shift*/) {
    if (KeyCode == forms::key::Right) {
        Main.Picture = Stnd_R.Picture;
        Main.Left = Main.Left + 120;
    } else if (KeyCode == forms::key::Left) {
        Main.Picture = Stnd_L.Picture;
        Main.Left = Main.Left - 120;
    } else if (KeyCode == kKeyD) {
        // Each test reads her picture afresh; a wind-up set here satisfies none of the later ones,
        // and a heroine already winding up stays as she is.
        if (Main.Picture == Stnd_L.Picture) Main.Picture = Tiara1_L.Picture;
        if (Main.Picture == Tiara2_L.Picture) Main.Picture = Tiara1_L.Picture;
        if (Main.Picture == Stnd_R.Picture) Main.Picture = Tiara1_R.Picture;
        if (Main.Picture == Tiara2_R.Picture) Main.Picture = Tiara1_R.Picture;
    } else if (rules.twoRows && KeyCode == forms::key::Up) {
        Main.Top = kRaisedRow;
        Action.Top = kRaisedRow;
    } else if (rules.twoRows && KeyCode == forms::key::Down) {
        Main.Top = kGroundRow;
        Action.Top = kGroundTiaraRow;
    }
}

// Releasing D throws the one tiara the way she faces: it jumps to her Left, shows, and the other
// direction's flight stops. Its Top stays on the row where it already is.
void LevelForm::Form_KeyUp(int KeyCode, int /*Shift*/) {
    if (KeyCode != kKeyD) return;
    if (Main.Picture == Tiara1_L.Picture) {
        Main.Picture = Tiara2_L.Picture;
        Action.Left = Main.Left;
        Action.Visible = true;
        TiaraLeft.Enabled = true;
        TiaraRight.Enabled = false;
    }
    if (Main.Picture == Tiara1_R.Picture) {
        Main.Picture = Tiara2_R.Picture;
        Action.Left = Main.Left;
        Action.Visible = true;
        TiaraRight.Enabled = true;
        TiaraLeft.Enabled = false;
    }
}

// Kept: the tiara flies on forever, past the edge, until the next throw takes it back.
void LevelForm::TiaraLeft_Timer() { Action.Left = Action.Left - 180; }

void LevelForm::TiaraRight_Timer() {
    Action.Left = Action.Left + 180;
    if (rules.exitOnRightFlight) {
        // Kept: on the Easy level the exit opens, and lets her out, only on ticks of the right
        // flight, so only while her latest throw went to the right.
        openExitAtTarget();
        leaveThroughExit();
        return;
    }
    // A tiara landing exactly on the right youma's Left hides it; the score comes from the wave.
    if (Action.Left == YoumaR.Left) YoumaR.Visible = false;
}

void LevelForm::Youma_Timer() {
    // Speed-up, in whole milliseconds; the bump keeps the interval from running out.
    Youma.Interval = Youma.Interval - 2;
    if (Youma.Interval <= rules.bumpLimit) Youma.Interval = Youma.Interval + 10;

    // Advance: a hidden youma is parked and stays where it is.
    if (YoumaL.Visible) YoumaL.Left = YoumaL.Left + 180;
    if (YoumaR.Visible) YoumaR.Left = YoumaR.Left - 180;

    // Hits: the tiara strictly past the youma's left edge while it is shown. A hit hides the tiara,
    // so at most one hit scores per tick. On the Difficult level only the ground row hits.
    if (Action.Left > YoumaR.Left && Action.Visible && (!rules.twoRows || Action.Top == kGroundTiaraRow)) {
        YoumaR.Visible = false;
        YoumaR.Left = 6600;
        Action.Visible = false;
        scoreHit();
    }
    if (Action.Left < YoumaL.Left && Action.Visible && (!rules.twoRows || Action.Top == kGroundTiaraRow)) {
        YoumaL.Visible = false;
        YoumaL.Left = -700;
        Action.Visible = false;
        scoreHit();
    }

    // Re-show: a youma comes back once the tiara lies on the heroine's side of it, visible or not.
    // Kept: a tiara parked beyond the re-entry point keeps its youma parked there.
    if (Action.Left < YoumaR.Left) YoumaR.Visible = true;
    if (Action.Left > YoumaL.Left) YoumaL.Visible = true;

    // Catches, whether the youma is shown or not (kept: a parked youma still catches her).
    if (rules.twoRows) {
        // Difficult: only on the ground row, and only when the youma lands exactly 60 twips from
        // her; one that misses the point walks through her.
        if (Main.Left - 60 == YoumaR.Left && Main.Top == kGroundRow) {
            defeat(Heroine::Hidden);
            return;  // the level is gone
        }
        if (Main.Left + 60 == YoumaL.Left && Main.Top == kGroundRow) {
            defeat(Heroine::Hidden);
            return;  // the level is gone
        }
    } else {
        if (YoumaR.Left < Main.Left) {
            defeat(Heroine::Hidden);
            return;  // the level is gone
        }
        if (YoumaL.Left > Main.Left) {
            defeat(Heroine::Hidden);
            return;  // the level is gone
        }
    }
}

void LevelForm::Form_FrameClose() {
    Unload(*this);
    Intro->WindowState = 0;
}

void LevelForm::defeat(Heroine heroine) {
    if (heroine == Heroine::Hidden) Main.Visible = false;
    Intro->strt.Visible = false;
    Intro->Score.Visible = true;
    Intro->LblScr.Visible = true;
    Intro->WindowState = 0;
    MsgBox("Sorry, Try Again!");
    Unload(*this);
}

double LevelForm::score() const { return forms::CDbl(Intro->Score.Caption); }

// Read afresh from the caption and written back as its digits: a caption that is no number is a
// type mismatch, as it would be anywhere else the score is read.
void LevelForm::scoreHit() { Intro->Score.Caption = forms::CStr(score() + kPointsPerHit); }

void LevelForm::openExitAtTarget() {
    if (score() >= kExitScore) {
        Youma.Enabled = false;
        YoumaL.Visible = false;
        YoumaR.Visible = false;
        Exito.Visible = true;
    }
}

bool LevelForm::leaveThroughExit() {
    if (!(Main.Left < kExitThreshold && Exito.Visible)) return false;
    // The level closes first; its box comes up after the window has gone.
    Intro->WindowState = 0;
    Intro->strt.Visible = false;
    // She stands just past the exit, so the exit test no longer holds.
    Main.Left = kExitThreshold + 1;
    Unload(*this);
    MsgBox(rules.exitMessage);
    return true;
}

void LevelForm::fall(forms::Image& ball) {
    ball.Top = ball.Top + 180;
    if (ball.Top > 2640) ball.Top = -120;
}

bool LevelForm::fallingBallHits(const forms::Image& ball) const {
    return ball.Top > Main.Top && ball.Left == Main.Left;
}

}  // namespace miravel
