#include "lab/ViewTexts.h"

namespace lab {

const ViewTexts& Texts() {
  static const ViewTexts texts{
      .play = "\u25B6",
      .pause = "\u275A\u275A",
      .playTooltip = "Play / Pause (Space)",
      .challenge = "Challenge",
      .challengeTask = "Move the blue entry point to where you think the light enters the lens, then reveal.",
      .tries = "Tries",
      .noMirror = "No mirror (the lens)",
      .ownMirror = "(your own mirror)",
      .parallelBeam = "Parallel beam from the left",
      .mirrorWhy = "Ellipses through the stationary points",
      .mirrorMenu = "&Mirror",
      .mirrorPanel = "Mirror &panel…",
      .mirrorKind = "&kind",
      .mirrorChoice = "mirror",
      .mediumMenu = "M&edium",
      .noMedium = "No medium (the lens)",
      .ownMedium = "(your own medium)",
      .indexShading = "Shade the index",
      .mediumPanel = "Medium &panel…",
      .mediumPrompt = "PROFILE,KEY=V,... as on the command line, e.g. hot-road,n0=0.95,g=0.005",
      .mediumChoice = "medium",
      .mediumAny = "any",
  };
  return texts;
}

std::string TriesText(int tries) {
  std::string out = Texts().tries;  // appended: g++ 12 at -O3 warns falsely on literal + string
  out += ": ";
  out += std::to_string(tries);
  return out;
}

}  // namespace lab
