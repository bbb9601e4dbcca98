// Numbers as text without Qt: the labels' patterns and the three general
// forms the trace and the command line write, in any locale.
#include "lab/Format.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct ByName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& p) const {
    return p.param.name;
  }
};

struct FormatCase {
  const char* name;
  double value;
  const char* pattern;
  const char* expected;
};

class LabelFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(LabelFormat, Text) { EXPECT_EQ(lab::Format(GetParam().value, GetParam().pattern), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Table, LabelFormat,
    ::testing::Values(
        FormatCase{"Whole", -26.7, "0", "-27"}, FormatCase{"Padded", 124.3, "0.00", "124.30"},
        // 2.675 is stored just below 2.675; it shows as the decimal typed, rounded half up.
        FormatCase{"HalfUp", 2.675, "0.00", "2.68"}, FormatCase{"NegativeHalfAway", -26.395, "0.00", "-26.40"},
        FormatCase{"RoundedZeroHasNoSign", -0.001, "0.00", "0.00"},
        FormatCase{"NegativeZeroHasNoSign", -0.0, "0.000", "0.000"},
        FormatCase{"ThreeDecimalsCarry", 1.9995, "0.000", "2.000"},
        FormatCase{"CarryAddsADigit", 999.9996, "0.000", "1000.000"},
        FormatCase{"SmallHalfUp", 0.0005, "0.000", "0.001"}, FormatCase{"WholeHalfUp", 0.5, "0", "1"},
        FormatCase{"WholeNegativeHalfAway", -2.5, "0", "-3"},
        // 1e-20 reads as 1.00000000000000e-20: nothing reaches the third decimal.
        FormatCase{"Tiny", 1e-20, "0.000", "0.000"},
        FormatCase{"Huge", 1e20, "0.0", "100000000000000000000.0"},
        FormatCase{"NoPatternInteger", -99, "", "-99"}, FormatCase{"NoPatternNegativeZero", -0.0, "", "0"},
        FormatCase{"NoPatternFraction", 0.25, "", "0.25"},
        // 15 significant digits hide the binary error of 0.1 + 0.2.
        FormatCase{"NoPatternFifteenDigits", 0.1 + 0.2, "", "0.3"},
        FormatCase{"NoPatternThird", 1.0 / 3.0, "", "0.333333333333333"},
        FormatCase{"NoPatternLargestPlainInteger", 999999999999999.0, "", "999999999999999"},
        FormatCase{"NoPatternExponentFrom1e15", 1e15, "", "1e+15"},
        FormatCase{"NoPatternSmallExponent", 1.5e-5, "", "1.5e-05"},
        FormatCase{"NoPatternSmallPlain", 0.0001, "", "0.0001"},
        FormatCase{"NaN", kNaN, "0.00", "\xe2\x80\x94"}, FormatCase{"Infinity", kInf, "", "\xe2\x80\x94"},
        FormatCase{"MinusInfinity", -kInf, "0", "\xe2\x80\x94"}),
    ByName{});

// The shortest form: the digits that read back, plain or with an exponent,
// whichever is shorter.
struct TextCase {
  const char* name;
  double value;
  const char* expected;
};

class Shortest : public ::testing::TestWithParam<TextCase> {};

TEST_P(Shortest, Text) { EXPECT_EQ(lab::ShortestText(GetParam().value), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Table, Shortest,
    ::testing::Values(TextCase{"Zero", 0.0, "0"}, TextCase{"NegativeZeroHasNoSign", -0.0, "0"},
                      TextCase{"Tenth", 0.1, "0.1"}, TextCase{"SumShowsItsError", 0.1 + 0.2, "0.30000000000000004"},
                      TextCase{"Negative", -26.395, "-26.395"},
                      // "0.001" and "1e-03" are as long: plain; "0.0001" is longer than "1e-04".
                      TextCase{"Thousandth", 0.001, "0.001"}, TextCase{"TenThousandth", 0.0001, "1e-04"},
                      TextCase{"TwoDigitsSmall", 0.00012, "0.00012"}, TextCase{"TenThousand", 1e4, "10000"},
                      TextCase{"HundredThousand", 1e5, "1e+05"}, TextCase{"OneAndAHalfMillion", 1.5e6, "1500000"},
                      TextCase{"Million", 1e6, "1e+06"}, TextCase{"Twenty", 1e20, "1e+20"},
                      TextCase{"SeventeenDigitsPlain", 123456789012345678.0, "123456789012345680"},
                      TextCase{"ThreeDigitExponent", 1e-300, "1e-300"},
                      TextCase{"SmallestSubnormal", std::numeric_limits<double>::denorm_min(), "5e-324"},
                      TextCase{"Largest", std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
                      TextCase{"NaN", kNaN, "nan"}, TextCase{"Infinity", kInf, "inf"},
                      TextCase{"MinusInfinity", -kInf, "-inf"}),
    ByName{});

// A given number of significant digits; an exact half goes away from zero.
struct DigitsCase {
  const char* name;
  double value;
  int digits;
  const char* significant;  // SignificantText
  const char* exponent;     // ExponentText with digits - 1 decimals
};

class Digits : public ::testing::TestWithParam<DigitsCase> {};

TEST_P(Digits, SignificantAndExponentForms) {
  EXPECT_EQ(lab::SignificantText(GetParam().value, GetParam().digits), GetParam().significant);
  EXPECT_EQ(lab::ExponentText(GetParam().value, GetParam().digits - 1), GetParam().exponent);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Digits,
    ::testing::Values(DigitsCase{"HalfUp", 2.5, 1, "3", "3e+00"},
                      DigitsCase{"NegativeHalfAway", -2.5, 1, "-3", "-3e+00"},
                      DigitsCase{"EighthHalfUp", 0.125, 2, "0.13", "1.3e-01"},
                      // 2.675 is stored just below the half: three digits round down (the labels
                      // round its 15-digit text instead and show 2.68).
                      DigitsCase{"BelowTheHalf", 2.675, 3, "2.67", "2.67e+00"},
                      // 1234567890123445 is a whole double: its 16th digit is an exact half.
                      DigitsCase{"ExactHalfAtFifteen", 1234567890123445.0, 15, "1.23456789012345e+15",
                                 "1.23456789012345e+15"},
                      DigitsCase{"TrailingZerosDropped", 1.5, 6, "1.5", "1.50000e+00"},
                      DigitsCase{"CarryIntoANewDigit", 9.996, 3, "10", "1.00e+01"},
                      DigitsCase{"ExponentFromPrecision", 123456.0, 5, "1.2346e+05", "1.2346e+05"},
                      DigitsCase{"PlainUpToPrecision", 123456.0, 6, "123456", "1.23456e+05"},
                      DigitsCase{"SmallPlain", 0.0001234, 3, "0.000123", "1.23e-04"},
                      DigitsCase{"SmallExponent", 0.00001234, 3, "1.23e-05", "1.23e-05"},
                      DigitsCase{"Zero", 0.0, 3, "0", "0.00e+00"}, DigitsCase{"NegativeZero", -0.0, 3, "0", "0.00e+00"},
                      DigitsCase{"FifteenForLabels", 2.675, 15, "2.675", "2.67500000000000e+00"}),
    ByName{});

double readBack(const std::string& text) {
  double v = kNaN;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  EXPECT_TRUE(ec == std::errc{} && end == text.data() + text.size()) << "not a number: '" << text << "'";
  return v;
}

// Significant digits of a number's text: no sign, point or exponent, no
// leading zeros, no trailing zeros ("106127657042447530000" has 17).
std::size_t significantDigits(const std::string& text) {
  std::string digits;
  for (const char c : text.substr(0, text.find('e'))) {
    if (c >= '0' && c <= '9' && !(digits.empty() && c == '0')) digits += c;
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return digits.size();
}

TEST(ShortestText, ReadsBackBitForBitAndNoDigitCanGo) {
  std::mt19937_64 rng(41);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (int i = 0; i < 20000; ++i) {
    const double v = std::bit_cast<double>(bits(rng));
    if (!std::isfinite(v)) continue;
    const std::string text = lab::ShortestText(v);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(readBack(text)), std::bit_cast<std::uint64_t>(v == 0 ? 0.0 : v)) << text;
    const std::size_t digits = significantDigits(text);
    if (digits > 1) {
      ASSERT_NE(readBack(lab::SignificantText(v, static_cast<int>(digits) - 1)), v) << text;
    }
  }
}

// The decimal comma of a locale such as Greek must not reach the text.
TEST(Format, IgnoresTheLocale) {
  const char* const commaLocales[] = {"el_GR.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"};
  const char* found = nullptr;
  for (const char* name : commaLocales) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      found = name;
      break;
    }
  }
  const std::string labels = lab::Format(2.675, "0.00") + " " + lab::Format(0.25);
  const std::string general = lab::ShortestText(-26.395) + " " + lab::SignificantText(0.5, 3) + " " +
                              lab::ExponentText(1.5, 2);
  std::setlocale(LC_ALL, "C");
  if (found == nullptr) GTEST_SKIP() << "no locale with a decimal comma to try";
  EXPECT_EQ(labels, "2.68 0.25") << found;
  EXPECT_EQ(general, "-26.395 0.5 1.50e+00") << found;
}

}  // namespace
