#include "canvas/Format.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace canvas {
namespace {

// Rounds the decimal text of |value| to `decimals` places, half away from
// zero, working on the digits so that binary representation error (2.675 is
// stored as 2.67499999...) does not decide the last printed digit.
// QString::number always writes the C locale's form, whatever the user's
// locale says about the decimal separator.
std::string roundedDecimal(double magnitude, int decimals) {
  // d.dddddddddddddde±XX: 15 significant digits.
  const std::string buf = QString::number(magnitude, 'e', 14).toStdString();
  std::string mantissa;
  mantissa += buf[0];
  mantissa.append(buf, 2, 14);
  const int exponent = std::atoi(buf.c_str() + 17);
  // Digits of the value with the decimal point after position `point`.
  std::string digits = mantissa;
  int point = exponent + 1;
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

QString Format(double value, std::string_view pattern) {
  if (!std::isfinite(value)) return QStringLiteral("—");
  if (pattern.empty()) {
    if (value == std::floor(value) && std::abs(value) < 1e15) {
      return QString::number(static_cast<long long>(value));
    }
    return QString::number(value, 'g', 15);
  }
  int decimals = 0;
  if (const auto dot = pattern.find('.'); dot != std::string_view::npos) {
    decimals = static_cast<int>(pattern.size() - dot - 1);
  }
  const std::string text = roundedDecimal(std::abs(value), decimals);
  const bool negative = value < 0 && !allZero(text);
  return QString::fromLatin1(((negative ? "-" : "") + text).c_str());
}

}  // namespace canvas
