#include "lab/Run.h"

#include "graphs/Csv.h"
#include "lab/Format.h"
#include "lab/LensText.h"
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

void drag(Lab& lab, Marker marker, float x, float y, const MessageOut& out) {
  const ShapeCentre c = CentreOf(lab.controls().marker(marker));
  lab.pointerDown(c.x, c.y);
  lab.pointerMove(x, y);
  lab.pointerUp(x, y);
  showMessages(lab, out);
}

// Moves the thumb to the value in a few even steps (the loop idle between
// moves) and releases it there.
void dragThumb(Lab& lab, BarId bar, int value, const MessageOut& out) {
  int at = lab.controls().bar(bar).value;
  for (const int next : ThumbPath(at, value)) {
    // A thumb put where it already stands does not move.
    if (next != at) lab.thumbMoved(bar, next);
    at = next;
    lab.settle();
    showMessages(lab, out);
  }
  lab.thumbReleased(bar, at);
  showMessages(lab, out);
}

}  // namespace

std::vector<int> ThumbPath(int from, int to) {
  constexpr int kMoves = 3;
  std::vector<int> path;
  for (int i = 1; i <= kMoves && from != to; ++i) path.push_back(from + (to - from) * i / kMoves);
  return path;
}

void RunAction(Lab& lab, const Action& a, const MessageOut& out) {
  using K = Action::Kind;
  switch (a.kind) {
    case K::Source: drag(lab, Marker::Source, a.x, a.y, out); break;
    case K::Entry: drag(lab, Marker::Entry, a.x, a.y, out); break;
    case K::Height: lab.setBar(BarId::Height, a.value); break;
    case K::Rays: lab.setBar(BarId::Rays, a.value); break;
    case K::Time: lab.setBar(BarId::Time, a.value); break;
    case K::MouseDown: lab.pointerDown(a.x, a.y); break;
    case K::MouseMove: lab.pointerMove(a.x, a.y); break;
    case K::MouseUp: lab.pointerUp(a.x, a.y); break;
    case K::DragHeight: dragThumb(lab, BarId::Height, a.value, out); break;
    case K::DragRays: dragThumb(lab, BarId::Rays, a.value, out); break;
    case K::DragTime: dragThumb(lab, BarId::Time, a.value, out); break;
    case K::Key: lab.key(a.value); break;
    case K::Play: lab.playToEnd(); break;
    case K::Reset: lab.reset(); break;
    case K::Lens: (void)lab.setLens(a.lens); break;
    case K::Active: lab.setActiveMarker(a.value == 1 ? Marker::Entry : Marker::Source); break;  // refused only while a message is open, and none is
    case K::Press: lab.click(a.value); break;
  }
  showMessages(lab, out);
  // No event loop runs between scripted actions: do what it would do now.
  lab.settle();
  showMessages(lab, out);
}

std::string LabelLines(const Lab& lab) {
  std::string out;
  const auto captions = lab.captions();
  for (std::size_t i = 0; i < captions.size(); ++i) {
    out += "Label" + std::to_string(i + 1) + "\t" + captions[i] + "\n";
  }
  return out;
}

namespace {
std::string lensHeader(const Lab& lab) {
  if (lab.lensDesign() == optics::LensDesign{}) return {};
  return "# lens: " + LensSummary(lab.lensDesign(), lab.lens()) + "; " + LensText(lab.lensDesign()) + "\n";
}
}  // namespace

std::string CurveFile(const Lab& lab) {
  return lensHeader(lab) + graphs::CurveCsv(CurrentCurve(lab.results(), lab.scene().lens()));
}

std::string BundleFile(const Lab& lab) {
  return lensHeader(lab) + graphs::BundleCsv(CurrentBundle(lab.results(), lab.scene().lens()));
}

graphs::EqualTimeData CurrentEqualTime(const Lab& lab, std::optional<double> at) {
  const Results& r = lab.results();
  if (!r.bundleContinuation()) return {};
  const optics::Lens& lens = lab.scene().lens();
  const double from = std::max(lens.Second.VertexX, optics::RimX(lens.Second));
  graphs::EqualTimeData d = graphs::EqualTime(CurrentBundle(r, lens), lens.SpeedOutside, from, lab.scene().XMax, at);
  d.sourceOnAxis = std::abs(CentreOf(lab.controls().kyklos).y) <= graphs::kOnAxisTolerance;
  return d;
}

std::string EqualTimeFile(const Lab& lab, std::optional<double> at) {
  return lensHeader(lab) + graphs::EqualTimeCsv(CurrentEqualTime(lab, at));
}

namespace {

// The pieces one after the other. Built by appending: "literal" +
// std::string makes g++ 12 at -O3 raise a false -Wrestrict (GCC bug 105329).
std::string joined(std::initializer_list<std::string_view> pieces) {
  std::string out;
  for (const std::string_view p : pieces) out.append(p);
  return out;
}

}  // namespace

std::vector<std::string> ChallengeParts(const ChallengeReveal& r) {
  auto point = [](double x, double y) { return joined({"(", Format(x, "0.00"), ", ", Format(y, "0.00"), ")"}); };
  // The guess is scored by the path through the point of the face it stands
  // for, not through the marker (which may stand in the glass or the air,
  // where the label's time belongs to no path of light): the text says which.
  std::vector<std::string> parts{
      joined({"tries ", std::to_string(r.tries)}),
      joined({"your guess enters at ", point(r.guessX, r.guessY), ", time ", Format(r.guessTime, "0.00")})};
  if (!r.found) {
    parts.emplace_back("no least-time path found");
    return parts;
  }
  parts.push_back(joined({"least time ", Format(r.leastTime, "0.00"), " at ", point(r.leastX, r.leastY)}));
  parts.push_back(joined({Format(r.timeGap, "0.00"), " slower"}));
  parts.push_back(joined({Format(r.distance, "0.00"), " away"}));
  return parts;
}

std::string ChallengeText(const ChallengeReveal& r) {
  std::string text;
  for (const std::string& part : ChallengeParts(r)) {
    if (!text.empty()) text += "; ";
    text += part;
  }
  return text;
}

std::string TraceText(const Lab& lab) {
  std::string out;
  for (const Op& op : lab.surface().log()) out += TraceLine(op) + "\n";
  return out;
}

}  // namespace lab
