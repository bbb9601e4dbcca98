#include "graphs/Csv.h"

#include <charconv>
#include <cmath>

namespace graphs {
namespace {

void append(std::string& out, double v) {
  out += CsvNumber(v);
}

void appendRow(std::string& out, const char* kind, const std::string& theta, const TimedPoint& p) {
  out += kind;
  out += ',' + theta + ',';
  append(out, p.x);
  out += ',';
  append(out, p.y);
  out += ',';
  append(out, p.time);
  out += '\n';
}

}  // namespace

std::string CsvNumber(double v) {
  if (!std::isfinite(v)) return {};
  char buf[32];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  return ec == std::errc{} ? std::string(buf, end) : std::string{};
}

std::string CurveCsv(const CurveData& curve) {
  std::string out = "kind,theta,x,y,time\n";
  for (const CurveSample& s : curve.samples) appendRow(out, "sample", CsvNumber(s.theta), {s.x, s.y, s.time});
  if (curve.least) {
    appendRow(out, "least", {}, *curve.least);
  } else {
    out += "least,,,,\n";
  }
  appendRow(out, "hand", {}, curve.hand);
  return out;
}

std::string BundleCsv(const std::vector<BundleRayRow>& rows) {
  std::string out = "i,exit_x,exit_y,entry_x,entry_y,arrival_time,incidence_deg,continued,axis_x,n\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const BundleRayRow& r = rows[i];
    out += std::to_string(i);
    for (const double v : {r.exitX, r.exitY, r.entryX, r.entryY, r.arrivalTime, r.incidenceDeg}) {
      out += ',';
      append(out, v);
    }
    out += r.continuation.drawn ? ",1," : ",0,";
    if (const std::optional<double> x = AxisCrossing(r)) append(out, *x);
    out += ',';
    if (r.continuation.ratio) append(out, *r.continuation.ratio);
    out += '\n';
  }
  return out;
}

}  // namespace graphs
