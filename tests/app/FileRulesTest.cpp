// One rule for replacing files, held by both programs: an output goes
// through a link to its target, a link to a missing file is refused in one
// line, a replaced file keeps its permission bits and a new one gets the
// umask's; and no output but --save may name the set-up --open reads.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Program {
  const char* name;
  const char* binary;
  QStringList extra;
};

const Program kLab{"fermat-lab", FERMAT_LAB_BINARY, {}};
const Program kLens{"fermat-lens", FERMAT_LENS_BINARY, {"--offscreen"}};

struct Outcome {
  int code = -1;
  QString err;
};

Outcome run(const Program& p, const QString& folder, const QStringList& args, mode_t umask = 022) {
  QProcess process;
  process.setWorkingDirectory(folder);
  process.setChildProcessModifier([umask] { ::umask(umask); });
  process.start(QString::fromUtf8(p.binary), p.extra + args);
  if (!process.waitForFinished(120000)) process.kill();
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromLocal8Bit(process.readAllStandardError())};
}

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

mode_t modeOf(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : mode_t{07777};
}

void write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// ---------------------------------------------------------------- the opened set-up

struct OpenedCase {
  std::string name;
  Program program;
  const char* option;  // an output option
  const char* file;    // the set-up's name, one the option accepts
};

class OpenedSetup : public ::testing::TestWithParam<OpenedCase> {};

TEST_P(OpenedSetup, NoOutputMayReplaceIt) {
  const OpenedCase& c = GetParam();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_EQ(run(c.program, dir.path(), {"--save", c.file, "press=1"}).code, 0);
  const QByteArray setup = contents(dir.filePath(c.file));
  ASSERT_TRUE(setup.contains("fermat-lens set-up"));
  // The same file, spelled another way.
  const Outcome r = run(c.program, dir.path(), {"--open", c.file, c.option, QStringLiteral("./") + c.file, "press=2"});
  EXPECT_EQ(r.code, 2) << r.err.toStdString();
  EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("may not replace the set-up being opened")) << r.err.toStdString();
  EXPECT_EQ(contents(dir.filePath(c.file)), setup);
}

std::vector<OpenedCase> openedCases() {
  std::vector<OpenedCase> out;
  for (const Program& p : {kLab, kLens}) {
    const std::string prefix = p.name == std::string("fermat-lab") ? "lab" : "lens";
    for (const auto& [option, file] : std::vector<std::pair<const char*, const char*>>{
             {"--trace", "s.json"}, {"--curve", "s.csv"}, {"--bundle", "s.csv"}, {"--equal-time", "s.csv"}}) {
      out.push_back({prefix + (option + 2), p, option, file});
    }
  }
  for (const auto& [option, file] : std::vector<std::pair<const char*, const char*>>{
           {"--screenshot", "s.png"}, {"--export", "s.svg"}, {"--graph-screenshot", "s.png"}, {"--print-pdf", "s.pdf"}}) {
    out.push_back({std::string("lens") + (option + 2), kLens, option, file});
  }
  for (OpenedCase& c : out) {
    for (char& ch : c.name) ch = ch == '-' ? '_' : ch;
  }
  return out;
}

INSTANTIATE_TEST_SUITE_P(Outputs, OpenedSetup, ::testing::ValuesIn(openedCases()),
                         [](const ::testing::TestParamInfo<OpenedCase>& i) { return i.param.name; });

class ReplacedFiles : public ::testing::TestWithParam<Program> {};

// --save may name the file it opened: it writes a set-up there.
TEST_P(ReplacedFiles, SaveMayReplaceTheOpenedSetup) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_EQ(run(GetParam(), dir.path(), {"--save", "s.json", "press=1"}).code, 0);
  const Outcome r = run(GetParam(), dir.path(), {"--open", "s.json", "--save", "s.json", "press=2"});
  EXPECT_EQ(r.code, 0) << r.err.toStdString();
  EXPECT_TRUE(contents(dir.filePath("s.json")).contains("\"press=2\""));
}

// A damaged set-up: one line in plain words with its place, the parser's
// words only after --verbose, wherever it stands.
TEST_P(ReplacedFiles, ADamagedSetupIsRefusedInPlainWordsAndInDetailOnRequest) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  write(dir.filePath("cut.json"), "{\n  \"format\": \"fermat-lens set-up\",\n  \"version\": 1,\n  \"lens\": {");
  Outcome r = run(GetParam(), dir.path(), {"--open", "cut.json"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("'cut.json': set-up file is damaged at line 4, column 12: the text stops before the set-up "
                             "is complete"))
      << r.err.toStdString();
  EXPECT_FALSE(r.err.contains("syntax error")) << r.err.toStdString();
  for (const QStringList& args : {QStringList{"--verbose", "--open", "cut.json"}, QStringList{"--open", "cut.json", "--verbose"}}) {
    r = run(GetParam(), dir.path(), args);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("(details: not valid JSON at byte")) << r.err.toStdString();
  }
}

// ---------------------------------------------------------------- replacing files

TEST_P(ReplacedFiles, KeepTheirModeAndNewOnesTakeTheUmask) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString old = dir.filePath("old.csv");
  write(old, "old\n");
  ASSERT_EQ(::chmod(QFile::encodeName(old).constData(), 0640), 0);
  Outcome r = run(GetParam(), dir.path(), {"--curve", "old.csv", "--bundle", "new.csv"}, 077);
  ASSERT_EQ(r.code, 0) << r.err.toStdString();
  EXPECT_NE(contents(old), QByteArray("old\n"));
  EXPECT_EQ(modeOf(old), mode_t{0640}) << "a replaced file keeps its bits";
  EXPECT_EQ(modeOf(dir.filePath("new.csv")), mode_t{0600}) << "a new file is as the umask makes it";
  // Only root may replace a read-only file; it stays read-only.
  if (::geteuid() == 0) {
    ASSERT_EQ(::chmod(QFile::encodeName(old).constData(), 0444), 0);
    r = run(GetParam(), dir.path(), {"--curve", "old.csv"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(modeOf(old), mode_t{0444});
  }
  const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
  EXPECT_EQ(left, (QStringList{"new.csv", "old.csv"})) << "no temporary is left";
}

TEST_P(ReplacedFiles, GoThroughALinkAndRefuseALinkToNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  write(dir.filePath("real.csv"), "old\n");
  ASSERT_TRUE(QFile::link("real.csv", dir.filePath("link.csv")));
  Outcome r = run(GetParam(), dir.path(), {"--curve", "link.csv"});
  ASSERT_EQ(r.code, 0) << r.err.toStdString();
  EXPECT_EQ(QFile::symLinkTarget(dir.filePath("link.csv")), dir.filePath("real.csv")) << "the link stays a link";
  EXPECT_TRUE(contents(dir.filePath("real.csv")).startsWith("kind,")) << contents(dir.filePath("real.csv")).left(40).toStdString();

  ASSERT_TRUE(QFile::link("missing.csv", dir.filePath("dangling.csv")));
  r = run(GetParam(), dir.path(), {"--curve", "dangling.csv"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("a link to a missing file")) << r.err.toStdString();
  EXPECT_FALSE(QFile::exists(dir.filePath("missing.csv"))) << "nothing created through the link";
  EXPECT_EQ(QFile::symLinkTarget(dir.filePath("dangling.csv")), dir.filePath("missing.csv"));
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, ReplacedFiles, ::testing::Values(kLab, kLens),
                         [](const ::testing::TestParamInfo<Program>& i) {
                           return std::string(i.param.name) == "fermat-lab" ? std::string("lab") : std::string("lens");
                         });

}  // namespace
