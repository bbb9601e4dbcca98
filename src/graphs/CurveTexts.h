#pragma once

#include "graphs/TravelTimeCurve.h"
#include "optics/Stationary.h"

#include <string>

namespace graphs {

// The words of the travel-time graph, which the window's chart and the
// page's graph both show (one table, as CrossingTexts is for the crossings).
struct CurveGraphTexts {
  const char* least;    // the least-time point's legend
  const char* through;  // the line of the time through the entry marker
  const char* height;   // the height axis: where E lies on the first face
  const char* title;        // the window's chart title, for the lens
  const char* mirrorTitle;  // and for a mirror
  const char* mediumTitle;  // and for a graded medium
};
// The chart's title for the curve it shows.
[[nodiscard]] const char* CurveTitle(const CurveData& d);
[[nodiscard]] const CurveGraphTexts& CurveTexts();

// The least-time point in words: "least time 12.34 at height 5.67"; when the
// search found none, that it found none; empty without a curve.
[[nodiscard]] std::string LeastTimeLine(const CurveData& d);

// A kind of stationary point in words of the language in force ("minimum";
// "Wendepunkt" in German): the legend's and the mirror's explanation's word.
// optics::StationaryKindName stays the kind's name in files and CSV.
[[nodiscard]] std::string StationaryKindWord(optics::StationaryKind kind);

}  // namespace graphs
