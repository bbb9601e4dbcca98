// numeric::ToChars / ToScientificChars / FromChars against the standard
// library's std::to_chars / std::from_chars, byte for byte, on many doubles
// and texts: the browser build has only the former, and every label, trace
// and CSV must come out the same in both builds.
#include "numeric/Chars.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using Writer = std::to_chars_result (*)(char*, char*, double);

struct Form {
  const char* name;
  Writer ours;
  Writer standard;
  int valuesPerSeed;  // exact digits are slow at a high precision
};

template <int P>
std::to_chars_result oursAt(char* f, char* l, double v) { return numeric::ToScientificChars(f, l, v, P); }
template <int P>
std::to_chars_result standardAt(char* f, char* l, double v) {
  return std::to_chars(f, l, v, std::chars_format::scientific, P);
}
std::to_chars_result oursScientific(char* f, char* l, double v) { return numeric::ToScientificChars(f, l, v); }
std::to_chars_result standardScientific(char* f, char* l, double v) {
  return std::to_chars(f, l, v, std::chars_format::scientific);
}
std::to_chars_result oursShortest(char* f, char* l, double v) { return numeric::ToChars(f, l, v); }
std::to_chars_result standardShortest(char* f, char* l, double v) { return std::to_chars(f, l, v); }

std::string written(Writer w, double v) {
  static char buf[1000];
  const auto r = w(buf, buf + sizeof buf, v);
  return r.ec == std::errc{} ? std::string(buf, r.ptr) : "<error>";
}

// Doubles of every kind: random bit patterns (all magnitudes, subnormals
// included), short decimals as people type them, powers of ten and their
// neighbours (where the plain and the exponent form change places), floats
// widened (the program's coordinates), and the special values.
std::vector<double> values(unsigned seed, int count) {
  std::mt19937_64 rng(seed);
  std::vector<double> out = {0.0, -0.0, 1.0, -1.0, 0.1, 2.675, 5e-324, -5e-324, 2.2250738585072014e-308,
                             std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
                             123456789012345680.0, 1e15, 1e16, 1e17, 1e21, 1e22, 1e23, 1e-4, 1e-5, 0.5, 9.5, 0.125,
                             std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()};
  for (int e = -330; e <= 310; ++e) {
    const double p = std::pow(10.0, e);
    out.insert(out.end(), {p, std::nextafter(p, 0.0), std::nextafter(p, INFINITY), -p, 5 * p, 9.5 * p});
  }
  std::uniform_int_distribution<int> digits(1, 17), exponent(-25, 25);
  std::uniform_int_distribution<std::int64_t> mantissa(1, 99999999999999999);
  while (static_cast<int>(out.size()) < count) {
    const std::uint64_t bits = rng();
    const double raw = std::bit_cast<double>(bits);
    if (std::isfinite(raw)) out.push_back(raw);
    const double decimal = static_cast<double>(mantissa(rng) % static_cast<std::int64_t>(std::pow(10, digits(rng)))) *
                           std::pow(10.0, exponent(rng));
    out.push_back(rng() % 2 ? decimal : -decimal);
    out.push_back(static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(bits >> 32))));
  }
  return out;
}

class CharsWriting : public testing::TestWithParam<Form> {};

std::string FormName(const testing::TestParamInfo<Form>& p) {
  std::string name = p.param.name;
  for (char& c : name) {
    if (c == ' ') c = '_';
  }
  return name;
}

TEST_P(CharsWriting, WritesTheStandardLibrarysBytes) {
  const Form& form = GetParam();
  int differing = 0;
  for (unsigned seed : {1u, 2u, 3u}) {
    for (const double v : values(seed, form.valuesPerSeed)) {
      const std::string ours = written(form.ours, v), standard = written(form.standard, v);
      if (ours != standard && ++differing <= 5) {
        ADD_FAILURE() << form.name << " of " << std::bit_cast<std::uint64_t>(v) << " (bits): ours '" << ours
                      << "', std '" << standard << "'";
      }
    }
  }
  EXPECT_EQ(differing, 0);
}

// A buffer too short is refused as the standard library refuses it; one just
// long enough takes the whole text.
TEST_P(CharsWriting, RefusesABufferTooShortAsTheStandardLibraryDoes) {
  const Form& form = GetParam();
  for (const double v : values(7, 200)) {
    const std::size_t size = written(form.standard, v).size();
    std::vector<char> ours(size + 1), standard(size + 1);
    for (const std::size_t room : {std::size_t{0}, size / 2, size - 1, size}) {
      const auto o = form.ours(ours.data(), ours.data() + room, v);
      const auto s = form.standard(standard.data(), standard.data() + room, v);
      ASSERT_EQ(o.ec, s.ec) << form.name << " of " << written(form.standard, v) << " in " << room << " chars";
      if (s.ec == std::errc{}) {
        EXPECT_EQ(std::string(ours.data(), o.ptr), std::string(standard.data(), s.ptr));
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CharsWriting,
    testing::Values(Form{"shortest", oursShortest, standardShortest, 60000},
                    Form{"shortest scientific", oursScientific, standardScientific, 60000},
                    Form{"scientific 0", oursAt<0>, standardAt<0>, 30000},
                    Form{"scientific 1", oursAt<1>, standardAt<1>, 30000},
                    Form{"scientific 14", oursAt<14>, standardAt<14>, 30000},
                    Form{"scientific 16", oursAt<16>, standardAt<16>, 30000},
                    Form{"scientific 35", oursAt<35>, standardAt<35>, 30000},
                    Form{"scientific 770", oursAt<770>, standardAt<770>, 3000}),
    FormName);

// ---------------------------------------------------------------- reading

struct Texts {
  const char* name;
  std::vector<std::string> (*make)();
};

std::vector<std::string> edgeTexts() {
  return {"0", "-0", "1", "-1", ".5", "5.", ".", "-", "-.", "+1", "1e", "1e+", "1e-", "e5", "1e5", "1E5", "1e+5",
          "1.5e-3", "00012.5000", "1e400", "-1e400", "1e-400", "-1e-400", "0e-400", "0.000e999999", "4e-320",
          "2.4703282292062327e-324", "2.4703282292062328e-324", "1.7976931348623157e308", "1.7976931348623159e308",
          "inf", "-inf", "infinity", "nan", "NaN", "0x1p3", "1,5", "1 5", "12abc", "", " 1", "9007199254740993",
          "0.1000000000000000055511151231257827", "123456789012345678901234567890e-30"};
}

std::vector<std::string> randomDecimalTexts() {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> length(1, 25), digit(0, 9), choice(0, 9), exponent(-340, 330);
  std::vector<std::string> out;
  for (int i = 0; i < 100000; ++i) {
    std::string s;
    if (choice(rng) < 3) s += '-';
    const int n = length(rng);
    const int point = choice(rng) < 7 ? length(rng) % (n + 1) : -1;
    for (int k = 0; k < n; ++k) {
      if (k == point) s += '.';
      s += static_cast<char>('0' + digit(rng));
    }
    if (choice(rng) < 5) s += (choice(rng) < 5 ? "e" : "E") + std::to_string(exponent(rng));
    out.push_back(s);
  }
  return out;
}

// Every double written shortest and at 17 digits reads back as itself.
std::vector<std::string> writtenTexts() {
  std::vector<std::string> out;
  for (const double v : values(5, 20000)) {
    out.push_back(written(standardShortest, v));
    out.push_back(written(standardAt<16>, v));
  }
  return out;
}

class CharsReading : public testing::TestWithParam<Texts> {};

std::string TextsName(const testing::TestParamInfo<Texts>& p) { return p.param.name; }

TEST_P(CharsReading, ReadsAsTheStandardLibraryReads) {
  int differing = 0;
  for (const std::string& text : GetParam().make()) {
    const char* first = text.data();
    const char* last = first + text.size();
    double ours = -7, standard = -7;  // the value left alone on an error
    const auto o = numeric::FromChars(first, last, ours);
    const auto s = std::from_chars(first, last, standard);
    const bool same = o.ec == s.ec && o.ptr == s.ptr &&
                      (std::bit_cast<std::uint64_t>(ours) == std::bit_cast<std::uint64_t>(standard) ||
                       (std::isnan(ours) && std::isnan(standard)));
    if (!same && ++differing <= 5) {
      ADD_FAILURE() << "'" << text << "': ours " << ours << " (" << static_cast<int>(o.ec) << ", "
                    << (o.ptr - first) << " read), std " << standard << " (" << static_cast<int>(s.ec) << ", "
                    << (s.ptr - first) << " read)";
    }
  }
  EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Texts, CharsReading,
                         testing::Values(Texts{"edges", edgeTexts}, Texts{"random_decimals", randomDecimalTexts},
                                         Texts{"written_doubles", writtenTexts}),
                         TextsName);

}  // namespace
