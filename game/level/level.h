// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the three level windows share: the street stage with the heroine, her picture holders,
// the tiara, the two youma and the exit sign; the set-up from the sprite catalogue; the keys; the
// tiara's flight; the youma wave; and the sequences that end a level. Each level adds its own
// layout, its rules and, on the harder levels, the balls.
#pragma once

#include "game/program.h"

namespace miravel {

// What a tiara's hit on a youma scores; the score that opens the exit; the score at which the
// Moderate level hands the game over to the Difficult one.
inline constexpr double kPointsPerHit = 10;
inline constexpr double kExitScore = 500;
inline constexpr double kHandOverScore = 1000;
// Where the heroine leaves: walking left of this, with the exit sign shown, ends the level.
inline constexpr int kExitThreshold = 240;
// The Difficult level's two rows: the heroine's Top on the ground and raised. On the ground the
// tiara flies 5 twips lower than she stands (kept, as the level was laid out); it hits only there.
inline constexpr int kGroundRow = 2040;
inline constexpr int kRaisedRow = 1000;
inline constexpr int kGroundTiaraRow = 2045;

// Start geometry of the stage's controls on one level, in twips.
struct LevelLayout {
    forms::FormDesign form;
    const char* icon;
    forms::Geometry Main, Stnd_R, Stnd_L, Tiara1_R, Tiara1_L, Tiara2_R, Tiara2_L;
    forms::Geometry Action, YoumaL, YoumaR, Exito, Label1;
};

// Where the levels' rules differ.
struct LevelRules {
    // The youma wave speeds up by 2 ms a tick and is slowed by 10 ms once the interval is at or
    // below this limit.
    int bumpLimit = 6;
    // The Difficult level's two rows: Up and Down keys; tiara hits only on the ground row; a youma
    // catches only on the ground row and only at exactly 60 twips.
    bool twoRows = false;
    // The Easy level keeps its exit in the right flight of the tiara; the others in Timer1.
    bool exitOnRightFlight = false;
    const char* exitMessage = "";
};

class LevelForm : public GameForm {
public:
    LevelForm(forms::FormSlotBase& slot, Program& program, const LevelLayout& layout,
              const LevelRules& rules);

    forms::Image Main;  // the heroine
    forms::Image Stnd_R, Stnd_L, Tiara1_R, Tiara1_L, Tiara2_R, Tiara2_L;  // her poses, never shown
    forms::Image Action;  // the tiara
    forms::Image YoumaL, YoumaR;
    forms::Image Exito;   // the exit sign
    forms::Label Label1;  // a stray caption across the top edge; nothing uses it
    forms::Timer Youma, TiaraLeft, TiaraRight;

    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    void Form_KeyUp(int KeyCode, int Shift) override;
    void TiaraLeft_Timer();
    void TiaraRight_Timer();
    void Youma_Timer();

    // Closing a level window through its frame gives up the level and puts the title window back.
    void Form_FrameClose() override;

protected:
    // Whether the heroine stays in sight while the defeat box is open.
    enum class Heroine { Hidden, LeftStanding };
    // The heroine is caught: the score board comes up on the title window, the box is shown while
    // the level is still loaded, and the level closes after it. Some of the Difficult level's hits
    // leave her standing while the box is open.
    void defeat(Heroine heroine);
    // The score has reached 500: the youma stop and vanish and the exit sign appears. Repeated on
    // every tick that sees the score there.
    void openExitAtTarget();
    // The heroine stands left of the exit sign while it is shown: the level is won. True if the
    // level has ended (the tick must stop there).
    bool leaveThroughExit();
    // One step of a ball falling in its column: 180 twips down, back to the top once strictly
    // below 2640.
    static void fall(forms::Image& ball);
    // A falling ball hits only a heroine exactly in its column, once it is strictly lower than her.
    bool fallingBallHits(const forms::Image& ball) const;
    // The score on the title window's score board, and a hit added to it.
    double score() const;
    void scoreHit();

    const LevelRules& rules;
};

}  // namespace miravel
