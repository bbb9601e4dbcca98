#include "lab/Numbers.h"

#include "lab/Format.h"
#include "numeric/Chars.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <system_error>

namespace lab {
namespace {

bool isAsciiBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The blanks QString::toDouble skips around a number (QChar::isSpace): the
// ASCII ones, NEL, NO-BREAK SPACE and the Unicode space separators.
bool isUnicodeSpace(char32_t c) {
  return (c >= 0x09 && c <= 0x0d) || c == 0x20 || c == 0x85 || c == 0xa0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200a) || c == 0x2028 || c == 0x2029 || c == 0x202f || c == 0x205f || c == 0x3000;
}

// Strict UTF-8 (no overlong forms, surrogates or code points past U+10FFFF);
// false on anything else.
bool decodeUtf8(std::string_view s, std::u32string& out) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t c = 0;
    if (b0 < 0x80) {
      c = b0;
    } else if (b0 >= 0xc2 && b0 <= 0xdf) {
      extra = 1, c = b0 & 0x1fu;
    } else if (b0 >= 0xe0 && b0 <= 0xef) {
      extra = 2, c = b0 & 0x0fu;
    } else if (b0 >= 0xf0 && b0 <= 0xf4) {
      extra = 3, c = b0 & 0x07u;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size() && extra > 0) return false;  // cut short
    for (int k = 1; k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((b & 0xc0u) != 0x80u) return false;
      c = (c << 6) | (b & 0x3fu);
    }
    if ((extra == 2 && c < 0x800) || (extra == 3 && (c < 0x10000 || c > 0x10ffff)) || (c >= 0xd800 && c <= 0xdfff)) {
      return false;
    }
    out += c;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

// [sign] (digits [. digits] | . digits) [e [sign] digits], signs ASCII.
bool isDecimalNumber(std::string_view s) {
  std::size_t i = 0;
  auto digits = [&] {
    const std::size_t from = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    return i - from;
  };
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t mantissa = digits();
  if (i < s.size() && s[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < s.size() && s[i] == 'e') {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == s.size();
}

}  // namespace

std::optional<int> ParseInt(std::string_view s) {
  int v = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc{} || ptr != s.data() + s.size() || s.empty()) return std::nullopt;
  return v;
}

std::optional<float> ParseCoordinate(std::string_view s) {
  // An argument carries no ASCII blanks, though the reading would skip them.
  if (s.empty() || std::any_of(s.begin(), s.end(), isAsciiBlank)) return std::nullopt;
  constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";
  if (s.substr(0, kByteOrderMark.size()) == kByteOrderMark) s.remove_prefix(kByteOrderMark.size());
  std::u32string text;
  if (!decodeUtf8(s, text)) return std::nullopt;
  const auto first = std::find_if_not(text.begin(), text.end(), isUnicodeSpace);
  const auto last = std::find_if_not(text.rbegin(), std::make_reverse_iterator(first), isUnicodeSpace).base();
  // The C locale's characters, the minus sign U+2212 read as '-'.
  std::string ascii;
  for (auto it = first; it != last; ++it) {
    const char32_t c = *it;
    if ((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-') {
      ascii += static_cast<char>(c);
    } else if (c == 'e' || c == 'E') {
      ascii += 'e';
    } else if (c == 0x2212) {
      ascii += '-';
    } else {
      return std::nullopt;
    }
  }
  if (!isDecimalNumber(ascii)) return std::nullopt;
  // The reading takes a minus but no plus.
  const std::string_view number = ascii[0] == '+' ? std::string_view(ascii).substr(1) : std::string_view(ascii);
  double v = 0;
  const auto [ptr, ec] = numeric::FromChars(number.data(), number.data() + number.size(), v);
  // Out of range: too large for a double, or a number that is not zero read as
  // zero (an underflow); both refused.
  if (ec != std::errc{} || ptr != number.data() + number.size()) return std::nullopt;
  if (!std::isfinite(v) || std::abs(v) > 3.0e38) return std::nullopt;
  return static_cast<float>(v);
}

std::string CoordinateText(float v) {
  std::string text;
  for (int digits = 1; digits <= 9; ++digits) {
    text = SignificantText(static_cast<double>(v), digits);
    if (ParseCoordinate(text) == v) break;
  }
  return text;
}

std::optional<std::pair<int, int>> ParseSize(std::string_view text) {
  const auto x = text.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const auto w = ParseInt(text.substr(0, x));
  const auto h = ParseInt(text.substr(x + 1));
  if (!w || !h) return std::nullopt;
  if (*w < kMinClientWidth || *h < kMinClientHeight || *w > kMaxClientSide || *h > kMaxClientSide) {
    return std::nullopt;
  }
  return std::pair{*w, *h};
}

std::string SizeError(std::string_view option, std::string_view text) {
  const auto x = text.find('x');
  const auto w = x == std::string_view::npos ? std::nullopt : ParseInt(text.substr(0, x));
  const auto h = x == std::string_view::npos ? std::nullopt : ParseInt(text.substr(x + 1));
  if (!w || !h) return std::string(option) + " expects WxH in pixels, got " + Quoted(text);
  if (!ParseSize(text)) return std::string(option) + " must be from 200x150 to 16384x16384, got " + Quoted(text);
  return {};
}

std::vector<std::string_view> SplitOn(std::string_view text, char separator) {
  std::vector<std::string_view> out;
  for (std::size_t start = 0;;) {
    const std::size_t at = std::min(text.find(separator, start), text.size());
    out.push_back(text.substr(start, at - start));
    if (at == text.size()) return out;
    start = at + 1;
  }
}

}  // namespace lab
