#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace text {

// CLDR's plural categories, the suffixes of an i18next v4 key ("_one", ...).
enum class PluralCategory { Zero, One, Two, Few, Many, Other };

[[nodiscard]] std::string_view PluralSuffix(PluralCategory c) noexcept;

// The category of a whole count n >= 0 in a language (CLDR's cardinal rules
// for integers: the operands i = n, v = 0, e = 0). Codes are BCP 47 ("de",
// "pt-BR"); a language this program has no rule for is treated as English
// (one for 1, other for the rest).
[[nodiscard]] PluralCategory PluralOf(std::string_view language, std::uint64_t n) noexcept;

// The categories a language's catalogue must give for a counted text, in
// CLDR's order.
[[nodiscard]] std::vector<PluralCategory> PluralCategories(std::string_view language);

}  // namespace text
