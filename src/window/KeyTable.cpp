#include "window/KeyTable.h"

#include "lab/HelpTexts.h"

#include <algorithm>

namespace app {

const std::vector<KeyRow>& KeyRows() {
  static const std::vector<KeyRow> rows = [] {
    std::vector<KeyRow> out;
    for (const lab::KeyHelp& k : lab::KeyHelpRows()) {
      if (k.window) out.push_back({QString::fromUtf8(k.keys), QString::fromUtf8(k.what)});
    }
    return out;
  }();
  return rows;
}

QString KeysNote() {
  return QString::fromUtf8(lab::KeysNote());
}

QString KeysHelp() {
  qsizetype width = 0;
  for (const KeyRow& r : KeyRows()) width = std::max(width, r.keys.size());
  QString text;
  // Two spaces before each row and at least two between the columns.
  for (const KeyRow& r : KeyRows()) text += QStringLiteral("  ") + r.keys.leftJustified(width + 2) + r.what + '\n';
  return text + KeysNote();
}

}  // namespace app
