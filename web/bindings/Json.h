#pragma once

#include "numeric/Colour.h"

// JSON text for the page, written by hand: the records are small and flat,
// and every number must read back in JavaScript as the very double the lab
// holds.

#include "lab/Format.h"

#include <cmath>
#include <string>

namespace web {

// Strings are UTF-8 already; only quotes, backslashes and control characters
// need escapes.
inline std::string jsonString(const std::string& s) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      out += "\\u00";
      out += kHex[u >> 4];
      out += kHex[u & 0xf];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// The shortest text that reads back as the same double. JSON has no NaN or
// infinity: they are null, which the page shows as "none", never as "NaN".
inline std::string jsonNumber(double v) {
  return std::isfinite(v) ? lab::ShortestText(v) : "null";
}

// A colour as the page reads it: 0xRRGGBB as a number.
inline std::string jsonColour(numeric::Colour c) { return std::to_string(c & 0xffffffu); }

inline std::string jsonBool(bool b) {
  return b ? "true" : "false";
}

}  // namespace web
