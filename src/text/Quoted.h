#pragma once

#include <string>
#include <string_view>

namespace text {

// The argument in single quotes, as the command lines' errors name it. Built
// by appending: "'" + std::string(s) makes g++ 12 at -O3 raise a false
// -Wrestrict (GCC bug 105329).
[[nodiscard]] inline std::string Quoted(std::string_view s) {
  std::string out(1, '\'');
  out.append(s);
  out += '\'';
  return out;
}

}  // namespace text
