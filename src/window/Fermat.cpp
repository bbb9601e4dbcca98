#include "window/Fermat.h"
#include "window/DescribePanel.h"
#include "window/SoundPlayer.h"

#include "lab/Lessons.h"
#include "lab/LensText.h"
#include "lab/MediumShading.h"
#include "lab/MirrorWhy.h"
#include "lab/Run.h"
#include "lab/SetupRun.h"
#include "window/Banner.h"
#include "lab/SceneHints.h"
#include "lab/ViewTexts.h"
#include "window/ChallengeOverlay.h"

#include "window/LensMenu.h"
#include "window/MediumMenu.h"
#include "window/MirrorMenu.h"
#include "window/LiveLab.h"
#include "window/SetupMenus.h"
#include "window/LiveMenus.h"
#include "window/MenuBar.h"
#include "window/ViewMenu.h"
#include "window/LanguageMenu.h"
#include "window/Words.h"
#include "text/Language.h"

#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

namespace app {
namespace {

lab::Size sizeOf(QSize s) { return {s.width(), s.height()}; }

void place(canvas::Control& widget, const lab::Control& c) {
  const lab::PixelRect& r = c.pixelRect();
  widget.setPixelRect(r.left, r.top, r.width, r.height);
}

}  // namespace

QString WindowCaption() { return Tr("window.title"); }

Fermat::Fermat(QSize clientPixels, QWidget* parent)
    : QMainWindow(parent),
      form_(new canvas::Form(clientPixels)),
      area_(new QScrollArea(this)),
      lab_(sizeOf(clientPixels), &form_->canvas),
      model_(lab_.results()),
      idle_(*this, [this] {
        if (lab_.idle()) catchUp();
      }) {
  // The lab's surface is its member, assigned in place on every restart: the
  // record it holds stays where it is for the canvas to paint from.
  form_->canvas.attach(lab_.surface().record());
  setWindowTitle(WindowCaption());
  banner_ = new Banner(form_);
  hints_ = new Banner(form_, Banner::Anchor::BottomLeft);
  describe_ = new DescribePanel(*this, *form_);
  sound_ = new SoundPlayer(this);
  // Names for a screen reader, the page's words for the same things.
  Word(form_, "page.stage.picture", "accessibleName");
  Word(form_->thesiy.bar(), "page.stage.heightBar", "accessibleName");
  Word(form_->arithmosaktinon.bar(), "page.stage.raysBar", "accessibleName");
  Word(form_->xronosmetato.bar(), "page.stage.timeBar", "accessibleName");
  Word(form_->kyklos.widget(), "page.stage.source", "accessibleName");
  Word(form_->shmeio.widget(), "page.stage.entry", "accessibleName");
  shading_ = new ChallengeOverlay(form_, form_->canvas);
  shading_->setObjectName(QStringLiteral("mediumShadingOverlay"));
  why_ = new ChallengeOverlay(form_, form_->canvas);
  why_->setObjectName(QStringLiteral("mirrorWhyOverlay"));
  overlay_ = new ChallengeOverlay(form_, form_->canvas);
  overlay_->setObjectName(QStringLiteral("challengeOverlay"));
  area_->setFrameShape(QFrame::NoFrame);
  area_->setAlignment(Qt::AlignCenter);
  area_->setWidgetResizable(false);
  area_->setWidget(form_);
  setCentralWidget(area_);
  InstallMenus(*this);
  lensMenu_ = new LensMenu(*this);
  mirrorMenu_ = new MirrorMenu(*this);
  mediumMenu_ = new MediumMenu(*this);
  AddLessonsMenu(*this);
  viewMenu_ = new ViewMenu(*this);
  connectInputs();
  live_ = std::make_unique<LiveLab>(*this);
  AddLiveMenus(*this, *live_);
  AddLanguageMenu(*this);
  // The picture is physics, not text: it never mirrors, whatever the language.
  form_->setLayoutDirection(Qt::LeftToRight);
  applyDirection();
  sync();
}

void Fermat::applyDirection() {
  const Qt::LayoutDirection d = text::RightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
  if (QGuiApplication::layoutDirection() != d) QGuiApplication::setLayoutDirection(d);
  setLayoutDirection(d);
}

std::string Fermat::setLanguage(const std::string& code) {
  if (std::string e = text::UseLanguage(code); !e.empty()) return e;
  Reword();
  applyDirection();
  shownScene_.assign(1, '\x01');  // the title anew (assign: g++ 12 -O3 takes "=" for an overlapping copy)
  shownHints_.clear();
  viewMenu_->reword();
  catchUp();
  showChallenge();
  if (const lab::Lesson* lesson = lab::FindLesson(lab_.lesson()); lesson && banner_->isVisible())
    banner_->say(QString::fromStdString(lesson->title()) + QStringLiteral(": ") +
                 QString::fromStdString(lesson->task()));
  if (auto* group = findChild<QActionGroup*>(QStringLiteral("languages")))
    for (QAction* a : group->actions()) a->setChecked(a->data().toString().toStdString() == text::LanguageInForce());
  return {};
}

Fermat::~Fermat() = default;

void Fermat::connectInputs() {
  canvas::Form& f = *form_;
  f.MouseDown = [this](int, int, float x, float y) {
    if (live_ && live_->fingerPress()) {
      const QPointF at = form_->canvas.toPixel(x, y);
      const lab::PixelPoint taken = lab::FingerPressAt(lab_.controls(), {at.x(), at.y()});
      const QPointF world = form_->canvas.toWorld(QPointF(taken.x, taken.y));
      x = static_cast<float>(world.x());
      y = static_cast<float>(world.y());
    }
    lab_.pointerDown(x, y);
    catchUp();
  };
  f.MouseMove = [this](int, int, float x, float y) {
    lab_.pointerMove(x, y);
    catchUp();
  };
  f.MouseUp = [this](int, int, float x, float y) {
    lab_.pointerUp(x, y);
    catchUp();
  };
  const std::pair<canvas::ScrollBar*, lab::BarId> bars[] = {
      {&f.thesiy, lab::BarId::Height}, {&f.arithmosaktinon, lab::BarId::Rays}, {&f.xronosmetato, lab::BarId::Time}};
  for (const auto& [bar, id] : bars) {
    // An arrow, a track step, a key on the bar or a value set: the bar's
    // value changed (the thumb's drag arrives below, not here).
    bar->onChange([this, bar, id] {
      if (bar->Value() == lab_.controls().bar(id).value) return;
      lab_.setBar(id, bar->Value());
      catchUp();
    });
    QScrollBar* q = bar->bar();
    QObject::connect(q, &QScrollBar::sliderMoved, this, [this, bar, id](int position) {
      lab_.thumbMoved(id, bar->fromQt(position));
      catchUp();
    });
    QObject::connect(q, &QScrollBar::sliderReleased, this, [this, bar, id, q] {
      lab_.thumbReleased(id, bar->fromQt(q->sliderPosition()));
      catchUp();
    });
  }
  canvas::CommandButton* buttons[] = {&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5};
  for (int i = 0; i < 5; ++i) {
    buttons[i]->onClick([this, i] {
      lab_.click(i + 1);
      catchUp();
    });
  }
}

void Fermat::Form_MouseDown(int button, int shift, float x, float y) {
  lab_.Form_MouseDown(button, shift, x, y);
  catchUp();
}

void Fermat::Form_MouseMove(int button, int shift, float x, float y) {
  lab_.Form_MouseMove(button, shift, x, y);
  catchUp();
}

void Fermat::Form_MouseUp(int button, int shift, float x, float y) {
  lab_.Form_MouseUp(button, shift, x, y);
  catchUp();
}

void Fermat::xronosmetato_Change() {
  lab_.xronosmetato_Change();
  catchUp();
}

void Fermat::setClientSize(QSize clientPixels) {
  lab_.setClientSize(sizeOf(clientPixels));
  sync();
}

void Fermat::buildScene() {
  lab_.buildScene();
  catchUp();
}

void Fermat::reset() {
  lab_.reset();
  catchUp();
}

std::string Fermat::setLens(const optics::LensDesign& design) {
  std::string refused = lab_.setLens(design);
  if (!refused.empty()) return refused;
  catchUp();
  return {};
}

std::string Fermat::setMirror(const std::optional<optics::MirrorDesign>& design) {
  std::string refused = lab_.setMirror(design);
  if (!refused.empty()) return refused;
  catchUp();
  return {};
}

std::string Fermat::setMedium(const std::optional<optics::MediumDesign>& design) {
  std::string refused = lab_.setMedium(design);
  if (!refused.empty()) return refused;
  catchUp();
  return {};
}

bool Fermat::setParallelBeam(bool on) {
  const bool taken = lab_.setParallelBeam(on);
  for (const auto& f : lensFollowers_) f();
  return taken;
}

std::string Fermat::openSetup(const lab::Setup& setup) {
  std::string refused = lab::OpenSetup(lab_, setup);
  if (refused.empty()) catchUp();
  return refused;
}

std::string Fermat::openLesson(const lab::Lesson& lesson) {
  std::string refused = lab::OpenLesson(lab_, lesson);
  if (!refused.empty()) return refused;
  catchUp();
  banner_->say(QString::fromStdString(lesson.title()) + QStringLiteral(": ") + QString::fromStdString(lesson.task()));
  return {};
}

void Fermat::startChallenge() {
  lab_.challenge().start(lab_);
  showChallenge();
}

void Fermat::stopChallenge() {
  lab_.challenge().stop();
  overlay_->show(std::nullopt);
  banner_->say({});
}

const std::optional<lab::ChallengeReveal>& Fermat::revealChallenge() {
  const auto& r = lab_.challenge().reveal(lab_);
  showChallenge();
  return r;
}

void Fermat::showChallenge() {
  // The lab has begun a new round already if the scene moved since the reveal.
  const lab::Challenge& c = lab_.challenge();
  if (!c.on()) return;
  overlay_->show(c.revealed());
  const lab::ViewTexts& t = lab::Texts();
  const QString title = QString::fromUtf8(t.challenge) + QStringLiteral(": ");
  // The window reaches Reveal through the Lessons menu.
  banner_->say(c.revealed() ? title + QString::fromStdString(lab::ChallengeText(*c.revealed()))
                            : title + QString::fromUtf8(t.challengeTask) +
                                  Tr("window.challengeReveal") +
                                  QString::fromStdString(lab::TriesText(c.tries(lab_))));
}

QString Fermat::lensNote() const {
  if (lab_.lensDesign() == optics::LensDesign{}) return {};
  return Tr("picture.lens",
            {{"summary", lab::LensSummary(lab_.lensDesign(), lab_.lens()) + "; " + lab::LensText(lab_.lensDesign())}});
}

void Fermat::showLens() {
  std::string summary = lab::SceneSummary(lab_);
  if (summary == shownScene_) return;
  shownScene_ = std::move(summary);
  // The standard lens keeps the window's own caption.
  setWindowTitle(shownScene_.empty() ? WindowCaption()
                                     : WindowCaption() + QStringLiteral(" \u2014 ") + QString::fromStdString(shownScene_));
  for (const auto& f : lensFollowers_) f();
}

void Fermat::catchUp() {
  sync();
  showLens();
  const auto* shading = findChild<QAction*>(QStringLiteral("mediumShading"));
  shading_->showDrawing(shading && !shading->isChecked() ? std::nullopt
                                                         : std::optional(lab::MediumShadingDrawing(lab_)));
  showChallenge();
  showHints();
  const auto* why = findChild<QAction*>(QStringLiteral("mirrorWhy"));
  why_->showDrawing(why && !why->isChecked() ? std::nullopt : std::optional(lab::MirrorWhyDrawing(lab_)));
  // A call made while a message is shown (its modal loop runs) leaves the
  // message to the loop below, which is still waiting for it.
  while (lab_.message() && !showingMessage_) {
    showingMessage_ = true;
    form_->MsgBox(QString::fromStdString(*lab_.message()));
    showingMessage_ = false;
    lab_.dismissMessage();
    sync();
  }
  describe_->follow(lab_);
  sound_->follow(lab_);
  if (lab_.idlePending()) idle_.request();
}

void Fermat::showHints() {
  // View > "Hints beside the picture" off: the window as the picture alone shows it.
  const auto* on = findChild<QAction*>(QStringLiteral("sceneHints"));
  QString text;
  if (on && !on->isChecked()) {
    shownHints_.clear();
    hints_->say({});
    return;
  }
  for (const std::string& h : lab::SceneHints(lab_)) text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + QString::fromStdString(h);
  if (text == shownHints_) return;
  shownHints_ = text;
  hints_->say(text);
}

void Fermat::sync() {
  canvas::Form& f = *form_;
  const lab::Controls& c = lab_.controls();
  canvas::Label* labels[] = {&f.Label1, &f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6};
  const auto from = c.labels();
  for (std::size_t i = 0; i < 6; ++i) {
    const QString text = QString::fromStdString(from[i]->caption());
    if (labels[i]->Caption() != text) labels[i]->setCaption(text);
    place(*labels[i], from[i]->place);
  }
  canvas::CommandButton* buttons[] = {&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5};
  const auto fromButtons = c.buttons();
  for (std::size_t i = 0; i < 5; ++i) {
    place(*buttons[i], fromButtons[i]->place);
    buttons[i]->setCaption(QString::fromStdString(fromButtons[i]->caption()));
    buttons[i]->fitCaption(lab::ShrinkCaptionsToFit(), lab::kMinButtonCaptionPixels);
    QWidget* w = buttons[i]->widget();
    if (w->isEnabled() != fromButtons[i]->enabled) w->setEnabled(fromButtons[i]->enabled);
  }
  const std::pair<canvas::ScrollBar*, const lab::Bar*> bars[] = {
      {&f.thesiy, &c.thesiy}, {&f.arithmosaktinon, &c.arithmosaktinon}, {&f.xronosmetato, &c.xronosmetato}};
  for (const auto& [bar, state] : bars) {
    place(*bar, state->place);
    QScrollBar* q = bar->bar();
    if (bar->Value() != state->value) {
      const QSignalBlocker quiet(q);
      q->setValue(bar->toQt(state->value));
    }
    if (q->isEnabled() != state->enabled) bar->setEnabled(state->enabled);
  }
  place(f.shmeio, c.shmeio);
  place(f.kyklos, c.kyklos);
  if (live_) live_->catchUp();
}

std::unique_ptr<Fermat> Main(QSize clientPixels, bool logOperations) {
  auto window = std::make_unique<Fermat>(clientPixels);
  window->lab().setLogging(logOperations);
  // The menu bar sits above the client area, which keeps the size given.
  window->resize(clientPixels + QSize(0, window->menuBar()->sizeHint().height()));
  window->buildScene();
  return window;
}

}  // namespace app
