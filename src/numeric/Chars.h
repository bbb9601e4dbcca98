#pragma once

// Doubles as decimal text and back, with the bytes of <charconv>'s
// std::to_chars and std::from_chars, on every standard library: the browser
// build's libc++ (13) has neither for floating point. The digits come from
// fmt (the shortest digits that read back, and the exact digits at a
// precision, both correctly rounded; an exact half at a precision goes to
// even, as std::to_chars does) and the value read from the C library's
// strtod in the "C" locale (correctly rounded by glibc and musl alike); only
// the layout of the shortest form, what text is a number and the range check
// of the reading are done here. Neither depends on the program's locale.

#include <fmt/compile.h>
#include <fmt/format.h>

#include <locale.h>  // newlocale, locale_t
#include <stdlib.h>  // strtod_l

#include <charconv>
#include <cmath>
#include <cstring>
#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

namespace numeric {
namespace chars_detail {

// A finite number's shortest digits as fmt writes them ("1e+16", "0.0001",
// "123.45", "-0"), split into: the sign, the significant digits without
// leading or trailing zeros (at least one, "0" for zero), and the exponent
// of the first digit (value = d.ddd × 10^exponent).
struct Shortest {
  bool negative = false;
  char digits[24] = {};
  int count = 0;
  int exponent = 0;
};

inline Shortest ShortestDigits(double value) {
  char text[40];
  const auto end = fmt::format_to_n(text, sizeof text, FMT_COMPILE("{}"), value).out;
  Shortest s;
  const char* p = text;
  if (p != end && *p == '-') {
    s.negative = true;
    ++p;
  }
  int beforePoint = 0;  // digits written before the point, leading zeros included
  bool point = false;
  int leadingZeros = 0;  // zeros before the first significant digit, after the point
  for (; p != end && *p != 'e'; ++p) {
    if (*p == '.') {
      point = true;
      continue;
    }
    if (s.count == 0 && *p == '0') {
      if (point) ++leadingZeros;
      continue;
    }
    if (!point) ++beforePoint;
    s.digits[s.count++] = *p;
  }
  int written = 0;  // the exponent fmt wrote, if any
  if (p != end) {
    ++p;  // 'e'
    const bool minus = *p == '-';
    ++p;  // the exponent's sign, always written
    for (; p != end; ++p) written = written * 10 + (*p - '0');
    if (minus) written = -written;
  }
  if (s.count == 0) {
    s.digits[s.count++] = '0';
    s.exponent = 0;
    return s;
  }
  // The first significant digit stands beforePoint - 1 places above the point
  // when it came before it, else leadingZeros + 1 places below.
  s.exponent = written + (beforePoint > 0 ? beforePoint - 1 : -(leadingZeros + 1));
  while (s.count > 1 && s.digits[s.count - 1] == '0') --s.count;
  return s;
}

// Writes `text` to [first, last), or reports that it does not fit.
inline std::to_chars_result Put(char* first, char* last, std::string_view text) {
  if (static_cast<std::size_t>(last - first) < text.size()) return {last, std::errc::value_too_large};
  for (const char c : text) *first++ = c;
  return {first, std::errc{}};
}

// "d.ddde±XX", at least two exponent digits.
inline std::size_t ScientificForm(const Shortest& s, char* out) {
  std::size_t n = 0;
  if (s.negative) out[n++] = '-';
  out[n++] = s.digits[0];
  if (s.count > 1) {
    out[n++] = '.';
    for (int i = 1; i < s.count; ++i) out[n++] = s.digits[i];
  }
  out[n++] = 'e';
  out[n++] = s.exponent < 0 ? '-' : '+';
  const int magnitude = s.exponent < 0 ? -s.exponent : s.exponent;
  if (magnitude >= 100) out[n++] = static_cast<char>('0' + magnitude / 100);
  out[n++] = static_cast<char>('0' + magnitude / 10 % 10);
  out[n++] = static_cast<char>('0' + magnitude % 10);
  return n;
}

// The same digits without an exponent, for a number with a fraction:
// "0.000ddd", "dd.ddd".
inline std::size_t PlainForm(const Shortest& s, char* out) {
  std::size_t n = 0;
  if (s.negative) out[n++] = '-';
  if (s.exponent < 0) {
    out[n++] = '0';
    out[n++] = '.';
    for (int i = 1; i < -s.exponent; ++i) out[n++] = '0';
    for (int i = 0; i < s.count; ++i) out[n++] = s.digits[i];
    return n;
  }
  for (int i = 0; i < s.count; ++i) {
    if (i == s.exponent + 1) out[n++] = '.';
    out[n++] = s.digits[i];
  }
  return n;
}

}  // namespace chars_detail

// As std::to_chars(first, last, value, std::chars_format::scientific): the
// shortest digits that read back as `value`, "d.ddde±XX".
inline std::to_chars_result ToScientificChars(char* first, char* last, double value) {
  if (!std::isfinite(value)) return chars_detail::Put(first, last, fmt::format(FMT_COMPILE("{}"), value));
  char text[40];
  const chars_detail::Shortest s = chars_detail::ShortestDigits(value);
  return chars_detail::Put(first, last, {text, chars_detail::ScientificForm(s, text)});
}

// As std::to_chars(first, last, value, std::chars_format::scientific,
// precision): one digit, the point and `precision` more (no point for 0),
// then the exponent.
inline std::to_chars_result ToScientificChars(char* first, char* last, double value, int precision) {
  if (precision < 0) precision = 6;  // as printf and std::to_chars take a negative precision
  const auto room = static_cast<std::size_t>(last - first);
  const auto r = fmt::format_to_n(first, room, FMT_COMPILE("{:.{}e}"), value, precision);
  if (r.size > room) return {last, std::errc::value_too_large};
  return {r.out, std::errc{}};
}

// As std::to_chars(first, last, value): the shortest digits that read back
// as `value`, written plain ("0.001", "123456789012345680") or with an
// exponent ("1e-04", "1e+15"), whichever is shorter, plain when both are as
// long. "-0" for a negative zero; "inf", "-inf", "nan", "-nan".
inline std::to_chars_result ToChars(char* first, char* last, double value) {
  if (!std::isfinite(value)) return chars_detail::Put(first, last, fmt::format(FMT_COMPILE("{}"), value));
  const chars_detail::Shortest s = chars_detail::ShortestDigits(value);
  char scientific[40];
  const std::size_t scientificSize = chars_detail::ScientificForm(s, scientific);
  // A plain form longer than the exponent form is never written: it may run
  // to over 300 characters.
  const int plainSize = (s.negative ? 1 : 0) +
                        (s.exponent < 0 ? 1 - s.exponent + s.count
                                        : (s.count > s.exponent + 1 ? s.count + 1 : s.exponent + 1));
  if (static_cast<std::size_t>(plainSize) > scientificSize) {
    return chars_detail::Put(first, last, {scientific, scientificSize});
  }
  if (s.exponent + 1 >= s.count) {
    // A whole number. Of the texts of this length, the standard library
    // writes the one nearest the value: the exact digits (a double beyond
    // 2^53 is "99999999999999984", not the shortest digits padded with zeros,
    // "99999999999999980"). Below 2^53 the two agree.
    const auto room = static_cast<std::size_t>(last - first);
    const auto r = fmt::format_to_n(first, room, FMT_COMPILE("{:.0f}"), value);
    if (r.size > room) return {last, std::errc::value_too_large};
    return {r.out, std::errc{}};
  }
  char plain[40];
  return chars_detail::Put(first, last, {plain, chars_detail::PlainForm(s, plain)});
}

namespace chars_detail {

inline bool Digit(char c) { return c >= '0' && c <= '9'; }

// Whether [p, last) starts with `word`, in either case.
inline bool StartsWithWord(const char* p, const char* last, std::string_view word) {
  if (last - p < static_cast<std::ptrdiff_t>(word.size())) return false;
  for (char w : word) {
    const char c = *p++;
    if (c != w && c != w - 'a' + 'A') return false;
  }
  return true;
}

// The end of the longest prefix of [first, last) that std::from_chars reads
// with chars_format::general: an optional minus; "inf" or "infinity", "nan"
// with an optional "(letters, digits, _)", or digits with an optional point
// (a digit on at least one side) and an optional exponent ("e" or "E", a
// sign, at least one digit). `first` when there is none.
inline const char* NumberEnd(const char* first, const char* last) {
  const char* p = first;
  if (p != last && *p == '-') ++p;
  if (StartsWithWord(p, last, "inf")) {
    p += 3;
    return StartsWithWord(p, last, "inity") ? p + 5 : p;
  }
  if (StartsWithWord(p, last, "nan")) {
    p += 3;
    if (p != last && *p == '(') {
      const char* q = p + 1;
      while (q != last && (Digit(*q) || (*q >= 'a' && *q <= 'z') || (*q >= 'A' && *q <= 'Z') || *q == '_')) ++q;
      if (q != last && *q == ')') return q + 1;
    }
    return p;
  }
  bool digits = false;
  for (; p != last && Digit(*p); ++p) digits = true;
  if (p != last && *p == '.') {
    const char* q = p + 1;
    for (; q != last && Digit(*q); ++q) digits = true;
    if (digits) p = q;
  }
  if (!digits) return first;
  if (p != last && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    if (q != last && (*q == '+' || *q == '-')) ++q;
    if (q != last && Digit(*q)) {
      while (q != last && Digit(*q)) ++q;
      p = q;
    }
  }
  return p;
}

// The "C" locale, whatever the program's: a point is the decimal separator.
inline locale_t ClassicLocale() {
  static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return classic;
}

}  // namespace chars_detail

// As std::from_chars(first, last, value) with std::chars_format::general, as
// libstdc++ reads: an optional minus (no plus), digits with an optional
// point, an optional exponent, or "inf", "infinity", "nan"; correctly
// rounded. A number too large for a double, or one with a non-zero digit
// that reads as zero, is out of range (result_out_of_range, `value` left
// as it was).
//
// What is read is found here (the C library's strtod would also take
// leading spaces, a plus and hexadecimal); the value is the C library's
// strtod in the "C" locale, which glibc and musl (the browser build's) both
// round correctly, so both builds read the same double from the same text.
inline std::from_chars_result FromChars(const char* first, const char* last, double& value) {
  const char* end = chars_detail::NumberEnd(first, last);
  if (end == first) return {first, std::errc::invalid_argument};
  const locale_t classic = chars_detail::ClassicLocale();
  if (classic == static_cast<locale_t>(nullptr)) return {first, std::errc::not_supported};
  // strtod reads up to a NUL: the number alone, copied.
  const auto length = static_cast<std::size_t>(end - first);
  char small[64];
  std::string large;
  char* text = small;
  if (length >= sizeof small) {
    large.assign(first, length);
    text = large.data();
  } else {
    std::memcpy(small, first, length);
    small[length] = '\0';
  }
  char* stopped = nullptr;
  const double read = strtod_l(text, &stopped, classic);
  if (stopped != text + length) return {first, std::errc::invalid_argument};  // never: the text was checked
  const char* p = first;
  if (p != last && *p == '-') ++p;
  const bool numeral = p != last && (*p == '.' || chars_detail::Digit(*p));
  if (numeral && std::isinf(read)) return {end, std::errc::result_out_of_range};
  if (numeral && read == 0) {
    for (; p != end && *p != 'e' && *p != 'E'; ++p) {
      if (*p >= '1' && *p <= '9') return {end, std::errc::result_out_of_range};
    }
  }
  value = read;
  return {end, std::errc{}};
}

// fmt's own texts of a double, the format parsed when compiling (FMT_COMPILE):
// a format parsed at run time brings in fmt's whole parser and a writer for
// every type an argument may have (long double through the C library's
// printf among them), about a sixth of the browser module.
//   ShortestDecimal  "{}": the shortest digits that read back, "1e+16" beyond
//                    16 digits ("0.1", "250", "-0")
//   FixedDecimal     "{:.Nf}": N decimals, correctly rounded (half to even)
//   GeneralDecimal   "{:.Ng}": N significant digits, as printf's %.Ng
inline std::string ShortestDecimal(double value) { return fmt::format(FMT_COMPILE("{}"), value); }
inline std::string FixedDecimal(double value, int decimals) {
  return fmt::format(FMT_COMPILE("{:.{}f}"), value, decimals);
}
inline std::string GeneralDecimal(double value, int digits) {
  return fmt::format(FMT_COMPILE("{:.{}g}"), value, digits);
}

}  // namespace numeric
