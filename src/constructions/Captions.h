#pragma once

#include "core/Drawing.h"

#include <QString>

namespace canvas {
class Form;
class Label;
}  // namespace canvas

namespace constructions {

// The label a caption belongs to, and its text.
[[nodiscard]] canvas::Label& CaptionLabel(canvas::Form& form, core::Caption which);
[[nodiscard]] QString CaptionText(core::Caption which, double a, double b);

}  // namespace constructions
