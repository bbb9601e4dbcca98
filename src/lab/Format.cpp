#include "lab/Format.h"

#include "numeric/Chars.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace lab {
namespace {

// A positive finite number as decimal digits: value = 0.DIGITS × 10^point.
// No leading zeros; zero is the single digit "0" with point 1.
struct Decimal {
  std::string digits;
  int point = 1;
};

// Splits the scientific text of numeric::ToScientificChars "d.ddde±XX" (or "de±XX").
Decimal fromScientific(const char* first, const char* last) {
  Decimal d;
  const char* p = first;
  for (; p != last && *p != 'e'; ++p) {
    if (*p != '.') d.digits += *p;
  }
  int exponent = 0;
  if (p != last) {
    ++p;                 // 'e'
    if (*p == '+') ++p;  // from_chars takes a minus, not a plus
    std::from_chars(p, last, exponent);
  }
  d.point = exponent + 1;
  return d;
}

// The shortest digits that read back as `magnitude` (ties between two
// shortest candidates go to the even one, as the reading side rounds).
Decimal shortestDigits(double magnitude) {
  char buf[64];
  const auto r = numeric::ToScientificChars(buf, buf + sizeof buf, magnitude);
  Decimal d = fromScientific(buf, r.ptr);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// `count` significant digits, the last rounded half away from zero on the
// exact binary value. A conversion at a precision rounds an exact half to
// even, so the digits are taken exactly (a double has at most 767 significant
// decimal digits) and rounded here. Trailing zeros are kept.
Decimal roundedDigits(double magnitude, int count) {
  if (magnitude == 0) return {std::string(static_cast<std::size_t>(count), '0'), 1};
  if (count <= 17) {
    // Fast path. Rounding to nearest and half away from zero differ only on an
    // exact half: the exact digits after `count` are 5 and then zeros only.
    // 36 correctly rounded digits show every such tail as "5000…0" (and a few
    // near misses that a carry turned into one); anything else is no tie, and
    // the conversion's own rounding to `count` digits is the one wanted.
    char buf[64];
    const auto wide = numeric::ToScientificChars(buf, buf + sizeof buf, magnitude, 35);
    const Decimal w = fromScientific(buf, wide.ptr);
    const auto count_ = static_cast<std::size_t>(count);
    const bool maybeTie = w.digits[count_] == '5' && w.digits.find_first_not_of('0', count_ + 1) == std::string::npos;
    if (!maybeTie) {
      const auto r = numeric::ToScientificChars(buf, buf + sizeof buf, magnitude, count - 1);
      return fromScientific(buf, r.ptr);
    }
  }
  char buf[800];
  const auto r = numeric::ToScientificChars(buf, buf + sizeof buf, magnitude, 770);
  Decimal exact = fromScientific(buf, r.ptr);
  // Past 767 digits there are only zeros: round at most at digit 771.
  const std::size_t keep = static_cast<std::size_t>(count < 770 ? count : 770);
  const bool up = exact.digits[keep] >= '5';  // the exact tail: 5 and anything is at least a half
  exact.digits.resize(keep);
  if (up) {
    std::size_t i = keep;
    for (; i > 0 && exact.digits[i - 1] == '9'; --i) exact.digits[i - 1] = '0';
    if (i == 0) {
      // 9.99… became 10.0…: one more digit before the point, the count kept.
      exact.digits.insert(exact.digits.begin(), '1');
      exact.digits.pop_back();
      ++exact.point;
    } else {
      ++exact.digits[i - 1];
    }
  }
  exact.digits.resize(static_cast<std::size_t>(count), '0');
  return exact;
}

void chopTrailingZeros(Decimal& d) {
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
}

// "e+05", "e-07", "e+100": the sign always, at least two digits.
std::string exponentPart(int exponent) {
  std::string out = exponent < 0 ? "e-" : "e+";
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) out += '0';
  out += std::to_string(magnitude);
  return out;
}

std::string exponentForm(const Decimal& d) {
  std::string out(1, d.digits[0]);
  if (d.digits.size() > 1) {
    out += '.';
    out.append(d.digits, 1);
  }
  out += exponentPart(d.point - 1);
  return out;
}

std::string plainForm(const Decimal& d) {
  const int count = static_cast<int>(d.digits.size());
  std::string out;
  if (d.point <= 0) {
    out = "0.";
    out.append(static_cast<std::size_t>(-d.point), '0');
    out += d.digits;
  } else if (d.point >= count) {
    out = d.digits;
    out.append(static_cast<std::size_t>(d.point - count), '0');
  } else {
    out.assign(d.digits, 0, static_cast<std::size_t>(d.point));
    out += '.';
    out.append(d.digits, static_cast<std::size_t>(d.point));
  }
  return out;
}

// Of the plain and the exponent form of the shortest digits, the shorter; the
// plain one when both are as long.
bool shortestIsPlain(const Decimal& d) {
  const int count = static_cast<int>(d.digits.size());
  int bias = 4;  // "e+XX" beyond the exponent form's digits
  if (count > 1 && count <= d.point) {
    ++bias;  // the exponent form has a point the plain one lacks
  } else if (count == 1 && d.point <= 0) {
    --bias;  // the plain form has a point the exponent form lacks
  }
  if (d.point <= 0) return 1 - d.point <= bias;  // leading "0." and zeros
  if (d.point <= count) return bias >= 0;
  return d.point <= count + bias;  // trailing zeros
}

// Not finite, zero, or the sign and the text of the magnitude.
template <typename Body>
std::string signedText(double value, Body body) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // Built by appending: "-" + std::string&& makes g++ 12 raise a false
  // -Wrestrict (GCC bug 105329).
  std::string out = value < 0 ? "-" : "";
  out += body(std::abs(value));
  return out;
}

// Rounds the decimal text of |value| to `decimals` places, half away from
// zero, working on the digits of its 15-significant-digit form so that binary
// representation error (2.675 is stored as 2.67499999...) does not decide the
// last printed digit.
std::string roundedDecimal(double magnitude, int decimals) {
  Decimal d = roundedDigits(magnitude, 15);
  std::string digits = std::move(d.digits);
  int point = d.point;
  // Digits of the value with the decimal point after position `point`.
  if (point <= 0) {
    digits.insert(0, std::string(static_cast<std::size_t>(1 - point), '0'));
    point = 1;
  }
  const std::size_t keep = static_cast<std::size_t>(point + decimals);
  if (digits.size() < keep + 1) digits.append(keep + 1 - digits.size(), '0');
  const bool up = digits[keep] >= '5';
  digits.resize(keep);
  if (up) {
    int i = static_cast<int>(keep) - 1;
    for (; i >= 0; --i) {
      if (digits[static_cast<std::size_t>(i)] == '9') {
        digits[static_cast<std::size_t>(i)] = '0';
      } else {
        ++digits[static_cast<std::size_t>(i)];
        break;
      }
    }
    if (i < 0) {
      // Inserted as a char: g++ 12 at -O3 raises a false -Wrestrict on
      // inserting a string literal at the front (GCC bug 105651).
      digits.insert(digits.begin(), '1');
      ++point;
    }
  }
  std::string whole = digits.substr(0, static_cast<std::size_t>(point));
  const std::size_t first = whole.find_first_not_of('0');
  whole = first == std::string::npos ? "0" : whole.substr(first);
  std::string out = whole;
  if (decimals > 0) {
    out += '.';
    out.append(digits, static_cast<std::size_t>(point));
  }
  return out;
}

bool allZero(const std::string& s) { return s.find_first_not_of("0.") == std::string::npos; }

}  // namespace

std::string ShortestText(double value) {
  return signedText(value, [](double m) {
    if (m == 0) return std::string("0");
    const Decimal d = shortestDigits(m);
    return shortestIsPlain(d) ? plainForm(d) : exponentForm(d);
  });
}

std::string SignificantText(double value, int digits) {
  if (digits < 1) digits = 1;
  return signedText(value, [digits](double m) {
    if (m == 0) return std::string("0");
    Decimal d = roundedDigits(m, digits);
    chopTrailingZeros(d);
    const int exponent = d.point - 1;
    return exponent < -4 || exponent >= digits ? exponentForm(d) : plainForm(d);
  });
}

std::string ExponentText(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  return signedText(value, [decimals](double m) {
    const Decimal d = roundedDigits(m, decimals + 1);
    std::string out(1, d.digits[0]);
    if (decimals > 0) {
      out += '.';
      out.append(d.digits, 1);
    }
    out += exponentPart(m == 0 ? 0 : d.point - 1);
    return out;
  });
}

std::string Format(double value, std::string_view pattern) {
  if (!std::isfinite(value)) return "\xe2\x80\x94";  // U+2014 EM DASH
  if (pattern.empty()) {
    if (value == std::floor(value) && std::abs(value) < 1e15) {
      return std::to_string(static_cast<long long>(value));
    }
    return SignificantText(value, 15);
  }
  int decimals = 0;
  if (const auto dot = pattern.find('.'); dot != std::string_view::npos) {
    decimals = static_cast<int>(pattern.size() - dot - 1);
  }
  const std::string text = roundedDecimal(std::abs(value), decimals);
  const bool negative = value < 0 && !allZero(text);
  return (negative ? "-" : "") + text;
}

}  // namespace lab
