// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The scripted driver: runs the game with a headless host on a virtual clock, from a script of
// commands, printing what happens. Tests, tools and fuzzers drive the game through it.
#pragma once

#include <iosfwd>
#include <string>

namespace miravel {

// Exit status of a script run.
enum class ScriptResult { Passed = 0, ExpectFailed = 1, ScriptError = 2 };

// Runs one script (a fresh program) from `in`. Traces, printed values and failed expectations go
// to `out`; a script error goes to `err`, naming `source` and the line, and stops the run.
ScriptResult runScript(std::istream& in, std::ostream& out, std::ostream& err,
                       const std::string& source);

}  // namespace miravel
