#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lab/KeyNames.h"
#include "lab/Numbers.h"
#include "optics/LensDesign.h"
#include "optics/Medium.h"
#include "optics/Mirror.h"

#include <optional>

namespace lab {

// One scripted user input, run through the same event procedures as a real one.
struct Action {
  // Source, Entry: a whole drag of a marker; MouseDown, MouseMove, MouseUp:
  // one raw event of the canvas at a world point. DragHeight, DragRays,
  // DragTime: a drag of the bar's thumb to a value; Key: one key press (value
  // is the key combination, see Keys.h); Play: the time sweep run to its end;
  // Reset: everything back as at start-up (File > Reset); Lens: another lens;
  // Active: the marker the arrow keys move (value 0: the source, 1: the entry
  // point); Mirror: another mirror, or none (the lens scene); Target: a whole
  // drag of the mirror scene's target; Beam: the mirror scene's bundles from
  // a parallel beam (value 1) or from the source (0); Medium: a graded
  // medium in the lens's place, or none (the lens scene).
  enum class Kind { Source, Entry, Height, Rays, Time, Press, MouseDown, MouseMove, MouseUp,
                    DragHeight, DragRays, DragTime, Key, Play, Reset, Lens, Active, Mirror, Target, Beam, Medium };
  Kind kind = Kind::Press;
  float x = 0, y = 0;  // the world point of a drag's end or of a mouse event
  int value = 0;       // Height, Rays, Time: the bar's value; Press: the button 1..5
  optics::LensDesign lens;  // Lens: the lens, one that can exist
  std::optional<optics::MirrorDesign> mirror;  // Mirror: one that can exist, or none
  std::optional<optics::MediumDesign> medium;  // Medium: one that can exist, or none
  bool operator==(const Action&) const = default;
};

// Reads one command-line word "key=value" (or just "key") and appends the
// action to `into`. Returns a one-line error naming the argument ("unknown
// action 'zoom=2'", "expected a whole number in 'rays=x'"), empty when good.
[[nodiscard]] std::string ParseAction(std::string_view arg, std::vector<Action>& into);

// Each action's syntax and help line, in the order --help lists them.
struct ActionHelp {
  const char* syntax;
  const char* help;
};
[[nodiscard]] std::vector<ActionHelp> ActionHelpRows();

// The action as the command line spells it, e.g. "entry=-15,0.5"; each
// coordinate with the fewest significant digits that read back as the same
// float, in the 'g' form of that many digits (-200 is "-2e+02").
[[nodiscard]] std::string ActionText(const Action& a);

}  // namespace lab
