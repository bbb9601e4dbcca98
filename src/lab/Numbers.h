#pragma once

// Numbers as the command lines, the actions and the set-up files spell them:
// read and written in the C locale's spelling whatever the user's locale, as
// QString::toDouble and QString::number read and write them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include <utility>

#include "text/Quoted.h"

namespace lab {

// A whole number written as digits with an optional minus, nothing around it.
[[nodiscard]] std::optional<int> ParseInt(std::string_view s);

// A finite number that a Single can hold (|v| <= 3e38), read in the C
// locale's spelling whatever the user's locale: an optional sign (the minus
// sign U+2212 too), digits with an optional point (".5" and "5." included),
// an optional exponent. No blanks, hexadecimal, "inf" or "nan". A number that
// underflows to zero is refused. Unicode spaces other than ASCII blanks around
// it, and a byte-order mark at the start, are skipped, as QString::toDouble
// skips them.
[[nodiscard]] std::optional<float> ParseCoordinate(std::string_view s);

// The shortest decimal text that reads back (through ParseCoordinate) as v.
[[nodiscard]] std::string CoordinateText(float v);

// A client area "WxH" in pixels, from 200x150 to 16384x16384.
inline constexpr int kMinClientWidth = 200, kMinClientHeight = 150, kMaxClientSide = 16384;
[[nodiscard]] std::optional<std::pair<int, int>> ParseSize(std::string_view text);
// Why `text`, given to `option`, is not a size; empty when ParseSize takes it.
[[nodiscard]] std::string SizeError(std::string_view option, std::string_view text);

// The argument in single quotes, as the command lines' errors name it.
using text::Quoted;

// The pieces of `text` between the separators, empty ones kept ("a,,b" is
// three pieces; "" is one, empty). The views point into `text`.
[[nodiscard]] std::vector<std::string_view> SplitOn(std::string_view text, char separator);

}  // namespace lab
