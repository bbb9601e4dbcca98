#pragma once

#include "core/Drawing.h"
#include "lab/Controls.h"

#include <string>

namespace lab {

// The label a construction's caption goes into.
[[nodiscard]] Label& CaptionLabel(Controls& controls, core::Caption which);

// The caption's text with its numbers, exactly as the label shows it (UTF-8).
[[nodiscard]] std::string CaptionText(core::Caption which, double a, double b);

// The label texts the event procedures write themselves.
[[nodiscard]] std::string HeightCaption(int height);      // Label1: "ψ= 0"
[[nodiscard]] std::string RaysCaption(int rays, bool atStartUp);  // Label5
[[nodiscard]] std::string TimeCaption(int time, bool atStartUp);  // Label6
[[nodiscard]] std::string PathTimeCaption(double time);   // Label2 after a drag

}  // namespace lab
