#include "lab/Sound.h"

#include "lab/Challenge.h"
#include "lab/Lab.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lab {

double TonePitch(double percentSlower) {
  if (!std::isfinite(percentSlower)) percentSlower = kToneMaxSemitones / kSemitonesPerPercent;
  const double semitones = std::clamp(percentSlower * kSemitonesPerPercent, 0.0, kToneMaxSemitones);
  return kToneBaseHz * std::exp2(semitones / 12);
}

SoundCue SoundFollower::next(const Lab& lab) {
  SoundCue cue;
  const ShapeCentre s = CentreOf(lab.controls().kyklos), e = CentreOf(lab.controls().shmeio);
  // The target as the path knows it: the lens's point at the bar's height, or the marker of the other scenes.
  const core::Point t = lab.results().path().Target;
  const std::array<float, 6> placed{s.x, s.y, e.x, e.y, static_cast<float>(t.x), static_cast<float>(t.y)};
  const std::uint64_t bundles = lab.results().revision(Results::Change::Bundle);
  // The start is silent: only what moves afterwards is heard.
  if (!placed_) {
    placed_ = placed;
    bundles_ = bundles;
    return cue;
  }
  if (placed_ != placed) {
    placed_ = placed;
    if (const std::optional<double> percent = PercentSlower(LeastTimeAnswer(lab))) cue.pitchHz = TonePitch(*percent);
  }
  if (bundles != bundles_) {
    bundles_ = bundles;
    if (!lab.mirror() && !lab.medium() && lab.results().bundle()) {
      const std::size_t reflected = core::TotallyReflected(*lab.results().bundle());
      cue.clicks = static_cast<int>(std::min<std::size_t>(reflected, kMaxClicks));
    }
  }
  return cue;
}

std::vector<float> CueSamples(const SoundCue& cue, int rate) {
  std::vector<float> out;
  if (cue.empty()) return out;
  rate = std::clamp(rate, kMinSampleRate, kMaxSampleRate);
  const auto samples = [rate](double seconds) { return static_cast<std::size_t>(std::lround(seconds * rate)); };
  const double twoPi = 2 * std::numbers::pi;
  if (cue.pitchHz) {
    const std::size_t n = samples(kToneSeconds), fade = samples(kToneFadeSeconds);
    out.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
      // A linear fade in and out over `fade` samples; a quarter of full scale, a comfortable loudness.
      const double edge = std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(n - 1 - i) / fade});
      out.push_back(static_cast<float>(0.25 * edge * std::sin(twoPi * *cue.pitchHz * i / rate)));
    }
  }
  const std::size_t click = samples(kClickSeconds), gap = samples(kClickGapSeconds);
  for (int k = 0; k < cue.clicks; ++k) {
    if (!out.empty() || k > 0) out.insert(out.end(), gap, 0.0f);
    for (std::size_t i = 0; i < click; ++i) {
      // A short burst that decays: heard as a tick, not a tone.
      const double decay = 1 - static_cast<double>(i) / click;
      out.push_back(static_cast<float>(0.5 * decay * std::sin(twoPi * kClickHz * i / rate)));
    }
  }
  return out;
}

std::int16_t PcmSample(float sample) noexcept {
  const float held = std::isfinite(sample) ? std::clamp(sample, -1.0f, 1.0f) : 0.0f;
  return static_cast<std::int16_t>(std::lround(held * 32767.0f));
}

std::string WavFile(const std::vector<float>& samples, int rate) {
  std::string out;
  const auto put = [&out](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xffu);
  };
  const auto data = static_cast<std::uint32_t>(samples.size() * 2);
  out += "RIFF";
  put(36 + data, 4);
  out += "WAVEfmt ";
  put(16, 4);  // the format chunk's size
  put(1, 2);   // PCM
  put(1, 2);   // mono
  put(static_cast<std::uint32_t>(rate), 4);
  put(static_cast<std::uint32_t>(rate) * 2, 4);  // bytes a second
  put(2, 2);   // bytes a frame
  put(16, 2);  // bits a sample
  out += "data";
  put(data, 4);
  for (const float s : samples) put(static_cast<std::uint16_t>(PcmSample(s)), 2);
  return out;
}

}  // namespace lab
