// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Qt's keys as the desktop key codes the game's handlers compare with.
#include <gtest/gtest.h>

#include "qt_host/key_codes.h"

namespace forms::qt {
namespace {

TEST(DesktopKeyCodes, QtKeysMapToTheDesktopCodes) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int code;
    };
    const Case cases[] = {
        {Qt::Key_Left, {}, 37},          {Qt::Key_Up, {}, 38},
        {Qt::Key_Right, {}, 39},         {Qt::Key_Down, {}, 40},
        // Arrows of the keypad are the same keys to the game.
        {Qt::Key_Left, Qt::KeypadModifier, 37},
        {Qt::Key_A, {}, 65},             {Qt::Key_D, {}, 68},
        {Qt::Key_D, Qt::ShiftModifier, 68}, {Qt::Key_Z, {}, 90},
        {Qt::Key_0, {}, 48},             {Qt::Key_9, {}, 57},
        {Qt::Key_5, Qt::KeypadModifier, 101},
        {Qt::Key_Exclam, Qt::ShiftModifier, 49},
        {Qt::Key_Return, {}, 13},        {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_Escape, {}, 27},        {Qt::Key_Tab, {}, 9},
        {Qt::Key_Backtab, Qt::ShiftModifier, 9},
        {Qt::Key_Space, {}, 32},         {Qt::Key_Backspace, {}, 8},
        {Qt::Key_Shift, {}, 16},         {Qt::Key_Control, {}, 17},
        {Qt::Key_Alt, {}, 18},           {Qt::Key_Delete, {}, 46},
        {Qt::Key_F1, {}, 112},           {Qt::Key_F12, {}, 123},
        {Qt::Key_Minus, {}, 189},        {Qt::Key_Minus, Qt::KeypadModifier, 109},
        {Qt::Key_Period, {}, 190},
        // Keys the desktop has no code for are not passed on.
        {Qt::Key_VolumeUp, {}, 0},       {Qt::Key_unknown, {}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(desktopKeyCode(c.key, c.modifiers), c.code) << "Qt key 0x" << std::hex << c.key;
}

TEST(DesktopKeyCodes, ModifiersMapToTheShiftMask) {
    EXPECT_EQ(desktopModifiers({}), 0);
    EXPECT_EQ(desktopModifiers(Qt::ShiftModifier), 1);
    EXPECT_EQ(desktopModifiers(Qt::ControlModifier), 2);
    EXPECT_EQ(desktopModifiers(Qt::AltModifier), 4);
    EXPECT_EQ(desktopModifiers(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
    // Neither the keypad nor the Windows key are modifiers to the game.
    EXPECT_EQ(desktopModifiers(Qt::KeypadModifier | Qt::MetaModifier), 0);
}

}  // namespace
}  // namespace forms::qt
