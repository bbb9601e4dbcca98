#pragma once

#include <QString>

namespace app {

// Help > Guide: what the window shows and what each button does, in plain
// words, as rich text. The buttons are named by their captions as they stand.
[[nodiscard]] QString GuideText();

// Help > About: the program, its version, its licence and where its source lives.
[[nodiscard]] QString AboutText();

// Help > Keys: the keys as an aligned two-column table, then the note.
[[nodiscard]] QString KeysTable();

}  // namespace app
