#pragma once

#include "window/IdleCall.h"
#include "window/SceneModel.h"
#include "canvas/Form.h"
#include "lab/Lab.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <optional>
#include <vector>
#include <memory>
#include <string>

class QScrollArea;

namespace lab {
struct Lesson;
struct Setup;
}  // namespace lab

namespace app {

class Banner;
class ChallengeOverlay;
class ViewMenu;
class LensMenu;
class MirrorMenu;
class MediumMenu;
class DescribePanel;
class SoundPlayer;
class LiveLab;

// The program's single window, a view over the lab: each Qt input becomes one
// call of the lab, and the window then shows what the lab holds (its
// operations drawn on the form's canvas as they happen, the captions, the
// controls' places and values, the markers, and its messages, modally).
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
  // The program itself: state, event procedures, live side.
  [[nodiscard]] lab::Lab& lab() noexcept { return lab_; }
  [[nodiscard]] const lab::SceneState& scene() const noexcept { return lab_.scene(); }
  // The results of the last constructions, with change signals for the views.
  [[nodiscard]] SceneModel& model() noexcept { return model_; }
  [[nodiscard]] ViewMenu& viewMenu() noexcept { return *viewMenu_; }
  [[nodiscard]] LensMenu& lensMenu() noexcept { return *lensMenu_; }
  [[nodiscard]] MirrorMenu& mirrorMenu() noexcept { return *mirrorMenu_; }
  [[nodiscard]] MediumMenu& mediumMenu() noexcept { return *mediumMenu_; }
  // Play, the keyboard, the focus ring.
  [[nodiscard]] LiveLab& live() noexcept { return *live_; }

  // The event procedures, run in the lab; the window follows.
  void Form_MouseDown(int button, int shift, float x, float y);
  void Form_MouseMove(int button, int shift, float x, float y);
  void Form_MouseUp(int button, int shift, float x, float y);
  void xronosmetato_Change();

  // A new client size before anything is drawn (the interactive start-up).
  void setClientSize(QSize clientPixels);
  // Draws the static scene on the client area as it now is; both start-ups end with it.
  void buildScene();
  // Everything back as at start-up, as a fresh start in this window would leave it.
  void reset();
  void setReuseContinuations(bool on) noexcept { lab_.setReuseContinuations(on); }
  // Takes another lens (Lab::setLens) and shows it in the title; the reason
  // when it is refused, nothing changed.
  std::string setLens(const optics::LensDesign& design);
  // Takes a mirror in the lens's place, or none (Lab::setMirror), and shows it in the title.
  std::string setMirror(const std::optional<optics::MirrorDesign>& design);
  // Takes a graded medium in the lens's place, or none (Lab::setMedium).
  std::string setMedium(const std::optional<optics::MediumDesign>& design);
  // The mirror scene's parallel beam on or off (Lab::setParallelBeam), the Mirror menu following.
  bool setParallelBeam(bool on);
  // Opens a set-up or a lesson in the lab (lab/SetupRun.h, lab/Lessons.h);
  // a lesson's task is shown in the banner. The reason when refused.
  std::string openSetup(const lab::Setup& setup);
  std::string openLesson(const lab::Lesson& lesson);
  // Challenge mode: on, off, and the answer (drawn over the picture).
  void startChallenge();
  void stopChallenge();
  const std::optional<lab::ChallengeReveal>& revealChallenge();
  // Called after every change of the lens, wherever it came from.
  void addLensFollower(std::function<void()> follower) { lensFollowers_.push_back(std::move(follower)); }
  [[nodiscard]] Banner& banner() noexcept { return *banner_; }
  [[nodiscard]] Banner& hints() noexcept { return *hints_; }
  // The lens in force as one line for exported files; empty for the standard lens.
  [[nodiscard]] QString lensNote() const;
  [[nodiscard]] ChallengeOverlay& challengeOverlay() noexcept { return *overlay_; }
  [[nodiscard]] ChallengeOverlay& whyOverlay() noexcept { return *why_; }
  [[nodiscard]] ChallengeOverlay& shadingOverlay() noexcept { return *shading_; }
  // The lab's words for the picture (Help > Describe the picture).
  [[nodiscard]] DescribePanel& describePanel() noexcept { return *describe_; }
  // Hearing the least time (View > Hear the travel time).
  [[nodiscard]] SoundPlayer& sound() noexcept { return *sound_; }

  // Shows every text in another language (text::UseLanguage: "" the
  // original's), at once: menus, panels, labels, buttons, banners, the graph
  // view; in a right-to-left language the menus and panels run right to left,
  // the picture does not mirror. The reason when the language is unknown.
  std::string setLanguage(const std::string& code);
  // Told of each language the user chooses from the menu (the program
  // remembers it for the next start); tests leave it empty.
  std::function<void(const std::string&)> languageChosen;

  // After every call of the lab: the window brought up to date, then the
  // lab's messages shown one by one (each dismissal lets the lab go on), and
  // a redraw of pending live positions asked for when the loop is next idle.
  void catchUp();

 private:
  // Captions, places and values, from the lab.
  void sync();
  // The title and the lens's followers after the lens may have changed.
  void showLens();
  // The challenge's banner and overlay after a change in the lab.
  void showChallenge();
  void showHints();
  void connectInputs();
  // The application's layout direction from the language in force.
  void applyDirection();

  canvas::Form* form_;
  QScrollArea* area_;
  lab::Lab lab_;
  SceneModel model_;
  ViewMenu* viewMenu_;
  LensMenu* lensMenu_;
  MirrorMenu* mirrorMenu_;
  MediumMenu* mediumMenu_;
  std::unique_ptr<LiveLab> live_;
  IdleCall idle_;
  bool showingMessage_ = false;
  Banner* banner_;
  DescribePanel* describe_;
  SoundPlayer* sound_;
  Banner* hints_;       // what the scene shows that needs words (lab::SceneHints)
  QString shownHints_;  // what hints_ was last given: hidden by a click, it stays hidden until they change
  ChallengeOverlay* overlay_;
  ChallengeOverlay* why_;  // the mirror scene's ellipses (lab::MirrorWhyDrawing)
  ChallengeOverlay* shading_;  // the medium scene's index (lab::MediumShadingDrawing), under the others
  std::vector<std::function<void()>> lensFollowers_;
  std::string shownScene_;  // the scene's summary the title shows
};

// Creates the window (which runs Form_Load) with a client area of the given
// size and builds the scene on it; showing it is the caller's choice. With
// logOperations the lab logs every operation from the very first.
[[nodiscard]] std::unique_ptr<Fermat> Main(QSize clientPixels, bool logOperations = false);

// The window's caption.
[[nodiscard]] QString WindowCaption();

}  // namespace app
