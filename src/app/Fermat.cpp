#include "app/Fermat.h"

#include "app/DragPath.h"
#include "app/LiveLab.h"
#include "app/LiveMenus.h"
#include "app/MenuBar.h"
#include "app/ViewMenu.h"
#include "canvas/Format.h"
#include "constructions/Draw.h"
#include "core/Bundle.h"
#include "core/BundleContinuation.h"
#include "core/LeastTimeRay.h"
#include "core/RayContinuation.h"
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
  InstallMenus(*this);
  viewMenu_ = new ViewMenu(*this);

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
  updatePath(DrawDragPath(f, scene_, s, p));
}

void Fermat::thesiy_Change() {
  canvas::Form& f = *form_;
  f.canvas.Cls();
  f.Label1.setCaption(QStringLiteral("ψ= ") + canvas::Format(f.thesiy.Value()));
  scene::RedrawScene(f, scene_);
  updatePath(model_.path().Time);
}

void Fermat::arithmosaktinon_Change() {
  canvas::Form& f = *form_;
  f.Label5.setCaption(QStringLiteral("Number of points=") + canvas::Format(f.arithmosaktinon.Value(), "0"));
}

void Fermat::xronosmetato_Change() {
  canvas::Form& f = *form_;
  const Inputs in = readInputs();
  const optics::Lens lens = scene_.lens();
  const QString time = QStringLiteral("t=") + canvas::Format(in.slider, "0");
  // The continuation does not depend on the slider: when the last one was
  // made for this source, ray count and frame, only the wavelets are new.
  const auto& last = model_.bundleContinuation();
  const bool reuse = reuse_ && last && core::ContinuesFrom(*last, in.frame, in.source, in.rays);
  const SliderKey key = sliderKey(in);
  if (reuse && sliderPicture_ && sliderPicture_->key == key && sliderPicture_->serial == model_.continuationSerial()) {
    // Everything up to the second generation is what the last change drew:
    // the cleared canvas, the static scene, the construction, its captions
    // and the first generation.
    core::BundleWavelets w = core::WaveletsAt(*last, lens, in.slider);
    f.canvas.replay(sliderPicture_->drawn);
    f.Label6.setCaption(time);
    constructions::Draw(f, sliderPicture_->captions);
    constructions::Draw(f, core::SecondGeneration(w));
    model_.setBundleWavelets(std::move(w));
    return;
  }
  const canvas::Canvas::Mark start = f.canvas.mark();
  f.canvas.Cls();
  scene::RedrawScene(f, scene_);
  f.Label6.setCaption(time);
  std::optional<core::BundleContinuationResult> fresh;
  if (!reuse) fresh = core::ContinueBundle(lens, in.frame, in.source, in.rays);
  const core::BundleContinuationResult& c = fresh ? *fresh : *last;
  core::BundleWavelets w = core::WaveletsAt(c, lens, in.slider);
  constructions::Draw(f, core::WithoutSecondGeneration(c, w));
  std::optional<SliderPicture> picture = takeSliderPicture(key, c, start);
  constructions::Draw(f, core::SecondGeneration(w));
  if (fresh) {
    model_.setBundleContinuation(std::move(*fresh), std::move(w));
  } else {
    model_.setBundleWavelets(std::move(w));
  }
  sliderPicture_ = std::move(picture);
  if (sliderPicture_) sliderPicture_->serial = model_.continuationSerial();
}

Fermat::SliderKey Fermat::sliderKey(const Inputs& in) const {
  canvas::Canvas::DrawingState entry = form_->canvas.drawingState();
  entry.currentX = entry.currentY = 0;  // Cls resets the current point
  return {.entry = entry, .height = in.height, .source = in.source, .rays = in.rays, .frame = in.frame};
}

std::optional<Fermat::SliderPicture> Fermat::takeSliderPicture(const SliderKey& key,
                                                               const core::BundleContinuationResult& c,
                                                               canvas::Canvas::Mark start) const {
  // A message box opens between two drawing operations; a picture taken
  // whole would show it over the finished drawing, so such a construction is
  // always drawn step by step.
  core::Drawing captions;
  for (const core::DrawOp& op : c.Construction.ops) {
    if (op.kind == core::DrawOp::Kind::Message) return std::nullopt;
    if (op.kind == core::DrawOp::Kind::Caption) captions.ops.push_back(op);
  }
  return SliderPicture{.key = key, .drawn = form_->canvas.drawnSince(start), .captions = std::move(captions)};
}

Fermat::Inputs Fermat::readInputs() const {
  const canvas::Form& f = *form_;
  const scene::ShapeCentre s = scene::CentreOf(f.kyklos);
  return {.source = {s.x, s.y},
          .height = f.thesiy.Value(),
          .rays = f.arithmosaktinon.Value(),
          .slider = f.xronosmetato.Value(),
          .frame = scene_.frame()};
}

void Fermat::buildScene() {
  scene::BuildScene(*form_, scene_);
  updatePath(std::nullopt);
}

void Fermat::reset() {
  live_->reset();
  DraggingPoint = DraggingSource = false;
  sliderPicture_.reset();
  form_->restoreDesign();
  scene_ = scene::SceneState{};
  Form_Load();
  model_.restore({});
  buildScene();
  live_->settle();
}

void Fermat::updatePath(std::optional<double> time) {
  const canvas::Form& f = *form_;
  const scene::ShapeCentre s = scene::CentreOf(f.kyklos), p = scene::CentreOf(f.shmeio);
  model_.setPath({.Source = {s.x, s.y},
                  .Entry = {p.x, p.y},
                  .Target = scene::TargetPoint(f.thesiy.Value(), scene_),
                  .Time = time});
}

void Fermat::continueBundle(const Inputs& in) {
  const optics::Lens lens = scene_.lens();
  core::BundleContinuationResult c = core::ContinueBundle(lens, in.frame, in.source, in.rays);
  core::BundleWavelets w = core::WaveletsAt(c, lens, in.slider);
  constructions::Draw(*form_, core::BundleContinuationDrawing(c, w));
  model_.setBundleContinuation(std::move(c), std::move(w));
}

void Fermat::Command1_Click() {
  const Inputs in = readInputs();
  core::FermatResult r = core::PositionByFermat(scene_.lens(), in.source, in.height);
  constructions::Draw(*form_, r.drawing);
  const std::optional<double> time = r.Found ? std::optional(r.Time) : model_.path().Time;
  model_.setFermat(std::move(r));
  updatePath(time);
}

void Fermat::Command2_Click() {
  const Inputs in = readInputs();
  core::BundleResult b = core::TraceBundle(scene_.lens(), in.source, in.rays, true);
  constructions::Draw(*form_, b.drawing);
  model_.setBundle(std::move(b), std::nullopt);
}

void Fermat::Command3_Click() {
  const Inputs in = readInputs();
  const optics::Lens lens = scene_.lens();
  core::BundleResult b = core::TraceBundle(lens, in.source, in.rays, true);
  core::WaveletsResult w = core::FirstWavelets(lens, b);
  constructions::Draw(*form_, b.drawing);
  constructions::Draw(*form_, w.drawing);
  model_.setBundle(std::move(b), std::move(w));
}

void Fermat::Command4_Click() {
  const Inputs in = readInputs();
  core::RayContinuationResult r = core::ContinueRay(scene_.lens(), in.source, in.height);
  constructions::Draw(*form_, r.drawing);
  model_.setRayContinuation(std::move(r));
}

void Fermat::Command5_Click() {
  continueBundle(readInputs());
}

std::unique_ptr<Fermat> Main(QSize clientPixels, bool logOperations) {
  auto window = std::make_unique<Fermat>(clientPixels);
  window->form().canvas.setLogging(logOperations);
  // The menu bar sits above the client area, which keeps the size given.
  window->resize(clientPixels + QSize(0, window->menuBar()->sizeHint().height()));
  window->buildScene();
  return window;
}

}  // namespace app
