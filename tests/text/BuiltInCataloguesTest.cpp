// Every catalogue the program is built with stands in for the original
// everywhere: complete, with the same placeholders, tags and access keys, and
// the plural forms its language needs.
#include "text/CatalogueCheck.h"
#include "text/Language.h"
#include "text/Translations.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* kLanguages[] = {"en", "el", "de", "fr", "es", "pt-BR", "zh-CN", "ar"};

class BuiltInCatalogue : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { text::AddBuiltInTranslations(); }
};

TEST_P(BuiltInCatalogue, IsComplete) {
  const text::Catalogue* c = text::AddedCatalogue(GetParam());
  ASSERT_NE(c, nullptr) << GetParam() << " is not built in";
  std::string faults;
  for (const std::string& f : text::CheckTranslation(text::OriginalCatalogue(), *c)) faults += f + "\n";
  EXPECT_EQ(faults, "") << GetParam();
}

TEST_P(BuiltInCatalogue, SaysItAwaitsATeachersReview) {
  const text::Catalogue* c = text::AddedCatalogue(GetParam());
  ASSERT_NE(c, nullptr);
  EXPECT_NE(c->review.find("review"), std::string::npos) << c->review;
  EXPECT_EQ(c->rightToLeft, std::string(GetParam()) == "ar");
  EXPECT_FALSE(c->decimal.empty());
}

TEST_P(BuiltInCatalogue, ChangesTheWordsOfTheOriginal) {
  // A translation that copied the original would pass every check above.
  const text::Catalogue* c = text::AddedCatalogue(GetParam());
  ASSERT_NE(c, nullptr);
  // Plain English differs where the original is Greek or misspelt, every
  // other language nearly everywhere.
  if (std::string(GetParam()) == "en") {
    for (const char* key : {"caption.fermatTime", "message.notFound", "button.command3", "button.command4",
                            "window.title"}) {
      const std::string* t = c->find(key);
      ASSERT_NE(t, nullptr) << key;
      EXPECT_NE(*t, *text::OriginalCatalogue().find(key)) << key;
    }
    return;  // the original is mostly English already
  }
  int same = 0, all = 0;
  for (const auto& [key, source] : text::OriginalCatalogue().texts) {
    if (const std::string* t = c->find(key)) {
      ++all;
      same += *t == source;
    }
  }
  EXPECT_LT(same * 3, all) << GetParam() << ": " << same << " of " << all << " texts as in the original";
}

INSTANTIATE_TEST_SUITE_P(Languages, BuiltInCatalogue, testing::ValuesIn(kLanguages),
                         [](const auto& param) {
                           std::string name = param.param;
                           std::erase(name, '-');
                           return name;
                         });

TEST(CheckTranslation, FindsWhatATranslatorMightBreak) {
  std::string error;
  const text::Catalogue original = text::ReadCatalogue(
      R"({"a": "n = {{n}}", "b": "<b>x</b>", "c": "&File", "d_one": "{{count}} ray", "d_other": "{{count}} rays"})",
      error);
  ASSERT_EQ(error, "");
  const text::Catalogue broken = text::ReadCatalogue(
      R"({"meta": {"language": "fr", "name": "Français", "review": "r"},
          "a": "n = {{m}}", "b": "x", "c": "Fichier", "d_one": "{{count}} rayon", "d_other": "{{count}} rayons",
          "e": "de trop"})",
      error);
  ASSERT_EQ(error, "");
  const std::vector<std::string> faults = text::CheckTranslation(original, broken);
  const auto has = [&](const std::string& f) { return std::find(faults.begin(), faults.end(), f) != faults.end(); };
  EXPECT_TRUE(has("placeholders differ: a"));
  EXPECT_TRUE(has("HTML tags differ: b"));
  EXPECT_TRUE(has("one & access key wanted: c"));
  EXPECT_TRUE(has("missing: d_many")) << "French counts millions apart";
  EXPECT_TRUE(has("no such text in the original: e"));
  EXPECT_EQ(faults.size(), 5u);
}

}  // namespace
