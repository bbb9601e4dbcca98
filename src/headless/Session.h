#pragma once

#include "lab/Script.h"
#include "lab/Setup.h"

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace headless {

// What either program is asked to do besides pixels: the options both
// command lines take, read by one table, and the actions.
struct Session {
  bool help = false;
  std::string lang;                         // --lang CODE, empty for the original's texts
  bool version = false;
  std::string checkCatalogue;               // fermat-lab --check-catalogue FILE
  std::optional<std::pair<int, int>> size;  // client area in pixels
  bool printLabels = false;
  bool describe = false;  // --describe: what each action changed, then the whole picture, in words
  bool classic = false;                     // nothing drawn while a marker or a thumb is dragged
  std::optional<optics::LensDesign> lens;   // --lens, one that can exist
  std::optional<optics::MirrorDesign> mirror;  // --mirror, one that can exist
  std::optional<optics::MediumDesign> medium;  // --medium, one that can exist
  std::optional<lab::Setup> setup;          // --open, read before the start
  std::string open;                         // --open's file, as given
  bool verbose = false;                     // --verbose: technical words after a damaged set-up's refusal
  std::string save;                         // --save: the set-up after the actions, empty for none
  std::string lesson;                       // --lesson KEY, empty for none
  bool challenge = false;                   // --challenge: on from the start, revealed after the actions
  std::string equalTime;                    // --equal-time FILE.csv, empty for none
  std::optional<double> equalTimeAt;        // --equal-time-at X
  std::string trace, curve, bundle;         // output files, empty for none
  std::string sound;                        // --sound FILE.wav: what the actions make heard
  std::string stationary;                   // --stationary FILE.csv, empty for none
  std::string paths;                        // --paths FILE.csv, empty for none
  std::vector<lab::Action> actions;
};

// One option both programs take: its long name, the name of its value (none
// for a flag), its help line and how its value lands in a Session (the error
// in one line, empty when good; `option` is "--name").
struct SessionOption {
  const char* name;
  const char* valueName;  // nullptr: a flag
  const char* help;
  bool output;            // printed or written after the actions (in fermat-lens it implies --offscreen)
  std::string (*read)(Session& s, const std::string& option, const std::string& value);
};

// Every such option, in the order they are read and listed: --verbose
// before --open, whose refusal it words.
[[nodiscard]] std::span<const SessionOption> SessionOptions();
[[nodiscard]] const SessionOption* FindSessionOption(std::string_view name);

// An option as the command line gave it, with its value ("" for a flag).
struct GivenOption {
  const SessionOption* option;
  std::string value;
};

// Reads the options given, in the table's order (each option's values in the
// order they came, so both parsers read alike), then the actions.
[[nodiscard]] std::string ReadSession(const std::vector<GivenOption>& given, const std::vector<std::string>& actions,
                                      Session& into);

// An output option and its file.
struct NamedOutput {
  const char* option;  // "--trace"
  std::string path;
};

// The session's output files in order; those not asked for left out.
[[nodiscard]] std::vector<NamedOutput> SessionOutputs(const Session& s);

// Why the session cannot start, checked after everything was read: two
// outputs that land on one file (links followed), an output other than
// --save on the file --open reads, or --open, --lens and --lesson together.
// `more` are the program's own outputs, checked after the session's.
[[nodiscard]] std::string CheckSession(const Session& s, const std::vector<NamedOutput>& more = {});

}  // namespace headless
