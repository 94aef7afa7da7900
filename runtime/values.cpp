#include "runtime/values.h"

#include <charconv>
#include <cmath>
#include <cstdio>
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

double CDbl(const std::string& caption) {
    std::string_view text = caption;
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0.0;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (text.empty() || ec != std::errc() || end != last) {
        if (ec == std::errc::result_out_of_range && end == last) raiseOverflow();
        raiseTypeMismatch();
    }
    if (!std::isfinite(value)) raiseTypeMismatch();  // "inf" and "nan" are words, not numbers
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
