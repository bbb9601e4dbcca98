#pragma once

#include "canvas/Canvas.h"
#include "canvas/CommandButton.h"
#include "canvas/DrawingCache.h"
#include "canvas/Label.h"
#include "canvas/ScrollBar.h"
#include "canvas/Shape.h"
#include "lab/Controls.h"

#include <QWidget>

#include <functional>
#include <vector>

namespace canvas {

// Value ranges of the three scroll bars, as the program has them.
using lab::BarRange;
using lab::kRaysRange;
using lab::kThesiyRange;
using lab::kTimeRange;

// The client area of the window: the retained canvas, shown as it is, with
// every control of the window placed on it at its design properties. Mouse
// presses, moves and releases on the canvas arrive in world units of the
// current frame; while a button pressed on the canvas is held, the canvas
// keeps receiving the moves and the release, wherever the pointer goes.
class Form final : public QWidget {
 public:
  // Button and Shift as 16-bit integers (unused by the program), X and Y in world units.
  using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
  using MessageHandler = std::function<void(const QString& text)>;

  explicit Form(QSize clientPixels, QWidget* parent = nullptr);

  Canvas canvas;

  CommandButton Command1;
  CommandButton Command2;
  CommandButton Command3;
  CommandButton Command4;
  CommandButton Command5;
  ScrollBar thesiy;
  ScrollBar arithmosaktinon;
  ScrollBar xronosmetato;
  Label Label1;
  Label Label2;
  Label Label3;
  Label Label4;
  Label Label5;
  Label Label6;
  Shape shmeio;
  Shape kyklos;

  MouseHandler MouseDown;
  MouseHandler MouseMove;
  MouseHandler MouseUp;

  // A modal message with an OK button; returns when it is dismissed. With a
  // handler set (offscreen runs, tests) the handler gets the text instead.
  void MsgBox(const QString& text);
  void setMessageHandler(MessageHandler handler) { message_ = std::move(handler); }
  // Which messages open, when, and which a thumb drag holds back is the
  // lab's (lab::Lab::message); the form only shows them.

  // Paints the whole client area (canvas and controls) into an image, at the
  // device pixel ratio in force.
  [[nodiscard]] QImage snapshot();

  // Whether the drawing is shown smooth, from the recorded operations at the
  // screen's device pixel ratio, or as the retained image is (on by default).
  void setSmooth(bool on);
  [[nodiscard]] bool smooth() const noexcept { return smooth_; }
  // The high-contrast theme (lab::Contrast): the drawing painted from the
  // record through its rules, never into the retained image. Off by default.
  void setHighContrast(bool on);
  [[nodiscard]] bool highContrast() const noexcept { return contrast_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Mouse input on a marker is the canvas's: a marker dropped onto a control
  // stays above it (stacking) and can be grabbed there again.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // After the lab gave the canvas a new blank picture: a new size is the
  // client area's (a start-up that learns it once the window is shown); the
  // same size is a reset to the start-up state, every control back at its
  // design properties, without any event.
  void pixelsReset(bool resized);
  void deliver(const MouseHandler& handler, QMouseEvent* event, QPointF at);

  MessageHandler message_;
  bool smooth_ = true;
  bool contrast_ = false;
  // The smooth drawing of the lab's record at the device pixel ratio: moving
  // a marker or a control repaints from it; new operations are painted onto it.
  DrawingCache cache_;
};

}  // namespace canvas
