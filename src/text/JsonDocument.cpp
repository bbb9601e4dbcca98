#include "text/JsonDocument.h"

#include "text/Quoted.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace text {
namespace {

using nlohmann::json;

// nlohmann's event interface (SAX): the parser reports each value and each
// bracket in order, and stops as soon as a handler returns false. This one
// builds the document, as nlohmann's own builder does, and stops the reading
// at the first nesting too deep or key given twice. nlohmann's parser keeps
// its own nesting on a heap stack, not in recursion.
class BoundedBuilder {
 public:
  BoundedBuilder(json& root, int maxDepth, std::string_view text)
      : root_(root), maxDepth_(static_cast<std::size_t>(maxDepth)), text_(text) {}

  bool null() { return add(json(nullptr)); }
  bool boolean(bool v) { return add(json(v)); }
  bool number_integer(json::number_integer_t v) { return add(json(v)); }
  bool number_unsigned(json::number_unsigned_t v) { return add(json(v)); }
  bool number_float(json::number_float_t v, const json::string_t& /*text*/) { return add(json(v)); }
  bool string(json::string_t& v) { return add(json(std::move(v))); }
  // Only the binary formats (CBOR and the like) have these; JSON text never does.
  bool binary(json::binary_t& /*v*/) { return add(json()); }

  bool start_object(std::size_t /*size*/) { return open(json::object()); }
  bool start_array(std::size_t /*size*/) { return open(json::array()); }
  bool end_object() { return close(); }
  bool end_array() { return close(); }

  bool key(json::string_t& k) {
    if (open_.back()->contains(k)) {
      error_ = "has the key " + Quoted(k) + " twice in one object";
      return false;
    }
    key_ = std::move(k);
    return true;
  }

  // The parser's last token is its buffer since the token before: the word
  // of the text at the place reads better.
  bool parse_error(std::size_t position, const std::string& /*lastToken*/, const json::exception& e) {
    detail_ = describe(position, e.what());
    error_ = "is damaged at " + lineAndColumn(position) + ": " + plainWords(e.what(), wordAt(position));
    return false;
  }

  [[nodiscard]] std::string error() && { return std::move(error_); }
  [[nodiscard]] const std::string& detail() const { return detail_; }

 private:
  // nlohmann's message without its tag ("[json.exception.parse_error.101] ")
  // and its "parse error" preamble, after the byte position: "not valid JSON
  // at byte 12: syntax error while parsing object key - ...", "... at byte 6:
  // number overflow parsing '1e400'".
  static std::string describe(std::size_t position, std::string_view what) {
    if (const auto tag = what.find("] "); tag != std::string_view::npos) what.remove_prefix(tag + 2);
    if (what.substr(0, 11) == "parse error") {
      if (const auto colon = what.find(": "); colon != std::string_view::npos) what.remove_prefix(colon + 2);
    }
    std::string out = "not valid JSON at byte " + std::to_string(position) + ": ";
    out.append(what);
    return out;
  }

  // "line 3, column 7" of the byte the parser stopped at (nlohmann counts
  // from 1; columns count characters, not bytes).
  std::string lineAndColumn(std::size_t position) const {
    const std::size_t end = std::min(position == 0 ? 0 : position - 1, text_.size());
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < end; ++i) {
      const auto b = static_cast<unsigned char>(text_[i]);
      if (b == '\n') {
        ++line, column = 1;
      } else if ((b & 0xc0u) != 0x80u) {
        ++column;
      }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
  }

  // The word of the text the parser stopped in (up to a blank, a bracket, a
  // brace, a comma or a colon), as far as 24 bytes.
  std::string wordAt(std::size_t position) const {
    if (text_.empty()) return {};
    auto delimiter = [](char c) { return std::string_view(" \t\r\n[]{},:").find(c) != std::string_view::npos; };
    std::size_t at = std::min(position == 0 ? 0 : position - 1, text_.size() - 1);
    std::size_t from = at;
    while (from > 0 && !delimiter(text_[from - 1]) && at - from < 24) --from;
    std::size_t to = at;
    while (to < text_.size() && !delimiter(text_[to]) && to - from < 24) ++to;
    return std::string(text_.substr(from, to - from));
  }

  // What is wrong, in the words of someone who edits the file by hand; the
  // parser's own words stay in the detail.
  static std::string plainWords(std::string_view what, const std::string& token) {
    auto has = [&](std::string_view words) { return what.find(words) != std::string_view::npos; };
    const std::string quoted = token.size() > 24 ? Quoted(token.substr(0, 24) + "...") : Quoted(token);
    if (has("unexpected end of input")) return "the text stops before the set-up is complete, as if cut off";
    if (has("expected end of input")) return "more text follows the set-up's last closing brace";
    if (has("number overflow")) return "the number " + quoted + " is too large";
    if (has("invalid number")) return quoted + " is not a number as JSON writes one (like 1.5 or -20)";
    if (has("UTF-8") || has("invalid string")) {
      return "a text in quotes is not closed or holds bytes that are not UTF-8 text";
    }
    if (has("invalid literal")) {
      return quoted + " is no value JSON knows (a number, true, false, null, or a text in double quotes)";
    }
    if (has("object key")) return "a name in double quotes is missing, or a comma stands before a closing brace";
    if (has("object separator")) return "a ':' is missing after a name";
    return "a comma, a bracket or a brace is missing or out of place";
  }

  // Puts `v` where the parser is: the root, the next item of an array, or the
  // value of the last key of an object. Returns where it went.
  json* place(json&& v) {
    if (open_.empty()) {
      root_ = std::move(v);
      return &root_;
    }
    json& parent = *open_.back();
    if (parent.is_array()) {
      parent.push_back(std::move(v));
      return &parent.back();
    }
    json& slot = parent[key_];
    slot = std::move(v);
    return &slot;
  }

  bool add(json&& v) {
    place(std::move(v));
    return true;
  }

  // The pointers stay valid: a container gets no new item while one of its
  // items is open, and an object's values never move.
  bool open(json&& container) {
    if (open_.size() >= maxDepth_) {
      error_ = "nests arrays and objects more than " + std::to_string(maxDepth_) + " deep";
      return false;
    }
    open_.push_back(place(std::move(container)));
    return true;
  }

  bool close() {
    open_.pop_back();
    return true;
  }

  json& root_;
  std::size_t maxDepth_;
  std::vector<json*> open_;  // the open arrays and objects, outermost first
  json::string_t key_;       // the last key read
  std::string_view text_;
  std::string error_, detail_;
};

}  // namespace

JsonDocument ReadJsonDocument(std::string_view text, int maxDepth) {
  JsonDocument doc;
  BoundedBuilder builder(doc.value, maxDepth, text);
  // strict: the whole text is one value, nothing but blanks after it.
  if (!json::sax_parse(text.data(), text.data() + text.size(), &builder, json::input_format_t::json, /*strict=*/true)) {
    doc.value = json();
    doc.detail = builder.detail();
    doc.error = std::move(builder).error();
  }
  return doc;
}

}  // namespace text
