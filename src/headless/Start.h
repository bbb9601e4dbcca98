#pragma once

#include "headless/Session.h"
#include "lab/Challenge.h"
#include "lab/Lab.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace lab {
struct Lesson;
}

namespace headless {

class OutputFiles;

// What a program does its own way while a session runs; RunSession keeps
// the order of the steps. fermat-lab's is LabProgram; fermat-lens's drives
// its window.
class Program {
 public:
  virtual ~Program() = default;
  // Builds the lab on the client size the session asks for (none: the
  // program's own choice), logging every operation when a trace is asked for,
  // and draws the scene.
  virtual lab::Lab& build(const Session& s) = 0;
  // The starts, each refused with a one-line reason and nothing changed.
  [[nodiscard]] virtual std::string setLens(const optics::LensDesign& design) = 0;
  [[nodiscard]] virtual std::string setMirror(const optics::MirrorDesign& design) = 0;
  [[nodiscard]] virtual std::string setMedium(const optics::MediumDesign& design) = 0;
  [[nodiscard]] virtual std::string openSetup(const lab::Setup& setup) = 0;
  [[nodiscard]] virtual std::string openLesson(const lab::Lesson& lesson) = 0;
  virtual void setLive(bool on) = 0;
  virtual void startChallenge() = 0;
  // One scripted action, every message it raises shown and dismissed.
  virtual void run(const lab::Action& action) = 0;
  // After the actions: an exit status when the user takes over from here (the
  // window's event loop), and then nothing is printed or written.
  virtual std::optional<int> handOver() { return std::nullopt; }
  virtual const std::optional<lab::ChallengeReveal>& revealChallenge() = 0;
  // The program's own output files, added after the session's.
  [[nodiscard]] virtual std::string addOutputs(OutputFiles& files) = 0;
};

// How a session ended: the exit status, and the one-line error of status 2.
struct Ending {
  int status = 0;
  std::string error;
};

// Runs a session that was read and checked (ReadSession, CheckSession): the
// lab built, the lens, set-up or lesson applied, the live switch and the
// challenge, the actions; then (unless the program hands over) the labels and
// the challenge's line printed to `out`, and every output made and written
// together, whole or not at all.
[[nodiscard]] Ending RunSession(const Session& s, Program& program, std::ostream& out);

// fermat-lab's program: the lab without a sink on 1280x800 unless the session
// says otherwise, messages printed as "MsgBox<TAB>text" lines on `out`.
class LabProgram final : public Program {
 public:
  explicit LabProgram(std::ostream& out) : out_(out) {}
  lab::Lab& build(const Session& s) override;
  [[nodiscard]] std::string setLens(const optics::LensDesign& design) override;
  [[nodiscard]] std::string setMirror(const optics::MirrorDesign& design) override;
  [[nodiscard]] std::string setMedium(const optics::MediumDesign& design) override;
  [[nodiscard]] std::string openSetup(const lab::Setup& setup) override;
  [[nodiscard]] std::string openLesson(const lab::Lesson& lesson) override;
  void setLive(bool on) override;
  void startChallenge() override;
  void run(const lab::Action& action) override;
  const std::optional<lab::ChallengeReveal>& revealChallenge() override;
  [[nodiscard]] std::string addOutputs(OutputFiles&) override { return {}; }
  [[nodiscard]] lab::Lab& lab() { return *lab_; }

 private:
  std::ostream& out_;
  std::optional<lab::Lab> lab_;
};

}  // namespace headless
