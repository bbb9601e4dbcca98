#pragma once

#include "app/SceneModel.h"
#include "canvas/Form.h"
#include "core/Inputs.h"
#include "scene/SceneState.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QScrollArea;

namespace app {

class ViewMenu;
class LiveLab;

// The program's single window. Its client area is the form with the canvas
// and the controls; the member functions named Control_Event are the event
// procedures, each turning one user input into calls of the layers below.
//
// The client area keeps the size it had at start-up, which fixed the world
// frame: when the window is made smaller, scroll bars appear; when it is made
// larger, the picture stays centred. The picture and the mouse mapping thus
// never change with the window's size.
class Fermat final : public QMainWindow {
 public:
  explicit Fermat(QSize clientPixels, QWidget* parent = nullptr);
  ~Fermat() override;

  [[nodiscard]] canvas::Form& form() noexcept { return *form_; }
  [[nodiscard]] scene::SceneState& scene() noexcept { return scene_; }
  // The results of the last constructions and the path the markers give.
  [[nodiscard]] SceneModel& model() noexcept { return model_; }
  [[nodiscard]] ViewMenu& viewMenu() noexcept { return *viewMenu_; }
  // Live drawing while dragging, Play, the keyboard.
  [[nodiscard]] LiveLab& live() noexcept { return *live_; }

  void Form_Load();
  void Form_MouseDown(int button, int shift, float x, float y);
  void Form_MouseMove(int button, int shift, float x, float y);
  void Form_MouseUp(int button, int shift, float x, float y);
  void thesiy_Change();
  void arithmosaktinon_Change();
  void xronosmetato_Change();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();

  // Draws the static scene on the client area as it now is and puts the
  // start-up path into the model; both start-ups end with it.
  void buildScene();

  // Everything back as at start-up, as a fresh start in this window would
  // leave it: the markers, the bars, the labels, a blank canvas with the
  // static scene drawn anew, no construction results; no event fires.
  void reset();

  // Puts the path source -> entry point -> target, as the markers and the
  // height bar stand now, into the model with the travel time last shown.
  void updatePath(std::optional<double> time);

  // Whether a time-slider change may reuse the last continuation (on by
  // default); off, every change computes it anew, as the classic program did.
  void setReuseContinuations(bool on) noexcept { reuse_ = on; }

  // At most one of the two is true at any time.
  bool DraggingPoint = false;   // the entry point shmeio is being dragged
  bool DraggingSource = false;  // the source kyklos is being dragged

 private:
  // Everything a construction takes from the widgets, read once per event.
  struct Inputs {
    core::SourcePoint source;
    int height = 0, rays = 0, slider = 0;
    core::Frame frame;
  };
  [[nodiscard]] Inputs readInputs() const;
  void continueBundle(const Inputs& in);

  // The picture a time-slider change drew up to the second wavelet
  // generation, which alone depends on the slider. It is the same whenever
  // the change starts from the same drawing state (the static scene reads it)
  // with the same height, source, ray count and frame, so a later change with
  // that key draws it again in one step and adds only the second generation.
  struct SliderKey {
    canvas::Canvas::DrawingState entry;  // without the current point, which Cls resets
    int height = 0;
    core::SourcePoint source;
    int rays = 0;
    core::Frame frame;
    bool operator==(const SliderKey&) const = default;
  };
  struct SliderPicture {
    SliderKey key;
    canvas::Canvas::Saved drawn;  // from the Cls to the end of the first generation
    core::Drawing captions;       // the construction's captions, in order
    std::uint64_t serial = 0;     // of the model's continuation it was drawn from
  };
  [[nodiscard]] SliderKey sliderKey(const Inputs& in) const;
  // The picture drawn since `start`, unless the construction opens a message box.
  [[nodiscard]] std::optional<SliderPicture> takeSliderPicture(const SliderKey& key,
                                                               const core::BundleContinuationResult& c,
                                                               canvas::Canvas::Mark start) const;

  canvas::Form* form_;
  QScrollArea* area_;
  scene::SceneState scene_;
  SceneModel model_;
  ViewMenu* viewMenu_;
  std::unique_ptr<LiveLab> live_;
  bool reuse_ = true;
  std::optional<SliderPicture> sliderPicture_;
};

// Creates the window (which runs Form_Load) with a client area of the given
// size and builds the scene on it; showing it is the caller's choice. With
// logOperations the canvas logs every operation from the very first.
[[nodiscard]] std::unique_ptr<Fermat> Main(QSize clientPixels, bool logOperations = false);

// The window's caption.
[[nodiscard]] QString WindowCaption();

}  // namespace app
