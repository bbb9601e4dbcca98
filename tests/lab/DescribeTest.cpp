// The words a screen reader hears say what the picture shows: their numbers
// are the program's own, checked here against the physics found afresh (a
// scan of the first face for the least time, not the program's search).
#include "LabTesting.h"

#include "graphs/CurveTexts.h"
#include "lab/Challenge.h"
#include "lab/Describe.h"
#include "lab/MediumText.h"
#include "lab/MirrorText.h"
#include "lab/Run.h"
#include "optics/Faces.h"
#include "optics/Geometry.h"
#include "optics/LeastTime.h"
#include "text/Language.h"

#include <regex>

#include <fmt/format.h>

namespace {

using namespace lab_testing;

void act(lab::Lab& l, const std::vector<const char*>& words) {
  for (const char* w : words) {
    std::vector<lab::Action> actions;
    ASSERT_EQ(lab::ParseAction(w, actions), "") << w;
    for (const lab::Action& a : actions) lab::RunAction(l, a, nullptr);
  }
}

std::vector<double> numbersIn(const std::string& s) {
  static const std::regex number("-?[0-9]+\\.[0-9]+|-?[0-9]+");
  std::vector<double> out;
  for (auto it = std::sregex_iterator(s.begin(), s.end(), number); it != std::sregex_iterator(); ++it) {
    out.push_back(std::stod(it->str()));
  }
  return out;
}

// The least time over the first face by a fine scan and a golden-section
// refinement: the least-time point found without the program's walk.
struct Least {
  double x, y, time;
};
Least scanFirstFace(const lab::Lab& l, double sx, double sy, core::Point t) {
  const optics::Lens& lens = l.scene().lens();
  const auto time = [&](double u) {
    const optics::FacePoint p = optics::PointOf(lens.First, u);
    return optics::PathTime(sx, sy, p.X, p.Y, t.x, t.y, lens.SpeedOutside, lens.SpeedInside);
  };
  const double rim = optics::RimParameter(lens.First, lens.HalfAperture);
  constexpr int kSteps = 4000;
  double bestU = -rim;
  for (int i = 0; i <= kSteps; ++i) {
    const double u = -rim + 2 * rim * i / kSteps;
    if (time(u) < time(bestU)) bestU = u;
  }
  double lo = bestU - 2 * rim / kSteps, hi = bestU + 2 * rim / kSteps;
  for (int k = 0; k < 100; ++k) {
    const double a = lo + (hi - lo) * 0.381966, b = hi - (hi - lo) * 0.381966;
    (time(a) < time(b) ? hi : lo) = time(a) < time(b) ? b : a;
  }
  const optics::FacePoint p = optics::PointOf(lens.First, (lo + hi) / 2);
  return {p.X, p.Y, time((lo + hi) / 2)};
}

struct EntryCase {
  const char* name;
  std::vector<const char*> actions;
};

class EntryDescription : public testing::TestWithParam<EntryCase> {
 protected:
  text::LanguageScope original_{""};
};

TEST_P(EntryDescription, NumbersAreThoseOfTheLeastTimePoint) {
  StartedLab l;
  act(l, GetParam().actions);
  const std::string said = lab::DescribeEntry(l);
  const lab::ShapeCentre s = lab::CentreOf(l.controls().kyklos), marker = lab::CentreOf(l.controls().shmeio);
  const core::Point t = lab::TargetPoint(l.controls().thesiy.value, l.scene());
  const Least least = scanFirstFace(l, s.x, s.y, t);
  const optics::Lens& lens = l.scene().lens();
  const optics::FacePoint guess =
      optics::PointOf(lens.First, optics::ParameterOf(lens.First, marker.x, marker.y, lens.Pi));
  const double guessTime = optics::PathTime(s.x, s.y, guess.X, guess.Y, t.x, t.y, lens.SpeedOutside, lens.SpeedInside);
  const double distance = optics::Distance(guess.X, guess.Y, least.x, least.y);
  const std::vector<double> n = numbersIn(said);
  if (distance < 0.04) {
    ASSERT_NE(said.find("at the least-time point"), std::string::npos) << said;
    ASSERT_EQ(n.size(), 1u) << said;
    EXPECT_NEAR(n[0], least.time, 0.006) << said;
    return;
  }
  ASSERT_EQ(n.size(), 4u) << said;
  EXPECT_NE(said.find(guess.Y > least.y ? "above" : "below"), std::string::npos) << said;
  EXPECT_NEAR(n[0], distance, 0.06) << said;
  EXPECT_NEAR(n[1], 100 * (guessTime - least.time) / least.time, 0.006) << said;
  EXPECT_NEAR(n[2], guessTime, 0.006) << said;
  EXPECT_NEAR(n[3], least.time, 0.006) << said;
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, EntryDescription,
    testing::Values(EntryCase{"AtStartUp", {}}, EntryCase{"SourceMoved", {"source=-250,30"}},
                    EntryCase{"AfterPositionByFermat", {"source=-250,30", "press=1"}},
                    EntryCase{"EntryBelow", {"height=40", "entry=-170,-30"}},
                    EntryCase{"EntryAboveTargetLow", {"height=-60", "source=-300,-20", "entry=-170,50"}},
                    EntryCase{"NearlyThere", {"press=1", "key=Up"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Describe, PositionByFermatSaysTheLabelsTime) {
  text::LanguageScope original("");
  StartedLab l;
  act(l, {"source=-250,30", "press=1"});
  const std::string said = lab::DescribeEntry(l);
  ASSERT_NE(said.find("at the least-time point"), std::string::npos) << said;
  // Label2 shows the same time: "χρόνος = 150.19".
  const std::vector<double> label = numbersIn(l.captions()[1]);
  ASSERT_FALSE(label.empty()) << l.captions()[1];
  EXPECT_EQ(numbersIn(said), label) << said << " / " << l.captions()[1];
}

// A bundle from a source on the axis: the outer rays cross it nearer the
// lens than the inner ones (spherical aberration), by the numbers of the
// crossings the graphs show.
TEST(Describe, BundleSaysWhereTheOuterAndInnerRaysCross) {
  text::LanguageScope original("");
  StartedLab l;
  act(l, {"source=-250,0", "rays=20", "press=2"});
  const std::string said = lab::DescribeBundle(l);
  const std::vector<graphs::BundleRayRow> rows = lab::CurrentBundle(l);
  double outer = 0, inner = 0, outerY = -1, innerY = 1e9;
  int reflected = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!l.results().bundle()->Rays[i].Leaves) ++reflected;
    const auto& r = rows[i];
    if (!r.exactAxisX || std::abs(r.exitY) <= graphs::kOnAxis) continue;
    if (std::abs(r.exitY) > outerY) outerY = std::abs(r.exitY), outer = *r.exactAxisX;
    if (std::abs(r.exitY) < innerY) innerY = std::abs(r.exitY), inner = *r.exactAxisX;
  }
  ASSERT_LT(outer, inner) << "the standard lens's outer rays focus nearer";
  EXPECT_NE(said.find("nearer the lens"), std::string::npos) << said;
  const std::vector<double> n = numbersIn(said);
  ASSERT_EQ(n.size(), reflected ? 5u : 4u) << said;
  EXPECT_EQ(n[0], static_cast<double>(rows.size()));
  EXPECT_NEAR(n[n.size() - 3], outer, 0.006) << said;
  EXPECT_NEAR(n[n.size() - 2], inner, 0.006) << said;
  EXPECT_NEAR(n[n.size() - 1], inner - outer, 0.011) << said;
}

TEST(Describe, TotallyReflectedRaysAreCounted) {
  text::LanguageScope original("");
  StartedLab l;
  // A source close under the lens: the steep rays meet the second face past the critical angle.
  act(l, {"source=-30,120", "height=70", "press=4", "press=2"});
  int reflected = 0;
  for (const core::BundleRay& r : l.results().bundle()->Rays) reflected += r.Leaves ? 0 : 1;
  ASSERT_GT(reflected, 0);
  const std::string said = lab::DescribeBundle(l);
  EXPECT_NE(said.find(std::to_string(reflected) + (reflected == 1 ? " of them is" : " of them are")), std::string::npos)
      << said;
}

// After each action the change is said once; an action that changes no
// construction says nothing.
TEST(Describe, EachChangeIsSaidOnce) {
  text::LanguageScope original("");
  StartedLab l;
  lab::ChangeDescriber d;
  (void)d.next(l);
  act(l, {"press=1"});
  const std::string fermat = d.next(l);
  EXPECT_NE(fermat.find("least-time point"), std::string::npos) << fermat;
  EXPECT_EQ(d.next(l), "") << "nothing new";
  act(l, {"press=5"});
  const std::string continued = d.next(l);
  EXPECT_NE(continued.find("bundle of"), std::string::npos) << continued;
  EXPECT_NE(continued.find("wavefront"), std::string::npos) << continued;
  act(l, {"time=60"});
  const std::string later = d.next(l);
  EXPECT_NE(later.find("wavefront"), std::string::npos) << later;
  EXPECT_NE(numbersIn(later).back(), numbersIn(continued).back()) << "the front moved on in time";
}

// The mirror's stationary points with their kinds and the medium's paths,
// by the numbers of the lab's own lists.
TEST(Describe, MirrorAndMediumNameTheirStationaryPaths) {
  text::LanguageScope original("");
  StartedLab l;
  std::optional<optics::MirrorDesign> m;
  ASSERT_EQ(lab::ReadMirror("elliptical", m), "");
  ASSERT_EQ(l.setMirror(m), "");
  act(l, {"press=1"});
  const std::string said = lab::DescribeStationary(l);
  const auto& points = l.results().mirrorFermat()->Stationary.Points;
  ASSERT_FALSE(points.empty());
  for (const optics::StationaryPoint& p : points) {
    EXPECT_NE(said.find("(" + graphs::StationaryKindWord(p.Kind) + ")"), std::string::npos) << said;
    EXPECT_NE(said.find(fmt::format("time {:.2f}", p.Time)), std::string::npos) << said;
  }
  EXPECT_NE(lab::DescribePicture(l).find(said), std::string::npos);

  StartedLab g;
  std::optional<optics::MediumDesign> medium;
  ASSERT_EQ(lab::ReadMedium("mirage", medium), "");
  ASSERT_EQ(g.setMedium(medium), "");
  act(g, {"press=1"});
  const std::string paths = lab::DescribeStationary(g);
  ASSERT_FALSE(g.results().mediumFermat()->Paths.empty());
  EXPECT_EQ(numbersIn(paths).front(), static_cast<double>(g.results().mediumFermat()->Paths.size())) << paths;
  for (const core::CheckedPath& p : g.results().mediumFermat()->Paths) {
    EXPECT_NE(paths.find(fmt::format("{:.2f}", p.Path.time)), std::string::npos) << paths;
  }
}

}  // namespace
