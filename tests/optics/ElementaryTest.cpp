#include "numeric/Elementary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <ostream>
#include <random>
#include <sstream>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kTrueMin = std::numeric_limits<double>::denorm_min();
constexpr double kNormMin = std::numeric_limits<double>::min();
constexpr double kMax = std::numeric_limits<double>::max();

// A float argument would pick sinf and the like; the wrappers refuse it.
template <class T>
concept TakenByAll = requires(T v) {
  numeric::Sin(v);
  numeric::Cos(v);
  numeric::SinCos(v);
  numeric::Atan(v);
};
template <class T>
concept TakenByNone = !requires(T v) { numeric::Sin(v); } && !requires(T v) { numeric::Cos(v); } &&
                      !requires(T v) { numeric::SinCos(v); } && !requires(T v) { numeric::Atan(v); };
static_assert(TakenByAll<double>);
static_assert(TakenByNone<float>);

// The bits of a double and back (memcpy: the browser toolchain's library has
// no std::bit_cast).
std::uint64_t Bits(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}
double FromBits(std::uint64_t b) {
  double v;
  std::memcpy(&v, &b, sizeof v);
  return v;
}

enum class Fn { Sin, Cos, Atan, SinOfSinCos, CosOfSinCos };

double Ours(Fn f, double x) {
  switch (f) {
    case Fn::Sin: return numeric::Sin(x);
    case Fn::Cos: return numeric::Cos(x);
    case Fn::Atan: return numeric::Atan(x);
    case Fn::SinOfSinCos: return numeric::SinCos(x).Sin;
    case Fn::CosOfSinCos: return numeric::SinCos(x).Cos;
  }
  return kNaN;
}

// The C library's function of the same name (for SinCos: sin or cos).
double Libc(Fn f, double x) {
  switch (f) {
    case Fn::Sin:
    case Fn::SinOfSinCos: return std::sin(x);
    case Fn::Cos:
    case Fn::CosOfSinCos: return std::cos(x);
    case Fn::Atan: return std::atan(x);
  }
  return kNaN;
}

const char* Name(Fn f) {
  switch (f) {
    case Fn::Sin: return "Sin";
    case Fn::Cos: return "Cos";
    case Fn::Atan: return "Atan";
    case Fn::SinOfSinCos: return "SinCos.Sin";
    case Fn::CosOfSinCos: return "SinCos.Cos";
  }
  return "?";
}

std::string Hex(double v) {
  std::ostringstream s;
  s << std::hexfloat << v;
  return s.str();
}

// Doubles in their order on the line as consecutive integers (-0 and +0 both
// 0), so that the difference of two is their distance in units in the last
// place. NaN is far from everything but another NaN.
std::int64_t Ordinal(double v) {
  const auto bits = static_cast<std::int64_t>(Bits(v));
  return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
}
std::uint64_t UlpDistance(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b) ? 0 : ~std::uint64_t{0};
  const std::int64_t x = Ordinal(a), y = Ordinal(b);
  return x > y ? static_cast<std::uint64_t>(x) - static_cast<std::uint64_t>(y)
               : static_cast<std::uint64_t>(y) - static_cast<std::uint64_t>(x);
}

TEST(UlpDistance, CountsRepresentableStepsAcrossZeroAndBinades) {
  EXPECT_EQ(UlpDistance(1.0, 1.0), 0u);
  EXPECT_EQ(UlpDistance(1.0, std::nextafter(1.0, 2.0)), 1u);
  EXPECT_EQ(UlpDistance(std::nextafter(1.0, 0.0), std::nextafter(1.0, 2.0)), 2u);
  EXPECT_EQ(UlpDistance(-0.0, 0.0), 0u);
  EXPECT_EQ(UlpDistance(-kTrueMin, kTrueMin), 2u);
  EXPECT_EQ(UlpDistance(kMax, kInf), 1u);
  EXPECT_EQ(UlpDistance(kNaN, kNaN), 0u);
  EXPECT_GT(UlpDistance(kNaN, 0.0), 1u);
  EXPECT_GT(UlpDistance(0.5, -0.5), 1u);
}

// ---- Arguments whose result is exact ----------------------------------------

struct ExactCase {
  Fn f;
  double x;
  double expected;  // compared bit for bit: the sign of a zero counts
};

void PrintTo(const ExactCase& c, std::ostream* os) { *os << Name(c.f) << "(" << Hex(c.x) << ")"; }

class ElementaryExactTest : public ::testing::TestWithParam<ExactCase> {};

TEST_P(ElementaryExactTest, IsBitForBit) {
  const ExactCase& c = GetParam();
  const double got = Ours(c.f, c.x);
  EXPECT_EQ(Bits(got), Bits(c.expected))
      << Name(c.f) << "(" << Hex(c.x) << ") = " << Hex(got) << ", expected " << Hex(c.expected);
}

// pi/2 and pi/4 rounded to double (0x1.921fb54442d18469...p0 before rounding).
constexpr double kHalfPi = 0x1.921fb54442d18p0;
constexpr double kQuarterPi = 0x1.921fb54442d18p-1;

INSTANTIATE_TEST_SUITE_P(
    Table, ElementaryExactTest,
    ::testing::Values(
        // Signed zeros: sin and atan are odd, cos is 1.
        ExactCase{Fn::Sin, 0.0, 0.0}, ExactCase{Fn::Sin, -0.0, -0.0}, ExactCase{Fn::Cos, 0.0, 1.0},
        ExactCase{Fn::Cos, -0.0, 1.0}, ExactCase{Fn::Atan, 0.0, 0.0}, ExactCase{Fn::Atan, -0.0, -0.0},
        ExactCase{Fn::SinOfSinCos, -0.0, -0.0}, ExactCase{Fn::CosOfSinCos, -0.0, 1.0},
        // Below 2^-26 the cubic term is under half an ulp: sin x = atan x = x, cos x = 1.
        ExactCase{Fn::Sin, kTrueMin, kTrueMin}, ExactCase{Fn::Sin, -kTrueMin, -kTrueMin},
        ExactCase{Fn::Sin, 0x1p-1030, 0x1p-1030}, ExactCase{Fn::Sin, kNormMin, kNormMin},
        ExactCase{Fn::Sin, 0x1p-27, 0x1p-27}, ExactCase{Fn::Sin, -0x1.fffffffffffffp-27, -0x1.fffffffffffffp-27},
        ExactCase{Fn::Cos, kTrueMin, 1.0}, ExactCase{Fn::Cos, -kNormMin, 1.0}, ExactCase{Fn::Cos, 0x1p-27, 1.0},
        ExactCase{Fn::Atan, kTrueMin, kTrueMin}, ExactCase{Fn::Atan, -kTrueMin, -kTrueMin},
        ExactCase{Fn::Atan, kNormMin, kNormMin}, ExactCase{Fn::Atan, 0x1.fffffffffffffp-28, 0x1.fffffffffffffp-28},
        ExactCase{Fn::SinOfSinCos, kTrueMin, kTrueMin}, ExactCase{Fn::CosOfSinCos, kTrueMin, 1.0},
        // The limits of atan, and atan 1 = pi/4.
        ExactCase{Fn::Atan, kInf, kHalfPi}, ExactCase{Fn::Atan, -kInf, -kHalfPi}, ExactCase{Fn::Atan, kMax, kHalfPi},
        ExactCase{Fn::Atan, 0x1p66, kHalfPi}, ExactCase{Fn::Atan, 1.0, kQuarterPi},
        ExactCase{Fn::Atan, -1.0, -kQuarterPi},
        // At the double nearest pi/2 and pi the sine is 1 and the cosine -1.
        ExactCase{Fn::Sin, kHalfPi, 1.0}, ExactCase{Fn::Sin, -kHalfPi, -1.0}, ExactCase{Fn::Cos, 2 * kHalfPi, -1.0},
        ExactCase{Fn::SinOfSinCos, kHalfPi, 1.0}, ExactCase{Fn::CosOfSinCos, 2 * kHalfPi, -1.0}));

// ---- Not a number -------------------------------------------------------------

struct NaNCase {
  Fn f;
  double x;
};

void PrintTo(const NaNCase& c, std::ostream* os) { *os << Name(c.f) << "(" << Hex(c.x) << ")"; }

class ElementaryNaNTest : public ::testing::TestWithParam<NaNCase> {};

TEST_P(ElementaryNaNTest, GivesNaN) {
  EXPECT_TRUE(std::isnan(Ours(GetParam().f, GetParam().x))) << Name(GetParam().f) << "(" << GetParam().x << ")";
}

INSTANTIATE_TEST_SUITE_P(Table, ElementaryNaNTest,
                         ::testing::Values(NaNCase{Fn::Sin, kInf}, NaNCase{Fn::Sin, -kInf}, NaNCase{Fn::Sin, kNaN},
                                           NaNCase{Fn::Cos, kInf}, NaNCase{Fn::Cos, -kInf}, NaNCase{Fn::Cos, kNaN},
                                           NaNCase{Fn::Atan, kNaN}, NaNCase{Fn::Atan, -kNaN},
                                           NaNCase{Fn::SinOfSinCos, kInf}, NaNCase{Fn::CosOfSinCos, -kInf}));

// ---- Within one ulp of the true value ------------------------------------------

// The true value rounded to the nearest double, computed to 4000 bits with an
// arbitrary-precision library. The implementation promises less than one ulp
// of error, so it may return either neighbour of the true value, never more.
struct NearCase {
  Fn f;
  double x;
  double rounded;
};

void PrintTo(const NearCase& c, std::ostream* os) { *os << Name(c.f) << "(" << Hex(c.x) << ")"; }

class ElementaryNearTest : public ::testing::TestWithParam<NearCase> {};

TEST_P(ElementaryNearTest, IsWithinOneUlpOfTheTrueValue) {
  const NearCase& c = GetParam();
  const double got = Ours(c.f, c.x);
  EXPECT_LE(UlpDistance(got, c.rounded), 1u)
      << Name(c.f) << "(" << Hex(c.x) << ") = " << Hex(got) << ", true value " << Hex(c.rounded);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ElementaryNearTest,
    ::testing::Values(
        // Near 2^-26, where sin x stops being x and cos x stops being 1.
        NearCase{Fn::Sin, 0x1p-26, 0x1p-26}, NearCase{Fn::Cos, 0x1p-26, 0x1.fffffffffffffp-1},
        NearCase{Fn::Cos, 0x1.6a09ep-27, 0x1p+0}, NearCase{Fn::Cos, 0x1.6a09fp-27, 0x1.fffffffffffffp-1},
        // pi/6 and pi/3 as doubles: sin(pi/6) is just below 1/2, cos(pi/3) just above.
        NearCase{Fn::Sin, 0x1.0c152382d7365p-1, 0x1.fffffffffffffp-2},
        NearCase{Fn::Sin, -0x1.0c152382d7365p-1, -0x1.fffffffffffffp-2},
        NearCase{Fn::Cos, 0x1.0c152382d7365p-1, 0x1.bb67ae8584cabp-1},
        NearCase{Fn::Sin, 0x1.0c152382d7365p+0, 0x1.bb67ae8584caap-1},
        NearCase{Fn::Cos, 0x1.0c152382d7365p+0, 0x1.0000000000001p-1},
        // Either side of pi/4, where the argument reduction starts.
        NearCase{Fn::Sin, 0x1.921fb54442d18p-1, 0x1.6a09e667f3bccp-1},
        NearCase{Fn::Cos, 0x1.921fb54442d17p-1, 0x1.6a09e667f3bcdp-1},
        NearCase{Fn::Sin, 0x1.921fbffffffffp-1, 0x1.6a09edfee58b9p-1},
        NearCase{Fn::Sin, 0x1.921fcp-1, 0x1.6a09edfee58bap-1},
        NearCase{Fn::Cos, 0x1.921fbffffffffp-1, 0x1.6a09ded101c54p-1},
        NearCase{Fn::Cos, 0x1.921fcp-1, 0x1.6a09ded101c53p-1},
        // The quadrant boundaries 3pi/4, 5pi/4, 7pi/4, 9pi/4 of the short reductions.
        NearCase{Fn::Sin, 0x1.2d97cp+1, 0x1.6a09fce45a2d6p-1}, NearCase{Fn::Sin, 0x1.2d97dp+1, 0x1.6a09cfa31d5bep-1},
        NearCase{Fn::Cos, 0x1.2d97c7fffffffp+1, -0x1.6a09e68c2affcp-1},
        NearCase{Fn::Sin, 0x1.f6a7ap+1, -0x1.6a09df19704cfp-1}, NearCase{Fn::Cos, 0x1.f6a7ap+1, -0x1.6a09edb67706ep-1},
        NearCase{Fn::Sin, 0x1.5fdbcp+2, -0x1.6a09de88933d7p-1}, NearCase{Fn::Cos, 0x1.5fdbcp+2, 0x1.6a09ee4754105p-1},
        NearCase{Fn::Sin, 0x1.c463bp+2, 0x1.6a09fd753730cp-1}, NearCase{Fn::Cos, 0x1.c463cp+2, 0x1.6a0974d824237p-1},
        // Multiples of pi/2 as doubles, where the result is the tiny remainder.
        NearCase{Fn::Cos, 0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54},
        NearCase{Fn::Sin, 0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53},
        NearCase{Fn::Sin, -0x1.921fb54442d18p+1, -0x1.1a62633145c07p-53},
        NearCase{Fn::Cos, 0x1.2d97c7f3321d2p+2, -0x1.a79394c9e8a0ap-53},
        NearCase{Fn::Sin, 0x1.921fb54442d18p+2, -0x1.1a62633145c07p-52},
        // The medium reduction up to 2^20 pi/2, and past it.
        NearCase{Fn::Sin, 100.0, -0x1.03425b78c4db8p-1}, NearCase{Fn::Cos, -1000.0, 0x1.1ff026793f1bbp-1},
        NearCase{Fn::Sin, 1e6, -0x1.6664b2568d867p-2}, NearCase{Fn::Cos, 1e6, 0x1.df9df9906d32cp-1},
        NearCase{Fn::Sin, 0x1.921fbp+20, -0x1.4b02e5be91e9ep-2}, NearCase{Fn::Cos, 0x1.921fbp+20, 0x1.e4831257a62dap-1},
        NearCase{Fn::Sin, 0x1.921fcp+20, 0x1.3e479a61836ebp-1}, NearCase{Fn::Cos, 0x1.921fcp+20, 0x1.910d18d26c0d4p-1},
        // Huge arguments: the reduction with pi's bits to 1024 places.
        NearCase{Fn::Sin, 1e22, -0x1.b453ab76bf397p-1}, NearCase{Fn::Sin, -1e22, 0x1.b453ab76bf397p-1},
        NearCase{Fn::Cos, 1e22, 0x1.0be2cef01c8f4p-1}, NearCase{Fn::Sin, 0x1p1000, -0x1.460b8ae1c886ep-3},
        NearCase{Fn::Cos, 0x1p1000, 0x1.f9785160c8815p-1}, NearCase{Fn::Sin, 1e300, -0x1.a2c16b010e385p-1},
        NearCase{Fn::Cos, 1e300, -0x1.2699022adc4c1p-1}, NearCase{Fn::Sin, kMax, 0x1.452fc98b34e97p-8},
        NearCase{Fn::Sin, -kMax, -0x1.452fc98b34e97p-8}, NearCase{Fn::Cos, kMax, -0x1.fffe62ecfab75p-1},
        NearCase{Fn::SinOfSinCos, 1e22, -0x1.b453ab76bf397p-1}, NearCase{Fn::CosOfSinCos, kMax, -0x1.fffe62ecfab75p-1},
        // atan either side of its breakpoints 7/16, 11/16, 19/16 and 39/16.
        NearCase{Fn::Atan, 0x1.bffffffffffffp-2, 0x1.a64eec3cc23fcp-2}, NearCase{Fn::Atan, 0.4375, 0x1.a64eec3cc23fdp-2},
        NearCase{Fn::Atan, 0x1.5ffffffffffffp-1, 0x1.345f01cce37bbp-1}, NearCase{Fn::Atan, 0.6875, 0x1.345f01cce37bbp-1},
        NearCase{Fn::Atan, 0x1.2ffffffffffffp+0, 0x1.bde70ed439fe6p-1}, NearCase{Fn::Atan, 1.1875, 0x1.bde70ed439fe7p-1},
        NearCase{Fn::Atan, 0x1.37fffffffffffp+1, 0x1.2e75728833a54p+0}, NearCase{Fn::Atan, 2.4375, 0x1.2e75728833a54p+0},
        NearCase{Fn::Atan, 0.5, 0x1.dac670561bb4fp-2}, NearCase{Fn::Atan, 10.0, 0x1.789bd2c160054p+0},
        NearCase{Fn::Atan, -1e10, -0x1.921fb543d4dep+0},
        // atan of sqrt(3) and 1/sqrt(3) as doubles: pi/3 and pi/6.
        NearCase{Fn::Atan, 0x1.bb67ae8584caap+0, 0x1.0c152382d7365p+0},
        NearCase{Fn::Atan, 0x1.279a74590331dp-1, 0x1.0c152382d7366p-1}));

// ---- The browser build's bits ---------------------------------------------------

// The bits the native build must reproduce: the browser build's own C library
// (emscripten's musl, run under node) at angles of the program's range. At
// the first fourteen it returns the neighbour of the correctly rounded value,
// so a correctly rounded function or any other implementation fails there;
// at the last nine the kernels compiled with fused multiply-adds round
// differently.
class ElementaryBrowserTest : public ::testing::TestWithParam<ExactCase> {};

TEST_P(ElementaryBrowserTest, GivesTheBrowsersBits) {
  const ExactCase& c = GetParam();
  const double got = Ours(c.f, c.x);
  EXPECT_EQ(Bits(got), Bits(c.expected))
      << Name(c.f) << "(" << Hex(c.x) << ") = " << Hex(got) << ", the browser's " << Hex(c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ElementaryBrowserTest,
    ::testing::Values(
        ExactCase{Fn::Sin, 0x1.7f5aa77fdf085p+1, 0x1.2b3da13f33586p-3},
        ExactCase{Fn::Sin, 0x1.26669f6343314p-1, 0x1.1671b353ae4c2p-1},
        ExactCase{Fn::Sin, 0x1.09d8822e0e9fep+0, 0x1.b926b9c9b351fp-1},
        ExactCase{Fn::Sin, 0x1.7c1df31cdd82p-3, 0x1.79f03569e9c13p-3},
        ExactCase{Fn::Cos, 0x1.3207fcc2e60abp+1, -0x1.765f38f1c47b6p-1},
        ExactCase{Fn::Cos, -0x1.14c2251d9b5dep+0, 0x1.e1a86b3aac4cap-2},
        ExactCase{Fn::Cos, -0x1.097acc9b72f6ep+0, 0x1.047eb9f833bf6p-1},
        ExactCase{Fn::Cos, -0x1.82b1a169f4633p+1, -0x1.fc48d073d6fc6p-1},
        ExactCase{Fn::Atan, 0x1.5dd22c164e9a8p+2, 0x1.63ccff2a7e92ap+0},
        ExactCase{Fn::Atan, 0x1.730b9be606e1dp+1, 0x1.3d1570e5a027ap+0},
        ExactCase{Fn::Atan, 0x1.1e13543229a2fp+1, 0x1.266b841c2e27ep+0},
        ExactCase{Fn::Atan, 0x1.ea0cf8e5b994bp+1, 0x1.50b7f4a8e2a7ap+0},
        ExactCase{Fn::SinOfSinCos, 0x1.7f5aa77fdf085p+1, 0x1.2b3da13f33586p-3},
        ExactCase{Fn::CosOfSinCos, -0x1.82b1a169f4633p+1, -0x1.fc48d073d6fc6p-1},
        ExactCase{Fn::Sin, -0x1.0ef8e96bc38d4p-1, -0x1.027f9d74bff3p-1},
        ExactCase{Fn::Sin, -0x1.023d96b02db8cp-1, -0x1.eedc1084be50ap-2},
        ExactCase{Fn::Sin, -0x1.34313cbd7a4b1p+1, -0x1.56e65ae18e57p-1},
        ExactCase{Fn::Cos, -0x1.1cd6b059bb4bap+1, -0x1.37b04dffb1cbep-1},
        ExactCase{Fn::Cos, -0x1.bd3c54d3bfeaep+0, -0x1.57443d736d7f7p-3},
        ExactCase{Fn::Cos, -0x1.b216b4067fbb8p-1, 0x1.52bed803e1d8dp-1},
        ExactCase{Fn::Atan, 0x1.65aeca1b352fdp+1, 0x1.3a25ad29c1b58p+0},
        ExactCase{Fn::Atan, 0x1.7a24fadbb1582p+2, 0x1.673407233da59p+0},
        ExactCase{Fn::Atan, -0x1.0b79511d9f39p-2, -0x1.05a0d95d3223cp-2}));

// ---- Against the C library and between themselves, on random arguments -------

enum class Range { Angles, Small, Moderate, AnyFinite };

struct RandomCase {
  Fn f;
  Range range;
};

class ElementaryRandomTest : public ::testing::TestWithParam<RandomCase> {
 protected:
  static constexpr int kCount = 1 << 20;

  static double Draw(Range r, std::mt19937_64& rng) {
    switch (r) {
      case Range::Angles: return std::uniform_real_distribution<double>(-4.0, 4.0)(rng);  // beyond +-pi
      case Range::Small: {  // every binade from 2^-60 to 1, both signs: the tiny-argument shortcuts
        const double m = std::uniform_real_distribution<double>(1.0, 2.0)(rng);
        const int e = std::uniform_int_distribution<int>(-60, -1)(rng);
        return (rng() & 1 ? -1 : 1) * std::ldexp(m, e);
      }
      case Range::Moderate: return std::uniform_real_distribution<double>(-1e4, 1e4)(rng);
      case Range::AnyFinite:
        for (;;) {
          const double x = FromBits(rng());
          if (std::isfinite(x)) return x;
        }
    }
    return 0;
  }
};

// Both are within one ulp of the true value, so they are within one ulp of
// each other; a function wired to the wrong code differs by far more.
TEST_P(ElementaryRandomTest, AgreesWithTheCLibraryWithinOneUlp) {
  const RandomCase& c = GetParam();
  std::mt19937_64 rng(0x5eed0000u + static_cast<unsigned>(c.f) * 16 + static_cast<unsigned>(c.range));
  int apart = 0;
  std::string first;
  for (int i = 0; i < kCount; ++i) {
    const double x = Draw(c.range, rng), ours = Ours(c.f, x), libc = Libc(c.f, x);
    if (UlpDistance(ours, libc) > 1) {
      if (apart++ == 0) first = Name(c.f) + ("(" + Hex(x) + ") = " + Hex(ours) + ", C library " + Hex(libc));
    }
  }
  EXPECT_EQ(apart, 0) << "first: " << first;
}

// sin and atan are odd and cos is even to the last bit, and SinCos is Sin and
// Cos: the reductions and kernels are the same code on the same numbers.
TEST_P(ElementaryRandomTest, KeepsSymmetryAndMatchesTheOtherEntryPoint) {
  const RandomCase& c = GetParam();
  std::mt19937_64 rng(0xca11u + static_cast<unsigned>(c.f) * 16 + static_cast<unsigned>(c.range));
  int broken = 0;
  std::string first;
  for (int i = 0; i < kCount / 4; ++i) {
    const double x = Draw(c.range, rng), y = Ours(c.f, x), mirrored = Ours(c.f, -x);
    const bool even = c.f == Fn::Cos || c.f == Fn::CosOfSinCos;
    double other = y;
    if (c.f == Fn::Sin) other = numeric::SinCos(x).Sin;
    if (c.f == Fn::SinOfSinCos) other = numeric::Sin(x);
    if (c.f == Fn::Cos) other = numeric::SinCos(x).Cos;
    if (c.f == Fn::CosOfSinCos) other = numeric::Cos(x);
    if (Bits(mirrored) != Bits(even ? y : -y) || Bits(other) != Bits(y)) {
      if (broken++ == 0) first = Name(c.f) + ("(" + Hex(x) + ") = " + Hex(y) + ", at -x " + Hex(mirrored) +
                                              ", other entry point " + Hex(other));
    }
  }
  EXPECT_EQ(broken, 0) << "first: " << first;
}

std::string RandomCaseName(const ::testing::TestParamInfo<RandomCase>& info) {
  const char* range[] = {"Angles", "Small", "Moderate", "AnyFinite"};
  std::string name = Name(info.param.f);
  name.erase(std::remove(name.begin(), name.end(), '.'), name.end());
  return name + "_" + range[static_cast<int>(info.param.range)];
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ElementaryRandomTest,
    ::testing::Values(RandomCase{Fn::Sin, Range::Angles}, RandomCase{Fn::Sin, Range::Small},
                      RandomCase{Fn::Sin, Range::Moderate}, RandomCase{Fn::Sin, Range::AnyFinite},
                      RandomCase{Fn::Cos, Range::Angles}, RandomCase{Fn::Cos, Range::Small},
                      RandomCase{Fn::Cos, Range::Moderate}, RandomCase{Fn::Cos, Range::AnyFinite},
                      RandomCase{Fn::SinOfSinCos, Range::Angles}, RandomCase{Fn::SinOfSinCos, Range::Small},
                      RandomCase{Fn::SinOfSinCos, Range::AnyFinite}, RandomCase{Fn::CosOfSinCos, Range::Angles},
                      RandomCase{Fn::CosOfSinCos, Range::Small}, RandomCase{Fn::CosOfSinCos, Range::AnyFinite},
                      RandomCase{Fn::Atan, Range::Angles}, RandomCase{Fn::Atan, Range::Small},
                      RandomCase{Fn::Atan, Range::Moderate}, RandomCase{Fn::Atan, Range::AnyFinite}),
    RandomCaseName);

}  // namespace
