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
    } catch (const vb::RuntimeError& e) {
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
    for (const auto& c : cases) EXPECT_EQ(vb::CDbl(c.text), c.value) << c.text;
}

TEST(TextToNumber, AnythingElseIsATypeMismatch) {
    for (const char* text : {"", "   ", "abc", "12abc", "1 2", "inf", "nan", "--1", "0x10", ".", "-", "1e", "1e+",
                             ".e3", "1,5"})
        EXPECT_EQ(errorOf([&] { vb::CDbl(text); }), vb::kTypeMismatch) << '"' << text << '"';
}

TEST(TextToNumber, BeyondADoubleEitherWayIsAnOverflow) {
    for (const char* text : {"1e400", "-1e400", "1.7976931348623159e308", "1e-400", "1e99999999999999999999"})
        EXPECT_EQ(errorOf([&] { vb::CDbl(text); }), vb::kOverflow) << text;
    EXPECT_EQ(vb::CDbl("0e99999"), 0.0);  // nothing to overflow
    EXPECT_EQ(vb::CDbl("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

TEST(NumberToText, WholeValuesArePlainDigits) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{0, "0"}, {-0.0, "0"}, {10, "10"}, {500, "500"}, {-700, "-700"}, {3840, "3840"},
                 {123456789012345, "123456789012345"}, {0.5, "0.5"}, {-2.25, "-2.25"}, {1e20, "1E+20"}};
    for (const auto& c : cases) EXPECT_EQ(vb::CStr(c.value), c.text) << c.value;
}

TEST(NumberToText, ScoreRoundTripsThroughText) {
    std::string score = "0";
    for (int hit = 0; hit < 1000; ++hit) score = vb::CStr(vb::CDbl(score) + 10);
    EXPECT_EQ(score, "10000");
}

TEST(SingleArithmetic, StaysExactOnTheGameGridAndRoundsToSingle) {
    vb::Single left = 3840;
    for (int i = 0; i < 31; ++i) left = left - 120;
    EXPECT_EQ(left, vb::Single(120));
    // The Difficult catch compares a position offset by 60 after rounding to single precision.
    EXPECT_EQ(vb::Single(16777216.0f) + 1, vb::Single(16777216.0f));
}

TEST(SingleArithmetic, OverflowIsError6) {
    const vb::Single huge = std::numeric_limits<float>::max();
    EXPECT_EQ(errorOf([&] { (void)(huge + huge); }), vb::kOverflow);
    EXPECT_EQ(errorOf([&] { (void)(vb::Single(-huge.value()) - huge); }), vb::kOverflow);
    EXPECT_EQ(errorOf([&] { vb::Single::fromDouble(1e39); }), vb::kOverflow);
    EXPECT_EQ(errorOf([&] { (void)(huge - 1); }), 0);
}

TEST(LongArithmetic, OverflowIsError6NotAWrap) {
    const vb::Long max = std::numeric_limits<std::int32_t>::max();
    const vb::Long min = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(errorOf([&] { (void)(max + 1); }), vb::kOverflow);
    EXPECT_EQ(errorOf([&] { (void)(min - 2); }), vb::kOverflow);
    EXPECT_EQ((max - 1).value(), std::numeric_limits<std::int32_t>::max() - 1);
    EXPECT_EQ(errorOf([&] { vb::Long::fromDouble(3e9); }), vb::kOverflow);
}

}  // namespace
