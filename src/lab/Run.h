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

// Runs one scripted input as a user makes it, on the lab itself, in the
// groups of ActionSteps (ActionSteps.h). Every message raised on the way goes
// to `out` and is dismissed after the group that raised it.
void RunAction(Lab& lab, const Action& action, const MessageOut& out);

// "Label1<TAB>caption" ... "Label6<TAB>caption", one a line, UTF-8; in the
// mirror scene after a "position by Fermat", a line for each stationary path
// ("Stationary<TAB>minimum<TAB>at (-0.00, 0.00), time 254.56, incidence
// 20.56°, reflection 20.56°"), or "Stationary<TAB>constant<TAB>..." once for
// a mirror along which the time does not change.
[[nodiscard]] std::string LabelLines(const Lab& lab);

// What the scene holds in one line for people, empty for the standard lens
// without a mirror: the mirror's summary in the mirror scene, else the lens's
// (for the window's title and the page's heading).
[[nodiscard]] std::string SceneSummary(const Lab& lab);

// One row per stationary point of the mirror scene's last "position by
// Fermat" (graphs::StationaryCsv), headed by "# mirror: <text>"; the header
// alone before any.
[[nodiscard]] std::string StationaryFile(const Lab& lab);

// The travel-time curve for the path the results hold: over the first face
// of the lens, or in the mirror scene along the mirror (with every
// stationary point).
[[nodiscard]] graphs::CurveData CurrentCurve(const Lab& lab);

// One row per ray of the last bundle: the lens's, or in the mirror scene the
// reflected bundle's (the reflection point as the exit point, its red line
// the reflected ray to the frame's edge, its axis crossing from the direction
// stationary time gives); and the reference line of the crossings' graph,
// which a mirror has none of.
[[nodiscard]] std::vector<graphs::BundleRayRow> CurrentBundle(const Lab& lab);
[[nodiscard]] std::optional<double> CurrentParaxialImage(const Lab& lab);

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
