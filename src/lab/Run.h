#pragma once

#include "graphs/EqualTime.h"
#include "lab/Lab.h"
#include "lab/Script.h"

#include <functional>
#include <string>
#include <vector>

namespace lab {

// Shows a message where no one can press OK (a headless run): the text is
// handed over and the message counts as dismissed.
using MessageOut = std::function<void(const std::string& text)>;

// Runs one scripted input as a user makes it: a drag presses at the marker's
// centre, moves to the point and releases there; a bar takes its new value; a
// thumb is dragged there in three moves with the loop idle between them; a
// press clicks; a key is pressed. Afterwards it settles what the event loop
// would: the pending live redraws, a started sweep. Every message raised on
// the way goes to `out` and is dismissed.
void RunAction(Lab& lab, const Action& action, const MessageOut& out);

// The positions a scripted thumb drag from `from` to `to` passes through:
// three even moves, the last at `to` (none when the two are equal).
[[nodiscard]] std::vector<int> ThumbPath(int from, int to);

// "Label1<TAB>caption" ... "Label6<TAB>caption", one a line, UTF-8.
[[nodiscard]] std::string LabelLines(const Lab& lab);

// The travel-time curve and the rays of the last bundle as CSV files
// (graphs/Csv.h); for a lens other than the standard one, headed by the line
// "# lens: <summary>; <lens text>".
[[nodiscard]] std::string CurveFile(const Lab& lab);
[[nodiscard]] std::string BundleFile(const Lab& lab);

// The equal-time view of the last bundle continuation (graphs/EqualTime.h)
// along the axis from the second face to the frame's right edge, taken at
// `at` (or where the spread is least); and as a CSV file.
[[nodiscard]] graphs::EqualTimeData CurrentEqualTime(const Lab& lab, std::optional<double> at = std::nullopt);
[[nodiscard]] std::string EqualTimeFile(const Lab& lab, std::optional<double> at = std::nullopt);

// The challenge's answer in one line of text, numbers as the labels write
// them: "tries 3; your guess enters at (-25.20, 8.31), time 190.12; least
// time 189.13 at (-20.51, 5.18); 0.99 slower; 12.34 away".
[[nodiscard]] std::string ChallengeText(const ChallengeReveal& r);
// The same text's parts, in order ("tries N", the guess, the least time, how
// much slower, how far), for a view that shows them one a line.
[[nodiscard]] std::vector<std::string> ChallengeParts(const ChallengeReveal& r);

// The surface's operation log, one JSON object a line.
[[nodiscard]] std::string TraceText(const Lab& lab);

}  // namespace lab
