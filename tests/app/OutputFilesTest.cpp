// Outputs that never lie: every run here must fail with exit status 2 and one
// line naming the cause, and leave its folder exactly as it was: old files
// with their old bytes, FIFOs and device nodes in place, nothing new.
#include "QtTesting.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <map>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// What the child runs under: a file-size limit makes every write past it fail
// with EFBIG as a full disk fails with ENOSPC (same system call, same path
// through the program), for root and others alike, without mounting anything.
enum class Limit { None, FileSize, Memory };

constexpr rlim_t kFileSizeLimit = 512;  // bytes: smaller than every output but an empty bundle's header
constexpr rlim_t kMemoryLimit = rlim_t{3} << 30;

struct Entry {
  enum class Kind { File, Fifo, Link, Device } kind;
  const char* name;
  const char* target = "";  // a link's target
};

struct OutputCase {
  const char* name;
  std::vector<Entry> before;  // the folder's entries before the run
  QStringList args;           // run in the folder: file names are relative to it
  Limit limit;
  const char* mentions;  // what the error must say; for a file-size limit, the system's reason for EFBIG
};

constexpr auto kFile = Entry::Kind::File;
constexpr auto kFifo = Entry::Kind::Fifo;
constexpr auto kLink = Entry::Kind::Link;
constexpr auto kDevice = Entry::Kind::Device;

// Every entry of the folder as type and content, without opening anything
// but regular files (a FIFO would block a reader).
std::map<std::string, std::string> folderState(const QString& folder) {
  std::map<std::string, std::string> state;
  const QStringList names =
      QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString& name : names) {
    const QByteArray path = QFile::encodeName(folder + '/' + name);
    struct stat st {};
    std::string& what = state[name.toStdString()];
    if (::lstat(path.constData(), &st) != 0) {
      what = "gone";
    } else if (S_ISLNK(st.st_mode)) {
      what = "link to " + QFile::symLinkTarget(QString::fromLocal8Bit(path)).toStdString();
    } else if (S_ISFIFO(st.st_mode)) {
      what = "fifo";
    } else if (S_ISCHR(st.st_mode)) {
      what = "device " + std::to_string(major(st.st_rdev)) + "," + std::to_string(minor(st.st_rdev));
    } else if (S_ISREG(st.st_mode)) {
      QFile f(QString::fromLocal8Bit(path));
      what = f.open(QIODevice::ReadOnly) ? "file " + f.readAll().toStdString() : "unreadable file";
    } else {
      what = "other";
    }
  }
  return state;
}

class OutputFaults : public ::testing::TestWithParam<OutputCase> {
 protected:
  // A first run without limits, so that caches the toolkit writes on its
  // first start (fonts) exist before a run with a file-size limit.
  static void SetUpTestSuite() {
    QProcess p;
    p.start(QStringLiteral(FERMAT_LENS_BINARY), {QStringLiteral("--print-labels")});
    p.waitForFinished(120000);
  }
};

TEST_P(OutputFaults, ExitTwoWithOneLineAndLeaveTheFolderAsItWas) {
  const OutputCase& c = GetParam();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const Entry& e : c.before) {
    const QString path = dir.filePath(QString::fromLatin1(e.name));
    const QByteArray native = QFile::encodeName(path);
    switch (e.kind) {
      case Entry::Kind::File: {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old\n");
        break;
      }
      case Entry::Kind::Fifo: ASSERT_EQ(::mkfifo(native.constData(), 0644), 0); break;
      case Entry::Kind::Link: ASSERT_TRUE(QFile::link(QString::fromLatin1(e.target), path)); break;
      case Entry::Kind::Device:
        // A copy of the null device inside the test's own folder: replacing
        // it would harm nothing, and only root may make one.
        if (::geteuid() != 0 || ::mknod(native.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
          GTEST_SKIP() << "making a device node needs root";
        }
        break;
    }
  }
  const auto before = folderState(dir.path());

  QProcess p;
  p.setWorkingDirectory(dir.path());
  const Limit limit = c.limit;
  p.setChildProcessModifier([limit] {
    if (limit == Limit::FileSize) {
      ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG instead of ending the process
      const rlimit r{kFileSizeLimit, kFileSizeLimit};
      ::setrlimit(RLIMIT_FSIZE, &r);
    }
#ifndef __SANITIZE_ADDRESS__  // the address sanitizer reserves terabytes of address space
    if (limit == Limit::Memory) {
      const rlimit r{kMemoryLimit, kMemoryLimit};
      ::setrlimit(RLIMIT_AS, &r);
    }
#endif
  });
  p.start(QStringLiteral(FERMAT_LENS_BINARY), c.args);
  ASSERT_TRUE(p.waitForFinished(120000));
  const QString err = QString::fromLocal8Bit(p.readAllStandardError());
  const QString out = QString::fromUtf8(p.readAllStandardOutput());

  const QString reason =
      c.limit == Limit::FileSize ? QString::fromLocal8Bit(std::strerror(EFBIG)) : QString::fromUtf8(c.mentions);
  EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(p.exitCode(), 2) << err.toStdString();
  EXPECT_TRUE(err.startsWith(QLatin1String("fermat-lens: "))) << err.toStdString();
  EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
  EXPECT_TRUE(err.contains(reason)) << "expected '" << reason.toStdString() << "' in: " << err.toStdString();
  EXPECT_TRUE(out.isEmpty()) << out.toStdString();
  EXPECT_EQ(folderState(dir.path()), before);
}

const QStringList kBundle{"rays=20", "press=2"};

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputFaults,
    ::testing::Values(
        // A full disk, output by output: the old file stays whole.
        OutputCase{
            "traceOnFullDisk", {{kFile, "t.jsonl"}}, QStringList{"--trace", "t.jsonl"} + kBundle, Limit::FileSize, ""},
        OutputCase{
            "bundleOnFullDisk", {{kFile, "b.csv"}}, QStringList{"--bundle", "b.csv"} + kBundle, Limit::FileSize, ""},
        OutputCase{"curveOnFullDisk", {{kFile, "c.csv"}}, {"--curve", "c.csv"}, Limit::FileSize, ""},
        OutputCase{
            "svgExportOnFullDisk", {{kFile, "e.svg"}}, QStringList{"--export", "e.svg"} + kBundle, Limit::FileSize, ""},
        OutputCase{
            "pngExportOnFullDisk", {{kFile, "e.png"}}, QStringList{"--export", "e.png"} + kBundle, Limit::FileSize, ""},
        OutputCase{"graphSvgOnFullDisk",
                   {{kFile, "g.svg"}},
                   QStringList{"--graph-screenshot", "g.svg"} + kBundle,
                   Limit::FileSize,
                   ""},
        OutputCase{"screenshotOnFullDisk",
                   {{kFile, "s.png"}},
                   QStringList{"--screenshot", "s.png"} + kBundle,
                   Limit::FileSize,
                   ""},
        // The bundle's header (no bundle yet) fits, the graph picture does not:
        // neither file may change, nor a new one appear.
        OutputCase{"firstFitsSecondDoesNot",
                   {{kFile, "b.csv"}},
                   {"--bundle", "b.csv", "--graph-screenshot", "g.png"},
                   Limit::FileSize,
                   ""},
        OutputCase{
            "firstFitsSecondIsNew", {}, {"--bundle", "b.csv", "--graph-screenshot", "g.png"}, Limit::FileSize, ""},

        // Not a regular file: neither replaced nor written into.
        OutputCase{"fifoAsCurve", {{kFifo, "c.csv"}}, {"--curve", "c.csv"}, Limit::None, "not a regular file"},
        OutputCase{"linkToFifoAsTrace",
                   {{kFifo, "pipe"}, {kLink, "t.jsonl", "pipe"}},
                   {"--trace", "t.jsonl"},
                   Limit::None,
                   "not a regular file"},
        OutputCase{
            "fifoAsScreenshot", {{kFifo, "s.png"}}, {"--screenshot", "s.png"}, Limit::None, "not a regular file"},
        OutputCase{
            "deviceAsExport", {{kDevice, "null.svg"}}, {"--export", "null.svg"}, Limit::None, "not a regular file"},
        OutputCase{
            "deviceAsBundle", {{kDevice, "null.csv"}}, {"--bundle", "null.csv"}, Limit::None, "not a regular file"},

        // Two outputs naming one file, however it is spelled.
        OutputCase{"exportAndGraphOnOneFile",
                   {{kFile, "same.png"}},
                   {"--export", "same.png", "--graph-screenshot", "same.png"},
                   Limit::None,
                   "same file"},
        OutputCase{
            "exportAndTraceOnOneFile", {}, {"--export", "a.svg", "--trace", "./a.svg"}, Limit::None, "same file"},
        OutputCase{"screenshotAndExportThroughALink",
                   {{kFile, "real.png"}, {kLink, "link.png", "real.png"}},
                   {"--screenshot", "link.png", "--export", "real.png"},
                   Limit::None,
                   "same file"},
        OutputCase{"exportTwice", {}, {"--export", "a.png", "--export", "a.png"}, Limit::None, "twice"},
        OutputCase{"exportTwiceToTwoFiles", {}, {"--export", "a.png", "--export", "b.svg"}, Limit::None, "twice"},

        // Extensions, as --export checks them.
        OutputCase{"screenshotNotPng", {}, {"--screenshot", "s.jpg"}, Limit::None, "s.jpg"},
        OutputCase{"curveNotCsv", {}, {"--curve", "c.txt"}, Limit::None, "c.txt"},
        OutputCase{"bundleNotCsv", {}, {"--bundle", "b.json"}, Limit::None, "b.json"},

        // The largest PNG the options allow: 65536 x 65536 pixels, 16 GiB.
        OutputCase{"pngTooLargeForMemory",
                   {},
                   {"--size", "16384x16384", "--export", "big.png", "--scale", "4"},
                   Limit::Memory,
                   "too large"}),
    testing_support::ByName{});

}  // namespace
