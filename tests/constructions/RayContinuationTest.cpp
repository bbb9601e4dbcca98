// Continuation of the ray through the target height (conitinuation of ray
// after lens): the wavelet construction, its ratio check against the speeds,
// total reflection, and the fallbacks near normal incidence.
#include "ConstructionsFixture.h"

#include "constructions/RayContinuation.h"

namespace constructions_test {
namespace {

const QString kUntouched = QStringLiteral("untouched");

class ContinueRay : public WindowTest {
 protected:
  std::size_t logSizeAtMessage = 0;
  Pt s, p;
  Path path;

  // Places the source, sets the height and presses the button.
  void press(float sx, float sy, int h) {
    s = placeSource(sx, sy);
    t.form().thesiy.setValue(h);
    t.canvas().clearLog();
    t.form().Label1.setCaption(kUntouched);
    t.form().Label4.setCaption(kUntouched);
    t.form().setMessageHandler([this](const QString& m) {
      t.messages.push_back(m);
      logSizeAtMessage = log().size();
    });
    p = {std::sqrt(kR * kR - double(h) * h) - kC, double(h)};
    path = leastTime(s, p);
    t.form().Command4.click();
    EXPECT_EQ(t.canvas().FillStyle, 0);
  }
  // Black lines that start at P: the continued ray, or the undeviated one.
  std::vector<Op> continuations() const {
    std::vector<Op> out;
    for (const Op& op : linesOf(canvas::kBlack))
      if (near(op.x1, op.y1, p, 1e-4)) out.push_back(op);
    return out;
  }
};

TEST_F(ContinueRay, TargetPointOfTheBarLiesOnTheSecondSurface) {
  for (int h : {-99, -60, 0, 37, 99}) {
    const scene::WorldPoint q = constructions::SurfacePointAtHeight(h, t.scene());
    EXPECT_NEAR(q.y, h, 1e-9);
    EXPECT_NEAR(std::hypot(q.x + kC, q.y), kR, 1e-9);
    EXPECT_GT(q.x, -kC);
  }
}

struct PassCase {
  const char* name;
  float sx, sy;
  int h;
};
void PrintTo(const PassCase& c, std::ostream* os) { *os << c.name; }
class ContinueRayPasses : public ContinueRay, public ::testing::WithParamInterface<PassCase> {};

// Moderate incidences, well inside the critical angle: the check passes in one
// of the three attempts and the continued ray obeys the law of refraction.
TEST_P(ContinueRayPasses, DrawsRefractedRayNormalAndIndex) {
  const PassCase& c = GetParam();
  press(c.sx, c.sy, c.h);
  EXPECT_EQ(t.form().Label4.Caption(), QStringLiteral("n = 2.00"));
  EXPECT_EQ(t.form().Label1.Caption(), kUntouched);

  const std::size_t attempts = t.ops(Kind::Circle).size() / 3;
  ASSERT_GE(attempts, 1u);
  ASSERT_LE(attempts, 3u);
  EXPECT_EQ(t.ops(Kind::Circle).size(), 3 * attempts);
  EXPECT_EQ(t.ops(Kind::Line).size(), 6 * attempts + 2);

  // First attempt's wavelets: all at the instant 2 after P's arrival or, if
  // later, A's, else B's (A and B are where the red paths end).
  const std::vector<Op> red = linesOf(kRed), circ = t.ops(Kind::Circle);
  const Pt a{red[1].x2, red[1].y2}, b{red[3].x2, red[3].y2};
  const double tP = path.time, tA = leastTime(s, a).time, tB = leastTime(s, b).time;
  const double instant = (tA > tP ? tA : tB > tP ? tB : tP) + 2;
  EXPECT_TRUE(near(circ[0].x1, circ[0].y1, p, 1e-4) && circ[0].color == canvas::kBlack);
  EXPECT_TRUE(near(circ[1].x1, circ[1].y1, a, 1e-4) && circ[1].color == kRed);
  EXPECT_TRUE(near(circ[2].x1, circ[2].y1, b, 1e-4) && circ[2].color == canvas::Rgb(0, 255, 0));
  EXPECT_NEAR(circ[0].r, 2 * (instant - tP), 2e-4);
  EXPECT_NEAR(circ[1].r, 2 * (instant - tA), 2e-4);
  EXPECT_NEAR(circ[2].r, 2 * (instant - tB), 2e-4);

  const std::vector<Op> ray = continuations();
  ASSERT_EQ(ray.size(), 1u);
  EXPECT_DOUBLE_EQ(ray[0].x2, float(p.x + 50));
  EXPECT_EQ(ray[0].style, 0);
  const double thetaI = incidence(path.entry, p);
  const double thetaR = fromNormal(p, ray[0].x2 - ray[0].x1, ray[0].y2 - ray[0].y1);
  EXPECT_NEAR(std::sin(thetaR) / std::sin(thetaI), 2.0, 2e-3);
  const Angles shown = anglesOf(t.form().Label3.Caption());
  EXPECT_NEAR(shown.incidence, thetaI * kDeg, 0.006);
  EXPECT_NEAR(shown.refraction, thetaR * kDeg, 0.02);

  // The message box only for a ray going on upwards, and before it is drawn.
  const bool upward = ray[0].y2 > 0;
  ASSERT_EQ(t.messages.size(), upward ? 1u : 0u);
  if (upward) {
    EXPECT_EQ(t.messages[0], QStringLiteral("Nai the"));
    EXPECT_EQ(logSizeAtMessage, log().size() - 2) << "shown right before the ray and the normal are drawn";
  }
  // Last: the dashed normal from the centre of the second surface out to x = 400.
  const Op& normal = log().back();
  EXPECT_EQ(normal.style, 1);
  EXPECT_TRUE(near(normal.x1, normal.y1, {-kC, 0}));
  EXPECT_TRUE(near(normal.x2, normal.y2, {400, p.y * (400 + kC) / (p.x + kC)}, 2e-3));
  EXPECT_EQ(t.canvas().DrawStyle, 0);
}

INSTANTIATE_TEST_SUITE_P(Rays, ContinueRayPasses,
                         ::testing::Values(PassCase{"AxisSourceHigh", -300, 0, 60},
                                           PassCase{"AxisSourceLow", -300, 0, -60},
                                           PassCase{"AxisSourceMiddle", -300, 0, 40},
                                           PassCase{"RaisedSource", -200, 30, 40},
                                           PassCase{"HighSourceLowRay", -100, 80, -20}),
                         ByName());

struct ReflectCase {
  const char* name;
  float sx, sy;
  int h;
};
void PrintTo(const ReflectCase& c, std::ostream* os) { *os << c.name; }
class ContinueRayReflects : public ContinueRay, public ::testing::WithParamInterface<ReflectCase> {};

TEST_P(ContinueRayReflects, ReportsTotalReflectionAfterOneAttempt) {
  const ReflectCase& c = GetParam();
  press(c.sx, c.sy, c.h);
  const double thetaI = incidence(path.entry, p);
  ASSERT_GT(thetaI, kCritical + 0.01);
  EXPECT_EQ(t.form().Label1.Caption(), QStringLiteral("total reflection     critical = 30.00"));
  const Angles shown = anglesOf(t.form().Label3.Caption());
  EXPECT_NEAR(shown.incidence, thetaI * kDeg, 0.006);
  EXPECT_TRUE(std::isnan(shown.refraction)) << "incidence alone";
  EXPECT_EQ(t.form().Label4.Caption(), kUntouched);
  EXPECT_EQ(t.ops(Kind::Line).size(), 6u);
  EXPECT_EQ(t.ops(Kind::Circle).size(), 3u);
  EXPECT_TRUE(continuations().empty());
  EXPECT_TRUE(t.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Rays, ContinueRayReflects,
                         ::testing::Values(ReflectCase{"BeyondRimAbove", -300, 0, 80},
                                           ReflectCase{"BeyondRimBelow", -300, 0, -99},
                                           ReflectCase{"SourceCloseAndHigh", -40, 120, 0},
                                           ReflectCase{"SourceHigh", -100, 120, 40}),
                         ByName());

// Over a grid of sources and small heights every press ends in one of three
// ways; the grid holds at least one press that fails its three checks away
// from normal incidence and one close to normal incidence.
TEST_F(ContinueRay, EveryPressPassesOrLeavesThreeConstructions) {
  int threeFailures = 0, undeviated = 0;
  for (float sx : {-300.f, -200.f, -100.f, -60.f}) {
    for (float sy : {0.f, 30.f, 80.f}) {
      for (int h : {-20, -5, 0, 5, 20}) {
        press(sx, sy, h);
        SCOPED_TRACE(testing::Message() << "source " << sx << "," << sy << " h " << h);
        const double thetaI = incidence(path.entry, p);
        if (thetaI > kCritical - 0.01) continue;  // total reflection, or too close to call
        const std::size_t lines = t.ops(Kind::Line).size(), circles = t.ops(Kind::Circle).size();
        if (t.form().Label4.Caption() == QStringLiteral("n = 2.00")) {
          EXPECT_EQ(lines, 2 * circles + 2);  // six lines and three circles per attempt, the ray and the normal
          continue;
        }
        EXPECT_EQ(t.form().Label4.Caption(), kUntouched);
        EXPECT_EQ(circles, 9u);
        EXPECT_TRUE(t.messages.empty());
        // The red ends of the neighbours' paths close in on P: 0.1, 0.1/sqrt 2, 0.1/sqrt 6 degrees.
        const std::vector<Op> red = linesOf(kRed);
        ASSERT_EQ(red.size(), 12u);
        for (int k = 0; k < 3; ++k) {
          const double spacing = kR * 0.1 / std::sqrt(k == 0 ? 1.0 : k == 1 ? 2.0 : 6.0) / kDeg;
          EXPECT_NEAR(std::hypot(red[4 * k + 1].x2 - p.x, red[4 * k + 1].y2 - p.y), spacing, 1e-4);
          EXPECT_NEAR(std::hypot(red[4 * k + 3].x2 - p.x, red[4 * k + 3].y2 - p.y), spacing, 1e-4);
        }
        const std::vector<Op> ray = continuations();
        if (thetaI < 0.001) {
          ++undeviated;
          // Straight on along the ray inside the lens, 250 units past P.
          ASSERT_EQ(ray.size(), 1u);
          EXPECT_EQ(lines, 19u);
          EXPECT_DOUBLE_EQ(ray[0].x2, float(p.x + 250));
          const double slope = (p.y - path.entry.y) / (p.x - path.entry.x);
          EXPECT_NEAR(ray[0].y2, p.y + 250 * slope, 1e-2);
        } else {
          ++threeFailures;
          EXPECT_EQ(lines, 18u);
          EXPECT_TRUE(ray.empty());
          EXPECT_TRUE(t.form().Label3.Caption().contains(QStringLiteral(" refraction =")));
        }
      }
    }
  }
  EXPECT_GT(threeFailures, 0);
  EXPECT_GT(undeviated, 0);
}

}  // namespace
}  // namespace constructions_test
