#include "lab/Script.h"

#include "lab/LensText.h"

#include "lab/Controls.h"
#include "lab/Format.h"
#include "lab/Keys.h"
#include "numeric/Chars.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <system_error>

namespace lab {
namespace {


// ---------------------------------------------------------------- numbers

bool isAsciiBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The blanks QString::toDouble skips around a number (QChar::isSpace): the
// ASCII ones, NEL, NO-BREAK SPACE and the Unicode space separators.
bool isUnicodeSpace(char32_t c) {
  return (c >= 0x09 && c <= 0x0d) || c == 0x20 || c == 0x85 || c == 0xa0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200a) || c == 0x2028 || c == 0x2029 || c == 0x202f || c == 0x205f || c == 0x3000;
}

// Strict UTF-8 (no overlong forms, surrogates or code points past U+10FFFF);
// false on anything else.
bool decodeUtf8(std::string_view s, std::u32string& out) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t c = 0;
    if (b0 < 0x80) {
      c = b0;
    } else if (b0 >= 0xc2 && b0 <= 0xdf) {
      extra = 1, c = b0 & 0x1fu;
    } else if (b0 >= 0xe0 && b0 <= 0xef) {
      extra = 2, c = b0 & 0x0fu;
    } else if (b0 >= 0xf0 && b0 <= 0xf4) {
      extra = 3, c = b0 & 0x07u;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size() && extra > 0) return false;  // cut short
    for (int k = 1; k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((b & 0xc0u) != 0x80u) return false;
      c = (c << 6) | (b & 0x3fu);
    }
    if ((extra == 2 && c < 0x800) || (extra == 3 && (c < 0x10000 || c > 0x10ffff)) || (c >= 0xd800 && c <= 0xdfff)) {
      return false;
    }
    out += c;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

// [sign] (digits [. digits] | . digits) [e [sign] digits], signs ASCII.
bool isDecimalNumber(std::string_view s) {
  std::size_t i = 0;
  auto digits = [&] {
    const std::size_t from = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    return i - from;
  };
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t mantissa = digits();
  if (i < s.size() && s[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < s.size() && s[i] == 'e') {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == s.size();
}

// ---------------------------------------------------------------- keys

struct KeyName {
  const char* name;
  int code;
};

// The keys of a PC keyboard by name, as Qt's portable text spells them; codes
// from Qt's Qt::Key. Other ASCII characters are their own names.
constexpr KeyName kKeyNames[] = {
    {"Space", keys::Space},  {"Esc", 0x01000000},        {"Tab", 0x01000001},         {"Backtab", 0x01000002},
    {"Backspace", 0x01000003}, {"Return", 0x01000004},   {"Enter", 0x01000005},       {"Ins", 0x01000006},
    {"Del", 0x01000007},     {"Pause", 0x01000008},      {"Print", 0x01000009},       {"SysReq", 0x0100000a},
    {"Clear", 0x0100000b},   {"Home", 0x01000010},       {"End", 0x01000011},         {"Left", keys::Left},
    {"Up", keys::Up},        {"Right", keys::Right},     {"Down", keys::Down},        {"PgUp", 0x01000016},
    {"PgDown", 0x01000017},  {"Shift", 0x01000020},      {"Control", 0x01000021},     {"Meta", 0x01000022},
    {"Alt", 0x01000023},     {"CapsLock", 0x01000024},   {"NumLock", 0x01000025},     {"ScrollLock", 0x01000026},
    {"Menu", 0x01000055},    {"Help", 0x01000058},
};
// F1 .. F35 follow each other.
constexpr int kKeyF1 = 0x01000030;
constexpr int kFunctionKeys = 35;
// Every bit of a combination that is not the key (Qt::KeyboardModifierMask).
constexpr int kAllModifierBits = static_cast<int>(0xfe000000u);

// The modifiers in the order Qt writes them.
constexpr KeyName kModifiers[] = {
    {"Meta", keys::Meta}, {"Ctrl", keys::Control}, {"Alt", keys::Alt}, {"Shift", keys::Shift}, {"Num", keys::Keypad}};

char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool equalNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return asciiUpper(x) == asciiUpper(y); });
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && equalNoCase(s.substr(0, prefix.size()), prefix);
}

std::string functionKeyName(int n) {
  std::string out = "F";  // appended: "F" + std::to_string(n) raises g++ 12's false -Wrestrict at -O3
  out += std::to_string(n);
  return out;
}

std::optional<int> keyCode(std::string_view name) {
  for (const KeyName& k : kKeyNames) {
    if (equalNoCase(name, k.name)) return k.code;
  }
  for (int n = 1; n <= kFunctionKeys; ++n) {
    if (equalNoCase(name, functionKeyName(n))) return kKeyF1 + n - 1;
  }
  // Any other ASCII character but the blank (control characters included, as
  // Qt takes them) is its own key.
  if (name.size() == 1 && name[0] > 0 && name[0] != ' ') return asciiUpper(name[0]);
  return std::nullopt;
}

void appendUtf8(std::string& out, char32_t c) {
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
}

// The key's own name; a character key other than ASCII as its UTF-8, a key
// code without a name as nothing.
std::string keyName(int code) {
  for (const KeyName& k : kKeyNames) {
    if (code == k.code) return k.name;
  }
  if (code >= kKeyF1 && code < kKeyF1 + kFunctionKeys) return functionKeyName(code - kKeyF1 + 1);
  if (code > 0 && code < 0x80) return std::string(1, asciiUpper(static_cast<char>(code)));
  std::string out;
  if (code >= 0x80 && code <= 0x10ffff && !(code >= 0xd800 && code <= 0xdfff)) {
    appendUtf8(out, static_cast<char32_t>(code));
  }
  return out;
}

// ---------------------------------------------------------------- actions

std::string readPoint(std::string_view value, Action& a) {
  const auto comma = value.find(',');
  const auto x = comma == std::string_view::npos ? std::nullopt : ParseCoordinate(value.substr(0, comma));
  const auto y = comma == std::string_view::npos ? std::nullopt : ParseCoordinate(value.substr(comma + 1));
  if (!x || !y) return "expected two finite numbers X,Y";
  a.x = *x;
  a.y = *y;
  return {};
}

std::string readBar(std::string_view value, Action& a, BarRange range) {
  const auto v = ParseInt(value);
  if (!v) return "expected a whole number";
  if (!range.contains(*v)) {
    return "value out of range " + std::to_string(std::min(range.min, range.max)) + ".." +
           std::to_string(std::max(range.min, range.max));
  }
  a.value = *v;
  return {};
}

template <const BarRange& Range>
std::string readBarIn(std::string_view v, Action& a) {
  return readBar(v, a, Range);
}

std::string readButton(std::string_view v, Action& a) {
  const auto k = ParseInt(v);
  if (!k || *k < 1 || *k > 5) return "expected a button number 1..5";
  a.value = *k;
  return {};
}

std::string readKey(std::string_view v, Action& a) {
  const std::optional<int> combination = ParseKey(v);
  if (!combination) return "expected one key such as Right, Shift+Left, Ctrl+3 or Space";
  a.value = *combination;
  return {};
}

// The lens from the standard one with the keys given; one that cannot exist is refused here.
std::string readLens(std::string_view v, Action& a) { return ReadLens(v, a.lens); }

std::string readMarker(std::string_view v, Action& a) {
  if (v != "source" && v != "entry") return "expected source or entry";
  a.value = v == "entry" ? 1 : 0;
  return {};
}

// Every action: the key before '=', how its value reads (an error without the
// argument, which ParseAction appends; empty when good), how it is written
// back, and its help line. One entry per kind.
struct ActionEntry {
  Action::Kind kind;
  const char* key;
  const char* syntax;
  const char* help;
  std::string (*read)(std::string_view value, Action& a);  // null: the action takes no value
  enum class Text { Number, Point, Key, Lens, Marker, None } text;      // how the value is written back
};

using T = ActionEntry::Text;
using K = Action::Kind;
const ActionEntry kActions[] = {
    {K::Source, "source", "source=X,Y", "drag the source to world point (X, Y)", readPoint, T::Point},
    {K::Entry, "entry", "entry=X,Y", "drag the entry point to (X, Y)", readPoint, T::Point},
    {K::Height, "height", "height=V", "set the target height (-99..99)", readBarIn<kThesiyRange>, T::Number},
    {K::Rays, "rays", "rays=N", "set the number of rays (2..100)", readBarIn<kRaysRange>, T::Number},
    {K::Time, "time", "time=V", "set the time after the lens (5..100)", readBarIn<kTimeRange>, T::Number},
    {K::Press, "press", "press=K", "click button K (1..5)", readButton, T::Number},
    {K::MouseDown, "down", "down=X,Y", "one mouse press on the canvas at (X, Y)", readPoint, T::Point},
    {K::MouseMove, "move", "move=X,Y", "one mouse move on the canvas to (X, Y)", readPoint, T::Point},
    {K::MouseUp, "up", "up=X,Y", "one mouse release on the canvas at (X, Y)", readPoint, T::Point},
    {K::DragHeight, "drag-height", "drag-height=V", "drag the height bar's thumb to V, live", readBarIn<kThesiyRange>,
     T::Number},
    {K::DragRays, "drag-rays", "drag-rays=N", "drag the ray-count bar's thumb to N, live", readBarIn<kRaysRange>,
     T::Number},
    {K::DragTime, "drag-time", "drag-time=V", "drag the time bar's thumb to V, live", readBarIn<kTimeRange>,
     T::Number},
    {K::Key, "key", "key=SEQ", "press a key as Qt spells it: Right, Shift+Left, Ctrl+3, Space", readKey, T::Key},
    {K::Play, "play", "play", "run the time sweep to its end", nullptr, T::None},
    {K::Reset, "reset", "reset", "put everything back as at start-up (File > Reset)", nullptr, T::None},
    {K::Active, "active", "active=M", "make marker M (source or entry) the one the arrow keys move", readMarker,
     T::Marker},
    {K::Lens, "lens", "lens=KEY=V,...", "take another lens, as --lens gives it (e.g. lens=preset=crown)", readLens,
     T::Lens},
};

}  // namespace

// ---------------------------------------------------------------- numbers

std::optional<int> ParseInt(std::string_view s) {
  int v = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc{} || ptr != s.data() + s.size() || s.empty()) return std::nullopt;
  return v;
}

std::optional<float> ParseCoordinate(std::string_view s) {
  // An argument carries no ASCII blanks, though the reading would skip them.
  if (s.empty() || std::any_of(s.begin(), s.end(), isAsciiBlank)) return std::nullopt;
  constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";
  if (s.substr(0, kByteOrderMark.size()) == kByteOrderMark) s.remove_prefix(kByteOrderMark.size());
  std::u32string text;
  if (!decodeUtf8(s, text)) return std::nullopt;
  const auto first = std::find_if_not(text.begin(), text.end(), isUnicodeSpace);
  const auto last = std::find_if_not(text.rbegin(), std::make_reverse_iterator(first), isUnicodeSpace).base();
  // The C locale's characters, the minus sign U+2212 read as '-'.
  std::string ascii;
  for (auto it = first; it != last; ++it) {
    const char32_t c = *it;
    if ((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-') {
      ascii += static_cast<char>(c);
    } else if (c == 'e' || c == 'E') {
      ascii += 'e';
    } else if (c == 0x2212) {
      ascii += '-';
    } else {
      return std::nullopt;
    }
  }
  if (!isDecimalNumber(ascii)) return std::nullopt;
  // The reading takes a minus but no plus.
  const std::string_view number = ascii[0] == '+' ? std::string_view(ascii).substr(1) : std::string_view(ascii);
  double v = 0;
  const auto [ptr, ec] = numeric::FromChars(number.data(), number.data() + number.size(), v);
  // Out of range: too large for a double, or a number that is not zero read as
  // zero (an underflow); both refused.
  if (ec != std::errc{} || ptr != number.data() + number.size()) return std::nullopt;
  if (!std::isfinite(v) || std::abs(v) > 3.0e38) return std::nullopt;
  return static_cast<float>(v);
}

std::string CoordinateText(float v) {
  std::string text;
  for (int digits = 1; digits <= 9; ++digits) {
    text = SignificantText(static_cast<double>(v), digits);
    if (ParseCoordinate(text) == v) break;
  }
  return text;
}

std::optional<std::pair<int, int>> ParseSize(std::string_view text) {
  const auto x = text.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const auto w = ParseInt(text.substr(0, x));
  const auto h = ParseInt(text.substr(x + 1));
  if (!w || !h) return std::nullopt;
  if (*w < kMinClientWidth || *h < kMinClientHeight || *w > kMaxClientSide || *h > kMaxClientSide) {
    return std::nullopt;
  }
  return std::pair{*w, *h};
}

std::string SizeError(std::string_view option, std::string_view text) {
  const auto x = text.find('x');
  const auto w = x == std::string_view::npos ? std::nullopt : ParseInt(text.substr(0, x));
  const auto h = x == std::string_view::npos ? std::nullopt : ParseInt(text.substr(x + 1));
  if (!w || !h) return std::string(option) + " expects WxH in pixels, got " + Quoted(text);
  if (!ParseSize(text)) return std::string(option) + " must be from 200x150 to 16384x16384, got " + Quoted(text);
  return {};
}

// ---------------------------------------------------------------- keys

std::optional<int> ParseKey(std::string_view text) {
  // Modifiers each at most once, in their order; the key is what remains
  // ("Ctrl++" is Ctrl and the plus key, "Ctrl+Shift" Ctrl and the Shift key).
  int modifiers = 0;
  std::string_view rest = text;
  for (const KeyName& m : kModifiers) {
    const std::string prefix = std::string(m.name) + "+";
    if (rest.size() > prefix.size() && startsWithNoCase(rest, prefix)) {
      modifiers |= m.code;
      rest.remove_prefix(prefix.size());
    }
  }
  const std::optional<int> code = keyCode(rest);
  if (!code) return std::nullopt;
  return *code | modifiers;
}

std::string KeyText(int key) {
  std::string text;
  for (const KeyName& m : kModifiers) {
    if ((key & m.code) != 0) text += std::string(m.name) + "+";
  }
  return text + keyName(key & ~kAllModifierBits);
}

// ---------------------------------------------------------------- actions

std::string ParseAction(std::string_view arg, std::vector<Action>& into) {
  const auto eq = arg.find('=');
  const std::string_view key = arg.substr(0, eq);
  const auto* entry =
      std::find_if(std::begin(kActions), std::end(kActions), [&](const ActionEntry& s) { return s.key == key; });
  if (entry == std::end(kActions)) {
    return (eq == std::string_view::npos ? "unknown argument " : "unknown action ") + Quoted(arg);
  }
  Action a;
  a.kind = entry->kind;
  if (!entry->read) {
    if (eq != std::string_view::npos) return std::string(entry->key) + " takes no value: " + Quoted(arg);
  } else if (eq == std::string_view::npos) {
    return "unknown argument " + Quoted(arg);
  } else if (const std::string e = entry->read(arg.substr(eq + 1), a); !e.empty()) {
    return e + " in " + Quoted(arg);
  }
  into.push_back(a);
  return {};
}

std::vector<ActionHelp> ActionHelpRows() {
  std::vector<ActionHelp> rows;
  for (const ActionEntry& s : kActions) rows.push_back({s.syntax, s.help});
  return rows;
}

std::string ActionText(const Action& a) {
  const auto* entry =
      std::find_if(std::begin(kActions), std::end(kActions), [&](const ActionEntry& s) { return s.kind == a.kind; });
  const std::string text = std::string(entry->key) + "=";
  switch (entry->text) {
    case T::None: return entry->key;
    case T::Key: return text + KeyText(a.value);
    case T::Lens: return text + LensText(a.lens);
    case T::Marker: return text + (a.value == 1 ? "entry" : "source");
    case T::Point: return text + CoordinateText(a.x) + "," + CoordinateText(a.y);
    case T::Number: break;
  }
  return text + std::to_string(a.value);
}

// Built by appending: "'" + std::string(s) makes g++ 12 at -O3 raise a false
// -Wrestrict (GCC bug 105329).
std::string Quoted(std::string_view s) {
  std::string out(1, '\'');
  out.append(s);
  out += '\'';
  return out;
}

}  // namespace lab
