// Feeds the optics kernels and the constructions built on them arbitrary
// finite doubles and traps on any result that breaks their contract: NaN or
// infinity where a number must come out, an angle beyond a quarter turn, an
// unordered crossing, a walk past its cap, a construction whose picture holds
// a non-finite number or whose per-ray data contradict each other. Address
// and undefined-behaviour sanitizers watch everything else.
//
// Input layout: one lens-selector byte (bit 0: other speeds for the walk;
// bit 1: the constructions with a teacher's lens, from five more doubles),
// then raw little-endian doubles taken eight bytes at a time from the front.
// Non-finite doubles are skipped; an exhausted input yields zeros. The
// constructions take the last seven: the source, the height, the ray count,
// the slider value and the client area's width and height.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "core/Bundle.h"
#include "core/BundleContinuation.h"
#include "core/LeastTimeRay.h"
#include "core/RayContinuation.h"
#include "optics/FrameEdge.h"
#include "optics/Geometry.h"
#include "optics/LeastTime.h"
#include "optics/Lens.h"
#include "optics/LensDesign.h"
#include "numeric/Single.h"

namespace {

// "Realistic" magnitudes: 0, or between these bounds. Squares and products of
// a few such values stay far from overflow and from the subnormal range, so
// every result must be finite and the formulas keep their accuracy. (A product
// that underflows into subnormals keeps only a few significant bits; the
// results stay finite but may miss the frame edge, say, by their whole size.)
constexpr double kLargest = 1e6;
constexpr double kSmallest = 1e-100;
// The quarter turn as the arc sine's end points return it (float pi / 2).
constexpr double kQuarterTurn = static_cast<double>(optics::kSinglePi / 2.0f);

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

class Inputs {
 public:
  Inputs(const std::uint8_t* data, std::size_t size) : provider_(data, size) {}

  std::uint8_t Byte() {
    std::uint8_t byte = 0;
    provider_.ConsumeData(&byte, 1);
    return byte;
  }

  // Next finite double of the input, or 0 once the input is used up.
  double Finite() {
    while (provider_.remaining_bytes() > 0) {
      std::uint64_t bits = 0;
      provider_.ConsumeData(&bits, sizeof bits);
      const double value = std::bit_cast<double>(bits);
      if (std::isfinite(value)) {
        return value;
      }
    }
    return 0.0;
  }

 private:
  FuzzedDataProvider provider_;
};

bool Realistic(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) {
    const double size = std::fabs(v);
    return size == 0.0 || (size >= kSmallest && size <= kLargest);
  });
}

bool IsAngle(double a) { return std::isfinite(a) && std::fabs(a) <= kQuarterTurn; }

void FuzzArcSinAndAngle(Inputs& in) {
  const double x = in.Finite();
  Check(IsAngle(optics::ArcSin(x)));
  const double ax = in.Finite(), ay = in.Finite(), bx = in.Finite(), by = in.Finite();
  Check(IsAngle(optics::SignedAngle(ax, ay, bx, by)));
}

void FuzzCircles(Inputs& in) {
  const double x1 = in.Finite(), y1 = in.Finite(), r1 = in.Finite();
  const double x2 = in.Finite(), y2 = in.Finite(), r2 = in.Finite();
  const optics::CircleCrossing c = optics::CircleIntersect(x1, y1, r1, x2, y2, r2);
  Check(c.Found == 0 || c.Found == -1);
  if (c.Found == 0) {
    Check(c.XA == 0 && c.YA == 0 && c.XB == 0 && c.YB == 0);
    return;
  }
  Check(std::isfinite(c.XA) && std::isfinite(c.YA) && std::isfinite(c.XB) && std::isfinite(c.YB));
  Check(c.YA >= c.YB);
}

void FuzzFrameEdge(Inputs& in) {
  const double x = in.Finite(), y = in.Finite(), dx = in.Finite(), dy = in.Finite();
  const double xMax = std::fabs(in.Finite()), yMax = std::fabs(in.Finite());
  const optics::EdgePoint e = optics::FrameEdgePoint(x, y, dx, dy, xMax, yMax);
  if (!Realistic({x, y, dx, dy, xMax, yMax})) {
    return;
  }
  Check(std::isfinite(e.X) && std::isfinite(e.Y));
  // From a point inside the frame the result lies on the frame (up to the
  // float rounding of the result and the slack of the corner test).
  if (std::fabs(x) <= xMax && std::fabs(y) <= yMax) {
    const double slack = 1e-6 * std::max(xMax, yMax) + 1e-30;
    Check(std::fabs(e.X) <= xMax + slack && std::fabs(e.Y) <= yMax + slack);
  }
}

float NonZero(float speed) { return speed == 0.0f ? 1.0f : speed; }

optics::Lens PickLens(std::uint8_t selector, Inputs& in) {
  optics::Lens lens = optics::Lens::Standard();
  if ((selector & 1u) != 0) {
    // Other media: any finite non-zero speeds, negative ones included (a
    // zero speed breaks the lens's invariant and is replaced by 1).
    lens.SpeedOutside = NonZero(numeric::RoundToSingle(in.Finite()));
    lens.SpeedInside = NonZero(numeric::RoundToSingle(in.Finite()));
  }
  return lens;
}

void FuzzLeastTime(const optics::Lens& lens, bool standardLens, Inputs& in) {
  const double sx = in.Finite(), sy = in.Finite(), px = in.Finite(), py = in.Finite();
  const optics::LeastTimeWalk walk = optics::LeastTimeSearch(sx, sy, px, py, lens);
  const optics::LeastTimeResult entry = optics::LeastTimeEntry(sx, sy, px, py, lens);
  Check(walk.Moves >= 0 && walk.Moves <= optics::kMaxMoves);
  Check(entry.Moves == walk.Moves && entry.Converged == walk.Converged);
  if (walk.Converged) {
    Check(std::isfinite(walk.X) && std::isfinite(walk.Y) && std::isfinite(walk.Time));
    Check(entry.Point.X == numeric::RoundToSingle(walk.X) && entry.Point.Y == numeric::RoundToSingle(walk.Y) &&
          entry.Point.Time == numeric::RoundToSingle(walk.Time));
  } else {
    Check(walk.X == 0 && walk.Y == 0 && walk.Time == 0);
    Check(entry.Point.X == 0 && entry.Point.Y == 0 && entry.Point.Time == 0);
  }
  // With the real lens and realistic positions the time is always finite,
  // so the walk can only end by converging or by the cap.
  if (standardLens && Realistic({sx, sy, px, py})) {
    Check(walk.Converged || walk.Moves == optics::kMaxMoves);
  }
}

// Every number of a picture is finite, and it leaves the drawing state as the
// program expects it: solid lines, one-pixel pen.
void CheckDrawing(const core::Drawing& d) {
  int width = 1, style = 0;
  for (const core::DrawOp& op : d.ops) {
    Check(std::isfinite(op.x1) && std::isfinite(op.y1) && std::isfinite(op.x2) && std::isfinite(op.y2) &&
          std::isfinite(op.r) && std::isfinite(op.a) && std::isfinite(op.b));
    if (op.kind == core::DrawOp::Kind::DrawWidth) width = op.value;
    if (op.kind == core::DrawOp::Kind::DrawStyle) style = op.value;
  }
  Check(width == 1 && style == 0);
}

int Within(double v, int lo, int hi) { return lo + static_cast<int>(std::fmod(std::fabs(v), hi - lo + 1)); }

// A lens a teacher may choose: the numbers from the input, each face flat
// when its number is negative zero or not finite enough to be a radius;
// one MakeLens refuses leaves the standard lens.
optics::Lens TeachersLens(bool chosen, Inputs& in) {
  if (!chosen) return optics::Lens::Standard();
  const double n = in.Finite(), r1 = in.Finite(), r2 = in.Finite(), thickness = in.Finite(), aperture = in.Finite();
  optics::LensDesign design{.N = 1.05 + std::fmod(std::fabs(n), 2.95),
                        .First = {.Flat = std::fabs(r1) < 1, .Radius = r1},
                        .Second = {.Flat = std::fabs(r2) < 1, .Radius = r2},
                        .Thickness = 2 + std::fmod(std::fabs(thickness), 398)};
  if (aperture > 0) design.Aperture = std::fmod(aperture, 400);
  const optics::LensBuild b = optics::MakeLens(design);
  return b.lens ? *b.lens : optics::Lens::Standard();
}

void FuzzConstructions(bool teachersLens, Inputs& in) {
  const optics::Lens lens = TeachersLens(teachersLens, in);
  // The source anywhere the marker can be dragged to (a realistic magnitude), the bars within their ranges
  // (few rays, to keep a run short), the frame of a plausible window.
  const double sx = in.Finite(), sy = in.Finite();
  if (!Realistic({sx, sy})) return;
  const core::SourcePoint src{static_cast<float>(sx), static_cast<float>(sy)};
  const int height = Within(in.Finite(), -99, 99), rays = Within(in.Finite(), 2, 12);
  const int slider = Within(in.Finite(), 5, 100);
  // The frame of a client area the program takes (200x150 to 16384x16384
  // pixels), made as the scene makes it: the sides in twips, then each
  // side's share of their sum.
  const float cw = static_cast<float>(Within(in.Finite(), 200, 16384) * 15.0);
  const float ch = static_cast<float>(Within(in.Finite(), 150, 16384) * 15.0);
  const double ax = cw / (cw + ch), ay = ch / (cw + ch);
  const core::Frame frame{static_cast<float>(500 * ax), static_cast<float>(500 * ay)};

  const core::FermatResult fermat = core::PositionByFermat(lens, src, height);
  CheckDrawing(fermat.drawing);
  const core::RayContinuationResult ray = core::ContinueRay(lens, src, height);
  CheckDrawing(ray.drawing);
  Check(!ray.Attempts.empty() && ray.Attempts.size() <= 3);
  Check(!(ray.Continued && (ray.TotalReflection || ray.Undeviated)));
  const core::BundleContinuationResult c = core::ContinueBundle(lens, frame, src, rays);
  const core::BundleWavelets w = core::WaveletsAt(c, lens, slider);
  CheckDrawing(core::BundleContinuationDrawing(c, w));
  Check(c.Bundle.Rays.size() == static_cast<std::size_t>(rays) + 1 && c.SecondCentre.size() == c.Bundle.Rays.size());
  for (std::size_t i = 0; i < c.Bundle.Rays.size(); ++i) {
    const core::BundleRay& r = c.Bundle.Rays[i];
    Check(!r.Continued || r.Leaves);
    Check(r.Continued || (r.Wavefront.X == 0 && r.Wavefront.Y == 0 && r.Wavefront.Time == 0 && !r.RedLineDrawn));
    Check(!c.SecondCentre[i] || r.Continued);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Inputs in(data, size);
  const std::uint8_t selector = in.Byte();
  FuzzArcSinAndAngle(in);
  FuzzCircles(in);
  FuzzFrameEdge(in);
  const optics::Lens lens = PickLens(selector, in);
  FuzzLeastTime(lens, (selector & 1u) == 0, in);
  FuzzConstructions((selector & 2u) != 0, in);
  return 0;
}
