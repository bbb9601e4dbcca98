#include "graphs/Csv.h"

#include "numeric/Chars.h"

#include <charconv>
#include <cmath>

namespace graphs {
namespace {

// Appends the shortest round-trip text of v, nothing for a non-finite value.
void append(std::string& out, double v) {
  if (!std::isfinite(v)) return;
  char buf[32];
  const auto [end, ec] = numeric::ToChars(buf, buf + sizeof buf, v);
  if (ec == std::errc{}) out.append(buf, end);
}

// theta is NaN for the rows that have none.
void appendRow(std::string& out, const char* kind, double theta, const TimedPoint& p) {
  out += kind;
  out += ',';
  append(out, theta);
  out += ',';
  append(out, p.x);
  out += ',';
  append(out, p.y);
  out += ',';
  append(out, p.time);
  out += '\n';
}

}  // namespace

std::string CsvNumber(double v) {
  std::string out;
  append(out, v);
  return out;
}

std::string CurveCsv(const CurveData& curve) {
  std::string out = "kind,theta,x,y,time\n";
  out.reserve(out.size() + (curve.samples.size() + 2) * 96);  // a row is at most about 90 characters
  for (const CurveSample& s : curve.samples) appendRow(out, "sample", s.theta, {s.x, s.y, s.time});
  if (curve.least) {
    appendRow(out, "least", NAN, *curve.least);
  } else {
    out += "least,,,,\n";
  }
  appendRow(out, "hand", NAN, curve.hand);
  // Along a mirror, every stationary point by its kind.
  for (const StationaryMark& m : curve.stationary) {
    appendRow(out, optics::StationaryKindName(m.kind), NAN, {m.x, m.y, m.time});
  }
  return out;
}

std::string BundleCsv(const std::vector<BundleRayRow>& rows) {
  std::string out = "i,exit_x,exit_y,entry_x,entry_y,arrival_time,incidence_deg,continued,axis_x,n,exact_axis_x\n";
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
    out += ',';
    if (r.exactAxisX) append(out, *r.exactAxisX);
    out += '\n';
  }
  return out;
}

std::string StationaryCsv(const optics::StationaryResult& r) {
  std::string out = "x,y,time,kind,incidence_deg,reflection_deg\n";
  for (const optics::StationaryPoint& p : r.Points) {
    for (const double v : {p.X, p.Y, p.Time}) {
      append(out, v);
      out += ',';
    }
    out += optics::StationaryKindName(p.Kind);
    for (const double v : {p.Incidence, p.Reflection}) {
      out += ',';
      append(out, v * optics::kDegreesPerRadian);
    }
    out += '\n';
  }
  return out;
}

}  // namespace graphs
