#include "app/Fermat.h"

#include "app/DragPath.h"
#include "app/LiveLab.h"
#include "app/LiveMenus.h"

#include "canvas/Format.h"
#include "constructions/Bundle.h"
#include "constructions/BundleContinuation.h"
#include "constructions/LeastTimeRay.h"
#include "constructions/RayContinuation.h"
#include "scene/StaticScene.h"

#include <QMenuBar>
#include <QScrollArea>

namespace app {
namespace {

// Strictly inside the control's rectangle; the right and bottom edges are
// formed in Single, as the positions are.
bool hits(const canvas::Control& c, float x, float y) {
  const float l = c.Left(), t = c.Top();
  const float r = l + c.Width(), b = t - c.Height();
  return x > l && x < r && y < t && y > b;
}

// Centres a shape on (x, y).
void centreOn(canvas::Shape& s, float x, float y) {
  s.setLeft(x - s.Width() / 2.0f);
  s.setTop(y + s.Height() / 2.0f);
}

}  // namespace

QString WindowCaption() { return QStringLiteral("Πορεία Ακτίνων: αρχή Fermat"); }

Fermat::Fermat(QSize clientPixels, QWidget* parent)
    : QMainWindow(parent), form_(new canvas::Form(clientPixels)), area_(new QScrollArea(this)) {
  setWindowTitle(WindowCaption());
  area_->setFrameShape(QFrame::NoFrame);
  area_->setAlignment(Qt::AlignCenter);
  area_->setWidgetResizable(false);
  area_->setWidget(form_);
  setCentralWidget(area_);

  canvas::Form& f = *form_;
  f.MouseDown = [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); };
  f.MouseMove = [this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); };
  f.MouseUp = [this](int b, int s, float x, float y) { Form_MouseUp(b, s, x, y); };
  f.thesiy.onChange([this] { thesiy_Change(); });
  f.arithmosaktinon.onChange([this] { arithmosaktinon_Change(); });
  f.xronosmetato.onChange([this] { xronosmetato_Change(); });
  f.Command1.onClick([this] { Command1_Click(); });
  f.Command2.onClick([this] { Command2_Click(); });
  f.Command3.onClick([this] { Command3_Click(); });
  f.Command4.onClick([this] { Command4_Click(); });
  f.Command5.onClick([this] { Command5_Click(); });
  live_ = std::make_unique<LiveLab>(*this);
  AddLiveMenus(*this, *live_);
  Form_Load();
}

Fermat::~Fermat() = default;

void Fermat::Form_Load() {
  canvas::Form& f = *form_;
  f.Label5.setCaption(QStringLiteral("number of points=") + canvas::Format(f.arithmosaktinon.Value(), "0"));
  f.Label6.setCaption(QStringLiteral("time=") + canvas::Format(f.xronosmetato.Value(), "0"));
}

void Fermat::Form_MouseDown(int, int, float x, float y) {
  canvas::Form& f = *form_;
  // The entry point is tested first: where the two overlap, it is taken.
  if (hits(f.shmeio, x, y)) {
    DraggingPoint = true;
    DraggingSource = false;
    return;
  }
  DraggingSource = hits(f.kyklos, x, y);
  DraggingPoint = false;
}

void Fermat::Form_MouseMove(int, int, float x, float y) {
  if (DraggingPoint) {
    centreOn(form_->shmeio, x, y);
  } else if (DraggingSource) {
    centreOn(form_->kyklos, x, y);
  }
}

void Fermat::Form_MouseUp(int, int, float x, float y) {
  canvas::Form& f = *form_;
  scene::ShapeCentre s = scene::CentreOf(f.kyklos);
  scene::ShapeCentre p = scene::CentreOf(f.shmeio);
  if (DraggingPoint) {
    DraggingPoint = false;
    p = {x, y};
  } else if (DraggingSource) {
    DraggingSource = false;
    s = {x, y};
  } else {
    return;
  }
  DrawDragPath(f, scene_, s, p);
}

void Fermat::thesiy_Change() {
  canvas::Form& f = *form_;
  f.canvas.Cls();
  f.Label1.setCaption(QStringLiteral("ψ= ") + canvas::Format(f.thesiy.Value()));
  scene::RedrawScene(f, scene_);
}

void Fermat::arithmosaktinon_Change() {
  canvas::Form& f = *form_;
  f.Label5.setCaption(QStringLiteral("Number of points=") + canvas::Format(f.arithmosaktinon.Value(), "0"));
}

void Fermat::xronosmetato_Change() {
  canvas::Form& f = *form_;
  f.canvas.Cls();
  scene::RedrawScene(f, scene_);
  f.Label6.setCaption(QStringLiteral("t=") + canvas::Format(f.xronosmetato.Value(), "0"));
  const scene::ShapeCentre s = scene::CentreOf(f.kyklos);
  constructions::ContinueBundle(f, scene_, s.x, s.y, f.arithmosaktinon.Value());
}

void Fermat::Command1_Click() { constructions::PositionByFermat(*form_, scene_); }

void Fermat::Command2_Click() {
  canvas::Form& f = *form_;
  const scene::ShapeCentre s = scene::CentreOf(f.kyklos);
  constructions::DrawBundle(f, scene_, s.x, s.y, f.arithmosaktinon.Value());
}

void Fermat::Command3_Click() {
  canvas::Form& f = *form_;
  const int n = f.arithmosaktinon.Value();
  const scene::ShapeCentre s = scene::CentreOf(f.kyklos);
  constructions::DrawBundle(f, scene_, s.x, s.y, n);
  constructions::DrawWavelets(f, scene_, n);
}

void Fermat::Command4_Click() {
  canvas::Form& f = *form_;
  const scene::WorldPoint p = constructions::SurfacePointAtHeight(f.thesiy.Value(), scene_);
  f.canvas.FillStyle = 1;  // the wavelets are outlines
  constructions::ContinueRay(f, scene_, p.x, p.y);
  f.canvas.FillStyle = 0;
}

void Fermat::Command5_Click() {
  canvas::Form& f = *form_;
  const scene::ShapeCentre s = scene::CentreOf(f.kyklos);
  constructions::ContinueBundle(f, scene_, s.x, s.y, f.arithmosaktinon.Value());
}

std::unique_ptr<Fermat> Main(QSize clientPixels, bool logOperations) {
  auto window = std::make_unique<Fermat>(clientPixels);
  window->form().canvas.setLogging(logOperations);
  // The client area is what lies below the menu bar.
  window->resize(clientPixels + QSize(0, window->menuBar()->sizeHint().height()));
  scene::BuildScene(window->form(), window->scene());
  return window;
}

}  // namespace app
