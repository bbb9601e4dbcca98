#pragma once

#include <QString>

#include <vector>

namespace app {

// One key of the window and what it does (the lab does it: lab::Lab::key).
struct KeyRow {
  QString keys, what;
};
[[nodiscard]] std::vector<KeyRow> KeyRows();
// What the table leaves unsaid, one paragraph.
[[nodiscard]] QString KeysNote();

// The keys as --help lists them: one a line in two aligned columns, then the note.
[[nodiscard]] QString KeysHelp();

}  // namespace app
