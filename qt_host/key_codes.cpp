// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/key_codes.h"

#include <utility>

#include "runtime/runtime.h"

namespace forms::qt {

namespace {

// Keys whose desktop code is not their Qt code. Shifted punctuation of a US keyboard maps to its
// key, since the desktop reports keys, not characters.
constexpr std::pair<int, int> kKeys[]{
    {Qt::Key_Backspace, 8},   {Qt::Key_Tab, key::Tab},      {Qt::Key_Backtab, key::Tab},
    {Qt::Key_Return, key::Enter}, {Qt::Key_Enter, key::Enter}, {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},    {Qt::Key_Alt, 18},            {Qt::Key_AltGr, 18},
    {Qt::Key_Pause, 19},      {Qt::Key_CapsLock, 20},       {Qt::Key_Escape, key::Escape},
    {Qt::Key_Space, key::Space}, {Qt::Key_PageUp, 33},      {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},        {Qt::Key_Home, 36},           {Qt::Key_Left, key::Left},
    {Qt::Key_Up, key::Up},    {Qt::Key_Right, key::Right},  {Qt::Key_Down, key::Down},
    {Qt::Key_Print, 44},      {Qt::Key_Insert, 45},         {Qt::Key_Delete, 46},
    {Qt::Key_Meta, 91},       {Qt::Key_Menu, 93},           {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Exclam, '1'},    {Qt::Key_At, '2'},            {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},    {Qt::Key_Percent, '5'},       {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'}, {Qt::Key_Asterisk, '8'},      {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
    {Qt::Key_Semicolon, 186}, {Qt::Key_Colon, 186},         {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},      {Qt::Key_Comma, 188},         {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},     {Qt::Key_Underscore, 189},    {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},   {Qt::Key_Slash, 191},         {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192}, {Qt::Key_AsciiTilde, 192},    {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219}, {Qt::Key_Backslash, 220},     {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221},
};

// On the keypad these have codes of their own.
constexpr std::pair<int, int> kKeypad[]{
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107}, {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Slash, 111},
};

}  // namespace

int desktopKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers & Qt::KeypadModifier;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? 96 + (qtKey - Qt::Key_0) : qtKey;  // Qt's digit codes are ASCII, as are the desktop's
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
    if (keypad)
        for (auto [from, to] : kKeypad)
            if (from == qtKey) return to;
    for (auto [from, to] : kKeys)
        if (from == qtKey) return to;
    return 0;
}

int desktopModifiers(Qt::KeyboardModifiers modifiers) {
    int mask = 0;
    if (modifiers & Qt::ShiftModifier) mask |= key::ShiftMask;
    if (modifiers & Qt::ControlModifier) mask |= key::CtrlMask;
    if (modifiers & Qt::AltModifier) mask |= key::AltMask;
    return mask;
}

}  // namespace forms::qt
