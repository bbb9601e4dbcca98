#pragma once

#include "cli/CommandLine.h"

#include <string>

namespace app {

class Fermat;

// Runs one scripted input through the window's event procedures: a drag
// presses at the marker's centre, moves to the point and releases there; a bar
// takes its new value (firing Change only if it differs); a press clicks; a
// key goes to the widget with the keyboard focus. Afterwards it settles what
// the event loop would: the pending live redraws, a started sweep.
void RunAction(Fermat& window, const Action& action);

// "Label1<TAB>caption" ... "Label6<TAB>caption", one a line, UTF-8.
[[nodiscard]] std::string LabelLines(Fermat& window);

// The canvas's operation log, one JSON object a line.
[[nodiscard]] std::string TraceText(Fermat& window);

}  // namespace app
