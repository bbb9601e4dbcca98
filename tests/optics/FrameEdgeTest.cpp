#include "optics/FrameEdge.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace {

// {x, y, dx, dy, expected x, expected y} in the frame [-300, 300] x [-200, 200]
class FrameEdgeTest : public ::testing::TestWithParam<std::array<double, 6>> {};

TEST_P(FrameEdgeTest, LeavesAtTheNearerEdge) {
  const auto& c = GetParam();
  const optics::EdgePoint got = optics::FrameEdgePoint(c[0], c[1], c[2], c[3], 300.0, 200.0);
  EXPECT_FLOAT_EQ(got.X, c[4]);
  EXPECT_FLOAT_EQ(got.Y, c[5]);
}

INSTANTIATE_TEST_SUITE_P(Table, FrameEdgeTest,
                         ::testing::Values(std::array<double, 6>{10, 0, 1, 0, 300, 0},
                                           std::array<double, 6>{0, 0, 1, 1, 200, 200},
                                           std::array<double, 6>{0, 0, 1, -1, 200, -200},
                                           std::array<double, 6>{40, 30, 0, 0, 0, 0},  // no direction
                                           // Through the corner: the right edge's point.
                                           std::array<double, 6>{0, 0, 3, 2, 300, 200},
                                           std::array<double, 6>{10, 5, 0, -7, 10, -200},
                                           std::array<double, 6>{0, 50, -6, -1, -300, 0}));

// In every direction, from points all over the frame: the point lies on the frame's border, ahead on the
// half-line, and is the first border point the half-line meets.
TEST(FrameEdge, EveryDirectionLeavesThroughTheBorderAhead) {
  constexpr double xMax = 300, yMax = 200;
  for (double px : {-250.0, -40.0, 0.0, 120.0, 290.0}) {
    for (double py : {-190.0, -10.0, 0.0, 75.0, 199.0}) {
      for (int deg = 0; deg < 360; deg += 7) {
        const double a = deg * std::numbers::pi / 180, dx = std::cos(a), dy = std::sin(a);
        const optics::EdgePoint e = optics::FrameEdgePoint(px, py, dx, dy, xMax, yMax);
        SCOPED_TRACE(testing::Message() << "from " << px << "," << py << " at " << deg << " deg");
        const double t = std::abs(dx) > std::abs(dy) ? (e.X - px) / dx : (e.Y - py) / dy;  // distance ahead
        // The half-line meets x = +-xMax and y = +-yMax at these distances; the nearest one ahead is the exit.
        const double tx = dx > 0 ? (xMax - px) / dx : dx < 0 ? (-xMax - px) / dx : INFINITY;
        const double ty = dy > 0 ? (yMax - py) / dy : dy < 0 ? (-yMax - py) / dy : INFINITY;
        EXPECT_NEAR(t, std::min(tx, ty), 1e-3);
        EXPECT_NEAR(e.X, px + std::min(tx, ty) * dx, 1e-3);
        EXPECT_NEAR(e.Y, py + std::min(tx, ty) * dy, 1e-3);
      }
    }
  }
}

}  // namespace
