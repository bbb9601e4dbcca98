#include "window/SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QGuiApplication>
#include <QMediaDevices>

namespace app {

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() {
  if (sink_) sink_->stop();
}

void SoundPlayer::setOn(bool on, const lab::Lab& lab) {
  on_ = on;
  played_.clear();
  if (!on) {
    if (sink_) sink_->stop();
    return;
  }
  (void)follower_.next(lab);  // the scene as it stands is not news
}

void SoundPlayer::follow(const lab::Lab& lab) {
  if (!on_) return;
  const std::vector<float> samples = lab::CueSamples(follower_.next(lab), lab::kWavSampleRate);
  if (!samples.empty()) play(samples);
}

void SoundPlayer::play(const std::vector<float>& samples) {
  played_.insert(played_.end(), samples.begin(), samples.end());
  // The last ten seconds are kept, not a whole lesson's.
  constexpr std::size_t kKept = 10 * lab::kWavSampleRate;
  if (played_.size() > kKept) played_.erase(played_.begin(), played_.end() - kKept);
  // A run without a screen (the tests, --offscreen) has nobody to hear it:
  // the audio back end is not even loaded.
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) return;
  if (!sink_) {
    // The default output, if the machine has one that takes 16-bit mono at
    // the lab's rate; without one the window stays silent.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(lab::kWavSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isNull() || !device.isFormatSupported(format)) return;
    sink_ = new QAudioSink(device, format, this);
  }
  // A new cue cuts the one still playing: the tone follows the hand.
  sink_->stop();
  buffer_.close();
  QByteArray bytes(static_cast<qsizetype>(samples.size() * 2), Qt::Uninitialized);
  auto* out = reinterpret_cast<std::int16_t*>(bytes.data());
  for (std::size_t i = 0; i < samples.size(); ++i) out[i] = lab::PcmSample(samples[i]);
  buffer_.setData(bytes);
  buffer_.open(QIODevice::ReadOnly);
  sink_->start(&buffer_);
}

}  // namespace app
