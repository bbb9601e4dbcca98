#include "lab/Run.h"
#include "text/Language.h"

#include "lab/ActionSteps.h"

#include "graphs/Csv.h"
#include "graphs/MediumCurve.h"
#include "lab/Format.h"
#include "lab/LensText.h"
#include "lab/MediumRun.h"
#include "lab/MediumText.h"
#include "lab/MirrorText.h"
#include "optics/Faces.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <cmath>
#include "lab/Trace.h"

namespace lab {
namespace {

void showMessages(Lab& lab, const MessageOut& out) {
  while (lab.message()) {
    if (out) out(*lab.message());
    lab.dismissMessage();
  }
}

// The pieces of one line, and its end.
std::string joinedLine(std::initializer_list<std::string_view> pieces) {
  std::string out;
  for (const std::string_view p : pieces) out.append(p);
  out += '\n';
  return out;
}

}  // namespace

void RunAction(Lab& lab, const Action& a, const MessageOut& out) {
  LabInputs in(lab);
  RunActionSteps(a, in, [&] { showMessages(lab, out); });
}

std::string LabelLines(const Lab& lab) {
  std::string out;
  const auto captions = lab.captions();
  for (std::size_t i = 0; i < captions.size(); ++i) {
    out += "Label" + std::to_string(i + 1) + "\t" + captions[i] + "\n";
  }
  if (lab.medium()) return out + MediumLabelLines(lab);
  if (!lab.mirror() || !lab.results().mirrorFermat()) return out;
  const optics::StationaryResult& st = lab.results().mirrorFermat()->Stationary;
  auto degrees = [](double radians) { return Format(radians * optics::kDegreesPerRadian, "0.00") + "\u00b0"; };
  for (const optics::StationaryPoint& p : st.Points) {
    out += joinedLine({"Stationary\t", optics::StationaryKindName(p.Kind), "\tat (", Format(p.X, "0.00"), ", ",
                       Format(p.Y, "0.00"), "), time ", Format(p.Time, "0.00"), ", incidence ", degrees(p.Incidence),
                       ", reflection ", degrees(p.Reflection),
                       p.Kind == optics::StationaryKind::Constant ? ", the same along the whole mirror" : ""});
  }
  return out;
}

std::string SceneSummary(const Lab& lab) {
  if (const MirrorShape* m = lab.mirror()) return MirrorSummary(m->design, m->mirror);
  if (const MediumShape* m = lab.medium()) return MediumSummary(m->design);
  if (lab.lensDesign() == optics::LensDesign{}) return {};
  return LensSummary(lab.lensDesign(), lab.lens());
}


namespace {
std::string lensHeader(const Lab& lab) {
  if (lab.lensDesign() == optics::LensDesign{}) return {};
  return "# lens: " + LensSummary(lab.lensDesign(), lab.lens()) + "; " + LensText(lab.lensDesign()) + "\n";
}
// The files' first line in the mirror scene, "# mirror: <text>".
std::string mirrorHeader(const Lab& lab) { return "# mirror: " + MirrorText(lab.mirrorDesign()) + "\n"; }
// The mirror's line in the mirror scene, else the lens's (none for the standard lens).
std::string sceneHeader(const Lab& lab) {
  return lab.mirror() ? mirrorHeader(lab) : lab.medium() ? MediumHeader(lab) : lensHeader(lab);
}
}  // namespace

std::string StationaryFile(const Lab& lab) {
  std::string out = mirrorHeader(lab);
  if (lab.results().mirrorFermat()) out += graphs::StationaryCsv(lab.results().mirrorFermat()->Stationary);
  return out;
}

graphs::CurveData CurrentCurve(const Lab& lab) {
  if (const MediumShape* m = lab.medium()) {
    const Results::Path& p = lab.results().path();
    return graphs::MediumTravelTimeCurve({p.Source.x, p.Source.y, p.Target.x, p.Target.y, p.Entry.x, p.Entry.y},
                                         m->medium, lab.scene().YMax);
  }
  const MirrorShape* m = lab.mirror();
  if (!m) return CurrentCurve(lab.results(), lab.scene().lens());
  const Results::Path& p = lab.results().path();
  return graphs::MirrorTravelTimeCurve({p.Source.x, p.Source.y, p.Target.x, p.Target.y, p.Entry.x, p.Entry.y},
                                       m->mirror, lab.scene().SpeedOutside);
}

std::string CurveFile(const Lab& lab) {
  return sceneHeader(lab) + graphs::CurveCsv(CurrentCurve(lab));
}

std::vector<graphs::BundleRayRow> CurrentBundle(const Lab& lab) {
  if (lab.medium()) return {};  // its bundle's paths are curves: --paths writes them
  const MirrorShape* m = lab.mirror();
  if (!m) return CurrentBundle(lab.results(), lab.scene().lens());
  std::vector<graphs::BundleRayRow> rows;
  const auto& bundle = lab.results().mirrorBundle();
  if (!bundle) return rows;
  for (const core::MirrorRay& ray : bundle->Rays) {
    if (!ray.Lit) continue;
    graphs::BundleRayRow& r = rows.emplace_back();
    r.exitX = r.entryX = ray.X;
    r.exitY = r.entryY = ray.Y;
    r.arrivalTime = ray.Time;
    // The angle between the ray leaving and the front normal.
    const optics::MirrorPoint n = m->mirror.normal(ray.U);
    r.incidenceDeg = std::acos(std::clamp(ray.Dx * n.X + ray.Dy * n.Y, -1.0, 1.0)) * optics::kDegreesPerRadian;
    r.continuation = {.drawn = true, .endX = ray.Drawn.x2, .endY = ray.Drawn.y2};
    // Forwards along the reflected ray only.
    if (ray.AxisX && ray.Dy != 0 && -ray.Y / ray.Dy > 0) r.exactAxisX = ray.AxisX;
  }
  return rows;
}

std::optional<double> CurrentParaxialImage(const Lab& lab) {
  if (lab.mirror() || lab.medium()) return std::nullopt;
  return CurrentParaxialImage(lab.results(), lab.scene().lens());
}

std::string BundleFile(const Lab& lab) {
  return sceneHeader(lab) + graphs::BundleCsv(CurrentBundle(lab));
}

graphs::EqualTimeData CurrentEqualTime(const Lab& lab, std::optional<double> at) {
  const Results& r = lab.results();
  if (lab.medium()) return {};
  if (lab.mirror()) {
    // In front of the mirror, after its waves were drawn (button 5, the time bar).
    if (!r.mirrorWaves()) return {};
    graphs::EqualTimeData d =
        graphs::EqualTime(CurrentBundle(lab), lab.scene().SpeedOutside, -lab.scene().XMax, 0, at);
    d.sourceOnAxis = lab.parallelBeam() || std::abs(CentreOf(lab.controls().kyklos).y) <= graphs::kOnAxisTolerance;
    return d;
  }
  if (!r.bundleContinuation()) return {};
  const optics::Lens& lens = lab.scene().lens();
  const double from = std::max(lens.Second.VertexX, optics::RimX(lens.Second));
  graphs::EqualTimeData d = graphs::EqualTime(CurrentBundle(r, lens), lens.SpeedOutside, from, lab.scene().XMax, at);
  d.sourceOnAxis = std::abs(CentreOf(lab.controls().kyklos).y) <= graphs::kOnAxisTolerance;
  return d;
}

std::string EqualTimeFile(const Lab& lab, std::optional<double> at) {
  return sceneHeader(lab) + graphs::EqualTimeCsv(CurrentEqualTime(lab, at));
}


std::vector<std::string> ChallengeParts(const ChallengeReveal& r) {
  using text::Tr;
  const auto num = [](double v) { return text::LocalNumber(Format(v, "0.00")); };
  auto point = [&](double x, double y) { return Tr("challenge.point", {{"x", num(x)}, {"y", num(y)}}); };
  // The guess is scored by the path through the point of the face it stands
  // for, not through the marker (which may stand in the glass or the air,
  // where the label's time belongs to no path of light): the text says which.
  std::vector<std::string> parts{
      Tr("challenge.tries", {{"count", std::to_string(r.tries)}}),
      Tr("challenge.guess", {{"point", point(r.guessX, r.guessY)}, {"time", num(r.guessTime)}})};
  if (!r.found) {
    parts.push_back(Tr("challenge.notFound"));
    return parts;
  }
  parts.push_back(Tr("challenge.least", {{"time", num(r.leastTime)}, {"point", point(r.leastX, r.leastY)}}));
  parts.push_back(Tr("challenge.slower", {{"gap", num(r.timeGap)}}));
  parts.push_back(Tr("challenge.away", {{"distance", num(r.distance)}}));
  return parts;
}

std::string ChallengeText(const ChallengeReveal& r) {
  std::string out;
  for (const std::string& part : ChallengeParts(r)) {
    if (!out.empty()) out += text::Tr("challenge.separator");
    out += part;
  }
  return out;
}

std::string TraceText(const Lab& lab) {
  std::string out;
  for (const Op& op : lab.surface().log()) out += TraceLine(op) + "\n";
  return out;
}

}  // namespace lab
