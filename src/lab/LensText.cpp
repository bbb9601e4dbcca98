#include "lab/LensText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "lab/Script.h"
#include "text/Language.h"
#include "numeric/Chars.h"

namespace lab {
std::optional<double> ParseLensNumber(std::string_view s) {
  if (s.empty() || s.front() == '+') return std::nullopt;
  double v = 0;
  const auto r = numeric::FromChars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc{} || r.ptr != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

namespace {

std::optional<double> number(std::string_view s) { return ParseLensNumber(s); }

std::string shortest(double v) { return numeric::ShortestDecimal(v); }

std::string face(const optics::FaceDesign& f) { return f.Flat ? "flat" : shortest(f.Radius); }
// A face as the summary writes it, in the language in force.
std::string faceWords(const optics::FaceDesign& f) { return f.Flat ? text::Tr("summary.flat") : shortest(f.Radius); }

}  // namespace

std::string ParseLens(std::string_view text, optics::LensDesign& into) {
  if (text.empty()) return "empty lens: expected KEY=VALUE,... with keys n, r1, r2, thickness, aperture, preset";
  struct Pair {
    std::string_view key, value;
  };
  std::vector<Pair> pairs;
  for (std::size_t start = 0;;) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string_view item = text.substr(start, comma - start);
    const std::size_t eq = item.find('=');
    if (eq == std::string_view::npos) return "expected KEY=VALUE in the lens, got " + Quoted(item);
    const Pair p{item.substr(0, eq), item.substr(eq + 1)};
    if (std::any_of(pairs.begin(), pairs.end(), [&](const Pair& q) { return q.key == p.key; })) {
      return "the lens gives " + Quoted(p.key) + " twice";
    }
    pairs.push_back(p);
    if (comma == text.size()) break;
    start = comma + 1;
  }
  optics::LensDesign design = into;
  // The preset first, so that the other keys change it.
  for (const Pair& p : pairs) {
    if (p.key != "preset") continue;
    const auto presets = optics::LensPresets();
    const auto found = std::find_if(presets.begin(), presets.end(), [&](const auto& q) { return p.value == q.key; });
    if (found == presets.end()) {
      std::string keys;
      for (const auto& q : presets) keys += std::string(keys.empty() ? "" : ", ") + q.key;
      return "unknown lens preset " + Quoted(p.value) + " (one of " + keys + ")";
    }
    design = found->design;
  }
  for (const Pair& p : pairs) {
    if (p.key == "preset") continue;
    const std::string where = "lens " + std::string(p.key) + "=" + std::string(p.value);
    if (p.key == "r1" || p.key == "r2") {
      optics::FaceDesign& f = p.key == "r1" ? design.First : design.Second;
      if (p.value == "flat") {
        f = {.Flat = true};
        continue;
      }
      const auto r = number(p.value);
      if (!r) return "expected a number or 'flat' in " + Quoted(where);
      f = {.Flat = false, .Radius = *r};
      continue;
    }
    if (p.key == "aperture" && p.value == "auto") {
      design.Aperture.reset();
      continue;
    }
    const auto v = number(p.value);
    if (p.key == "n" || p.key == "thickness" || p.key == "aperture") {
      if (!v) return "expected a number in " + Quoted(where);
      if (p.key == "n") design.N = *v;
      if (p.key == "thickness") design.Thickness = *v;
      if (p.key == "aperture") design.Aperture = *v;
      continue;
    }
    return "unknown lens key " + Quoted(p.key) + " (keys: n, r1, r2, thickness, aperture, preset)";
  }
  into = design;
  return {};
}

std::string ReadLens(std::string_view text, optics::LensDesign& into) {
  optics::LensDesign design;
  if (std::string e = ParseLens(text, design); !e.empty()) return e;
  if (optics::LensBuild b = optics::MakeLens(design); !b.lens) return b.error;
  into = design;
  return {};
}

std::string LensText(const optics::LensDesign& s) {
  std::string text = "n=" + shortest(s.N) + ",r1=" + face(s.First) + ",r2=" + face(s.Second) +
                     ",thickness=" + shortest(s.Thickness);
  if (s.Aperture) text += ",aperture=" + shortest(*s.Aperture);
  return text;
}

std::string LensPresetName(const optics::LensPreset& p) { return text::Tr(std::string("preset.lens.") + p.key); }

std::string LensSummary(const optics::LensDesign& design, const optics::Lens& lens) {
  std::string name;
  for (const auto& p : optics::LensPresets()) {
    if (p.design == design) name = LensPresetName(p) + ": ";
  }
  return name + text::Tr("summary.lens", {{"n", shortest(design.N)},
                                          {"r1", faceWords(design.First)},
                                          {"r2", faceWords(design.Second)},
                                          {"thickness", shortest(design.Thickness)},
                                          {"aperture", numeric::FixedDecimal(lens.HalfAperture, 2)}});
}

}  // namespace lab
