// A change of language mid-session words every label anew and changes
// nothing else: not the picture, not the state, not one number of a label.
#include "LabTesting.h"

#include "core/Constants.h"
#include "graphs/CurveTexts.h"
#include "lab/Captions.h"
#include "lab/MediumText.h"
#include "lab/MirrorText.h"
#include "lab/Run.h"
#include "text/Language.h"
#include "text/Translations.h"

#include <regex>

namespace {

using namespace lab_testing;

struct Scene {
  const char* name;
  const char* mirror;  // --mirror's spelling, or nullptr
  const char* medium;  // --medium's spelling, or nullptr
  std::vector<const char*> before, after;  // actions before and after the switch
};

const Scene kScenes[] = {
    {"lens", nullptr, nullptr, {"height=-40", "press=1", "press=5", "time=40"}, {"source=-250,30", "press=2", "press=4"}},
    {"reflection", nullptr, nullptr, {"source=-30,120", "height=70", "press=4"}, {"press=3", "rays=20"}},
    {"mirror", "concave,r=300", nullptr, {"press=1"}, {"press=2", "press=5"}},
    {"medium", nullptr, "mirage", {"press=1"}, {"press=4"}},
};

std::vector<std::string> numbersOf(const std::array<std::string, 6>& captions) {
  // Whole numbers and decimals, with either separator: the words change, these may not.
  static const std::regex number("-?[0-9]+(?:[.,][0-9]+)?(?:e[-+][0-9]+)?");
  std::vector<std::string> out;
  for (const std::string& c : captions) {
    for (auto it = std::sregex_iterator(c.begin(), c.end(), number); it != std::sregex_iterator(); ++it) {
      std::string n = it->str();
      std::replace(n.begin(), n.end(), ',', '.');
      out.push_back(n);
    }
    out.push_back("|");
  }
  return out;
}

// The state a user sees besides the labels' words.
std::string stateWithoutWords(const lab::Lab& l) {
  std::string s = stateText(l);
  std::string out;
  for (std::size_t at = 0; at < s.size();) {
    const std::size_t end = s.find('\n', at);
    const std::string line = s.substr(at, end - at);
    if (!line.starts_with("caption ")) out += line + "\n";
    at = end + 1;
  }
  return out;
}

void start(lab::Lab& l, const Scene& scene) {
  if (scene.mirror) {
    std::optional<optics::MirrorDesign> m;
    ASSERT_EQ(lab::ReadMirror(scene.mirror, m), "");
    ASSERT_EQ(l.setMirror(m), "");
  }
  if (scene.medium) {
    std::optional<optics::MediumDesign> m;
    ASSERT_EQ(lab::ReadMedium(scene.medium, m), "");
    ASSERT_EQ(l.setMedium(m), "");
  }
}

void run(lab::Lab& l, const std::vector<const char*>& words) {
  for (const char* w : words) {
    std::vector<lab::Action> actions;
    ASSERT_EQ(lab::ParseAction(w, actions), "") << w;
    for (const lab::Action& a : actions) lab::RunAction(l, a, nullptr);
  }
}

class LanguageSwitch : public testing::TestWithParam<std::tuple<Scene, const char*>> {
 protected:
  void SetUp() override { text::AddBuiltInTranslations(); }
  text::LanguageScope scope_{""};
};

TEST_P(LanguageSwitch, MidSessionChangesWordsOnly) {
  const auto& [scene, language] = GetParam();
  StartedLab reference;  // the whole session in the original's words
  start(reference, scene);
  run(reference, scene.before);
  run(reference, scene.after);

  StartedLab l;
  start(l, scene);
  run(l, scene.before);
  const std::array<std::string, 6> before = l.captions();
  const std::string state = stateWithoutWords(l);
  const std::size_t ops = l.surface().log().size();

  ASSERT_EQ(text::UseLanguage(language), "");
  EXPECT_NE(l.captions(), before) << "the labels speak " << language;
  EXPECT_EQ(numbersOf(l.captions()), numbersOf(before));
  EXPECT_EQ(stateWithoutWords(l), state);
  EXPECT_EQ(l.surface().log().size(), ops) << "a change of language draws nothing";

  run(l, scene.after);  // the session goes on in the new language, as it would have
  EXPECT_EQ(numbersOf(l.captions()), numbersOf(reference.captions()));
  EXPECT_TRUE(sameOps(l.surface().log(), reference.surface().log()));
  EXPECT_EQ(stateWithoutWords(l), stateWithoutWords(reference));

  ASSERT_EQ(text::UseLanguage(""), "");  // and back: the original's words, character for character
  EXPECT_EQ(l.captions(), reference.captions());
}

INSTANTIATE_TEST_SUITE_P(Scenes, LanguageSwitch,
                         testing::Combine(testing::ValuesIn(kScenes),
                                          testing::Values("de", "ar", "el", "zh-CN", "en", "qps")),
                         [](const auto& param) {
                           std::string lang = std::get<1>(param.param);
                           std::erase(lang, '-');
                           return std::string(std::get<0>(param.param).name) + "_" + lang;
                         });

TEST(Language, MessagesAreWordedWhenTheyOpen) {
  text::AddBuiltInTranslations();
  text::LanguageScope original("");
  EXPECT_EQ(lab::MessageText(core::kNotFound), "δε βρέθηκε");
  text::LanguageScope english("en");
  EXPECT_NE(lab::MessageText(core::kNotFound), std::string(core::kNotFound));
  EXPECT_EQ(lab::MessageText("any other text"), "any other text");
}

TEST(Language, LabelNumbersTakeTheLanguagesDecimalSeparator) {
  text::AddBuiltInTranslations();
  text::LanguageScope german("de");
  const std::string t = lab::CaptionText(core::Caption::FermatTime, 141.0812, 0);
  EXPECT_NE(t.find("141,08"), std::string::npos) << t;
  text::LanguageScope english("en");
  EXPECT_NE(lab::CaptionText(core::Caption::FermatTime, 141.0812, 0).find("141.08"), std::string::npos);
}

// Refusals of a mirror or medium that cannot exist, and the one-line
// summaries of those that can, as the panels and the title show them.
struct Worded {
  const char* name;
  const char* mirror;  // --mirror's spelling, or nullptr
  const char* medium;  // --medium's spelling, or nullptr
  bool refused;        // a refusal (else the summary)
};

const Worded kWorded[] = {
    {"radius", "concave,r=1", nullptr, true},
    {"focal", "parabolic,f=0", nullptr, true},
    {"aperture", "flat,aperture=0", nullptr, true},
    {"apertureOverRadius", "concave,r=100,aperture=150", nullptr, true},
    {"focusFar", "elliptical,f1=-1000000,0,f2=-240,-90", nullptr, true},
    {"vertexBetweenFoci", "elliptical,f1=-100,0,f2=100,0", nullptr, true},
    {"fociRight", "elliptical,f1=100,50,f2=100,-50", nullptr, true},
    {"index", nullptr, "uniform,n=99", true},
    {"g", nullptr, "hot-road,g=2", true},
    {"a", nullptr, "fibre,a=2", true},
    {"c", nullptr, "half-plane,c=-1", true},
    {"y0", nullptr, "half-plane,y0=10000000", true},
    {"r", nullptr, "luneburg,r=0.5", true},
    {"layersOne", nullptr, "layers,y=0,n=1.5", true},
    {"layersOther", nullptr, "layers,y=0:10,n=1.5:1", true},
    {"heights", nullptr, "layers,y=10:0,n=1.5:1.2:1", true},
    {"flat", "flat", nullptr, false},
    {"concave", "concave,r=300", nullptr, false},
    {"convex", "convex,r=250,aperture=120", nullptr, false},
    {"parabolic", "parabolic,f=120", nullptr, false},
    {"elliptical", "elliptical,f1=-200,60,f2=-260,-90", nullptr, false},
    {"luneburg", nullptr, "luneburg,r=140", false},
    {"layers", nullptr, "layers,y=-80:0:80,n=1.6:1.4:1.2:1", false},
};

// The refusal or the summary in the language in force.
std::string worded(const Worded& w) {
  if (w.mirror) {
    std::optional<optics::MirrorDesign> d;
    if (std::string e = lab::ReadMirror(w.mirror, d); !e.empty()) return e;
    return lab::MirrorSummary(*d, *optics::MakeMirror(*d).mirror);
  }
  std::optional<optics::MediumDesign> d;
  if (std::string e = lab::ReadMedium(w.medium, d); !e.empty()) return e;
  return lab::MediumSummary(*d);
}

std::vector<std::string> sortedNumbers(const std::string& text) {
  std::array<std::string, 6> one{text};
  std::vector<std::string> n = numbersOf(one);
  std::sort(n.begin(), n.end());
  return n;
}

class WordedInEveryLanguage : public testing::TestWithParam<Worded> {
 protected:
  void SetUp() override { text::AddBuiltInTranslations(); }
  text::LanguageScope scope_{""};
};

TEST_P(WordedInEveryLanguage, SaysTheSameNumbersInEachLanguagesWords) {
  const Worded& w = GetParam();
  ASSERT_EQ(text::UseLanguage(""), "");
  const std::string original = worded(w);
  std::optional<optics::MirrorDesign> m;
  std::optional<optics::MediumDesign> d;
  const bool refused = w.mirror ? !lab::ReadMirror(w.mirror, m).empty() : !lab::ReadMedium(w.medium, d).empty();
  ASSERT_EQ(refused, w.refused) << original;
  EXPECT_EQ(original.find("{{"), std::string::npos) << original;
  EXPECT_EQ(original.find("refusal."), std::string::npos) << original;
  EXPECT_EQ(original.find("summary."), std::string::npos) << original;
  for (const text::LanguageInfo& l : text::Languages()) {
    if (l.code.empty()) continue;
    ASSERT_EQ(text::UseLanguage(l.code), "");
    const std::string said = worded(w);
    // English says what the original says; every other language in its own words.
    if (l.code != "en") {
      EXPECT_NE(said, original) << l.code;
    }
    EXPECT_EQ(sortedNumbers(said), sortedNumbers(original)) << l.code << ": " << said << "\n" << original;
  }
}

INSTANTIATE_TEST_SUITE_P(MirrorsAndMedia, WordedInEveryLanguage, testing::ValuesIn(kWorded),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Language, CountedRefusalFollowsThePluralRule) {
  text::AddBuiltInTranslations();
  text::LanguageScope original("");
  std::optional<optics::MediumDesign> d;
  EXPECT_EQ(lab::ReadMedium("layers,y=0,n=1.5", d), "1 boundary needs 2 indices, got 1");
  EXPECT_EQ(lab::ReadMedium("layers,y=0:10,n=1.5:1", d), "2 boundaries need 3 indices, got 2");
}

TEST(Language, StationaryKindsAreWordedButKeepTheirNames) {
  text::AddBuiltInTranslations();
  text::LanguageScope german("de");
  for (const auto k : {optics::StationaryKind::Minimum, optics::StationaryKind::Maximum,
                       optics::StationaryKind::Inflection, optics::StationaryKind::Constant}) {
    text::LanguageScope original("");
    const std::string originalWord = graphs::StationaryKindWord(k);
    EXPECT_EQ(originalWord, optics::StationaryKindName(k));
    text::LanguageScope greek("el");
    EXPECT_NE(graphs::StationaryKindWord(k), originalWord);
  }
}

}  // namespace
