// fermat-lab and fermat-lens --offscreen run one lab: for any session of user
// actions they print the same labels and messages, exit alike and write the
// same trace and CSV bytes; what needs pixels fermat-lab refuses in one line.
#include "ProgramRun.h"
#include "Sessions.h"
#include "lab/Script.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct ByName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& p) const {
    return p.param.name;
  }
};

using Result = testing_support::ProgramRun;
constexpr auto run = testing_support::RunProgram;

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

struct SessionCase {
  std::string name;
  std::uint32_t seed;   // of a random session of that length,
  int length;
  QStringList options;  // besides the outputs
  QStringList actions;  // or these actions when given
};

class HeadlessAgreement : public ::testing::TestWithParam<SessionCase> {};

TEST_P(HeadlessAgreement, SameOutputAndFiles) {
  const SessionCase& c = GetParam();
  QStringList actions = c.actions;
  if (actions.isEmpty()) {
    for (const lab::Action& a : testing_support::RandomSession(c.seed, c.length)) {
      actions << QString::fromStdString(lab::ActionText(a));
    }
  }
  SCOPED_TRACE(actions.join(' ').toStdString());
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  struct Program {
    const char* binary;
    QStringList extra;
    QString folder;
    Result result;
  } programs[] = {{FERMAT_LAB_BINARY, {}, dir.filePath("lab"), {}},
                  {FERMAT_LENS_BINARY, {"--offscreen"}, dir.filePath("lens"), {}}};
  for (Program& p : programs) {
    ASSERT_TRUE(QDir().mkpath(p.folder));
    const QStringList args = p.extra + c.options +
                             QStringList{"--print-labels", "--trace", "trace.jsonl", "--curve", "curve.csv", "--bundle",
                                         "bundle.csv", "--save", "set-up.json", "--equal-time", "equal-time.csv",
                                         "--stationary", "stationary.csv", "--paths", "paths.csv"} +
                             actions;
    p.result = run(p.binary, args, p.folder);
  }
  const Result &lab = programs[0].result, &lens = programs[1].result;
  EXPECT_EQ(lab.code, 0) << lab.err.toStdString();
  EXPECT_EQ(lab.code, lens.code) << lens.err.toStdString();
  EXPECT_TRUE(lab.err.isEmpty()) << lab.err.toStdString();
  EXPECT_EQ(lab.out.toStdString(), lens.out.toStdString());
  EXPECT_EQ(lab.out.count("\nLabel") + (lab.out.startsWith("Label") ? 1 : 0), 6) << "six labels";
  for (const char* file :
       {"trace.jsonl", "curve.csv", "bundle.csv", "set-up.json", "equal-time.csv", "stationary.csv", "paths.csv"}) {
    const QByteArray mine = contents(QDir(programs[0].folder).filePath(file));
    const QByteArray theirs = contents(QDir(programs[1].folder).filePath(file));
    EXPECT_NE(mine, QByteArray("<missing>")) << file;
    // Compared whole; on a difference, the first line that differs is what matters.
    if (mine != theirs) {
      const QList<QByteArray> a = mine.split('\n'), b = theirs.split('\n');
      qsizetype i = 0;
      while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
      ADD_FAILURE() << file << " differs at line " << i + 1 << ":\n  fermat-lab:  "
                    << (i < a.size() ? a[i].toStdString() : "<end>") << "\n  fermat-lens: "
                    << (i < b.size() ? b[i].toStdString() : "<end>");
    }
  }
}

std::vector<SessionCase> sessions() {
  std::vector<SessionCase> out;
  for (std::uint32_t seed = 1; seed <= 34; ++seed) {
    out.push_back({"seed" + std::to_string(seed), seed, 10 + static_cast<int>(seed % 3), {}});
  }
  for (std::uint32_t seed = 101; seed <= 103; ++seed) {
    out.push_back({"seed" + std::to_string(seed) + "Size1600x900", seed, 11, {"--size", "1600x900"}});
  }
  for (std::uint32_t seed = 201; seed <= 203; ++seed) {
    out.push_back({"seed" + std::to_string(seed) + "Classic", seed, 11, {"--classic"}});
  }
  for (std::uint32_t seed = 301; seed <= 303; ++seed) {
    out.push_back({"seed" + std::to_string(seed) + "Long", seed, 40, {}});
  }
  // What random sessions rarely hold: a reset in the middle, a drag made of
  // single events that drops the source on the entry point (at start-up
  // about (-228.7, 47.9) and (-151.7, 55.6)) and then takes the entry point
  // there, a message, Space twice.
  const QStringList middle{"source=-200,40", "press=5", "drag-time=60", "reset", "press=1", "entry=-14,30"};
  out.push_back({"resetInTheMiddle", 0, 0, {}, middle});
  out.push_back({"resetInTheMiddleClassic", 0, 0, {"--classic"}, middle});
  out.push_back({"rawEventsOntoTheEntry", 0, 0, {},
                 {"down=-228.6,47.9", "move=-190,50", "move=-151.7,55.6", "up=-151.7,55.6", "down=-151.7,55.6",
                  "move=-14,10", "up=-14,10", "press=2"}});
  out.push_back({"risingRayMessage", 0, 0, {}, {"source=-300,0", "height=30", "press=4", "key=Ctrl+4", "press=3"}});
  // Bars set to the value they have, and a marker made active with no arrow
  // after it: the same journal in both set-up files.
  out.push_back({"barsSetToTheirOwnValues", 0, 0, {},
                 {"height=0", "rays=10", "time=5", "press=2", "rays=10", "height=0", "active=entry", "press=1"}});
  out.push_back({"spaceTwiceThenPlay", 0, 0, {}, {"time=90", "key=Space", "key=Space", "time=95", "play"}});
  // Lenses, lessons and the challenge: the same set-up files, the same answer.
  for (std::uint32_t seed = 401; seed <= 404; ++seed) {
    const char* presets[] = {"preset=crown", "preset=slab,n=1.33", "preset=biconcave", "n=2.42,r2=flat"};
    out.push_back({"seed" + std::to_string(seed) + "Lens", seed, 10, {"--lens", presets[seed - 401]}});
  }
  // The mirror scene: random sessions on each kind, and one of every input it has.
  for (std::uint32_t seed = 501; seed <= 505; ++seed) {
    const char* mirrors[] = {"flat", "concave,r=150", "convex,r=200,aperture=120", "parabolic,f=90",
                             "elliptical,f1=-200,80,f2=-230,-70"};
    out.push_back({"seed" + std::to_string(seed) + "Mirror", seed, 10, {"--mirror", mirrors[seed - 501]}});
  }
  out.push_back({"mirrorEveryInput", 0, 0, {"--mirror", "tangent-ellipse"},
                 {"source=-140,40", "target=-140,-40", "press=1", "entry=-30,60", "rays=25", "press=2",
                  "down=-140,-40", "move=-120,-60", "up=-120,-60", "key=Right", "press=1", "mirror=flat",
                  "press=1", "reset", "mirror=none", "press=1"}});
  out.push_back({"mirrorParallelBeam", 0, 0, {"--mirror", "parabolic,f=120"},
                 {"beam=parallel", "rays=30", "press=5", "drag-time=40", "press=3", "beam=point", "press=2"}});
  // The medium scene: random sessions in three media, and one of every input it has.
  for (std::uint32_t seed = 601; seed <= 603; ++seed) {
    const char* media[] = {"mirage", "layers,y=-40:60,n=1.5:1.2:1", "luneburg,r=120"};
    out.push_back({"seed" + std::to_string(seed) + "Medium", seed, 8, {"--medium", media[seed - 601]}});
  }
  out.push_back({"mediumEveryInput", 0, 0, {"--medium", "fibre"},
                 {"press=1", "entry=-100,30", "rays=8", "press=2", "source=-250,10", "target=150,30", "press=3",
                  "drag-time=60", "press=4", "key=Left", "medium=cold-sea", "press=5", "play", "reset", "press=1",
                  "medium=none", "press=1"}});
  out.push_back({"lessonWithChallenge", 0, 0, {"--lesson", "lifeguard", "--challenge"},
                 {"entry=-50,-30", "press=5", "lens=preset=meniscus", "rays=30", "press=5"}});
  return out;
}

INSTANTIATE_TEST_SUITE_P(Sessions, HeadlessAgreement, ::testing::ValuesIn(sessions()), ByName{});

// ---------------------------------------------------------------- refusals

struct RefusalCase {
  const char* name;
  QStringList args;
};

class HeadlessAgreementPixelOption : public ::testing::TestWithParam<RefusalCase> {};

// One line naming the option, exit status 2, nothing printed and nothing
// written: not the other outputs asked for, not the picture.
TEST_P(HeadlessAgreementPixelOption, IsRefusedInOneLineAndWritesNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QStringList args = QStringList{"--print-labels", "--trace", "trace.jsonl", "--curve", "curve.csv"} +
                           GetParam().args + QStringList{"press=1", "source=-200,30"};
  const Result r = run(FERMAT_LAB_BINARY, args, dir.path());
  EXPECT_EQ(r.code, 2);
  EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
  EXPECT_TRUE(r.err.startsWith("fermat-lab: ")) << r.err.toStdString();
  EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
  EXPECT_TRUE(r.err.endsWith('\n'));
  const QString option = GetParam().args.front().section('=', 0, 0);
  EXPECT_TRUE(r.err.contains(option.mid(option.startsWith("--") ? 2 : 1).toUtf8())) << r.err.toStdString();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            QStringList{});
}

INSTANTIATE_TEST_SUITE_P(
    Options, HeadlessAgreementPixelOption,
    ::testing::Values(RefusalCase{"screenshot", {"--screenshot", "shot.png"}},
                      RefusalCase{"export", {"--export", "picture.svg"}}, RefusalCase{"scale", {"--scale", "2"}},
                      RefusalCase{"printPdf", {"--print-pdf", "page.pdf"}},
                      RefusalCase{"background", {"--background", "transparent"}},
                      RefusalCase{"graphScreenshot", {"--graph-screenshot", "graph.png"}},
                      RefusalCase{"exportWithEquals", {"--export=picture.png"}},
                      RefusalCase{"screenshotOneDash", {"-screenshot", "shot.png"}}),
    ByName{});

class HeadlessAgreementBadInput : public ::testing::TestWithParam<RefusalCase> {};

// What both programs read alike they refuse alike: the same message after
// the program's name, exit status 2, nothing on standard output.
TEST_P(HeadlessAgreementBadInput, GivesFermatLensesMessage) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const Result lab = run(FERMAT_LAB_BINARY, GetParam().args, dir.path());
  const Result lens = run(FERMAT_LENS_BINARY, QStringList{"--offscreen"} + GetParam().args, dir.path());
  EXPECT_TRUE(testing_support::RefusedAlike(lab, lens));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, HeadlessAgreementBadInput,
    ::testing::Values(RefusalCase{"unknownAction", {"zoom=2"}}, RefusalCase{"bareWord", {"hello"}},
                      RefusalCase{"pointWithoutY", {"source=-200"}}, RefusalCase{"nanCoordinate", {"entry=nan,0"}},
                      RefusalCase{"hugeCoordinate", {"source=1e39,0"}}, RefusalCase{"heightAbove", {"height=100"}},
                      RefusalCase{"raysNotANumber", {"rays=x"}}, RefusalCase{"timeBelow", {"drag-time=4"}},
                      RefusalCase{"buttonSix", {"press=6"}}, RefusalCase{"unknownKey", {"key=Escape"}},
                      RefusalCase{"resetWithValue", {"reset=1"}}, RefusalCase{"badActionAfterGood", {"press=1", "play=2"}},
                      RefusalCase{"sizeSmall", {"--size", "199x150"}}, RefusalCase{"sizeLarge", {"--size", "16385x800"}},
                      RefusalCase{"sizeMalformed", {"--size", "800*600"}}, RefusalCase{"sizeMissing", {"--size"}},
                      RefusalCase{"sizeWithEquals", {"--size=1280x"}}, RefusalCase{"unknownOption", {"--fast"}},
                      RefusalCase{"traceTwice", {"--trace", "a.jsonl", "--trace", "b.jsonl"}},
                      RefusalCase{"curveNotCsv", {"--curve", "curve.txt"}},
                      RefusalCase{"sameFileTwice", {"--curve", "same.csv", "--bundle", "same.csv"}},
                      RefusalCase{"mirrorUnknown", {"--mirror", "spoon"}}, RefusalCase{"mirrorNone", {"--mirror", "none"}},
                      RefusalCase{"mirrorTooCurved", {"mirror=concave,r=5"}},
                      RefusalCase{"stationaryNotCsv", {"--stationary", "points.txt"}},
                      RefusalCase{"mediumUnknown", {"--medium", "glass"}},
                      RefusalCase{"mediumCannotExist", {"medium=fibre,a=0"}}),
    ByName{});

}  // namespace
