#include "common/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "common/store_keys.h"

namespace vorlan {
namespace {

struct PrefixCase {
  std::string text;
  double value;
};

class NumericPrefixTest : public testing::TestWithParam<PrefixCase> {};

TEST_P(NumericPrefixTest, ReadsLeadingNumber) {
  const PrefixCase& c = GetParam();
  EXPECT_EQ(NumericPrefix(c.text), c.value) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumericPrefixTest,
    testing::Values(
        // Plain numbers and the stored forms.
        PrefixCase{"", 0}, PrefixCase{"0", 0}, PrefixCase{" 0", 0}, PrefixCase{"1", 1},
        PrefixCase{" 1", 1}, PrefixCase{" 255", 255}, PrefixCase{"-2147483633", -2147483633.0},
        PrefixCase{"+7", 7}, PrefixCase{"007", 7},
        // Blanks: only leading spaces and tabs are skipped.
        PrefixCase{"  \t 42", 42}, PrefixCase{"4 2", 4}, PrefixCase{"\n5", 0},
        PrefixCase{"- 5", 0}, PrefixCase{"-", 0}, PrefixCase{"+", 0},
        // Decimals.
        PrefixCase{"1.5", 1.5}, PrefixCase{".5", 0.5}, PrefixCase{"-.25", -0.25},
        PrefixCase{"5.", 5}, PrefixCase{".", 0}, PrefixCase{"1.2.3", 1.2},
        PrefixCase{"0.000125", 0.000125},
        // Exponents, E or D, counted only with a digit after the optional sign.
        PrefixCase{"1e3", 1000}, PrefixCase{"1E+3", 1000}, PrefixCase{"25e-1", 2.5},
        PrefixCase{"1d2", 100}, PrefixCase{"1D-2", 0.01}, PrefixCase{"2e", 2},
        PrefixCase{"2e+", 2}, PrefixCase{"2ex", 2}, PrefixCase{"2dx", 2},
        PrefixCase{".5e1", 5}, PrefixCase{"e5", 0},
        // Trailing text.
        PrefixCase{"12abc", 12}, PrefixCase{"3:45", 3}, PrefixCase{"True", 0},
        PrefixCase{"False", 0}, PrefixCase{"abc", 0}, PrefixCase{"ｱ1", 0},
        // Hexadecimal patterns.
        PrefixCase{"&HFF", 255}, PrefixCase{"&hff", 255}, PrefixCase{"&HFF&", 255},
        PrefixCase{"&H8000000F&", -2147483633.0}, PrefixCase{"&H8000000F", -2147483633.0},
        PrefixCase{"&HFFFFFFFF", -1}, PrefixCase{"&H7FFFFFFF", 2147483647.0},
        PrefixCase{"&HFFFF", 65535}, PrefixCase{"  &H10", 16}, PrefixCase{"&H", 0},
        PrefixCase{"&Hxyz", 0}, PrefixCase{"&", 0}, PrefixCase{"&O17", 0},
        PrefixCase{"-&HFF", 0},
        // More than eight digits: the low 32 bits.
        PrefixCase{"&H1FFFFFFFF", -1}, PrefixCase{"&H100000001", 1},
        PrefixCase{"&H0000000000FF", 255}));

TEST(NumericPrefix, HugeAndTinyNumbersDoNotMisbehave) {
  EXPECT_EQ(NumericPrefix("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(NumericPrefix("-1e99999999999999999999999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(NumericPrefix("1e-99999999999999999999999"), 0.0);
  EXPECT_EQ(NumericPrefix("0e99999999999999999999"), 0.0);
  EXPECT_EQ(NumericPrefix("1.7976931348623157e308"), std::numeric_limits<double>::max());
  EXPECT_EQ(NumericPrefix("1.8e308"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(NumericPrefix("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());

  const std::string many_digits(5000, '9');
  EXPECT_EQ(NumericPrefix(many_digits), std::numeric_limits<double>::infinity());
  // Many digits, then an exponent that brings the value back into range.
  EXPECT_DOUBLE_EQ(NumericPrefix("1" + std::string(3000, '0') + "e-2999"), 10.0);
  EXPECT_DOUBLE_EQ(NumericPrefix("0." + std::string(3000, '0') + "3e3001"), 3.0);
  EXPECT_DOUBLE_EQ(NumericPrefix("12345678901234567890123456789"), 1.2345678901234568e28);
}

TEST(NumericPrefix, KeepsCorrectRoundingPastTheKeptDigits) {
  // Exactly halfway between 1 and the next double, then a non-zero digit far
  // beyond: must round up, not to even.
  const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
  EXPECT_EQ(NumericPrefix(halfway), 1.0);  // ties to even
  EXPECT_EQ(NumericPrefix(halfway + std::string(2000, '0') + "1"),
            std::nextafter(1.0, 2.0));
}

struct RoundCase {
  double value;
  std::int32_t as32;
  std::int16_t as16;
};

class NearestIntTest : public testing::TestWithParam<RoundCase> {};

TEST_P(NearestIntTest, RoundsHalvesToEvenAndClamps) {
  const RoundCase& c = GetParam();
  EXPECT_EQ(NearestInt32(c.value), c.as32) << c.value;
  EXPECT_EQ(NearestInt16(c.value), c.as16) << c.value;
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Table, NearestIntTest,
    testing::Values(RoundCase{0.0, 0, 0}, RoundCase{0.5, 0, 0}, RoundCase{1.5, 2, 2},
                    RoundCase{2.5, 2, 2}, RoundCase{3.5, 4, 4}, RoundCase{-0.5, 0, 0},
                    RoundCase{-1.5, -2, -2}, RoundCase{-2.5, -2, -2}, RoundCase{0.49, 0, 0},
                    RoundCase{0.51, 1, 1}, RoundCase{-0.51, -1, -1}, RoundCase{1.4, 1, 1},
                    RoundCase{32767.0, 32767, 32767}, RoundCase{32767.5, 32768, 32767},
                    RoundCase{32768.0, 32768, 32767}, RoundCase{-32768.0, -32768, -32768},
                    RoundCase{-32768.5, -32768, -32768}, RoundCase{-32769.0, -32769, -32768},
                    RoundCase{65537.0, 65537, 32767}, RoundCase{-65537.0, -65537, -32768},
                    RoundCase{2147483647.0, 2147483647, 32767},
                    RoundCase{2147483647.4, 2147483647, 32767},
                    RoundCase{2147483647.5, 2147483647, 32767},
                    RoundCase{2147483648.0, 2147483647, 32767},
                    RoundCase{-2147483648.0, -2147483647 - 1, -32768},
                    RoundCase{-2147483648.5, -2147483647 - 1, -32768},
                    RoundCase{-2147483633.0, -2147483633, -32768},
                    RoundCase{1e300, 2147483647, 32767}, RoundCase{-1e300, -2147483647 - 1, -32768},
                    RoundCase{kInf, 2147483647, 32767}, RoundCase{-kInf, -2147483647 - 1, -32768},
                    RoundCase{std::numeric_limits<double>::quiet_NaN(), 0, 0}));

TEST(NumberText, BlankInTheSignPositionWhenNotNegative) {
  EXPECT_EQ(NumberText(0), " 0");
  EXPECT_EQ(NumberText(4), " 4");
  EXPECT_EQ(NumberText(255), " 255");
  EXPECT_EQ(NumberText(-5), "-5");
  EXPECT_EQ(NumberText(-2147483633), "-2147483633");
  EXPECT_EQ(NumberText(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

TEST(NumberText, ReadsBackThroughTheNumericPrefix) {
  for (std::int64_t v : {0LL, 1LL, -1LL, 255LL, -2147483633LL, 2147483647LL})
    EXPECT_EQ(NearestInt32(NumericPrefix(NumberText(v))), v);
}

TEST(StoreKeys, NumberedKeysHaveNoBlank) {
  EXPECT_EQ(NumberedKey("AlarmTime", 1), "AlarmTime1");
  EXPECT_EQ(NumberedKey("AlarmTime", 10), "AlarmTime10");
  EXPECT_EQ(NumberedKey("NoPastClass", 3), "NoPastClass3");
}

TEST(StoreKeys, SoundEnabledKeyHasTwoBlanks) {
  EXPECT_EQ(SoundEnabledKey(1, 1), "SoundEnabled 1, 1");
  EXPECT_EQ(SoundEnabledKey(3, 3), "SoundEnabled 3, 3");
  EXPECT_EQ(SoundEnabledKey(10, 7), "SoundEnabled 10, 7");
}

}  // namespace
}  // namespace vorlan
