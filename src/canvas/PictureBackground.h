#pragma once

#include "numeric/Colour.h"

#include <QColor>

#include <optional>
#include <string_view>

namespace canvas {

// What lies under the drawing in a picture that leaves the program (export,
// copy, print). The window itself always shows its own colour.
enum class PictureBackground { White, Transparent, Window };

// "white", "transparent", "window"; none for anything else.
[[nodiscard]] inline std::optional<PictureBackground> PictureBackgroundOf(std::string_view name) {
  if (name == "white") return PictureBackground::White;
  if (name == "transparent") return PictureBackground::Transparent;
  if (name == "window") return PictureBackground::Window;
  return std::nullopt;
}

// The colour painted under the drawing; fully transparent for Transparent.
[[nodiscard]] inline QColor BackgroundColour(PictureBackground b) {
  switch (b) {
    case PictureBackground::White: return Qt::white;
    case PictureBackground::Transparent: return Qt::transparent;
    case PictureBackground::Window: break;
  }
  return QColor::fromRgb(numeric::kBackground);
}

}  // namespace canvas
