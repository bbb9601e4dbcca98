#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lab {

// Bytes as base64url (RFC 4648 section 5: '-' and '_' for '+' and '/'),
// without '=' padding: the alphabet a URL fragment carries unescaped.
[[nodiscard]] std::string Base64UrlText(std::string_view bytes);

// The bytes back, or nullopt and `error` (one line) when `text` is not
// base64url as Base64UrlText writes it: a character outside the alphabet,
// padding, a length no byte count gives, or set bits past the last byte.
// Only the canonical text is read, so each byte string has one link.
[[nodiscard]] std::optional<std::string> ParseBase64Url(std::string_view text, std::string& error);

}  // namespace lab
