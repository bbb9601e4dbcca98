#include "lab/ViewTexts.h"

#include "text/Language.h"

namespace lab {

using text::Tr;

const ViewTexts& Texts() {
  static text::WordTable<21> words(
      {"view.play",        "view.pause",       "view.playTooltip",  "view.challenge",    "view.challengeTask",
       "view.noMirror",    "view.ownMirror",   "view.parallelBeam", "view.mirrorWhy",    "view.mirrorMenu",
       "view.mirrorPanel", "view.mirrorKind",  "view.mirrorChoice", "view.mediumMenu",   "view.noMedium",
       "view.ownMedium",   "view.indexShading", "view.mediumPanel", "view.mediumPrompt", "view.mediumChoice",
       "view.mediumAny"});
  static ViewTexts texts;
  if (words.refresh()) {
    texts = {.play = words[0],
             .pause = words[1],
             .playTooltip = words[2],
             .challenge = words[3],
             .challengeTask = words[4],
             .noMirror = words[5],
             .ownMirror = words[6],
             .parallelBeam = words[7],
             .mirrorWhy = words[8],
             .mirrorMenu = words[9],
             .mirrorPanel = words[10],
             .mirrorKind = words[11],
             .mirrorChoice = words[12],
             .mediumMenu = words[13],
             .noMedium = words[14],
             .ownMedium = words[15],
             .indexShading = words[16],
             .mediumPanel = words[17],
             .mediumPrompt = words[18],
             .mediumChoice = words[19],
             .mediumAny = words[20]};
  }
  return texts;
}

std::string TriesText(int tries) { return Tr("view.tries", {{"count", std::to_string(tries)}}); }

}  // namespace lab
