// The set-up file and the share link: what is written reads back as exactly
// the same set-up, a file written by hand reads as meant, and every kind of
// broken or hostile input is refused with one line that names the fault.
#include "lab/Base64Url.h"
#include "lab/Keys.h"
#include "lab/Setup.h"
#include "lab/SetupRun.h"
#include "RandomActions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using lab::Action;
using Kind = Action::Kind;

// ---------------------------------------------------------------- round trip

class RandomSetups {
 public:
  explicit RandomSetups(unsigned seed) : rng_(seed) {}

  lab::Setup next() {
    lab::Setup s;
    s.lens.N = lensNumber();
    s.lens.First = face();
    s.lens.Second = face();
    s.lens.Thickness = lensNumber();
    if (coin()) s.lens.Aperture = lensNumber();
    s.live = coin();
    s.start = {coordinate(),     coordinate(),    coordinate(),   coordinate(),
               between(-99, 99), between(2, 100), between(5, 100)};
    // A mirror scene, with its target, as the mirror action draws one.
    lab::Action m;
    while (m.kind != lab::Action::Kind::Mirror) m = action();
    if (m.mirror) {
      s.mirror = m.mirror;
      s.parallelBeam = coin();
      s.start.targetX = coordinate();
      s.start.targetY = coordinate();
    } else if (coin()) {
      // Or a medium scene, with its target.
      lab::Action g;
      while (g.kind != lab::Action::Kind::Medium) g = action();
      s.medium = g.medium;
      if (s.medium) {
        s.start.targetX = coordinate();
        s.start.targetY = coordinate();
      }
    }
    const int count = coin() ? between(0, 3) : between(0, 40);
    for (int i = 0; i < count; ++i) s.actions.push_back(action());
    return s;
  }

 private:
  bool coin() { return (rng_() & 1) != 0; }
  int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  // Any float a marker may stand at (what the command line takes), the
  // ends of that range and plain values a teacher would type.
  float coordinate() {
    switch (between(0, 5)) {
      case 0: return static_cast<float>(between(-500, 500));
      case 1: return std::uniform_real_distribution<float>(-1000, 1000)(rng_);
      case 2: return coin() ? 3e38f : -3e38f;
      case 3: return coin() ? 0.0f : -0.0f;
      default:
        for (;;) {
          const float v = std::bit_cast<float>(static_cast<std::uint32_t>(rng_()));
          if (std::isnormal(v) && lab::ParseCoordinate(lab::CoordinateText(v))) return v;
        }
    }
  }

  // Any finite double, signed: the reader checks no lens's validity.
  double lensNumber() {
    switch (between(0, 4)) {
      case 0: return between(1, 400);
      case 1: return std::uniform_real_distribution<double>(-1e4, 1e4)(rng_);
      case 2: return coin() ? 0.0 : -0.0;
      default:
        for (;;) {
          const double v = std::bit_cast<double>((static_cast<std::uint64_t>(rng_()) << 32) | rng_());
          if (std::isfinite(v)) return v;
        }
    }
  }

  optics::FaceDesign face() { return coin() ? optics::FaceDesign{.Flat = true} : optics::FaceDesign{.Radius = lensNumber()}; }

  int keyCombination() {
    static const char* const kKeys[] = {"Right", "Left", "Space", "A", "3", "+", "F12", "PgDown", "Esc", ","};
    static const char* const kModifiers[] = {"", "Shift+", "Ctrl+", "Ctrl+Shift+", "Meta+Ctrl+Alt+Shift+Num+"};
    const std::string text = std::string(kModifiers[between(0, 4)]) + kKeys[between(0, 9)];
    return *lab::ParseKey(text);
  }

  // Every kind, with the fields its text carries and the others zero, as
  // ParseAction makes them.
  Action action() {
    return lab_testing::RandomAction(rng_, [this] { return coordinate(); }, [this] { return keyCombination(); });
  }

  std::mt19937 rng_;
};

TEST(SetupRoundTrip, FileAndLinkReadBackEveryRandomSetupExactly) {
  RandomSetups random(2024);
  for (int i = 0; i < 3000; ++i) {
    const lab::Setup s = random.next();
    const std::string text = lab::SetupJson(s);
    const lab::SetupRead file = lab::ParseSetup(text);
    ASSERT_EQ(file.error, "") << text;
    ASSERT_TRUE(file.setup == s) << text;
    // Bit for bit: a zero keeps its sign.
    EXPECT_EQ(std::signbit(file.setup->start.sourceX), std::signbit(s.start.sourceX)) << text;
    EXPECT_EQ(std::signbit(file.setup->lens.N), std::signbit(s.lens.N)) << text;

    const std::string fragment = lab::SetupFragment(s);
    for (const std::string& link : {fragment, "#" + fragment}) {
      const lab::SetupRead shared = lab::ParseSetupFragment(link);
      ASSERT_EQ(shared.error, "") << link;
      ASSERT_TRUE(shared.setup == s) << link;
    }
  }
}

// A teacher's own file: keys in any order, blanks anywhere, integers and
// fractions alike, a leading byte-order mark as some editors save it.
TEST(SetupRead, TakesAHandWrittenFile) {
  const lab::SetupRead read = lab::ParseSetup(
      "\xef\xbb\xbf{ \"actions\" : [\"press=2\", \"entry=-15.5,0\", \"key=Ctrl+Right\", \"play\"],\n"
      "\t\"start\": {\"time\": 100, \"rays\": 2, \"height\": -99, \"entry\": [-15, 0.5], \"source\": [-2.5e2, 1e-3]},\n"
      "  \"lens\": {\"r2\": \"flat\", \"thickness\": 1.5E1, \"n\": 1.5, \"aperture\": 60, \"r1\": -250.0},\n"
      "  \"live\": true, \"version\": 1, \"format\": \"fermat-lens set-up\" }\r\n");
  ASSERT_EQ(read.error, "");
  lab::Setup expected;
  expected.lens = {.N = 1.5, .First = {.Radius = -250}, .Second = {.Flat = true}, .Thickness = 15, .Aperture = 60};
  expected.live = true;
  expected.start = {-250, static_cast<float>(1e-3), -15, 0.5f, -99, 2, 100};
  expected.actions = {{.kind = Kind::Press, .value = 2},
                      {.kind = Kind::Entry, .x = -15.5f},
                      {.kind = Kind::Key, .value = lab::keys::Control | lab::keys::Right},
                      {.kind = Kind::Play}};
  EXPECT_TRUE(read.setup == expected);
}

// The file a teacher opens in an editor: one key a line, an action a line.
TEST(SetupJson, IsLaidOutForReading) {
  lab::Setup s;
  s.lens.Second.Flat = true;
  s.start = {-250, 20, -15, 0, 0, 10, 5};
  s.actions = {{.kind = Kind::Press, .value = 1}, {.kind = Kind::Source, .x = -200, .y = 30.5f}};
  EXPECT_EQ(lab::SetupJson(s),
            "{\n"
            "  \"format\": \"fermat-lens set-up\",\n"
            "  \"version\": 1,\n"
            "  \"lens\": {\"n\": 2, \"r1\": 180, \"r2\": \"flat\", \"thickness\": 30},\n"
            "  \"live\": false,\n"
            "  \"start\": {\"source\": [-250, 20], \"entry\": [-15, 0], \"height\": 0, \"rays\": 10, \"time\": 5},\n"
            "  \"actions\": [\n"
            "    \"press=1\",\n"
            "    \"source=-2e+02,30.5\"\n"
            "  ]\n"
            "}\n");
}

// RFC 4648's test vectors, and the two characters that differ from base64:
// the page's own code must read the same links.
TEST(Base64Url, WritesTheStandardText) {
  const std::pair<std::string, std::string> vectors[] = {
      {"", ""},           {"f", "Zg"},          {"fo", "Zm8"},          {"foo", "Zm9v"},
      {"foob", "Zm9vYg"}, {"fooba", "Zm9vYmE"}, {"foobar", "Zm9vYmFy"}, {"\xfb\xff\xbf", "-_-_"}};
  for (const auto& [bytes, text] : vectors) {
    EXPECT_EQ(lab::Base64UrlText(bytes), text);
    std::string error;
    EXPECT_EQ(lab::ParseBase64Url(text, error), bytes) << error;
  }
}

// ---------------------------------------------------------------- refusals

const std::string kGood =
    "{\"format\": \"fermat-lens set-up\", \"version\": 1,\n"
    " \"lens\": {\"n\": 2, \"r1\": 180, \"r2\": 180, \"thickness\": 30},\n"
    " \"live\": false,\n"
    " \"start\": {\"source\": [-250, 20], \"entry\": [-15, 0], \"height\": 0, \"rays\": 10, \"time\": 5},\n"
    " \"actions\": [\"press=1\", \"source=-200,30\", \"height=-20\", \"press=3\"]}\n";

// kGood with its first `from` replaced by `to`.
std::string edited(const std::string& from, const std::string& to) {
  std::string text = kGood;
  const auto at = text.find(from);
  if (at == std::string::npos) throw std::logic_error("no " + from + " in the good file");
  return text.replace(at, from.size(), to);
}

std::string repeated(const std::string& item, std::size_t n, const std::string& separator) {
  std::string out;
  for (std::size_t i = 0; i < n; ++i) out += (i ? separator : "") + item;
  return out;
}

// A damaged file is described as someone editing it by hand reads it: the
// line and column, what is wrong in plain words; the parser's own words are
// kept apart, for whoever asks for them.
TEST(SetupRead, SaysWhereADamagedFileIsInPlainWordsAndKeepsTheParsersWords) {
  // The comma lost after the lens's object, before "live" on line 3.
  std::string text = kGood;
  text.erase(text.rfind(',', text.find("\"live\"")), 1);
  const std::size_t lens = text.find("\"live\"");
  const lab::SetupRead read = lab::ParseSetup(text);
  ASSERT_FALSE(read.setup);
  const std::size_t line = 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(lens), '\n'));
  // The parser notices at the end of the name that should have followed a comma.
  const std::size_t column = lens + 5 - text.rfind('\n', lens);
  EXPECT_NE(read.error.find("at line " + std::to_string(line) + ", column " + std::to_string(column)), std::string::npos)
      << read.error;
  EXPECT_EQ(read.error.find("syntax error"), std::string::npos) << "the parser's words stay in the detail";
  EXPECT_NE(read.detail.find("syntax error while parsing object"), std::string::npos) << read.detail;
  EXPECT_NE(read.detail.find("at byte"), std::string::npos) << read.detail;
  // A file that is JSON but no set-up has nothing more to say.
  EXPECT_EQ(lab::ParseSetup("[1, 2]").detail, "");
}

struct BadInput {
  const char* name;
  std::function<std::string()> text;
  const char* mentions;  // a word the error must hold
  bool link = false;     // read as a share link's fragment, not a file
};

// The case's name where a test's failure shows its parameter.
void PrintTo(const BadInput& c, std::ostream* os) {
  *os << c.name;
}

class SetupRefuses : public ::testing::TestWithParam<BadInput> {};

TEST_P(SetupRefuses, WithOneLineNamingTheFault) {
  ASSERT_TRUE(lab::ParseSetup(kGood).setup) << lab::ParseSetup(kGood).error;  // the edits alone break it
  const std::string text = GetParam().text();
  const lab::SetupRead read = GetParam().link ? lab::ParseSetupFragment(text) : lab::ParseSetup(text);
  EXPECT_FALSE(read.setup);
  EXPECT_NE(read.error, "");
  // One line: no newline, nor any other control character.
  EXPECT_TRUE(std::none_of(read.error.begin(), read.error.end(), [](char c) { return c >= 0 && c < 0x20; }))
      << read.error;
  EXPECT_LE(read.error.size(), 400u) << read.error;
  EXPECT_NE(read.error.find(GetParam().mentions), std::string::npos) << read.error;
  // Nothing invisible is echoed (a byte-order mark is named instead), and a
  // link is not called a file.
  EXPECT_EQ(read.error.find("\xef\xbb\xbf"), std::string::npos) << read.error;
  if (GetParam().link) {
    EXPECT_EQ(read.error.find("set-up file"), std::string::npos) << read.error;
  }
}

std::string link(const std::string& json) {
  return "setup=" + lab::Base64UrlText(json);
}

INSTANTIATE_TEST_SUITE_P(
    Setup, SetupRefuses,
    ::testing::Values(
        BadInput{"Empty", [] { return std::string(); }, "at line 1, column 1: the text stops before the set-up is complete"},
        BadInput{"Blanks", [] { return std::string(" \n\t"); }, "at line 2, column 2: the text stops"},
        BadInput{"HundredMegabytes", [] { return std::string(100'000'000, ' ') + kGood; }, "too large"},
        BadInput{"OneByteOverTheLimit", [] { return kGood + std::string(lab::kMaxSetupBytes + 1 - kGood.size(), ' '); },
                 "1048577 bytes"},
        BadInput{"TenThousandDeep", [] { return std::string(10000, '[') + std::string(10000, ']'); }, "nests"},
        BadInput{"DeepInsideAnAction",
                 [] { return edited("\"press=3\"", std::string(20, '[') + std::string(20, ']')); }, "nests"},
        BadInput{"CutAfterTheBrace", [] { return kGood.substr(0, 1); }, "as if cut off"},
        BadInput{"CutInAKey", [] { return kGood.substr(0, kGood.find("live") + 2); }, "not closed"},
        BadInput{"CutInTheMiddle", [] { return kGood.substr(0, kGood.size() / 2); }, "damaged at line"},
        BadInput{"CutBeforeTheLastBrace", [] { return kGood.substr(0, kGood.rfind('}')); }, "as if cut off"},
        BadInput{"TrailingGarbage", [] { return kGood + "x"; }, "more text follows"},
        BadInput{"TwoFiles", [] { return kGood + kGood; }, "more text follows"},
        BadInput{"NaN", [] { return edited("[-250, 20]", "[NaN, 20]"); }, "'NaN' is no value JSON knows"},
        BadInput{"Infinity", [] { return edited("[-250, 20]", "[-Infinity, 20]"); }, "'-Infinity' is not a number"},
        BadInput{"BeyondADouble", [] { return edited("\"n\": 2", "\"n\": 1e400"); }, "1e400"},
        BadInput{"ByteOrderMarkInside", [] { return edited("\"live\"", "\xef\xbb\xbf\"live\""); }, "JSON"},
        BadInput{"InvalidUtf8", [] { return edited("press=1", "press=\xff"); }, "UTF-8"},
        BadInput{"DuplicateKey", [] { return edited("\"rays\": 10", "\"rays\": 10, \"rays\": 11"); }, "'rays'"},
        BadInput{"TopLevelList", [] { return std::string("[1, 2]"); }, "object"},
        BadInput{"NoFormat", [] { return edited("\"format\": \"fermat-lens set-up\", ", ""); }, "format"},
        BadInput{"OtherFormat", [] { return edited("fermat-lens set-up", "fermat-lens setup"); }, "format"},
        BadInput{"VersionAsText", [] { return edited("\"version\": 1", "\"version\": \"1\""); }, "version"},
        BadInput{"VersionFraction", [] { return edited("\"version\": 1", "\"version\": 1.0"); }, "version"},
        BadInput{"VersionNewer", [] { return edited("\"version\": 1", "\"version\": 2"); }, "version 2 is newer"},
        BadInput{"VersionZero", [] { return edited("\"version\": 1", "\"version\": 0"); }, "version 0"},
        BadInput{"UnknownTopKey", [] { return edited("\"live\"", "\"colour\": 1, \"live\""); }, "'colour'"},
        BadInput{"UnknownLensKey", [] { return edited("\"n\": 2", "\"index\": 2"); }, "'index'"},
        BadInput{"UnknownStartKey", [] { return edited("\"time\": 5", "\"time\": 5, \"zoom\": 1"); }, "'zoom'"},
        BadInput{"MissingLive", [] { return edited("\"live\": false,", ""); }, "'live'"},
        BadInput{"RaysAsText", [] { return edited("\"rays\": 10", "\"rays\": \"ten\""); }, "rays"},
        BadInput{"RaysFraction", [] { return edited("\"rays\": 10", "\"rays\": 10.5"); }, "rays"},
        BadInput{"RaysTooMany", [] { return edited("\"rays\": 10", "\"rays\": 101"); }, "rays"},
        BadInput{"HeightBelow", [] { return edited("\"height\": 0", "\"height\": -100"); }, "height"},
        BadInput{"HeightHuge", [] { return edited("\"height\": 0", "\"height\": 99999999999999999999"); }, "height"},
        BadInput{"TimeBelow", [] { return edited("\"time\": 5", "\"time\": 4"); }, "time"},
        BadInput{"LiveAsNumber", [] { return edited("\"live\": false", "\"live\": 1"); }, "live"},
        BadInput{"SourceOfThree", [] { return edited("[-250, 20]", "[-250, 20, 0]"); }, "source"},
        BadInput{"SourceBeyondAFloat", [] { return edited("[-250, 20]", "[-250, 1e39]"); }, "source"},
        BadInput{"EntryUnderflows", [] { return edited("[-15, 0]", "[1e-50, 0]"); }, "entry"},
        BadInput{"EntryAsText", [] { return edited("[-15, 0]", "[\"-15\", 0]"); }, "entry"},
        BadInput{"RadiusNeitherNumberNorFlat", [] { return edited("\"r1\": 180", "\"r1\": \"round\""); }, "r1"},
        BadInput{"IndexNull", [] { return edited("\"n\": 2", "\"n\": null"); }, "lens.n"},
        BadInput{"ApertureAsText",
                 [] { return edited("\"thickness\": 30", "\"thickness\": 30, \"aperture\": \"60\""); }, "aperture"},
        BadInput{"ActionsNotAList",
                 [] { return edited("[\"press=1\", \"source=-200,30\", \"height=-20\", \"press=3\"]", "\"press=1\""); },
                 "actions"},
        BadInput{"ActionNotAString", [] { return edited("\"source=-200,30\"", "5"); }, "action 2 of 4"},
        BadInput{"ActionRefused", [] { return edited("\"height=-20\"", "\"zoom=2\""); },
                 "action 3 of 4: unknown action"},
        BadInput{"ActionWithANewline", [] { return edited("\"press=3\"", "\"press=\\n3\""); }, "\\x0a"},
        BadInput{"TooManyActions", [] { return edited("\"press=1\"", repeated("\"play\"", 100001, ",")); }, "100004"},
        BadInput{"LinkWithoutKey", [] { return lab::Base64UrlText(kGood); }, "setup=", true},
        BadInput{"LinkNotBase64", [] { return "#setup=" + lab::Base64UrlText(kGood).insert(5, "+"); }, "character 6",
                 true},
        BadInput{"LinkPadded", [] { return link(kGood.substr(0, kGood.size() - 1)) + "="; }, "base64url", true},
        // "YWJj" is "abc"; a fifth character carries 6 bits, less than a byte.
        BadInput{"LinkCutToAStrayCharacter", [] { return std::string("setup=YWJjA"); }, "cut short", true},
        // "e30" is "{}"; "1" sets one of the two bits past the last byte.
        BadInput{"LinkStrayBits", [] { return std::string("setup=e31"); }, "bits", true},
        BadInput{"LinkTooLarge", [] { return "setup=" + std::string(2'000'000, 'A'); }, "too large", true},
        BadInput{"LinkToANewerFile", [] { return link(edited("\"version\": 1", "\"version\": 2")); }, "newer", true},
        BadInput{"LinkToBrokenJson", [] { return link(kGood.substr(0, 20)); }, "share link is damaged at line", true},
        BadInput{"LinkWithABadRays", [] { return link(edited("\"rays\": 10", "\"rays\": 101")); }, "share link: ",
                 true},
        BadInput{"TwoByteOrderMarks", [] { return "\xef\xbb\xbf\xef\xbb\xbf" + kGood; }, "<U+FEFF>"}),
    [](const ::testing::TestParamInfo<BadInput>& p) { return p.param.name; });


// The file reader holds a file to the same bound as the text: one of
// exactly kMaxSetupBytes bytes opens, one byte more is refused naming the
// file and the bound, however much more there is.
struct FileSize {
  const char* name;
  std::ptrdiff_t pastTheLimit;  // bytes beyond kMaxSetupBytes, negative for fewer
  bool opens;
};

void PrintTo(const FileSize& c, std::ostream* os) { *os << c.name; }

class SetupFileAtTheLimit : public ::testing::TestWithParam<FileSize> {};

TEST_P(SetupFileAtTheLimit, OpensUpToTheLargestSizeAndNoFurther) {
  const FileSize& c = GetParam();
  const auto size = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(lab::kMaxSetupBytes) + c.pastTheLimit);
  // The good file padded with blanks, which JSON allows after the value.
  const std::string text = kGood + std::string(size - kGood.size(), ' ');
  ASSERT_EQ(text.size(), size);
  // Other builds may run this suite at the same time: a name of its own.
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("fermat-setup-" + std::string(c.name) + "-" +
                                      std::to_string(std::random_device{}()) + ".json");
  {
    std::ofstream out(path, std::ios::binary);
    out << text;
    ASSERT_TRUE(out.flush()) << path;
  }
  ASSERT_EQ(std::filesystem::file_size(path), size);
  const lab::SetupRead read = lab::ReadSetupFile(path.string());
  std::filesystem::remove(path);
  if (c.opens) {
    ASSERT_EQ(read.error, "");
    EXPECT_TRUE(read.setup == lab::ParseSetup(kGood).setup);
  } else {
    EXPECT_FALSE(read.setup);
    EXPECT_NE(read.error.find(path.string()), std::string::npos) << read.error;
    EXPECT_NE(read.error.find(std::to_string(lab::kMaxSetupBytes) + " bytes"), std::string::npos) << read.error;
  }
}

INSTANTIATE_TEST_SUITE_P(Setup, SetupFileAtTheLimit,
                         ::testing::Values(FileSize{"OneByteUnder", -1, true}, FileSize{"AtTheLimit", 0, true},
                                           FileSize{"OneByteOver", 1, false}, FileSize{"AMegabyteOver", 1 << 20, false}),
                         [](const ::testing::TestParamInfo<FileSize>& p) { return std::string(p.param.name); });

}  // namespace
