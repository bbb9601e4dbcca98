// The Qt-free text of numbers, trace lines, keys and coordinates against
// what Qt makes of the same input. The reference side is the Qt-based code
// the program used before its text went through lab (QString::number,
// QString::toDouble, QKeySequence), kept here as the oracle: every case must
// give the same bytes, whatever the locale the application set.
#include "lab/Format.h"
#include "lab/Op.h"
#include "lab/Script.h"
#include "lab/Trace.h"

#include <QKeySequence>
#include <QLocale>
#include <QRgb>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- the Qt side

namespace reference {

// Rounds the decimal text of |value| to `decimals` places, half away from
// zero, on the number's 15 significant digits as QString::number writes them.
std::string roundedDecimal(double magnitude, int decimals) {
  const std::string buf = QString::number(magnitude, 'e', 14).toStdString();
  std::string mantissa;
  mantissa += buf[0];
  mantissa.append(buf, 2, 14);
  const int exponent = std::atoi(buf.c_str() + 17);
  std::string digits = mantissa;
  int point = exponent + 1;
  if (point <= 0) {
    digits.insert(0, std::string(static_cast<std::size_t>(1 - point), '0'));
    point = 1;
  }
  const std::size_t keep = static_cast<std::size_t>(point + decimals);
  if (digits.size() < keep + 1) digits.append(keep + 1 - digits.size(), '0');
  const bool up = digits[keep] >= '5';
  digits.resize(keep);
  if (up) {
    int i = static_cast<int>(keep) - 1;
    for (; i >= 0; --i) {
      if (digits[static_cast<std::size_t>(i)] == '9') {
        digits[static_cast<std::size_t>(i)] = '0';
      } else {
        ++digits[static_cast<std::size_t>(i)];
        break;
      }
    }
    if (i < 0) {
      digits.insert(digits.begin(), '1');
      ++point;
    }
  }
  std::string whole = digits.substr(0, static_cast<std::size_t>(point));
  const std::size_t first = whole.find_first_not_of('0');
  whole = first == std::string::npos ? "0" : whole.substr(first);
  std::string out = whole;
  if (decimals > 0) {
    out += '.';
    out.append(digits, static_cast<std::size_t>(point));
  }
  return out;
}

std::string Format(double value, std::string_view pattern) {
  if (!std::isfinite(value)) return QStringLiteral("—").toStdString();
  if (pattern.empty()) {
    if (value == std::floor(value) && std::abs(value) < 1e15) {
      return QString::number(static_cast<long long>(value)).toStdString();
    }
    return QString::number(value, 'g', 15).toStdString();
  }
  int decimals = 0;
  if (const auto dot = pattern.find('.'); dot != std::string_view::npos) {
    decimals = static_cast<int>(pattern.size() - dot - 1);
  }
  const std::string text = roundedDecimal(std::abs(value), decimals);
  const bool negative = value < 0 && text.find_first_not_of("0.") != std::string::npos;
  return (negative ? "-" : "") + text;
}

std::string number(double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest).toStdString(); }

std::string colour(QRgb c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", qRed(c), qGreen(c), qBlue(c));
  return buf;
}

std::string TraceLine(const lab::Op& op) {
  using K = lab::Op::Kind;
  const std::string col = "\"color\":\"" + colour(op.color) + "\"";
  const std::string width = "\"width\":" + std::to_string(op.width);
  switch (op.kind) {
    case K::Line:
      return "{\"op\":\"line\",\"x1\":" + number(op.x1) + ",\"y1\":" + number(op.y1) + ",\"x2\":" + number(op.x2) +
             ",\"y2\":" + number(op.y2) + "," + col + "," + width + ",\"style\":" + std::to_string(op.style) + "}";
    case K::Circle:
      return "{\"op\":\"circle\",\"x\":" + number(op.x1) + ",\"y\":" + number(op.y1) + ",\"r\":" + number(op.r) +
             "," + col + "," + width + ",\"fill\":" + (op.fill ? "\"" + colour(*op.fill) + "\"" : "null") + "}";
    case K::Arc:
      return "{\"op\":\"arc\",\"x\":" + number(op.x1) + ",\"y\":" + number(op.y1) + ",\"r\":" + number(op.r) +
             ",\"start\":" + number(op.start) + ",\"end\":" + number(op.end) + "," + col + "," + width + "}";
    case K::PSet:
      return "{\"op\":\"pset\",\"x\":" + number(op.x1) + ",\"y\":" + number(op.y1) + "," + col + "," + width + "}";
    case K::Cls:
      return "{\"op\":\"cls\"}";
    case K::FloodFill:
      return "{\"op\":\"floodfill\",\"x\":" + number(op.x1) + ",\"y\":" + number(op.y1) + "," + col + "}";
  }
  return "{}";
}

std::optional<int> ParseKey(std::string_view text) {
  const QString spelled = QString::fromUtf8(text.data(), qsizetype(text.size()));
  const QKeySequence seq = QKeySequence::fromString(spelled, QKeySequence::PortableText);
  if (seq.count() != 1 || seq[0].key() == Qt::Key_unknown || seq[0].key() == 0) return std::nullopt;
  if (seq.toString(QKeySequence::PortableText).compare(spelled, Qt::CaseInsensitive) != 0) return std::nullopt;
  return seq[0].toCombined();
}

std::string KeyText(int key) {
  return QKeySequence(QKeyCombination::fromCombined(key)).toString(QKeySequence::PortableText).toStdString();
}

std::optional<float> parseCoordinate(std::string_view s) {
  if (s.empty() || std::any_of(s.begin(), s.end(), [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); })) {
    return std::nullopt;
  }
  bool ok = false;
  const double v = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())).toDouble(&ok);
  if (!ok || !std::isfinite(v) || std::abs(v) > 3.0e38) return std::nullopt;
  return static_cast<float>(v);
}

std::string coordinateText(float v) {
  QString text;
  for (int digits = 1; digits <= 9; ++digits) {
    text = QString::number(static_cast<double>(v), 'g', digits);
    if (parseCoordinate(text.toStdString()) == v) break;
  }
  return text.toStdString();
}

}  // namespace reference

// ---------------------------------------------------------------- inputs

// gtest parameter names from a table case's `name`.
struct ByName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& p) const {
    return p.param.name;
  }
};

double fromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

// Doubles the text functions must agree on: random ones of every magnitude,
// halves and quarters (exact ties of the last kept digit), the boundaries
// where a form changes (1e-5, 1e15, 1e16), carries (9.9999…), the extremes.
std::vector<double> SampleDoubles() {
  std::vector<double> v = {0.0,
                           -0.0,
                           2.675,
                           -2.675,
                           -26.395,
                           1.9995,
                           0.125,
                           0.375,
                           2.5,
                           1e15,
                           1e15 - 1,
                           1e15 + 1,
                           -1e15,
                           999999999999999.5,
                           1e16,
                           1e17,
                           123456789012345678.0,
                           1234567890123455.0,
                           1234567890123445.0,
                           1e-7,
                           1e-5,
                           1e-4,
                           0.0001,
                           0.00012,
                           0.0012,
                           0.001,
                           1e5,
                           1e6,
                           1.5e6,
                           1e20,
                           1e21,
                           1e100,
                           1e-100,
                           1e-300,
                           9.9999999999999995,
                           99.995,
                           0.0005,
                           0.00049999999999999,
                           0.1,
                           0.2,
                           0.3,
                           1.0 / 3.0,
                           2.0 / 3.0,
                           std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::lowest(),
                           std::numeric_limits<double>::min(),
                           std::numeric_limits<double>::denorm_min(),
                           -std::numeric_limits<double>::denorm_min(),
                           std::numeric_limits<double>::epsilon(),
                           std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity()};
  std::mt19937_64 rng(20240611);
  std::uniform_real_distribution<> unit(-1.0, 1.0);
  std::uniform_int_distribution<int> exponent(-40, 40);
  std::uniform_int_distribution<std::uint64_t> anyBits;
  std::uniform_int_distribution<int> whole(-100000, 100000);
  std::uniform_int_distribution<int> shift(1, 12);
  for (int i = 0; i < 3000; ++i) {
    v.push_back(unit(rng) * std::pow(10.0, exponent(rng)));
    // Exact binary fractions: a half, quarter ... of a whole number, so the
    // digit after the last kept one is often exactly 5.
    v.push_back(std::ldexp(static_cast<double>(whole(rng)), -shift(rng)));
    // Any bit pattern: subnormals, huge and tiny exponents (no NaN payloads).
    const double any = fromBits(anyBits(rng));
    if (std::isfinite(any)) v.push_back(any);
    // Few significant digits, as labels and coordinates mostly are.
    v.push_back(std::round(unit(rng) * 1e6) / 1000.0);
  }
  // Whole numbers with 16 significant digits ending in 5: exact ties at 15 digits.
  std::uniform_int_distribution<long long> sixteen(100000000000000LL, 999999999999999LL);
  for (int i = 0; i < 300; ++i) v.push_back(static_cast<double>(sixteen(rng) * 10 + 5));
  return v;
}

const std::vector<double>& Doubles() {
  static const std::vector<double> v = SampleDoubles();
  return v;
}

std::string Spelled(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// ---------------------------------------------------------------- numbers

class FormatAgrees : public ::testing::TestWithParam<const char*> {};

TEST_P(FormatAgrees, WithQStringNumberForEveryValue) {
  const std::string pattern = GetParam();
  for (const double v : Doubles()) {
    ASSERT_EQ(lab::Format(v, pattern), reference::Format(v, pattern)) << Spelled(v) << " pattern '" << pattern << "'";
  }
}

std::string patternName(const ::testing::TestParamInfo<const char*>& p) {
  const std::string pattern = p.param;
  const auto dot = pattern.find('.');
  return pattern.empty() ? "General" : "Decimals" + std::to_string(dot == std::string::npos ? 0 : pattern.size() - dot - 1);
}

INSTANTIATE_TEST_SUITE_P(Patterns, FormatAgrees, ::testing::Values("", "0", "0.0", "0.00", "0.000", "0.000000"),
                         patternName);

// The three number forms of QString::number the ports stand on: shortest,
// 'g' with a precision, 'e' with a precision.
struct FormCase {
  const char* name;
  char form;      // 'g' or 'e'
  int precision;  // QLocale::FloatingPointShortest for the shortest form
};

class NumberFormsAgree : public ::testing::TestWithParam<FormCase> {};

TEST_P(NumberFormsAgree, WithQStringNumber) {
  const FormCase c = GetParam();
  for (const double v : Doubles()) {
    const std::string qt = QString::number(v, c.form, c.precision).toStdString();
    const std::string lab = c.form == 'e'                                   ? lab::ExponentText(v, c.precision)
                            : c.precision == QLocale::FloatingPointShortest ? lab::ShortestText(v)
                                                                             : lab::SignificantText(v, c.precision);
    ASSERT_EQ(lab, qt) << Spelled(v);
  }
}

INSTANTIATE_TEST_SUITE_P(Forms, NumberFormsAgree,
                         ::testing::Values(FormCase{"Shortest", 'g', QLocale::FloatingPointShortest},
                                           FormCase{"Significant1", 'g', 1}, FormCase{"Significant2", 'g', 2},
                                           FormCase{"Significant5", 'g', 5}, FormCase{"Significant6", 'g', 6},
                                           FormCase{"Significant9", 'g', 9}, FormCase{"Significant15", 'g', 15},
                                           FormCase{"Significant17", 'g', 17}, FormCase{"Exponent0", 'e', 0},
                                           FormCase{"Exponent3", 'e', 3}, FormCase{"Exponent14", 'e', 14},
                                           FormCase{"Exponent20", 'e', 20}),
                         ByName{});

// ---------------------------------------------------------------- trace lines

std::string kindName(const ::testing::TestParamInfo<lab::Op::Kind>& p) {
  constexpr const char* kNames[] = {"Line", "Circle", "Arc", "PSet", "Cls", "FloodFill"};
  return kNames[static_cast<int>(p.param)];
}

class TraceLinesAgree : public ::testing::TestWithParam<lab::Op::Kind> {};

TEST_P(TraceLinesAgree, WithTheQtTraceForRandomOperations) {
  std::mt19937_64 rng(static_cast<std::uint64_t>(GetParam()) + 7);
  const std::vector<double>& values = Doubles();
  std::uniform_int_distribution<std::size_t> pick(0, values.size() - 1);
  std::uniform_int_distribution<std::uint32_t> rgb(0, 0xffffff);
  std::uniform_int_distribution<int> small(0, 40);
  for (int i = 0; i < 2000; ++i) {
    lab::Op op;
    op.kind = GetParam();
    op.x1 = values[pick(rng)];
    op.y1 = values[pick(rng)];
    op.x2 = values[pick(rng)];
    op.y2 = values[pick(rng)];
    op.r = values[pick(rng)];
    op.start = values[pick(rng)];
    op.end = values[pick(rng)];
    op.color = 0xff000000u | rgb(rng);
    op.width = small(rng);
    op.style = small(rng) % 3;
    if (small(rng) % 2 == 0) op.fill = 0xff000000u | rgb(rng);
    ASSERT_EQ(lab::TraceLine(op), reference::TraceLine(op));
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, TraceLinesAgree,
                         ::testing::Values(lab::Op::Kind::Line, lab::Op::Kind::Circle, lab::Op::Kind::Arc,
                                           lab::Op::Kind::PSet, lab::Op::Kind::Cls, lab::Op::Kind::FloodFill),
                         kindName);

// ---------------------------------------------------------------- keys

constexpr int kModifierBits[] = {0x02000000, 0x04000000, 0x08000000, 0x10000000, 0x20000000};

// Every subset of the five modifiers.
std::vector<int> ModifierSets() {
  std::vector<int> sets;
  for (int mask = 0; mask < 32; ++mask) {
    int bits = 0;
    for (int i = 0; i < 5; ++i) {
      if ((mask & (1 << i)) != 0) bits |= kModifierBits[i];
    }
    sets.push_back(bits);
  }
  return sets;
}

// Key codes of the keyboard: ASCII (control characters and lower-case letters
// as codes too) and Qt's special keys from Esc to Help, named or not.
std::vector<int> KeyboardCodes() {
  std::vector<int> codes;
  for (int c = 0x01; c < 0x80; ++c) codes.push_back(c);
  for (int c = 0x01000000; c <= 0x01000060; ++c) codes.push_back(c);
  return codes;
}

std::string flipCase(std::string s, std::mt19937& rng) {
  for (char& c : s) {
    if (std::isalpha(static_cast<unsigned char>(c)) && rng() % 2 == 0) {
      c = static_cast<char>(std::islower(static_cast<unsigned char>(c)) ? std::toupper(c) : std::tolower(c));
    }
  }
  return s;
}

// The spellings of the keys and of every modifier set as Qt writes them, in
// random case, with a modifier dropped, doubled or moved, and a comma or a
// blank added.
struct KeyCase {
  const char* name;
  std::vector<std::string> (*spellings)();
};

std::vector<std::string> AsQtWritesThem() {
  std::vector<std::string> out;
  std::mt19937 rng(5);
  for (const int mods : ModifierSets()) {
    for (const int code : KeyboardCodes()) {
      const std::string text = reference::KeyText(code | mods);
      out.push_back(text);
      out.push_back(flipCase(text, rng));
    }
  }
  return out;
}

std::vector<std::string> Misspelled() {
  std::vector<std::string> out = {"",          " ",          "Space ",    " Space",     "Ctrl+",      "Ctrl",
                                  "+",         "++",         "Ctrl++",    "Ctrl+++",    "+A",         "A+",
                                  "A+B",       "A,B",        "A,",        ",",          "Ctrl+,",     "Esc,",
                                  "Escape",    "Esc",        "Page Up",   "PgUp",       "PGUP",       "pgdown",
                                  "Insert",    "Delete",     "F0",        "F01",        "F36",        "f35",
                                  "Shift+Ctrl+A", "Ctrl+Shift+A", "Meta+Ctrl+Alt+Shift+Num+A", "Num+Meta+A",
                                  "Ctrl+Ctrl+A", "Ctrl + A",  "Ctrl+ A",   "Shift+Shift", "Shift",     "Control",
                                  "Ctrl+Control", "Alt+Alt", "Num",        "Num+5",      "Keypad+5",   "Ctrl+Num+Left",
                                  "Return+A",  "Space+Space", "0x41",     "Left\n",     "Left\t",     "Right ",
                                  "Caps Lock", "CapsLock",   "Backtab",   "Shift+Tab",  "SysReq",     "Sys Req",
                                  "Print",     "Clear",      "Menu",      "Help",       "Meta+Meta",  "Ctrl+Shift",
                                  "ctrl+shift+left", "CTRL+3", "sHiFt+uP", "Alt+F4",    "Alt+F35",    "Alt+F36",
                                  "Shift++",   "Shift+=",    "Ctrl+-",    "Ctrl+.",     "Super",      "Super_L",
                                  "Tab,Tab",   "Ctrl+\x01",  "\x7f",      "Del+",       "Ctrl+F1+F2", "1",
                                  "0",         "Ctrl+1",     "Ctrl+5",    "Space",      "space",      "SPACE"};
  std::mt19937 rng(9);
  const std::vector<std::string> prefixes = {"Meta+", "Ctrl+", "Alt+", "Shift+", "Num+"};
  const std::vector<std::string> keys = {"A", "z", "5", "+", ",", "Left", "Space", "F12", "PgUp", "Esc", "Shift"};
  for (int i = 0; i < 3000; ++i) {
    std::string s;
    const int count = static_cast<int>(rng() % 4);
    for (int k = 0; k < count; ++k) s += prefixes[rng() % prefixes.size()];
    s += keys[rng() % keys.size()];
    switch (rng() % 6) {
      case 0: s += ","; break;
      case 1: s.insert(rng() % (s.size() + 1), " "); break;
      case 2: s += "+"; break;
      default: break;
    }
    out.push_back(flipCase(s, rng));
  }
  return out;
}

class KeysAgree : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeysAgree, WithQKeySequenceInPortableText) {
  for (const std::string& s : GetParam().spellings()) {
    const std::optional<int> qt = reference::ParseKey(s);
    ASSERT_EQ(lab::ParseKey(s), qt) << "'" << s << "'";
    if (qt) {
      ASSERT_EQ(lab::KeyText(*qt), reference::KeyText(*qt)) << "'" << s << "'";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Spellings, KeysAgree,
                         ::testing::Values(KeyCase{"AsQtWritesThem", AsQtWritesThem},
                                           KeyCase{"Misspelled", Misspelled}),
                         ByName{});

TEST(KeyTextAgrees, ForEveryKeyboardCodeWithEveryModifierSet) {
  for (const int mods : ModifierSets()) {
    for (const int code : KeyboardCodes()) {
      // Qt has no text for an unnamed special key (it writes a stray character).
      if (code >= 0x01000000 && !reference::ParseKey(reference::KeyText(code))) continue;
      ASSERT_EQ(lab::KeyText(code | mods), reference::KeyText(code | mods)) << std::hex << (code | mods);
    }
  }
}

// ---------------------------------------------------------------- coordinates

// Encoded by hand: QString::fromUcs4 would drop a byte-order mark.
std::string utf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xc0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3f));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xe0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (c & 0x3f));
  } else {
    out += static_cast<char>(0xf0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (c & 0x3f));
  }
  return out;
}

struct CoordinateCase {
  const char* name;
  std::vector<std::string> (*spellings)();
};

std::vector<std::string> Written() {
  std::vector<std::string> out = {"1", "+1", "-1", ".5", "5.", "-.5", "+.5", "1e5", "1E5", "1e+5", "1e-5", "1e05",
                                  "1.e5", "00.5", "007", "-0", "+0", "0e0", "1e-0", "1e", "e5", ".e5", ".", "-", "+",
                                  "+-1", "-+1", "--1", "1.2.3", "1e5e5", "1e5.5", "1.5e", "1.5e+", "1d5", "1f",
                                  "0x10", "0X1p3", "inf", "-inf", "INF", "Infinity", "nan", "NaN", "1e400", "-1e400",
                                  "1e-400", "1e-310", "-1e-310", "4e-324", "2e-324", "2.4703282292062328e-324",
                                  "2.4703282292062327e-324", "0e-400", "0e999999", "0.0e99999999999999999999",
                                  "1e99999999999999999999", "1e-99999999999999999999", "3e38", "3.0e38",
                                  "3.0000001e38", "3.4e38", "-3e38", "1,000", "2,3", "1'000", "1_0", " 1", "1 ",
                                  "\t1", "1\n", "\xc2\xa0" "1", "1\xc2\xa0", "\xc2\xa0\xc2\xa0", "\xe2\x80\x83" "1",
                                  "\xef\xbb\xbf" "1", "\xef\xbb\xbf\xef\xbb\xbf" "1", "1\xef\xbb\xbf",
                                  "\xef\xbb\xbf-1", "\xe2\x88\x92" "1", "1e\xe2\x88\x92" "5", "\xe2\x88\x92.5",
                                  "\xe2\x88\x92\xe2\x88\x92" "1", "+\xe2\x88\x92" "1", "\xd9\xa1", "\xef\xbc\x91",
                                  "1\xd9\xab" "5", "\xff", "1\xc0\xae" "5", "\xe0\x80\xb1", "\xed\xa0\x80",
                                  std::string("1\0", 2), "-200", "40", "14.971215", "-38.00319",
                                  "0." + std::string(400, '0') + "1", "0." + std::string(300, '0') + "1",
                                  "1." + std::string(800, '1'), std::string(400, '9'),
                                  "0.000000000000000000000000000000000000000000001e+45"};
  // Floats as the command line writes them and in other hands' spellings.
  std::mt19937 rng(3);
  std::uniform_int_distribution<std::uint32_t> bits;
  for (int i = 0; i < 3000; ++i) {
    const float f = std::bit_cast<float>(bits(rng));
    if (!std::isfinite(f)) continue;
    const double d = f;
    out.push_back(reference::coordinateText(f));
    out.push_back(QString::number(d, 'g', 1 + static_cast<int>(rng() % 17)).toStdString());
    out.push_back(QString::number(d, 'e', static_cast<int>(rng() % 12)).toStdString());
    out.push_back(QString::number(d, 'f', static_cast<int>(rng() % 8)).toStdString());
  }
  return out;
}

// Each code point before, after and inside a number, as its sign and twice.
std::vector<std::string> AroundEveryCodePoint() {
  std::vector<std::string> out;
  for (char32_t c = 1; c < 0x110000; c += c < 0x10000 ? 1 : 61) {
    if (c >= 0xd800 && c < 0xe000) continue;
    const std::string s = utf8(c);
    for (const std::string& form : {s + "1", "1" + s, "1" + s + "5", "1e" + s + "5", s, s + s + "1", "1" + s + s,
                                    s + "-1", "-" + s + "1"}) {
      out.push_back(form);
    }
  }
  return out;
}

std::vector<std::string> RandomStrings() {
  const std::vector<std::string> alphabet = {"0", "1", "5", "9", ".", "e", "E", "+", "-", "\xe2\x88\x92",
                                             "\xc2\xa0", "\xef\xbb\xbf", "x", "i", "n", "f", " ", ","};
  std::mt19937 rng(17);
  std::vector<std::string> out;
  for (int i = 0; i < 20000; ++i) {
    std::string s;
    const int length = 1 + static_cast<int>(rng() % 8);
    for (int k = 0; k < length; ++k) s += alphabet[rng() % alphabet.size()];
    out.push_back(s);
  }
  return out;
}

std::optional<std::uint32_t> bitsOf(std::optional<float> f) {
  if (!f) return std::nullopt;
  return std::bit_cast<std::uint32_t>(*f);
}

class CoordinatesAgree : public ::testing::TestWithParam<CoordinateCase> {};

// Compared bit for bit, so that a -0 read as 0 shows.
TEST_P(CoordinatesAgree, WithQStringToDouble) {
  for (const std::string& s : GetParam().spellings()) {
    ASSERT_EQ(bitsOf(lab::ParseCoordinate(s)), bitsOf(reference::parseCoordinate(s)))
        << "'" << QByteArray::fromStdString(s).toHex(' ').toStdString() << "'";
  }
}

INSTANTIATE_TEST_SUITE_P(Spellings, CoordinatesAgree,
                         ::testing::Values(CoordinateCase{"Written", Written},
                                           CoordinateCase{"AroundEveryCodePoint", AroundEveryCodePoint},
                                           CoordinateCase{"RandomStrings", RandomStrings}),
                         ByName{});

TEST(CoordinateTextAgrees, ForRandomFloatsAndTheSessionsOnes) {
  std::mt19937 rng(23);
  std::uniform_int_distribution<std::uint32_t> bits;
  std::uniform_real_distribution<> frame(-2000, 2000);
  std::vector<float> floats = {0.0f, -0.0f, 0.5f, -15.0f, 2.5f, 8388607.5f, 16777215.0f, 3e38f, -3e38f,
                              std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::min()};
  for (int i = 0; i < 5000; ++i) {
    floats.push_back(std::bit_cast<float>(bits(rng)));
    floats.push_back(static_cast<float>(frame(rng)));
  }
  for (const float f : floats) {
    if (!std::isfinite(f)) continue;
    ASSERT_EQ(lab::CoordinateText(f), reference::coordinateText(f)) << Spelled(f);
  }
}

}  // namespace
