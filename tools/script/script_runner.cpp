// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/script/script_runner.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/script/interpreter.h"

namespace miravel {

namespace {

// A table of cases: a header naming its columns, rows of values, and a body run once for each
// row with $NAME standing for that row's value:
//     table POSE WANT
//       Stnd_R  Tiara1_R
//       Stnd_L  Tiara1_L
//     do
//       set Game1.Main.Picture Game1.$POSE.Picture
//       key Game1 down D
//       expect Game1.Main.Picture is Game1.$WANT.Picture
//     end
class Table {
public:
    explicit Table(std::vector<std::string_view> header) {
        if (header.size() < 2) throw ScriptError{"usage: table NAME..."};
        for (std::size_t i = 1; i < header.size(); ++i) {
            for (char c : header[i])
                if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
                    throw ScriptError{"a column name is letters, digits and _, not '" + std::string(header[i]) + "'"};
            names_.emplace_back(header[i]);
        }
    }

    // Takes one more line of the table; true once its "end" has come.
    bool take(std::string_view line, int lineNo) {
        const auto words = splitWords(line);
        const bool blank = words.empty() || words[0].front() == '#';
        if (!inBody_) {
            if (blank) return false;
            if (words.size() == 1 && words[0] == "do") {
                if (rows_.empty()) throw ScriptError{"a table needs a row before its do"};
                inBody_ = true;
                return false;
            }
            if (words.size() != names_.size())
                throw ScriptError{"a row of this table has " + std::to_string(names_.size()) + " values"};
            rows_.emplace_back(words.begin(), words.end());
            return false;
        }
        if (!blank && words[0] == "end") {
            if (words.size() != 1) throw ScriptError{"usage: end"};
            return true;
        }
        if (!blank && (words[0] == "table" || words[0] == "do"))
            throw ScriptError{"a table's body holds commands, not another table"};
        body_.push_back({std::string(line), lineNo});
        return false;
    }

    void run(Interpreter& interpreter) const {
        for (const auto& row : rows_) {
            std::string shown = " (";
            for (std::size_t i = 0; i < names_.size(); ++i)
                shown += (i ? " " : "") + names_[i] + "=" + row[i];
            interpreter.setRow(shown + ")");
            for (const auto& [line, lineNo] : body_) {
                try {
                    interpreter.execute(substitute(line, row), lineNo);
                } catch (const ScriptError& e) {
                    throw ScriptError{e.message + shown + ")", lineNo};
                }
            }
        }
        interpreter.setRow({});
    }

private:
    std::string substitute(const std::string& line, const std::vector<std::string>& row) const {
        std::string out;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '$') {
                out += line[i];
                continue;
            }
            std::size_t j = i + 1;
            while (j < line.size() && (std::isalnum(static_cast<unsigned char>(line[j])) || line[j] == '_')) ++j;
            const std::string_view name(line.data() + i + 1, j - i - 1);
            const auto at = std::find(names_.begin(), names_.end(), name);
            if (at == names_.end()) throw ScriptError{"no column named '" + std::string(name) + "' in this table"};
            out += row[static_cast<std::size_t>(at - names_.begin())];
            i = j - 1;
        }
        return out;
    }

    std::vector<std::string> names_;
    std::vector<std::vector<std::string>> rows_;
    std::vector<std::pair<std::string, int>> body_;
    bool inBody_ = false;
};

}  // namespace

ScriptResult runScript(std::istream& in, std::ostream& out, std::ostream& err, const std::string& source) {
    TraceHost host(out);
    Interpreter interpreter(out, host);
    std::optional<Table> table;
    int tableLine = 0;
    std::string line;
    int lineNo = 0;
    auto report = [&](const ScriptError& e) {
        out.flush();
        err << source << ":" << (e.line ? e.line : lineNo) << ": " << e.message << '\n';
        return ScriptResult::ScriptError;
    };
    while (std::getline(in, line)) {
        ++lineNo;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        try {
            if (table) {
                if (table->take(line, lineNo)) {
                    const Table done = std::move(*table);
                    table.reset();
                    done.run(interpreter);
                }
                continue;
            }
            const auto words = splitWords(line);
            if (!words.empty() && words[0] == "table") {
                table.emplace(words);
                tableLine = lineNo;
            } else if (!words.empty() && (words[0] == "do" || words[0] == "end")) {
                throw ScriptError{std::string(words[0]) + " outside a table"};
            } else {
                interpreter.execute(line, lineNo);
            }
        } catch (const ScriptError& e) {
            return report(e);
        }
    }
    if (table) return report(ScriptError{"the table has no end", tableLine});
    return interpreter.failed() ? ScriptResult::ExpectFailed : ScriptResult::Passed;
}

}  // namespace miravel
