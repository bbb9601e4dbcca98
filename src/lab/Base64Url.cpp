#include "lab/Base64Url.h"

#include <array>
#include <cstdint>

namespace lab {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// Each character's six bits, -1 for a character outside the alphabet.
constexpr std::array<std::int8_t, 256> kSextets = [] {
  std::array<std::int8_t, 256> t{};
  t.fill(-1);
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
    t[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
  }
  return t;
}();

}  // namespace

std::string Base64UrlText(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() * 4 + 2) / 3);
  std::uint32_t bits = 0;  // the bits not yet written, `count` of them, low-aligned
  int count = 0;
  for (const char c : bytes) {
    bits = (bits << 8) | static_cast<unsigned char>(c);
    count += 8;
    while (count >= 6) {
      count -= 6;
      out += kAlphabet[(bits >> count) & 0x3fu];
    }
    bits &= (1u << count) - 1;
  }
  // The last 2 or 4 bits, padded with zeros on the right.
  if (count > 0) out += kAlphabet[(bits << (6 - count)) & 0x3fu];
  return out;
}

std::optional<std::string> ParseBase64Url(std::string_view text, std::string& error) {
  // Four characters carry three bytes; a lone character after them carries
  // none (6 bits), which no byte string gives.
  if (text.size() % 4 == 1) {
    error = "base64url text of " + std::to_string(text.size()) + " characters is cut short";
    return std::nullopt;
  }
  std::string out;
  out.reserve(text.size() / 4 * 3 + 2);
  std::uint32_t bits = 0;
  int count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::int8_t sextet = kSextets[static_cast<unsigned char>(text[i])];
    if (sextet < 0) {
      error = "character " + std::to_string(i + 1) + " is not base64url";
      return std::nullopt;
    }
    bits = (bits << 6) | static_cast<std::uint32_t>(sextet);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out += static_cast<char>((bits >> count) & 0xffu);
      bits &= (1u << count) - 1;
    }
  }
  // What is left over pads the last byte; Base64UrlText writes it as zeros.
  if (bits != 0) {
    error = "the last base64url character has bits set past the last byte";
    return std::nullopt;
  }
  return out;
}

}  // namespace lab
