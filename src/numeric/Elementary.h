#pragma once

// The elementary functions of every computation in the program: sin, cos and
// atan of a double, in radians.
//
// Why not std::sin and friends: the C libraries round them differently in the
// last bit on a few per cent of arguments (glibc natively, musl in the browser
// build), and one ulp of an angle moves printed values and can flip a
// comparison of two path times in the least-time walk. These call one
// implementation, musl's, compiled into the program from the same sources and
// with the same floating-point flags in every build (src/libm), so the native
// and the browser programs compute the same bits. Accuracy is musl's: within
// one ulp of the true value (not always correctly rounded).
//
// sqrt, fabs, floor, nearbyint and the like are exact in IEEE arithmetic and
// agree everywhere; they stay std::.

extern "C" {
// fermat_libm (musl's sin.c, cos.c, sincos.c, atan.c under names of ours).
double fermat_libm_sin(double x);
double fermat_libm_cos(double x);
void fermat_libm_sincos(double x, double* sin, double* cos);
double fermat_libm_atan(double x);
}

namespace numeric {

// sin x. Odd: Sin(-0) is -0; NaN for +-inf and NaN.
[[nodiscard]] inline double Sin(double x) noexcept { return fermat_libm_sin(x); }

// cos x. Cos(+-0) is 1; NaN for +-inf and NaN.
[[nodiscard]] inline double Cos(double x) noexcept { return fermat_libm_cos(x); }

struct SinAndCos {
  double Sin;
  double Cos;
};

// sin x and cos x with one argument reduction: bit for bit Sin(x) and Cos(x)
// (the same kernels on the same reduced argument), at about the cost of one.
[[nodiscard]] inline SinAndCos SinCos(double x) noexcept {
  SinAndCos r;
  fermat_libm_sincos(x, &r.Sin, &r.Cos);
  return r;
}

// atan x in [-pi/2, pi/2]. Odd; +-pi/2 (rounded) for +-inf; NaN stays NaN.
[[nodiscard]] inline double Atan(double x) noexcept { return fermat_libm_atan(x); }

// A float argument would have chosen sinf, cosf or atanf from <cmath>, a
// different function; these take doubles only, so such a call must convert
// where it is written.
double Sin(float) = delete;
double Cos(float) = delete;
SinAndCos SinCos(float) = delete;
double Atan(float) = delete;

}  // namespace numeric
