#include "gui/engine/ClickSound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>

#include <cmath>
#include <numbers>

namespace brisca {
namespace {

// The click: a short tone that dies away at once.
constexpr double kClickSeconds = 0.012;
constexpr double kToneHz = 2200.0;
constexpr double kDecaySeconds = 0.002;
constexpr double kVolume = 0.45;

std::function<void()>& PlayHook() {
  static std::function<void()> hook;
  return hook;
}

double ClickSample(double t) {
  return kVolume * std::sin(2.0 * std::numbers::pi * kToneHz * t) * std::exp(-t / kDecaySeconds);
}

// The samples of the click in `format` (16-bit or float channels); empty for
// any other sample format.
QByteArray MakeClick(const QAudioFormat& format) {
  const int frames = static_cast<int>(format.sampleRate() * kClickSeconds);
  const int channels = format.channelCount();
  QByteArray data;
  data.reserve(frames * format.bytesPerFrame());
  for (int i = 0; i < frames; ++i) {
    const double value = ClickSample(static_cast<double>(i) / format.sampleRate());
    for (int c = 0; c < channels; ++c) {
      if (format.sampleFormat() == QAudioFormat::Int16) {
        const auto sample = static_cast<qint16>(value * 32767.0);
        data.append(reinterpret_cast<const char*>(&sample), sizeof sample);
      } else if (format.sampleFormat() == QAudioFormat::Float) {
        const auto sample = static_cast<float>(value);
        data.append(reinterpret_cast<const char*>(&sample), sizeof sample);
      } else {
        return {};
      }
    }
  }
  return data;
}

// The player, made at the first click and destroyed with the application.
class ClickPlayer : public QObject {
 public:
  explicit ClickPlayer(QObject* parent) : QObject(parent) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return;
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) format = device.preferredFormat();
    sound_ = MakeClick(format);
    if (sound_.isEmpty()) return;
    buffer_.setData(sound_);
    sink_ = new QAudioSink(device, format, this);
  }

  void Play() {
    if (!sink_) return;
    sink_->stop();
    buffer_.close();
    buffer_.open(QIODevice::ReadOnly);
    sink_->start(&buffer_);  // pulls the samples from the buffer as the device asks
  }

 private:
  QByteArray sound_;
  QBuffer buffer_;
  QAudioSink* sink_ = nullptr;
};

ClickPlayer* Player() {
  static QPointer<ClickPlayer> player;
  if (!player && QCoreApplication::instance()) player = new ClickPlayer(QCoreApplication::instance());
  return player;
}

}  // namespace

void ClickSound::Play() {
  if (PlayHook()) {
    PlayHook()();
    return;
  }
  if (ClickPlayer* player = Player()) player->Play();
}

void ClickSound::SetPlayHook(std::function<void()> hook) { PlayHook() = std::move(hook); }

}  // namespace brisca
