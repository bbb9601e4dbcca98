// The medium scene in the lab: the medium's text, taking a medium and
// leaving it, the path through a chosen point (least at the real path), the
// stationary paths and their labels, the bundle's fronts, the files, the
// journal and the set-ups.
#include "LabTesting.h"

#include "core/MediumBundle.h"
#include "lab/Captions.h"
#include "lab/Format.h"
#include "lab/MediumRun.h"
#include "lab/MediumText.h"
#include "lab/Run.h"
#include "graphs/MediumCurve.h"
#include "lab/Setup.h"
#include "lab/SetupRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

using lab_testing::StartedLab;
using optics::MediumDesign;
using optics::MediumProfile;

MediumDesign preset(const char* key) {
  for (const lab::MediumPreset& p : lab::MediumPresets()) {
    if (std::string_view(p.key) == key) return p.design;
  }
  ADD_FAILURE() << "no preset " << key;
  return {};
}

void runAll(lab::Lab& l, std::initializer_list<const char*> words) {
  std::vector<lab::Action> script;
  for (const char* w : words) ASSERT_EQ(lab::ParseAction(w, script), "") << w;
  for (const lab::Action& a : script) lab::RunAction(l, a, {});
}

// ---------------------------------------------------------------- the text

struct TextCase {
  const char* text;
  MediumDesign design;
};

class MediumTextReads : public ::testing::TestWithParam<TextCase> {};

TEST_P(MediumTextReads, ToTheDesignAndBackToTheSameDesign) {
  std::optional<MediumDesign> read;
  ASSERT_EQ(lab::ReadMedium(GetParam().text, read), "") << GetParam().text;
  EXPECT_EQ(read, GetParam().design);
  std::optional<MediumDesign> again;
  ASSERT_EQ(lab::ReadMedium(lab::MediumText(read), again), "") << lab::MediumText(read);
  EXPECT_EQ(again, read);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MediumTextReads,
    ::testing::Values(
        TextCase{"uniform,n=1.33", {.N = 1.33}},
        TextCase{"hot-road,n0=1.2,g=0.004", {.Profile = MediumProfile::HotRoad, .N0 = 1.2, .G = 0.004}},
        TextCase{"hot-road,g=-0.002", {.Profile = MediumProfile::HotRoad, .G = -0.002}},
        TextCase{"fibre,n0=1.5,a=0.005", {.Profile = MediumProfile::Fibre, .N0 = 1.5, .A = 0.005}},
        TextCase{"half-plane,c=200,y0=-150", {.Profile = MediumProfile::HalfPlane, .C = 200, .Y0 = -150}},
        TextCase{"luneburg,r=120", {.Profile = MediumProfile::Luneburg, .R = 120}},
        TextCase{"layers,y=-50:20.5,n=1:1.33:2",
                 {.Profile = MediumProfile::Layers, .Y = {-50, 20.5}, .Ns = {1, 1.33, 2}}},
        TextCase{"mirage", {.Profile = MediumProfile::HotRoad, .N0 = 0.95, .G = 0.005}},
        TextCase{"preset=mirage,g=0.004", {.Profile = MediumProfile::HotRoad, .N0 = 0.95, .G = 0.004}}));

struct BadText {
  const char* text;
  const char* says;
};

class MediumTextRefuses : public ::testing::TestWithParam<BadText> {};

TEST_P(MediumTextRefuses, InOneLineKeepingTheMedium) {
  std::optional<MediumDesign> kept = MediumDesign{.N = 2};
  const std::string e = lab::ReadMedium(GetParam().text, kept);
  EXPECT_NE(e.find(GetParam().says), std::string::npos) << e;
  EXPECT_EQ(e.find('\n'), std::string::npos);
  EXPECT_EQ(kept, MediumDesign{.N = 2});
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MediumTextRefuses,
    ::testing::Values(BadText{"", "empty medium"}, BadText{"glass", "'glass' is no medium"},
                      BadText{"n=1.5", "starts with its profile"}, BadText{"uniform,g=1", "not a key of the uniform"},
                      BadText{"fibre,n0=1.5,n0=1.4", "gives 'n0' twice"}, BadText{"fibre,a", "expected KEY=VALUE"},
                      BadText{"luneburg,r=x", "expected a number"}, BadText{"layers,y=1:a", "separated by colons"},
                      BadText{"layers,y=10:0,n=1:2:3", "rising"}, BadText{"fibre,a=2", "a must be"},
                      BadText{"uniform,n=11", "out of range"}));

// ---------------------------------------------------------------- the scene

TEST(MediumScene, TakenFromTheLensPutsTheMarkersAtThePresetsStart) {
  StartedLab l;
  ASSERT_EQ(l.setMedium(preset("mirage")), "");
  ASSERT_NE(l.medium(), nullptr);
  EXPECT_EQ(lab_testing::centre(l, lab::Marker::Source).x, -120);
  EXPECT_EQ(lab_testing::centre(l, lab::Marker::Source).y, 20);
  EXPECT_EQ(l.target().x, 120);
  EXPECT_FALSE(l.controls().thesiy.enabled) << "the target is a marker of its own";
  // A medium that cannot exist is refused, the scene kept.
  EXPECT_NE(l.setMedium(MediumDesign{.N = 0}), "");
  EXPECT_EQ(l.mediumDesign(), preset("mirage"));
  // A mirror leaves the medium scene; no mirror from there is the lens.
  ASSERT_EQ(l.setMirror(optics::MirrorDesign{}), "");
  EXPECT_EQ(l.medium(), nullptr);
  ASSERT_EQ(l.setMedium(preset("fibre")), "");
  ASSERT_EQ(l.setMirror(std::nullopt), "");
  EXPECT_EQ(l.medium(), nullptr);
  EXPECT_EQ(l.mirror(), nullptr);
}

TEST(MediumScene, LeftForTheLensDrawsWhatAChangeOfLensDraws) {
  StartedLab a, b;
  ASSERT_EQ(a.setMedium(preset("fibre")), "");
  lab_testing::drag(a, lab::Marker::Source, -150, 60);
  ASSERT_EQ(a.setMedium(std::nullopt), "");
  lab_testing::drag(b, lab::Marker::Source, -150, 60);
  const lab::ShapeCentre e = lab_testing::centre(a, lab::Marker::Entry);
  lab_testing::drag(b, lab::Marker::Entry, e.x, e.y);
  ASSERT_EQ(b.setLens(optics::LensDesign{}), "");
  EXPECT_TRUE(lab_testing::sameOps(lab_testing::sinceLastCls(a), lab_testing::sinceLastCls(b)));
  EXPECT_EQ(lab_testing::stateText(a), lab_testing::stateText(b));
}

TEST(MediumScene, MirageShowsBothPathsTheirKindsAndTheAgreement) {
  StartedLab l;
  ASSERT_EQ(l.setMedium(preset("mirage")), "");
  ASSERT_TRUE(l.click(1));
  const auto& r = l.results().mediumFermat();
  ASSERT_TRUE(r.has_value());
  ASSERT_EQ(r->Paths.size(), 2u);
  EXPECT_TRUE(r->Paths[0].Path.minimum());
  EXPECT_FALSE(r->Paths[1].Path.minimum());
  EXPECT_LT(r->Agreement, 1e-3);
  const auto captions = l.captions();
  EXPECT_EQ(captions[1], "χρόνος = " + lab::Format(r->Paths[0].Path.time, "0.00"));
  EXPECT_EQ(captions[2], "paths = 2 (saddles 1)");
  EXPECT_EQ(captions[3], "ray equation within " + lab::SignificantText(r->Agreement, 2));
  // One printed line per path, least first, with its kind.
  std::istringstream lines(lab::MediumLabelLines(l));
  std::string first, second, none;
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_EQ(first.rfind("Path\tminimum\ttime " + lab::Format(r->Paths[0].Path.time, "0.00"), 0), 0u) << first;
  EXPECT_EQ(second.rfind("Path\tsaddle\ttime " + lab::Format(r->Paths[1].Path.time, "0.00"), 0), 0u) << second;
  EXPECT_FALSE(std::getline(lines, none));
  // The entry marker stands on the least path, halfway through its time.
  const lab::ShapeCentre e = lab_testing::centre(l, lab::Marker::Entry);
  const core::ViaPath via = core::PathThrough(l.medium()->medium, {-120, 20}, {e.x, e.y}, {120, 20});
  ASSERT_TRUE(via.Time.has_value());
  EXPECT_NEAR(*via.Time, r->Paths[0].Path.time, 1e-3);
}

TEST(MediumScene, PathThroughAPointIsLeastOnTheRealPath) {
  // Fermat's principle as the student sees it: forced through a point off
  // the least-time path, light takes longer; the via time is least where the
  // point lies on the path itself.
  StartedLab l;
  ASSERT_EQ(l.setMedium(preset("circles")), "");
  ASSERT_TRUE(l.click(1));
  const optics::CurvedPath& p = l.results().mediumFermat()->Paths.front().Path;
  const optics::PlanePoint on = p.points[p.points.size() / 2];
  double lastTime = 0;
  for (const double dy : {0.0, 5.0, 15.0, 40.0}) {
    lab_testing::drag(l, lab::Marker::Entry, static_cast<float>(on.x), static_cast<float>(on.y + dy));
    const std::optional<double> t = l.results().path().Time;
    ASSERT_TRUE(t.has_value());
    if (dy == 0) {
      EXPECT_NEAR(*t, p.time, 1e-2) << "on the path";
    } else {
      EXPECT_GT(*t, lastTime) << "farther off the path, dy = " << dy;
    }
    lastTime = *t;
    EXPECT_EQ(l.captions()[1], lab::PathTimeCaption(*t));
  }
}

TEST(MediumScene, NoPathSaysWhyInThePrintedLines) {
  StartedLab l;
  ASSERT_EQ(l.setMedium(MediumDesign{.Profile = MediumProfile::Fibre, .N0 = 1.5, .A = 0.01}), "");
  runAll(l, {"target=100,150"});  // beyond the fibre's edge at 100
  ASSERT_TRUE(l.click(1));
  ASSERT_TRUE(l.message().has_value());
  l.dismissMessage();
  EXPECT_EQ(lab::MediumLabelLines(l), "Paths\tnone: the target stands where the medium has no index\n");
}

TEST(MediumScene, UniformFrontsAreCirclesAboutTheSource) {
  // In a uniform medium the least-time paths are straight and the front at
  // time t is the circle of radius t / n about the source.
  StartedLab l;
  ASSERT_EQ(l.setMedium(MediumDesign{.N = 1.25}), "");
  runAll(l, {"source=-200,10", "target=150,0", "rays=12", "time=60", "press=5"});
  const auto& b = l.results().mediumBundle();
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->Paths.size(), 12u);
  ASSERT_TRUE(l.results().mediumFront().has_value());
  const double t = *l.results().mediumFront();
  EXPECT_DOUBLE_EQ(t, b->LongestTime * 60 / 100);
  const auto pieces = core::FrontAt(*b, t);
  ASSERT_FALSE(pieces.empty());
  for (const auto& piece : pieces) {
    for (const core::Point& q : piece) EXPECT_NEAR(std::hypot(q.x + 200, q.y - 10), t / 1.25, 1e-6);
  }
}

TEST(MediumScene, PathsFileHeadsEachPathWithItsKindTimeAndAgreement) {
  StartedLab l;
  ASSERT_EQ(l.setMedium(preset("fibre")), "");
  ASSERT_TRUE(l.click(1));
  const std::string file = lab::PathsFile(l);
  std::istringstream in(file);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "# medium: fibre,n0=1.5,a=0.006");
  std::getline(in, line);
  EXPECT_EQ(line, "path,point,x,y");
  const auto& paths = l.results().mediumFermat()->Paths;
  std::size_t headers = 0, rows = 0;
  while (std::getline(in, line)) {
    if (line.rfind("# path ", 0) == 0) {
      ++headers;
      EXPECT_NE(line.find(paths[headers - 1].Path.minimum() ? ": minimum, time " : ": saddle, time "),
                std::string::npos)
          << line;
    } else {
      ++rows;
    }
  }
  EXPECT_EQ(headers, paths.size());
  std::size_t points = 0;
  for (const auto& p : paths) points += p.Path.points.size();
  EXPECT_EQ(rows, points);
  // After a bundle the file holds the bundle's paths.
  ASSERT_TRUE(l.click(2));
  const std::string bundle = lab::PathsFile(l);
  std::size_t bundleHeaders = 0;
  for (std::size_t at = bundle.find("# path "); at != std::string::npos; at = bundle.find("# path ", at + 1)) {
    ++bundleHeaders;
  }
  EXPECT_EQ(bundleHeaders, l.results().mediumBundle()->Paths.size());
}

TEST(MediumScene, AReplayOfTheJournalEndsWhereTheSessionDid) {
  StartedLab l;
  ASSERT_EQ(l.setMedium(preset("cold-sea")), "");
  runAll(l, {"target=180,-40", "source=-210,-50", "entry=0,10", "press=1", "rays=6", "press=3"});
  StartedLab again;
  ASSERT_EQ(again.setMedium(preset("cold-sea")), "");
  again.restart(l.startPlacement());
  for (const lab::Action& a : l.journal()) lab::RunAction(again, a, {});
  EXPECT_EQ(lab_testing::stateText(again), lab_testing::stateText(l));
  EXPECT_EQ(again.placement(), l.placement());
  EXPECT_EQ(lab::LabelLines(again), lab::LabelLines(l));
}

TEST(MediumScene, ASetUpCarriesTheMediumAndTheTarget) {
  StartedLab l;
  ASSERT_EQ(l.setMedium(preset("layers")), "");
  runAll(l, {"target=200,-120", "press=1"});
  const std::string text = lab::SetupJson(lab::CurrentSetup(l));
  EXPECT_NE(text.find("\"medium\": \"layers,y=-80:0:80,n=1.6:1.4:1.2:1\""), std::string::npos) << text;
  const lab::SetupRead read = lab::ParseSetup(text);
  ASSERT_TRUE(read.setup.has_value()) << read.error;
  StartedLab opened;
  ASSERT_EQ(lab::OpenSetup(opened, *read.setup), "");
  EXPECT_EQ(opened.mediumDesign(), preset("layers"));
  EXPECT_EQ(opened.target().x, 200);
  EXPECT_EQ(lab::LabelLines(opened), lab::LabelLines(l));
  // A set-up with a mirror and a medium is refused in one line.
  std::string both = text;
  both.insert(both.find("\"medium\""), "\"mirror\": \"flat\", ");
  EXPECT_NE(lab::ParseSetup(both).error.find("a set-up holds a mirror or a medium, not both"), std::string::npos);
}

TEST(MediumScene, TheCurveThroughAPointIsLeastWhereTheLineMeetsThePath) {
  StartedLab l;
  ASSERT_EQ(l.setMedium(preset("circles")), "");
  runAll(l, {"entry=0,60", "press=1"});
  const optics::CurvedPath& p = l.results().mediumFermat()->Paths.front().Path;
  const graphs::CurveData d = lab::CurrentCurve(l);
  EXPECT_TRUE(d.throughPoint);
  ASSERT_GE(d.samples.size(), 20u);
  ASSERT_TRUE(d.least.has_value());
  EXPECT_NEAR(d.least->time, p.time, 1e-9);
  // Every point of the family takes at least the least time, and the
  // sample nearest the crossing little more.
  const graphs::CurveSample* nearest = &d.samples.front();
  for (const graphs::CurveSample& c : d.samples) {
    EXPECT_GE(c.time, p.time - 1e-3) << "at height " << c.y;
    if (std::abs(c.y - d.least->y) < std::abs(nearest->y - d.least->y)) nearest = &c;
  }
  const double spacing = d.samples[1].y - d.samples[0].y;
  EXPECT_LT(nearest->time - p.time, 0.01 * spacing * spacing);
  ASSERT_EQ(d.stationary.size(), 1u);
  EXPECT_EQ(d.stationary.front().kind, optics::StationaryKind::Minimum);
}

TEST(MediumScene, TheChallengeScoresTheGuessAgainstTheCurvedPath) {
  StartedLab l;
  ASSERT_EQ(l.setMedium(preset("mirage")), "");
  l.challenge().start(l);
  runAll(l, {"entry=0,40"});
  const std::optional<lab::ChallengeReveal>& r = l.challenge().reveal(l);
  ASSERT_TRUE(r.has_value());
  ASSERT_TRUE(r->found);
  EXPECT_EQ(r->tries, 1);
  const optics::CurvedSearch least = optics::FindCurvedPaths(l.medium()->medium, {-120, 20}, {120, 20});
  EXPECT_DOUBLE_EQ(r->leastTime, least.paths.front().time);
  EXPECT_EQ(r->leastX, 0);
  EXPECT_NEAR(r->distance, 40 - r->leastY, 1e-9);
  EXPECT_GT(r->timeGap, 0) << "a path forced off the least-time path is slower";
  // Both paths are drawn as the curves they are.
  const lab::ChallengeDrawing d = lab::ChallengeAnswerDrawing(*r);
  ASSERT_EQ(d.paths.size(), 2u);
  EXPECT_GT(d.paths[0].points.size(), 64u);
  EXPECT_GT(d.paths[1].points.size(), 64u);
}

}  // namespace

namespace {

TEST(MediumBundle, AWarmStartFindsThePathsAColdStartFinds) {
  // While the hand moves each path starts from where it was: the paths must
  // be the ones a fresh search gives for the new source, not the old ones.
  const optics::Medium m = *optics::MakeMedium(preset("mirage")).medium;
  const core::Frame frame{307, 192};
  const core::MediumBundleResult before = core::MediumBundle(m, {-120, 20}, {120, 20}, 10, frame);
  const core::MediumBundleResult warm = core::MediumBundle(m, {-110, 28}, {120, 20}, 10, frame, &before);
  const core::MediumBundleResult cold = core::MediumBundle(m, {-110, 28}, {120, 20}, 10, frame);
  ASSERT_GE(cold.Paths.size(), 5u);
  ASSERT_EQ(warm.Of, cold.Of);
  for (std::size_t i = 0; i < cold.Paths.size(); ++i) {
    EXPECT_NEAR(warm.Paths[i].time, cold.Paths[i].time, 1e-6) << "target " << cold.Of[i];
    EXPECT_EQ(warm.Paths[i].points.front(), (optics::PlanePoint{-110, 28}));
  }
}

struct EdgeCase {
  const char* name;
  MediumDesign design;
  std::vector<double> heights;  // of the horizontal edges, in order
};

class MediumEdges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(MediumEdges, StandWhereTheMediumEndsOrChanges) {
  const optics::Medium m = *optics::MakeMedium(GetParam().design).medium;
  const lab::MediumShape s = lab::ShapeOf(GetParam().design, m, {307, 192});
  ASSERT_EQ(s.edges.size(), GetParam().heights.size());
  for (std::size_t i = 0; i < s.edges.size(); ++i) {
    const double y = GetParam().heights[i];
    EXPECT_NEAR(s.edges[i].front().y, y, 1e-9);
    // Past a medium's end it has no index; a layer's boundary changes it.
    if (GetParam().design.Profile == MediumProfile::Layers) {
      EXPECT_NE(m.at(0, y - 0.01).n, m.at(0, y + 0.01).n) << "at y = " << y;
    } else {
      EXPECT_NE(m.defined(0, y - 0.01), m.defined(0, y + 0.01)) << "at y = " << y;
    }
  }
}

const double kFibreEdge = std::sqrt(1 - (0.05 / 1.5) * (0.05 / 1.5)) / 0.006;

INSTANTIATE_TEST_SUITE_P(
    Profiles, MediumEdges,
    ::testing::Values(EdgeCase{"road", {.Profile = MediumProfile::HotRoad, .N0 = 0.95, .G = 0.005}, {-180}},
                      EdgeCase{"fibre", {.Profile = MediumProfile::Fibre, .N0 = 1.5, .A = 0.006},
                               {-kFibreEdge, kFibreEdge}},
                      EdgeCase{"halfPlane", {.Profile = MediumProfile::HalfPlane, .C = 200, .Y0 = -200}, {-180}},
                      // The boundary above the frame is left out.
                      EdgeCase{"layers",
                               {.Profile = MediumProfile::Layers, .Y = {-80, 0, 80, 300}, .Ns = {1, 2, 3, 4, 5}},
                               {-80, 0, 80}},
                      EdgeCase{"uniform", {.N = 1.2}, {}}),
    [](const ::testing::TestParamInfo<EdgeCase>& p) { return std::string(p.param.name); });

}  // namespace

