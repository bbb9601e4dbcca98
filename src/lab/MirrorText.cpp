#include "lab/MirrorText.h"

#include "lab/LensText.h"
#include "lab/MirrorPanelRows.h"
#include "lab/Numbers.h"
#include "text/Language.h"

#include <algorithm>
#include <vector>

#include "numeric/Chars.h"

namespace lab {
namespace {

std::string shortest(double v) { return numeric::ShortestDecimal(v); }

const optics::MirrorPreset* findPreset(std::string_view key) {
  const auto presets = optics::MirrorPresets();
  const auto p = std::find_if(presets.begin(), presets.end(), [&](const auto& q) { return key == q.key; });
  return p == presets.end() ? nullptr : &*p;
}

std::string presetKeys() {
  std::string keys;
  for (const auto& q : optics::MirrorPresets()) keys += std::string(keys.empty() ? "" : ", ") + q.key;
  return keys;
}

}  // namespace

std::string ParseMirror(std::string_view text, std::optional<optics::MirrorDesign>& into) {
  if (text == "none") {
    into.reset();
    return {};
  }
  if (text.empty()) return "empty mirror: expected KIND,KEY=V,... with KIND one of " + presetKeys() + " or none";
  const std::vector<std::string_view> words = SplitOn(text, ',');
  optics::MirrorDesign design;
  bool kindGiven = false;
  std::vector<std::string_view> seen;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string_view w = words[i];
    const std::size_t eq = w.find('=');
    const std::string_view key = eq == std::string_view::npos ? std::string_view{} : w.substr(0, eq);
    const std::string_view value = eq == std::string_view::npos ? w : w.substr(eq + 1);
    if (key.empty() || key == "preset") {
      // The kind (a preset's key) comes first: the keys after it change it.
      if (i != 0) return "expected KEY=VALUE in the mirror, got " + Quoted(w);
      const optics::MirrorPreset* p = findPreset(value);
      if (!p) return Quoted(value) + " is no kind of mirror (one of " + presetKeys() + ", or none)";
      design = p->design;
      kindGiven = true;
      continue;
    }
    if (!kindGiven) return "the mirror starts with its kind (" + presetKeys() + "), got " + Quoted(w);
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) return "the mirror gives " + Quoted(key) + " twice";
    seen.push_back(key);
    const std::string where = "mirror " + std::string(w);
    const optics::MirrorKind kind = design.Kind;
    auto onlyFor = [&](bool fits, const char* kinds) -> std::string {
      if (fits) return {};
      return Quoted(key) + " is not a key of a " + MirrorKindWord(kind) + " mirror (it belongs to " + kinds + ")";
    };
    if (key == "f1" || key == "f2") {
      if (std::string e = onlyFor(kind == optics::MirrorKind::Elliptical, "elliptical ones"); !e.empty()) return e;
      // A focus is two numbers, "X,Y": the comma between them splits the text too.
      const auto x = ParseLensNumber(value);
      const auto y = i + 1 < words.size() ? ParseLensNumber(words[i + 1]) : std::nullopt;
      if (!x || !y) return "expected " + std::string(key) + "=X,Y with two numbers in " + Quoted(where);
      (key == "f1" ? design.F1x : design.F2x) = *x;
      (key == "f1" ? design.F1y : design.F2y) = *y;
      ++i;
      continue;
    }
    const auto v = ParseLensNumber(value);
    if (key == "r") {
      const bool sphere = kind == optics::MirrorKind::Concave || kind == optics::MirrorKind::Convex;
      if (std::string e = onlyFor(sphere, "concave and convex ones"); !e.empty()) return e;
      if (!v) return "expected a number in " + Quoted(where);
      design.Radius = *v;
    } else if (key == "f") {
      if (std::string e = onlyFor(kind == optics::MirrorKind::Parabolic, "parabolic ones"); !e.empty()) return e;
      if (!v) return "expected a number in " + Quoted(where);
      design.Focal = *v;
    } else if (key == "aperture") {
      if (!v) return "expected a number in " + Quoted(where);
      design.Aperture = *v;
    } else {
      return "unknown mirror key " + Quoted(key) + " (keys: r, f, f1, f2, aperture)";
    }
  }
  into = design;
  return {};
}

std::string ReadMirror(std::string_view text, std::optional<optics::MirrorDesign>& into) {
  std::optional<optics::MirrorDesign> design;
  if (std::string e = ParseMirror(text, design); !e.empty()) return e;
  if (design) {
    if (optics::MirrorBuild b = optics::MakeMirror(*design); !b.mirror) return b.error;
  }
  into = design;
  return {};
}

std::string MirrorText(const std::optional<optics::MirrorDesign>& design) {
  if (!design) return "none";
  const optics::MirrorDesign& d = *design;
  std::string text = MirrorKindWord(d.Kind);
  switch (d.Kind) {
    case optics::MirrorKind::Concave:
    case optics::MirrorKind::Convex: text += ",r=" + shortest(d.Radius); break;
    case optics::MirrorKind::Parabolic: text += ",f=" + shortest(d.Focal); break;
    case optics::MirrorKind::Elliptical:
      text += ",f1=" + shortest(d.F1x) + "," + shortest(d.F1y) + ",f2=" + shortest(d.F2x) + "," + shortest(d.F2y);
      break;
    case optics::MirrorKind::Flat: break;
  }
  if (d.Aperture) text += ",aperture=" + shortest(*d.Aperture);
  return text;
}

std::string MirrorPresetName(const optics::MirrorPreset& p) {
  return text::Tr(std::string("preset.mirror.") + p.key);
}

std::string MirrorSummary(const optics::MirrorDesign& design, const optics::Mirror& mirror) {
  std::string name;
  for (const auto& p : optics::MirrorPresets()) {
    if (p.design == design && name.empty()) name = MirrorPresetName(p) + ": ";
  }
  // One sentence per kind in the catalogue (summary.mirror.concave, ...):
  // each kind has its own numbers. They stay in '.' as the mirror's text writes them.
  const std::string key = std::string("summary.mirror.") + MirrorKindWord(design.Kind);
  const std::string aperture = shortest(mirror.aperture());
  switch (design.Kind) {
    case optics::MirrorKind::Concave:
    case optics::MirrorKind::Convex:
      return name + text::Tr(key, {{"r", shortest(design.Radius)}, {"aperture", aperture}});
    case optics::MirrorKind::Parabolic: return name + text::Tr(key, {{"f", shortest(design.Focal)}, {"aperture", aperture}});
    case optics::MirrorKind::Elliptical:
      return name + text::Tr(key, {{"x1", shortest(design.F1x)},
                                   {"y1", shortest(design.F1y)},
                                   {"x2", shortest(design.F2x)},
                                   {"y2", shortest(design.F2y)},
                                   {"aperture", aperture}});
    case optics::MirrorKind::Flat: break;
  }
  return name + text::Tr(key, {{"aperture", aperture}});
}

}  // namespace lab
