#pragma once

#include <string>
#include <vector>

namespace lab {

// The help both views show, written once (in the catalogue, in the language
// in force): the window's Help menu and the
// page's Help menu read these, so a student reads the same words in each.

// One key and what it does. Most keys are the lab's own (Lab::key) and work
// in both views; a few are shortcuts of one view's menus.
struct KeyHelp {
  std::string keys;
  std::string what;
  bool window = true;  // the desktop window takes it
  bool page = true;    // the browser page takes it
};

[[nodiscard]] std::vector<KeyHelp> KeyHelpRows();
// What the table leaves unsaid, one paragraph of plain text.
[[nodiscard]] std::string KeysNote();

// What the picture shows, what each button and bar does, and the tools beside
// them (the lens, lessons, the challenge, set-ups and links, the graphs,
// exports), as rich text both Qt's rich-text view and a browser show: <h3>,
// <p>, <ul>, <li>, <b> and named entities only.
[[nodiscard]] std::string GuideHtml();

// A few words for someone who opens the program for the first time, plain text.
[[nodiscard]] std::string FirstVisitText();

}  // namespace lab
