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
    "Save the set-up to FILE after the actions (lens, live switch, the start's markers and bars, the actions since); "
    "it may name the file --open read, which it then replaces.";

// Why an output option may not name the set-up file --open reads: it would
// replace the set-up with something else. Only --save may (it writes a
// set-up). Empty when `output` is "--save".
[[nodiscard]] std::string OpenedFileConflict(const std::string& output, const std::string& path);
inline constexpr const char* kVerboseHelp =
    "Add the reader's technical words to the refusal of a damaged set-up file.";
// The refusal of a set-up file as --open gives it: the plain words, and with
// --verbose the reader's technical ones after them.
[[nodiscard]] std::string OpenRefusal(const std::string& option, const SetupRead& read, bool verbose);
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
