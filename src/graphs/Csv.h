#pragma once

#include "graphs/BundleRayRow.h"
#include "graphs/TravelTimeCurve.h"
#include "optics/Stationary.h"

#include <string>
#include <vector>

namespace graphs {

// The shortest decimal text that reads back as the same double, independent
// of any locale ("0.1", "-3e-07", "172.5"). Empty for a non-finite value.
[[nodiscard]] std::string CsvNumber(double v);

// "kind,theta,x,y,time", the samples as rows of kind "sample", then one row
// "least" (empty fields when the search failed) and one row "hand"; the
// last two leave theta empty. Lines end in '\n'.
[[nodiscard]] std::string CurveCsv(const CurveData& curve);

// "i,exit_x,exit_y,entry_x,entry_y,arrival_time,incidence_deg,continued,axis_x,n,exact_axis_x"
// and one row per ray; axis_x (the construction's crossing), n and
// exact_axis_x (the exact one) are empty when there is none. exact_axis_x is
// last so that readers of the earlier columns by position keep working.
[[nodiscard]] std::string BundleCsv(const std::vector<BundleRayRow>& rows);

// "x,y,time,kind,incidence_deg,reflection_deg" and one row per stationary
// point of a mirror's path, by increasing parameter along the mirror; kind is
// minimum, maximum, inflection or constant (the middle of a stretch of
// constant time). Angles in degrees from the mirror's normal.
[[nodiscard]] std::string StationaryCsv(const optics::StationaryResult& r);

}  // namespace graphs
