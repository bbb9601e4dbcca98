#pragma once

#include "canvas/PictureBackground.h"
#include "lab/Script.h"
#include "headless/Session.h"

#include <optional>
#include <string>
#include <vector>

namespace app {

// One scripted user input, run through the same event procedures as a real one.
using Action = lab::Action;

// The session both programs read (headless/Session.h) and the options that
// need pixels, which only this program takes.
struct Options : headless::Session {
  bool offscreen = false;
  std::string screenshot;       // PNG file, empty for none
  std::string graphScreenshot;  // --graph-screenshot: the graph view as PNG, empty for none
  std::string exportFile;       // picture file (.png, .svg, .pdf), empty for none
  int exportScale = 0;          // --scale K for a PNG export (1, 2, 4); 0 when not given
  bool caption = false;         // --caption: --export and --print-pdf name the lens and lesson below the picture
  std::string printPdf;         // --print-pdf: the picture printed (as File > Print) to this PDF, empty for none
  canvas::PictureBackground background = canvas::PictureBackground::White;  // of --export and --print-pdf
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
