#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lab/Results.h"

namespace lab {

class Lab;

// Hearing the least time: while the entry point moves, a short tone whose
// pitch follows the travel time of the path through it, lowest at the least
// time, so that the minimum is heard; a click for each totally reflected ray
// of a new bundle. Off unless a view turns it on. The lab gives the pitches
// and the very samples; the window and the page only play them.

inline constexpr double kToneBaseHz = 220;            // the least time's pitch (A below middle C)
inline constexpr double kSemitonesPerPercent = 2;     // one per cent slower sounds two semitones higher
inline constexpr double kToneMaxSemitones = 24;       // and never more than two octaves above
inline constexpr double kToneSeconds = 0.12;
inline constexpr double kToneFadeSeconds = 0.01;      // in and out, so that no edge clicks
inline constexpr double kClickSeconds = 0.004;
inline constexpr double kClickGapSeconds = 0.06;
inline constexpr double kClickHz = 2000;
inline constexpr int kMaxClicks = 8;
inline constexpr int kMinSampleRate = 8000, kMaxSampleRate = 192000;

// The pitch in Hz of a path `percentSlower` per cent slower than the least time.
[[nodiscard]] double TonePitch(double percentSlower);

struct SoundCue {
  std::optional<double> pitchHz;  // a tone, or none
  int clicks = 0;                 // totally reflected rays, at most kMaxClicks
  [[nodiscard]] bool empty() const noexcept { return !pitchHz && clicks == 0; }
};

// What to play after each call of the lab: a tone when the source, the entry
// point or the target moved (mid-drag too: the tone follows the hand), the
// clicks when a new bundle has totally reflected rays.
class SoundFollower {
 public:
  [[nodiscard]] SoundCue next(const Lab& lab);

 private:
  std::optional<std::array<float, 6>> placed_;  // source, entry and target as last heard; none before the first call
  std::uint64_t bundles_ = 0;
};

// The cue as mono samples in [-1, 1] at `rate` samples a second (held to
// kMinSampleRate .. kMaxSampleRate): the tone, then each click. Empty for an
// empty cue.
[[nodiscard]] std::vector<float> CueSamples(const SoundCue& cue, int rate);

// The samples as a WAV file (RIFF, mono, 16-bit PCM at `rate`, little-endian),
// each sample rounded to the nearest of the 65535 steps: fermat-lab --sound.
inline constexpr int kWavSampleRate = 48000;
[[nodiscard]] std::int16_t PcmSample(float sample) noexcept;
[[nodiscard]] std::string WavFile(const std::vector<float>& samples, int rate);

// The help line of --sound.
inline constexpr const char* kSoundHelp =
    "Write what each action makes heard (the tone of the travel time, a click per totally reflected ray) as a WAV "
    "file, mono, 48000 samples a second.";

}  // namespace lab
