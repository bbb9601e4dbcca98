#include "window/KeyTable.h"

#include "lab/HelpTexts.h"

#include <algorithm>

namespace app {

std::vector<KeyRow> KeyRows() {
  std::vector<KeyRow> out;
  for (const lab::KeyHelp& k : lab::KeyHelpRows()) {
    if (k.window) out.push_back({QString::fromStdString(k.keys), QString::fromStdString(k.what)});
  }
  return out;
}

QString KeysNote() { return QString::fromStdString(lab::KeysNote()); }

QString KeysHelp() {
  qsizetype width = 0;
  for (const KeyRow& r : KeyRows()) width = std::max(width, r.keys.size());
  QString text;
  // Two spaces before each row and at least two between the columns.
  for (const KeyRow& r : KeyRows()) text += QStringLiteral("  ") + r.keys.leftJustified(width + 2) + r.what + '\n';
  return text + KeysNote();
}

}  // namespace app
