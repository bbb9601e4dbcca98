// The Lens panel's one table: a face's slider maps to a radius and back the
// same way for every position; a field without a number is answered with
// what to type; the source swallowed by a thick lens is said.
#include "LabTesting.h"
#include "lab/SceneHints.h"

#include "lab/LensPanelRows.h"
#include "optics/Faces.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using lab::LensField;
using lab_testing::drag;
using lab_testing::StartedLab;

TEST(FaceSlider, EveryPositionIsAFaceTheLensTakesAndMapsBackToItself) {
  for (int p = -lab::kCurvatureEnd; p <= lab::kCurvatureEnd; ++p) {
    const optics::FaceDesign face = lab::FaceAtSlider(p);
    EXPECT_EQ(face.Flat, p == 0) << p;
    EXPECT_EQ(lab::FaceSliderPosition(face), p) << "radius " << face.Radius;
    if (p == 0) continue;
    EXPECT_EQ(face.Radius > 0, p > 0) << "a positive position bulges";
    // Only radii a face may have: the slider's ends are the smallest.
    EXPECT_GE(std::abs(face.Radius), optics::kMinRadius) << p;
    optics::LensDesign design;
    design.First = face;
    design.Aperture = 40;  // the most bulging faces still leave an edge there
    EXPECT_TRUE(optics::MakeLens(design).lens) << "r1 at slider " << p << ": " << optics::MakeLens(design).error;
  }
  // Radii beyond the ends stand at the ends; the standard face at 10000/180.
  EXPECT_EQ(lab::FaceSliderPosition({.Flat = false, .Radius = 50}), lab::kCurvatureEnd);
  EXPECT_EQ(lab::FaceSliderPosition({.Flat = false, .Radius = -50}), -lab::kCurvatureEnd);
  EXPECT_EQ(lab::FaceSliderPosition({.Flat = false, .Radius = 180}), 56);
  EXPECT_EQ(lab::FaceSliderPosition({.Flat = false, .Radius = 1e9}), 0);
}

struct TypedCase {
  const char* name;
  LensField field;
  const char* typed;
  const char* says;  // empty: taken as a number
};

class LensFieldTyped : public ::testing::TestWithParam<TypedCase> {};

TEST_P(LensFieldTyped, IsANumberOrSaysWhatToType) {
  const std::string problem = lab::LensFieldProblem(GetParam().field, GetParam().typed);
  if (*GetParam().says == '\0') {
    EXPECT_EQ(problem, "");
  } else {
    EXPECT_EQ(problem, GetParam().says);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, LensFieldTyped,
    ::testing::Values(TypedCase{"emptyIndex", LensField::Index, "", "type a number for n, from 1.05 to 4"},
                      TypedCase{"blankIndex", LensField::Index, "  ", "type a number for n, from 1.05 to 4"},
                      TypedCase{"wordIndex", LensField::Index, "two", "type a number for n, from 1.05 to 4"},
                      TypedCase{"commaIndex", LensField::Index, "1,5", "type a number for n, from 1.05 to 4"},
                      TypedCase{"indexOutOfRangeIsANumber", LensField::Index, "0.5", ""},
                      TypedCase{"indexWithBlanks", LensField::Index, " 1.5 ", ""},
                      TypedCase{"emptyRadius", LensField::Second, "",
                                "type a radius for r2, 100 to 100000 either sign, or tick flat"},
                      TypedCase{"negativeRadius", LensField::First, "-250", ""},
                      TypedCase{"emptyThickness", LensField::Thickness, "",
                                "type a number for the thickness, from 2 to 400"},
                      TypedCase{"infiniteThickness", LensField::Thickness, "1e400",
                                "type a number for the thickness, from 2 to 400"},
                      TypedCase{"emptyAperture", LensField::Aperture, "",
                                "type a number for the aperture, above 0 up to 400, or tick where the faces meet"}),
    [](const ::testing::TestParamInfo<TypedCase>& i) { return std::string(i.param.name); });

TEST(LensTakenNote, SaysWhenTheSourceNowLiesInTheGlass) {
  StartedLab l;
  drag(l, lab::Marker::Source, -60, 10);
  EXPECT_EQ(lab::LensTakenNote(l), "") << "the standard lens leaves the source in the air";
  optics::LensDesign thick;
  thick.Thickness = 200;
  thick.Aperture = 100;
  ASSERT_EQ(l.setLens(thick), "");
  EXPECT_EQ(lab::LensTakenNote(l), lab::SceneHints(l).at(0)) << "the panel and the hint say it in one text";
  // The glass's own points, and points just outside it.
  EXPECT_TRUE(optics::InGlass(l.lens(), 0, 0));
  EXPECT_TRUE(optics::InGlass(optics::Lens::Standard(), -14, 0));
  EXPECT_FALSE(optics::InGlass(optics::Lens::Standard(), -16, 0));
  EXPECT_FALSE(optics::InGlass(optics::Lens::Standard(), 0, 72));
  EXPECT_TRUE(optics::InGlass(optics::Lens::Standard(), 0, 71));
}

}  // namespace
