#include "lab/Contrast.h"

#include <algorithm>
#include <cmath>

namespace lab {
namespace {

// sRGB's relative luminance (WCAG 2.1).
double luminance(numeric::Colour c) noexcept {
  const auto channel = [](unsigned v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel((c >> 16) & 0xffu) + 0.7152 * channel((c >> 8) & 0xffu) + 0.0722 * channel(c & 0xffu);
}

numeric::Colour scaled(numeric::Colour c, double f) noexcept {
  const auto ch = [f](unsigned v) { return static_cast<int>(std::lround(v * f)); };
  return numeric::Rgb(ch((c >> 16) & 0xffu), ch((c >> 8) & 0xffu), ch(c & 0xffu));
}

}  // namespace

double ContrastRatio(numeric::Colour a, numeric::Colour b) noexcept {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

numeric::Colour ContrastColour(numeric::Colour c) noexcept {
  if (ContrastRatio(c, numeric::kBackground) >= kContrastMinRatio) return c;
  // Darker by a common factor of the three channels (the hue kept), the
  // largest factor that reaches the ratio: halving the interval 40 times.
  double lo = 0, hi = 1;
  for (int i = 0; i < 40; ++i) {
    const double mid = (lo + hi) / 2;
    (ContrastRatio(scaled(c, mid), numeric::kBackground) >= kContrastMinRatio ? lo : hi) = mid;
  }
  return scaled(c, lo);
}

int ContrastPenWidth(int width, int style) noexcept {
  if (style != 0 && width <= 1) return width;
  return std::max(kContrastMinPen, width * kContrastPenScale);
}

Op ContrastOp(const Op& op) noexcept {
  Op out = op;
  if (op.kind == Op::Kind::FloodFill || op.kind == Op::Kind::Cls) return out;
  out.color = ContrastColour(op.color);
  out.width = ContrastPenWidth(op.width, op.style);
  return out;
}

}  // namespace lab
