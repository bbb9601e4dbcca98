#include "cli/Actions.h"

#include "window/Fermat.h"
#include "window/LiveLab.h"
#include "lab/Run.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>

namespace app {
namespace {
constexpr int kLeftButton = 1;

// Mouse input goes through the form's handlers, as a real event does.
void drag(Fermat& w, lab::Marker marker, float x, float y) {
  canvas::Form& f = w.form();
  const lab::ShapeCentre c = lab::CentreOf(w.lab().controls().marker(marker));
  f.MouseDown(kLeftButton, 0, c.x, c.y);
  f.MouseMove(kLeftButton, 0, x, y);
  f.MouseUp(kLeftButton, 0, x, y);
}

// Presses the thumb, moves it to the value in a few even steps (the event
// loop running between moves) and releases it there.
void dragThumb(Fermat& w, canvas::ScrollBar& bar, int value) {
  QScrollBar* q = bar.bar();
  q->setSliderDown(true);
  for (const int at : lab::ThumbPath(bar.Value(), value)) {
    q->setSliderPosition(bar.toQt(at));
    w.live().settle();
  }
  q->setSliderDown(false);
}

// A key press and release sent where the window's keyboard focus is.
void pressKey(Fermat& w, int key) {
  const QKeyCombination k = QKeyCombination::fromCombined(key);
  QWidget* target = w.focusWidget() != nullptr ? w.focusWidget() : &w.form();
  QKeyEvent press(QEvent::KeyPress, k.key(), k.keyboardModifiers());
  QKeyEvent release(QEvent::KeyRelease, k.key(), k.keyboardModifiers());
  QCoreApplication::sendEvent(target, &press);
  QCoreApplication::sendEvent(target, &release);
}
}  // namespace

void RunAction(Fermat& w, const Action& a) {
  canvas::Form& f = w.form();
  switch (a.kind) {
    case Action::Kind::Source: drag(w, lab::Marker::Source, a.x, a.y); break;
    case Action::Kind::Entry: drag(w, lab::Marker::Entry, a.x, a.y); break;
    case Action::Kind::Height: f.thesiy.setValue(a.value); break;
    case Action::Kind::Rays: f.arithmosaktinon.setValue(a.value); break;
    case Action::Kind::Time: f.xronosmetato.setValue(a.value); break;
    case Action::Kind::MouseDown: f.MouseDown(kLeftButton, 0, a.x, a.y); break;
    case Action::Kind::MouseMove: f.MouseMove(kLeftButton, 0, a.x, a.y); break;
    case Action::Kind::MouseUp: f.MouseUp(kLeftButton, 0, a.x, a.y); break;
    case Action::Kind::DragHeight: dragThumb(w, f.thesiy, a.value); break;
    case Action::Kind::DragRays: dragThumb(w, f.arithmosaktinon, a.value); break;
    case Action::Kind::DragTime: dragThumb(w, f.xronosmetato, a.value); break;
    case Action::Kind::Key: pressKey(w, a.value); break;
    case Action::Kind::Play:
      w.lab().playToEnd();
      w.follow();
      break;
    case Action::Kind::Reset: w.reset(); break;
    case Action::Kind::Lens: (void)w.setLens(a.lens); break;
    case Action::Kind::Active: w.lab().setActiveMarker(a.value == 1 ? lab::Marker::Entry : lab::Marker::Source); break;  // refused only while a message is open, and none is
    case Action::Kind::Press: {
      canvas::CommandButton* buttons[] = {&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5};
      if (a.value >= 1 && a.value <= 5) buttons[a.value - 1]->click();
      break;
    }
  }
  // No event loop runs between scripted actions: do what it would do now.
  w.live().settle();
}

std::string LabelLines(Fermat& w) { return lab::LabelLines(w.lab()); }

std::string TraceText(Fermat& w) { return lab::TraceText(w.lab()); }

}  // namespace app
