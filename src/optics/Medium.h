#pragma once

#include <optional>
#include <string>
#include <vector>

namespace optics {

// A medium whose index of refraction changes from place to place, n(x, y):
// light runs at speed c / n, so a path's time is the integral of n along it
// (in units where c = 1). Each profile gives n and its gradient in closed
// form, so the least-time search can take exact derivatives.
enum class MediumProfile {
  Uniform,    // n = N
  HotRoad,    // n = N0 + G y (a hot road: G > 0; a cold sea: G < 0)
  Fibre,      // n^2 = N0^2 (1 - (A y)^2), a graded-index fibre about the axis
  HalfPlane,  // n = C / (y - Y0) above y = Y0: least-time paths are circle arcs centred on y = Y0
  Luneburg,   // n = sqrt(2 - (r / R)^2) inside the disc r < R about the origin, 1 outside
  Layers,     // constant index N_i between the heights Y_i (rising), N_0 below Y_1
};

struct MediumDesign {
  MediumProfile Profile = MediumProfile::Uniform;
  double N = 1;                // Uniform
  double N0 = 1.5, G = 0.001;  // HotRoad (N0, G); Fibre (N0 and A)
  double A = 0.005;
  double C = 300, Y0 = -300;   // HalfPlane
  double R = 150;              // Luneburg
  std::vector<double> Y;       // Layers: the boundaries, rising
  std::vector<double> Ns;      // Layers: Y.size() + 1 indices, bottom first
  bool operator==(const MediumDesign&) const = default;
};

// The index at a point, its gradient (dn/dx, dn/dy) and its second
// derivatives (xx, xy, yy), which give the least-time search its exact
// Hessian; a layered medium's derivatives are zero inside each layer (the
// jumps are its boundaries').
struct IndexAt {
  double n = 1, dx = 0, dy = 0;
  double xx = 0, xy = 0, yy = 0;
};

// A medium that can exist, as MakeMedium builds it: its index is finite and
// at least kMinMediumIndex wherever it is defined. Where a profile has no
// index (the fibre beyond |y| = 1/A, the half plane below y0) `defined`
// says so.
class Medium {
 public:
  [[nodiscard]] const MediumDesign& design() const noexcept { return d_; }
  [[nodiscard]] bool defined(double x, double y) const noexcept;
  [[nodiscard]] IndexAt at(double x, double y) const noexcept;

 private:
  friend struct MediumMaker;
  MediumDesign d_;
};

inline constexpr double kMinMediumIndex = 0.05, kMaxMediumIndex = 10;

struct MediumBuild {
  std::optional<Medium> medium;
  std::string error;  // one line, empty when medium is set
};
[[nodiscard]] MediumBuild MakeMedium(const MediumDesign& design);

}  // namespace optics
