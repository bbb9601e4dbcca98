#include "optics/FrameEdge.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

namespace {

using optics::FrameEdgePoint;

// A frame spanning x in [-300, 300] and y in [-200, 200].
constexpr double kXMax = 300.0;
constexpr double kYMax = 200.0;

struct EdgeCase {
  double X, Y, Dx, Dy;
  float ExpectedX, ExpectedY;
};

void PrintTo(const EdgeCase& c, std::ostream* os) {
  *os << "from(" << c.X << "," << c.Y << ")_along(" << c.Dx << "," << c.Dy << ")";
}

class FrameEdgeTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(FrameEdgeTest, LeavesTheFrameAtTheNearerEdge) {
  const EdgeCase& c = GetParam();
  const optics::EdgePoint got = FrameEdgePoint(c.X, c.Y, c.Dx, c.Dy, kXMax, kYMax);
  EXPECT_FLOAT_EQ(got.X, c.ExpectedX);
  EXPECT_FLOAT_EQ(got.Y, c.ExpectedY);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Table, FrameEdgeTest,
    ::testing::Values(
        EdgeCase{10, 0, 1, 0, 300, 0},
        // The top edge (200, 200) is nearer than the right edge's (300, 300).
        EdgeCase{0, 0, 1, 1, 200, 200}, EdgeCase{0, 0, 1, -1, 200, -200},
        EdgeCase{0, 0, -1, 1, -200, 200}, EdgeCase{0, 0, -1, -1, -200, -200},
        // Right edge nearer: (300, 100) before (600, 200).
        EdgeCase{0, 0, 3, 1, 300, 100}, EdgeCase{0, 50, -6, -1, -300, 0},
        // Through a corner both candidates tie; the vertical edge's point wins.
        EdgeCase{0, 0, 3, 2, 300, 200}, EdgeCase{0, 0, -3, -2, -300, -200},
        // Not representable in float: 200/3 rounded.
        EdgeCase{0, 0, 1, 3, 66.666664f, 200},
        // Axis-parallel directions go straight to their edge.
        EdgeCase{10, 5, 0, 1, 10, 200}, EdgeCase{10, 5, 0, -7, 10, -200},
        EdgeCase{10, 5, -2, 0, -300, 5},
        // No direction, or no sign to pick a row by.
        EdgeCase{0, 0, 0, 0, 0, 0}, EdgeCase{40, 30, 0, 0, 0, 0}, EdgeCase{40, 30, kNaN, 1, 0, 0},
        EdgeCase{40, 30, 1, kNaN, 0, 0},
        // A candidate that overflows never wins over a finite one.
        EdgeCase{0, 0, 1, 1e-320, 300, 0}, EdgeCase{0, 0, 1e-320, -1, 0, -200}));

}  // namespace
