// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The scripted driver's commands, one line at a time against a fresh program: the traces of
// what happens and the values asked for, printed as they come. miravel-script runs files of them;
// the random-play harness runs them one by one on a host that adds checks of its own.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/program.h"
#include "runtime/host.h"

namespace miravel {

// What is wrong with a line of a script.
struct ScriptError {
    std::string message;
    int line = 0;  // where it lies, when that is not the line being read (a table's body)
};

// Prints every lifecycle event of the program the moment it happens; boxes are answered at once.
class TraceHost : public forms::Host {
public:
    explicit TraceHost(std::ostream& out) : out_(out) {}

    void formLoading(forms::Form& f) override;
    void formShown(forms::Form& f) override;
    void formUnloading(forms::Form& f) override;
    void windowStateChanged(forms::Form& f) override;
    void messageBox(std::string_view title, std::string_view text) override;
    void runtimeError(const forms::RuntimeError& e) override;
    void programEnded(int status) override;

private:
    std::ostream& out_;
};

// The words of a line, split at blanks and tabs.
std::vector<std::string_view> splitWords(std::string_view line);
// A key as scripts name it: Left, Enter, a capital letter, or else its code in digits.
std::string keyName(int code);

class Interpreter {
public:
    // The program runs on `host`, which prints to the same `out`.
    Interpreter(std::ostream& out, TraceHost& host);
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    Program& program();
    // Whether an expectation has failed so far.
    bool failed() const;
    // The table row being run, as " (NAME=VALUE ...)", added to a failed expectation's line.
    void setRow(std::string row);
    // Runs one line (`lineNo` for the messages); a ScriptError says what is wrong with it.
    void execute(std::string_view line, int lineNo);

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace miravel
