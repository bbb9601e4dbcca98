// The mirror scene in the lab: the mirror's text, taking a mirror and
// leaving it, the markers on and off the mirror, every stationary path of
// "position by Fermat", the reflected bundle, what the scene refuses.
#include "LabTesting.h"

#include "core/MirrorBundle.h"
#include "core/MirrorWaves.h"
#include "lab/Lessons.h"
#include "lab/MirrorPanelRows.h"
#include "lab/MirrorText.h"
#include "lab/Format.h"
#include "lab/MirrorWhy.h"
#include "lab/Run.h"
#include "lab/Setup.h"
#include "lab/SetupRun.h"
#include "optics/Geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {

using lab_testing::StartedLab;

optics::MirrorDesign concave(double r) { return {.Kind = optics::MirrorKind::Concave, .Radius = r}; }

// ---------------------------------------------------------------- the text

struct TextCase {
  const char* text;
  std::optional<optics::MirrorDesign> design;
};

class MirrorTextReads : public ::testing::TestWithParam<TextCase> {};

TEST_P(MirrorTextReads, ToTheDesignAndBackToTheSameDesign) {
  std::optional<optics::MirrorDesign> read = optics::MirrorDesign{.Kind = optics::MirrorKind::Convex};
  ASSERT_EQ(lab::ReadMirror(GetParam().text, read), "") << GetParam().text;
  EXPECT_EQ(read, GetParam().design);
  std::optional<optics::MirrorDesign> again;
  ASSERT_EQ(lab::ReadMirror(lab::MirrorText(read), again), "") << lab::MirrorText(read);
  EXPECT_EQ(again, read);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MirrorTextReads,
    ::testing::Values(
        TextCase{"flat", optics::MirrorDesign{}}, TextCase{"none", std::nullopt},
        TextCase{"concave,r=120", concave(120)},
        TextCase{"convex,r=250.5,aperture=90",
                 optics::MirrorDesign{.Kind = optics::MirrorKind::Convex, .Radius = 250.5, .Aperture = 90}},
        TextCase{"parabolic,f=80", optics::MirrorDesign{.Kind = optics::MirrorKind::Parabolic, .Focal = 80}},
        TextCase{"elliptical,f1=-200,60,f2=-260,-75",
                 optics::MirrorDesign{
                     .Kind = optics::MirrorKind::Elliptical, .F1x = -200, .F1y = 60, .F2x = -260, .F2y = -75}},
        TextCase{"preset=tangent-ellipse", concave(150)}, TextCase{"tangent-ellipse,r=140", concave(140)}));

struct BadText {
  const char* text;
  const char* says;  // a part of the one-line refusal
};

class MirrorTextRefuses : public ::testing::TestWithParam<BadText> {};

TEST_P(MirrorTextRefuses, InOneLineKeepingTheMirror) {
  std::optional<optics::MirrorDesign> kept = concave(400);
  const std::string e = lab::ReadMirror(GetParam().text, kept);
  EXPECT_NE(e.find(GetParam().says), std::string::npos) << e;
  EXPECT_EQ(e.find('\n'), std::string::npos);
  EXPECT_EQ(kept, concave(400));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MirrorTextRefuses,
    ::testing::Values(BadText{"", "empty mirror"}, BadText{"spoon", "'spoon' is no kind of mirror"},
                      BadText{"r=100", "starts with its kind"}, BadText{"flat,r=100", "not a key of a flat mirror"},
                      BadText{"concave,f=100", "not a key of a concave mirror"},
                      BadText{"concave,r=x", "expected a number"}, BadText{"concave,r=100,r=200", "twice"},
                      BadText{"elliptical,f1=-200", "f1=X,Y"}, BadText{"elliptical,f1=-200,y", "f1=X,Y"},
                      BadText{"concave,zoom=2", "unknown mirror key 'zoom'"}, BadText{"concave,flat", "KEY=VALUE"},
                      BadText{"concave,r=1", "radius"}, BadText{"flat,aperture=0", "aperture"}));

// ---------------------------------------------------------------- the panel's rule

struct EditCase {
  const char* name;
  optics::MirrorDesign from;
  const char* key;
  const char* typed;
  std::optional<optics::MirrorDesign> to;  // none: refused
  const char* says;                        // part of the refusal
};

class MirrorPanelEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(MirrorPanelEdit, TakesAFieldOfTheKindOrRefusesInOneLine) {
  const EditCase& c = GetParam();
  const lab::MirrorEdit e = lab::EditMirror(c.from, c.key, c.typed);
  EXPECT_EQ(e.design, c.to);
  if (!c.to) {
    EXPECT_NE(e.error.find(c.says), std::string::npos) << e.error;
    EXPECT_EQ(e.error.find('\n'), std::string::npos);
  } else {
    EXPECT_EQ(e.error, "");
  }
  // Every row the kind shows is a field the rule takes.
  for (const lab::MirrorPanelRow& row : lab::MirrorPanelRows(c.from.Kind)) {
    const optics::Mirror m = *optics::MakeMirror(c.from).mirror;
    const std::string shown = lab::ShortestText(lab::MirrorFieldValue(c.from, m, row.key));
    EXPECT_TRUE(lab::EditMirror(c.from, row.key, shown).design.has_value()) << row.key << "=" << shown;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Edits, MirrorPanelEdit,
    ::testing::Values(
        EditCase{"radius", concave(300), "r", "120", concave(120), ""},
        EditCase{"aperture", {}, "aperture", "90", optics::MirrorDesign{.Aperture = 90}, ""},
        EditCase{"focus", {.Kind = optics::MirrorKind::Elliptical}, "f2y", "-60",
                 optics::MirrorDesign{.Kind = optics::MirrorKind::Elliptical, .F2y = -60}, ""},
        EditCase{"notANumber", concave(300), "r", "big", std::nullopt, "type a number for r"},
        EditCase{"cannotExist", concave(300), "r", "2", std::nullopt, "r"},
        EditCase{"keyOfAnotherKind", {}, "f", "100", std::nullopt, "not a field of a flat mirror"}),
    [](const ::testing::TestParamInfo<EditCase>& p) { return std::string(p.param.name); });

TEST(MirrorPanelKind, KeepsTheNumbersAcrossKinds) {
  const lab::MirrorEdit e = lab::MirrorOfKind(concave(222), "convex");
  ASSERT_TRUE(e.design.has_value()) << e.error;
  EXPECT_EQ(e.design->Kind, optics::MirrorKind::Convex);
  EXPECT_EQ(e.design->Radius, 222);
  EXPECT_FALSE(lab::MirrorOfKind(concave(222), "spoon").design.has_value());
  for (const lab::MirrorKindEntry& k : lab::MirrorKinds()) {
    // Each kind's word is the one the mirror's text starts with.
    EXPECT_EQ(lab::MirrorText(lab::MirrorOfKind({}, k.word).design).rfind(k.word, 0), 0u) << k.word;
  }
}

// ---------------------------------------------------------------- the scene

TEST(MirrorScene, OpensWithTheMarkersAtItsStartAndTheEntryOnTheVertex) {
  StartedLab l;
  ASSERT_EQ(l.setMirror(concave(300)), "");
  const lab::ShapeCentre s = lab_testing::centre(l, lab::Marker::Source);
  const lab::ShapeCentre p = lab_testing::centre(l, lab::Marker::Entry);
  EXPECT_NEAR(s.x, lab::kMirrorSourceStart.x, 0.05);
  EXPECT_NEAR(s.y, lab::kMirrorSourceStart.y, 0.05);
  EXPECT_NEAR(p.x, 0, 0.05);
  EXPECT_NEAR(p.y, 0, 0.05);
  EXPECT_EQ(l.target().x, lab::kMirrorTargetStart.x);
  EXPECT_EQ(l.target().y, lab::kMirrorTargetStart.y);
  // The height bar has no use here: the target is a marker of its own.
  EXPECT_FALSE(l.setBar(lab::BarId::Height, 20));
  EXPECT_FALSE(l.thumbMoved(lab::BarId::Height, 20));
  EXPECT_TRUE(l.click(2));
  EXPECT_EQ(l.journal().size(), 1u) << "only the press that ran";
}

TEST(MirrorScene, LeftForTheLensDrawsWhatAChangeOfLensDraws) {
  // A lab that went into the mirror scene and back draws the lens scene as a
  // lab that only took the standard lens again with the markers there.
  StartedLab a, b;
  ASSERT_EQ(a.setMirror(concave(200)), "");
  lab_testing::drag(a, lab::Marker::Source, -150, 60);
  ASSERT_EQ(a.setMirror(std::nullopt), "");
  lab_testing::drag(b, lab::Marker::Source, -150, 60);
  const lab::ShapeCentre e = lab_testing::centre(a, lab::Marker::Entry);
  lab_testing::drag(b, lab::Marker::Entry, e.x, e.y);
  ASSERT_EQ(b.setLens(optics::LensDesign{}), "");
  EXPECT_TRUE(lab_testing::sameOps(lab_testing::sinceLastCls(a), lab_testing::sinceLastCls(b)));
  EXPECT_EQ(lab_testing::stateText(a), lab_testing::stateText(b));
  EXPECT_EQ(a.placement(), b.placement());
  EXPECT_TRUE(a.setBar(lab::BarId::Height, 20));
}

TEST(MirrorScene, TheEntryPointLandsOnTheMirrorWhereverItIsDropped) {
  StartedLab l;
  ASSERT_EQ(l.setMirror(concave(150)), "");
  const optics::Mirror& m = l.mirror()->mirror;
  for (const auto& [x, y] : {std::pair{-60.0f, 40.0f}, std::pair{30.0f, -100.0f}, std::pair{-200.0f, 170.0f}}) {
    lab_testing::drag(l, lab::Marker::Entry, x, y);
    const lab::ShapeCentre p = lab_testing::centre(l, lab::Marker::Entry);
    // On the sphere about (-150, 0), to the marker's Single rounding.
    EXPECT_NEAR(std::hypot(p.x + 150.0, p.y), 150, 0.01) << x << "," << y;
    EXPECT_LE(std::abs(p.y), m.aperture() + 0.01);
    // The label's time is the path's by that point, both legs in air.
    const core::Point t = l.target();
    const lab::ShapeCentre s = lab_testing::centre(l, lab::Marker::Source);
    const double time = (std::hypot(p.x - s.x, p.y - s.y) + std::hypot(t.x - p.x, t.y - p.y)) /
                        l.scene().SpeedOutside;
    ASSERT_TRUE(l.results().path().Time.has_value());
    EXPECT_NEAR(*l.results().path().Time, time, 1e-9);
  }
}

TEST(MirrorScene, TheTargetIsTakenAndDroppedLikeAMarker) {
  StartedLab l;
  ASSERT_EQ(l.setMirror(optics::MirrorDesign{}), "");
  std::vector<lab::Action> script;
  ASSERT_EQ(lab::ParseAction("target=-100,-30", script), "");
  lab::RunAction(l, script[0], {});
  EXPECT_EQ(l.target().x, -100);
  EXPECT_EQ(l.target().y, -30);
  EXPECT_EQ(l.results().path().Target.x, -100);
  // A press beside the target takes nothing.
  l.pointerDown(-100, -10);
  EXPECT_FALSE(l.DraggingTarget);
  l.pointerUp(-100, -10);
  // Dropped beyond the frame, it stays on its edge.
  lab::RunAction(l, {.kind = lab::Action::Kind::Target, .x = -100, .y = 5000}, {});
  EXPECT_EQ(l.target().y, l.scene().YMax);
}

TEST(MirrorScene, AReplayOfTheJournalEndsWhereTheSessionDid) {
  StartedLab l;
  ASSERT_EQ(l.setMirror(concave(150)), "");
  std::vector<lab::Action> script;
  for (const char* a : {"source=-140,40", "target=-140,-40", "entry=-20,50", "press=1", "rays=14", "press=2"}) {
    ASSERT_EQ(lab::ParseAction(a, script), "") << a;
  }
  for (const lab::Action& a : script) lab::RunAction(l, a, {});
  StartedLab again;
  ASSERT_EQ(again.setMirror(concave(150)), "");
  again.restart(l.startPlacement());
  for (const lab::Action& a : l.journal()) lab::RunAction(again, a, {});
  EXPECT_EQ(lab_testing::stateText(again), lab_testing::stateText(l));
  EXPECT_EQ(again.placement(), l.placement());
  EXPECT_EQ(lab::LabelLines(again), lab::LabelLines(l));
}

TEST(MirrorScene, ASetUpCarriesTheMirrorAndTheTarget) {
  StartedLab l;
  ASSERT_EQ(l.setMirror(optics::MirrorDesign{.Kind = optics::MirrorKind::Parabolic, .Focal = 70}), "");
  std::vector<lab::Action> script;
  for (const char* a : {"target=-60,20", "source=-200,-30", "press=1"}) ASSERT_EQ(lab::ParseAction(a, script), "");
  for (const lab::Action& a : script) lab::RunAction(l, a, {});
  const std::string text = lab::SetupJson(lab::CurrentSetup(l));
  EXPECT_NE(text.find("\"mirror\": \"parabolic,f=70\""), std::string::npos) << text;
  const lab::SetupRead read = lab::ParseSetup(text);
  ASSERT_TRUE(read.setup.has_value()) << read.error;
  StartedLab opened;
  ASSERT_EQ(lab::OpenSetup(opened, *read.setup), "");
  EXPECT_EQ(opened.mirrorDesign(), l.mirrorDesign());
  EXPECT_EQ(opened.placement(), l.placement());
  EXPECT_EQ(lab::LabelLines(opened), lab::LabelLines(l));
  // A set-up of the lens scene leaves the mirror scene.
  ASSERT_EQ(lab::OpenSetup(opened, lab::CurrentSetup(StartedLab{})), "");
  EXPECT_EQ(opened.mirror(), nullptr);
}

// ---------------------------------------------------------------- position by Fermat

TEST(MirrorPositionByFermat, ListsEveryStationaryPathAndPutsTheEntryOnTheLeast) {
  StartedLab l;
  ASSERT_EQ(l.setMirror(concave(150)), "");
  std::vector<lab::Action> script;
  for (const char* a : {"source=-140,40", "target=-140,-40", "press=1"}) ASSERT_EQ(lab::ParseAction(a, script), "");
  for (const lab::Action& a : script) lab::RunAction(l, a, {});
  ASSERT_TRUE(l.results().mirrorFermat().has_value());
  const auto& points = l.results().mirrorFermat()->Stationary.Points;
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[0].Kind, optics::StationaryKind::Minimum);
  EXPECT_EQ(points[1].Kind, optics::StationaryKind::Maximum);
  EXPECT_EQ(points[2].Kind, optics::StationaryKind::Minimum);
  const lab::ShapeCentre p = lab_testing::centre(l, lab::Marker::Entry);
  const std::size_t least = *l.results().mirrorFermat()->Least;
  EXPECT_NEAR(p.x, points[least].X, 0.01);
  EXPECT_NEAR(p.y, points[least].Y, 0.01);
  EXPECT_EQ(l.captions()[3], "stationary paths = 3");
  const std::string lines = lab::LabelLines(l);
  EXPECT_NE(lines.find("Stationary\tmaximum\tat (0.00, 0.00)"), std::string::npos) << lines;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 9) << lines;
  const std::string file = lab::StationaryFile(l);
  EXPECT_EQ(file.rfind("# mirror: concave,r=150\nx,y,time,kind", 0), 0u) << file;
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 5) << file;
}

TEST(MirrorPositionByFermat, SaysSoWhereNoPathIsStationary) {
  // Source and target behind a flat mirror: the light never meets its front.
  StartedLab l;
  ASSERT_EQ(l.setMirror(optics::MirrorDesign{}), "");
  lab::RunAction(l, {.kind = lab::Action::Kind::Source, .x = 100, .y = 50}, {});
  lab::RunAction(l, {.kind = lab::Action::Kind::Target, .x = 120, .y = -50}, {});
  std::vector<std::string> shown;
  lab::RunAction(l, {.kind = lab::Action::Kind::Press, .value = 1}, [&](const std::string& m) { shown.push_back(m); });
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_TRUE(l.results().mirrorFermat()->Stationary.Points.empty());
  EXPECT_FALSE(l.busy());
}

// ---------------------------------------------------------------- why: the ellipses

// The side of the ellipse through P the mirror runs on, found from the
// geometry alone, agrees with the kind the time's second derivative gives:
// inside for a maximum, outside for a minimum.
TEST(MirrorWhy, InsideTheEllipseIsAMaximumOutsideAMinimum) {
  std::mt19937 rng(31);
  auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng); };
  int maxima = 0, minima = 0;
  for (int trial = 0; trial < 400; ++trial) {
    optics::MirrorDesign d;
    switch (trial % 4) {
      case 0: d = concave(uniform(60, 600)); break;
      case 1: d = {.Kind = optics::MirrorKind::Convex, .Radius = uniform(60, 600)}; break;
      case 2: d = {.Kind = optics::MirrorKind::Parabolic, .Focal = uniform(20, 300)}; break;
      default: d = {}; break;
    }
    const auto built = optics::MakeMirror(d);
    ASSERT_TRUE(built.mirror.has_value()) << built.error;
    const core::Point s{uniform(-300, -20), uniform(-150, 150)}, t{uniform(-300, -20), uniform(-150, 150)};
    const optics::StationaryResult st = optics::StationaryPoints(*built.mirror, s.x, s.y, t.x, t.y, 1);
    for (const optics::StationaryPoint& p : st.Points) {
      const lab::EllipseSide side = lab::MirrorSideOfEllipse(*built.mirror, p.U, s, t);
      if (p.Kind == optics::StationaryKind::Maximum) {
        ++maxima;
        EXPECT_EQ(side, lab::EllipseSide::Inside) << lab::MirrorText(d) << " at u " << p.U;
      } else if (p.Kind == optics::StationaryKind::Minimum) {
        ++minima;
        EXPECT_EQ(side, lab::EllipseSide::Outside) << lab::MirrorText(d) << " at u " << p.U;
      }
    }
  }
  EXPECT_GT(maxima, 10);
  EXPECT_GT(minima, 100);
}

TEST(MirrorWhy, DrawsTheEllipseThroughEachPointUntilTheSourceMoves) {
  StartedLab l;
  ASSERT_EQ(l.setMirror(concave(150)), "");
  EXPECT_TRUE(lab::MirrorWhyDrawing(l).paths.empty()) << "nothing before the press";
  std::vector<lab::Action> script;
  for (const char* a : {"source=-140,40", "target=-140,-40", "press=1"}) ASSERT_EQ(lab::ParseAction(a, script), "");
  for (const lab::Action& a : script) lab::RunAction(l, a, {});
  const lab::ChallengeDrawing d = lab::MirrorWhyDrawing(l);
  const auto& points = l.results().mirrorFermat()->Stationary.Points;
  ASSERT_EQ(d.paths.size(), points.size());
  ASSERT_EQ(d.dots.size(), points.size());
  const lab::ShapeCentre s = lab_testing::centre(l, lab::Marker::Source);
  const core::Point t = l.target();
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double sum = std::hypot(points[i].X - s.x, points[i].Y - s.y) + std::hypot(points[i].X - t.x, points[i].Y - t.y);
    for (const core::Point& q : d.paths[i].points) {
      EXPECT_NEAR(std::hypot(q.x - s.x, q.y - s.y) + std::hypot(q.x - t.x, q.y - t.y), sum, 1e-9);
    }
    EXPECT_EQ(d.paths[i].colour, core::StationaryColour(points[i].Kind));
  }
  EXPECT_EQ(d.dots[1].text, "mirror inside the ellipse: maximum");
  lab::RunAction(l, {.kind = lab::Action::Kind::Source, .x = -150, .y = 40}, {});
  EXPECT_TRUE(lab::MirrorWhyDrawing(l).paths.empty()) << "the ellipses of a source that moved";
}

// ---------------------------------------------------------------- the challenge

TEST(MirrorChallenge, ScoresTheGuessedReflectionPointAgainstTheLeastTimePath) {
  StartedLab l;
  ASSERT_EQ(l.setMirror(concave(150)), "");
  std::vector<lab::Action> script;
  for (const char* a : {"source=-140,40", "target=-140,-40"}) ASSERT_EQ(lab::ParseAction(a, script), "");
  for (const lab::Action& a : script) lab::RunAction(l, a, {});
  l.challenge().start(l);
  lab::RunAction(l, {.kind = lab::Action::Kind::Entry, .x = -5, .y = 30}, {});
  const std::optional<lab::ChallengeReveal> r = l.challenge().reveal(l);
  ASSERT_TRUE(r.has_value());
  ASSERT_TRUE(r->found);
  // The guess on the mirror, its time the path's by it in air.
  EXPECT_NEAR(std::hypot(r->guessX + 150, r->guessY), 150, 1e-9);
  lab::RunAction(l, {.kind = lab::Action::Kind::Press, .value = 1}, {});
  const auto& f = *l.results().mirrorFermat();
  const optics::StationaryPoint& least = f.Stationary.Points[*f.Least];
  EXPECT_DOUBLE_EQ(r->leastTime, least.Time);
  EXPECT_DOUBLE_EQ(std::abs(r->leastY), std::abs(least.Y));
  EXPECT_GT(r->timeGap, 0);
  EXPECT_EQ(r->tries, 1);
}

// ---------------------------------------------------------------- the lessons

// What each mirror lesson's task says the class will find is what the lab
// shows, with the mirrors of the menu the task names.
TEST(MirrorLessons, FindWhatTheirTasksSay) {
  auto press1 = [](StartedLab& l) {
    lab::RunAction(l, {.kind = lab::Action::Kind::Press, .value = 1}, {});
    return l.results().mirrorFermat()->Stationary;
  };
  auto preset = [](const char* name) {
    for (const optics::MirrorPreset& p : optics::MirrorPresets()) {
      if (lab::MirrorPresetName(p).starts_with(name)) return p.design;
    }
    ADD_FAILURE() << "no mirror named " << name;
    return optics::MirrorDesign{};
  };
  {
    StartedLab l;
    ASSERT_EQ(lab::OpenLesson(l, *lab::FindLesson("least-or-most")), "");
    const optics::StationaryResult flat = press1(l);
    ASSERT_EQ(flat.Points.size(), 1u);
    EXPECT_EQ(flat.Points[0].Kind, optics::StationaryKind::Minimum);
    ASSERT_EQ(l.setMirror(preset("Whispering ellipse")), "");
    EXPECT_TRUE(press1(l).Constant);
    ASSERT_EQ(l.setMirror(preset("Curved more than the ellipse")), "");
    const optics::StationaryResult curved = press1(l);
    ASSERT_FALSE(curved.Points.empty());
    const auto vertex = std::find_if(curved.Points.begin(), curved.Points.end(),
                                     [](const optics::StationaryPoint& p) { return std::abs(p.Y) < 1e-6; });
    ASSERT_NE(vertex, curved.Points.end());
    EXPECT_EQ(vertex->Kind, optics::StationaryKind::Maximum);
  }
  {
    StartedLab l;
    ASSERT_EQ(lab::OpenLesson(l, *lab::FindLesson("whispering-ellipse")), "");
    EXPECT_TRUE(press1(l).Constant);
    lab::RunAction(l, {.kind = lab::Action::Kind::Target, .x = -200, .y = -40}, {});
    EXPECT_FALSE(press1(l).Constant);
  }
  {
    StartedLab l;
    ASSERT_EQ(lab::OpenLesson(l, *lab::FindLesson("parabolic-dish")), "");
    lab::RunAction(l, {.kind = lab::Action::Kind::Press, .value = 2}, {});
    ASSERT_TRUE(l.results().mirrorBundle().has_value());
    for (const core::MirrorRay& r : l.results().mirrorBundle()->Rays) {
      ASSERT_TRUE(r.Lit);
      EXPECT_NEAR(r.Dy, 0, 1e-9) << r.Y;
    }
    EXPECT_EQ(lab::PictureCaption(l).rfind("Mirror: ", 0), 0u) << lab::PictureCaption(l);
  }
}

// The continued ray leaves the least-time point in the direction stationary
// time gives: measured apart, its line runs through the target.
TEST(ContinueMirrorRay, RunsOnThroughTheTarget) {
  for (const optics::MirrorDesign& d :
       {optics::MirrorDesign{}, concave(150), optics::MirrorDesign{.Kind = optics::MirrorKind::Convex, .Radius = 250},
        optics::MirrorDesign{.Kind = optics::MirrorKind::Parabolic, .Focal = 90}}) {
    const optics::Mirror m = *optics::MakeMirror(d).mirror;
    const core::Point t{-160, -50};
    const core::MirrorRayResult r = core::ContinueMirrorRay(m, {-230, 70}, t, {300, 190}, 2);
    ASSERT_TRUE(r.Ray.has_value()) << lab::MirrorText(d);
    const core::MirrorRay& ray = *r.Ray;
    EXPECT_NEAR((t.x - ray.X) * ray.Dy - (t.y - ray.Y) * ray.Dx, 0, 1e-9) << lab::MirrorText(d);
    EXPECT_GT((t.x - ray.X) * ray.Dx + (t.y - ray.Y) * ray.Dy, 0) << "towards the target";
    ASSERT_TRUE(r.Time.has_value());
    EXPECT_NEAR(*r.Time, (std::hypot(ray.X + 230, ray.Y - 70) + std::hypot(t.x - ray.X, t.y - ray.Y)) / 2, 1e-9);
  }
  // Behind a flat mirror there is no path: the message, nothing drawn.
  const core::MirrorRayResult none = core::ContinueMirrorRay(*optics::MakeMirror({}).mirror, {50, 10}, {60, -10},
                                                             {300, 190}, 2);
  EXPECT_FALSE(none.Ray.has_value());
  ASSERT_EQ(none.drawing.ops.size(), 1u);
  EXPECT_EQ(none.drawing.ops[0].kind, core::DrawOp::Kind::Message);
}

// ---------------------------------------------------------------- the reflected bundle

// Angles from the normal measured apart from the construction: the arriving
// ray reversed and the leaving ray make one angle with the front normal.
TEST(ReflectBundle, EachRayLeavesAtTheAngleItArrivedAt) {
  for (const optics::MirrorDesign& d :
       {optics::MirrorDesign{}, concave(150), optics::MirrorDesign{.Kind = optics::MirrorKind::Convex, .Radius = 120},
        optics::MirrorDesign{.Kind = optics::MirrorKind::Parabolic, .Focal = 60},
        optics::MirrorDesign{.Kind = optics::MirrorKind::Elliptical}}) {
    const optics::Mirror m = *optics::MakeMirror(d).mirror;
    const core::MirrorBundleResult b = core::ReflectBundle(m, {-230, 70}, 24, {300, 190}, 1);
    int lit = 0;
    for (const core::MirrorRay& r : b.Rays) {
      if (!r.Lit) continue;
      ++lit;
      const optics::MirrorPoint n = m.normal(r.U);
      const double ex = -230 - r.X, ey = 70 - r.Y, el = std::hypot(ex, ey);
      const double in = std::acos(std::clamp((ex * n.X + ey * n.Y) / el, -1.0, 1.0));
      const double out = std::acos(std::clamp(r.Dx * n.X + r.Dy * n.Y, -1.0, 1.0));
      EXPECT_NEAR(in, out, 1e-9) << lab::MirrorText(d) << " ray at " << r.U;
      // On opposite sides of the normal: the cross products differ in sign.
      EXPECT_LE((ex * n.Y - ey * n.X) * (r.Dx * n.Y - r.Dy * n.X), 1e-12);
      EXPECT_NEAR(std::hypot(r.Dx, r.Dy), 1, 1e-12);
    }
    EXPECT_GT(lit, 12) << lab::MirrorText(d);
  }
}

TEST(ReflectBundle, FromAParabolasFocusLeavesParallelToTheAxis) {
  const optics::Mirror m = *optics::MakeMirror({.Kind = optics::MirrorKind::Parabolic, .Focal = 90}).mirror;
  const core::MirrorBundleResult b = core::ReflectBundle(m, {-90, 0}, 30, {300, 190}, 1);
  for (const core::MirrorRay& r : b.Rays) {
    ASSERT_TRUE(r.Lit);
    EXPECT_NEAR(r.Dy, 0, 1e-12) << r.Y;
    EXPECT_LT(r.Dx, 0);
  }
}

TEST(ReflectBundle, FromAnEllipsesFocusMeetsAtTheOther) {
  const optics::MirrorDesign d{.Kind = optics::MirrorKind::Elliptical};
  const optics::Mirror m = *optics::MakeMirror(d).mirror;
  const core::MirrorBundleResult b = core::ReflectBundle(m, {static_cast<float>(d.F1x), static_cast<float>(d.F1y)},
                                                         20, {300, 190}, 1);
  for (const core::MirrorRay& r : b.Rays) {
    ASSERT_TRUE(r.Lit);
    // The distance of the other focus from the leaving ray's line.
    const double fx = d.F2x - r.X, fy = d.F2y - r.Y;
    EXPECT_NEAR(fx * r.Dy - fy * r.Dx, 0, 1e-9) << r.Y;
    EXPECT_GT(fx * r.Dx + fy * r.Dy, 0);
  }
}

// ---------------------------------------------------------------- waves after the mirror

// From a parabola's focus every reflected ray keeps pace: at one instant the
// wavefront is a straight line across the axis, the points light reaches at
// the same time (the equal time of a dish, its parallel beam run backwards).
TEST(MirrorWaves, FromAParabolasFocusTheFrontIsStraight) {
  const optics::Mirror m = *optics::MakeMirror({.Kind = optics::MirrorKind::Parabolic, .Focal = 120}).mirror;
  const core::MirrorWavesResult w = core::MirrorWaves(m, {-120, 0}, 40, {300, 190}, 2, 30, true, true);
  std::optional<double> x;
  for (const std::optional<core::Point>& p : w.Front) {
    ASSERT_TRUE(p.has_value());
    if (!x) x = p->x;
    EXPECT_NEAR(p->x, *x, 1e-12 * std::abs(*x)) << p->y;
  }
  // Each wavelet's radius is the time left after its reflection, at the speed given.
  for (std::size_t i = 0; i < w.Radius.size(); ++i) {
    EXPECT_NEAR(w.Radius[i], 2 * (w.Instant - w.Bundle.Rays[i].Time), 1e-12 * w.Radius[i]);
  }
}

// From one focus of the elliptical mirror every path reaches the other at
// the same time.
TEST(MirrorWaves, FromAnEllipsesFocusEveryRayReachesTheOtherTogether) {
  const optics::MirrorDesign d{.Kind = optics::MirrorKind::Elliptical};
  const optics::Mirror m = *optics::MakeMirror(d).mirror;
  const core::MirrorWavesResult w = core::MirrorWaves(
      m, {static_cast<float>(d.F1x), static_cast<float>(d.F1y)}, 30, {300, 190}, 2, 10, false, false);
  std::optional<double> arrival;
  for (const core::MirrorRay& r : w.Bundle.Rays) {
    ASSERT_TRUE(r.Lit);
    const double t = r.Time + std::hypot(d.F2x - r.X, d.F2y - r.Y) / 2;
    if (!arrival) arrival = t;
    EXPECT_NEAR(t, *arrival, 1e-12 * *arrival);
  }
}

// A beam parallel to a parabola's axis meets at its focus, every ray at the
// same time: the equal-time view finds no spread there.
TEST(MirrorWaves, AParallelBeamMeetsAtTheParabolasFocusAtOneTime) {
  StartedLab l;
  ASSERT_EQ(l.setMirror(optics::MirrorDesign{.Kind = optics::MirrorKind::Parabolic, .Focal = 150}), "");
  ASSERT_TRUE(l.setParallelBeam(true));
  ASSERT_TRUE(l.setBar(lab::BarId::Rays, 40));
  ASSERT_TRUE(l.click(5));
  const auto& rays = l.results().mirrorBundle()->Rays;
  std::optional<double> total;
  for (const core::MirrorRay& r : rays) {
    ASSERT_TRUE(r.Lit);
    // Leaving towards the focus, through it (the ray on the axis runs back along it).
    if (std::abs(r.Y) > 1e-9) {
      ASSERT_TRUE(r.AxisX.has_value()) << r.Y;
      EXPECT_NEAR(*r.AxisX, -150, 1e-9) << r.Y;
    }
    // From the beam's plane at the frame's left edge to the focus.
    const double t = r.Time + std::hypot(r.X + 150, r.Y) / l.scene().SpeedOutside;
    if (!total) total = t;
    EXPECT_NEAR(t, *total, 1e-12 * *total) << r.Y;
  }
  const graphs::EqualTimeData d = lab::CurrentEqualTime(l, -150);
  ASSERT_FALSE(d.empty());
  double lo = d.rays.front().time, hi = lo;
  for (const graphs::EqualTimeRay& r : d.rays) {
    lo = std::min(lo, r.time);
    hi = std::max(hi, r.time);
  }
  EXPECT_LE(hi - lo, 1e-12 * hi);
  EXPECT_NEAR(d.bestX, -150, 2 * l.scene().XMax / (graphs::kEqualTimeSamples - 1));
  // The switch is an input of the journal, and a set-up's start keeps it.
  EXPECT_EQ(lab::ActionText(l.journal().front()), "beam=parallel");
  StartedLab opened;
  ASSERT_EQ(lab::OpenSetup(opened, lab::CurrentSetup(l)), "");
  EXPECT_TRUE(opened.parallelBeam());
  EXPECT_EQ(lab::LabelLines(opened), lab::LabelLines(l));
}

TEST(MirrorWaves, TheTimeBarAndPlayRedrawThemAsAPressOfButtonFiveDoes) {
  StartedLab played, pressed;
  for (StartedLab* l : {&played, &pressed}) ASSERT_EQ(l->setMirror(concave(300)), "");
  ASSERT_TRUE(played.click(5));
  played.playToEnd();
  EXPECT_EQ(played.controls().xronosmetato.value, lab::kTimeRange.max);
  ASSERT_TRUE(pressed.setBar(lab::BarId::Time, lab::kTimeRange.max));
  EXPECT_TRUE(lab_testing::sameOps(lab_testing::sinceLastCls(played), lab_testing::sinceLastCls(pressed)));
  ASSERT_TRUE(played.results().mirrorWaves().has_value());
  EXPECT_NEAR(played.results().mirrorWaves()->Instant - played.results().mirrorWaves()->Latest, lab::kTimeRange.max,
              1e-9);
  EXPECT_EQ(played.captions(), pressed.captions());
  // The crossings of the reflected rays, for the graphs: a sphere's spread along the axis.
  const std::vector<graphs::BundleRayRow> rows = lab::CurrentBundle(played);
  ASSERT_FALSE(rows.empty());
  EXPECT_FALSE(lab::CurrentParaxialImage(played).has_value());
}

}  // namespace
