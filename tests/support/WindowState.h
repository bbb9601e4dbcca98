#pragma once

#include "TestWindow.h"

#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace testing_support {

// What a complete action defines: labels, marker positions, bar values, the
// canvas operations since the last Cls, the picture, every message box so far.
struct State {
  std::vector<QString> labels;
  std::vector<float> markers;
  std::vector<int> bars;
  std::vector<std::string> ops;
  QImage picture;
  std::vector<QString> messages;
};

[[nodiscard]] State stateOf(TestWindow& t);

// The first thing that differs, empty when nothing does.
[[nodiscard]] std::string difference(const State& a, const State& b);

}  // namespace testing_support
