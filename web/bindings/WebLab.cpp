#include "WebLab.h"

#include "Json.h"
#include "core/MirrorFermat.h"
#include "graphs/CrossingGraph.h"
#include "graphs/CurveTexts.h"
#include "graphs/Csv.h"
#include "lab/ActionSteps.h"
#include "lab/Format.h"
#include "lab/Run.h"
#include "lab/Script.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <optional>

namespace web {
namespace {

std::optional<lab::BarId> barOf(int bar) {
  switch (bar) {
    case 0: return lab::BarId::Height;
    case 1: return lab::BarId::Rays;
    case 2: return lab::BarId::Time;
    default: return std::nullopt;
  }
}

std::string jsonRect(const lab::PixelRect& r) {
  return "[" + jsonNumber(r.left) + "," + jsonNumber(r.top) + "," + jsonNumber(r.width) + "," +
         jsonNumber(r.height) + "]";
}

double rgb(lab::Colour c) { return static_cast<double>(c & 0xffffffu); }

int clamp(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

}  // namespace

WebLab::WebLab(int width, int height)
    : lab_({clamp(width, lab::kMinClientWidth, lab::kMaxClientSide),
            clamp(height, lab::kMinClientHeight, lab::kMaxClientSide)}) {
  lab_.buildScene();
}

// ---------------------------------------------------------------- inputs

bool WebLab::pointerDown(float x, float y) { return lab_.pointerDown(x, y); }
bool WebLab::pointerMove(float x, float y) { return lab_.pointerMove(x, y); }
bool WebLab::pointerUp(float x, float y) { return lab_.pointerUp(x, y); }

bool WebLab::setBar(int bar, int value) {
  const auto id = barOf(bar);
  return id && lab_.setBar(*id, value);
}

bool WebLab::thumbMoved(int bar, int value) {
  const auto id = barOf(bar);
  return id && lab_.thumbMoved(*id, value);
}

bool WebLab::thumbReleased(int bar, int value) {
  const auto id = barOf(bar);
  return id && lab_.thumbReleased(*id, value);
}

bool WebLab::click(int button) { return lab_.click(button); }

bool WebLab::key(const std::string& spelled, bool autoRepeat, bool barFocused) {
  const std::optional<int> combination = lab::ParseKey(spelled);
  return combination && lab_.key(*combination, autoRepeat, barFocused);
}

void WebLab::otherInput() { lab_.otherInput(); }

bool WebLab::barKey(int bar, const std::string& spelled) {
  const std::optional<lab::BarId> id = barOf(bar);
  const std::optional<int> combination = lab::ParseKey(spelled);
  return id && combination && lab_.barKey(*id, *combination);
}

void WebLab::press(const std::string& where) {
  lab_.press(where == "play"     ? lab::Lab::PressOn::PlayButton
             : where == "graphs" ? lab::Lab::PressOn::Graphs
                                 : lab::Lab::PressOn::Elsewhere);
}

std::string WebLab::fingerPress(double x, double y) const {
  const lab::PixelPoint p = lab::FingerPressAt(lab_.controls(), {x, y});
  return "[" + jsonNumber(p.x) + "," + jsonNumber(p.y) + "]";
}
bool WebLab::idle() { return lab_.idle(); }
bool WebLab::idlePending() const { return lab_.idlePending(); }
void WebLab::startPlay() { lab_.startPlay(); }
void WebLab::stopPlay() { lab_.stopPlay(); }
void WebLab::togglePlay() { lab_.togglePlay(); }
bool WebLab::playing() const { return lab_.playing(); }
void WebLab::playTick() { lab_.playTick(); }
void WebLab::settle() { lab_.settle(); }
void WebLab::setLive(bool on) { lab_.setLive(on); }
bool WebLab::live() const { return lab_.live(); }

void WebLab::reset() {
  // Whatever an action had left to do is dropped with the message it waited on.
  steps_.clear();
  lab_.reset();
}

// ---------------------------------------------------------------- scripted actions

// The groups of lab::ActionSteps, as lab::RunAction runs them, where an open
// message stops the action until the page dismisses it (RunAction shows and
// dismisses it at once).
std::string WebLab::run(const std::string& word) {
  if (busy()) return "busy: a message is open";
  std::vector<lab::Action> parsed;
  if (std::string error = lab::ParseAction(word, parsed); !error.empty()) return error;
  for (const lab::Action& a : parsed) steps_.emplace_back(a);
  proceed();
  return {};
}

void WebLab::proceed() {
  lab::LabInputs in(lab_);
  while (!steps_.empty() && !lab_.busy()) {
    steps_.front().runNext(in);
    if (steps_.front().done()) steps_.pop_front();
  }
}

// ---------------------------------------------------------------- messages

bool WebLab::busy() const { return lab_.busy(); }
std::string WebLab::message() const { return lab_.message().value_or(std::string()); }

void WebLab::dismissMessage() {
  lab_.dismissMessage();
  proceed();
}

// ---------------------------------------------------------------- what to show

std::string WebLab::captions() const {
  std::string out = "[";
  const auto texts = lab_.captions();
  for (std::size_t i = 0; i < texts.size(); ++i) out += (i ? "," : "") + jsonString(texts[i]);
  return out + "]";
}

std::string WebLab::controls() const {
  const lab::Controls& c = lab_.controls();
  std::string out = "{\"buttons\":[";
  const auto buttons = c.buttons();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const lab::Button& b = *buttons[i];
    out += std::string(i ? "," : "") + "{\"caption\":" + jsonString(b.caption()) +
           ",\"pointSize\":" + jsonNumber(b.pointSize) + ",\"rect\":" + jsonRect(b.place.pixelRect()) +
           ",\"enabled\":" + jsonBool(b.enabled) + "}";
  }
  out += "],\"bars\":[";
  for (int i = 0; i < 3; ++i) {
    const lab::Bar& b = c.bar(*barOf(i));
    out += std::string(i ? "," : "") + "{\"min\":" + std::to_string(b.range.min) +
           ",\"max\":" + std::to_string(b.range.max) + ",\"value\":" + std::to_string(b.value) +
           ",\"enabled\":" + jsonBool(b.enabled) + ",\"vertical\":" + jsonBool(b.vertical) +
           ",\"largeChange\":" + std::to_string(b.largeChange) + ",\"smallChange\":" + std::to_string(b.smallChange) +
           ",\"rect\":" + jsonRect(b.place.pixelRect()) + "}";
  }
  out += "],\"labels\":[";
  const auto labels = c.labels();
  for (std::size_t i = 0; i < labels.size(); ++i) {
    out += std::string(i ? "," : "") + "{\"pointSize\":" + jsonNumber(labels[i]->pointSize) +
           ",\"rect\":" + jsonRect(labels[i]->place.pixelRect()) + "}";
  }
  const lab::Size client = lab_.surface().pixelSize();
  out += "],\"markers\":{\"source\":" + jsonRect(c.kyklos.pixelRect()) + ",\"entry\":" + jsonRect(c.shmeio.pixelRect()) +
         "},\"active\":" + (lab_.activeMarker() == lab::Marker::Source ? "\"source\"" : "\"entry\"") +
         ",\"client\":[" + std::to_string(client.width) + "," + std::to_string(client.height) +
         "],\"play\":{\"rect\":" + jsonRect(lab::PlayButtonRect(c)) +
         ",\"intervalMs\":" + std::to_string(lab::Lab::kPlayIntervalMs) +
         "},\"minCaptionPx\":" + jsonNumber(lab::kMinButtonCaptionPixels) +
         ",\"shrinkToFit\":" + std::string(lab::ShrinkCaptionsToFit() ? "true" : "false") +
         ",\"minChoicePx\":" + jsonNumber(lab::kMinChoiceCaptionPixels) + "}";
  return out;
}

std::string WebLab::pen() const {
  const lab::Dashes dashed = lab::PenDashes(1, 1), dotted = lab::PenDashes(1, 2);
  // Appended piece by piece: g++ 12 -O3 takes literal + string for an overlapping copy.
  std::string out = "{\"maxWidth\":";
  out += std::to_string(lab::kMaxPenWidth);
  out += ",\"dashed\":[";
  out += jsonNumber(dashed.on);
  out += ",";
  out += jsonNumber(dashed.off);
  out += "],\"dotted\":[";
  out += jsonNumber(dotted.on);
  out += ",";
  out += jsonNumber(dotted.off);
  out += "]}";
  return out;
}

std::string WebLab::frames() const {
  // The record lists its frames by index; items name the ones they were
  // drawn in, and the frame in force comes last.
  const lab::DisplayRecord& record = lab_.surface().record();
  int last = 0;
  for (const lab::Item& item : record.items()) last = std::max(last, item.frame);
  std::vector<lab::Frame> frames;
  for (int i = 0; i <= last; ++i) frames.push_back(record.frame(i));
  if (!(frames.back() == record.currentFrame())) frames.push_back(record.currentFrame());
  std::string out = "[";
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const lab::Frame& f = frames[i];
    out += std::string(i ? "," : "") + "{\"left\":" + jsonNumber(f.left) + ",\"top\":" + jsonNumber(f.top) +
           ",\"width\":" + jsonNumber(f.width) + ",\"height\":" + jsonNumber(f.height) + "}";
  }
  return out + "]";
}

double WebLab::revision() const { return static_cast<double>(lab_.surface().record().revision()); }
double WebLab::generation() const { return static_cast<double>(lab_.surface().record().generation()); }
int WebLab::itemCount() const { return static_cast<int>(lab_.surface().record().items().size()); }
bool WebLab::complete() const { return lab_.surface().record().complete(); }

std::vector<double> WebLab::items(int from) const {
  const std::vector<lab::Item>& all = lab_.surface().record().items();
  const std::size_t first = static_cast<std::size_t>(clamp(from, 0, static_cast<int>(all.size())));
  std::vector<double> out;
  out.reserve((all.size() - first) * 13);
  for (std::size_t i = first; i < all.size(); ++i) {
    // The high-contrast theme paints the same record through its rules.
    const lab::Op op = highContrast_ ? lab::ContrastOp(all[i].op) : all[i].op;
    out.insert(out.end(), {static_cast<double>(op.kind), op.x1, op.y1, op.x2, op.y2, op.r, op.start, op.end,
                           rgb(op.color), static_cast<double>(op.width), static_cast<double>(op.style),
                           op.fill ? rgb(*op.fill) : -1.0, static_cast<double>(all[i].frame)});
  }
  return out;
}

void WebLab::setHighContrast(bool on) { highContrast_ = on; }

std::string WebLab::contrastTheme() const {
  return "{\"on\":" + std::string(highContrast_ ? "true" : "false") +
         ",\"markerScale\":" + jsonNumber(lab::kContrastMarkerScale) + "}";
}

std::vector<double> WebLab::region(int item) const {
  const std::vector<lab::Item>& all = lab_.surface().record().items();
  if (item < 0 || item >= static_cast<int>(all.size())) return {};
  const lab::Item& it = all[static_cast<std::size_t>(item)];
  if (it.op.kind != lab::Op::Kind::FloodFill || !it.region) return {};
  std::vector<double> out;
  out.reserve(it.region->size() * 2);
  for (const core::Point& p : *it.region) out.insert(out.end(), {p.x, p.y});
  return out;
}

// ---------------------------------------------------------------- data

std::string WebLab::labelLines() const { return lab::LabelLines(lab_); }

std::string WebLab::curveCsv() const {
  return lab::CurveFile(lab_);
}

std::string WebLab::bundleCsv() const {
  return lab::BundleFile(lab_);
}

namespace {
// "#rrggbb", as CSS spells a colour.
std::string hexColour(numeric::Colour c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(c & 0xffffffu));
  return text;
}
}  // namespace

std::string WebLab::curveGraph() const {
  const graphs::CurveGraphTexts& t = graphs::CurveTexts();
  const graphs::CurveData curve = lab::CurrentCurve(lab_);
  // Every kind of stationary point with its colour in the picture, for the marks along a mirror.
  std::string kinds;
  for (const optics::StationaryKind k : {optics::StationaryKind::Minimum, optics::StationaryKind::Maximum,
                                         optics::StationaryKind::Inflection, optics::StationaryKind::Constant}) {
    if (!kinds.empty()) kinds += ',';
    kinds += "{\"kind\":" + jsonString(optics::StationaryKindName(k)) + ",\"name\":" +
             jsonString(graphs::StationaryKindWord(k)) + ",\"colour\":" + jsonString(hexColour(core::StationaryColour(k))) + "}";
  }
  return "{\"least\":" + jsonString(t.least) + ",\"through\":" + jsonString(t.through) + ",\"height\":" + jsonString(t.height) +
         ",\"leastLine\":" + jsonString(graphs::LeastTimeLine(curve)) + ",\"kinds\":[" + kinds + "]}";
}

std::string WebLab::bundleGraph() const {
  const std::optional<double> image = lab::CurrentParaxialImage(lab_);
  const graphs::CrossingGraphTexts& t = graphs::CrossingTexts();
  return "{\"title\":" + jsonString(t.title) + ",\"exact\":" + jsonString(t.exact) +
         ",\"construction\":" + jsonString(t.construction) + ",\"paraxial\":" + jsonString(t.paraxial) +
         ",\"paraxialX\":" + (image ? jsonNumber(*image) : std::string("null")) +
         ",\"summary\":" + jsonString(graphs::CrossingSummary(lab::CurrentBundle(lab_), image)) + "}";
}

std::string WebLab::describeChange() { return described_.next(lab_); }
std::string WebLab::describePicture() const { return lab::DescribePicture(lab_); }
std::vector<float> WebLab::soundSamples(int rate) { return lab::CueSamples(sound_.next(lab_), rate); }

int WebLab::refusedOperations() const { return lab_.surface().refusedOperations(); }

}  // namespace web
