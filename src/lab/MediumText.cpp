#include "lab/MediumText.h"

#include "lab/LensText.h"
#include "lab/Numbers.h"
#include "text/Language.h"

#include <algorithm>
#include <array>
#include <vector>

#include "numeric/Chars.h"

namespace lab {
namespace {

using optics::MediumDesign;
using optics::MediumProfile;

std::string shortest(double v) { return numeric::ShortestDecimal(v); }

constexpr std::array kProfiles{MediumProfile::Uniform,  MediumProfile::HotRoad,  MediumProfile::Fibre,
                               MediumProfile::HalfPlane, MediumProfile::Luneburg, MediumProfile::Layers};

// Each profile's keys, as MediumText writes them.
const char* keysOf(MediumProfile p) {
  switch (p) {
    case MediumProfile::Uniform: return "n";
    case MediumProfile::HotRoad:
    case MediumProfile::Fibre: return p == MediumProfile::HotRoad ? "n0, g" : "n0, a";
    case MediumProfile::HalfPlane: return "c, y0";
    case MediumProfile::Luneburg: return "r";
    case MediumProfile::Layers: return "y, n";
  }
  return "";
}

std::string profileWords() {
  std::string s;
  for (const MediumProfile p : kProfiles) s += std::string(s.empty() ? "" : ", ") + MediumProfileWord(p);
  for (const MediumPreset& q : MediumPresets()) {
    if (std::none_of(kProfiles.begin(), kProfiles.end(), [&](MediumProfile p) { return MediumProfileWord(p) == std::string_view(q.key); })) {
      s += std::string(", ") + q.key;
    }
  }
  return s;
}

// "1.5:1.2:1" as numbers.
std::optional<std::vector<double>> numberList(std::string_view text) {
  std::vector<double> out;
  for (const std::string_view piece : SplitOn(text, ':')) {
    const auto v = ParseLensNumber(piece);
    if (!v) return std::nullopt;
    out.push_back(*v);
  }
  return out;
}

std::string listText(const std::vector<double>& v) {
  std::string s;
  for (const double x : v) {
    // Appended piece by piece: "literal" + std::string makes g++ 12 at -O3
    // raise a false -Wrestrict (GCC bug 105329).
    if (!s.empty()) s += ':';
    s += shortest(x);
  }
  return s;
}

}  // namespace

const char* MediumProfileWord(MediumProfile p) noexcept {
  switch (p) {
    case MediumProfile::Uniform: return "uniform";
    case MediumProfile::HotRoad: return "hot-road";
    case MediumProfile::Fibre: return "fibre";
    case MediumProfile::HalfPlane: return "half-plane";
    case MediumProfile::Luneburg: return "luneburg";
    case MediumProfile::Layers: return "layers";
  }
  return "";
}

std::span<const MediumPreset> MediumPresets() noexcept {
  static const std::array<MediumPreset, 8> presets{{
      // Each placed so that its paths stay inside the picture (about 300
      // units either side of the centre and 190 above and below the axis in
      // a window of 16:10).
      {"mirage", {.Profile = MediumProfile::HotRoad, .N0 = 0.95, .G = 0.005}, -120,
       20, 120, 20},
      {"cold-sea", {.Profile = MediumProfile::HotRoad, .N0 = 1.0, .G = -0.004}, -200,
       -60, 200, -60},
      {"evening-air",
       {.Profile = MediumProfile::HotRoad, .N0 = 1.0, .G = -0.002}, -250, -120, 250, -40},
      {"fibre", {.Profile = MediumProfile::Fibre, .N0 = 1.5, .A = 0.006}, -280, 0, 120, 20},
      {"circles", {.Profile = MediumProfile::HalfPlane, .C = 200, .Y0 = -200},
       -200, 100, 200, 100},
      {"luneburg", {.Profile = MediumProfile::Luneburg, .R = 150}, -150, 0, 120, 50},
      {"layers",
       {.Profile = MediumProfile::Layers, .Y = {-80, 0, 80}, .Ns = {1.6, 1.4, 1.2, 1}}, -250, 150, 250, -150},
      {"water", {.N = 1.33}, -250, 50, 250, -50},
  }};
  return presets;
}

std::string MediumPresetName(const MediumPreset& p) { return text::Tr(std::string("preset.medium.") + p.key); }

const MediumPreset* FindMediumPreset(std::string_view key) noexcept {
  for (const MediumPreset& p : MediumPresets()) {
    if (key == p.key) return &p;
  }
  return nullptr;
}

const MediumPreset* PresetOf(const MediumDesign& design) noexcept {
  for (const MediumPreset& p : MediumPresets()) {
    if (p.design == design) return &p;
  }
  return nullptr;
}

std::string ParseMedium(std::string_view text, std::optional<MediumDesign>& into) {
  if (text == "none") {
    into.reset();
    return {};
  }
  if (text.empty()) return "empty medium: expected PROFILE,KEY=V,... with PROFILE one of " + profileWords() + " or none";
  const std::vector<std::string_view> words = SplitOn(text, ',');
  MediumDesign d;
  const std::string_view first = words.front().substr(0, words.front().find('='));
  const std::string_view kind = words.front().find('=') == std::string_view::npos ? words.front() : std::string_view{};
  if (kind.empty() && first != "preset") {
    return "the medium starts with its profile (" + profileWords() + "), got " + Quoted(words.front());
  }
  const std::string_view name = kind.empty() ? words.front().substr(words.front().find('=') + 1) : kind;
  const auto profile = std::find_if(kProfiles.begin(), kProfiles.end(),
                                    [&](MediumProfile p) { return name == MediumProfileWord(p); });
  const auto presets = MediumPresets();
  const auto preset = std::find_if(presets.begin(), presets.end(), [&](const MediumPreset& p) { return name == p.key; });
  if (preset != presets.end()) {
    d = preset->design;
  } else if (profile != kProfiles.end()) {
    d.Profile = *profile;
    // A layered medium named without its keys: one boundary at the axis.
    if (d.Profile == MediumProfile::Layers) {
      d.Y = {0};
      d.Ns = {1.5, 1};
    }
  } else {
    return Quoted(name) + " is no medium (one of " + profileWords() + ", or none)";
  }
  std::vector<std::string_view> seen;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string_view w = words[i];
    const std::size_t eq = w.find('=');
    if (eq == std::string_view::npos) return "expected KEY=VALUE in the medium, got " + Quoted(w);
    const std::string_view key = w.substr(0, eq), value = w.substr(eq + 1);
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) return "the medium gives " + Quoted(key) + " twice";
    seen.push_back(key);
    const std::string where = "medium " + std::string(w);
    const auto keyError = [&] {
      return Quoted(key) + " is not a key of the " + MediumProfileWord(d.Profile) + " medium (its keys: " +
             keysOf(d.Profile) + ")";
    };
    if (d.Profile == MediumProfile::Layers) {
      if (key != "y" && key != "n") return keyError();
      const auto list = numberList(value);
      if (!list) return "expected numbers separated by colons in " + Quoted(where);
      (key == "y" ? d.Y : d.Ns) = *list;
      continue;
    }
    const auto v = ParseLensNumber(value);
    double* field = nullptr;
    switch (d.Profile) {
      case MediumProfile::Uniform: field = key == "n" ? &d.N : nullptr; break;
      case MediumProfile::HotRoad: field = key == "n0" ? &d.N0 : key == "g" ? &d.G : nullptr; break;
      case MediumProfile::Fibre: field = key == "n0" ? &d.N0 : key == "a" ? &d.A : nullptr; break;
      case MediumProfile::HalfPlane: field = key == "c" ? &d.C : key == "y0" ? &d.Y0 : nullptr; break;
      case MediumProfile::Luneburg: field = key == "r" ? &d.R : nullptr; break;
      case MediumProfile::Layers: break;
    }
    if (!field) return keyError();
    if (!v) return "expected a number in " + Quoted(where);
    *field = *v;
  }
  into = d;
  return {};
}

std::string ReadMedium(std::string_view text, std::optional<MediumDesign>& into) {
  std::optional<MediumDesign> design;
  if (std::string e = ParseMedium(text, design); !e.empty()) return e;
  if (design) {
    if (optics::MediumBuild b = optics::MakeMedium(*design); !b.medium) return b.error;
  }
  into = design;
  return {};
}

std::string MediumText(const std::optional<MediumDesign>& design) {
  if (!design) return "none";
  const MediumDesign& d = *design;
  const std::string word = MediumProfileWord(d.Profile);
  switch (d.Profile) {
    case MediumProfile::Uniform: return word + ",n=" + shortest(d.N);
    case MediumProfile::HotRoad: return word + ",n0=" + shortest(d.N0) + ",g=" + shortest(d.G);
    case MediumProfile::Fibre: return word + ",n0=" + shortest(d.N0) + ",a=" + shortest(d.A);
    case MediumProfile::HalfPlane: return word + ",c=" + shortest(d.C) + ",y0=" + shortest(d.Y0);
    case MediumProfile::Luneburg: return word + ",r=" + shortest(d.R);
    case MediumProfile::Layers: return word + ",y=" + listText(d.Y) + ",n=" + listText(d.Ns);
  }
  return word;
}

std::string MediumSummary(const MediumDesign& d) {
  const MediumPreset* preset = PresetOf(d);
  const std::string name = preset ? MediumPresetName(*preset) + ": " : std::string();
  std::string formula;
  switch (d.Profile) {
    case MediumProfile::Uniform: formula = "n = " + shortest(d.N); break;
    case MediumProfile::HotRoad:
      formula = "n = " + shortest(d.N0) + (d.G < 0 ? " - " : " + ") + shortest(std::abs(d.G)) + " y";
      break;
    case MediumProfile::Fibre: formula = "n² = " + shortest(d.N0) + "² (1 - (" + shortest(d.A) + " y)²)"; break;
    case MediumProfile::HalfPlane:
      formula = "n = " + shortest(d.C) + " / (y " + (d.Y0 < 0 ? "+ " : "- ") + shortest(std::abs(d.Y0)) + ")";
      break;
    case MediumProfile::Luneburg: formula = text::Tr("summary.medium.luneburg", {{"r", shortest(d.R)}}); break;
    case MediumProfile::Layers:
      formula = text::Tr("summary.medium.layers", {{"heights", listText(d.Y)}, {"indices", listText(d.Ns)}});
      break;
  }
  return name + formula;
}

}  // namespace lab
