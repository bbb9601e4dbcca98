#pragma once

#include "TestWindow.h"

#include "canvas/Canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <string>

// Readable screen sizes in failure messages.
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }

namespace scene_testing {

inline constexpr QRgb kOlive = canvas::Rgb(150, 150, 80);
inline constexpr QRgb kRed = canvas::Rgb(255, 0, 0);
inline constexpr QRgb kYellow = canvas::Rgb(255, 255, 0);

// The lens: R = 180, centres of curvature at (+-165, 0).
inline constexpr double kR = 180, kC = 165;
// Half-angle of each surface at its centre, and the float pi the arcs are built from.
inline const double kAlpha = std::atan(std::sqrt(kR * kR - kC * kC) / kC);
inline constexpr double kPiSingle = static_cast<double>(static_cast<float>(std::numbers::pi));

// Signed depth of a world point inside the lens (negative outside), in world units.
inline double LensDepth(double x, double y) {
  return std::min(kR - std::hypot(x - kC, y), kR - std::hypot(x + kC, y));
}

// The target point for height v, straight from its definition: a = asin(v / R).
struct Point {
  double x, y;
};
inline Point Target(int v) {
  const double a = std::asin(v / kR);
  return {1.01 * kR * std::cos(a) - kC, kR * std::sin(a)};
}

inline std::string SizeName(const ::testing::TestParamInfo<QSize>& info) {
  return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height());
}

// A started window of the parameter's client size, with the target bar's own
// Change handler taken off, so that moving the bar only moves it.
class StartedWindow : public ::testing::TestWithParam<QSize> {
 protected:
  void SetUp() override {
    tw = std::make_unique<testing_support::TestWindow>(GetParam());
    tw->form().thesiy.onChange({});
  }
  canvas::Canvas& canvas() { return tw->canvas(); }
  QRgb at(double x, double y) const { return tw->pixelAt(x, y); }
  std::unique_ptr<testing_support::TestWindow> tw;
};

}  // namespace scene_testing
