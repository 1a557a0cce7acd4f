#include "support/YamahaWave.h"

#include <QFile>
#include <algorithm>
#include <cstdlib>

#include "platform/Errors.h"

namespace {
constexpr int kDiff[16] = {1, 3, 5, 7, 9, 11, 13, 15, -1, -3, -5, -7, -9, -11, -13, -15};
constexpr int kScale[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                            230, 230, 230, 230, 307, 409, 512, 614};

struct TYamahaState {
  int predictor = 0, step = 127;
  int Encode(int sample) {
    const int delta = sample - predictor;
    const int nibble = std::min(7, std::abs(delta) * 4 / step) + (delta < 0 ? 8 : 0);
    predictor = std::clamp(predictor + step * kDiff[nibble] / 8, -32768, 32767);
    step = std::clamp(step * kScale[nibble] >> 8, 127, 24576);
    return nibble;
  }
};

QByteArray U32(std::uint32_t v) {
  return QByteArray(reinterpret_cast<const char*>(&v), 4);
}
QByteArray U16(std::uint16_t v) {
  return QByteArray(reinterpret_cast<const char*>(&v), 2);
}
}  // namespace

void WriteYamahaWave(const QString& path, const TSoundData& sound) {
  const int channels = sound.Channels == 2 ? 2 : 1;
  TYamahaState state[2];
  QByteArray data;
  // Low nibble first; in stereo the low one is the left channel.
  const std::int64_t frames = sound.Frames();
  for (std::int64_t f = 0; f + (channels == 1 ? 1 : 0) < frames; f += channels == 1 ? 2 : 1) {
    const int a = state[0].Encode(sound.Samples[static_cast<std::size_t>(f * channels)]);
    const int b = channels == 1
                      ? state[0].Encode(sound.Samples[static_cast<std::size_t>(f + 1)])
                      : state[1].Encode(sound.Samples[static_cast<std::size_t>(f * 2 + 1)]);
    data.append(static_cast<char>(a | b << 4));
  }
  const auto rate = static_cast<std::uint32_t>(sound.Rate);
  const QByteArray fmt = U16(0x0020) + U16(static_cast<std::uint16_t>(channels)) + U32(rate) +
                         U32(rate * channels / 2) + U16(1) + U16(4);
  const QByteArray body = "WAVEfmt " + U32(fmt.size()) + fmt + "data" +
                          U32(static_cast<std::uint32_t>(data.size())) + data;
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write("RIFF" + U32(body.size()) + body) < 0)
    throw EInOutError(QStringLiteral("Nie można zapisać pliku %1").arg(path));
}
