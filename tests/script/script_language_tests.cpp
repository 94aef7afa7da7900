// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The scripted driver's language beyond single commands: a repeat count on key commands, and
// tables of cases. Each is checked against what the plain lines it stands for print.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tools/script/script_runner.h"

namespace miravel {
namespace {

struct Outcome {
    ScriptResult result;
    std::string out;
    std::string err;
};

Outcome run(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out, err;
    const ScriptResult result = runScript(in, out, err, "test.scn");
    return {result, out.str(), err.str()};
}

const std::string kOnEasy = "start\ntick Intro.Timer1 39\nclick Intro.strt\nclick Selec.G1\n";

TEST(ScriptLanguage, RepeatCountIsTheSameAsThatManyLines) {
    struct Case {
        const char* counted;
        const char* lines;
    };
    const Case cases[] = {
        {"press Game1 Left x3\n", "press Game1 Left\npress Game1 Left\npress Game1 Left\n"},
        {"key Game1 down Right 1 x2\n", "key Game1 down Right 1\nkey Game1 down Right 1\n"},
        {"press Game1 D x0\n", ""},
        // At a form that is gone, each of the lines would say so.
        {"unload Game1\npress Game1 Left x2\n", "unload Game1\npress Game1 Left\npress Game1 Left\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.counted);
        const std::string check = "print Game1.Main.Left\nprint Game1.Main.Picture\n";
        const Outcome counted = run(kOnEasy + c.counted + check);
        const Outcome lines = run(kOnEasy + c.lines + check);
        EXPECT_EQ(counted.result, ScriptResult::Passed) << counted.err;
        EXPECT_EQ(counted.out, lines.out);
    }
}

TEST(ScriptLanguage, TableRunsItsBodyForEachRow) {
    const Outcome r = run(kOnEasy + R"(
table KEY LEFT
  Left   3720
  Right  3840
do
  press Game1 $KEY
  print Game1.Main.Left
  expect Game1.Main.Left $LEFT
end
print Game1.Main.Left
)");
    EXPECT_EQ(r.result, ScriptResult::Passed) << r.err;
    EXPECT_NE(r.out.find("Game1.Main.Left = 3720\nGame1.Main.Left = 3840\nGame1.Main.Left = 3840\n"),
              std::string::npos)
        << r.out;
}

TEST(ScriptLanguage, AFailureInATableNamesItsLineAndRow) {
    const Outcome r = run(kOnEasy + "table STEP\n  Left\n  Left\ndo\n  press Game1 $STEP\n  expect Game1.Main.Left 3720\nend\n");
    EXPECT_EQ(r.result, ScriptResult::ExpectFailed);
    EXPECT_NE(r.out.find("FAIL line 10: Game1.Main.Left = 3600, expected 3720 (STEP=Left)\n"), std::string::npos)
        << r.out;
}

TEST(ScriptLanguage, MisshapenTablesAndCountsAreScriptErrors) {
    struct Case {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"table A\n  1\ndo\n  print App.Time\n", "test.scn:1: the table has no end"},
        {"end\n", "test.scn:1: end outside a table"},
        {"table A B\n  1\ndo\nend\n", "test.scn:2: a row of this table has 2 values"},
        {"table A\ndo\nend\n", "test.scn:2: a table needs a row before its do"},
        {"table A\n  1\ndo\n  print $B\nend\n", "test.scn:4: no column named 'B' in this table (A=1)"},
        {"table A\n  1\ndo\n  table B\n", "test.scn:4: a table's body holds commands, not another table"},
        {"table A-B\n", "test.scn:1: a column name is letters, digits and _, not 'A-B'"},
        {"start\npress Intro Tab x-1\n", "test.scn:2: a repeat count must not be negative"},
        {"start\npress Intro Tab xy\n", "test.scn:2: a repeat count after x must be a whole number, not 'y'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        const Outcome r = run(c.script);
        EXPECT_EQ(r.result, ScriptResult::ScriptError);
        EXPECT_EQ(r.err, std::string(c.error) + "\n");
    }
}

}  // namespace
}  // namespace miravel
