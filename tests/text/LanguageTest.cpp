// The language in force: choosing one, what a missing text falls back to,
// counted texts, numbers' decimal separator.
#include "text/Language.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A small catalogue of its own, so these tests do not depend on the
// translations' words.
constexpr const char* kTest = R"({
  "meta": {"language": "x-test", "name": "Test", "direction": "rtl", "decimal": ",", "review": "tests"},
  "caption": {"fermatTime": "T = {{time}}"},
  "graph": {"crossing": {"summary_one": "{{exact}} of one", "summary_other": "{{exact}} of {{count}}"}}
})";

class Language : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(text::AddCatalogue(kTest), ""); }
  text::LanguageScope scope_{""};
};

TEST_F(Language, NothingChosenIsTheOriginal) {
  EXPECT_EQ(text::LanguageInForce(), "");
  EXPECT_EQ(text::Tr("caption.fermatTime", {{"time", "1.00"}}), "χρόνος = 1.00");
  EXPECT_FALSE(text::RightToLeft());
  EXPECT_EQ(text::LocalNumber("141.08"), "141.08");
}

TEST_F(Language, AChosenOneGivesItsTextsAndTheOriginalsWhereItHasNone) {
  ASSERT_EQ(text::UseLanguage("x-test"), "");
  EXPECT_EQ(text::Tr("caption.fermatTime", {{"time", "1,00"}}), "T = 1,00");
  EXPECT_EQ(text::Tr("button.command1"), "position by Fermat");  // not in the test catalogue
  EXPECT_EQ(text::Tr("no.such.key"), "no.such.key");           // in none: the key shows where it is missing
  EXPECT_TRUE(text::RightToLeft());
  EXPECT_EQ(text::LocalNumber("-141.08"), "-141,08");
}

TEST_F(Language, AnUnknownOneIsRefusedAndTheLanguageKept) {
  ASSERT_EQ(text::UseLanguage("x-test"), "");
  const std::uint64_t revision = text::LanguageRevision();
  const std::string e = text::UseLanguage("xx");
  EXPECT_NE(e.find("unknown language 'xx'"), std::string::npos) << e;
  EXPECT_NE(e.find("x-test"), std::string::npos) << "the refusal names the languages there are: " << e;
  EXPECT_EQ(text::LanguageInForce(), "x-test");
  EXPECT_EQ(text::LanguageRevision(), revision);
}

TEST_F(Language, EachSwitchMovesTheRevisionOn) {
  const std::uint64_t before = text::LanguageRevision();
  ASSERT_EQ(text::UseLanguage("x-test"), "");
  const std::uint64_t chosen = text::LanguageRevision();
  EXPECT_GT(chosen, before);
  ASSERT_EQ(text::UseLanguage("x-test"), "");
  EXPECT_EQ(text::LanguageRevision(), chosen) << "the same language again changes no text";
  ASSERT_EQ(text::UseLanguage("original"), "");
  EXPECT_EQ(text::LanguageInForce(), "");
  EXPECT_GT(text::LanguageRevision(), chosen);
}

TEST_F(Language, CountedTextsFollowTheLanguagesPluralRule) {
  ASSERT_EQ(text::UseLanguage("x-test"), "");
  EXPECT_EQ(text::TrCount("graph.crossing.summary", 1, {{"exact", "1"}}), "1 of one");
  EXPECT_EQ(text::TrCount("graph.crossing.summary", 7, {{"exact", "5"}}), "5 of 7");
}

TEST_F(Language, AddingACatalogueWithoutItsLanguageIsRefused) {
  EXPECT_NE(text::AddCatalogue(R"({"meta": {"name": "none"}, "a": "b"})"), "");
  EXPECT_NE(text::AddCatalogue(R"({"meta": {"language": "qps"}, "a": "b"})"), "");
  EXPECT_NE(text::AddCatalogue("{"), "");
}

TEST_F(Language, ThePseudoLanguageBracketsEveryOriginalText) {
  ASSERT_EQ(text::UseLanguage(text::kPseudoLanguage), "");
  const std::string t = text::Tr("caption.fermatTime", {{"time", "1.00"}});
  EXPECT_EQ(t.front(), '[');
  EXPECT_EQ(t.back(), ']');
  EXPECT_NE(t.find("1.00"), std::string::npos) << t;
  EXPECT_EQ(text::LocalNumber("1.5"), "1.5");
}

TEST(LanguageScope, PutsTheLanguageBack) {
  ASSERT_EQ(text::AddCatalogue(kTest), "");
  {
    text::LanguageScope outer("x-test");
    {
      text::LanguageScope inner("");
      EXPECT_EQ(text::LanguageInForce(), "");
    }
    EXPECT_EQ(text::LanguageInForce(), "x-test");
  }
  EXPECT_EQ(text::LanguageInForce(), "");
}

}  // namespace
