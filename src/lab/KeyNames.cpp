#include "lab/KeyNames.h"

#include "lab/Keys.h"

#include <algorithm>

namespace lab {
namespace {

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

}  // namespace

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

}  // namespace lab
