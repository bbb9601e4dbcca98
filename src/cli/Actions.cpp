#include "cli/Actions.h"

#include "window/Fermat.h"
#include "window/LiveLab.h"
#include "lab/ActionSteps.h"
#include "lab/Run.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>

namespace app {
namespace {
constexpr int kLeftButton = 1;

// The lab's sequence of inputs delivered through the window's widgets, as a
// real event delivers them: mouse input through the form's handlers, bar
// values and thumbs through the Qt scroll bars, presses through the buttons,
// keys to the widget with the keyboard focus. Each widget's handler calls the
// lab and has the window follow it, showing any message at once.
class WidgetInputs final : public lab::Inputs {
 public:
  explicit WidgetInputs(Fermat& w) : w_(w), f_(w.form()) {}

  [[nodiscard]] lab::ShapeCentre markerCentre(lab::Marker marker) const override {
    return lab::CentreOf(w_.lab().controls().marker(marker));
  }
  [[nodiscard]] int barValue(lab::BarId bar) const override { return scrollBar(bar).Value(); }
  [[nodiscard]] lab::ShapeCentre targetCentre() const override {
    const core::Point t = w_.lab().target();
    return {static_cast<float>(t.x), static_cast<float>(t.y)};
  }

  void pointerDown(float x, float y) override { f_.MouseDown(kLeftButton, 0, x, y); }
  void pointerMove(float x, float y) override { f_.MouseMove(kLeftButton, 0, x, y); }
  void pointerUp(float x, float y) override { f_.MouseUp(kLeftButton, 0, x, y); }
  void setBar(lab::BarId bar, int value) override { scrollBar(bar).setValue(value); }
  void thumbPressed(lab::BarId bar) override { scrollBar(bar).bar()->setSliderDown(true); }
  void thumbMoved(lab::BarId bar, int value) override {
    canvas::ScrollBar& b = scrollBar(bar);
    b.bar()->setSliderPosition(b.toQt(value));
  }
  // Qt releases the thumb where its slider stands, which is the last move's value.
  void thumbReleased(lab::BarId bar, int) override { scrollBar(bar).bar()->setSliderDown(false); }
  void click(int button) override {
    canvas::CommandButton* buttons[] = {&f_.Command1, &f_.Command2, &f_.Command3, &f_.Command4, &f_.Command5};
    if (button >= 1 && button <= 5) buttons[button - 1]->click();
  }
  void key(int combination) override {
    const QKeyCombination k = QKeyCombination::fromCombined(combination);
    QWidget* target = w_.focusWidget() != nullptr ? w_.focusWidget() : &f_;
    QKeyEvent press(QEvent::KeyPress, k.key(), k.keyboardModifiers());
    QKeyEvent release(QEvent::KeyRelease, k.key(), k.keyboardModifiers());
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
  }
  void playToEnd() override {
    w_.lab().playToEnd();
    w_.catchUp();
  }
  void reset() override { w_.reset(); }
  void setLens(const optics::LensDesign& design) override { (void)w_.setLens(design); }
  void setMirror(const std::optional<optics::MirrorDesign>& design) override { (void)w_.setMirror(design); }
  void setMedium(const std::optional<optics::MediumDesign>& design) override { (void)w_.setMedium(design); }
  void setParallelBeam(bool on) override { (void)w_.setParallelBeam(on); }
  // Refused only while a message is open, and the window has shown and dismissed every one.
  void setActiveMarker(lab::Marker marker) override { w_.lab().setActiveMarker(marker); }
  void settle() override { w_.live().settle(); }

 private:
  [[nodiscard]] canvas::ScrollBar& scrollBar(lab::BarId bar) const {
    switch (bar) {
      case lab::BarId::Height: return f_.thesiy;
      case lab::BarId::Rays: return f_.arithmosaktinon;
      case lab::BarId::Time: break;
    }
    return f_.xronosmetato;
  }

  Fermat& w_;
  canvas::Form& f_;
};

}  // namespace

void RunAction(Fermat& w, const Action& a) {
  WidgetInputs in(w);
  // The window shows each message as it opens: nothing is left between groups.
  lab::RunActionSteps(a, in, [] {});
}

std::string LabelLines(Fermat& w) { return lab::LabelLines(w.lab()); }

std::string TraceText(Fermat& w) { return lab::TraceText(w.lab()); }

}  // namespace app
