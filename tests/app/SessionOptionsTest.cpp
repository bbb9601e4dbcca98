// Every option both programs take (the session's table, headless::
// SessionOptions) is read by one reader: given to fermat-lab and to
// fermat-lens it has the same effect (the same printed lines and the same
// files), and bad input is refused by both with the same line and exit
// status 2, nothing printed and nothing written.
#include "ProgramRun.h"
#include "QtTesting.h"
#include "headless/Session.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <string>

namespace {

using Result = testing_support::ProgramRun;
constexpr auto run = testing_support::RunProgram;

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList filesIn(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Every file of the folder with its bytes.
std::map<QString, QByteArray> snapshot(const QString& folder) {
  std::map<QString, QByteArray> out;
  for (const QString& f : filesIn(folder)) out[f] = contents(QDir(folder).filePath(f));
  return out;
}

// A folder for each program, both holding the same set-up files to open: a
// saved session and a damaged one.
struct Folders {
  QTemporaryDir dir;
  QString lab = dir.filePath("lab"), lens = dir.filePath("lens");
  Folders() {
    for (const QString& f : {lab, lens}) {
      EXPECT_TRUE(QDir().mkpath(f));
      const Result saved = run(FERMAT_LAB_BINARY, {"--save", "saved.json", "source=-250,10", "rays=20", "press=5"}, f);
      EXPECT_EQ(saved.code, 0) << saved.err.toStdString();
      QFile damaged(QDir(f).filePath("damaged.json"));
      EXPECT_TRUE(damaged.open(QIODevice::WriteOnly));
      damaged.write("{\"format\": \"fermat-lens set-up\", \"version\": 1, \"lens\": ");
    }
  }
};

struct OptionCase {
  std::string name;
  QStringList option;  // the option under test with its value
  QStringList rest;    // what else the command line holds
  bool changes;        // the option changes what the rest alone prints or writes
};

void PrintTo(const OptionCase& c, std::ostream* os) { *os << (c.option + c.rest).join(' ').toStdString(); }

class SessionOption : public ::testing::TestWithParam<OptionCase> {};

TEST_P(SessionOption, HasTheSameEffectInBothPrograms) {
  const OptionCase& c = GetParam();
  Folders folders;
  const QStringList args = c.option + c.rest;
  const std::map<QString, QByteArray> before = snapshot(folders.lab);
  const Result lab = run(FERMAT_LAB_BINARY, args, folders.lab);
  const Result lens = run(FERMAT_LENS_BINARY, QStringList{"--offscreen"} + args, folders.lens);
  ASSERT_EQ(lab.code, 0) << lab.err.toStdString();
  ASSERT_EQ(lens.code, 0) << lens.err.toStdString();
  EXPECT_EQ(lab.err.toStdString(), "");
  EXPECT_EQ(lab.out.toStdString(), lens.out.toStdString());
  const QStringList written = filesIn(folders.lab);
  EXPECT_EQ(written, filesIn(folders.lens));
  for (const QString& f : written) {
    EXPECT_EQ(contents(QDir(folders.lab).filePath(f)).toStdString(),
              contents(QDir(folders.lens).filePath(f)).toStdString())
        << f.toStdString();
  }
  EXPECT_TRUE(!lab.out.isEmpty() || snapshot(folders.lab) != before) << "nothing printed or written";
  if (c.changes) {
    // The same without the option, in a fresh folder: something differs.
    Folders plain;
    const Result without = run(FERMAT_LAB_BINARY, c.rest, plain.lab);
    ASSERT_EQ(without.code, 0) << without.err.toStdString();
    bool differs = without.out != lab.out || filesIn(plain.lab) != written;
    for (const QString& f : written) {
      differs = differs || contents(QDir(plain.lab).filePath(f)) != contents(QDir(folders.lab).filePath(f));
    }
    EXPECT_TRUE(differs) << "the option changed nothing";
  }
}

std::vector<OptionCase> optionCases() {
  const QStringList labels{"--print-labels", "source=-250,20", "height=-20", "press=1"};
  return {
      {"size", {"--size", "640x400"}, {"--print-labels", "press=2", "--trace", "t.jsonl"}, true},
      {"classic", {"--classic"}, {"--print-labels", "source=-200,0", "down=-200,0", "move=-180,10"}, true},
      {"lens", {"--lens", "n=1.5,r2=flat"}, labels, true},
      {"open", {"--open", "saved.json"}, {"--print-labels", "--curve", "c.csv"}, true},
      {"verbose", {"--verbose"}, labels, false},
      {"save", {"--save", "out.json"}, {"entry=-12,30", "drag-time=40"}, false},
      {"saveOverTheOpenedFile", {"--save", "saved.json"}, {"--open", "saved.json", "press=2"}, true},
      {"lesson", {"--lesson", "lifeguard"}, labels, true},
      {"challenge", {"--challenge"}, {"entry=-10,-5", "entry=-12,8"}, true},
      {"equalTime", {"--equal-time", "e.csv"}, {"rays=20", "press=5"}, false},
      {"equalTimeAt", {"--equal-time-at", "120"}, {"--equal-time", "e.csv", "rays=20", "press=5"}, true},
      {"printLabels", {"--print-labels"}, {"press=3"}, true},
      {"sound", {"--sound", "s.wav"}, {"key=L", "key=Shift+]", "source=-30,120", "height=70", "press=3"}, false},
      {"describe", {"--describe"}, {"source=-250,0", "press=1", "entry=-170,20", "press=5"}, true},
      {"describeInGreek", {"--describe"}, {"--lang", "el", "--mirror", "elliptical", "press=1", "press=2"}, true},
      {"trace", {"--trace", "t.jsonl"}, {"press=2", "drag-rays=30"}, false},
      {"curve", {"--curve", "c.csv"}, {"source=-230,15", "height=25"}, false},
      {"bundle", {"--bundle", "b.csv"}, {"press=2", "press=5"}, false},
      {"mirror", {"--mirror", "concave,r=150"}, labels, true},
      {"stationary", {"--stationary", "s.csv"}, {"--mirror", "flat", "target=-100,-60", "press=1"}, false},
      {"medium", {"--medium", "mirage"}, {"--print-labels", "press=1"}, true},
      {"paths", {"--paths", "p.csv"}, {"--medium", "hot-road,n0=0.95,g=0.005", "target=100,30", "press=1"}, false},
      {"lang", {"--lang", "de"}, labels, true},
      {"langArabic", {"--lang", "ar"}, {"--print-labels", "--challenge", "entry=-10,-5"}, true},
      {"langPseudo", {"--lang", "qps"}, {"--print-labels", "--mirror", "concave", "press=1"}, true},
      {"optionWithEquals", {"--lens=preset=slab"}, labels, true},
      {"oneDash", {"-size", "800x500"}, {"--print-labels", "--trace", "t.jsonl", "press=2"}, true},
  };
}

INSTANTIATE_TEST_SUITE_P(Table, SessionOption, ::testing::ValuesIn(optionCases()), testing_support::ByName{});

// Each option of the table has a case above: a new option cannot go untested.
TEST(SessionOptionTable, EveryOptionHasACase) {
  std::set<std::string> given;
  for (const OptionCase& c : optionCases()) given.insert(c.option.front().section('=', 0, 0).toStdString());
  for (const headless::SessionOption& o : headless::SessionOptions()) {
    EXPECT_TRUE(given.contains("--" + std::string(o.name))) << o.name;
  }
}

struct RefusalCase {
  std::string name;
  QStringList args;
  const char* says;  // part of the line both give
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.args.join(' ').toStdString(); }

class SessionRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(SessionRefusal, IsTheSameLineAndExitTwoInBothPrograms) {
  const RefusalCase& c = GetParam();
  Folders folders;
  const QStringList before = filesIn(folders.lab);
  const QStringList args = QStringList{"--print-labels", "press=1"} + c.args;
  const Result lab = run(FERMAT_LAB_BINARY, args, folders.lab);
  const Result lens = run(FERMAT_LENS_BINARY, QStringList{"--offscreen"} + args, folders.lens);
  EXPECT_TRUE(testing_support::RefusedAlike(lab, lens));
  EXPECT_TRUE(lab.err.contains(c.says)) << lab.err.toStdString();
  EXPECT_EQ(filesIn(folders.lab), before);
  EXPECT_EQ(filesIn(folders.lens), before);
  EXPECT_EQ(contents(QDir(folders.lab).filePath("saved.json")), contents(QDir(folders.lens).filePath("saved.json")));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SessionRefusal,
    ::testing::Values(
        RefusalCase{"lensThatCannotExist", {"--lens", "n=9"}, "--lens: "},
        RefusalCase{"lensTwice", {"--lens", "n=1.5", "--lens", "n=1.6"}, "--lens is given twice"},
        RefusalCase{"sizeTooSmall", {"--size", "10x10"}, "--size must be from 200x150"},
        RefusalCase{"sizeMalformed", {"--size", "wide"}, "--size expects WxH"},
        RefusalCase{"sizeWithoutValue", {"--size"}, "missing value after '--size'"},
        RefusalCase{"equalTimeAtWord", {"--equal-time-at", "abc"}, "--equal-time-at expects a number, got 'abc'"},
        RefusalCase{"equalTimeNotCsv", {"--equal-time", "e.txt"}, "must end in .csv"},
        RefusalCase{"curveHiddenName", {"--curve", ".csv"}, "must end in .csv"},
        RefusalCase{"secondOpen", {"--open", "saved.json", "--open", "saved.json"}, "--open is given twice"},
        RefusalCase{"openMissing", {"--open", "none.json"}, "none.json"},
        RefusalCase{"openDamagedVerbose", {"--verbose", "--open", "damaged.json"}, "damaged.json"},
        RefusalCase{"openDamagedVerboseAfter", {"--open", "damaged.json", "--verbose"}, "damaged.json"},
        RefusalCase{"traceOnTheOpenedFile", {"--open", "saved.json", "--trace", "saved.json"}, "--trace"},
        RefusalCase{"twoOutputsOneFile", {"--curve", "same.csv", "--bundle", "./same.csv"},
                    "--curve and --bundle name the same file"},
        RefusalCase{"saveTwice", {"--save", "a.json", "--save", "b.json"}, "--save is given twice"},
        RefusalCase{"unknownLesson", {"--lesson", "optics"}, "optics"},
        RefusalCase{"lessonWithLens", {"--lesson", "wavefront", "--lens", "n=1.5"}, "cannot be combined"},
        RefusalCase{"flagWithValue", {"--classic=1"}, "unexpected value after '--classic'"},
        RefusalCase{"unknownLanguage", {"--lang", "xx"}, "--lang: unknown language 'xx' (one of: original, "},
        RefusalCase{"languageTwice", {"--lang", "de", "--lang", "fr"}, "--lang is given twice"},
        RefusalCase{"traceIntoAFolder", {"--trace", "."}, "--trace"},
        RefusalCase{"badAction", {"rays=1"}, "rays=1"},
        RefusalCase{"mirrorTwice", {"--mirror", "flat", "--mirror", "concave"}, "--mirror is given twice"},
        RefusalCase{"mirrorWithAKeyOfAnother", {"--mirror", "flat,r=100"}, "--mirror: 'r' is not a key of a flat"},
        RefusalCase{"mirrorThatCannotExist", {"--mirror", "convex,r=2"}, "--mirror: "},
        RefusalCase{"mediumTwice", {"--medium", "mirage", "--medium", "fibre"}, "--medium is given twice"},
        RefusalCase{"mediumWithMirror", {"--mirror", "flat", "--medium", "fibre"},
                    "--medium and --mirror each take the lens's place: give one"},
        RefusalCase{"mediumWithAKeyOfAnother", {"--medium", "fibre,g=1"},
                    "--medium: 'g' is not a key of the fibre medium (its keys: n0, a)"},
        RefusalCase{"mediumThatCannotExist", {"--medium", "uniform,n=0"}, "--medium: n = 0 is out of range"},
        RefusalCase{"mediumNone", {"--medium", "none"}, "--medium: none is the lens scene"},
        RefusalCase{"mediumLayersMiscounted", {"--medium", "layers,y=0:10,n=1:2"},
                    "--medium: 2 boundaries need 3 indices, got 2"},
        RefusalCase{"pathsNotCsv", {"--paths", "p.txt"}, "must end in .csv"},
        RefusalCase{"stationaryTwice", {"--stationary", "a.csv", "--stationary", "b.csv"},
                    "--stationary is given twice"}),
    testing_support::ByName{});

}  // namespace
