// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// miravel-script [FILE...]: runs each script file (or standard input) against a fresh game.
// Exit status: 0 when every expect held, 1 when one failed, 2 when a script is wrong.
#include <fstream>
#include <iostream>

#include "tools/script/script_runner.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc < 2) return static_cast<int>(miravel::runScript(std::cin, std::cout, std::cerr, "<stdin>"));
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i]);
        if (!file) {
            std::cerr << argv[i] << ": cannot open\n";
            return 2;
        }
        const auto result = miravel::runScript(file, std::cout, std::cerr, argv[i]);
        if (result == miravel::ScriptResult::ScriptError) return 2;
        if (result == miravel::ScriptResult::ExpectFailed) status = 1;
    }
    return status;
}
