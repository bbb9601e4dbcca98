#include "graphs/EqualTime.h"

#include "numeric/Chars.h"

#include <algorithm>
#include <cmath>

#include "graphs/Csv.h"
#include "optics/Geometry.h"

namespace graphs {
namespace {

double timeAt(const BundleRayRow& r, double x, double speedOutside) {
  return r.arrivalTime + optics::Distance(r.exitX, r.exitY, x, 0) / speedOutside;
}

}  // namespace

EqualTimeData EqualTime(const std::vector<BundleRayRow>& rows, double speedOutside, double fromX, double toX,
                        std::optional<double> chosenX) {
  EqualTimeData d;
  std::vector<int> continued;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].continuation.drawn) continued.push_back(static_cast<int>(i));
  }
  if (continued.size() < 2 || !(toX > fromX) || !(speedOutside > 0) || !std::isfinite(toX - fromX)) return d;
  d.x.reserve(kEqualTimeSamples);
  d.spread.reserve(kEqualTimeSamples);
  d.bestSpread = INFINITY;
  for (int k = 0; k < kEqualTimeSamples; ++k) {
    const double x = k == kEqualTimeSamples - 1 ? toX : fromX + (toX - fromX) * k / (kEqualTimeSamples - 1);
    double lo = INFINITY, hi = -INFINITY;
    for (const int i : continued) {
      const double t = timeAt(rows[static_cast<std::size_t>(i)], x, speedOutside);
      lo = std::min(lo, t);
      hi = std::max(hi, t);
    }
    d.x.push_back(x);
    d.spread.push_back(hi - lo);
    // The first of equal minima: the one nearest the lens.
    if (hi - lo < d.bestSpread) {
      d.bestSpread = hi - lo;
      d.bestX = x;
    }
  }
  d.chosenX = chosenX && std::isfinite(*chosenX) ? *chosenX : d.bestX;
  for (const int i : continued) d.rays.push_back({i, timeAt(rows[static_cast<std::size_t>(i)], d.chosenX, speedOutside)});
  return d;
}

std::string EqualTimeCsv(const EqualTimeData& d) {
  std::string out = "x,spread\n";
  for (std::size_t k = 0; k < d.x.size(); ++k) out += CsvNumber(d.x[k]) + "," + CsvNumber(d.spread[k]) + "\n";
  if (d.empty()) return out;
  out += "# best," + CsvNumber(d.bestX) + "," + CsvNumber(d.bestSpread) + "\n";
  out += "# chosen," + CsvNumber(d.chosenX) + "\n";
  for (const EqualTimeRay& r : d.rays) out += "ray," + std::to_string(r.index) + "," + CsvNumber(r.time) + "\n";
  return out;
}

std::string EqualTimeTitle(const EqualTimeData& data) {
  if (data.empty()) return "Equal time at the focus: continue the bundle first";
  if (!data.sourceOnAxis) {
    return "Spread of the rays' times to each point of the axis; no focus: the source is off the axis, so its rays "
           "meet at no point of it";
  }
  // fmt, not printf: the C library's decimal separator follows the locale.
  return "Spread of the rays' times to each point of the axis; least at x = " + numeric::FixedDecimal(data.bestX, 2);
}

}  // namespace graphs
