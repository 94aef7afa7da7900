// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Conversions between the score's text and numbers, and the checked arithmetic of positions and
// intervals.
#include <gtest/gtest.h>

#include <limits>

#include "runtime/property.h"
#include "runtime/values.h"

namespace {

int errorOf(auto&& f) {
    try {
        f();
    } catch (const forms::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

TEST(TextToNumber, AcceptsDecimalNumbersWithBlanks) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"0", 0}, {"490", 490}, {" 500 ", 500}, {"-700", -700}, {"+10", 10}, {"1.5", 1.5}, {"1E3", 1000},
                   {".5", 0.5}, {"5.", 5}, {"-2.5e-1", -0.25}, {"1e+2", 100}, {"0.1", 0.1}, {"4.9e-324", 4.9e-324}};
    for (const auto& c : cases) EXPECT_EQ(forms::CDbl(c.text), c.value) << c.text;
}

TEST(TextToNumber, AnythingElseIsATypeMismatch) {
    for (const char* text : {"", "   ", "abc", "12abc", "1 2", "inf", "nan", "--1", "0x10", ".", "-", "1e", "1e+",
                             ".e3", "1,5"})
        EXPECT_EQ(errorOf([&] { forms::CDbl(text); }), forms::kTypeMismatch) << '"' << text << '"';
}

TEST(TextToNumber, BeyondADoubleEitherWayIsAnOverflow) {
    for (const char* text : {"1e400", "-1e400", "1.7976931348623159e308", "1e-400", "1e99999999999999999999"})
        EXPECT_EQ(errorOf([&] { forms::CDbl(text); }), forms::kOverflow) << text;
    EXPECT_EQ(forms::CDbl("0e99999"), 0.0);  // nothing to overflow
    EXPECT_EQ(forms::CDbl("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

TEST(NumberToText, WholeValuesArePlainDigits) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{0, "0"}, {-0.0, "0"}, {10, "10"}, {500, "500"}, {-700, "-700"}, {3840, "3840"},
                 {123456789012345, "123456789012345"}, {0.5, "0.5"}, {-2.25, "-2.25"}, {1e20, "1E+20"}};
    for (const auto& c : cases) EXPECT_EQ(forms::CStr(c.value), c.text) << c.value;
}

TEST(NumberToText, ScoreRoundTripsThroughText) {
    std::string score = "0";
    for (int hit = 0; hit < 1000; ++hit) score = forms::CStr(forms::CDbl(score) + 10);
    EXPECT_EQ(score, "10000");
}

TEST(SingleArithmetic, StaysExactOnTheGameGridAndRoundsToSingle) {
    forms::Single left = 3840;
    for (int i = 0; i < 31; ++i) left = left - 120;
    EXPECT_EQ(left, forms::Single(120));
    // The Difficult catch compares a position offset by 60 after rounding to single precision.
    EXPECT_EQ(forms::Single(16777216.0f) + 1, forms::Single(16777216.0f));
}

TEST(SingleArithmetic, OverflowIsError6) {
    const forms::Single huge = std::numeric_limits<float>::max();
    EXPECT_EQ(errorOf([&] { (void)(huge + huge); }), forms::kOverflow);
    EXPECT_EQ(errorOf([&] { (void)(forms::Single(-huge.value()) - huge); }), forms::kOverflow);
    EXPECT_EQ(errorOf([&] { forms::Single::fromDouble(1e39); }), forms::kOverflow);
    EXPECT_EQ(errorOf([&] { (void)(huge - 1); }), 0);
}

TEST(LongArithmetic, OverflowIsError6NotAWrap) {
    const forms::Long max = std::numeric_limits<std::int32_t>::max();
    const forms::Long min = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(errorOf([&] { (void)(max + 1); }), forms::kOverflow);
    EXPECT_EQ(errorOf([&] { (void)(min - 2); }), forms::kOverflow);
    EXPECT_EQ((max - 1).value(), std::numeric_limits<std::int32_t>::max() - 1);
    EXPECT_EQ(errorOf([&] { forms::Long::fromDouble(3e9); }), forms::kOverflow);
}

}  // namespace
