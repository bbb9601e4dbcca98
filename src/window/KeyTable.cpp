#include "window/KeyTable.h"

#include <algorithm>

namespace app {

const std::vector<KeyRow>& KeyRows() {
  static const std::vector<KeyRow> rows{
      {QStringLiteral("Arrow keys"), QStringLiteral("move the active marker by 1 unit")},
      {QStringLiteral("Shift+arrow"), QStringLiteral("move it by 10 units")},
      {QStringLiteral("Ctrl+1 ... Ctrl+5"), QStringLiteral("click the five buttons")},
      {QStringLiteral("Space"), QStringLiteral("play or pause the time sweep")},
      {QStringLiteral("Ctrl+G"), QStringLiteral("open the travel-time graphs")},
      {QStringLiteral("Ctrl+R"), QStringLiteral("reset: everything as at start-up")},
      {QStringLiteral("Ctrl+Q"), QStringLiteral("quit")},
  };
  return rows;
}

QString KeysNote() {
  return QStringLiteral(
      "The active marker (ringed) is the one pressed or dragged last. A focused scroll bar keeps its own arrow "
      "keys.");
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
