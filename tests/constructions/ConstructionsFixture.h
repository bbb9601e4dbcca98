#pragma once

#include "TestWindow.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace constructions_test {

using Kind = canvas::CanvasOp::Kind;
using Op = canvas::CanvasOp;
inline constexpr QRgb kRed = canvas::Rgb(255, 0, 0);

// Lens of the scene in world units: first surface about (+c, 0), second about (-c, 0).
inline constexpr double kC = 165, kR = 180;
inline const double kRimAngle = std::atan(std::sqrt(kR * kR - kC * kC) / kC);

struct Pt {
  double x = 0, y = 0;
};

// Exit point i of a bundle of n + 1 rays, evenly spaced strictly inside the rims.
inline Pt bundleExit(int i, int n) {
  const double d = 2 * kRimAngle / (n + 2);
  const double a = -kRimAngle + (i + 1) * d;
  return {kR * std::cos(a) - kC, kR * std::sin(a)};
}

// Least-time entry found independently of the program: a fine scan of the
// first surface's circle, refined by golden-section search. Speeds 2 in air, 1 in glass.
struct Path {
  Pt entry;
  double time = 0;
};
inline Path leastTime(Pt s, Pt p) {
  auto at = [&](double th) {
    const double ex = kC - kR * std::cos(th), ey = kR * std::sin(th);
    return std::hypot(ex - s.x, ey - s.y) / 2 + std::hypot(p.x - ex, p.y - ey);
  };
  double best = -1.2;
  for (double th = -1.2; th <= 1.2; th += 1e-3) best = at(th) < at(best) ? th : best;
  double lo = best - 1e-3, hi = best + 1e-3;
  const double g = (std::sqrt(5.0) - 1) / 2;
  while (hi - lo > 1e-12) {
    const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
    if (at(a) < at(b)) {
      hi = b;
    } else {
      lo = a;
    }
  }
  const double th = (lo + hi) / 2;
  return {{kC - kR * std::cos(th), kR * std::sin(th)}, at(th)};
}

// Angle (radians, 0 to pi/2) between the ray inside the glass (entry -> p)
// and the normal of the second surface at p. Only its sine matters to the
// program, so an obtuse angle counts as its supplement.
inline double incidence(Pt entry, Pt p) {
  const double ax = p.x - entry.x, ay = p.y - entry.y, nx = p.x + kC, ny = p.y;
  const double a = std::abs(std::atan2(ax * ny - ay * nx, ax * nx + ay * ny));
  return std::min(a, std::numbers::pi - a);
}
// Angle between a direction (dx, dy) and that normal at p.
inline double fromNormal(Pt p, double dx, double dy) { return incidence({p.x - dx, p.y - dy}, p); }

inline const double kCritical = std::numbers::pi / 6;
inline constexpr double kDeg = 180 / std::numbers::pi;

inline bool near(double x1, double y1, Pt p, double tol = 1e-3) {
  return std::abs(x1 - p.x) < tol && std::abs(y1 - p.y) < tol;
}

// The angles (degrees) of a caption "incidence =I refraction =R" or
// "incidence =I"; NaN where a part is missing or malformed.
struct Angles {
  double incidence = std::nan(""), refraction = std::nan("");
};
inline Angles anglesOf(const QString& caption) {
  static const QRegularExpression re(QStringLiteral("^incidence =(\\d+\\.\\d\\d)(?: refraction =(\\d+\\.\\d\\d))?$"));
  const auto m = re.match(caption);
  Angles a;
  if (!m.hasMatch()) return a;
  a.incidence = m.captured(1).toDouble();
  if (m.hasCaptured(2)) a.refraction = m.captured(2).toDouble();
  return a;
}

// Test names from the cases' own names.
struct ByName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return info.param.name;
  }
};

// A started window; every test ends with a check that the canvas refused
// nothing and logged only finite numbers.
class WindowTest : public ::testing::Test {
 protected:
  testing_support::TestWindow t;

  Pt placeSource(float x, float y) {
    t.dragSource(x, y);
    t.canvas().clearLog();
    t.messages.clear();
    const scene::ShapeCentre c = scene::CentreOf(t.form().kyklos);
    return {c.x, c.y};
  }
  const std::vector<Op>& log() const { return t.window->form().canvas.log(); }
  std::vector<Op> linesOf(QRgb colour) const {
    std::vector<Op> out;
    for (const Op& op : t.ops(Kind::Line))
      if (op.color == colour) out.push_back(op);
    return out;
  }

  void TearDown() override {
    EXPECT_EQ(t.canvas().refusedOperations(), 0);
    for (const Op& op : log()) {
      for (double v : {op.x1, op.y1, op.x2, op.y2, op.r, op.start, op.end}) {
        ASSERT_TRUE(std::isfinite(v)) << "operation of kind " << int(op.kind);
      }
    }
  }
};

}  // namespace constructions_test
