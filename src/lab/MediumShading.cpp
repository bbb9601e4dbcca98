#include "lab/MediumShading.h"

#include "lab/Format.h"
#include "lab/Lab.h"

#include <algorithm>
#include <cmath>

namespace lab {
namespace {

constexpr numeric::Colour kNoIndex = numeric::Rgb(160, 160, 160);
constexpr int kLegendEntries = 5;

int mix(int a, int b, double t) { return static_cast<int>(std::lround(a + (b - a) * t)); }

}  // namespace

numeric::Colour IndexColour(double n, double low, double high) noexcept {
  const double t = high > low ? std::clamp((n - low) / (high - low), 0.0, 1.0) : 0.5;
  return numeric::Rgb(mix(240, 30, t), mix(220, 80, t), mix(170, 200, t));
}

ChallengeDrawing MediumShadingDrawing(const Lab& lab) {
  ChallengeDrawing d;
  const MediumShape* m = lab.medium();
  if (!m) return d;
  const double xm = lab.scene().XMax, ym = lab.scene().YMax;
  const double w = 2 * xm / kShadingColumns, h = 2 * ym / kShadingRows;
  // The scale runs over the indices in view.
  std::vector<double> n(kShadingColumns * kShadingRows, NAN);
  double low = INFINITY, high = -INFINITY;
  for (int j = 0; j < kShadingRows; ++j) {
    for (int i = 0; i < kShadingColumns; ++i) {
      const double x = -xm + (i + 0.5) * w, y = -ym + (j + 0.5) * h;
      if (!m->medium.defined(x, y)) continue;
      const double v = m->medium.at(x, y).n;
      n[static_cast<std::size_t>(j * kShadingColumns + i)] = v;
      low = std::min(low, v);
      high = std::max(high, v);
    }
  }
  for (int j = 0; j < kShadingRows; ++j) {
    for (int i = 0; i < kShadingColumns; ++i) {
      const double v = n[static_cast<std::size_t>(j * kShadingColumns + i)];
      d.cells.push_back({.from = {-xm + i * w, -ym + j * h},
                         .to = {-xm + (i + 1) * w, -ym + (j + 1) * h},
                         .fill = std::isnan(v) ? kNoIndex : IndexColour(v, low, high),
                         .opacity = kShadingOpacity});
    }
  }
  if (!(high >= low)) return d;
  // The legend: the greatest index on top.
  const int entries = high > low ? kLegendEntries : 1;
  for (int k = 0; k < entries; ++k) {
    const double v = entries == 1 ? low : high - (high - low) * k / (entries - 1);
    d.dots.push_back({.at = {xm - 0.2 * xm, -ym + (entries - k + 0.5) * 0.045 * 2 * ym},
                      .fill = IndexColour(v, low, high),
                      .outline = numeric::kBlack,
                      .radius = 6,
                      .outlineWidth = 1,
                      .text = "n = " + Format(v, "0.00"),
                      .textAbove = false,
                      .textInk = numeric::kBlack});
  }
  d.textDy = -5;
  return d;
}

}  // namespace lab
