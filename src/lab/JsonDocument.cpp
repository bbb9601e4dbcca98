#include "lab/JsonDocument.h"

#include "lab/Script.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace lab {
namespace {

using nlohmann::json;

// nlohmann's event interface (SAX): the parser reports each value and each
// bracket in order, and stops as soon as a handler returns false. This one
// builds the document, as nlohmann's own builder does, and stops the reading
// at the first nesting too deep or key given twice. nlohmann's parser keeps
// its own nesting on a heap stack, not in recursion.
class BoundedBuilder {
 public:
  BoundedBuilder(json& root, int maxDepth) : root_(root), maxDepth_(static_cast<std::size_t>(maxDepth)) {}

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

  bool parse_error(std::size_t position, const std::string& /*lastToken*/, const json::exception& e) {
    error_ = describe(position, e.what());
    return false;
  }

  [[nodiscard]] std::string error() && { return std::move(error_); }

 private:
  // nlohmann's message without its tag ("[json.exception.parse_error.101] ")
  // and its "parse error" preamble, after the byte position: "is not valid
  // JSON at byte 12: syntax error while parsing object key - ...", "... at
  // byte 6: number overflow parsing '1e400'".
  static std::string describe(std::size_t position, std::string_view what) {
    if (const auto tag = what.find("] "); tag != std::string_view::npos) what.remove_prefix(tag + 2);
    if (what.substr(0, 11) == "parse error") {
      if (const auto colon = what.find(": "); colon != std::string_view::npos) what.remove_prefix(colon + 2);
    }
    std::string out = "is not valid JSON at byte " + std::to_string(position) + ": ";
    out.append(what);
    return out;
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
  std::string error_;
};

}  // namespace

JsonDocument ReadJsonDocument(std::string_view text, int maxDepth) {
  JsonDocument doc;
  BoundedBuilder builder(doc.value, maxDepth);
  // strict: the whole text is one value, nothing but blanks after it.
  if (!json::sax_parse(text.data(), text.data() + text.size(), &builder, json::input_format_t::json, /*strict=*/true)) {
    doc.value = json();
    doc.error = std::move(builder).error();
  }
  return doc;
}

}  // namespace lab
