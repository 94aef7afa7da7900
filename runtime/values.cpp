// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/values.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace forms {

RuntimeError::RuntimeError(int number, std::string description)
    : std::runtime_error("Run-time error '" + std::to_string(number) + "': " + description),
      number_(number), description_(std::move(description)) {}

void raiseOverflow() { throw RuntimeError(kOverflow, "Overflow"); }
void raiseTypeMismatch() { throw RuntimeError(kTypeMismatch, "Type mismatch"); }

Single Single::checked(float r) {
    if (!std::isfinite(r)) raiseOverflow();
    return Single(r);
}

Single Single::fromDouble(double v) {
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) raiseOverflow();
    return Single(static_cast<float>(v));
}

Long Long::checked(std::int64_t r) {
    if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max())
        raiseOverflow();
    return Long(static_cast<std::int32_t>(r));
}

Long Long::fromDouble(double v) {
    // Conversion to a whole number rounds half to even, as the runtime's CLng does.
    const double r = std::nearbyint(v);
    if (!std::isfinite(r) || r < std::numeric_limits<std::int32_t>::min() ||
        r > std::numeric_limits<std::int32_t>::max())
        raiseOverflow();
    return Long(static_cast<std::int32_t>(r));
}

// A decimal number, as the runtime reads one: an optional minus sign, digits with at most one
// point (at least one digit on either side of it), and an optional exponent with its own sign.
// The result is the nearest double. The digits and exponent are handed to strtod without a
// decimal point, so the desktop's locale (which may write "1,5") has no say; a value too large
// for a double, or so small that it rounds to nothing, is an overflow.
double CDbl(const std::string& caption) {
    std::string_view text = caption;
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);

    std::string digits;  // the mantissa's digits, point dropped
    long long exponent = 0;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') digits += text[i++];
    std::size_t mantissaDigits = 0;
    bool nonZero = false;
    for (; i < text.size() && isDigit(text[i]); ++i, ++mantissaDigits) {
        digits += text[i];
        nonZero = nonZero || text[i] != '0';
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++mantissaDigits, --exponent) {
            digits += text[i];
            nonZero = nonZero || text[i] != '0';
        }
    }
    if (mantissaDigits == 0) raiseTypeMismatch();  // empty, a lone sign or point, "inf", "nan"
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negative = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        if (i == text.size() || !isDigit(text[i])) raiseTypeMismatch();
        long long e = 0;
        // Held far beyond any double's range, which is all that matters of a longer exponent.
        for (; i < text.size() && isDigit(text[i]); ++i) e = std::min(e * 10 + (text[i] - '0'), 1'000'000'000LL);
        exponent += negative ? -e : e;
    }
    if (i != text.size()) raiseTypeMismatch();

    const std::string plain = digits + "e" + std::to_string(exponent);
    const double value = std::strtod(plain.c_str(), nullptr);
    if (!std::isfinite(value) || (value == 0.0 && nonZero)) raiseOverflow();
    return value;
}

std::string CStr(double value) {
    if (value == 0.0) return "0";  // also turns -0 into "0"
    if (std::nearbyint(value) == value && std::fabs(value) < 1e15) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0f", value);
        return buf;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15G", value);
    std::string s = buf;
    // Drop the trailing zeros of the fraction, as the runtime prints "0.5", not "0.500000000000000".
    const auto e = s.find('E');
    std::string mantissa = s.substr(0, e);
    std::string exponent = e == std::string::npos ? "" : s.substr(e);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0') mantissa.pop_back();
        if (mantissa.back() == '.') mantissa.pop_back();
    }
    if (!exponent.empty()) {
        // "E+015" style exponents are not the runtime's; it writes "E+15".
        const char sign = exponent[1];
        std::string digits = exponent.substr(2);
        while (digits.size() > 2 && digits.front() == '0') digits.erase(0, 1);
        exponent = std::string("E") + sign + digits;
    }
    return mantissa + exponent;
}

}  // namespace forms
