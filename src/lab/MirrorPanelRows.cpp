#include "lab/MirrorPanelRows.h"

#include "lab/Format.h"

#include "lab/LensText.h"
#include "lab/Numbers.h"
#include "text/Language.h"

#include <algorithm>

namespace lab {
namespace {

using K = optics::MirrorKind;

constexpr MirrorKindEntry kKinds[] = {
    {K::Flat, "flat", "mirrorPanel.kind.flat"},
    {K::Concave, "concave", "mirrorPanel.kind.concave"},
    {K::Convex, "convex", "mirrorPanel.kind.convex"},
    {K::Parabolic, "parabolic", "mirrorPanel.kind.parabolic"},
    {K::Elliptical, "elliptical", "mirrorPanel.kind.elliptical"},
};

constexpr double kFocusReach = 500;  // what a field offers for a focus's coordinate; the text takes more

constexpr MirrorPanelRow kRadius{"r", "mirrorPanel.r.label", "mirrorPanel.r.hint", optics::kMinMirrorRadius, 5000, 1};
constexpr MirrorPanelRow kFocal{"f", "mirrorPanel.f.label", "mirrorPanel.f.hint", optics::kMinMirrorFocal, 5000, 1};
constexpr MirrorPanelRow kFoci[] = {
    {"f1x", "mirrorPanel.f1x.label", "mirrorPanel.f1x.hint", -kFocusReach, kFocusReach, 1},
    {"f1y", "mirrorPanel.f1y.label", "mirrorPanel.f1y.hint", -kFocusReach, kFocusReach, 1},
    {"f2x", "mirrorPanel.f2x.label", "mirrorPanel.f2x.hint", -kFocusReach, kFocusReach, 1},
    {"f2y", "mirrorPanel.f2y.label", "mirrorPanel.f2y.hint", -kFocusReach, kFocusReach, 1},
};
constexpr MirrorPanelRow kAperture{"aperture", "mirrorPanel.aperture.label", "mirrorPanel.aperture.hint",
                                   optics::kMinMirrorAperture, optics::kMaxMirrorAperture, 1};

double* fieldOf(optics::MirrorDesign& d, std::string_view key) {
  if (key == "r") return &d.Radius;
  if (key == "f") return &d.Focal;
  if (key == "f1x") return &d.F1x;
  if (key == "f1y") return &d.F1y;
  if (key == "f2x") return &d.F2x;
  if (key == "f2y") return &d.F2y;
  return nullptr;
}

MirrorEdit checked(const optics::MirrorDesign& d) {
  if (optics::MirrorBuild b = optics::MakeMirror(d); !b.mirror) return {std::nullopt, b.error};
  return {d, {}};
}

}  // namespace

std::span<const MirrorKindEntry> MirrorKinds() noexcept { return kKinds; }

const char* MirrorKindWord(optics::MirrorKind kind) noexcept {
  for (const MirrorKindEntry& e : kKinds) {
    if (e.kind == kind) return e.word;
  }
  return "flat";
}

std::vector<MirrorPanelRow> MirrorPanelRows(optics::MirrorKind kind) {
  std::vector<MirrorPanelRow> rows;
  rows.reserve(5);
  if (kind == K::Concave || kind == K::Convex) rows.push_back(kRadius);
  if (kind == K::Parabolic) rows.push_back(kFocal);
  if (kind == K::Elliptical) {
    for (const MirrorPanelRow& r : kFoci) rows.push_back(r);
  }
  rows.push_back(kAperture);
  return rows;
}

double MirrorFieldValue(const optics::MirrorDesign& design, const optics::Mirror& mirror, std::string_view key) {
  if (key == "aperture") return mirror.aperture();
  optics::MirrorDesign d = design;
  const double* v = fieldOf(d, key);
  return v ? *v : 0;
}

MirrorEdit EditMirror(const optics::MirrorDesign& design, std::string_view key, std::string_view typed) {
  const std::vector<MirrorPanelRow> rows = MirrorPanelRows(design.Kind);
  const auto row = std::find_if(rows.begin(), rows.end(), [&](const MirrorPanelRow& r) { return key == r.key; });
  if (row == rows.end()) return {std::nullopt, Quoted(key) + " is not a field of a " + MirrorKindWord(design.Kind) + " mirror"};
  const std::optional<double> v = ParseLensNumber(typed);
  if (!v) return {std::nullopt, text::Tr("mirrorPanel.wantNumber", {{"label", text::Tr(row->label)}})};
  optics::MirrorDesign d = design;
  if (double* field = fieldOf(d, key)) {
    *field = *v;
  } else {
    d.Aperture = *v;  // the one row that is no number of the design's own
  }
  return checked(d);
}

MirrorEdit MirrorOfKind(const optics::MirrorDesign& design, std::string_view word) {
  const auto* e = std::find_if(std::begin(kKinds), std::end(kKinds), [&](const MirrorKindEntry& k) { return word == k.word; });
  if (e == std::end(kKinds)) return {std::nullopt, Quoted(word) + " is no kind of mirror"};
  optics::MirrorDesign d = design;
  d.Kind = e->kind;
  return checked(d);
}

std::string MirrorFieldText(const optics::MirrorDesign& design, const optics::Mirror& mirror, std::string_view key) {
  return SignificantText(MirrorFieldValue(design, mirror, key), 12);
}

}  // namespace lab
