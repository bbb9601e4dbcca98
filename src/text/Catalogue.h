#pragma once

#include <map>
#include <string>
#include <string_view>

namespace text {

// One language's texts, as an i18next JSON v4 file holds them: nested
// objects of strings, the keys joined with "." ("caption.fermatTime"),
// placeholders as {{name}}, a counted text as one key per CLDR plural
// category ("rays_one", "rays_other"). The object "meta" is no text but
// says what the catalogue is: its language (BCP 47), the language's own name,
// the direction of its writing ("ltr" or "rtl"), its decimal separator, and
// who wrote it ("review").
struct Catalogue {
  std::string language;   // "" for the original's texts
  std::string name;       // "Deutsch"
  bool rightToLeft = false;
  std::string decimal = ".";
  std::string review;
  std::map<std::string, std::string, std::less<>> texts;  // flattened keys

  [[nodiscard]] const std::string* find(std::string_view key) const;
};

// Reads a catalogue; on failure `error` says why in one line ("the catalogue
// is damaged at line 3, column 7: ...", "'caption.time' is a number, not a
// text") and the result is empty.
[[nodiscard]] Catalogue ReadCatalogue(std::string_view json, std::string& error);

// "{{name}}" placeholders of a text, in order of appearance (for checks that
// a translation keeps every one of its source's).
[[nodiscard]] std::map<std::string, int, std::less<>> Placeholders(std::string_view text);

// Fills each {{name}} with its value; a placeholder without a value stays as
// it stands, so a missing argument shows rather than vanishes.
struct TextArg {
  std::string_view name;
  std::string value;
};
[[nodiscard]] std::string Interpolate(std::string_view text, std::initializer_list<TextArg> args);

}  // namespace text
