// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// How a run-time error no handler caught is reported to the player, the same on every host.
#pragma once

#include <string>

namespace forms {
class RuntimeError;
}

namespace forms::core {

// "Run-time error '6':", a blank line, then the description ("Overflow").
std::string errorText(const forms::RuntimeError& error);

}  // namespace forms::core
