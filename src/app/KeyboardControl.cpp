#include "app/KeyboardControl.h"

#include "app/Fermat.h"
#include "app/TimeSweep.h"

#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

namespace app {
namespace {
constexpr int kLeftButton = 1;
constexpr float kStep = 1.0f, kShiftStep = 10.0f;
}  // namespace

bool KeyboardControl::keyPressed(const QKeyEvent& e) {
  const Qt::KeyboardModifiers mods = e.modifiers() & ~Qt::KeypadModifier;
  const int key = e.key();
  if (key == Qt::Key_Space && mods == Qt::NoModifier) {
    if (!e.isAutoRepeat()) sweep_.toggle();
    return true;
  }
  sweep_.stop();
  canvas::Form& f = window_.form();
  if (mods == Qt::ControlModifier && key >= Qt::Key_1 && key <= Qt::Key_5) {
    canvas::CommandButton* buttons[] = {&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5};
    buttons[key - Qt::Key_1]->click();
    return true;
  }
  const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
  if (!arrow || (mods != Qt::NoModifier && mods != Qt::ShiftModifier)) return false;
  const QWidget* focus = window_.focusWidget();
  if (focus == f.thesiy.bar() || focus == f.arithmosaktinon.bar() || focus == f.xronosmetato.bar()) return false;
  const float d = mods == Qt::ShiftModifier ? kShiftStep : kStep;
  // World y grows upwards.
  moveActive(key == Qt::Key_Left    ? -d
             : key == Qt::Key_Right ? d
                                    : 0.0f,
             key == Qt::Key_Up     ? d
             : key == Qt::Key_Down ? -d
                                   : 0.0f);
  return true;
}

void KeyboardControl::moveActive(float dx, float dy) {
  const scene::ShapeCentre c = scene::CentreOf(ShapeOf(window_.form(), active_));
  const float x = c.x + dx, y = c.y + dy;
  // The marker itself is taken, even where the other one covers its centre.
  window_.DraggingSource = active_ == Marker::Source;
  window_.DraggingPoint = active_ == Marker::Entry;
  window_.Form_MouseMove(kLeftButton, 0, x, y);
  window_.Form_MouseUp(kLeftButton, 0, x, y);
}

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
