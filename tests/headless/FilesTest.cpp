// fermat-lab's output files: a new file gets the mode the user's umask
// gives, a replaced one keeps its own, and a run whose later output fails
// leaves no temporary behind, only what it had already put in place.
#include "headless/Files.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using headless_testing::TempFolder;

mode_t modeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

std::string contentOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Sets the process's umask for the scope.
class Umask {
 public:
  explicit Umask(mode_t mask) : previous_(::umask(mask)) {}
  Umask(const Umask&) = delete;
  Umask& operator=(const Umask&) = delete;
  ~Umask() { ::umask(previous_); }

 private:
  mode_t previous_;
};

struct ModeCase {
  const char* name;
  mode_t umask;
  std::optional<mode_t> existing;  // the mode of a file already there, none for a new file
  mode_t expected;
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

class OutputMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(OutputMode, IsTheUmasksForANewFileAndTheFilesOwnForAReplacedOne) {
  const ModeCase& c = GetParam();
  TempFolder dir;
  const std::string path = dir / "out.csv";
  if (c.existing) {
    std::ofstream(path) << "old";
    ASSERT_EQ(::chmod(path.c_str(), *c.existing), 0);
  }
  {
    const Umask mask(c.umask);
    headless::OutputFiles files;
    ASSERT_EQ(files.add(path, "x,y\n"), "");
    ASSERT_EQ(files.commit(), "");
  }
  EXPECT_EQ(contentOf(path), "x,y\n");
  EXPECT_EQ(modeOf(path), c.expected) << std::oct << "mode 0" << modeOf(path) << ", expected 0" << c.expected;
}

INSTANTIATE_TEST_SUITE_P(
    Files, OutputMode,
    ::testing::Values(ModeCase{"newUnderUmask077", 077, std::nullopt, 0600},
                      ModeCase{"newUnderUmask022", 022, std::nullopt, 0644},
                      ModeCase{"newUnderUmask027", 027, std::nullopt, 0640},
                      ModeCase{"newUnderUmask000", 0, std::nullopt, 0666},
                      ModeCase{"replacedKeepsItsMode", 077, 0644, 0644},
                      ModeCase{"replacedReadableByAll", 022, 0604, 0604}),
    [](const ::testing::TestParamInfo<ModeCase>& p) { return std::string(p.param.name); });

// Three outputs a.csv, b.csv and c.csv, added and committed as fermat-lab
// does: the first failure ends the run, and the OutputFiles object goes.
enum class Failure { None, Add, AddTooLarge, Commit };

struct RunCase {
  const char* name;
  Failure failure;
  int failing;                      // 0, 1, 2: which output fails
  std::set<std::string> remaining;  // every name in the folder afterwards
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

// Files larger than `bytes` fail to write (EFBIG) for the scope, as a full
// disk fails a write, instead of the signal ending the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lower = previous_;
    lower.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &lower);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousSignal_);
  }

 private:
  rlimit previous_{};
  void (*previousSignal_)(int) = nullptr;
};

class FailedRun : public ::testing::TestWithParam<RunCase> {};

TEST_P(FailedRun, LeavesNoTemporaryBehind) {
  const RunCase& c = GetParam();
  TempFolder dir;
  const std::vector<std::string> names{"a.csv", "b.csv", "c.csv"};
  // A folder where an output should go: refused when added, or, made after
  // the adds, when its temporary is renamed over it.
  const std::string failingPath = dir / names[static_cast<std::size_t>(c.failing)];
  if (c.failure == Failure::Add) std::filesystem::create_directory(failingPath);
  std::string error;
  {
    headless::OutputFiles files;
    for (std::size_t i = 0; i < names.size() && error.empty(); ++i) {
      const bool tooLarge = c.failure == Failure::AddTooLarge && static_cast<int>(i) == c.failing;
      const std::string bytes = tooLarge ? std::string(20000, 'x') : "output " + names[i] + "\n";
      std::optional<FileSizeLimit> limit;
      if (tooLarge) limit.emplace(10000);
      error = files.add(dir / names[i], bytes);
    }
    if (c.failure == Failure::Commit) {
      ASSERT_EQ(error, "");
      std::filesystem::create_directory(failingPath);
    }
    if (error.empty()) error = files.commit();
  }
  EXPECT_EQ(dir.names(), c.remaining);
  if (c.failure == Failure::None) {
    EXPECT_EQ(error, "");
  } else {
    EXPECT_NE(error.find("cannot write '" + failingPath + "'"), std::string::npos) << error;
  }
  // What was put in place is whole.
  for (const std::string& name : c.remaining) {
    if (name.ends_with(".csv")) {
      EXPECT_EQ(contentOf(dir / name), "output " + name + "\n") << name;
    }
  }
  // A commit that had already replaced some targets says which.
  if (c.failure == Failure::Commit && c.failing > 0) {
    EXPECT_NE(error.find("already written: '" + (dir / "a.csv") + "'"), std::string::npos) << error;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, FailedRun,
    ::testing::Values(RunCase{"noFailure", Failure::None, 0, {"a.csv", "b.csv", "c.csv"}},
                      RunCase{"firstAddFails", Failure::Add, 0, {"a.csv/"}},
                      RunCase{"secondAddFails", Failure::Add, 1, {"b.csv/"}},
                      RunCase{"lastAddFails", Failure::Add, 2, {"c.csv/"}},
                      RunCase{"secondWriteFails", Failure::AddTooLarge, 1, {}},
                      RunCase{"lastWriteFails", Failure::AddTooLarge, 2, {}},
                      RunCase{"firstRenameFails", Failure::Commit, 0, {"a.csv/"}},
                      RunCase{"secondRenameFails", Failure::Commit, 1, {"a.csv", "b.csv/"}},
                      RunCase{"lastRenameFails", Failure::Commit, 2, {"a.csv", "b.csv", "c.csv/"}}),
    [](const ::testing::TestParamInfo<RunCase>& p) { return std::string(p.param.name); });

}  // namespace
