#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/Catalogue.h"

namespace text {

// The language every text of the program is shown in: one for the process,
// as a class has one language at a time. Nothing chosen (the code ""), every
// text is the original's, character for character; a chosen language's
// catalogue gives the texts, and where it lacks one the original's stands.
//
// The original catalogue is compiled into the lab; translations are added
// by `AddCatalogue` (the desktop and fermat-lab add the ones built into them
// at start, the page hands over the one it fetched).

// The pseudo-language of the tests: every original text bracketed, its
// letters accented and 40 % longer, so a clipped or overlapping text shows.
inline constexpr std::string_view kPseudoLanguage = "qps";

struct LanguageInfo {
  std::string code;  // "" for the original
  std::string name;  // in its own language
  bool rightToLeft = false;
};

// Adds (or replaces) the catalogue under its meta.language; "" when it was
// taken, else the one-line reason.
std::string AddCatalogue(std::string_view json);

// The original, then every added language and the pseudo-language.
[[nodiscard]] std::vector<LanguageInfo> Languages();

// Switches every text to `code` ("" or "original": the original's); "" when
// it was taken, else "unknown language 'xx' (one of: de, el, ...)" and the
// language in force is kept.
std::string UseLanguage(std::string_view code);
[[nodiscard]] const std::string& LanguageInForce() noexcept;
[[nodiscard]] bool RightToLeft() noexcept;
// Moves on with every switch, so a view knows its texts are stale.
[[nodiscard]] std::uint64_t LanguageRevision() noexcept;

// The text of `key` in the language in force; a key no catalogue has reads
// as itself, so a missing text shows where it is missing.
[[nodiscard]] std::string Tr(std::string_view key);
[[nodiscard]] std::string Tr(std::string_view key, std::initializer_list<TextArg> args);
// A counted text: "key_one", "key_other", ... by the language's plural rule,
// with {{count}} filled by `count`.
[[nodiscard]] std::string TrCount(std::string_view key, std::uint64_t count, std::initializer_list<TextArg> args = {});

// A number as the labels show it, with the decimal separator of the
// language in force: '.' for the original, the catalogue's (',' in German)
// for a translation.
[[nodiscard]] std::string LocalNumber(std::string text);
// `v` with `decimals` fixed decimals, as the labels write it, in the language's separator.
[[nodiscard]] std::string LocalFixed(double v, int decimals);

// A menu text without its access key, for a heading or a label: "M&edium"
// -> "Medium", "المرآة (&M)" -> "المرآة" (the form languages without the
// letter use), "Save && quit" -> "Save & quit".
[[nodiscard]] std::string WithoutAccessKey(std::string_view menuText);

// The original's catalogue and the one in force, for checks and for the
// page, which reads every text it shows from it.
[[nodiscard]] const Catalogue& OriginalCatalogue();
[[nodiscard]] const Catalogue* AddedCatalogue(std::string_view code);

// The pseudo-language's text of an original text.
[[nodiscard]] std::string PseudoText(std::string_view original);

// The texts of a fixed table of keys, for the views that read words as
// `const char*`: worded on the first read after each change of language, the
// pointers good until the next change.
template <std::size_t N>
class WordTable {
 public:
  explicit WordTable(std::array<const char*, N> keys) : keys_(keys) {}
  // True when the words changed since the last call (the caller's struct of
  // pointers is to be filled again).
  bool refresh() {
    if (revision_ == LanguageRevision()) return false;
    revision_ = LanguageRevision();
    for (std::size_t i = 0; i < N; ++i) texts_[i] = Tr(keys_[i]);
    return true;
  }
  [[nodiscard]] const char* operator[](std::size_t i) const { return texts_[i].c_str(); }

 private:
  std::array<const char*, N> keys_;
  std::array<std::string, N> texts_;
  std::uint64_t revision_ = ~std::uint64_t{0};
};

// Keeps the language in force for a scope and restores it after (tests).
class LanguageScope {
 public:
  explicit LanguageScope(std::string_view code);
  ~LanguageScope();
  LanguageScope(const LanguageScope&) = delete;
  LanguageScope& operator=(const LanguageScope&) = delete;

 private:
  std::string before_;
};

}  // namespace text
