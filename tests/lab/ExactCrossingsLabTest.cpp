// The exact crossings beside the construction's in a running lab: what the
// lesson "The construction against least time" tells the class about them.
#include "LabTesting.h"
#include "graphs/BundleRayRow.h"
#include "lab/LensText.h"
#include "lab/Lessons.h"
#include "lab/Results.h"
#include "lab/Run.h"
#include "optics/ExactRay.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

using lab_testing::StartedLab;

struct Scene {
  const char* name;
  const char* lens;  // as --lens spells it; "" for the standard lens
  const char* source;
  int rays;
};

class ExactBesideConstruction : public ::testing::TestWithParam<Scene> {
 protected:
  void run(StartedLab& l) {
    const Scene& s = GetParam();
    if (*s.lens) {
      optics::LensDesign design;
      ASSERT_EQ(lab::ParseLens(s.lens, design), "");
      ASSERT_EQ(l.setLens(design), "");
    }
    std::vector<lab::Action> actions;
    for (const std::string& word :
         {std::string("source=") + s.source, "rays=" + std::to_string(s.rays), std::string("press=5")}) {
      ASSERT_EQ(lab::ParseAction(word, actions), "") << word;
    }
    for (const lab::Action& a : actions) lab::RunAction(l, a, nullptr);
    ASSERT_FALSE(l.busy());
  }
};

// Every ray off the axis of these focusing lenses crosses it exactly; away
// from the axis the construction comes within a fifth of a per cent of that,
// and the exact crossings of mirror-image rays coincide where the
// construction's may not. The innermost ray crosses near the paraxial image,
// and every ray short of it.
TEST_P(ExactBesideConstruction, AgreesAwayFromTheAxisAndIsSymmetric) {
  StartedLab l;
  run(l);
  const optics::Lens& lens = l.scene().lens();
  const std::vector<graphs::BundleRayRow> rows = lab::CurrentBundle(l.results(), lens);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(GetParam().rays) + 1);
  int compared = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const graphs::BundleRayRow& r = rows[i];
    if (std::fabs(r.exitY) <= optics::kExactOnAxis) {
      EXPECT_FALSE(r.exactAxisX) << "ray " << i << " leaves on the axis";
      continue;
    }
    ASSERT_TRUE(r.exactAxisX) << "ray " << i;
    const graphs::BundleRayRow& mirror = rows[rows.size() - 1 - i];
    ASSERT_TRUE(mirror.exactAxisX);
    EXPECT_NEAR(*r.exactAxisX, *mirror.exactAxisX, 1e-12 * std::fabs(*r.exactAxisX)) << "ray " << i;
    const std::optional<double> constructed = graphs::AxisCrossing(r);
    if (!constructed || std::fabs(r.exitY) < 0.25 * lens.HalfAperture) continue;
    ++compared;
    EXPECT_NEAR(*constructed, *r.exactAxisX, 2e-3 * *r.exactAxisX) << "ray " << i << " at height " << r.exitY;
  }
  EXPECT_GT(compared, GetParam().rays / 2);

  const std::optional<double> image = lab::CurrentParaxialImage(l.results(), lens);
  ASSERT_TRUE(image);
  const graphs::BundleRayRow& innermost = rows[rows.size() / 2 - (rows.size() % 2 == 1 ? 1 : 0)];
  ASSERT_TRUE(innermost.exactAxisX);
  EXPECT_NEAR(*innermost.exactAxisX, *image, 1e-2 * *image);
  // Spherical aberration of a converging lens: every ray crosses short of the paraxial image.
  for (const graphs::BundleRayRow& r : rows) {
    if (r.exactAxisX) {
      EXPECT_LT(*r.exactAxisX, *image) << "ray at height " << r.exitY;
    }
  }
  // The exact crossings nearest the axis lie beyond those further out (the
  // aberration curve of a converging lens opens towards the lens).
  EXPECT_GT(*innermost.exactAxisX, *rows.front().exactAxisX);
}

INSTANTIATE_TEST_SUITE_P(Scenes, ExactBesideConstruction,
                         ::testing::Values(Scene{"standard20", "", "-250,0", 20},
                                           Scene{"standard100", "", "-250,0", 100},
                                           Scene{"flatterFaces50", "n=2,r1=202,r2=207,thickness=26", "-272,0", 50},
                                           Scene{"flatterFaces100", "n=2,r1=202,r2=207,thickness=26", "-272,0", 100}),
                         [](const ::testing::TestParamInfo<Scene>& p) { return std::string(p.param.name); });

// A source off the axis has no paraxial image; its rays still have exact
// crossings, and a bundle not yet continued has them too.
TEST(ExactCrossings, NeedNoContinuationAndNoSourceOnTheAxis) {
  StartedLab l;
  std::vector<lab::Action> actions;
  for (const char* word : {"source=-250,25", "rays=30", "press=2"}) ASSERT_EQ(lab::ParseAction(word, actions), "");
  for (const lab::Action& a : actions) lab::RunAction(l, a, nullptr);
  const std::vector<graphs::BundleRayRow> rows = lab::CurrentBundle(l.results(), l.scene().lens());
  ASSERT_EQ(rows.size(), 31u);
  EXPECT_FALSE(lab::CurrentParaxialImage(l.results(), l.scene().lens()));
  int exact = 0;
  for (const graphs::BundleRayRow& r : rows) {
    EXPECT_FALSE(graphs::AxisCrossing(r));
    exact += r.exactAxisX.has_value();
  }
  EXPECT_GT(exact, 20);
  // And before any bundle, nothing.
  StartedLab fresh;
  EXPECT_FALSE(lab::CurrentParaxialImage(fresh.results(), fresh.scene().lens()));
}

}  // namespace
