#include "lab/LensPanelRows.h"

#include "lab/Lab.h"
#include "lab/LensText.h"
#include "lab/SceneHints.h"
#include "numeric/Chars.h"
#include "optics/Faces.h"
#include "text/Language.h"

#include <algorithm>
#include <cmath>
#include <optional>


namespace lab {
namespace {

using text::Tr;

using optics::kMaxAperture, optics::kMaxIndex, optics::kMaxRadius, optics::kMaxThickness, optics::kMinIndex,
    optics::kMinRadius, optics::kMinThickness;

constexpr std::array<LensPanelRow, 5> kRows{{
    {LensField::Index, "n", "lensPanel.n.name", "lensPanel.n.label", "lensPanel.n.hint", kMinIndex, kMaxIndex, 0.01, 3, 0.01, nullptr, nullptr, false},
    {LensField::First, "r1", "lensPanel.r1.name", "lensPanel.r1.label", "lensPanel.r1.hint", kMinRadius, kMaxRadius,
     1, 1, 0, "lensPanel.r1.toggle", "flat", true},
    {LensField::Second, "r2", "lensPanel.r2.name", "lensPanel.r2.label", "lensPanel.r2.hint", kMinRadius, kMaxRadius,
     1, 1, 0, "lensPanel.r2.toggle", "flat", true},
    {LensField::Thickness, "thickness", "lensPanel.thickness.name", "lensPanel.thickness.label",
     "lensPanel.thickness.hint", kMinThickness, kMaxThickness, 1, 1, 1, nullptr, nullptr, false},
    // The aperture's lower bound is open (above 0): its slider starts at 1.
    {LensField::Aperture, "aperture", "lensPanel.aperture.name", "lensPanel.aperture.label",
     "lensPanel.aperture.hint", 1, kMaxAperture, 1, 2, 1, "lensPanel.aperture.toggle", "auto", false},
}};

// A number as a field's text holds it: blanks around it allowed.
std::optional<double> typedNumber(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return ParseLensNumber(s);
}

std::string shortest(double v) { return numeric::ShortestDecimal(v); }

// What the field takes, as an instruction.
std::string wanted(const LensPanelRow& row) {
  switch (row.field) {
    case LensField::Index:
    case LensField::Thickness:
      return Tr("lensPanel.wantNumber",
                {{"name", Tr(row.name)}, {"low", shortest(row.low)}, {"high", shortest(row.high)}});
    case LensField::First:
    case LensField::Second:
      return Tr("lensPanel.wantRadius", {{"name", Tr(row.name)},
                                         {"low", shortest(row.low)},
                                         {"high", shortest(row.high)},
                                         {"toggle", Tr(row.toggle)}});
    case LensField::Aperture:
      return Tr("lensPanel.wantAperture",
                {{"name", Tr(row.name)}, {"high", shortest(row.high)}, {"toggle", Tr(row.toggle)}});
  }
  return {};
}

}  // namespace

const std::array<LensPanelRow, 5>& LensPanelRows() { return kRows; }

const LensPanelRow& LensPanelRowOf(LensField field) { return kRows[static_cast<std::size_t>(field)]; }

int FaceSliderPosition(const optics::FaceDesign& face) {
  if (face.Flat || !(std::abs(face.Radius) > 0)) return 0;
  const double c = std::clamp(kCurvatureScale / face.Radius, -1.0 * kCurvatureEnd, 1.0 * kCurvatureEnd);
  return static_cast<int>(std::lround(c));
}

optics::FaceDesign FaceAtSlider(int position) {
  if (position == 0) return {.Flat = true};
  const int p = std::clamp(position, -kCurvatureEnd, kCurvatureEnd);
  return {.Flat = false, .Radius = kCurvatureScale / p};
}

SliderRange LensSliderRange(LensField field) {
  const LensPanelRow& row = LensPanelRowOf(field);
  if (row.curvature) return {-kCurvatureEnd, kCurvatureEnd};
  return {LensSliderPosition(field, row.low), LensSliderPosition(field, row.high)};
}

int LensSliderPosition(LensField field, double value) {
  const LensPanelRow& row = LensPanelRowOf(field);
  if (row.curvature) return FaceSliderPosition({.Flat = !(std::abs(value) > 0), .Radius = value});
  // A value that is no number (a field left empty) stands at the slider's low end.
  const double v = std::isfinite(value) ? std::clamp(value, row.low, row.high) : row.low;
  return static_cast<int>(std::lround(v / row.sliderStep));
}

std::optional<double> LensSliderValue(LensField field, int position) {
  const LensPanelRow& row = LensPanelRowOf(field);
  double v = 0;
  if (row.curvature) {
    const optics::FaceDesign face = FaceAtSlider(position);
    if (face.Flat) return std::nullopt;
    v = face.Radius;
  } else {
    const SliderRange r = LensSliderRange(field);
    v = std::clamp(position, r.low, r.high) * row.sliderStep;
  }
  // The decimals the field shows, rounded from the exact binary value as a
  // spin box rounds (the text with that many decimals read back).
  const std::string text = numeric::FixedDecimal(v, row.decimals);
  double shown = v;
  (void)numeric::FromChars(text.data(), text.data() + text.size(), shown);
  return shown;
}

std::string LensFieldProblem(LensField field, std::string_view typed) {
  // A number out of range is the lens's to refuse, with the range it breaks.
  return typedNumber(typed) ? std::string() : wanted(LensPanelRowOf(field));
}

std::string LensTakenNote(const optics::Lens& lens, double sourceX, double sourceY) {
  if (optics::InGlass(lens, sourceX, sourceY)) {
    return SourceInGlassHint();
  }
  return {};
}

std::string LensTakenNote(const Lab& lab) {
  const ShapeCentre s = CentreOf(lab.controls().kyklos);
  return LensTakenNote(lab.lens(), s.x, s.y);
}

}  // namespace lab
