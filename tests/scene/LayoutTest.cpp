// Where the start-up puts the controls, in world units that follow the
// screen's proportions, and which ones keep their design place.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "SceneFixture.h"

namespace {

using namespace scene_testing;

constexpr double kDesign = std::numeric_limits<double>::quiet_NaN();  // left at its design value

struct Placement {
  const char* Name;
  const canvas::Control* Control;
  double Left, Top, Width, Height;  // world units
};

using Layout = StartedWindow;

TEST_P(Layout, ControlsArePlacedInWorldUnitsScaledByTheAspect) {
  const canvas::Form& f = tw->form();
  const double ax = double(GetParam().width()) / (GetParam().width() + GetParam().height());
  const double ay = 1 - ax;
  const std::vector<Placement> table{
      {"thesiy", &f.thesiy, 450 * ax, 99, 30 * ax, 198},
      {"Label1", &f.Label1, -500 * ax, 500 * ay, 120 * ax, 150 * ay},
      {"Label2", &f.Label2, 350 * ax, 500 * ay, 150 * ax, kDesign},
      {"Command1", &f.Command1, 50 * ax, 500 * ay, 150 * ax, 70 * ay},
      {"Label3", &f.Label3, -350 * ax, 500 * ay, 150 * ax, kDesign},
      {"Label4", &f.Label4, -200 * ax, 500 * ay, 150 * ax, kDesign},
      {"Command2", &f.Command2, 50 * ax, 430 * ay, 150 * ax, 70 * ay},
      {"Command3", &f.Command3, 50 * ax, 360 * ay, 150 * ax, 70 * ay},
      {"Command4", &f.Command4, 200 * ax, 430 * ay, 150 * ax, 70 * ay},
      {"Command5", &f.Command5, 200 * ax, 360 * ay, 150 * ax, 70 * ay},
      {"xronosmetato", &f.xronosmetato, -200 * ax, -430 * ay, 100, kDesign},
      {"Label6", &f.Label6, -200 * ax + 100, -430 * ay, kDesign, kDesign},
  };
  for (const Placement& p : table) {
    SCOPED_TRACE(p.Name);
    EXPECT_NEAR(p.Control->Left(), p.Left, 1e-3);
    EXPECT_NEAR(p.Control->Top(), p.Top, 1e-3);
    if (!std::isnan(p.Width)) {
      EXPECT_NEAR(p.Control->Width(), p.Width, 1e-3);
    }
    if (!std::isnan(p.Height)) {
      EXPECT_NEAR(p.Control->Height(), p.Height, 1e-3);
    }
  }
}

TEST_P(Layout, BarsAndColumnsFitTogether) {
  const canvas::Form& f = tw->form();
  // The target bar spans exactly the range of its values.
  EXPECT_NEAR(f.thesiy.Top(), 99, 1e-3);
  EXPECT_NEAR(f.thesiy.Top() - f.thesiy.Height(), -99, 1e-3);
  // The time bar is 100 units long on any screen and its label starts where it ends.
  EXPECT_NEAR(f.xronosmetato.Width(), 100, 1e-3);
  EXPECT_NEAR(f.Label6.Left(), f.xronosmetato.Left() + 100, 1e-3);
  // Two button columns side by side, rows stacked without overlap.
  EXPECT_NEAR(f.Command1.Left() + f.Command1.Width(), f.Command4.Left(), 1e-3);
  EXPECT_NEAR(f.Command1.Top() - f.Command1.Height(), f.Command2.Top(), 1e-3);
  EXPECT_NEAR(f.Command4.Top() - f.Command4.Height(), f.Command5.Top(), 1e-3);
  EXPECT_NEAR(f.Command4.Left() + f.Command4.Width(), f.Label2.Left(), 1e-3);
}

// Design positions and sizes are in twips, 15 to the pixel; a size the start-up
// wrote back in world units has passed through a Single.
TEST_P(Layout, UnmovedControlsAndDesignSizesStayInTwips) {
  const canvas::Form& f = tw->form();
  struct Design {
    const char* Name;
    const canvas::Control* Control;
    double Left, Top, Width, Height;  // twips; NaN where the start-up moved it
  };
  const std::vector<Design> table{
      {"arithmosaktinon", &f.arithmosaktinon, 0, 1800, 495, 3735},
      {"Label5", &f.Label5, 0, 5520, 975, 735},
      {"shmeio", &f.shmeio, 4800, 4200, 132, 132},
      {"kyklos", &f.kyklos, 2400, 4440, 132, 132},
      {"Label2", &f.Label2, kDesign, kDesign, kDesign, 852},
      {"Label3", &f.Label3, kDesign, kDesign, kDesign, 972},
      {"Label4", &f.Label4, kDesign, kDesign, kDesign, 1092},
      {"Label6", &f.Label6, kDesign, kDesign, 1935, 615},
      {"xronosmetato", &f.xronosmetato, kDesign, kDesign, kDesign, 495},
  };
  for (const Design& d : table) {
    SCOPED_TRACE(d.Name);
    const QRectF r = d.Control->pixelRect();
    if (!std::isnan(d.Left)) {
      EXPECT_NEAR(r.left(), d.Left / 15, 1e-4);
    }
    if (!std::isnan(d.Top)) {
      EXPECT_NEAR(r.top(), d.Top / 15, 1e-4);
    }
    if (!std::isnan(d.Width)) {
      EXPECT_NEAR(r.width(), d.Width / 15, 1e-4);
    }
    if (!std::isnan(d.Height)) {
      EXPECT_NEAR(r.height(), d.Height / 15, 1e-4);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Screens, Layout, ::testing::Values(QSize(1280, 800), QSize(1200, 900)), SizeName);

}  // namespace
