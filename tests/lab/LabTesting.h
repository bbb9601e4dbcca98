#pragma once

// What the lab's suites share: a started lab, whole drags, the operations
// since the last Cls, and the state a user sees as text.
#include "lab/Lab.h"
#include "lab/Script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace lab_testing {

using lab::BarId;
using lab::Marker;
using lab::Op;

// A lab as the program starts it: the default client area, the scene built,
// every drawing operation logged.
class StartedLab : public lab::Lab {
 public:
  explicit StartedLab(lab::Size client = {1280, 800}) : lab::Lab(client) {
    setLogging(true);
    buildScene();
  }
};

inline lab::ShapeCentre centre(const lab::Lab& l, Marker m) { return lab::CentreOf(l.controls().marker(m)); }

inline int keyOf(const char* text) {
  const std::optional<int> k = lab::ParseKey(text);
  EXPECT_TRUE(k.has_value()) << text;
  return k.value_or(0);
}

// A whole drag of a marker as a hand makes it: pressed at its centre, moved
// half way with the loop idle (a live redraw), moved on, released there.
inline void drag(lab::Lab& l, Marker m, float x, float y) {
  const lab::ShapeCentre c = centre(l, m);
  l.pointerDown(c.x, c.y);
  l.pointerMove(c.x + (x - c.x) / 2, c.y + (y - c.y) / 2);
  l.idle();
  l.pointerMove(x, y);
  l.idle();
  l.pointerUp(x, y);
}

// The operations from the last Cls on (all of them before the first Cls).
inline std::vector<Op> sinceLastCls(const lab::Lab& l) {
  const std::vector<Op>& log = l.surface().log();
  const auto cls = std::find_if(log.rbegin(), log.rend(), [](const Op& op) { return op.kind == Op::Kind::Cls; });
  return {cls == log.rend() ? log.begin() : std::prev(cls.base()), log.end()};
}

inline ::testing::AssertionResult sameOps(const std::vector<Op>& got, const std::vector<Op>& expected) {
  if (got == expected) return ::testing::AssertionSuccess();
  std::size_t i = 0;
  while (i < got.size() && i < expected.size() && got[i] == expected[i]) ++i;
  return ::testing::AssertionFailure() << got.size() << " operations against " << expected.size()
                                       << ", first difference at " << i;
}

inline std::string number(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.9g", v);
  return buf;
}

// What a user sees and the graphs read, as text, so that a difference shows
// itself: the captions, the markers, the bars and what the results hold.
inline std::string stateText(const lab::Lab& l) {
  std::string s;
  for (const std::string& c : l.captions()) s += "caption " + c + "\n";
  for (const Marker m : {Marker::Source, Marker::Entry}) {
    const lab::ShapeCentre c = centre(l, m);
    s += (m == Marker::Source ? "source " : "entry ") + number(c.x) + "," + number(c.y) + "\n";
  }
  for (const BarId b : {BarId::Height, BarId::Rays, BarId::Time}) {
    s += "bar " + std::to_string(l.controls().bar(b).value) + "\n";
  }
  const lab::Results& r = l.results();
  const lab::Results::Path& p = r.path();
  s += "path " + number(p.Source.x) + "," + number(p.Source.y) + " " + number(p.Entry.x) + "," + number(p.Entry.y) +
       " " + number(p.Target.x) + "," + number(p.Target.y) + " time " + (p.Time ? number(*p.Time) : "none") + "\n";
  s += "fermat " + std::string(r.fermat() ? (r.fermat()->Found ? "found" : "not found") : "none") + "\n";
  s += "bundle " + (r.bundle() ? std::to_string(r.bundle()->N) : "none") + "\n";
  s += "wavelets " + std::string(r.wavelets() ? "yes" : "none") + "\n";
  s += "ray " + std::string(r.rayContinuation() ? "yes" : "none") + "\n";
  s += "continuation " + (r.bundleContinuation() ? std::to_string(r.bundleContinuation()->Bundle.N) : "none") + "\n";
  s += "continuation at " + (r.bundleWavelets() ? std::to_string(r.bundleWavelets()->Slider) : "none") + "\n";
  return s;
}

}  // namespace lab_testing
