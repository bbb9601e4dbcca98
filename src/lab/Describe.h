#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "lab/Results.h"

namespace lab {

class Lab;

// Words for whoever cannot see the picture: what it shows, made from the
// lab's own numbers, in the language in force. The page reads them out
// through a live region, the window through its accessibility interface and
// its Describe panel; fermat-lab --describe prints them. Distances are world
// units (one per pixel at the design size), times the labels' time units.

// Where the entry point stands against the least-time point, and how much
// longer its path takes ("12.0 units above the least-time point; 0.80 %
// slower"); in the mirror and medium scenes as well.
[[nodiscard]] std::string DescribeEntry(const Lab& lab);
// The last bundle: how many rays, how many totally reflected, where the
// outer and the inner rays cross the axis. Empty without a bundle.
[[nodiscard]] std::string DescribeBundle(const Lab& lab);
// The wavefront's time of the last bundle continuation. Empty without one.
[[nodiscard]] std::string DescribeWavefront(const Lab& lab);
// The mirror's stationary paths with their kinds, or the medium's paths.
// Empty without "position by Fermat" in those scenes.
[[nodiscard]] std::string DescribeStationary(const Lab& lab);
// The whole scene in one paragraph: what stands where, then every sentence
// above that has something to say.
[[nodiscard]] std::string DescribePicture(const Lab& lab);

// What the last complete actions changed, once: each call gives the
// sentences of what changed since the one before (the constructions' kinds
// the lab's results count), empty when nothing did or while an action is
// still going on (a marker or a thumb held, Play sweeping).
class ChangeDescriber {
 public:
  [[nodiscard]] std::string next(const Lab& lab);

 private:
  std::array<std::uint64_t, Results::kChangeKinds> seen_{};
};

}  // namespace lab
