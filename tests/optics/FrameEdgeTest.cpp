#include "optics/FrameEdge.h"

#include <gtest/gtest.h>

#include <array>

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

}  // namespace
