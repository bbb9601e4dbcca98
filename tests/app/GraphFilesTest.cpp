// --curve and --bundle against the kernels and against what the constructions
// drew, on seeded random sessions; and the files the program itself writes.
#include "TestWindow.h"

#include "cli/Actions.h"
#include "lab/Results.h"
#include "lab/Format.h"
#include "core/Bundle.h"
#include "graphs/Csv.h"
#include "numeric/Elementary.h"
#include "optics/Geometry.h"
#include "optics/LeastTime.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>

namespace {

using app::Action;
using testing_support::TestWindow;
using Kind = Action::Kind;

std::vector<std::vector<std::string>> readCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row(1);
  for (const char ch : text) {
    if (ch == '\n') {
      rows.push_back(std::move(row));
      row.assign(1, {});
    } else if (ch == ',') {
      row.emplace_back();
    } else {
      row.back() += ch;
    }
  }
  EXPECT_EQ(row, std::vector<std::string>(1)) << "the text does not end with a newline";
  return rows;
}

// The number a field holds, or nothing for an empty field; fails the test on anything else.
std::optional<double> field(const std::string& s) {
  if (s.empty()) return std::nullopt;
  double v = NAN;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  EXPECT_TRUE(ec == std::errc{} && end == s.data() + s.size()) << "not a number: '" << s << "'";
  return v;
}

double number(const std::string& s) {
  const std::optional<double> v = field(s);
  EXPECT_TRUE(v.has_value()) << "empty field";
  return v.value_or(NAN);
}

// The curve file for the scene as it stands, checked against the kernels.
void checkCurve(TestWindow& t) {
  const lab::SceneState& s = t.scene();
  const optics::Lens lens = s.lens();
  const lab::ShapeCentre src = testing_support::CentreOf(t.form().kyklos), hand = testing_support::CentreOf(t.form().shmeio);
  const core::Point target = lab::TargetPoint(t.form().thesiy.Value(), s);
  auto time = [&](double x, double y) {
    return optics::PathTime(src.x, src.y, x, y, target.x, target.y, s.SpeedOutside, s.SpeedInside);
  };
  const auto rows = readCsv(graphs::CurveCsv(lab::CurrentCurve(t.w().model().results(), lens)));
  ASSERT_EQ(rows.size(), 1u + 721 + 2);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"kind", "theta", "x", "y", "time"}));
  // The program's own sine, cosine and arc tangent: the file holds its bits.
  const double alpha = numeric::Atan(double{s.HalfAperture} / s.CentreOffset);
  for (std::size_t k = 1; k <= 721; ++k) {
    const auto& r = rows[k];
    ASSERT_EQ(r.size(), 5u);
    ASSERT_EQ(r[0], "sample");
    const double theta = number(r[1]), x = number(r[2]), y = number(r[3]);
    EXPECT_NEAR(theta, -alpha + 2 * alpha * static_cast<double>(k - 1) / 720, 1e-15);
    ASSERT_EQ(x, s.CentreOffset - s.SurfaceRadius * numeric::Cos(theta));
    ASSERT_EQ(y, s.SurfaceRadius * numeric::Sin(theta));
    ASSERT_EQ(field(r[4]), time(x, y)) << "sample " << k;
  }
  EXPECT_EQ(number(rows[1][1]), -alpha);
  EXPECT_EQ(number(rows[721][1]), alpha);

  const optics::LeastTimeWalk w = optics::LeastTimeSearch(src.x, src.y, target.x, target.y, lens);
  const auto& least = rows[722];
  EXPECT_EQ(least[0], "least");
  EXPECT_EQ(least[1], "");
  if (w.Converged) {
    EXPECT_EQ(field(least[2]), w.X);
    EXPECT_EQ(field(least[3]), w.Y);
    EXPECT_EQ(field(least[4]), w.Time);
  } else {
    EXPECT_EQ(least, (std::vector<std::string>{"least", "", "", "", ""}));
  }
  const auto& h = rows[723];
  EXPECT_EQ(h[0], "hand");
  EXPECT_EQ(field(h[2]), double{hand.x});
  EXPECT_EQ(field(h[3]), double{hand.y});
  EXPECT_EQ(field(h[4]), time(hand.x, hand.y));
}

// What the last bundle construction drew: its red lines, by where they start.
struct Drawn {
  std::vector<lab::Op> redLines;
  QString label4;
  bool continuation = false;
};

const lab::Op* redLineFrom(const Drawn& d, double x, double y) {
  for (const lab::Op& op : d.redLines) {
    if (op.x1 == static_cast<float>(x) && op.y1 == static_cast<float>(y)) return &op;
  }
  return nullptr;
}

// The bundle file against the bundle arrays and against what was drawn.
void checkBundle(TestWindow& t, const Drawn& drawn) {
  const lab::SceneState& s = t.scene();
  const auto rows = readCsv(graphs::BundleCsv(lab::CurrentBundle(t.w().model().results(), s.lens())));
  static const std::vector<core::BundleRay> none;
  const std::vector<core::BundleRay>& rays = t.w().model().bundle() ? t.w().model().bundle()->Rays : none;
  ASSERT_EQ(rows.size(), 1 + rays.size());
  EXPECT_EQ(rows[0], (std::vector<std::string>{"i", "exit_x", "exit_y", "entry_x", "entry_y", "arrival_time",
                                               "incidence_deg", "continued", "axis_x", "n", "exact_axis_x"}));
  std::optional<double> lastRatio;
  for (std::size_t i = 0; i < rays.size(); ++i) {
    const auto& r = rows[i + 1];
    const core::BundleRay& ray = rays[i];
    ASSERT_EQ(r.size(), 11u);
    EXPECT_EQ(r[0], std::to_string(i));
    EXPECT_EQ(field(r[1]), ray.ExitX);
    EXPECT_EQ(field(r[2]), ray.ExitY);
    EXPECT_EQ(field(r[3]), double{ray.EntryX});
    EXPECT_EQ(field(r[4]), double{ray.EntryY});
    EXPECT_EQ(field(r[5]), double{ray.ArrivalTime});
    // The angle between the ray inside the glass and the outward normal at the
    // exit point, which points away from the second surface's centre (-c, 0).
    const double incidence = optics::SignedAngle(ray.ExitX - ray.EntryX, ray.ExitY - ray.EntryY,
                                                 ray.ExitX + s.CentreOffset, ray.ExitY);
    EXPECT_DOUBLE_EQ(number(r[6]), std::abs(incidence) * 180.0 / s.Pi);
    const double exitX = ray.ExitX, exitY = ray.ExitY;
    const lab::Op* line = redLineFrom(drawn, exitX, exitY);
    EXPECT_EQ(r[7], line ? "1" : "0") << "ray " << i;
    std::optional<double> crossing;
    // A line leaving the lens on the axis has no crossing to speak of.
    if (line && std::abs(line->y1) > 1e-9 && line->y1 * line->y2 <= 0) {
      crossing = line->x1 + (line->x2 - line->x1) * -line->y1 / (line->y2 - line->y1);
    }
    const std::optional<double> axisX = field(r[8]);
    ASSERT_EQ(axisX.has_value(), crossing.has_value()) << "ray " << i;
    if (axisX) {
      EXPECT_NEAR(*axisX, *crossing, 1e-3) << "ray " << i;
    }
    if (const std::optional<double> n = field(r[9])) {
      EXPECT_TRUE(drawn.continuation) << "a ratio without a continuation, ray " << i;
      lastRatio = n;
    }
  }
  // The label shows the ratio of the last ray that was continued with one.
  if (lastRatio) {
    EXPECT_EQ(drawn.label4, QString::fromStdString("n = " + lab::Format(*lastRatio, "0.000")));
  }
}

std::vector<Action> session(std::uint32_t seed) {
  std::mt19937 rng(seed);
  auto uniform = [&](double lo, double hi) {
    return static_cast<float>(std::uniform_real_distribution<>(lo, hi)(rng));
  };
  auto integer = [&](int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(rng); };
  std::vector<Action> out;
  for (int k = 0; k < 14; ++k) {
    switch (integer(0, 8)) {
      case 0: out.push_back({.kind = Kind::Source, .x = uniform(-420, -20), .y = uniform(-160, 160)}); break;
      case 1: out.push_back({.kind = Kind::Entry, .x = uniform(-60, 20), .y = uniform(-90, 90)}); break;
      case 2: out.push_back({.kind = Kind::Height, .value = integer(-99, 99)}); break;
      case 3: out.push_back({.kind = Kind::Rays, .value = integer(2, 24)}); break;
      case 4: out.push_back({.kind = Kind::Time, .value = integer(5, 100)}); break;
      default: out.push_back({.kind = Kind::Press, .value = integer(1, 5)}); break;
    }
  }
  return out;
}

bool buildsBundle(const Action& a) {
  return a.kind == Kind::Time || (a.kind == Kind::Press && (a.value == 2 || a.value == 3 || a.value == 5));
}

class GraphFilesOnRandomSessions : public ::testing::TestWithParam<int> {};

TEST_P(GraphFilesOnRandomSessions, MatchTheKernelsAndTheDrawing) {
  for (int n = 0; n < 4; ++n) {
    const auto seed = static_cast<std::uint32_t>(GetParam() * 4 + n);
    TestWindow t(QSize(800, 500));
    Drawn drawn;
    for (const Action& a : session(seed)) {
      t.surface().clearLog();
      app::RunAction(t.w(), a);
      if (buildsBundle(a)) {
        drawn = {t.ops(lab::Op::Kind::Line), t.form().Label4.Caption(), a.value != 2 && a.value != 3};
        std::erase_if(drawn.redLines, [](const lab::Op& op) { return op.color != canvas::Rgb(255, 0, 0); });
      }
      SCOPED_TRACE("seed " + std::to_string(seed) + " after " + app::ActionText(a));
      checkCurve(t);
      checkBundle(t, drawn);
      if (HasFatalFailure()) return;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, GraphFilesOnRandomSessions, ::testing::Range(0, 6));

TEST(GraphFiles, OnlyTheHeaderBeforeAnyBundle) {
  TestWindow t;
  EXPECT_EQ(graphs::BundleCsv(lab::CurrentBundle(t.w().model().results(), t.scene().lens())),
            "i,exit_x,exit_y,entry_x,entry_y,arrival_time,incidence_deg,continued,axis_x,n,exact_axis_x\n");
}

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The program's own files hold what the window holds after the same actions.
TEST(GraphFiles, TheProgramWritesThemAfterItsActions) {
  QTemporaryDir dir;
  const QString curve = dir.filePath("curve.csv"), bundle = dir.filePath("bundle.csv"), png = dir.filePath("g.png");
  const QStringList actions{"source=-260,25", "height=-40", "rays=12", "entry=-12,30", "press=5"};
  QProcess p;
  p.start(QStringLiteral(FERMAT_LENS_BINARY),
          QStringList{"--size", "1000x640", "--curve", curve, "--bundle", bundle, "--graph-screenshot", png} + actions);
  ASSERT_TRUE(p.waitForFinished(120000));
  ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();

  TestWindow t(QSize(1000, 640));
  std::vector<std::string> args;
  for (const QString& a : actions) args.push_back(a.toStdString());
  const app::Parsed parsed = app::ParseCommandLine(args);
  ASSERT_TRUE(parsed.options.has_value());
  for (const Action& a : parsed.options->actions) app::RunAction(t.w(), a);
  EXPECT_EQ(readAll(curve).toStdString(), graphs::CurveCsv(lab::CurrentCurve(t.w().model().results(), t.scene().lens())));
  EXPECT_EQ(readAll(bundle).toStdString(), graphs::BundleCsv(lab::CurrentBundle(t.w().model().results(), t.scene().lens())));
  ASSERT_TRUE(t.w().model().bundle().has_value());
  EXPECT_EQ(t.w().model().bundle()->Rays.size(), 13u);
  const QImage image(png);
  EXPECT_GT(image.width(), 400);
  EXPECT_GT(image.height(), 300);

  // The same two tabs as a drawing: side by side, the size of the image.
  const QString svg = dir.filePath("g.svg");
  p.start(QStringLiteral(FERMAT_LENS_BINARY), QStringList{"--size", "1000x640", "--graph-screenshot", svg} + actions);
  ASSERT_TRUE(p.waitForFinished(120000));
  ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  const QSvgRenderer drawing(svg);
  ASSERT_TRUE(drawing.isValid());
  EXPECT_EQ(drawing.viewBox().size(), image.size());
}

// A bad argument anywhere stops the program before either file exists, and
// the error names the argument, on one line.
TEST(GraphFiles, NoFileAfterABadArgument) {
  QTemporaryDir dir;
  for (const QString& bad : {QStringLiteral("rays=1"), QStringLiteral("--curve")}) {
    QProcess p;
    p.start(QStringLiteral(FERMAT_LENS_BINARY),
            QStringList{"--curve", dir.filePath("c.csv"), "--bundle", dir.filePath("b.csv"), "press=5", bad});
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 2);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_TRUE(err.contains(bad)) << err.toStdString();
    EXPECT_EQ(err.count('\n'), 1);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
  }
}

}  // namespace
