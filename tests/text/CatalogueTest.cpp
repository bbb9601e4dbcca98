// Reading a catalogue, its placeholders and plural rules, and the
// pseudo-language the layout tests use.
#include "text/Catalogue.h"
#include "text/Language.h"
#include "text/Plural.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

namespace {

using text::PluralCategory;

TEST(ReadCatalogue, FlattensGroupsAndReadsTheMeta) {
  std::string error;
  const text::Catalogue c = text::ReadCatalogue(
      R"({"meta": {"language": "de", "name": "Deutsch", "direction": "ltr", "decimal": ",", "review": "r"},
          "caption": {"time": "Zeit = {{time}}", "nested": {"deep": "tief"}}, "top": "oben"})",
      error);
  ASSERT_EQ(error, "");
  EXPECT_EQ(c.language, "de");
  EXPECT_EQ(c.name, "Deutsch");
  EXPECT_EQ(c.decimal, ",");
  EXPECT_FALSE(c.rightToLeft);
  ASSERT_NE(c.find("caption.time"), nullptr);
  EXPECT_EQ(*c.find("caption.time"), "Zeit = {{time}}");
  ASSERT_NE(c.find("caption.nested.deep"), nullptr);
  EXPECT_EQ(*c.find("top"), "oben");
  EXPECT_EQ(c.find("caption"), nullptr);  // a group is no text
  EXPECT_EQ(c.find("meta.name"), nullptr);  // the meta is no text either
}

struct Refusal {
  const char* json;
  const char* says;
};

class ReadCatalogueRefuses : public testing::TestWithParam<Refusal> {};

TEST_P(ReadCatalogueRefuses, WithOneLineThatSaysWhy) {
  std::string error;
  const text::Catalogue c = text::ReadCatalogue(GetParam().json, error);
  EXPECT_NE(error.find(GetParam().says), std::string::npos) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  EXPECT_TRUE(c.texts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Catalogues, ReadCatalogueRefuses,
    testing::Values(Refusal{R"({"a": 1})", "'a' is no text"}, Refusal{R"({"a": {"b": [1]}})", "'a.b' is no text"},
                    Refusal{R"(["a"])", "one JSON object"}, Refusal{R"({"a": "x", "a": "y"})", "twice"},
                    Refusal{R"({"a": "x")", "damaged"}, Refusal{R"({"meta": "de"})", "'meta' is no object"}));

TEST(Interpolate, FillsEachPlaceholderAndKeepsUnknownOnes) {
  EXPECT_EQ(text::Interpolate("n = {{n}}; {{n}} again", {{"n", "2"}}), "n = 2; 2 again");
  EXPECT_EQ(text::Interpolate("{{a}}-{{b}}", {{"b", "B"}, {"a", "A"}}), "A-B");
  EXPECT_EQ(text::Interpolate("{{missing}} stays", {{"other", "x"}}), "{{missing}} stays");
  EXPECT_EQ(text::Interpolate("unclosed {{a", {{"a", "x"}}), "unclosed {{a");
  EXPECT_EQ(text::Interpolate("{{a}}", {{"a", "{{a}}"}}), "{{a}}");  // a value is never read again
}

TEST(Placeholders, CountsEachName) {
  const auto p = text::Placeholders("{{a}} and {{b}} and {{a}}");
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p.at("a"), 2);
  EXPECT_EQ(p.at("b"), 1);
}

struct PluralCase {
  const char* language;
  std::uint64_t n;
  PluralCategory category;
};

class PluralRule : public testing::TestWithParam<PluralCase> {};

// CLDR's cardinal categories for whole counts, as its charts list them.
TEST_P(PluralRule, IsCldrs) {
  EXPECT_EQ(text::PluralOf(GetParam().language, GetParam().n), GetParam().category)
      << GetParam().language << " " << GetParam().n;
}

using C = PluralCategory;
INSTANTIATE_TEST_SUITE_P(
    Languages, PluralRule,
    testing::Values(PluralCase{"en", 0, C::Other}, PluralCase{"en", 1, C::One}, PluralCase{"en", 2, C::Other},
                    PluralCase{"de", 1, C::One}, PluralCase{"el", 21, C::Other}, PluralCase{"fr", 0, C::One},
                    PluralCase{"fr", 1, C::One}, PluralCase{"fr", 2, C::Other}, PluralCase{"fr", 1000000, C::Many},
                    PluralCase{"pt-BR", 0, C::One}, PluralCase{"pt-BR", 2000000, C::Many},
                    PluralCase{"es", 0, C::Other}, PluralCase{"es", 1, C::One}, PluralCase{"es", 1000000, C::Many},
                    PluralCase{"zh-CN", 1, C::Other}, PluralCase{"ar", 0, C::Zero}, PluralCase{"ar", 1, C::One},
                    PluralCase{"ar", 2, C::Two}, PluralCase{"ar", 3, C::Few}, PluralCase{"ar", 10, C::Few},
                    PluralCase{"ar", 11, C::Many}, PluralCase{"ar", 99, C::Many}, PluralCase{"ar", 100, C::Other},
                    PluralCase{"ar", 102, C::Other}, PluralCase{"ar", 103, C::Few}, PluralCase{"ar", 111, C::Many}));

TEST(PluralCategories, CoverEveryCountTheRuleGives) {
  for (const char* language : {"en", "de", "el", "fr", "es", "pt-BR", "zh-CN", "ar"}) {
    const auto categories = text::PluralCategories(language);
    for (std::uint64_t n = 0; n <= 2000; ++n) {
      const PluralCategory c = text::PluralOf(language, n);
      EXPECT_NE(std::find(categories.begin(), categories.end(), c), categories.end()) << language << " " << n;
    }
  }
}

TEST(WithoutAccessKey, LeavesTheWordsOnly) {
  EXPECT_EQ(text::WithoutAccessKey("M&edium"), "Medium");
  EXPECT_EQ(text::WithoutAccessKey("&kind"), "kind");
  EXPECT_EQ(text::WithoutAccessKey("\u0627\u0644\u0645\u0631\u0622\u0629 (&M)"), "\u0627\u0644\u0645\u0631\u0622\u0629");
  EXPECT_EQ(text::WithoutAccessKey("\u955c\u5b50(&M)"), "\u955c\u5b50");
  EXPECT_EQ(text::WithoutAccessKey("Save && quit"), "Save & quit");
  EXPECT_EQ(text::WithoutAccessKey("no key"), "no key");
  EXPECT_EQ(text::WithoutAccessKey("(&&x)"), "(&x)");
}

class PseudoText : public testing::TestWithParam<const char*> {};

// The pseudo-language exists to show clipping: longer by 40 %, bracketed so a
// cut end shows, and still working text (placeholders, tags and entities intact).
TEST_P(PseudoText, IsLongerBracketedAndKeepsWhatIsNoWord) {
  const std::string original = GetParam();
  const std::string pseudo = text::PseudoText(original);
  // What a reader sees: tags and placeholders left out, an entity one character.
  const auto visible = [](const std::string& s) {
    std::string out = std::regex_replace(s, std::regex("<[^>]*>|\\{\\{[^}]*\\}\\}"), "");
    out = std::regex_replace(out, std::regex("&[a-z]+;"), "e");
    return std::count_if(out.begin(), out.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
  };
  EXPECT_EQ(pseudo.front(), '[');
  EXPECT_EQ(pseudo.back(), ']');
  EXPECT_GE(static_cast<double>(visible(pseudo)), 1.4 * static_cast<double>(visible(original))) << pseudo;
  EXPECT_EQ(text::Placeholders(pseudo), text::Placeholders(original)) << pseudo;
  for (const char* kept : {"<b>", "</b>", "&rarr;", "{{n}}"})
    EXPECT_EQ(original.find(kept) == std::string::npos, pseudo.find(kept) == std::string::npos) << kept << " " << pseudo;
  EXPECT_EQ(pseudo.find("position"), std::string::npos) << "letters are accented: " << pseudo;
}

INSTANTIATE_TEST_SUITE_P(Texts, PseudoText,
                         testing::Values("position by Fermat", "n = {{n}}", "<b>The red dot</b> &rarr; here",
                                         "a", "Mirror &panel…", "χρόνος = {{time}}"));

}  // namespace
