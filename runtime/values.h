// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Values of the forms runtime: run-time errors, the checked number types the game's arithmetic
// uses, and the conversions between the score's text and numbers.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace forms {

// A run-time error as the game reports it: "Run-time error '6':" and its description.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, std::string description);
    int number() const { return number_; }
    const std::string& description() const { return description_; }

private:
    int number_;
    std::string description_;
};

constexpr int kOverflow = 6;
constexpr int kTypeMismatch = 13;

[[noreturn]] void raiseOverflow();
[[noreturn]] void raiseTypeMismatch();

// Thrown by End to unwind the running handler; the runtime catches it where it dispatched the event.
struct EndRequest {};

// A single-precision position in twips. Every sum and difference is checked: a result that is not
// finite is the runtime's overflow error, never a silent infinity.
class Single {
public:
    constexpr Single() = default;
    constexpr Single(float v) : v_(v) {}
    constexpr Single(int v) : v_(static_cast<float>(v)) {}

    // Narrowing a double (a script value, say) that does not fit a single is an overflow too.
    static Single fromDouble(double v);

    constexpr float value() const { return v_; }

    friend Single operator+(Single a, Single b) { return checked(a.v_ + b.v_); }
    friend Single operator-(Single a, Single b) { return checked(a.v_ - b.v_); }
    friend constexpr bool operator==(Single a, Single b) { return a.v_ == b.v_; }
    friend constexpr bool operator<(Single a, Single b) { return a.v_ < b.v_; }
    friend constexpr bool operator>(Single a, Single b) { return a.v_ > b.v_; }
    friend constexpr bool operator<=(Single a, Single b) { return a.v_ <= b.v_; }
    friend constexpr bool operator>=(Single a, Single b) { return a.v_ >= b.v_; }

private:
    static Single checked(float r);
    float v_ = 0.0f;
};

// A 32-bit signed whole number (a timer's Interval). Arithmetic that leaves the range raises
// the overflow error instead of wrapping.
class Long {
public:
    constexpr Long() = default;
    constexpr Long(std::int32_t v) : v_(v) {}

    static Long fromDouble(double v);

    constexpr std::int32_t value() const { return v_; }

    friend Long operator+(Long a, Long b) { return checked(std::int64_t{a.v_} + b.v_); }
    friend Long operator-(Long a, Long b) { return checked(std::int64_t{a.v_} - b.v_); }
    friend constexpr bool operator==(Long a, Long b) { return a.v_ == b.v_; }
    friend constexpr bool operator<(Long a, Long b) { return a.v_ < b.v_; }
    friend constexpr bool operator>(Long a, Long b) { return a.v_ > b.v_; }
    friend constexpr bool operator<=(Long a, Long b) { return a.v_ <= b.v_; }
    friend constexpr bool operator>=(Long a, Long b) { return a.v_ >= b.v_; }

private:
    static Long checked(std::int64_t r);
    std::int32_t v_ = 0;
};

// Text to number as the runtime converts a caption: blanks around a decimal number are allowed,
// anything else (empty text, letters, a trailing sign) is a type mismatch.
double CDbl(const std::string& text);

// Number to text: whole values as plain digits ("10", "-700"); others with up to 15 significant
// digits. Non-finite values never reach here: the arithmetic that would make them raises first.
std::string CStr(double value);

}  // namespace forms
