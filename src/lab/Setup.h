#pragma once

#include "lab/Placement.h"
#include "optics/Medium.h"
#include "optics/Mirror.h"
#include "lab/Script.h"
#include "optics/LensDesign.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lab {

// A set-up as a teacher saves it and a student opens it: the lens, the live
// switch, where everything stood at the start, and what was done since, in
// order. Replaying the actions from the start placement gives the teacher's
// picture.
struct Setup {
  optics::LensDesign lens;
  // The mirror scene's mirror ("mirror": its text, left out for the lens
  // scene) and, with it, the target's start ("start.target").
  std::optional<optics::MirrorDesign> mirror;
  // The medium scene's medium ("medium": its text), with the target's start
  // as well; a set-up holds a mirror or a medium, never both.
  std::optional<optics::MediumDesign> medium;
  bool parallelBeam = false;  // the mirror scene's bundles from a parallel beam at the start ("beam": "parallel")
  bool live = false;  // the live-lab switch
  Placement start;
  std::vector<Action> actions;  // the inputs since the last start
  bool operator==(const Setup&) const = default;
};

// The set-up file's format version this program writes and the newest it reads.
inline constexpr int kSetupVersion = 1;
// Bounds on what a reader accepts, so that no file, however made, costs more
// than a few megabytes or a deep recursion.
inline constexpr std::size_t kMaxSetupBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxSetupActions = 100000;
inline constexpr int kMaxSetupDepth = 16;

// The set-up file's text (JSON, version 1), one key a line and one action a
// line, for a teacher to read:
//   {
//     "format": "fermat-lens set-up",
//     "version": 1,
//     "lens": {"n": 2, "r1": 180, "r2": "flat", "thickness": 30, "aperture": 60},
//     "live": false,
//     "start": {"source": [-250, 20], "entry": [-15, 0], "height": 0, "rays": 10, "time": 5},
//     "actions": [
//       "press=1",
//       "source=-2e+02,30"
//     ]
//   }
// A radius is a number or "flat"; "aperture" is left out when the lens has
// none. Every number reads back as exactly the same float or double. A flat
// face's radius is not written: it reads back as FaceDesign's default. Each
// action is as ActionText writes it.
[[nodiscard]] std::string SetupJson(const Setup& setup);

// A set-up read, or the one-line reason it could not be (no newline; empty
// when `setup` is set).
struct SetupRead {
  std::optional<Setup> setup;
  std::string error;
  // For a text that is no JSON, the parser's own words ("not valid JSON at
  // byte 52: syntax error while parsing value - ..."), shown on request
  // (--verbose, a message box's details); empty otherwise.
  std::string detail;
};

// Reads a set-up file's text. Refuses, naming what is wrong: text over
// kMaxSetupBytes, text that is not JSON (with its place) or nests deeper than
// kMaxSetupDepth, another format, a version other than 1, a missing,
// duplicate or unknown key, a value of the wrong type or out of its range (a
// bar outside its range, a marker coordinate that no float holds), more than
// kMaxSetupActions actions or an action ParseAction refuses. A byte-order mark
// at the very start is skipped, as browsers' text decoders skip it. Whether
// the lens can exist is not checked here (optics::MakeLens does).
[[nodiscard]] SetupRead ParseSetup(std::string_view text);

// The share link's fragment, without the '#': "setup=" followed by the
// compact JSON in base64url without padding.
[[nodiscard]] std::string SetupFragment(const Setup& setup);

// Reads a share link's fragment, with or without its leading '#'.
[[nodiscard]] SetupRead ParseSetupFragment(std::string_view fragment);

}  // namespace lab
