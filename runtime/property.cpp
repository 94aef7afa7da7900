// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/property.h"

#include <cmath>

namespace forms {

PropertyBase* PropertyOwner::property(std::string_view name) const {
    for (PropertyBase* p : properties_)
        if (name == p->name()) return p;
    return nullptr;
}

std::string formatValue(Single v) { return CStr(static_cast<double>(v.value())); }
std::string formatValue(Long v) { return std::to_string(v.value()); }
std::string formatValue(int v) { return std::to_string(v); }
std::string formatValue(bool v) { return v ? "True" : "False"; }
std::string formatValue(const std::string& v) { return v; }
std::string formatValue(const Picture& v) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on "#" + std::string.
    std::string s = "#";
    s += std::to_string(v.Handle());
    if (v) {
        s += ' ';
        s += v.data()->name;
    }
    return s;
}

void parseValue(std::string_view text, Single& out) { out = Single::fromDouble(CDbl(std::string(text))); }
void parseValue(std::string_view text, Long& out) { out = Long::fromDouble(CDbl(std::string(text))); }
void parseValue(std::string_view text, int& out) {
    const Long l = Long::fromDouble(CDbl(std::string(text)));
    if (l.value() < -32768 || l.value() > 32767) raiseOverflow();  // a 16-bit Integer
    out = l.value();
}
void parseValue(std::string_view text, bool& out) {
    if (text == "True") out = true;
    else if (text == "False") out = false;
    else out = CDbl(std::string(text)) != 0.0;
}
void parseValue(std::string_view text, std::string& out) { out = std::string(text); }
void parseValue(std::string_view text, Picture& out) {
    if (text != "#0") raiseTypeMismatch();
    out = Picture();
}

}  // namespace forms
