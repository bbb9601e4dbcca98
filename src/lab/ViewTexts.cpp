#include "lab/ViewTexts.h"

#include <array>

#include "text/Language.h"

namespace lab {

using text::LanguageRevision;
using text::Tr;

const ViewTexts& Texts() {
  // The pointers point into `store`, worded anew when the language changes;
  // a view reads them when it shows them, never keeps them.
  static constexpr std::array kKeys{
      "view.play",        "view.pause",      "view.playTooltip", "view.challenge",    "view.challengeTask",
      "view.noMirror",    "view.ownMirror",  "view.parallelBeam", "view.mirrorWhy",   "view.mirrorMenu",
      "view.mirrorPanel", "view.mirrorKind", "view.mirrorChoice", "view.mediumMenu",  "view.noMedium",
      "view.ownMedium",   "view.indexShading", "view.mediumPanel", "view.mediumPrompt", "view.mediumChoice",
      "view.mediumAny"};
  static std::array<std::string, kKeys.size()> store;
  static ViewTexts texts;
  static std::uint64_t revision = ~std::uint64_t{0};
  if (revision != LanguageRevision()) {
    revision = LanguageRevision();
    for (std::size_t i = 0; i < kKeys.size(); ++i) store[i] = Tr(kKeys[i]);
    std::size_t i = 0;
    const auto next = [&] { return store[i++].c_str(); };
    texts.play = next();
    texts.pause = next();
    texts.playTooltip = next();
    texts.challenge = next();
    texts.challengeTask = next();
    texts.noMirror = next();
    texts.ownMirror = next();
    texts.parallelBeam = next();
    texts.mirrorWhy = next();
    texts.mirrorMenu = next();
    texts.mirrorPanel = next();
    texts.mirrorKind = next();
    texts.mirrorChoice = next();
    texts.mediumMenu = next();
    texts.noMedium = next();
    texts.ownMedium = next();
    texts.indexShading = next();
    texts.mediumPanel = next();
    texts.mediumPrompt = next();
    texts.mediumChoice = next();
    texts.mediumAny = next();
  }
  return texts;
}

std::string TriesText(int tries) { return Tr("view.tries", {{"count", std::to_string(tries)}}); }

}  // namespace lab
