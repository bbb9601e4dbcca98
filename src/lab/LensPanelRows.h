#pragma once

#include "optics/Lens.h"
#include "optics/LensDesign.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lab {

// The Lens panel's rows as both views show them: what each field holds, the
// values it may take, its steps, its hint, its check box, and how a face's
// slider maps to a radius. The window's panel and the page's read this one
// table, so the same slider position gives the same lens in each.

enum class LensField { Index, First, Second, Thickness, Aperture };

struct LensPanelRow {
  LensField field;
  const char* key;    // as --lens spells it: n, r1, r2, thickness, aperture
  // The words are catalogue keys (text::Tr):
  const char* name;   // as a sentence names it: "n", "the thickness"
  const char* label;  // the window's label (with its & mnemonic)
  const char* hint;
  double low, high;     // the values a field may take (a face: the size of its radius)
  double step;          // a spin box's or number field's step
  int decimals;         // the decimals a field shows
  double sliderStep;    // a plain slider's step; faces run over the curvature
  const char* toggle;   // "flat", "where the faces meet" (keys), or nullptr
  const char* ticked;   // the value --lens spells for a ticked toggle ("flat", "auto"), or nullptr
  bool curvature;       // a face: the slider runs over kCurvatureScale / R
};

[[nodiscard]] const std::array<LensPanelRow, 5>& LensPanelRows();
[[nodiscard]] const LensPanelRow& LensPanelRowOf(LensField field);

// A face's slider runs over its curvature, kCurvatureScale / R in whole
// steps, so that a drag from bulging to hollow passes through flat (0) and
// never through the radii below kMinRadius that no face may have (they lie
// beyond the slider's ends).
inline constexpr double kCurvatureScale = 10000;
inline constexpr int kCurvatureEnd = static_cast<int>(kCurvatureScale / optics::kMinRadius);

// The slider position of a face's radius (0: flat), clamped to its ends.
[[nodiscard]] int FaceSliderPosition(const optics::FaceDesign& face);
// The face a slider position stands for.
[[nodiscard]] optics::FaceDesign FaceAtSlider(int position);

// Every field's slider in whole positions, one mapping for every view: a
// face's over its curvature (FaceSliderPosition, 0 flat), any other field's
// in sliderSteps from zero over low .. high. A position stands for the value
// the field then shows: rounded to the field's decimals as a number field
// rounds it, so the slider and the field never give two lenses.
struct SliderRange {
  int low = 0, high = 0;
};
[[nodiscard]] SliderRange LensSliderRange(LensField field);
// A face's value is its radius, 0 for flat.
[[nodiscard]] int LensSliderPosition(LensField field, double value);
// Empty for a face's flat position.
[[nodiscard]] std::optional<double> LensSliderValue(LensField field, int position);

// Why the text typed into a field is no value, in a teacher's words ("type
// a number for n, from 1.05 to 4"); empty when it is a number (one out of
// range is refused by the lens with the range it breaks). `typed` is the
// field's text as the user left it.
[[nodiscard]] std::string LensFieldProblem(LensField field, std::string_view typed);

// What a teacher should know of a lens just taken that the picture does not
// say by itself: the source standing in the glass. Empty when nothing.
[[nodiscard]] std::string LensTakenNote(const optics::Lens& lens, double sourceX, double sourceY);
class Lab;
// The same for the lab's lens and source marker as they stand.
[[nodiscard]] std::string LensTakenNote(const Lab& lab);

}  // namespace lab
