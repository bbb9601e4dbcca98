#include "text/Language.h"

#include <map>

#include "numeric/Chars.h"

#include "text/Plural.h"

namespace text {

std::string_view OriginalCatalogueText() noexcept;  // generated from resources/i18n/original.json

namespace {

struct State {
  Catalogue original;
  std::map<std::string, Catalogue, std::less<>> added;
  std::string code;                  // in force
  const Catalogue* chosen = nullptr;  // null: the original (or the pseudo-language)
  std::uint64_t revision = 0;
};

State& state() {
  static State s = [] {
    State out;
    std::string error;
    out.original = ReadCatalogue(OriginalCatalogueText(), error);
    return out;
  }();
  return s;
}

// The accented stand-in of an ASCII letter (Latin-1 and Latin Extended
// letters, two bytes of UTF-8 each), or none.
std::string_view Accented(char c) {
  static constexpr std::string_view lower[26] = {"à", "ƀ", "ç", "đ", "é", "ƒ", "ĝ", "ĥ", "í", "ĵ", "ķ", "ĺ", "ɱ",
                                                 "ñ", "ö", "þ", "ǫ", "ŕ", "š", "ţ", "ü", "ṽ", "ŵ", "ẋ", "ý", "ž"};
  static constexpr std::string_view upper[26] = {"Å", "Ɓ", "Ç", "Đ", "É", "Ƒ", "Ĝ", "Ĥ", "Î", "Ĵ", "Ķ", "Ĺ", "Ṁ",
                                                 "Ñ", "Ö", "Þ", "Ǫ", "Ŕ", "Š", "Ţ", "Û", "Ṽ", "Ŵ", "Ẋ", "Ý", "Ž"};
  if (c >= 'a' && c <= 'z') return lower[c - 'a'];
  if (c >= 'A' && c <= 'Z') return upper[c - 'A'];
  return {};
}

const std::string* Lookup(std::string_view key) {
  State& s = state();
  if (s.chosen)
    if (const std::string* t = s.chosen->find(key)) return t;
  return s.original.find(key);
}

std::string LookupText(std::string_view key) {
  const std::string* t = Lookup(key);
  if (!t) return std::string(key);
  if (state().code == kPseudoLanguage) return PseudoText(*t);
  return *t;
}

}  // namespace

std::string PseudoText(std::string_view text) {
  std::string out = "[";
  std::size_t visible = 0;
  for (std::size_t i = 0; i < text.size();) {
    // Placeholders, tags and entities pass unchanged: they are no words.
    const auto skipTo = [&](std::string_view open, std::string_view close) {
      if (text.substr(i, open.size()) != open) return false;
      const std::size_t end = text.find(close, i + open.size());
      if (end == std::string_view::npos) return false;
      out.append(text.substr(i, end + close.size() - i));
      i = end + close.size();
      return true;
    };
    if (skipTo("{{", "}}") || skipTo("<", ">")) continue;
    if (text[i] == '&' && i + 1 < text.size() && text[i + 1] != ' ' && text[i + 1] != '&') {
      const std::size_t semi = text.find(';', i);
      if (semi != std::string_view::npos && semi - i <= 10 && text.substr(i + 1, semi - i - 1).find(' ') ==
                                                                      std::string_view::npos) {
        out.append(text.substr(i, semi + 1 - i));
        i = semi + 1;
        ++visible;
        continue;
      }
    }
    const std::string_view a = Accented(text[i]);
    if (!a.empty())
      out += a;
    else
      out += text[i];
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++visible;
    ++i;
  }
  // 40 % longer than the original's visible characters, brackets included.
  const std::size_t want = (visible * 14 + 9) / 10;
  const std::size_t have = visible + 2;
  if (want > have) {
    out += ' ';
    for (std::size_t k = have + 1; k < want; ++k) out += "·";
  }
  out += ']';
  return out;
}

std::string AddCatalogue(std::string_view json) {
  std::string error;
  Catalogue c = ReadCatalogue(json, error);
  if (!error.empty()) return error;
  if (c.language.empty() || c.language == kPseudoLanguage || c.language == "original")
    return "a translation's meta.language names its language (\"de\", \"pt-BR\")";
  State& s = state();
  const std::string code = c.language;
  s.added.insert_or_assign(code, std::move(c));
  if (s.code == code) {
    s.chosen = &s.added.at(code);
    ++s.revision;
  }
  return {};
}

std::vector<LanguageInfo> Languages() {
  State& s = state();
  std::vector<LanguageInfo> out{{"", s.original.name, false}};
  for (const auto& [code, c] : s.added) out.push_back({code, c.name, c.rightToLeft});
  // The one language with no catalogue of its own is named in the language in force.
  out.push_back({std::string(kPseudoLanguage), Tr("language.pseudo"), false});
  return out;
}

std::string UseLanguage(std::string_view code) {
  State& s = state();
  if (code == "original") code = {};
  if (code.empty() || code == kPseudoLanguage) {
    s.chosen = nullptr;
  } else if (const auto it = s.added.find(code); it != s.added.end()) {
    s.chosen = &it->second;
  } else {
    std::string known = "original";
    for (const auto& [c, unused] : s.added) known += ", " + c;
    known += ", " + std::string(kPseudoLanguage);
    return "unknown language '" + std::string(code) + "' (one of: " + known + ")";
  }
  if (s.code != code) ++s.revision;
  s.code = std::string(code);
  return {};
}

const std::string& LanguageInForce() noexcept { return state().code; }
bool RightToLeft() noexcept { return state().chosen && state().chosen->rightToLeft; }
std::uint64_t LanguageRevision() noexcept { return state().revision; }

std::string Tr(std::string_view key) { return LookupText(key); }

std::string Tr(std::string_view key, std::initializer_list<TextArg> args) {
  return Interpolate(LookupText(key), args);
}

std::string TrCount(std::string_view key, std::uint64_t count, std::initializer_list<TextArg> args) {
  State& s = state();
  const std::string_view language = s.chosen ? std::string_view(s.chosen->language) : std::string_view("en");
  std::string full(key);
  full += '_';
  full += PluralSuffix(PluralOf(language, count));
  std::string text = Lookup(full) ? LookupText(full) : LookupText(std::string(key) + "_other");
  std::string n = std::to_string(count);
  std::string out = Interpolate(text, {{"count", n}});
  return args.size() ? Interpolate(out, args) : out;
}

std::string LocalFixed(double v, int decimals) { return LocalNumber(numeric::FixedDecimal(v, decimals)); }

std::string LocalNumber(std::string text) {
  const State& s = state();
  if (!s.chosen || s.chosen->decimal == ".") return text;
  std::string out;
  for (char c : text) {
    if (c == '.')
      out += s.chosen->decimal;
    else
      out += c;
  }
  return out;
}

const Catalogue& OriginalCatalogue() { return state().original; }

const Catalogue* AddedCatalogue(std::string_view code) {
  const State& s = state();
  const auto it = s.added.find(code);
  return it == s.added.end() ? nullptr : &it->second;
}

std::string WithoutAccessKey(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    // "(&X)", with the blank before it: the whole mark goes.
    if (s[i] == '(' && i + 3 < s.size() && s[i + 1] == '&' && s[i + 3] == ')' && s[i + 2] != '&') {
      while (!out.empty() && out.back() == ' ') out.pop_back();
      i += 3;
      continue;
    }
    if (s[i] == '&') {
      if (i + 1 < s.size() && s[i + 1] == '&') out += '&';
      if (i + 1 < s.size() && s[i + 1] == '&') ++i;
      continue;
    }
    out += s[i];
  }
  return out;
}

LanguageScope::LanguageScope(std::string_view code) : before_(LanguageInForce()) { (void)UseLanguage(code); }
LanguageScope::~LanguageScope() { (void)UseLanguage(before_); }

}  // namespace text
