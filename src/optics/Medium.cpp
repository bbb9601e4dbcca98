#include "optics/Medium.h"

#include <algorithm>
#include <cmath>

#include <cstdio>

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

std::string text(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

std::string indexError(const char* what, double n) {
  return std::string(what) + " = " + text(n) + " is out of range (" + text(kMinMediumIndex) + " to " +
         text(kMaxMediumIndex) + ")";
}

}  // namespace

bool Medium::defined(double x, double y) const noexcept {
  switch (d_.Profile) {
    case MediumProfile::Fibre: return std::abs(d_.A * y) < 1;
    case MediumProfile::HalfPlane: return y > d_.Y0;
    case MediumProfile::HotRoad: return d_.N0 + d_.G * y > 0;
    case MediumProfile::Uniform:
    case MediumProfile::Luneburg:
    case MediumProfile::Layers: break;
  }
  return std::isfinite(x) && std::isfinite(y);
}

IndexAt Medium::at(double x, double y) const noexcept {
  switch (d_.Profile) {
    case MediumProfile::Uniform: return {d_.N, 0, 0};
    case MediumProfile::HotRoad: return {d_.N0 + d_.G * y, 0, d_.G};
    case MediumProfile::Fibre: {
      // n = N0 sqrt(1 - (A y)^2), dn/dy = -N0 A^2 y / sqrt(1 - (A y)^2).
      const double s = std::sqrt(std::max(0.0, 1 - (d_.A * y) * (d_.A * y)));
      return {d_.N0 * s, 0, s > 0 ? -d_.N0 * d_.A * d_.A * y / s : 0};
    }
    case MediumProfile::HalfPlane: {
      const double h = y - d_.Y0;
      return {d_.C / h, 0, -d_.C / (h * h)};
    }
    case MediumProfile::Luneburg: {
      const double q = (x * x + y * y) / (d_.R * d_.R);
      if (q >= 1) return {1, 0, 0};
      // n = sqrt(2 - q), dn/dx = -x / (R^2 n).
      const double n = std::sqrt(2 - q);
      return {n, -x / (d_.R * d_.R * n), -y / (d_.R * d_.R * n)};
    }
    case MediumProfile::Layers: {
      const auto above = std::upper_bound(d_.Y.begin(), d_.Y.end(), y);
      return {d_.Ns[static_cast<std::size_t>(above - d_.Y.begin())], 0, 0};
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
      if (!std::isfinite(d.G) || std::abs(d.G) > 1) return {std::nullopt, "g must be a number from -1 to 1"};
      break;
    case MediumProfile::Fibre:
      if (!inRange(d.N0)) return {std::nullopt, indexError("n0", d.N0)};
      if (!std::isfinite(d.A) || !(d.A > 0) || d.A > 1) return {std::nullopt, "a must be a number above 0, at most 1"};
      break;
    case MediumProfile::HalfPlane:
      if (!std::isfinite(d.C) || !(d.C > 0) || d.C > 1e6) return {std::nullopt, "c must be a number above 0, at most 1e6"};
      if (!std::isfinite(d.Y0) || std::abs(d.Y0) > 1e6) return {std::nullopt, "y0 must be a number within 1e6 of 0"};
      break;
    case MediumProfile::Luneburg:
      if (!std::isfinite(d.R) || !(d.R >= 1) || d.R > 1e5) return {std::nullopt, "r must be a number from 1 to 1e5"};
      break;
    case MediumProfile::Layers:
      if (d.Ns.size() != d.Y.size() + 1) {
        return {std::nullopt, std::to_string(d.Y.size()) + " boundaries need " + std::to_string(d.Y.size() + 1) +
                                  " indices, got " + std::to_string(d.Ns.size())};
      }
      for (const double n : d.Ns) {
        if (!inRange(n)) return {std::nullopt, indexError("n", n)};
      }
      for (std::size_t i = 0; i < d.Y.size(); ++i) {
        if (!std::isfinite(d.Y[i]) || (i > 0 && !(d.Y[i] > d.Y[i - 1]))) {
          return {std::nullopt, "the layers' heights must be numbers, rising"};
        }
      }
      break;
  }
  return {MediumMaker::make(d), {}};
}

}  // namespace optics
