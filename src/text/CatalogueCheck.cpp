#include "text/CatalogueCheck.h"

#include <regex>

#include "text/Language.h"
#include "text/Plural.h"

namespace text {
namespace {

// "graph.crossing.summary_one" -> "graph.crossing.summary"; empty for a key
// that is no counted text.
std::string CountedStem(const std::string& key) {
  static const std::regex suffix("_(zero|one|two|few|many|other)$");
  std::smatch m;
  return std::regex_search(key, m, suffix) ? key.substr(0, static_cast<std::size_t>(m.position(0))) : std::string();
}

std::vector<std::string> Tags(const std::string& s) {
  static const std::regex tag("</?[a-z0-9]+");
  std::vector<std::string> out;
  for (auto it = std::sregex_iterator(s.begin(), s.end(), tag); it != std::sregex_iterator(); ++it)
    out.push_back(it->str());
  return out;
}

// The "&" that marks a menu's access key: not one of an entity (&rarr;), not "&&".
int AccessKeys(const std::string& s) {
  static const std::regex entity("&[a-zA-Z]+;|&#[0-9]+;|&&");
  const std::string plain = std::regex_replace(s, entity, "");
  return static_cast<int>(std::count(plain.begin(), plain.end(), '&'));
}

}  // namespace

std::vector<std::string> CheckTranslation(const Catalogue& original, const Catalogue& t) {
  std::vector<std::string> faults;
  if (t.language.empty()) faults.push_back("meta.language is missing");
  if (t.name.empty() || t.name == t.language) faults.push_back("meta.name (the language's own name) is missing");
  if (t.review.empty()) faults.push_back("meta.review (who wrote it, who reviewed it) is missing");
  // The keys a complete translation has, each with the original text it stands for.
  std::map<std::string, const std::string*> wanted;
  for (const auto& [key, text] : original.texts) {
    const std::string stem = CountedStem(key);
    if (stem.empty()) {
      wanted.emplace(key, &text);
      continue;
    }
    for (PluralCategory c : PluralCategories(t.language)) wanted.emplace(stem + "_" + std::string(PluralSuffix(c)), &text);
  }
  for (const auto& [key, source] : wanted) {
    const std::string* text = t.find(key);
    if (!text) {
      faults.push_back("missing: " + key);
      continue;
    }
    if (text->empty() && !source->empty()) faults.push_back("empty: " + key);
    if (Placeholders(*text) != Placeholders(*source)) faults.push_back("placeholders differ: " + key);
    if (Tags(*text) != Tags(*source)) faults.push_back("HTML tags differ: " + key);
    if (AccessKeys(*source) == 1 && AccessKeys(*text) != 1) faults.push_back("one & access key wanted: " + key);
  }
  for (const auto& [key, text] : t.texts)
    if (!wanted.contains(key)) faults.push_back("no such text in the original: " + key);
  return faults;
}

std::vector<std::string> CheckCatalogueText(std::string_view json) {
  std::string error;
  const Catalogue c = ReadCatalogue(json, error);
  if (!error.empty()) return {error};
  return CheckTranslation(OriginalCatalogue(), c);
}

}  // namespace text
