// Scripted actions as command-line words: keys, coordinates, sizes, the
// action table and its error messages, without Qt.
#include "lab/Format.h"
#include "lab/Keys.h"
#include "lab/Script.h"
#include "RandomActions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using lab::Action;
using Kind = Action::Kind;

struct ByName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& p) const {
    return p.param.name;
  }
};

// ---------------------------------------------------------------- keys

// Key codes and modifier bits as Qt defines them (qnamespace.h), which the
// desktop window hands over unchanged.
constexpr int kShift = 0x02000000, kCtrl = 0x04000000, kAlt = 0x08000000, kMeta = 0x10000000, kNum = 0x20000000;
constexpr int kEsc = 0x01000000, kTab = 0x01000001, kBacktab = 0x01000002, kReturn = 0x01000004,
              kEnter = 0x01000005, kIns = 0x01000006, kDel = 0x01000007, kHome = 0x01000010, kLeft = 0x01000012,
              kUp = 0x01000013, kRight = 0x01000014, kDown = 0x01000015, kPgUp = 0x01000016, kPgDown = 0x01000017,
              kShiftKey = 0x01000020, kF1 = 0x01000030, kF12 = 0x0100003b, kF35 = 0x01000052, kHelp = 0x01000058;

struct KeyCase {
  const char* name;
  const char* text;
  std::optional<int> expected;
};

class ParseKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ParseKey, ReadsWhatQtWritesAndNothingElse) { EXPECT_EQ(lab::ParseKey(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Table, ParseKey,
    ::testing::Values(
        KeyCase{"Right", "Right", kRight}, KeyCase{"ShiftLeft", "Shift+Left", kShift | kLeft},
        KeyCase{"CtrlDigit", "Ctrl+3", kCtrl | '3'}, KeyCase{"Space", "Space", ' '},
        KeyCase{"AnyCase", "sHiFt+uP", kShift | kUp}, KeyCase{"LetterIsItsCapital", "a", 'A'},
        KeyCase{"AllModifiersInQtsOrder", "Meta+Ctrl+Alt+Shift+Num+A", kMeta | kCtrl | kAlt | kShift | kNum | 'A'},
        KeyCase{"KeypadAfterCtrl", "Ctrl+Num+5", kCtrl | kNum | '5'}, KeyCase{"Esc", "Esc", kEsc},
        KeyCase{"Tab", "Tab", kTab}, KeyCase{"Backtab", "Backtab", kBacktab}, KeyCase{"Return", "Return", kReturn},
        KeyCase{"Enter", "Enter", kEnter}, KeyCase{"Ins", "Ins", kIns}, KeyCase{"Del", "Del", kDel},
        KeyCase{"Home", "Home", kHome}, KeyCase{"PgUp", "PgUp", kPgUp}, KeyCase{"PgDownLower", "pgdown", kPgDown},
        KeyCase{"Down", "Down", kDown}, KeyCase{"F1", "F1", kF1}, KeyCase{"F12", "f12", kF12},
        KeyCase{"F35", "F35", kF35}, KeyCase{"Help", "Help", kHelp}, KeyCase{"PlusKey", "+", '+'},
        KeyCase{"CtrlPlus", "Ctrl++", kCtrl | '+'}, KeyCase{"Comma", "Ctrl+,", kCtrl | ','},
        // A modifier's name after the modifiers is the modifier key itself.
        KeyCase{"CtrlAndTheShiftKey", "Ctrl+Shift", kCtrl | kShiftKey},
        KeyCase{"Empty", "", std::nullopt}, KeyCase{"Blank", " ", std::nullopt},
        KeyCase{"TrailingBlank", "Space ", std::nullopt}, KeyCase{"ModifierOnly", "Ctrl+", std::nullopt},
        // Qt writes Ctrl before Shift and each modifier once.
        KeyCase{"ModifiersOutOfOrder", "Shift+Ctrl+A", std::nullopt},
        KeyCase{"ModifierTwice", "Ctrl+Ctrl+A", std::nullopt},
        // Qt writes Esc, Ins, Del, PgUp, F1: other spellings do not read back.
        KeyCase{"Escape", "Escape", std::nullopt}, KeyCase{"Insert", "Insert", std::nullopt},
        KeyCase{"PageUp", "Page Up", std::nullopt}, KeyCase{"LeadingZero", "F01", std::nullopt},
        KeyCase{"NoF36", "F36", std::nullopt}, KeyCase{"NoF0", "F0", std::nullopt},
        KeyCase{"TwoKeys", "A,B", std::nullopt}, KeyCase{"TrailingComma", "Esc,", std::nullopt},
        KeyCase{"BlankInside", "Ctrl+ A", std::nullopt}, KeyCase{"KeyPlusKey", "A+B", std::nullopt},
        // Only ASCII characters and the PC keyboard's named keys.
        KeyCase{"NotAscii", "\xc3\x84", std::nullopt}, KeyCase{"MediaKey", "Volume Up", std::nullopt}),
    ByName{});

std::vector<int> modifierSets() {
  std::vector<int> sets;
  const int bits[] = {kShift, kCtrl, kAlt, kMeta, kNum};
  for (int mask = 0; mask < 32; ++mask) {
    int set = 0;
    for (int i = 0; i < 5; ++i) {
      if ((mask & (1 << i)) != 0) set |= bits[i];
    }
    sets.push_back(set);
  }
  return sets;
}

// Every key with every modifier set writes a text that reads back as it.
TEST(KeyText, ReadsBackForEveryKeyAndModifierSet) {
  std::vector<int> keys = {kEsc, kTab, kBacktab, kReturn, kEnter, kIns, kDel, kHome, kLeft, kUp, kRight, kDown,
                           kPgUp, kPgDown, kShiftKey, kHelp};
  for (int c = 0x21; c < 0x7f; ++c) {
    if (c < 'a' || c > 'z') keys.push_back(c);  // a lower-case letter's key is its capital's
  }
  for (int f = kF1; f <= kF35; ++f) keys.push_back(f);
  keys.push_back(' ');
  for (const int mods : modifierSets()) {
    for (const int key : keys) {
      const std::string text = lab::KeyText(key | mods);
      ASSERT_EQ(lab::ParseKey(text), key | mods) << text;
    }
  }
}

struct KeyTextCase {
  const char* name;
  int key;
  const char* expected;
};

class KeyText : public ::testing::TestWithParam<KeyTextCase> {};

TEST_P(KeyText, IsQtsPortableText) { EXPECT_EQ(lab::KeyText(GetParam().key), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Table, KeyText,
                         ::testing::Values(KeyTextCase{"Arrow", lab::keys::Left, "Left"},
                                           KeyTextCase{"ShiftArrow", lab::keys::Shift | lab::keys::Right, "Shift+Right"},
                                           KeyTextCase{"CtrlDigit", lab::keys::Control | lab::keys::Digit5, "Ctrl+5"},
                                           KeyTextCase{"Space", lab::keys::Space, "Space"},
                                           KeyTextCase{"ModifierOrder", kShift | kMeta | kCtrl | 'X', "Meta+Ctrl+Shift+X"},
                                           KeyTextCase{"LowerCaseCode", 'q', "Q"}, KeyTextCase{"Keypad", kNum | '7', "Num+7"},
                                           KeyTextCase{"FunctionKey", kAlt | (kF1 + 3), "Alt+F4"}),
                         ByName{});

// ---------------------------------------------------------------- coordinates

struct CoordinateCase {
  const char* name;
  std::string text;
  std::optional<float> expected;
};

class ParseCoordinate : public ::testing::TestWithParam<CoordinateCase> {};

// Compared bit for bit: -0 is not 0.
TEST_P(ParseCoordinate, ReadsTheCLocalesNumbersOnly) {
  const std::optional<float> got = lab::ParseCoordinate(GetParam().text);
  ASSERT_EQ(got.has_value(), GetParam().expected.has_value()) << GetParam().text;
  if (got) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(*got), std::bit_cast<std::uint32_t>(*GetParam().expected));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseCoordinate,
    ::testing::Values(
        CoordinateCase{"Whole", "-200", -200.0f}, CoordinateCase{"Fraction", "14.5", 14.5f},
        CoordinateCase{"Plus", "+1", 1.0f}, CoordinateCase{"NoWholePart", ".5", 0.5f},
        CoordinateCase{"NoFraction", "5.", 5.0f}, CoordinateCase{"SignedNoWholePart", "-.5", -0.5f},
        CoordinateCase{"Exponent", "1e5", 1e5f}, CoordinateCase{"CapitalExponent", "1E-5", 1e-5f},
        CoordinateCase{"ExponentAfterPoint", "1.e2", 100.0f}, CoordinateCase{"LeadingZeros", "007", 7.0f},
        CoordinateCase{"NegativeZero", "-0", -0.0f},
        // The minus sign U+2212, as some keyboards and locales write it.
        CoordinateCase{"MinusSign", "\xe2\x88\x92" "2.5", -2.5f},
        CoordinateCase{"MinusSignInExponent", "1e\xe2\x88\x92" "1", 0.1f},
        // Reading skips Unicode spaces around the number and a byte-order mark before it.
        CoordinateCase{"NoBreakSpaceAfter", "3\xc2\xa0", 3.0f},
        CoordinateCase{"ByteOrderMark", "\xef\xbb\xbf" "4", 4.0f},
        // A subnormal double is a number; as a Single it is zero.
        CoordinateCase{"SubnormalDouble", "1e-310", 0.0f}, CoordinateCase{"LargestTaken", "3e38", 3e38f},
        CoordinateCase{"Empty", "", std::nullopt}, CoordinateCase{"Point", ".", std::nullopt},
        CoordinateCase{"Sign", "-", std::nullopt}, CoordinateCase{"TwoSigns", "+-1", std::nullopt},
        CoordinateCase{"TwoPoints", "1.5.2", std::nullopt}, CoordinateCase{"BareExponent", "1e", std::nullopt},
        CoordinateCase{"ExponentOnly", "e5", std::nullopt}, CoordinateCase{"Hexadecimal", "0x10", std::nullopt},
        CoordinateCase{"Infinity", "inf", std::nullopt}, CoordinateCase{"NaN", "nan", std::nullopt},
        CoordinateCase{"TooLargeForASingle", "1e39", std::nullopt},
        CoordinateCase{"JustPastTheLimit", "3.0000001e38", std::nullopt},
        CoordinateCase{"TooLargeForADouble", "1e400", std::nullopt},
        CoordinateCase{"Underflow", "1e-400", std::nullopt},
        CoordinateCase{"UnderflowBelowHalfTheSmallest", "2e-324", std::nullopt},
        CoordinateCase{"LeadingBlank", " 1", std::nullopt}, CoordinateCase{"TrailingTab", "1\t", std::nullopt},
        CoordinateCase{"DecimalComma", "2,5", std::nullopt}, CoordinateCase{"Suffix", "1f", std::nullopt},
        CoordinateCase{"ArabicDigit", "\xd9\xa1", std::nullopt}, CoordinateCase{"NoBreakSpaceInside", "1\xc2\xa0" "5", std::nullopt},
        CoordinateCase{"SecondByteOrderMark", "\xef\xbb\xbf\xef\xbb\xbf" "1", std::nullopt},
        CoordinateCase{"BadUtf8", "1\xff", std::nullopt}, CoordinateCase{"Nul", std::string("1\0", 2), std::nullopt}),
    ByName{});

// Significant digits of a number's text: no sign, point or exponent, no
// leading zeros, no trailing zeros ("106127657042447530000" has 17).
std::size_t significantDigits(const std::string& text) {
  std::string digits;
  for (const char c : text.substr(0, text.find('e'))) {
    if (c >= '0' && c <= '9' && !(digits.empty() && c == '0')) digits += c;
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return digits.size();
}

// The text of a coordinate reads back as the same Single, and with one digit
// fewer it would not.
TEST(CoordinateText, IsTheShortestThatReadsBack) {
  std::mt19937 rng(13);
  std::uniform_int_distribution<std::uint32_t> bits;
  std::uniform_real_distribution<> frame(-2000, 2000);
  for (int i = 0; i < 20000; ++i) {
    float f = i % 2 == 0 ? std::bit_cast<float>(bits(rng)) : static_cast<float>(frame(rng));
    if (!std::isfinite(f) || std::abs(f) > 3e38f) continue;
    const std::string text = lab::CoordinateText(f);
    ASSERT_EQ(lab::ParseCoordinate(text), f) << text;
    const std::size_t digits = significantDigits(text);
    if (digits > 1) {
      ASSERT_NE(lab::ParseCoordinate(lab::SignificantText(f, static_cast<int>(digits) - 1)), f) << text;
    }
  }
}

struct CoordinateTextCase {
  const char* name;
  float value;
  const char* expected;
};

class CoordinateTextTable : public ::testing::TestWithParam<CoordinateTextCase> {};

TEST_P(CoordinateTextTable, Text) { EXPECT_EQ(lab::CoordinateText(GetParam().value), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Table, CoordinateTextTable,
    // The first number of digits that reads back wins, and one digit writes 200
    // as 2e+02 (the exponent reaches the precision): that is the text.
    ::testing::Values(CoordinateTextCase{"Whole", -200.0f, "-2e+02"}, CoordinateTextCase{"Fifteen", -15.0f, "-15"},
                      CoordinateTextCase{"Tenth", 0.1f, "0.1"},
                      // The Single nearest 1/3 needs 8 digits to come back: 0.33333334.
                      CoordinateTextCase{"Third", 1.0f / 3.0f, "0.33333334"},
                      // 2^24: 1.677722e+07 is the Single 16777220, so all eight digits.
                      CoordinateTextCase{"TwoToThe24", 16777216.0f, "16777216"},
                      CoordinateTextCase{"Small", 1e-5f, "1e-05"}, CoordinateTextCase{"Largest", 3e38f, "3e+38"},
                      // A Single zero reads back from "0" whatever its sign.
                      CoordinateTextCase{"NegativeZero", -0.0f, "0"}),
    ByName{});

TEST(ParseCoordinate, IgnoresTheLocale) {
  const char* const commaLocales[] = {"el_GR.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"};
  const char* found = nullptr;
  for (const char* name : commaLocales) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      found = name;
      break;
    }
  }
  const std::optional<float> point = lab::ParseCoordinate("2.5");
  const std::optional<float> comma = lab::ParseCoordinate("2,5");
  const std::string text = lab::CoordinateText(-26.5f);
  std::setlocale(LC_ALL, "C");
  if (found == nullptr) GTEST_SKIP() << "no locale with a decimal comma to try";
  EXPECT_EQ(point, 2.5f) << found;
  EXPECT_EQ(comma, std::nullopt) << found;
  EXPECT_EQ(text, "-26.5") << found;
}

// ---------------------------------------------------------------- sizes

struct SizeCase {
  const char* name;
  const char* text;
  std::optional<std::pair<int, int>> expected;
  const char* error;
};

class ParseSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ParseSize, TakesWxHInRange) {
  EXPECT_EQ(lab::ParseSize(GetParam().text), GetParam().expected);
  EXPECT_EQ(lab::SizeError("--size", GetParam().text), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseSize,
    ::testing::Values(
        SizeCase{"Usual", "1280x800", std::pair{1280, 800}, ""},
        SizeCase{"Smallest", "200x150", std::pair{200, 150}, ""},
        SizeCase{"Largest", "16384x16384", std::pair{16384, 16384}, ""},
        SizeCase{"TooNarrow", "199x150", std::nullopt, "--size must be from 200x150 to 16384x16384, got '199x150'"},
        SizeCase{"TooLow", "200x149", std::nullopt, "--size must be from 200x150 to 16384x16384, got '200x149'"},
        SizeCase{"TooWide", "16385x800", std::nullopt, "--size must be from 200x150 to 16384x16384, got '16385x800'"},
        SizeCase{"Negative", "-800x600", std::nullopt, "--size must be from 200x150 to 16384x16384, got '-800x600'"},
        SizeCase{"CapitalX", "800X600", std::nullopt, "--size expects WxH in pixels, got '800X600'"},
        SizeCase{"NoHeight", "800x", std::nullopt, "--size expects WxH in pixels, got '800x'"},
        SizeCase{"Plus", "+800x600", std::nullopt, "--size expects WxH in pixels, got '+800x600'"},
        SizeCase{"Blank", "800 x600", std::nullopt, "--size expects WxH in pixels, got '800 x600'"},
        SizeCase{"ThreeNumbers", "800x600x2", std::nullopt, "--size expects WxH in pixels, got '800x600x2'"},
        SizeCase{"Huge", "99999999999x600", std::nullopt, "--size expects WxH in pixels, got '99999999999x600'"}),
    ByName{});

// ---------------------------------------------------------------- actions

struct ActionCase {
  const char* name;
  const char* word;
  Action expected;
};

class ParseAction : public ::testing::TestWithParam<ActionCase> {};

TEST_P(ParseAction, ReadsTheWord) {
  std::vector<Action> actions{Action{.kind = Kind::Play}};
  ASSERT_EQ(lab::ParseAction(GetParam().word, actions), "");
  ASSERT_EQ(actions.size(), 2u);
  EXPECT_EQ(actions.back(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseAction,
    ::testing::Values(ActionCase{"Source", "source=-200,40", {.kind = Kind::Source, .x = -200, .y = 40}},
                      ActionCase{"Entry", "entry=-15,0.5", {.kind = Kind::Entry, .x = -15, .y = 0.5f}},
                      ActionCase{"Height", "height=-99", {.kind = Kind::Height, .value = -99}},
                      ActionCase{"Rays", "rays=100", {.kind = Kind::Rays, .value = 100}},
                      ActionCase{"Time", "time=5", {.kind = Kind::Time, .value = 5}},
                      ActionCase{"Press", "press=5", {.kind = Kind::Press, .value = 5}},
                      ActionCase{"Down", "down=1e2,-.5", {.kind = Kind::MouseDown, .x = 100, .y = -0.5f}},
                      ActionCase{"Move", "move=0,0", {.kind = Kind::MouseMove}},
                      ActionCase{"Up", "up=3,4", {.kind = Kind::MouseUp, .x = 3, .y = 4}},
                      ActionCase{"DragHeight", "drag-height=99", {.kind = Kind::DragHeight, .value = 99}},
                      ActionCase{"DragRays", "drag-rays=2", {.kind = Kind::DragRays, .value = 2}},
                      ActionCase{"DragTime", "drag-time=42", {.kind = Kind::DragTime, .value = 42}},
                      ActionCase{"Key", "key=Shift+Left", {.kind = Kind::Key, .value = kShift | kLeft}},
                      ActionCase{"Play", "play", {.kind = Kind::Play}},
                      ActionCase{"Reset", "reset", {.kind = Kind::Reset}}),
    ByName{});

struct BadWordCase {
  const char* name;
  const char* word;
  const char* error;
};

class RejectedWord : public ::testing::TestWithParam<BadWordCase> {};

TEST_P(RejectedWord, GivesItsErrorAndAddsNothing) {
  std::vector<Action> actions;
  EXPECT_EQ(lab::ParseAction(GetParam().word, actions), GetParam().error);
  EXPECT_TRUE(actions.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, RejectedWord,
    ::testing::Values(
        BadWordCase{"UnknownAction", "zoom=2", "unknown action 'zoom=2'"},
        BadWordCase{"BareWord", "hello", "unknown argument 'hello'"},
        BadWordCase{"ValueMissing", "source", "unknown argument 'source'"},
        BadWordCase{"ValueGiven", "play=1", "play takes no value: 'play=1'"},
        BadWordCase{"OneCoordinate", "source=-200", "expected two finite numbers X,Y in 'source=-200'"},
        BadWordCase{"BadCoordinate", "entry=1.5.2,3", "expected two finite numbers X,Y in 'entry=1.5.2,3'"},
        BadWordCase{"ThreeCoordinates", "up=1,2,3", "expected two finite numbers X,Y in 'up=1,2,3'"},
        BadWordCase{"HugeCoordinate", "down=1e39,0", "expected two finite numbers X,Y in 'down=1e39,0'"},
        BadWordCase{"FractionalHeight", "height=1.5", "expected a whole number in 'height=1.5'"},
        BadWordCase{"HeightOutOfRange", "height=100", "value out of range -99..99 in 'height=100'"},
        BadWordCase{"TooFewRays", "drag-rays=1", "value out of range 2..100 in 'drag-rays=1'"},
        BadWordCase{"TimeOutOfRange", "time=4", "value out of range 5..100 in 'time=4'"},
        BadWordCase{"NoSuchButton", "press=6", "expected a button number 1..5 in 'press=6'"},
        BadWordCase{"BadKey", "key=Escape",
                    "expected one key such as Right, Shift+Left, Ctrl+3 or Space in 'key=Escape'"},
        BadWordCase{"CaseMatters", "Play", "unknown argument 'Play'"}),
    ByName{});

struct TextCase {
  const char* name;
  Action action;
  const char* expected;
};

class ActionText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ActionText, IsTheCommandLineWord) { EXPECT_EQ(lab::ActionText(GetParam().action), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Table, ActionText,
    ::testing::Values(TextCase{"Source", {.kind = Kind::Source, .x = -200, .y = 40}, "source=-2e+02,4e+01"},
                      TextCase{"Entry", {.kind = Kind::Entry, .x = -15, .y = 125}, "entry=-15,125"},
                      TextCase{"Fraction", {.kind = Kind::MouseMove, .x = 0.1f, .y = -2.5f}, "move=0.1,-2.5"},
                      TextCase{"Height", {.kind = Kind::Height, .value = -7}, "height=-7"},
                      TextCase{"Key", {.kind = Kind::Key, .value = kCtrl | '3'}, "key=Ctrl+3"},
                      TextCase{"Play", {.kind = Kind::Play}, "play"}, TextCase{"Reset", {.kind = Kind::Reset}, "reset"}),
    ByName{});

// Whatever a session holds, its words read back as the same actions.
TEST(ActionText, ReadsBackAsTheSameAction) {
  std::mt19937 rng(29);
  std::uniform_int_distribution<std::uint32_t> bits;
  std::uniform_real_distribution<> frame(-2000, 2000);
  const int keys[] = {kLeft, kShift | kRight, kCtrl | '1', kCtrl | '5', ' ', kEsc, kMeta | kAlt | kF12, kNum | '+'};
  auto coordinate = [&] {
    const float f = rng() % 2 == 0 ? std::bit_cast<float>(bits(rng)) : static_cast<float>(frame(rng));
    return std::isfinite(f) && std::abs(f) <= 3e38f ? f : 1.5f;
  };
  auto between = [&](int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(rng); };
  for (int i = 0; i < 5000; ++i) {
    const Action a = lab_testing::RandomAction(rng, coordinate, [&] { return keys[between(0, std::size(keys) - 1)]; });
    std::vector<Action> back;
    const std::string word = lab::ActionText(a);
    ASSERT_EQ(lab::ParseAction(word, back), "") << word;
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0], a) << word;
  }
}

// --help lists every action once, by a syntax whose key the reader knows.
TEST(ActionHelpRows, NameEveryActionOnce) {
  const std::vector<lab::ActionHelp> rows = lab::ActionHelpRows();
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(Kind::Medium) + 1);
  std::vector<std::string> keys;
  for (const lab::ActionHelp& row : rows) {
    const std::string syntax = row.syntax;
    const std::string key = syntax.substr(0, syntax.find('='));
    EXPECT_EQ(std::count(keys.begin(), keys.end(), key), 0) << key;
    keys.push_back(key);
    EXPECT_FALSE(std::string(row.help).empty()) << key;
    std::vector<Action> into;
    const std::string error = lab::ParseAction(syntax, into);
    EXPECT_EQ(error.find("unknown"), std::string::npos) << syntax << ": " << error;
  }
}

}  // namespace
