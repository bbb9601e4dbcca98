#include "optics/Medium.h"

#include <algorithm>
#include <cmath>

#include <string>
#include <system_error>

#include "numeric/Chars.h"

#include "text/Language.h"

namespace optics {

struct MediumMaker {
  static Medium make(const MediumDesign& d) {
    Medium m;
    m.d_ = d;
    return m;
  }
};

namespace {

bool inRange(double n) { return std::isfinite(n) && n >= kMinMediumIndex && n <= kMaxMediumIndex; }

// The shortest digits that read back as v, with a point whatever the
// locale (fmt and numeric::FromChars never read it): "0.05", not
// "0.050000000000000003". Only a refusal's text comes through here.
std::string text(double v) {
  const auto readsBack = [v](const std::string& t) {
    double back = 0;
    const auto r = numeric::FromChars(t.data(), t.data() + t.size(), back);
    return r.ec == std::errc{} && r.ptr == t.data() + t.size() && back == v;
  };
  // Plain decimals for the sizes a medium's numbers have, the fewest that
  // read back; anything else in full.
  if (std::isfinite(v) && (v == 0 || (std::abs(v) >= 1e-4 && std::abs(v) < 1e15))) {
    for (int decimals = 0; decimals <= 17; ++decimals) {
      if (std::string t = numeric::FixedDecimal(v, decimals); readsBack(t)) return t;
    }
  }
  return numeric::GeneralDecimal(v, 17);
}

std::string indexError(const char* what, double n) {
  return text::Tr("refusal.medium.index",
                  {{"what", what}, {"value", text(n)}, {"low", text(kMinMediumIndex)}, {"high", text(kMaxMediumIndex)}});
}

}  // namespace

bool Medium::defined(double x, double y) const noexcept {
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  switch (d_.Profile) {
    case MediumProfile::Fibre:
      if (!(std::abs(d_.A * y) < 1)) return false;
      break;
    case MediumProfile::HalfPlane:
      if (!(y > d_.Y0)) return false;
      break;
    case MediumProfile::HotRoad:
    case MediumProfile::Uniform:
    case MediumProfile::Luneburg:
    case MediumProfile::Layers: break;
  }
  // Where the index leaves the range a medium may have (the hot road's
  // index falling to zero, the half plane's rising without bound at y0), the
  // medium ends: no path is sought there.
  return inRange(at(x, y).n);
}

IndexAt Medium::at(double x, double y) const noexcept {
  switch (d_.Profile) {
    case MediumProfile::Uniform: return {.n = d_.N};
    case MediumProfile::HotRoad: return {.n = d_.N0 + d_.G * y, .dy = d_.G};
    case MediumProfile::Fibre: {
      // n = N0 s with s = sqrt(1 - (A y)^2): dn/dy = -N0 A^2 y / s,
      // d2n/dy2 = -N0 A^2 / s^3.
      const double s = std::sqrt(std::max(0.0, 1 - (d_.A * y) * (d_.A * y)));
      if (!(s > 0)) return {0, 0, 0};
      const double a2 = d_.A * d_.A;
      return {.n = d_.N0 * s, .dy = -d_.N0 * a2 * y / s, .yy = -d_.N0 * a2 / (s * s * s)};
    }
    case MediumProfile::HalfPlane: {
      const double h = y - d_.Y0;
      return {.n = d_.C / h, .dy = -d_.C / (h * h), .yy = 2 * d_.C / (h * h * h)};
    }
    case MediumProfile::Luneburg: {
      const double r2 = d_.R * d_.R;
      const double q = (x * x + y * y) / r2;
      if (q >= 1) return {};
      // n = sqrt(2 - q): dn/dx = -x / (R^2 n),
      // d2n/dx2 = -1 / (R^2 n) - x^2 / (R^4 n^3), d2n/dxdy = -x y / (R^4 n^3).
      const double n = std::sqrt(2 - q);
      const double a = 1 / (r2 * n), b = 1 / (r2 * r2 * n * n * n);
      return {.n = n, .dx = -x * a, .dy = -y * a, .xx = -a - x * x * b, .xy = -x * y * b, .yy = -a - y * y * b};
    }
    case MediumProfile::Layers: {
      const auto above = std::upper_bound(d_.Y.begin(), d_.Y.end(), y);
      return {.n = d_.Ns[static_cast<std::size_t>(above - d_.Y.begin())]};
    }
  }
  return {};
}

MediumBuild MakeMedium(const MediumDesign& d) {
  switch (d.Profile) {
    case MediumProfile::Uniform:
      if (!inRange(d.N)) return {std::nullopt, indexError("n", d.N)};
      break;
    case MediumProfile::HotRoad:
      if (!inRange(d.N0)) return {std::nullopt, indexError("n0", d.N0)};
      if (!std::isfinite(d.G) || std::abs(d.G) > 1) return {std::nullopt, text::Tr("refusal.medium.g")};
      break;
    case MediumProfile::Fibre:
      if (!inRange(d.N0)) return {std::nullopt, indexError("n0", d.N0)};
      if (!std::isfinite(d.A) || !(d.A > 0) || d.A > 1) return {std::nullopt, text::Tr("refusal.medium.a")};
      break;
    case MediumProfile::HalfPlane:
      if (!std::isfinite(d.C) || !(d.C > 0) || d.C > 1e6) return {std::nullopt, text::Tr("refusal.medium.c")};
      if (!std::isfinite(d.Y0) || std::abs(d.Y0) > 1e6) return {std::nullopt, text::Tr("refusal.medium.y0")};
      break;
    case MediumProfile::Luneburg:
      if (!std::isfinite(d.R) || !(d.R >= 1) || d.R > 1e5) return {std::nullopt, text::Tr("refusal.medium.r")};
      break;
    case MediumProfile::Layers:
      if (d.Ns.size() != d.Y.size() + 1) {
        return {std::nullopt, text::TrCount("refusal.medium.layers", d.Y.size(),
                                            {{"indices", std::to_string(d.Y.size() + 1)},
                                             {"given", std::to_string(d.Ns.size())}})};
      }
      for (const double n : d.Ns) {
        if (!inRange(n)) return {std::nullopt, indexError("n", n)};
      }
      for (std::size_t i = 0; i < d.Y.size(); ++i) {
        if (!std::isfinite(d.Y[i]) || (i > 0 && !(d.Y[i] > d.Y[i - 1]))) {
          return {std::nullopt, text::Tr("refusal.medium.heights")};
        }
      }
      break;
  }
  return {MediumMaker::make(d), {}};
}

}  // namespace optics
