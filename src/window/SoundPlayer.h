#pragma once

#include <QBuffer>
#include <QObject>

#include <vector>

#include "lab/Sound.h"

class QAudioSink;

namespace app {

// Hearing the least time in the window (View > Hear the travel time, off by
// default): after each call of the lab, the lab's samples of what it made
// heard (lab::Sound) go to the default audio output, when there is one. The
// window makes no sound of its own.
class SoundPlayer final : public QObject {
 public:
  explicit SoundPlayer(QObject* parent);
  ~SoundPlayer() override;

  // On: heard from now on (what came before stays silent); off: silent.
  void setOn(bool on, const lab::Lab& lab);
  [[nodiscard]] bool on() const noexcept { return on_; }
  void follow(const lab::Lab& lab);
  // The samples given to the output since it was turned on, the last ten
  // seconds of them (for the tests; kept also where there is no output device).
  [[nodiscard]] const std::vector<float>& played() const noexcept { return played_; }

 private:
  void play(const std::vector<float>& samples);

  lab::SoundFollower follower_;
  bool on_ = false;
  std::vector<float> played_;
  QAudioSink* sink_ = nullptr;
  QBuffer buffer_;  // the cue playing, as 16-bit samples
};

}  // namespace app
