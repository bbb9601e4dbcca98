#include "text/Plural.h"

namespace text {
namespace {

// The language's primary subtag: "pt-BR" -> "pt".
std::string_view Primary(std::string_view code) noexcept { return code.substr(0, code.find('-')); }

// French, Spanish and Portuguese have "many" for whole millions (1 000 000
// livres de ...), CLDR 42 on: i != 0 and i % 1000000 == 0.
bool Millions(std::uint64_t n) noexcept { return n != 0 && n % 1000000 == 0; }

}  // namespace

std::string_view PluralSuffix(PluralCategory c) noexcept {
  switch (c) {
    case PluralCategory::Zero: return "zero";
    case PluralCategory::One: return "one";
    case PluralCategory::Two: return "two";
    case PluralCategory::Few: return "few";
    case PluralCategory::Many: return "many";
    case PluralCategory::Other: return "other";
  }
  return "other";
}

PluralCategory PluralOf(std::string_view language, std::uint64_t n) noexcept {
  const std::string_view p = Primary(language);
  if (p == "zh" || p == "ja" || p == "ko") return PluralCategory::Other;
  if (p == "ar") {
    if (n == 0) return PluralCategory::Zero;
    if (n == 1) return PluralCategory::One;
    if (n == 2) return PluralCategory::Two;
    const std::uint64_t h = n % 100;
    if (h >= 3 && h <= 10) return PluralCategory::Few;
    if (h >= 11) return PluralCategory::Many;
    return PluralCategory::Other;
  }
  if (p == "fr" || p == "pt") {
    if (n <= 1) return PluralCategory::One;  // i = 0,1 (Brazilian Portuguese as French)
    return Millions(n) ? PluralCategory::Many : PluralCategory::Other;
  }
  if (p == "es" || p == "it") {
    if (n == 1) return PluralCategory::One;
    return Millions(n) ? PluralCategory::Many : PluralCategory::Other;
  }
  return n == 1 ? PluralCategory::One : PluralCategory::Other;
}

std::vector<PluralCategory> PluralCategories(std::string_view language) {
  using C = PluralCategory;
  const std::string_view p = Primary(language);
  if (p == "zh" || p == "ja" || p == "ko") return {C::Other};
  if (p == "ar") return {C::Zero, C::One, C::Two, C::Few, C::Many, C::Other};
  if (p == "fr" || p == "pt" || p == "es" || p == "it") return {C::One, C::Many, C::Other};
  return {C::One, C::Other};
}

}  // namespace text
