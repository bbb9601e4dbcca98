#include "optics/LeastTime.h"

#include <cmath>

#include "optics/Faces.h"
#include "optics/Geometry.h"
#include "numeric/Elementary.h"
#include "numeric/Single.h"

namespace optics {

namespace {

// On x86-64 processors with AVX-512, library code (glibc's AVX-512 memmove
// and memset among it) can leave the upper halves of the vector registers
// "dirty"; every plain SSE instruction after that pays for merging them, and
// the walk below, SSE arithmetic around calls of sincos, ran ten times slower
// (11 us instead of 0.9 us a search) once the window's libraries had run.
// VZEROUPPER at the start of a search clears that state; it changes no value.
// It exists only on processors with AVX, hence the check at run time.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
[[gnu::target("avx")]] void clearUpperVectorState() noexcept { __builtin_ia32_vzeroupper(); }
// Initialised before main, possibly before libgcc has read the processor's
// features: hence the explicit init.
const bool kHasAvx = (__builtin_cpu_init(), __builtin_cpu_supports("avx"));
void startCleanVectorState() noexcept {
  if (kHasAvx) clearUpperVectorState();
}
#else
void startCleanVectorState() noexcept {}
#endif


// The walk has converged once the step is below this many radians. The step
// is a float, promoted exactly for the comparison; its values are
// 2deg / 2^k, none of which is anywhere near 1e-6, so comparing in float or
// double gives the same answer.
constexpr double kStepTolerance = 1e-6;

// The counter starts at 1 for the first evaluation and the walk fails once it
// exceeds this value, which leaves room for kMaxMoves further evaluations.
constexpr int kCounterCap = kMaxMoves + 1;

// Time per unit length in one medium. The path time is defined by dividing
// each leg by its speed. When the speed is a power of two (2 and 1 for this
// lens) its reciprocal is exact, and multiplying by it rounds to the very same
// double as the division: both round the same real number. The multiplication
// takes a fraction of the division's latency, and the walk is latency bound
// (each step waits for the previous comparison). Other speeds divide.
class LegTime {
 public:
  explicit LegTime(double speed) noexcept : speed_(speed), reciprocal_(ExactReciprocal(speed)) {}

  [[nodiscard]] double operator()(double length) const noexcept {
    return reciprocal_ != 0.0 ? length * reciprocal_ : length / speed_;
  }

 private:
  // 1/speed when that is exact and the product therefore equals the quotient
  // bit for bit; 0 (meaning "divide") otherwise.
  [[nodiscard]] static double ExactReciprocal(double speed) noexcept {
    if (!std::isfinite(speed) || speed == 0.0) {
      return 0.0;
    }
    int exponent = 0;
    const double mantissa = std::frexp(speed, &exponent);
    return std::fabs(mantissa) == 0.5 ? 1.0 / speed : 0.0;
  }

  double speed_;
  double reciprocal_;
};

struct SurfacePoint {
  double X;
  double Y;
};

// Points of the first face by the walk's parameter (see Face): one argument
// reduction gives both the sine and the cosine of an arc's angle.
class FirstFace {
 public:
  explicit FirstFace(const Face& f) noexcept
      : flat_(f.Flat), centre_(f.CentreX), signedRadius_(f.Facing * f.Radius), radius_(f.Radius), vertex_(f.VertexX) {}

  [[nodiscard]] SurfacePoint operator()(double u) const noexcept {
    if (flat_) return {vertex_, u};
    const numeric::SinAndCos t = numeric::SinCos(u);
    // signedRadius_ is +-radius_ exactly, as in PointOf.
    return {centre_ + signedRadius_ * t.Cos, radius_ * t.Sin};
  }

 private:
  bool flat_;
  double centre_, signedRadius_, radius_, vertex_;
};

// PathTime(S, E, P) of the walk, bit-identical to the kernel (the tests hold
// it to that) with the divisions by the speeds done as LegTime decides.
class WalkTimer {
 public:
  WalkTimer(double sx, double sy, double px, double py, const Lens& lens) noexcept
      : sx_(sx), sy_(sy), px_(px), py_(py), inAir_(lens.SpeedOutside), inGlass_(lens.SpeedInside) {}

  [[nodiscard]] double operator()(const SurfacePoint& e) const noexcept {
    return inAir_(Distance(sx_, sy_, e.X, e.Y)) + inGlass_(Distance(e.X, e.Y, px_, py_));
  }

 private:
  double sx_, sy_, px_, py_;
  LegTime inAir_, inGlass_;
};

}  // namespace

LeastTimeWalk LeastTimeSearch(double sx, double sy, double px, double py, const Lens& lens) noexcept {
  startCleanVectorState();
  const FirstFace point(lens.First);
  const WalkTimer pathTime(sx, sy, px, py, lens);

  // Lower rim from the float constants; the quotient is formed in double
  // like every intermediate value.
  const double alpha = RimParameter(lens.First, lens.HalfAperture);
  // The step lives in float: 2*pi/180 is rounded once here (0.034906585) and
  // every halving below stays in float, where it is exact. A flat face takes
  // that angle's length on an arc of the reference radius.
  float step = numeric::RoundToSingle(ParameterSpan(lens.First, 2.0 * static_cast<double>(lens.Pi) / 180.0));
  const double tolerance = ParameterSpan(lens.First, kStepTolerance);
  double theta = -alpha;

  SurfacePoint e = point(theta);
  double tCur = pathTime(e);
  double tPrev = tCur;
  int counter = 1;

  LeastTimeWalk walk;
  for (;;) {
    ++counter;
    if (std::fabs(static_cast<double>(step)) < tolerance) {
      // Converged: the last evaluated point, which caused the last reversal,
      // is returned even if its neighbour one step back was slightly better.
      walk.Moves = counter - 2;
      if (std::isfinite(tCur)) {
        walk.X = e.X;
        walk.Y = e.Y;
        walk.Time = tCur;
        walk.Converged = true;
      }
      return walk;
    }
    if (counter > kCounterCap) {
      walk.Moves = counter - 2;
      return walk;
    }
    theta += static_cast<double>(step);
    e = point(theta);
    tCur = pathTime(e);
    // Compared with the time evaluated just before, not the best seen. A tie
    // turns back too, and so does NaN (the comparison is false), which makes
    // a NaN walk shrink its step to convergence in 16 moves.
    if (!(tCur < tPrev)) {
      step = -step / 2.0f;
    }
    tPrev = tCur;
  }
}

LeastTimeResult LeastTimeEntry(double sx, double sy, double px, double py, const Lens& lens) noexcept {
  const LeastTimeWalk walk = LeastTimeSearch(sx, sy, px, py, lens);
  LeastTimeResult result;
  result.Converged = walk.Converged;
  result.Moves = walk.Moves;
  if (walk.Converged) {
    result.Point = {numeric::RoundToSingle(walk.X), numeric::RoundToSingle(walk.Y), numeric::RoundToSingle(walk.Time)};
  }
  return result;
}

}  // namespace optics
