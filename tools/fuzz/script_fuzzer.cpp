// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// libFuzzer entry point: the input bytes are a miravel-script script, run twice, each time against
// a fresh game. Looked for: crashes, sanitizer reports, hangs, and two runs that print different
// output.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "tools/script/script_runner.h"

namespace {

// A script may legitimately ask for hours of virtual play, tick by tick. Such inputs only make
// the fuzzer slow, so inputs asking for more than this in total are not run.
constexpr long long kMaxRunMs = 200'000;
constexpr long long kMaxTicks = 20'000;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool withinBudget(std::string_view text) {
    long long ms = 0, ticks = 0;
    while (!text.empty()) {
        const auto eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);

        std::string_view w[3];
        std::size_t n = 0;
        for (std::size_t i = 0; i < line.size() && n < 3;) {
            while (i < line.size() && isBlank(line[i])) ++i;
            std::size_t j = i;
            while (j < line.size() && !isBlank(line[j])) ++j;
            if (j > i) w[n++] = line.substr(i, j - i);
            i = j;
        }
        std::string_view amount;
        if (n == 2 && w[0] == "run") amount = w[1];
        else if (n == 3 && w[0] == "tick") amount = w[2];
        else continue;
        long long v = 0;
        const auto [end, ec] = std::from_chars(amount.data(), amount.data() + amount.size(), v);
        if (ec != std::errc() || v <= 0) continue;  // the script itself rejects or ignores it
        if (w[0] == "run") ms += v;
        else ticks += v;
        if (ms > kMaxRunMs || ticks > kMaxTicks) return false;
    }
    return true;
}

struct Run {
    miravel::ScriptResult result;
    std::string out, err;
};

Run run(const std::string& text) {
    std::istringstream in(text);
    std::ostringstream out, err;
    const auto result = miravel::runScript(in, out, err, "fuzz");
    return {result, out.str(), err.str()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!withinBudget(text)) return 0;
    const Run first = run(text), second = run(text);
    if (first.result != second.result || first.out != second.out || first.err != second.err) {
        std::fprintf(stderr,
                     "the same script printed different output on a second run\n"
                     "--- first run ---\n%s%s--- second run ---\n%s%s",
                     first.out.c_str(), first.err.c_str(), second.out.c_str(), second.err.c_str());
        std::abort();
    }
    return 0;
}
