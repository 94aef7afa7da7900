// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the host tests share: the game on the desktop host, small probe forms that record what
// reaches the model, and helpers to look at pictures and message boxes.
#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "game/program.h"
#include "assets/artwork.h"
#include "assets/embedded.h"
#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/form_slot.h"
#include "qt_host/form_window.h"
#include "qt_host/qt_host.h"
#include "runtime/runtime.h"

namespace forms::qt {
class MessageBox;
}

namespace hosttest {

// A picture of the game as decoded from its embedded file.
QImage asset(const char* name);
// What a window shows, in device pixels (twice as many each way at a scale factor of 2).
QImage grabImage(QWidget& window);
// The scale factor the tests run at: QT_SCALE_FACTOR, 1 when unset.
double expectedScale();

// Runs `inspect` on the message box once it is open, then presses its OK button. Call before the
// code that opens the box; the box is always closed, so a failed check cannot hang the test.
void answerNextBox(std::function<void(forms::qt::MessageBox&)> inspect);

// The whole game on the desktop host, started: the title window is up and sliding.
class GameDesktop : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    forms::qt::FormWindow* window(forms::FormSlotBase& slot) const;
    // Shows a form as an event of its own, as the game's handlers would.
    void open(forms::FormSlotBase& slot);
    // Delivers the title slide's remaining ticks at once: Begin is offered.
    void finishSlide();

    forms::qt::QtHost host{miravel::pictureResources()};
    miravel::Program program{host};
    std::vector<int> endings;  // exit statuses the host announced
};

// The game on a clock the test moves itself: no tick comes unless the test lets time pass.
class GameOnTestClock : public GameDesktop {
protected:
    void SetUp() override;
    // Lets `ms` milliseconds pass: the pump's armed wake-up, if any, falls at their end.
    void advance(std::int64_t ms);
    std::int64_t clockNs = 0;
};

// A form with no focusable control: every key goes to its Form_KeyDown / Form_KeyUp.
class KeyProbe : public forms::Form {
public:
    explicit KeyProbe(forms::FormSlotBase& slot);
    struct Key {
        bool down;
        int code;
        int modifiers;
        friend bool operator==(const Key&, const Key&) = default;
        friend void PrintTo(const Key& k, std::ostream* os) {
            *os << (k.down ? "down " : "up ") << k.code << " modifiers " << k.modifiers;
        }
    };
    std::vector<Key> keys;
    void Form_KeyDown(int KeyCode, int Shift) override { keys.push_back({true, KeyCode, Shift}); }
    void Form_KeyUp(int KeyCode, int Shift) override { keys.push_back({false, KeyCode, Shift}); }
};

// Two buttons: Go (Default, access key G) and Stop (Cancel, access key S); counts their clicks.
class ButtonProbe : public forms::Form {
public:
    explicit ButtonProbe(forms::FormSlotBase& slot);
    forms::CommandButton Go;
    forms::CommandButton Stop;
    int goClicks = 0;
    int stopClicks = 0;
};

// The probe forms on the desktop host, with a runtime of their own.
class ProbeDesktop : public ::testing::Test {
protected:
    ProbeDesktop();
    void TearDown() override;
    forms::qt::FormWindow& show(forms::FormSlotBase& slot);

    forms::qt::QtHost host{miravel::pictureResources()};
    forms::Runtime runtime{host, miravel::artwork(), miravel::kAppTitle};
    forms::FormSlot<KeyProbe> keyProbe;
    forms::FormSlot<ButtonProbe> buttonProbe;
};

}  // namespace hosttest
