#pragma once

#include "cli/CommandLine.h"
#include "headless/Start.h"

#include <memory>

namespace app {

class Fermat;

// fermat-lens's part of a session (headless::RunSession keeps the order): the
// window built on the size asked for (offscreen on 1280x800 unless --size
// says otherwise, else maximised on the screen), every start and input
// through the window so that it follows; without a display, messages printed
// as "MsgBox<TAB>text" lines and the pictures written after the session's
// files; with one, the event loop takes over after the actions.
class WindowProgram final : public headless::Program {
 public:
  explicit WindowProgram(const Options& options);
  ~WindowProgram() override;

  lab::Lab& build(const headless::Session& s) override;
  [[nodiscard]] std::string setLens(const optics::LensDesign& design) override;
  [[nodiscard]] std::string setMirror(const optics::MirrorDesign& design) override;
  [[nodiscard]] std::string setMedium(const optics::MediumDesign& design) override;
  [[nodiscard]] std::string openSetup(const lab::Setup& setup) override;
  [[nodiscard]] std::string openLesson(const lab::Lesson& lesson) override;
  void setLive(bool on) override;
  void startChallenge() override;
  void run(const lab::Action& action) override;
  std::optional<int> handOver() override;
  const std::optional<lab::ChallengeReveal>& revealChallenge() override;
  [[nodiscard]] std::string addOutputs(headless::OutputFiles& files) override;

  [[nodiscard]] Fermat& window() { return *window_; }

 private:
  const Options& o_;
  std::unique_ptr<Fermat> window_;
};

}  // namespace app
