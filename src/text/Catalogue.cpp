#include "text/Catalogue.h"

#include "text/JsonDocument.h"

#include <vector>

namespace text {
namespace {

using nlohmann::json;

// Catalogues nest a few levels (area, group, key); anything deeper is no catalogue.
constexpr int kMaxDepth = 8;

// Walks the tree without recursion on the reader's side (the depth is bounded
// above), joining keys with ".".
bool Flatten(const json& node, const std::string& prefix, Catalogue& out, std::string& error) {
  for (const auto& [key, value] : node.items()) {
    const std::string name = prefix.empty() ? key : prefix + "." + key;
    if (value.is_object()) {
      if (!Flatten(value, name, out, error)) return false;
    } else if (value.is_string()) {
      out.texts.emplace(name, value.get<std::string>());
    } else {
      error = "'" + name + "' is no text (every entry of a catalogue is a string or a group of them)";
      return false;
    }
  }
  return true;
}

std::string StringOr(const json& meta, const char* key, std::string fallback) {
  const auto it = meta.find(key);
  return it != meta.end() && it->is_string() ? it->get<std::string>() : std::move(fallback);
}

}  // namespace

const std::string* Catalogue::find(std::string_view key) const {
  const auto it = texts.find(key);
  return it == texts.end() ? nullptr : &it->second;
}

Catalogue ReadCatalogue(std::string_view text, std::string& error) {
  error.clear();
  JsonDocument doc = ReadJsonDocument(text, kMaxDepth);
  if (!doc.error.empty()) {
    error = "the catalogue " + doc.error;
    return {};
  }
  if (!doc.value.is_object()) {
    error = "a catalogue is one JSON object of texts";
    return {};
  }
  Catalogue out;
  if (const auto meta = doc.value.find("meta"); meta != doc.value.end()) {
    if (!meta->is_object()) {
      error = "the catalogue's 'meta' is no object";
      return {};
    }
    out.language = StringOr(*meta, "language", "");
    out.name = StringOr(*meta, "name", out.language);
    out.rightToLeft = StringOr(*meta, "direction", "ltr") == "rtl";
    // An empty separator would glue a number's digits together: '.' stands in.
    std::string decimal = StringOr(*meta, "decimal", "");
    out.decimal = decimal.empty() ? std::string(1, '.') : std::move(decimal);
    out.review = StringOr(*meta, "review", "");
    doc.value.erase("meta");
  }
  if (!Flatten(doc.value, "", out, error)) return {};
  return out;
}

std::map<std::string, int, std::less<>> Placeholders(std::string_view text) {
  std::map<std::string, int, std::less<>> out;
  for (std::size_t at = text.find("{{"); at != std::string_view::npos; at = text.find("{{", at + 2)) {
    const std::size_t end = text.find("}}", at + 2);
    if (end == std::string_view::npos) break;
    ++out[std::string(text.substr(at + 2, end - at - 2))];
  }
  return out;
}

std::string Interpolate(std::string_view text, std::initializer_list<TextArg> args) {
  std::string out;
  out.reserve(text.size() + 16);
  std::size_t from = 0;
  for (std::size_t at = text.find("{{"); at != std::string_view::npos; at = text.find("{{", from)) {
    const std::size_t end = text.find("}}", at + 2);
    if (end == std::string_view::npos) break;
    const std::string_view name = text.substr(at + 2, end - at - 2);
    const TextArg* arg = nullptr;
    for (const TextArg& a : args)
      if (a.name == name) arg = &a;
    out.append(text.substr(from, at - from));
    if (arg)
      out += arg->value;
    else
      out.append(text.substr(at, end + 2 - at));
    from = end + 2;
  }
  out.append(text.substr(from));
  return out;
}

}  // namespace text
