#pragma once

#include "canvas/PictureBackground.h"
#include "lab/Script.h"
#include "lab/Setup.h"

#include <QSize>

#include <optional>
#include <string>
#include <vector>

namespace app {

// One scripted user input, run through the same event procedures as a real one.
using Action = lab::Action;

struct Options {
  bool offscreen = false;
  bool help = false;
  bool version = false;
  std::optional<QSize> size;  // client area in pixels
  bool printLabels = false;
  bool classic = false;    // nothing drawn while a marker or a thumb is dragged
  std::optional<optics::LensDesign> lens;  // --lens, one that can exist
  std::optional<lab::Setup> setup;       // --open, read before the start
  std::string open;                      // --open's file, as given
  bool verbose = false;                  // --verbose: technical words after a damaged set-up's refusal
  std::string save;                      // --save: the set-up after the actions, empty for none
  std::string lesson;                    // --lesson KEY, empty for none
  bool challenge = false;                // --challenge: on from the start, revealed after the actions
  std::string equalTime;                 // --equal-time FILE.csv, empty for none
  std::optional<double> equalTimeAt;     // --equal-time-at X
  std::string screenshot;  // PNG file, empty for none
  std::string trace;       // JSON-lines file, empty for none
  std::string curve;            // --curve: travel-time curve as CSV, empty for none
  std::string bundle;           // --bundle: rows of the last bundle as CSV, empty for none
  std::string graphScreenshot;  // --graph-screenshot: the graph view as PNG, empty for none
  std::string exportFile;  // picture file (.png, .svg, .pdf), empty for none
  int exportScale = 0;     // --scale K for a PNG export (1, 2, 4); 0 when not given
  bool caption = false;    // --caption: --export and --print-pdf name the lens and lesson below the picture
  std::string printPdf;    // --print-pdf: the picture printed (as File > Print) to this PDF, empty for none
  canvas::PictureBackground background = canvas::PictureBackground::White;  // of --export and --print-pdf
  std::vector<Action> actions;
};

// Either the options or a one-line error naming the bad argument.
struct Parsed {
  std::optional<Options> options;
  std::string error;
};

// Reads the arguments (without the program name). Checks every number and
// range, and that the output files can be written, without creating anything.
[[nodiscard]] Parsed ParseCommandLine(const std::vector<std::string>& args);

// What --help prints: the usage line, the options and the actions.
[[nodiscard]] std::string Usage();

// What --version prints: "fermat-lens <version>".
[[nodiscard]] std::string VersionText();

// A single key press as Qt spells it, and back; an action as the command line spells it.
using lab::ActionText;
using lab::KeyText;
using lab::ParseKey;

}  // namespace app
