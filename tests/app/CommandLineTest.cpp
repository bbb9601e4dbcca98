// The program's own command line: argument checking in-process, and whole
// runs of the binary for what a user or a script sees.
#include "TestWindow.h"
#include "window/AppResources.h"
#include "cli/CommandLine.h"
#include "cli/Display.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs the program; returns its exit code with what it wrote.
struct ProgramResult {
  int code = -1;
  QString out, err;
};

ProgramResult runProgram(const QStringList& args,
                         const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(QStringLiteral(FERMAT_LENS_BINARY), args);
  p.waitForFinished(120000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
}

struct BadArgs {
  const char* name;
  std::vector<std::string> args;
  const char* mentions;  // the bad argument the message must name
};

class RejectedArguments : public ::testing::TestWithParam<BadArgs> {};

TEST_P(RejectedArguments, GiveAOneLineErrorNamingTheArgument) {
  const app::Parsed p = app::ParseCommandLine(GetParam().args);
  EXPECT_FALSE(p.options.has_value());
  EXPECT_NE(p.error.find(GetParam().mentions), std::string::npos) << p.error;
  EXPECT_EQ(p.error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RejectedArguments,
    ::testing::Values(BadArgs{"unknownOption", {"--fast"}, "--fast"}, BadArgs{"unknownAction", {"zoom=2"}, "zoom=2"},
                      BadArgs{"bareWord", {"hello"}, "hello"}, BadArgs{"malformedPair", {"source=-200"}, "source=-200"},
                      BadArgs{"malformedNumber", {"entry=1.5.2,3"}, "entry=1.5.2,3"},
                      BadArgs{"nanCoordinate", {"source=nan,0"}, "source=nan,0"},
                      BadArgs{"hugeCoordinate", {"source=1e39,0"}, "source=1e39,0"},
                      BadArgs{"fractionalHeight", {"height=1.5"}, "height=1.5"},
                      BadArgs{"unknownBackground", {"--background", "pink"}, "pink"},
                      BadArgs{"backgroundWithoutValue", {"--background"}, "--background"},
                      BadArgs{"printToPng", {"--print-pdf", "page.png"}, "page.png"},
                      BadArgs{"resetWithValue", {"reset=1"}, "reset=1"},
                      BadArgs{"heightAbove", {"height=100"}, "height=100"},
                      BadArgs{"heightBelow", {"height=-100"}, "height=-100"},
                      BadArgs{"raysBelow", {"rays=1"}, "rays=1"}, BadArgs{"raysAbove", {"rays=101"}, "rays=101"},
                      BadArgs{"timeBelow", {"time=4"}, "time=4"}, BadArgs{"timeAbove", {"time=101"}, "time=101"},
                      BadArgs{"buttonZero", {"press=0"}, "press=0"}, BadArgs{"buttonSix", {"press=6"}, "press=6"},
                      BadArgs{"sizeSmall", {"--size", "199x150"}, "199x150"},
                      BadArgs{"sizeShort", {"--size", "200x149"}, "200x149"},
                      BadArgs{"sizeLarge", {"--size", "16385x800"}, "16385x800"},
                      BadArgs{"sizeMalformed", {"--size", "800*600"}, "800*600"},
                      BadArgs{"sizeMissing", {"--size"}, "--size"}, BadArgs{"traceMissing", {"--trace"}, "--trace"},
                      BadArgs{"noSuchFolder", {"--screenshot", "no/such/folder/x.png"}, "no/such/folder/x.png"},
                      BadArgs{"screenshotJpeg", {"--screenshot", "shot.jpg"}, "shot.jpg"},
                      BadArgs{"screenshotSvg", {"--screenshot", "shot.svg"}, "shot.svg"},
                      BadArgs{"screenshotNoExtension", {"--screenshot", "shot"}, "'shot'"},
                      BadArgs{"folderAsFile", {"--trace", "."}, "'.'"},
                      BadArgs{"curveMissing", {"--curve"}, "--curve"},
                      BadArgs{"curveNoSuchFolder", {"--curve", "no/such/folder/c.csv"}, "no/such/folder/c.csv"},
                      BadArgs{"bundleAsFolder", {"--bundle", "."}, "--bundle: is a folder"},
                      BadArgs{"graphScreenshotMissing", {"--graph-screenshot"}, "--graph-screenshot"},
                      BadArgs{"graphScreenshotExtension", {"--graph-screenshot", "g.gif"}, "g.gif"},
                      BadArgs{"singleDashWord", {"-fast"}, "-fast"},
                      BadArgs{"optionWithBadValue", {"--size=800x"}, "800x"},
                      BadArgs{"commaDecimal", {"source=-200,5,40"}, "source=-200,5,40"},
                      BadArgs{"blankInNumber", {"source= -200,40"}, "source= -200,40"},

                      BadArgs{"exportExtension", {"--export", "x.gif"}, "x.gif"},
                      BadArgs{"exportNoExtension", {"--export", "picture"}, "picture"},
                      BadArgs{"exportMissing", {"--export"}, "--export"},
                      BadArgs{"exportNoFolder", {"--export", "no/such/folder/x.svg"}, "no/such/folder/x.svg"},
                      BadArgs{"scaleThree", {"--export", "x.png", "--scale", "3"}, "'3'"},
                      BadArgs{"scaleWord", {"--export", "x.png", "--scale", "two"}, "two"},
                      BadArgs{"scaleMissing", {"--export", "x.png", "--scale"}, "--scale"},
                      BadArgs{"scaleForSvg", {"--export", "x.svg", "--scale", "2"}, "x.svg"},
                      BadArgs{"scaleWithoutExport", {"--scale", "2"}, "--scale"},

                      BadArgs{"unknownKey", {"key=Foo"}, "key=Foo"},
                      BadArgs{"twoKeys", {"key=Right,Left"}, "key=Right,Left"},
                      BadArgs{"noKey", {"key="}, "key="},
                      BadArgs{"playWithValue", {"play=3"}, "play=3"},
                      BadArgs{"thumbBeyondItsBar", {"drag-time=101"}, "drag-time=101"},

                      BadArgs{"lensIndexHigh", {"--lens", "n=5"}, "n = 5"},
                      BadArgs{"lensIndexLow", {"--lens", "n=1"}, "n = 1"},
                      BadArgs{"lensRadiusSmall", {"--lens", "r1=50"}, "r1 = 50"},
                      BadArgs{"lensRadiusBelowAperture", {"--lens", "r2=120,aperture=130"}, "r2 = 120"},
                      BadArgs{"lensFacesCross", {"--lens", "r1=200,r2=200,thickness=10,aperture=80"}, "cross"},
                      BadArgs{"lensThicknessZero", {"--lens", "thickness=0"}, "thickness = 0"},
                      BadArgs{"lensUnknownKey", {"--lens", "focus=3"}, "focus"},
                      BadArgs{"lensUnknownPreset", {"--lens", "preset=glass"}, "glass"},
                      BadArgs{"captionWithoutAPicture", {"--caption", "--screenshot", "s.png"}, "--caption needs --export"},
                      BadArgs{"lensNotANumber", {"--lens", "n=fast"}, "n=fast"},
                      BadArgs{"lensNaN", {"--lens", "n=nan"}, "n=nan"},
                      BadArgs{"lensNoPair", {"--lens", "slab"}, "slab"},
                      BadArgs{"lensTwice", {"--lens", "n=1.5", "--lens", "n=1.6"}, "--lens is given twice"},
                      BadArgs{"lensKeyTwice", {"--lens", "n=1.5,n=1.6"}, "'n' twice"},
                      BadArgs{"lensAction", {"lens=n=9"}, "n = 9"},
                      BadArgs{"openMissing", {"--open", "no/such/set-up.json"}, "no/such/set-up.json"},
                      BadArgs{"openFolder", {"--open", "."}, "'.'"},
                      BadArgs{"lessonWithLens", {"--lesson", "wavefront", "--lens", "n=1.5"}, "cannot be combined"},
                      BadArgs{"unknownLesson", {"--lesson", "optics"}, "optics"},
                      BadArgs{"equalTimeAtWord", {"--equal-time-at", "far"}, "far"},
                      BadArgs{"equalTimeNotCsv", {"--equal-time", "e.txt"}, "e.txt"},
                      BadArgs{"activeWrong", {"active=lens"}, "active=lens"}),
    testing_support::ByName{});

// A folder the user may not write into is refused before anything runs. Root may write anywhere, so the check
// runs in a child process that has given up root (when it had it) for an unprivileged user.
TEST(CommandLine, RefusesAnOutputFolderItMayNotWriteTo) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                    QFileDevice::ReadOther | QFileDevice::ExeOther));
  const std::string trace = dir.filePath(QStringLiteral("t.jsonl")).toStdString();
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(3);
    const app::Parsed p = app::ParseCommandLine({"--trace", trace});
    ::_exit(p.options ? 1 : p.error.find("not writable") == std::string::npos ? 2 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: accepted, 2: refused for another reason, 3: could not drop root";
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(CommandLine, ReadsActionsInOrderAndOutputsImplyOffscreen) {
  const app::Parsed p = app::ParseCommandLine({"--size", "200x150", "--print-labels", "source=-200,40", "height=-99",
                                               "rays=100", "time=5", "press=5", "entry=+3.5,-1e2"});
  ASSERT_TRUE(p.options) << p.error;
  const app::Options& o = *p.options;
  EXPECT_TRUE(o.offscreen);
  EXPECT_EQ(o.size, (std::pair{200, 150}));
  ASSERT_EQ(o.actions.size(), 6u);
  EXPECT_EQ(o.actions[0].kind, app::Action::Kind::Source);
  EXPECT_FLOAT_EQ(o.actions[0].y, 40.0f);
  EXPECT_EQ(o.actions[1].value, -99);
  EXPECT_EQ(o.actions[4].kind, app::Action::Kind::Press);
  EXPECT_FLOAT_EQ(o.actions[5].x, 3.5f);
  EXPECT_FLOAT_EQ(o.actions[5].y, -100.0f);
  EXPECT_FALSE(app::ParseCommandLine({}).options->offscreen);
}

// The folder check reads the file system only: a parent that is a regular
// file is no folder, whoever runs the test.
TEST(CommandLine, RejectsAnOutputBelowARegularFile) {
  QTemporaryDir dir;
  const QString file = dir.filePath("plain.txt");
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  for (const char* option : {"--screenshot", "--trace"}) {
    const app::Parsed p = app::ParseCommandLine({option, (file + "/x.png").toStdString()});
    EXPECT_FALSE(p.options) << option;
    EXPECT_NE(p.error.find("plain.txt/x.png"), std::string::npos) << p.error;
  }
  EXPECT_TRUE(app::ParseCommandLine({"--trace", file.toStdString()}).options) << "an existing file may be replaced";
}

// --help and --version answer on stdout with status 0 and start nothing.
TEST(ProgramRun, AnswersHelpAndVersion) {
  const ProgramResult version = runProgram({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out, QStringLiteral("fermat-lens " FERMAT_LENS_VERSION "\n"));
  const ProgramResult help = runProgram({"--help", "press=1"});
  EXPECT_EQ(help.code, 0);
  EXPECT_TRUE(help.out.startsWith("Usage: fermat-lens ")) << help.out.toStdString();
  for (const char* word :
       {"--offscreen", "--size", "--print-labels", "--screenshot", "--trace", "--version", "source=X,Y", "entry=X,Y",
        "height=V", "rays=N", "time=V", "press=K", "down=X,Y", "move=X,Y", "up=X,Y"}) {
    EXPECT_TRUE(help.out.contains(QLatin1String(word))) << word;
  }
  EXPECT_TRUE(help.err.isEmpty() && version.err.isEmpty());
}

// The font and the icon are built into the program, not looked up on the system.
TEST(BuiltIn, CaptionFontAndWindowIcon) {
  EXPECT_TRUE(app::LoadCaptionFont().contains(QStringLiteral("DejaVu Sans")));
  const QIcon icon = app::WindowIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_TRUE(icon.availableSizes().contains(QSize(256, 256)));
  EXPECT_TRUE(app::ApplicationId().contains(QRegularExpression(R"(^[a-z]+(\.[A-Za-z_][A-Za-z0-9_]*){2,}$)")));
}

struct DisplayCase {
  const char* name;
  const char *platform, *display, *wayland;
  bool named;
};

class Display : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(Display, IsNamedWhereThePlatformLooksForIt) {
  const DisplayCase& c = GetParam();
  EXPECT_EQ(app::DisplayNamed(c.platform, c.display, c.wayland), c.named);
}

INSTANTIATE_TEST_SUITE_P(Cases, Display,
                         ::testing::Values(DisplayCase{"nothing", "", "", "", false},
                                           DisplayCase{"x11", "", ":0", "", true},
                                           DisplayCase{"wayland", "", "", "wayland-0", true},
                                           DisplayCase{"xcbWithoutDisplay", "xcb", "", "wayland-0", false},
                                           DisplayCase{"xcbWithOptions", "xcb:nodrag", ":1", "", true},
                                           DisplayCase{"waylandWithoutDisplay", "wayland-egl", ":0", "", false},
                                           DisplayCase{"offscreen", "offscreen", "", "", true},
                                           DisplayCase{"vnc", "vnc", "", "", true}),
                         testing_support::ByName{});

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
// Without --offscreen where no window can be opened: one line that says so
// and how to run without a display, exit status 2, nothing written.
TEST(ProgramRun, WithoutADisplaySaysHowToRunHeadless) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(name);
  QProcessEnvironment unreachable = env;
  unreachable.insert("DISPLAY", ":4711");  // no X server there
  for (const QProcessEnvironment& e : {env, unreachable}) {
    const ProgramResult r = runProgram({"press=1"}, e);
    EXPECT_EQ(r.code, 2) << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith("fermat-lens: no display found")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("--offscreen") && r.err.contains("--screenshot")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("--export")) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
  }
  // The outputs need no display.
  EXPECT_EQ(runProgram({"--print-labels"}, env).code, 0);
}
#endif

TEST(CommandLine, ReadsTheLiveActionsAndTheirTextReadsBack) {
  const app::Parsed p = app::ParseCommandLine({"--classic", "key=Shift+Left", "key=Ctrl+3", "key=Space", "play",
                                               "drag-height=-99", "drag-rays=2", "drag-time=100"});
  ASSERT_TRUE(p.options) << p.error;
  EXPECT_TRUE(p.options->classic);
  std::string text;
  for (const app::Action& a : p.options->actions) text += app::ActionText(a) + " ";
  EXPECT_EQ(text, "key=Shift+Left key=Ctrl+3 key=Space play drag-height=-99 drag-rays=2 drag-time=100 ");
}

// A press and a move without a release: live, the move's path and time stay
// shown, the same as a release there shows; classic, nothing changes.
TEST(ProgramRun, AMoveWithoutReleaseShowsTheLiveTimeUnlessClassic) {
  const QStringList drag{"--print-labels", "source=-200,0", "down=-200,0", "move=-180,10"};
  const ProgramResult live = runProgram(drag);
  const ProgramResult classic = runProgram(QStringList{"--classic"} + drag);
  const ProgramResult released = runProgram({"--print-labels", "source=-200,0", "source=-180,10"});
  const ProgramResult before = runProgram({"--print-labels", "source=-200,0"});
  ASSERT_EQ(live.code, 0) << live.err.toStdString();
  EXPECT_EQ(live.out, released.out);
  EXPECT_EQ(classic.out, before.out);
  EXPECT_NE(live.out, before.out);
}

TEST(ProgramRun, PlayEndsAsTheTimeBarSetToItsMaximum) {
  QTemporaryDir dir;
  const QString played = dir.filePath("played.jsonl"), direct = dir.filePath("direct.jsonl");
  const QStringList start{"--size", "640x400", "--print-labels", "rays=30", "time=96", "press=3"};
  const ProgramResult a = runProgram(start + QStringList{"--trace", played, "play"});
  const ProgramResult b = runProgram(start + QStringList{"--trace", direct, "time=100"});
  ASSERT_EQ(a.code, 0) << a.err.toStdString();
  EXPECT_EQ(a.out, b.out);
  // The picture since the last clear, operation for operation.
  auto sinceLastClear = [](const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray all = f.readAll();
    return all.mid(all.lastIndexOf("{\"op\":\"cls\""));
  };
  EXPECT_EQ(sinceLastClear(played), sinceLastClear(direct));
}

TEST(ProgramRun, PrintsTheCaptionsOfALeastTimeRay) {
  const ProgramResult r = runProgram({"--print-labels", "source=-200,40", "height=-30", "press=1"});
  ASSERT_EQ(r.code, 0) << r.err.toStdString();
  EXPECT_EQ(r.out,
            "Label1\tψ= -30\nLabel2\tχρόνος = 126.72\nLabel3\tIncidence = 28.68 refraction= 13.88\n"
            "Label4\tn  = 2.00\nLabel5\tnumber of points=10\nLabel6\ttime=5\n");
  EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
}

TEST(ProgramRun, MessageBoxesAreWrittenWhenTheyWouldAppear) {
  // The ray through height 30 leaves the lens upwards: the continuation says so.
  const ProgramResult r = runProgram({"--print-labels", "source=-300,0", "height=30", "press=4"});
  ASSERT_EQ(r.code, 0);
  EXPECT_TRUE(r.out.startsWith("MsgBox\tNai the\nLabel1\t")) << r.out.toStdString();
}

TEST(ProgramRun, WritesTheScreenshotAndTheTrace) {
  QTemporaryDir dir;
  const QString png = dir.filePath("shot.png"), trace = dir.filePath("ops.jsonl");
  const ProgramResult r = runProgram({"--size", "640x480", "--screenshot", png, "--trace", trace, "press=2"});
  ASSERT_EQ(r.code, 0) << r.err.toStdString();
  const QImage img(png);
  EXPECT_EQ(img.size(), QSize(640, 480));
  QFile f(trace);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = f.readAll().split('\n');
  ASSERT_GT(lines.size(), 20);
  EXPECT_TRUE(lines.front().startsWith("{\"op\":\"line\""));  // the axis comes first
  int psets = 0;
  for (const QByteArray& l : lines) psets += l.startsWith("{\"op\":\"pset\"") && l.contains("\"width\":4");
  EXPECT_EQ(psets, 2 + 11);  // two lens edge dots, one dot per exit point of 11 rays
  EXPECT_FALSE(QDir(dir.path()).entryList(QDir::Files).join(' ').contains(".part"));
}

TEST(ProgramRun, ExportsAfterTheActions) {
  QTemporaryDir dir;
  const QString png = dir.filePath("picture.png"), svg = dir.filePath("picture.svg");
  const ProgramResult r = runProgram({"--size", "640x480", "--export", png, "--scale", "2", "press=2"});
  ASSERT_EQ(r.code, 0) << r.err.toStdString();
  EXPECT_EQ(QImage(png).size(), QSize(1280, 960));
  ASSERT_EQ(runProgram({"--size", "640x480", "--export", svg, "press=2"}).code, 0);
  QFile f(svg);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_GE(f.readAll().count("<polyline"), 2 * 11) << "two legs for each of the 11 rays";
}

TEST(ProgramRun, ScreenshotIsAtTheDevicePixelRatioInForce) {
  QTemporaryDir dir;
  const QString png = dir.filePath("shot.png");
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
  ASSERT_EQ(runProgram({"--size", "640x480", "--screenshot", png, "press=2"}, env).code, 0);
  EXPECT_EQ(QImage(png).size(), QSize(1280, 960));
}

// Each bound of --size, just inside and just outside, as the program's user
// meets it: a picture of the size asked for, or exit status 2 and one line.
struct SizeCase {
  const char* name;
  const char* size;
  bool accepted;
};

class SizeBound : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeBound, IsKeptByTheProgram) {
  const SizeCase& c = GetParam();
  QTemporaryDir dir;
  const QString png = dir.filePath("shot.png");
  const ProgramResult r = runProgram({"--size", QString::fromLatin1(c.size), "--screenshot", png});
  if (c.accepted) {
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList wh = QString::fromLatin1(c.size).split('x');
    EXPECT_EQ(QImage(png).size(), QSize(wh[0].toInt(), wh[1].toInt()));
  } else {
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(QString::fromLatin1(c.size))) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1);
    EXPECT_FALSE(QFile::exists(png));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, SizeBound,
    ::testing::Values(SizeCase{"narrowest", "200x150", true}, SizeCase{"tooNarrow", "199x150", false},
                      SizeCase{"tooShort", "200x149", false}, SizeCase{"widest", "16384x150", true},
                      SizeCase{"tooWide", "16385x150", false}, SizeCase{"tallest", "200x16384", true},
                      SizeCase{"tooTall", "200x16385", false}),
    testing_support::ByName{});

// Every rejected argument, given to the program itself together with an
// output file: exit status 2, one line on stderr, nothing on stdout, no file.
TEST_P(RejectedArguments, MakeTheProgramExitTwoBeforeWritingAnything) {
  QTemporaryDir dir;
  const QString png = dir.filePath("shot.png");
  QStringList args{"--screenshot", png};
  for (const std::string& a : GetParam().args) args << QString::fromStdString(a);
  const ProgramResult r = runProgram(args);
  EXPECT_EQ(r.code, 2);
  EXPECT_TRUE(r.err.startsWith("fermat-lens: ")) << r.err.toStdString();
  EXPECT_EQ(r.err.count('\n'), 1);
  EXPECT_TRUE(r.out.isEmpty());
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

}  // namespace
