// fermat-lab's command line: two outputs that land on one file are refused
// however the file is spelt, whether it exists yet or not; outputs that land
// on different files are taken.
#include "headless/CommandLine.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using headless_testing::TempFolder;

struct Spellings {
  const char* name;
  const char* first;   // as --curve gives it
  const char* second;  // as --bundle gives it; "@" stands for the working folder's absolute path
  bool same;           // both name one file
};

void PrintTo(const Spellings& c, std::ostream* os) { *os << c.name; }

// Run in a folder of its own holding a folder "sub" and a link "here" to itself.
class OutputSpellings : public ::testing::TestWithParam<std::tuple<Spellings, bool>> {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(dir_.path() / "sub");
    std::filesystem::create_directory_symlink(".", dir_.path() / "here");
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  TempFolder dir_;
  std::filesystem::path previous_;
};

TEST_P(OutputSpellings, AreRefusedWhenTheyNameOneFile) {
  const auto& [c, exists] = GetParam();
  std::string second = c.second;
  if (second.starts_with('@')) second.replace(0, 1, dir_.path().string());
  if (exists) {
    std::ofstream(c.first) << "old";
    std::ofstream(second) << "old";
  }
  const headless::Parsed p = headless::ParseCommandLine({"--curve", c.first, "--bundle", second, "press=2"});
  if (c.same) {
    EXPECT_FALSE(p.options);
    EXPECT_NE(p.error.find("--curve and --bundle name the same file"), std::string::npos) << p.error;
  } else {
    EXPECT_EQ(p.error, "");
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->curve, c.first);
    EXPECT_EQ(p.options->bundle, second);
  }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, OutputSpellings,
    ::testing::Combine(::testing::Values(Spellings{"asGiven", "same.csv", "same.csv", true},
                                         Spellings{"dotSlash", "same.csv", "./same.csv", true},
                                         Spellings{"doubleSlash", "same.csv", ".//same.csv", true},
                                         Spellings{"upFromAFolder", "same.csv", "sub/../same.csv", true},
                                         Spellings{"throughALink", "same.csv", "here/same.csv", true},
                                         Spellings{"absolute", "./same.csv", "@/same.csv", true},
                                         Spellings{"otherName", "same.csv", "other.csv", false},
                                         Spellings{"otherFolder", "same.csv", "sub/same.csv", false}),
                       ::testing::Bool()),
    [](const ::testing::TestParamInfo<std::tuple<Spellings, bool>>& p) {
      return std::string(std::get<0>(p.param).name) + (std::get<1>(p.param) ? "Existing" : "New");
    });

// Every pair of the five outputs is checked, not only the two CSV ones.
TEST(CommandLine, RefusesAnyTwoOutputsOnOneFile) {
  TempFolder dir;
  const std::vector<std::pair<std::string, std::string>> outputs{
      {"--trace", "out.csv"}, {"--curve", "out.csv"}, {"--bundle", "out.csv"}, {"--save", "out.csv"},
      {"--equal-time", "out.csv"}};
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    for (std::size_t k = i + 1; k < outputs.size(); ++k) {
      const std::string a = dir / "out.csv", b = (dir.path() / "." / "out.csv").string();
      const headless::Parsed p = headless::ParseCommandLine({outputs[i].first, a, outputs[k].first, b});
      EXPECT_FALSE(p.options) << outputs[i].first << " " << outputs[k].first;
      EXPECT_NE(p.error.find(outputs[i].first + " and " + outputs[k].first + " name the same file"), std::string::npos)
          << p.error;
    }
  }
}

}  // namespace
