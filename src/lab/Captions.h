#pragma once

#include "core/Drawing.h"
#include "lab/Controls.h"

#include <string>

namespace lab {

// The label a construction's caption goes into.
[[nodiscard]] Label& CaptionLabel(Controls& controls, core::Caption which);

// The caption's text with its numbers, exactly as the label shows it (UTF-8).
[[nodiscard]] std::string CaptionText(core::Caption which, double a, double b);

// A construction's message (core's constants) in the language in force.
[[nodiscard]] std::string MessageText(const std::string& message);

// The label texts the event procedures write themselves, as phrases (which
// a change of language words anew) and as their text in the language in force.
[[nodiscard]] LabelPhrase HeightPhrase(int height);
[[nodiscard]] LabelPhrase RaysPhrase(int rays, bool atStartUp);
[[nodiscard]] LabelPhrase TimePhrase(int time, bool atStartUp);
[[nodiscard]] LabelPhrase PathTimePhrase(double time);
[[nodiscard]] std::string PathTimeCaption(double time);   // Label2 after a drag

}  // namespace lab
