#include "conversions.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "errors.h"

namespace quorvel {
namespace {

struct ReadCase {
    const char* text;
    double value;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << '"' << c.text << "\" reads as " << c.value;
}

class ReadNumberValue : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberValue, ReadsTheLeadingNumber) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(ReadNumber(c.text), c.value) << "text: \"" << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    StatedForms, ReadNumberValue,
    testing::Values(ReadCase{"", 0}, ReadCase{"12abc", 12}, ReadCase{"2.9", 2.9},
                    ReadCase{"-5", -5}, ReadCase{"1e3", 1000}, ReadCase{"0096", 96},
                    ReadCase{" 42", 42}, ReadCase{"\t\n 7", 7}, ReadCase{"+5", 5},
                    ReadCase{".5", 0.5}, ReadCase{"5.", 5}, ReadCase{"-.25", -0.25},
                    ReadCase{"1.2.3", 1.2}, ReadCase{"1E-2", 0.01}, ReadCase{"2e+2", 200},
                    ReadCase{"332800", 332800}, ReadCase{"0.1", 0.1}, ReadCase{"9e99", 9e99},
                    ReadCase{"1.7976931348623157e308", std::numeric_limits<double>::max()},
                    ReadCase{"123456789012345678901234567890", 1.2345678901234568e29},
                    ReadCase{"0.000001e6", 1}, ReadCase{"0e999999", 0},
                    ReadCase{"4.9e-324", std::numeric_limits<double>::denorm_min()}));

INSTANTIATE_TEST_SUITE_P(NotANumberReadsAsZero, ReadNumberValue,
                         testing::Values(ReadCase{"-", 0}, ReadCase{".", 0}, ReadCase{"abc", 0},
                                         ReadCase{"e5", 0}, ReadCase{"+", 0}, ReadCase{"-.", 0},
                                         ReadCase{"\r5", 0},
                                         ReadCase{"\xC2\xA0"
                                                  "5",
                                                  0}));

// Forms an older number reader accepted and this one does not: each ends the number.
INSTANTIATE_TEST_SUITE_P(FormsNotAccepted, ReadNumberValue,
                         testing::Values(ReadCase{"1 2", 1}, ReadCase{"- 5", 0},
                                         ReadCase{"&H10", 0}, ReadCase{"&O7", 0},
                                         ReadCase{"1d3", 1}, ReadCase{"1D3", 1}, ReadCase{"1e", 1},
                                         ReadCase{"1e+", 1}, ReadCase{"1e-x", 1},
                                         ReadCase{"1,5", 1}, ReadCase{"\xEF\xBC\x91", 0}));

TEST(ReadNumber, ANumberBelowTheSmallestFloatReadsAsZeroWithItsSign) {
    EXPECT_EQ(ReadNumber("1e-400"), 0.0);
    EXPECT_FALSE(std::signbit(ReadNumber("1e-400")));
    EXPECT_TRUE(std::signbit(ReadNumber("-1e-400")));
    EXPECT_TRUE(std::signbit(ReadNumber("-0")));
}

TEST(ReadNumber, ANumberBeyondTheFloatRangeThrowsOverflow) {
    for (const char* text : {"1e400", "-1e400", "1.8e308", "99e307", "1e99999999999999999999"}) {
        EXPECT_THROW(ReadNumber(text), OverflowError) << text;
    }
}

TEST(ReadNumber, VeryLongTextsAreReadExactly) {
    const std::string longFraction = "0." + std::string(5000, '0') + "1e5001";
    EXPECT_EQ(ReadNumber(longFraction), 1);
    const std::string longWhole = "1" + std::string(400, '0');
    EXPECT_THROW(ReadNumber(longWhole), OverflowError);

    // Runs of digits longer than any exponent a short text could balance.
    const std::string zerosThenOne = "0." + std::string(200000, '0') + "1e200001";
    EXPECT_EQ(ReadNumber(zerosThenOne), 1);
    const std::string oneThenZeros = "1" + std::string(200000, '0') + "e-200000";
    EXPECT_EQ(ReadNumber(oneThenZeros), 1);
    EXPECT_EQ(ReadNumber("-" + oneThenZeros), -1);
    const std::string wholeScaledDown = "1" + std::string(308, '0') + "e-1";
    EXPECT_EQ(ReadNumber(wholeScaledDown), 1e307);
    EXPECT_EQ(ReadNumber(std::string(400, '9') + "e-400"), 1); // 1 - 1e-400, rounded
    EXPECT_THROW(ReadNumber("0." + std::string(200000, '0') + "1e99999999999999999999"),
                 OverflowError);
    EXPECT_EQ(ReadNumber(std::string(200000, '7') + "e-99999999999999999999"), 0);
}

TEST(ReadNumber, ThePeriodIsTheDecimalPointWhateverTheLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    // A German locale by its Linux name, then by the names Windows' runtimes know.
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de-DE") &&
        !std::setlocale(LC_ALL, "German_Germany")) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    EXPECT_EQ(ReadNumber("2.9"), 2.9);
    EXPECT_EQ(ReadNumber("2,9"), 2);
    EXPECT_EQ(FormatGeneral(2.5), "2.5");
    EXPECT_EQ(FormatGeneral(1234567.0), "1234567");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Truncate, DropsTheFractionTowardZero) {
    EXPECT_EQ(Truncate(2.9), 2);
    EXPECT_EQ(Truncate(-2.9), -2);
    EXPECT_EQ(Truncate(524287.99), 524287);
    EXPECT_TRUE(std::signbit(Truncate(-0.5)));
}

TEST(ToLong, TruncatesAndHoldsToThe32BitRange) {
    EXPECT_EQ(ToLong(2147483647.9), 2147483647);
    EXPECT_EQ(ToLong(-2147483648.9), INT32_MIN);
    EXPECT_EQ(ToLong(-2.9), -2);
    EXPECT_EQ(ToLong(1103.279), 1103);
    EXPECT_EQ(ToLong(-34.37), -34);
    EXPECT_EQ(ToLong(-0.0), 0);
    for (double outside :
         {2147483648.0, -2147483649.0, 9e99, std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_THROW(ToLong(outside), OverflowError) << outside;
    }
}

TEST(RoundToLong, RoundsHalvesToTheEvenNeighbour) {
    const struct {
        double x;
        std::int32_t rounded;
    } cases[] = {{0.5, 0},    {1.5, 2},    {2.5, 2},     {-0.5, 0}, {-1.5, -2},
                 {2.4999, 2}, {2.5001, 3}, {1500, 1500}, {0, 0},    {-2147483648.0, INT32_MIN}};
    for (const auto& c : cases) {
        EXPECT_EQ(roundToLong(c.x), c.rounded) << c.x;
    }
    EXPECT_THROW(roundToLong(2147483647.5), OverflowError);
    EXPECT_THROW(roundToLong(std::numeric_limits<double>::quiet_NaN()), OverflowError);
}

TEST(FormatGeneral, WritesWholeNumbersAsPlainDigits) {
    const struct {
        double x;
        const char* text;
    } cases[] = {{332800, "332800"},
                 {96, "96"},
                 {0, "0"},
                 {-0.0, "0"},
                 {524287, "524287"},
                 {4096, "4096"},
                 {-5, "-5"},
                 {1500, "1500"},
                 {2.5, "2.5"},
                 {1e20, "1e+20"},
                 {123456789012345.0, "123456789012345"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatGeneral(c.x), c.text);
    }
    EXPECT_EQ(FormatGeneral(std::int32_t{5}), "5");
    EXPECT_EQ(FormatGeneral(std::int32_t{23}), "23");
}

TEST(FormatGeneral, EveryLimitedValueReadsBackToItself) {
    for (int n = 0; n <= 524287; ++n) {
        const double x = n;
        ASSERT_EQ(ReadNumber(FormatGeneral(x)), x) << n;
    }
}

TEST(FormatTwoDigit, PadsToAtLeastTwoDigits) {
    const struct {
        std::int32_t n;
        const char* text;
    } cases[] = {{0, "00"},  {1, "01"},    {5, "05"},  {14, "14"},
                 {59, "59"}, {123, "123"}, {-5, "-05"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatTwoDigit(c.n), c.text);
    }
}

TEST(LongToText, WritesTheSignOfNegativeValues) {
    EXPECT_EQ(LongToText(1103), "1103");
    EXPECT_EQ(LongToText(-34), "-34");
    EXPECT_EQ(LongToText(0), "0");
    EXPECT_EQ(LongToText(INT32_MIN), "-2147483648");
    EXPECT_EQ(LongToText(INT32_MAX), "2147483647");
}

} // namespace
} // namespace quorvel
