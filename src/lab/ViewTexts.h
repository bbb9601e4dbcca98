#pragma once

#include <cstdint>
#include <string>

namespace lab {

// The words both views write themselves around the lab's captions and
// messages: Play's button, the challenge's task and its count. One table, so
// the window and the page say the same (how a view reaches Reveal, a menu or
// a button, stays the view's).
struct ViewTexts {  // in the language in force; read them when shown, never keep them
  const char* play;         // Play's button while the sweep stands
  const char* pause;        // while it runs
  const char* playTooltip;  // what the button does, and its key
  const char* challenge;    // the challenge's title
  const char* challengeTask;
  // The mirror scene's choices: the lens scene, a mirror that is no preset,
  // the parallel beam's switch and the ellipses' switch.
  const char* noMirror;
  const char* ownMirror;
  const char* parallelBeam;
  const char* mirrorWhy;
  // The Mirror menu's title (its access key marked "&", the panel's and the
  // page's heading without it), the panel's entry, the kind's label, and the
  // page's label of the choice.
  const char* mirrorMenu;
  const char* mirrorPanel;
  const char* mirrorKind;
  const char* mirrorChoice;
  // The medium scene's: its menu, the lens scene, a medium that is no
  // preset, the index shading's switch, the panel and its field's prompt.
  const char* mediumMenu;
  const char* noMedium;
  const char* ownMedium;
  const char* indexShading;
  const char* mediumPanel;
  const char* mediumPrompt;
  // The page's labels of the choice and of the field for any medium.
  const char* mediumChoice;
  const char* mediumAny;
};

[[nodiscard]] const ViewTexts& Texts();

// "Tries: 3".
[[nodiscard]] std::string TriesText(int tries);

}  // namespace lab
