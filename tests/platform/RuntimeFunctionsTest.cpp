#include <fw/RuntimeFunctions.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace fw;

namespace {

struct ConversionCase {
    double value;
    std::int32_t expected;
};

TEST(RealToInteger, TruncatesTowardZeroAndSaturates)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    const ConversionCase cases[] = {
        { 96.5, 96 }, { -96.5, -96 }, { 0.999, 0 }, { -0.999, 0 }, { 2147483646.9, 2147483646 },
        { 3e9, 2147483647 }, { -3e9, -2147483647 - 1 }, { inf, 2147483647 }, { -inf, -2147483647 - 1 }, { nan, 0 }
    };
    for (const auto& c : cases)
        EXPECT_EQ(RuntimeCvtReal64ToSInt32(c.value), c.expected) << c.value;
}

TEST(RGB, ClampsEachPart)
{
    EXPECT_EQ(RGB(56447, 22578, 22578), (Color { 255, 255, 255 }));
    EXPECT_EQ(RGB(94, 37, -5), (Color { 94, 37, 0 }));
    EXPECT_EQ(RGB(150, 80, 80).rgb(), 0x965050u);
}

TEST(Str, ShortestRoundTripText)
{
    const std::pair<double, const char*> cases[] = {
        { 35, "35" }, { 36.25, "36.25" }, { 37.5, "37.5" }, { 0.37, "0.37" }, { 1e-05, "1e-05" }, { 100, "100" },
        { -2.5, "-2.5" }, { 0.1 + 0.2, "0.30000000000000004" }, { 1e21, "1e+21" },
        { std::numeric_limits<double>::quiet_NaN(), "nan" }, { std::numeric_limits<double>::infinity(), "inf" }
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(Str(value), text);
    EXPECT_EQ(Str(std::int32_t(-2147483647 - 1)), "-2147483648");
    EXPECT_EQ(Str(std::int32_t(99)), "99");
}

TEST(Val, ReadsTheLongestDecimalPrefix)
{
    const std::pair<const char*, double> cases[] = {
        { "1", 1 }, { ".1", 0.1 }, { "  12abc", 12 }, { "-3.5e2x", -350 }, { "+7", 7 }, { "1e", 1 }, { "2.", 2 },
        { "abc", 0 }, { "", 0 }, { ".", 0 }, { "-", 0 }, { "100.5", 100.5 }, { "inf", 0 }, { "nan", 0 }, { "0x10", 0 },
        { "1,5", 1 }
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(Val(text), value) << '"' << text << '"';
}

// Beyond the Double range a text reads as strtod reads it: an overflow is an infinity, an
// underflow the nearest Double, the sign kept either way.
TEST(Val, OutOfRangeTextsOverflowToInfinityAndUnderflowTowardZero)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    const std::string manyDigits = "1" + std::string(400, '0');
    const std::string tinyFraction = "0." + std::string(400, '0') + "1";
    const std::pair<std::string, double> cases[] = {
        { "1e309", inf }, { "2e400", inf }, { "-1e309", -inf }, { manyDigits, inf }, { "-" + manyDigits + ".5", -inf },
        { "1e99999999999999999999", inf }, { "1.8e308", inf }, { "0.001e312", inf },
        { "1.7976931348623157e308", std::numeric_limits<double>::max() },
        { "1e-400", 0.0 }, { "-1e-400", -0.0 }, { tinyFraction, 0.0 }, { "1e-99999999999999999999", 0.0 },
        { "1000e-327", 0.0 }, { "3e-324", std::numeric_limits<double>::denorm_min() }, { "4.9e-324", std::numeric_limits<double>::denorm_min() },
        { "-4.9e-324", -std::numeric_limits<double>::denorm_min() },
        { "0e999999", 0.0 }, { "0.0e-999999", 0.0 }, { "  1e309 m", inf }
    };
    for (const auto& [text, value] : cases) {
        double read = Val(text);
        EXPECT_EQ(read, value) << '"' << text.substr(0, 40) << '"';
        EXPECT_EQ(std::signbit(read), std::signbit(value)) << '"' << text.substr(0, 40) << '"';
    }
}

TEST(Round, HalvesGoAwayFromZero)
{
    EXPECT_EQ(Round(0.5), 1);
    EXPECT_EQ(Round(-0.5), -1);
    EXPECT_EQ(Round(2.5), 3);
    EXPECT_EQ(Round(0.49999999999999994), 0);
    EXPECT_EQ(Round(-1.4), -1);
}

TEST(Maths, FollowsTheCLibraryOutsideTheDomain)
{
    EXPECT_TRUE(std::isnan(Pow(-2, 5.7)));
    EXPECT_TRUE(std::isnan(Sqrt(-1)));
    EXPECT_EQ(Log(0), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(Log(-1)));
    EXPECT_EQ(Pow(10, 7), 1e7);
    EXPECT_DOUBLE_EQ(Sin(0.5), std::sin(0.5));
}

TEST(NthField, CountsFieldsFromOne)
{
    const char* grid = ".1,.2,.5,1,2,5,10,20,50,100";
    EXPECT_EQ(NthField(grid, ",", 1), ".1");
    EXPECT_EQ(NthField(grid, ",", 10), "100");
    EXPECT_EQ(NthField(grid, ",", 11), "");
    EXPECT_EQ(NthField(grid, ",", 0), "");
    EXPECT_EQ(NthField("a,,b", ",", 2), "");
    EXPECT_EQ(NthField("a,,b", ",", 3), "b");
}

TEST(StringCompare, ZeroOnlyForEqualTexts)
{
    EXPECT_EQ(RuntimeStringCompare("Stone", "Stone"), 0);
    EXPECT_NE(RuntimeStringCompare("Stone", "stone"), 0);
    EXPECT_LT(RuntimeStringCompare("Iron", "Stone"), 0);
    EXPECT_GT(RuntimeStringCompare("Stone ", "Stone"), 0);
}

}
