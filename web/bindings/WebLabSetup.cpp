// What a teacher prepares and a student plays with, for the page: the lens,
// set-ups and share links, lessons, the challenge and the equal-time view.
// Every start goes through the lab's own functions, so the page's picture is
// the one fermat-lab draws after --lens, --open or --lesson.
#include "WebLab.h"

#include "Json.h"
#include "OverlayJson.h"
#include "lab/HelpTexts.h"
#include "lab/LensPanelRows.h"
#include "lab/LensText.h"
#include "lab/MirrorPanelRows.h"
#include "lab/MirrorText.h"
#include "lab/MirrorWhy.h"
#include "lab/Lessons.h"
#include "lab/Run.h"
#include "lab/SceneHints.h"
#include "lab/Setup.h"
#include "lab/SetupRun.h"
#include "text/JsonDocument.h"
#include "text/Language.h"
#include "lab/ViewTexts.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>

namespace web {
namespace {

std::string jsonRange(double lo, double hi) {
  return "[" + jsonNumber(lo) + "," + jsonNumber(hi) + "]";
}

std::string jsonFace(const optics::FaceDesign& f) {
  return f.Flat ? "\"flat\"" : jsonNumber(f.Radius);
}

std::string jsonStrings(const std::vector<std::string>& items) {
  std::string out = "[";
  for (const std::string& item : items) out += (out.size() > 1 ? "," : "") + jsonString(item);
  return out + "]";
}

// The lens panel's rows, as the window's panel shows them.
std::string lensRows() {
  std::string out = "[";
  for (const lab::LensPanelRow& r : lab::LensPanelRows()) {
    out += std::string(out.size() > 1 ? "," : "") + "{\"key\":" + jsonString(r.key) + ",\"label\":" +
           jsonString(text::Tr(r.label)) + ",\"hint\":" + jsonString(text::Tr(r.hint)) + ",\"low\":" + jsonNumber(r.low) + ",\"high\":" + jsonNumber(r.high) +
           ",\"step\":" + jsonNumber(r.step) + ",\"sliderStep\":" + jsonNumber(r.sliderStep) +
           ",\"toggle\":" + (r.toggle ? jsonString(text::Tr(r.toggle)) : "null") +
           ",\"ticked\":" + (r.ticked ? jsonString(r.ticked) : "null") + ",\"curvature\":" + jsonBool(r.curvature) +
           ",\"sliderLow\":" + std::to_string(lab::LensSliderRange(r.field).low) +
           ",\"sliderHigh\":" + std::to_string(lab::LensSliderRange(r.field).high) + "}";
  }
  return out + "]";
}


// What a course platform records of an answer: {"hit":bool,"score":0..100}, or null.
std::string scoreJson(const std::optional<lab::ChallengeScore>& s) {
  return s ? "{\"hit\":" + jsonBool(s->hit) + ",\"score\":" + std::to_string(s->score) + "}" : "null";
}

// The lab's drawing of the answer (lab::ChallengeAnswerDrawing): points in
// world units as x, y pairs, sizes in pixels, colours as 0xRRGGBB.
std::string revealJson(const lab::ChallengeReveal& r) {
  return "{\"found\":" + jsonBool(r.found) + ",\"sourceX\":" + jsonNumber(r.sourceX) +
         ",\"sourceY\":" + jsonNumber(r.sourceY) + ",\"targetX\":" + jsonNumber(r.targetX) +
         ",\"targetY\":" + jsonNumber(r.targetY) + ",\"leastX\":" + jsonNumber(r.leastX) +
         ",\"leastY\":" + jsonNumber(r.leastY) + ",\"leastTime\":" + jsonNumber(r.leastTime) +
         ",\"guessX\":" + jsonNumber(r.guessX) + ",\"guessY\":" + jsonNumber(r.guessY) +
         ",\"guessTime\":" + jsonNumber(r.guessTime) + ",\"tries\":" + std::to_string(r.tries) +
         ",\"timeGap\":" + jsonNumber(r.timeGap) + ",\"distance\":" + jsonNumber(r.distance) +
         ",\"score\":" + scoreJson(lab::ScoreOf(r)) +
         ",\"text\":" + jsonString(lab::ChallengeText(r)) + ",\"parts\":" + jsonStrings(lab::ChallengeParts(r)) +
         ",\"drawing\":" + OverlayJson(lab::ChallengeAnswerDrawing(r)) + "}";
}

// NaN (or any number that is not finite) asks for the point of least spread.
std::optional<double> chosenAt(double at) {
  return std::isfinite(at) ? std::optional(at) : std::nullopt;
}

}  // namespace

// ---------------------------------------------------------------- the lens

std::string WebLab::setLens(const std::string& text) {
  optics::LensDesign lens;
  if (std::string e = lab::ReadLens(text, lens); !e.empty()) return e;
  return lab_.setLens(lens);
}

std::string WebLab::lens() const {
  const optics::LensDesign& s = lab_.lensDesign();
  std::string preset, presets;
  for (const optics::LensPreset& p : optics::LensPresets()) {
    if (p.design == s && preset.empty()) preset = p.key;
    presets += std::string(presets.empty() ? "" : ",") + "{\"key\":" + jsonString(p.key) +
               ",\"name\":" + jsonString(lab::LensPresetName(p)) + ",\"text\":" + jsonString(lab::LensText(p.design)) + "}";
  }
  // The toolbar's line: the mirror's in the mirror scene, else the lens's.
  const std::string scene = lab_.ownTarget() ? lab::SceneSummary(lab_) : lab::LensSummary(s, lab_.lens());
  return "{\"text\":" + jsonString(lab::LensText(s)) + ",\"summary\":" + jsonString(lab::LensSummary(s, lab_.lens())) +
         ",\"scene\":" + jsonString(scene) + ",\"mirror\":" + jsonBool(lab_.mirror() != nullptr) +
         ",\"preset\":" + jsonString(preset) + ",\"n\":" + jsonNumber(s.N) + ",\"r1\":" + jsonFace(s.First) +
         ",\"r2\":" + jsonFace(s.Second) + ",\"thickness\":" + jsonNumber(s.Thickness) +
         ",\"aperture\":" + (s.Aperture ? jsonNumber(*s.Aperture) : "null") +
         ",\"halfAperture\":" + jsonNumber(lab_.lens().HalfAperture) +
         ",\"limits\":{\"n\":" + jsonRange(optics::kMinIndex, optics::kMaxIndex) +
         ",\"radius\":" + jsonRange(optics::kMinRadius, optics::kMaxRadius) +
         ",\"thickness\":" + jsonRange(optics::kMinThickness, optics::kMaxThickness) +
         ",\"aperture\":" + jsonRange(0, optics::kMaxAperture) + "},\"presets\":[" + presets + "],\"rows\":" +
         lensRows() + ",\"curvatureScale\":" + jsonNumber(lab::kCurvatureScale) +
         ",\"curvatureEnd\":" + std::to_string(lab::kCurvatureEnd) + ",\"note\":" + jsonString(lab::LensTakenNote(lab_)) +
         "}";
}

std::string WebLab::setMirror(const std::string& text) {
  std::optional<optics::MirrorDesign> mirror;
  if (std::string e = lab::ReadMirror(text, mirror); !e.empty()) return e;
  return lab_.setMirror(mirror);
}

std::string WebLab::mirror() const {
  const std::optional<optics::MirrorDesign> now = lab_.mirrorDesign();
  std::string preset = now ? "" : "none", presets;
  for (const optics::MirrorPreset& p : optics::MirrorPresets()) {
    if (now && p.design == *now && preset.empty()) preset = p.key;
    presets += std::string(presets.empty() ? "" : ",") + "{\"key\":" + jsonString(p.key) +
               ",\"name\":" + jsonString(lab::MirrorPresetName(p)) + ",\"text\":" + jsonString(lab::MirrorText(p.design)) + "}";
  }
  return "{\"text\":" + jsonString(lab::MirrorText(now)) + ",\"summary\":" + jsonString(lab::SceneSummary(lab_)) +
         ",\"preset\":" + jsonString(preset) + ",\"parallelBeam\":" + jsonBool(lab_.parallelBeam()) + ",\"presets\":[" +
         presets + "]}";
}

std::string WebLab::mirrorPanel() const {
  const std::optional<optics::MirrorDesign> d = lab_.mirrorDesign();
  std::string kinds, rows;
  for (const lab::MirrorKindEntry& k : lab::MirrorKinds()) {
    kinds += std::string(kinds.empty() ? "" : ",") + "{\"word\":" + jsonString(k.word) + ",\"name\":" + jsonString(text::Tr(k.name)) + "}";
  }
  if (d) {
    for (const lab::MirrorPanelRow& r : lab::MirrorPanelRows(d->Kind)) {
      rows += std::string(rows.empty() ? "" : ",") + "{\"key\":" + jsonString(r.key) + ",\"label\":" +
              jsonString(text::Tr(r.label)) + ",\"hint\":" + jsonString(text::Tr(r.hint)) + ",\"low\":" + jsonNumber(r.low) +
              ",\"high\":" + jsonNumber(r.high) + ",\"step\":" + jsonNumber(r.step) +
              ",\"value\":" + jsonNumber(lab::MirrorFieldValue(*d, lab_.mirror()->mirror, r.key)) +
              ",\"text\":" + jsonString(lab::MirrorFieldText(*d, lab_.mirror()->mirror, r.key)) + "}";
    }
  }
  return "{\"kind\":" + jsonString(d ? lab::MirrorKindWord(d->Kind) : "none") + ",\"kinds\":[" + kinds +
         "],\"rows\":[" + rows + "]}";
}

namespace {
std::string editJson(const lab::MirrorEdit& e) {
  return "{\"text\":" + jsonString(e.design ? lab::MirrorText(e.design) : "") + ",\"error\":" + jsonString(e.error) + "}";
}
}  // namespace

std::string WebLab::editMirror(const std::string& key, const std::string& typed) const {
  const std::optional<optics::MirrorDesign> d = lab_.mirrorDesign();
  if (!d) return editJson({std::nullopt, "no mirror is in force"});
  return editJson(lab::EditMirror(*d, key, typed));
}

std::string WebLab::mirrorOfKind(const std::string& word) const {
  return editJson(lab::MirrorOfKind(lab_.mirrorDesign().value_or(optics::MirrorDesign{}), word));
}

bool WebLab::setParallelBeam(bool on) { return lab_.setParallelBeam(on); }

std::string WebLab::mirrorWhy() const { return OverlayJson(lab::MirrorWhyDrawing(lab_)); }

std::string WebLab::lensFieldProblem(const std::string& key, const std::string& typed) const {
  for (const lab::LensPanelRow& r : lab::LensPanelRows()) {
    if (key == r.key) return lab::LensFieldProblem(r.field, typed);
  }
  return "unknown lens field " + lab::Quoted(key);
}

namespace {
const lab::LensPanelRow* rowOf(const std::string& key) {
  for (const lab::LensPanelRow& r : lab::LensPanelRows()) {
    if (key == r.key) return &r;
  }
  return nullptr;
}
}  // namespace

std::string WebLab::lensSliderValue(const std::string& key, int position) const {
  const lab::LensPanelRow* r = rowOf(key);
  if (!r) return "null";
  const std::optional<double> v = lab::LensSliderValue(r->field, position);
  return v ? jsonNumber(*v) : std::string("\"flat\"");
}

int WebLab::lensSliderPosition(const std::string& key, double value) const {
  const lab::LensPanelRow* r = rowOf(key);
  return r ? lab::LensSliderPosition(r->field, value) : 0;
}

// ---------------------------------------------------------------- set-ups

std::string WebLab::setupJson() const {
  return lab::SetupJson(lab::CurrentSetup(lab_));
}
std::string WebLab::setupFragment() const {
  return lab::SetupFragment(lab::CurrentSetup(lab_));
}

std::string WebLab::openSetup(const std::string& json) {
  const lab::SetupRead read = lab::ParseSetup(json);
  if (!read.setup) return read.error;
  return lab::OpenSetup(lab_, *read.setup);
}

std::string WebLab::openFragment(const std::string& fragment) {
  const lab::SetupRead read = lab::ParseSetupFragment(fragment);
  if (!read.setup) return read.error;
  return lab::OpenSetup(lab_, *read.setup);
}

// ---------------------------------------------------------------- help

std::string WebLab::sceneHints() const {
  std::string out = "[";
  for (const std::string& h : lab::SceneHints(lab_)) out += (out.size() > 1 ? "," : "") + jsonString(h);
  return out + "]";
}

// ---------------------------------------------------------------- languages

std::string WebLab::languages() const {
  std::string out = "[";
  for (const text::LanguageInfo& l : text::Languages()) {
    out += std::string(out.size() > 1 ? "," : "") + "{\"code\":" + jsonString(l.code) +
           ",\"name\":" + jsonString(l.name) + ",\"rtl\":" + jsonBool(l.rightToLeft) + "}";
  }
  return out + "]";
}

std::string WebLab::addCatalogue(const std::string& json) { return text::AddCatalogue(json); }

std::string WebLab::useLanguage(const std::string& code) { return text::UseLanguage(code); }

std::string WebLab::language() const {
  return "{\"code\":" + jsonString(text::LanguageInForce()) + ",\"rtl\":" + jsonBool(text::RightToLeft()) + "}";
}

std::string WebLab::tr(const std::string& key, const std::string& args) const {
  if (args.empty()) return text::Tr(key);
  const text::JsonDocument doc = text::ReadJsonDocument(args, 2);
  std::map<std::string, std::string, std::less<>> values;
  std::optional<std::uint64_t> count;
  if (doc.error.empty() && doc.value.is_object()) {
    for (const auto& [name, value] : doc.value.items()) {
      values[name] = value.is_string() ? value.get<std::string>() : value.dump();
      if (name == "count" && value.is_number_unsigned()) count = value.get<std::uint64_t>();
    }
  }
  // A counted text ("key_one", "key_other", ...) by the language's plural
  // rule when the original has one under the key; any other key as it stands.
  const bool counted = count && text::OriginalCatalogue().find(key + "_other") != nullptr;
  const std::string pattern = counted ? text::TrCount(key, *count) : text::Tr(key);
  // Every {{name}} filled in one pass, so a value that itself reads like a
  // placeholder (a typed text quoted in a reason) stays as it is.
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    if (pattern.compare(i, 2, "{{") == 0) {
      const std::size_t end = pattern.find("}}", i + 2);
      if (end != std::string::npos) {
        const auto it = values.find(std::string_view(pattern).substr(i + 2, end - i - 2));
        if (it != values.end()) {
          out += it->second;
          i = end + 2;
          continue;
        }
      }
    }
    out += pattern[i++];
  }
  return out;
}

std::string WebLab::localNumber(const std::string& number) const { return text::LocalNumber(number); }

std::string WebLab::texts() const {
  const lab::ViewTexts& t = lab::Texts();
  return "{\"play\":" + jsonString(t.play) + ",\"pause\":" + jsonString(t.pause) +
         ",\"playTooltip\":" + jsonString(t.playTooltip) + ",\"challenge\":" + jsonString(t.challenge) +
         ",\"challengeTask\":" + jsonString(t.challengeTask) + ",\"tries\":" + jsonString(text::Tr("view.triesLabel")) +
         ",\"noMirror\":" + jsonString(t.noMirror) + ",\"ownMirror\":" + jsonString(t.ownMirror) +
         ",\"parallelBeam\":" + jsonString(t.parallelBeam) + ",\"mirrorWhy\":" + jsonString(t.mirrorWhy) +
         ",\"noMedium\":" + jsonString(t.noMedium) + ",\"ownMedium\":" + jsonString(t.ownMedium) +
         ",\"indexShading\":" + jsonString(t.indexShading) + ",\"mediumPrompt\":" + jsonString(t.mediumPrompt) +
         ",\"medium\":" + jsonString(text::WithoutAccessKey(t.mediumMenu)) +
         ",\"mirrorMenu\":" + jsonString(text::WithoutAccessKey(t.mirrorMenu)) +
         ",\"mirrorKind\":" + jsonString(text::WithoutAccessKey(t.mirrorKind)) +
         ",\"mirrorChoice\":" + jsonString(t.mirrorChoice) + ",\"mediumChoice\":" + jsonString(t.mediumChoice) +
         ",\"mediumAny\":" + jsonString(t.mediumAny) + "}";
}

std::string WebLab::help() const {
  std::string keys = "[";
  for (const lab::KeyHelp& k : lab::KeyHelpRows()) {
    if (!k.page) continue;
    keys += std::string(keys.size() > 1 ? "," : "") + "{\"keys\":" + jsonString(k.keys) +
            ",\"what\":" + jsonString(k.what) + "}";
  }
  return "{\"guide\":" + jsonString(lab::GuideHtml()) + ",\"keys\":" + keys + "],\"keysNote\":" +
         jsonString(lab::KeysNote()) + ",\"firstVisit\":" + jsonString(lab::FirstVisitText()) + "}";
}

// ---------------------------------------------------------------- lessons

std::string WebLab::lessons() const {
  std::string out = "[";
  for (const lab::Lesson& l : lab::Lessons()) {
    out += std::string(out.size() > 1 ? "," : "") + "{\"key\":" + jsonString(l.key) +
           ",\"title\":" + jsonString(l.title()) + ",\"task\":" + jsonString(l.task()) + "}";
  }
  return out + "]";
}

std::string WebLab::openLesson(const std::string& key) {
  const lab::Lesson* lesson = lab::FindLesson(key);
  if (!lesson) return lab::UnknownLesson(key);
  return lab::OpenLesson(lab_, *lesson);
}

// ---------------------------------------------------------------- the challenge

void WebLab::challengeStart() {
  lab_.challenge().start(lab_);
}
void WebLab::challengeStop() {
  lab_.challenge().stop();
}

std::string WebLab::challenge() const {
  const lab::Challenge& c = lab_.challenge();
  const auto& r = c.revealed();
  return "{\"on\":" + jsonBool(c.on()) + ",\"tries\":" + std::to_string(c.tries(lab_)) +
         ",\"revealed\":" + (r ? revealJson(*r) : "null") + ",\"best\":" + scoreJson(c.best()) + "}";
}

std::string WebLab::challengeReveal() {
  (void)lab_.challenge().reveal(lab_);
  return challenge();
}

// ---------------------------------------------------------------- equal time

std::string WebLab::equalTime(double at) const {
  const graphs::EqualTimeData d = lab::CurrentEqualTime(lab_, chosenAt(at));
  auto list = [](const std::vector<double>& v) {
    std::string out = "[";
    for (std::size_t i = 0; i < v.size(); ++i) out += (i ? "," : "") + jsonNumber(v[i]);
    return out + "]";
  };
  std::string rays = "[";
  for (std::size_t i = 0; i < d.rays.size(); ++i) {
    rays += std::string(i ? "," : "") + "{\"index\":" + std::to_string(d.rays[i].index) +
            ",\"time\":" + jsonNumber(d.rays[i].time) + "}";
  }
  return "{\"continued\":" + jsonBool(lab_.results().bundleContinuation().has_value()) + ",\"x\":" + list(d.x) +
         ",\"spread\":" + list(d.spread) + ",\"bestX\":" + jsonNumber(d.bestX) +
         ",\"bestSpread\":" + jsonNumber(d.bestSpread) + ",\"chosenX\":" + jsonNumber(d.chosenX) + ",\"rays\":" + rays +
         "],\"sourceOnAxis\":" + jsonBool(d.sourceOnAxis) + ",\"title\":" + jsonString(graphs::EqualTimeTitle(d)) + "}";
}

std::string WebLab::equalTimeCsv(double at) const {
  return lab::EqualTimeFile(lab_, chosenAt(at));
}

}  // namespace web
