#pragma once

#include <cstdint>

namespace numeric {

// An opaque 24-bit colour packed as 0xffRRGGBB, the layout of Qt's QRgb.
using Colour = std::uint32_t;

[[nodiscard]] constexpr Colour Rgb(int r, int g, int b) noexcept {
  return 0xff000000u | (static_cast<Colour>(r & 0xff) << 16) | (static_cast<Colour>(g & 0xff) << 8) |
         static_cast<Colour>(b & 0xff);
}

// The colours of the program, each named once.
inline constexpr Colour kBlack = Rgb(0, 0, 0);
inline constexpr Colour kRed = Rgb(255, 0, 0);
inline constexpr Colour kGreen = Rgb(0, 255, 0);
inline constexpr Colour kBlue = Rgb(0, 0, 255);
inline constexpr Colour kMagenta = Rgb(255, 0, 255);
inline constexpr Colour kYellow = Rgb(255, 255, 0);
inline constexpr Colour kOlive = Rgb(150, 150, 80);   // the lens fill
inline constexpr Colour kDarkRed = Rgb(192, 0, 0);    // the source marker
inline constexpr Colour kBackground = Rgb(240, 240, 240);  // the window's, which Cls clears to

}  // namespace numeric
