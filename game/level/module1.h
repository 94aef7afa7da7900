// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Module1: the three heroine-choice values. Nothing in the game ever assigns them, so they stay
// empty, and two empty values compare equal: every level therefore sets up both heroine sets and
// ends with the second one (see the levels' Form_Load).
#pragma once

#include <string>
#include <variant>

namespace miravel {

// A variant value: empty until something is assigned.
using Variant = std::variant<std::monostate, double, std::string>;

struct Module1Values {
    Variant HeroineChoice;
    Variant PimmiChoice;
    Variant VessaChoice;
};

}  // namespace miravel
