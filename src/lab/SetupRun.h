#pragma once

#include <string>

#include "lab/Lab.h"
#include "lab/Setup.h"

namespace lab {

// The session in `lab` as a set-up: its lens, live switch, the placement of
// its last start and the actions since.
[[nodiscard]] Setup CurrentSetup(const Lab& lab);

// Opens a set-up: a start with its lens, live switch and placement, then its
// actions replayed as a user made them (messages they raise dismissed
// unseen: the session they come from showed them), so the picture, labels,
// markers and results are the saved session's. Refused with a one-line
// reason, nothing changed, while a message is open or when its lens cannot
// exist.
[[nodiscard]] std::string OpenSetup(Lab& lab, const Setup& setup);

// The command lines' help for --open and --save, and their refusal of --open with --lens.
inline constexpr const char* kOpenHelp =
    "Open the set-up FILE before the actions: its lens, live switch, markers, bars and the actions saved in it.";
inline constexpr const char* kSaveHelp =
    "Save the set-up to FILE after the actions (lens, live switch, the start's markers and bars, the actions since).";
inline constexpr const char* kLessonHelp =
    "Start the lesson KEY before the actions: least-time-by-hand, least-time-ray, bundle-aberration, "
    "exact-crossings, total-reflection, wavefront, lifeguard.";
inline constexpr const char* kChallengeHelp =
    "Challenge mode from the start: after the actions, print the least-time point against the entry point's guess.";
inline constexpr const char* kEqualTimeHelp =
    "Write the equal-time view of the last bundle continuation as CSV after the actions.";
inline constexpr const char* kEqualTimeAtHelp = "The axis point x of --equal-time's ray times (default: least spread).";

// Why --open, --lens and --lesson given together cannot be: each sets the
// lens. Empty when at most one is given.
[[nodiscard]] std::string StartConflict(bool open, bool lens, bool lesson);

// Reads and parses a set-up file; the error names the file.
[[nodiscard]] SetupRead ReadSetupFile(const std::string& path);

}  // namespace lab
