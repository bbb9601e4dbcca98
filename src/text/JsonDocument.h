#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace text {

// A JSON text read into a document, or the one-line reason it is not one.
struct JsonDocument {
  nlohmann::json value;
  // Empty when the text was read, else a predicate to follow the text's name,
  // in plain words with the place ("is damaged at line 3, column 7: the text
  // stops before the set-up is complete, as if cut off", "has the key 'n'
  // twice in one object").
  std::string error;
  // The parser's own words for a syntax error, for whoever wants them
  // ("at byte 52: syntax error while parsing value - unexpected end of
  // input; expected '[', '{', or a literal"); empty otherwise.
  std::string detail;
};

// Reads `text` as one JSON value (RFC 8259; a UTF-8 byte-order mark at the
// start is skipped). Refuses, with the place in the text: a syntax error,
// invalid UTF-8 in a string, a number too large for a double, arrays and
// objects nested more than `maxDepth` deep, and a key twice in one object
// (which JSON leaves open and readers settle differently). The reading
// throws nothing and recurses nowhere, so the browser build, which has no
// exception handling, reads exactly as the desktop does, and no nesting can
// overflow the stack.
[[nodiscard]] JsonDocument ReadJsonDocument(std::string_view text, int maxDepth);

}  // namespace text
