#include "app/Actions.h"

#include "app/Fermat.h"
#include "canvas/Trace.h"

namespace app {
namespace {
constexpr int kLeftButton = 1;

void drag(Fermat& w, const canvas::Shape& marker, float x, float y) {
  const scene::ShapeCentre c = scene::CentreOf(marker);
  w.Form_MouseDown(kLeftButton, 0, c.x, c.y);
  w.Form_MouseMove(kLeftButton, 0, x, y);
  w.Form_MouseUp(kLeftButton, 0, x, y);
}
}  // namespace

void RunAction(Fermat& w, const Action& a) {
  canvas::Form& f = w.form();
  switch (a.kind) {
    case Action::Kind::Source: drag(w, f.kyklos, a.x, a.y); break;
    case Action::Kind::Entry: drag(w, f.shmeio, a.x, a.y); break;
    case Action::Kind::Height: f.thesiy.setValue(a.value); break;
    case Action::Kind::Rays: f.arithmosaktinon.setValue(a.value); break;
    case Action::Kind::Time: f.xronosmetato.setValue(a.value); break;
    case Action::Kind::MouseDown: w.Form_MouseDown(kLeftButton, 0, a.x, a.y); break;
    case Action::Kind::MouseMove: w.Form_MouseMove(kLeftButton, 0, a.x, a.y); break;
    case Action::Kind::MouseUp: w.Form_MouseUp(kLeftButton, 0, a.x, a.y); break;
    case Action::Kind::Press: {
      canvas::CommandButton* buttons[] = {&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5};
      if (a.value >= 1 && a.value <= 5) buttons[a.value - 1]->click();
      break;
    }
  }
}

std::string LabelLines(Fermat& w) {
  canvas::Form& f = w.form();
  const canvas::Label* labels[] = {&f.Label1, &f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6};
  std::string out;
  for (int i = 0; i < 6; ++i) {
    out += "Label" + std::to_string(i + 1) + "\t" + labels[i]->Caption().toStdString() + "\n";
  }
  return out;
}

std::string TraceText(Fermat& w) {
  std::string out;
  for (const canvas::CanvasOp& op : w.form().canvas.log()) out += canvas::TraceLine(op) + "\n";
  return out;
}

}  // namespace app
