// The demo's songs: a melody made up on a pentatonic scale with a bass line
// under it, each text line spoken over its own stretch of the melody, and
// the timed text that makes the songs screen follow it. The backing track
// is the same music without the voice, so both versions share the timing.
//
//   song 1 beat=480 seed=3 [voice=en-us] [speed=140] [pitch=50]
//     line "One, two, three, four, five"
//     line "Once I caught a fish alive"
//
// Each word takes one beat and its note; a line then rests two beats, or as
// many more as the spoken line needs to end before the next one starts. Four
// beats of melody lead in before the first line.
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "exercises/SongFile.h"
#include "lib/DemoContext.h"
#include "lib/MediaWriters.h"

namespace {

constexpr int kLeadInBeats = 4;
constexpr int kRestBeats = 2;
// The speech ends this long before the next line comes up.
constexpr int kBreathMs = 200;
const char* const kScale[] = {"C5", "D5", "E5", "G5", "A5", "C6"};
const char* const kBass[] = {"C3", "G3", "A3", "F3"};

// Adds `from` into `to` from sample `at` on, with `gain`, growing `to` as needed.
void MixIn(std::vector<double>& to, const TSoundData& from, std::int64_t at, double gain) {
  if (from.Rate <= 0 || from.Channels < 1) return;
  const std::int64_t frames = from.Frames();
  const double step = static_cast<double>(from.Rate) / 22050.0;
  const auto count = static_cast<std::int64_t>(static_cast<double>(frames) / step);
  if (static_cast<std::int64_t>(to.size()) < at + count)
    to.resize(static_cast<size_t>(at + count), 0.0);
  for (std::int64_t i = 0; i < count; ++i) {
    const auto f = static_cast<std::int64_t>(static_cast<double>(i) * step);
    to[static_cast<size_t>(at + i)] +=
        gain * from.Samples[static_cast<size_t>(f * from.Channels)] / 32768.0;
  }
}

TSoundData ToSound(const std::vector<double>& samples) {
  TSoundData s;
  s.Rate = 22050;
  s.Channels = 1;
  s.BlockAlign = 2;
  s.Samples.reserve(samples.size());
  for (double v : samples)
    s.Samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767)));
  return s;
}

std::int64_t AtMs(std::int64_t ms) {
  return ms * 22050 / 1000;
}

}  // namespace

void CompileSong(TDemoContext& ctx, const TSourceNode& n) {
  n.Allow({"beat", "seed", "voice", "speed", "pitch"});
  const int number = n.Int(0, "the song number");
  if (number < 1 || number > 99) n.Fail(QStringLiteral("song numbers run from 1 to 99"));
  const int beat = n.NamedInt(QStringLiteral("beat"), 480);
  if (beat < 200 || beat > 2000 || beat % 20 != 0)
    n.Fail(QStringLiteral("beat= must be 200 to 2000 ms, a multiple of 20 (whole samples)"));

  QStringList texts;
  std::vector<QStringList> words;
  for (const TSourceNode& c : n.Children) {
    if (c.Command != QLatin1String("line"))
      c.Fail(QStringLiteral("a song holds only line \"text\" lines"));
    c.Allow({});
    texts << c.Arg(0, "the words of the line");
    words.push_back(
        texts.back().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts));
    if (words.back().isEmpty() || words.back().size() > MaxSongWords)
      c.Fail(QStringLiteral("a line has 1 to %1 words").arg(MaxSongWords));
  }
  if (texts.isEmpty() || texts.size() > MaxSongLines)
    n.Fail(QStringLiteral("a song has 1 to %1 lines").arg(MaxSongLines));

  const std::vector<TSoundData> voices = ctx.Sounds.Speak(texts, true, n);
  QRandomGenerator rng(static_cast<quint32>(number * 7919 + n.NamedInt(QStringLiteral("seed"), 1)));
  int degree = 0;
  auto nextNote = [&] {
    degree = std::clamp(degree + static_cast<int>(rng.bounded(5)) - 2, 0, 5);
    return QString::fromLatin1(kScale[degree]);
  };

  QStringList melody, bass;
  std::vector<double> voice;
  TSong song;
  auto addBeats = [&](int beats, bool sing) {
    for (int b = 0; b < beats; ++b)
      melody << (sing ? nextNote() : QStringLiteral("-")) + u':' + QString::number(beat);
  };
  addBeats(kLeadInBeats, true);
  std::int64_t ms = static_cast<std::int64_t>(kLeadInBeats) * beat;
  for (size_t i = 0; i < words.size(); ++i) {
    const int count = static_cast<int>(words[i].size());
    const int speechMs =
        voices[i].Rate > 0 ? static_cast<int>(voices[i].Frames() * 1000 / voices[i].Rate) : 0;
    const int beats = std::max(count + kRestBeats, (speechMs + kBreathMs + beat - 1) / beat);
    MixIn(voice, voices[i], AtMs(ms), 0.9);
    addBeats(count, true);
    // The line ends on the home note, then the melody waits for the next line.
    melody << QStringLiteral("C5:%1").arg(beat);
    addBeats(beats - count - 1, false);
    TSongLine line;
    line.Words = words[i];
    line.Times.assign(static_cast<size_t>(count), beat);
    line.Times.back() += (beats - count) * beat;
    if (i == 0) line.Times.front() += kLeadInBeats * beat;
    song.Lines.push_back(line);
    ms += static_cast<std::int64_t>(beats) * beat;
  }
  const int totalBeats = static_cast<int>(ms / beat);
  for (int b = 0; b < totalBeats; b += 2)
    bass << QStringLiteral("%1:%2").arg(QString::fromLatin1(kBass[(b / 8) % 4])).arg(2 * beat);

  std::vector<double> backing;
  MixIn(backing, SynthesiseTune(melody.join(u' '), n), 0, 0.55);
  MixIn(backing, SynthesiseTune(bass.join(u' '), n), 0, 0.45);
  backing.resize(static_cast<size_t>(AtMs(ms)), 0.0);
  voice.resize(backing.size(), 0.0);
  std::vector<double> sung(backing.size());
  for (size_t i = 0; i < sung.size(); ++i) sung[i] = 0.7 * backing[i] + voice[i];

  const QString base = QStringLiteral("cd") + SongWavePath(QString(), number, QString()).chopped(4);
  WriteWave(ctx.RealPath(n, base + QStringLiteral(".wav")), ToSound(sung), TWaveEncoding::ImaAdpcm);
  WriteWave(ctx.RealPath(n, base + QStringLiteral("N.wav")), ToSound(backing),
            TWaveEncoding::ImaAdpcm);
  SaveSongFile(ctx.RealPath(n, QStringLiteral("cd") + SongTextPath(QString(), number)), song);
  ctx.Report.Sounds += 2;
}
