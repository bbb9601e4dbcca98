// File > Print as a user gets it on paper: the program prints through QPrinter
// to a PDF (--print-pdf, the menu's own path) and poppler's pdftotext reads
// the page back; every caption the labels show must be there, whole.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ProcessResult {
  int code = -1;
  QString out, err;
};

ProcessResult run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(120000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
}

// Runs of blanks (line breaks of a wrapped caption among them) as one space.
QString words(const QString& s) {
  return s.simplified();
}

struct PrintCase {
  const char* name;
  QStringList actions;
};

class PrintedPage : public ::testing::TestWithParam<PrintCase> {};

TEST_P(PrintedPage, HoldsEveryCaptionAsText) {
  const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils) is needed: scripts/install-deps installs it";
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
  const ProcessResult printed = run(QStringLiteral(FERMAT_LENS_BINARY),
                          QStringList{QStringLiteral("--size"), QStringLiteral("1366x768"),
                                      QStringLiteral("--print-labels"), QStringLiteral("--print-pdf"), pdf} +
                              GetParam().actions);
  ASSERT_EQ(printed.code, 0) << printed.err.toStdString();
  const ProcessResult text = run(pdftotext, {pdf, QStringLiteral("-")});
  ASSERT_EQ(text.code, 0) << text.err.toStdString();
  const QString page = words(text.out);
  int captions = 0;
  for (const QString& line : printed.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    if (!line.startsWith(QStringLiteral("Label"))) continue;  // a message box's line
    const QString caption = words(line.section(QLatin1Char('\t'), 1));
    if (caption.isEmpty()) continue;
    ++captions;
    EXPECT_TRUE(page.contains(caption)) << line.toStdString() << "\nnot on the page, which reads:\n"
                                        << text.out.toStdString();
  }
  EXPECT_GE(captions, 3) << "the case shows too few captions to tell anything";
  // Each caption once: the halo is outlines, not a second copy of the text.
  EXPECT_EQ(page.count(QStringLiteral("number of points=")) + page.count(QStringLiteral("Number of points=")), 1)
      << page.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, PrintedPage,
    ::testing::Values(PrintCase{"atStartUp", {}},
                      PrintCase{"afterADrag", {QStringLiteral("entry=-12,40"), QStringLiteral("rays=37")}},
                      PrintCase{"positionByFermat", {QStringLiteral("height=-30"), QStringLiteral("press=1")}},
                      PrintCase{"rayContinuation", {QStringLiteral("height=40"), QStringLiteral("press=4")}},
                      PrintCase{"bundleContinuation", {QStringLiteral("time=60"), QStringLiteral("press=5")}}),
    [](const ::testing::TestParamInfo<PrintCase>& i) { return std::string(i.param.name); });

// A bad background is refused before anything is printed.
TEST(PrintedPage, BadBackgroundIsOneLineAndWritesNothing) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
  const ProcessResult r = run(QStringLiteral(FERMAT_LENS_BINARY),
                    {QStringLiteral("--print-pdf"), pdf, QStringLiteral("--background"), QStringLiteral("grey")});
  EXPECT_EQ(r.code, 2);
  EXPECT_TRUE(r.err.startsWith(QStringLiteral("fermat-lens: --background"))) << r.err.toStdString();
  EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

}  // namespace
