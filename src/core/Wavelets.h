#pragma once

#include "optics/Geometry.h"
#include "optics/Lens.h"

namespace core {

// The two neighbours of a point P = (x, y) of the second face, delta degrees
// of polar angle about its centre above (A) and below (B) it; on a flat face
// that angle's length on an arc of the reference radius.
struct Neighbours {
  double ax = 0, ay = 0, bx = 0, by = 0;
};
[[nodiscard]] Neighbours NeighbourPoints(double x, double y, double deltaDegrees, const optics::Lens& lens) noexcept;

// Secondary wavelets about P, A and B at the common instant tRef + 2, where
// tRef is P's arrival or, if later, A's or else B's; and the point M of the
// refracted wavefront taken from the outer crossings of P's circle with A's
// (Q1) and with B's (Q2). "Outer" means farther from the reference point.
//
// M is the midpoint of Q1 and Q2 when both pairs of circles cross. When only
// one pair crosses (near the critical angle, where the radii differ by more
// than the centres' distance), that side's outer crossing alone stands for the
// wavefront point; when neither does, there is no M.
//
// M is left in double precision: the single-ray continuation works with it as
// it is, the bundle continuation rounds it to Single itself. On a flat face
// (flatFace) P and its neighbours stand on one vertical; their circles are
// then crossed with the axes exchanged, the only way the kernel can.
struct WaveletCrossing {
  float tRef = 0;
  float tauP = 0, tauA = 0, tauB = 0;  // times the wavelets have spread
  float rP = 0, rA = 0, rB = 0;        // their radii
  optics::CircleCrossing c1, c2;
  bool hasM = false;
  double mx = 0, my = 0;
};
[[nodiscard]] WaveletCrossing CrossWavelets(double x, double y, float tP, float tA, float tB, const Neighbours& nb,
                                            float speedOutside, double refX, double refY,
                                            bool flatFace = false) noexcept;

// Ratio of sines sin(refraction) / sin(incidence) checked against vo / vi.
[[nodiscard]] bool RatioPasses(double n, const optics::Lens& lens) noexcept;

// The second face's parameter of (x, y): its polar angle about the face's
// centre (about (-c, 0) for the standard lens), or its height on a flat face.
[[nodiscard]] double PolarAngle(double x, double y, const optics::Lens& lens) noexcept;

}  // namespace core
