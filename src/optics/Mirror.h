#pragma once

#include <optional>
#include <span>
#include <string>

namespace optics {

// The shapes a mirror can have. Every mirror has its vertex on the axis at
// the origin and faces the source on the left: its front normal at the
// vertex is (-1, 0), an ellipse's the bisector of the directions to its foci.
enum class MirrorKind { Flat, Concave, Convex, Parabolic, Elliptical };

// A mirror as the teacher gives it, in world units.
struct MirrorDesign {
  MirrorKind Kind = MirrorKind::Flat;
  double Radius = 300;  // Concave: centre (-Radius, 0); Convex: centre (+Radius, 0)
  double Focal = 150;   // Parabolic: focus (-Focal, 0), y^2 = -4 Focal x
  // Elliptical: the two foci; the mirror is the arc of the ellipse with these
  // foci that passes through the origin. The defaults are the mirror scene's
  // start positions of the source and the target.
  double F1x = -240, F1y = 90, F2x = -240, F2y = -90;
  // Half the height the mirror covers (|y| <= Aperture). None: the default
  // aperture, or a sphere's radius when that is smaller.
  std::optional<double> Aperture;
  bool operator==(const MirrorDesign&) const = default;
};

inline constexpr double kDefaultMirrorAperture = 180;
inline constexpr double kMinMirrorAperture = 1, kMaxMirrorAperture = 400;
inline constexpr double kMinMirrorRadius = 20, kMaxMirrorRadius = 100000;
inline constexpr double kMinMirrorFocal = 5, kMaxMirrorFocal = 100000;
// How far a focus may lie from the vertex.
inline constexpr double kMaxFocusDistance = 100000;

// A point of the mirror at parameter u with the first and second derivatives
// of the position by u (world units per unit of u).
struct MirrorPoint {
  double X = 0, Y = 0;
  double Dx = 0, Dy = 0;
  double Ddx = 0, Ddy = 0;
};

// A mirror that can exist, as MakeMirror builds it. Its points run with one
// parameter u over [uMin(), uMax()], u = 0 at the vertex and y rising with u
// there: a flat mirror's and a parabola's u is the height, a sphere's the
// polar angle about its centre, an ellipse's the eccentric angle from the
// vertex's. The front normal, (-dy, dx)/|(dx, dy)|, points to the side the
// mirror reflects on.
class Mirror {
 public:
  [[nodiscard]] MirrorKind kind() const noexcept { return kind_; }
  [[nodiscard]] double uMin() const noexcept { return uMin_; }
  [[nodiscard]] double uMax() const noexcept { return uMax_; }
  [[nodiscard]] double aperture() const noexcept { return aperture_; }
  [[nodiscard]] MirrorPoint at(double u) const noexcept;
  // The unit front normal at u.
  [[nodiscard]] MirrorPoint normal(double u) const noexcept;

 private:
  friend struct MirrorMaker;
  MirrorKind kind_ = MirrorKind::Flat;
  double uMin_ = 0, uMax_ = 0, aperture_ = 0;
  double r_ = 0;  // sphere's radius, or the parabola's focal length
  // Ellipse: centre, semi-axes along e1 (towards the second focus) and e2,
  // and the vertex's eccentric angle.
  double cx_ = 0, cy_ = 0, a_ = 0, b_ = 0, e1x_ = 1, e1y_ = 0, e2x_ = 0, e2y_ = 1, t0_ = 0;
};

struct MirrorBuild {
  std::optional<Mirror> mirror;
  std::string error;  // one line, empty when mirror is set
};
[[nodiscard]] MirrorBuild MakeMirror(const MirrorDesign& design);

// The prepared mirrors of the Mirror menu, the first the flat one.
struct MirrorPreset {
  const char* key;   // as --mirror preset=KEY spells it
  MirrorDesign design;
};
[[nodiscard]] std::span<const MirrorPreset> MirrorPresets() noexcept;

}  // namespace optics
