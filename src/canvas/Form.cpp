#include "canvas/Form.h"

#include "text/Language.h"


#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace canvas {
namespace {
// Design positions in twips: left, top, width, height. Controls that the
// start-up moves get their final place there; only what it keeps matters here.
QRectF twips(double l, double t, double w, double h) { return {l, t, w, h}; }
constexpr double kButtonPt = 13.5;
constexpr double kDefaultPt = 8.25;
}  // namespace

Form::Form(QSize clientPixels, QWidget* parent)
    : QWidget(parent),
      canvas(clientPixels),
      Command1(this, twips(0, 0, 1500, 700), kButtonPt, QString::fromStdString(text::Tr("button.command1"))),
      Command2(this, twips(0, 0, 1500, 700), kButtonPt, QString::fromStdString(text::Tr("button.command2"))),
      Command3(this, twips(0, 0, 1500, 700), 9.75, QString::fromStdString(text::Tr("button.command3"))),
      Command4(this, twips(0, 0, 1500, 700), kButtonPt, QString::fromStdString(text::Tr("button.command4"))),
      Command5(this, twips(0, 0, 1500, 700), kButtonPt,
               QString::fromStdString(text::Tr("button.command5"))),
      thesiy(this, Qt::Vertical, twips(0, 0, 255, 3000), kThesiyRange.min, kThesiyRange.max, 10, 1, 0),
      arithmosaktinon(this, Qt::Vertical, twips(0, 1800, 495, 3735), kRaysRange.min, kRaysRange.max, 10, 1, 10),
      xronosmetato(this, Qt::Horizontal, twips(0, 0, 1500, 495), kTimeRange.min, kTimeRange.max, 5, 1, 5),
      Label1(this, twips(0, 0, 1500, 1500), kButtonPt),
      Label2(this, twips(0, 0, 1500, 852), 18.0),
      Label3(this, twips(0, 0, 1500, 972), kButtonPt),
      Label4(this, twips(0, 0, 1500, 1092), kButtonPt),
      Label5(this, twips(0, 5520, 975, 735), kDefaultPt),
      Label6(this, twips(0, 0, 1935, 615), kDefaultPt, QStringLiteral("Label6")),
      shmeio(this, twips(4800, 4200, 132, 132), numeric::kBlue),
      kyklos(this, twips(2400, 4440, 132, 132), numeric::kDarkRed) {
  setFixedSize(canvas.pixelSize());
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  // Shapes sit above the buttons and labels, so a marker dragged over a
  // control stays visible; the entry point above the source, because a press
  // where the two overlap takes the entry point: the one seen is the one grabbed.
  kyklos.widget()->raise();
  shmeio.widget()->raise();
  kyklos.widget()->installEventFilter(this);
  shmeio.widget()->installEventFilter(this);
  // Labels lie under every other control: their text is drawn over the
  // picture, never over a button or a bar.
  for (Label* l : {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6}) l->widget()->lower();
  canvas.setChangedCallback([this] { update(); });
  canvas.setResetCallback([this](bool resized) { pixelsReset(resized); });
}

void Form::MsgBox(const QString& text) {
  if (message_) {
    message_(text);
  } else {
    QMessageBox::information(window(), QGuiApplication::applicationDisplayName(), text);
  }
}

QImage Form::snapshot() { return grab().toImage(); }

void Form::pixelsReset(bool resized) {
  cache_.invalidate();
  if (resized) {
    setFixedSize(canvas.pixelSize());
    return;
  }
  Control* controls[] = {&Command1,        &Command2,     &Command3, &Command4, &Command5, &thesiy,
                         &arithmosaktinon, &xronosmetato, &Label1,   &Label2,   &Label3,   &Label4,
                         &Label5,          &Label6,       &shmeio,   &kyklos};
  for (Control* c : controls) c->restoreDesign();
}

void Form::setSmooth(bool on) {
  smooth_ = on;
  cache_.invalidate();
  update();
}

void Form::setHighContrast(bool on) {
  contrast_ = on;
  cache_.invalidate();
  update();
}

void Form::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRect r = event->rect();
  if (!smooth_ && !contrast_) {
    p.drawImage(r, canvas.image(), r);
    return;
  }
  const double ratio = devicePixelRatioF();
  const QImage& drawing = cache_.update(canvas, ratio, true, contrast_);
  p.drawImage(QRectF(r), drawing, QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
}

void Form::deliver(const MouseHandler& handler, QMouseEvent* event, QPointF at) {
  if (!handler) return;
  const QPointF world = canvas.toWorld(at);
  const int button = static_cast<int>(event->button() == Qt::NoButton ? event->buttons().toInt() : event->button());
  const int shift = static_cast<int>(event->modifiers().toInt() >> 25);
  handler(button, shift, static_cast<float>(world.x()), static_cast<float>(world.y()));
}

void Form::mousePressEvent(QMouseEvent* event) {
  deliver(MouseDown, event, event->position());
}
void Form::mouseMoveEvent(QMouseEvent* event) {
  deliver(MouseMove, event, event->position());
}
void Form::mouseReleaseEvent(QMouseEvent* event) {
  deliver(MouseUp, event, event->position());
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
  if (watched != kyklos.widget() && watched != shmeio.widget()) return QWidget::eventFilter(watched, event);
  const MouseHandler* handler = nullptr;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: handler = &MouseDown; break;
    case QEvent::MouseMove: handler = &MouseMove; break;
    case QEvent::MouseButtonRelease: handler = &MouseUp; break;
    default: return false;
  }
  auto* mouse = static_cast<QMouseEvent*>(event);
  // A press on the picture focuses the form, as it does beside the marker.
  if (handler == &MouseDown && focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
  deliver(*handler, mouse, static_cast<QWidget*>(watched)->mapTo(this, mouse->position()));
  return true;
}

}  // namespace canvas
