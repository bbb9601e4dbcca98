#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace lab {

// A JSON text read into a document, or the one-line reason it is not one.
struct JsonDocument {
  nlohmann::json value;
  // Empty when the text was read, else a predicate to follow the text's name
  // ("is not valid JSON at byte 12: ...", "has the key 'n' twice in one object").
  std::string error;
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

}  // namespace lab
