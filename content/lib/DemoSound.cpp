#include "lib/DemoSound.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <numbers>

#include "lib/LessonMedia.h"
#include "lib/MediaWriters.h"
#include "lib/SoundEffects.h"
#include "platform/Errors.h"
#include "platform/Paths.h"

namespace {

// Looked up each time: a PATH without it (a test, a machine where it was
// just removed) is noticed.
QString EspeakPath() {
  return QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
}

void Append(TSoundData& to, const std::vector<double>& samples, double gain = 0.6) {
  for (double v : samples)
    to.Samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(v * gain, -1.0, 1.0) * 32767)));
}

TSoundData Empty() {
  TSoundData s;
  s.Rate = DemoSampleRate;
  s.Channels = 1;
  s.BlockAlign = 2;
  return s;
}

// A soft mallet note: a sine with a little overtone and a quick decay.
std::vector<double> Note(double hz, int ms) {
  const int n = DemoSampleRate * ms / 1000;
  std::vector<double> out(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / DemoSampleRate;
    const double env = std::min(1.0, t / 0.008) * std::exp(-t * 5.5) *
                       std::min(1.0, (n - i) / (0.01 * DemoSampleRate));
    out[static_cast<size_t>(i)] = env * (std::sin(2 * std::numbers::pi * hz * t) +
                                         0.25 * std::sin(4 * std::numbers::pi * hz * t));
  }
  return out;
}

std::vector<double> Rest(int ms) {
  return std::vector<double>(static_cast<size_t>(DemoSampleRate * ms / 1000), 0.0);
}

double NoteFrequency(const QString& name, const TSourceNode& where) {
  static const QRegularExpression re(QStringLiteral("^([A-Ga-g])(#|b)?([0-8])$"));
  const auto m = re.match(name);
  if (!m.hasMatch()) where.Fail(QStringLiteral("'%1' is no note (C4, F#5, Bb3 ...)").arg(name));
  static const int steps[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  int semitone = steps[m.captured(1).toUpper()[0].unicode() - 'A'];
  if (m.captured(2) == QLatin1String("#")) ++semitone;
  if (m.captured(2) == QLatin1String("b")) --semitone;
  const int midi = 12 * (m.captured(3).toInt() + 1) + semitone;
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

std::vector<double> Chirp(double from, double to, int ms) {
  const int n = DemoSampleRate * ms / 1000;
  std::vector<double> out(static_cast<size_t>(n));
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    const double k = static_cast<double>(i) / n;
    const double hz = from + (to - from) * k;
    phase += 2 * std::numbers::pi * hz / DemoSampleRate;
    out[static_cast<size_t>(i)] = std::sin(std::numbers::pi * k) * std::sin(phase);
  }
  return out;
}

std::vector<double> Noise(int ms, bool low) {
  const int n = DemoSampleRate * ms / 1000;
  std::vector<double> out(static_cast<size_t>(n));
  QRandomGenerator rng(12345);
  double y = 0, slow = 0;
  const double a = low ? 0.03 : 0.35;
  for (int i = 0; i < n; ++i) {
    const double k = static_cast<double>(i) / n;
    y += a * ((rng.generateDouble() * 2 - 1) - y);
    // Wind swells; a splash dies away.
    slow = low ? 0.55 + 0.45 * std::sin(2 * std::numbers::pi * k * 1.5) : std::exp(-k * 5);
    out[static_cast<size_t>(i)] =
        y * slow * std::sin(std::numbers::pi * std::min(1.0, k * 8)) * (low ? 3.0 : 1.2);
  }
  return out;
}

// A spoken line without a speech engine: one gentle two-tone "syllable" per word.
TSoundData WordTones(const QString& text, bool english) {
  TSoundData s = Empty();
  const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
  const double base = english ? 330 : 262;
  for (const QString& w : words) {
    const double hz = base * std::pow(2.0, static_cast<double>(qHash(w) % 7) / 12.0);
    Append(s, Note(hz, 90 + 20 * std::min<int>(6, static_cast<int>(w.size()))), 0.4);
    Append(s, Rest(60));
  }
  if (words.isEmpty()) Append(s, Rest(100));
  return s;
}

bool IsSpeech(const QString& kind) { return kind == QLatin1String("pl") || kind == QLatin1String("en"); }

// The words sung on a tune's notes, one a note ("-" for none), checked against the notes.
QStringList TuneWords(const TSourceNode& n, int notes) {
  if (!n.Has(QStringLiteral("words"))) return {};
  const QStringList words = n.Text(QStringLiteral("words")).split(u' ', Qt::SkipEmptyParts);
  if (words.size() != notes)
    n.Fail(QStringLiteral("words= gives %1 words for %2 notes (\"-\" for a note without one)")
               .arg(words.size())
               .arg(notes));
  return words;
}

// The speech engine's pitch (0-99) for a sung note: 50 at C5, four steps a semitone.
int SungPitch(double hz) {
  const double midi = 69 + 12 * std::log2(hz / 440.0);
  return std::clamp(static_cast<int>(std::lround(50 + (midi - 72) * 4)), 5, 95);
}

// A word's sound from its first audible sample, at the tune's rate.
std::vector<double> Voiced(const TSoundData& word) {
  if (word.Rate <= 0) return {};
  const TSoundData mono = MonoAt(word, DemoSampleRate);
  std::vector<double> out;
  size_t first = 0;
  while (first < mono.Samples.size() && std::abs(mono.Samples[first]) < 600) ++first;
  for (size_t i = first; i < mono.Samples.size(); ++i) out.push_back(mono.Samples[i] / 32767.0);
  return out;
}

// Speaks each word at the start of its note over the melody `s`, its pitch following the note.
void SingOver(TSoundData& s, const std::vector<TTuneNote>& notes, const QStringList& words,
              const TSourceNode& n, const QString& espeak, const QString& tempDir) {
  struct TSung {
    size_t Note;
    QString Wave;
    std::unique_ptr<QProcess> Process;
  };
  std::vector<TSung> sung;
  for (size_t i = 0; i < notes.size(); ++i) {
    const QString& word = words[static_cast<int>(i)];
    if (word == QLatin1String("-")) continue;
    TSung w{i, tempDir + QStringLiteral("/sung%1.wav").arg(i), std::make_unique<QProcess>()};
    w.Process->start(
        espeak,
        {QStringLiteral("-v"), n.Text(QStringLiteral("voice"), QStringLiteral("en-gb")),
         QStringLiteral("-s"), QString::number(n.NamedInt(QStringLiteral("speed"), 150)),
         QStringLiteral("-p"), QString::number(notes[i].Hz > 0 ? SungPitch(notes[i].Hz) : 50),
         QStringLiteral("-w"), w.Wave, QStringLiteral("--"), word});
    sung.push_back(std::move(w));
  }
  for (TSung& w : sung) {
    QProcess& p = *w.Process;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
      p.kill();
      p.waitForFinished();
      n.Fail(QStringLiteral("espeak-ng failed on the sung word '%1'")
                 .arg(words[static_cast<int>(w.Note)]));
    }
  }
  std::vector<double> mix(s.Samples.size());
  for (size_t i = 0; i < mix.size(); ++i) mix[i] = 0.5 * s.Samples[i] / 32767.0;
  for (const TSung& w : sung) {
    const size_t at = static_cast<size_t>(notes[w.Note].Start) * DemoSampleRate / 1000;
    const std::vector<double> voice = Voiced(DecodeSoundFile(w.Wave));
    if (mix.size() < at + voice.size()) mix.resize(at + voice.size(), 0.0);
    for (size_t i = 0; i < voice.size(); ++i) mix[at + i] += voice[i];
  }
  s.Samples.clear();
  Append(s, mix, 0.7);
}


// espeak-ng saying `text` into `wave`, with the node's voice=, speed= and pitch=.
std::unique_ptr<QProcess> StartSpeech(const TSourceNode& n, bool english, const QString& text, const QString& wave) {
  const QString voice = n.Text(QStringLiteral("voice"), english ? QStringLiteral("en-gb") : QStringLiteral("pl"));
  auto proc = std::make_unique<QProcess>();
  proc->setProgram(EspeakPath());
  proc->setArguments({QStringLiteral("-v"), voice, QStringLiteral("-s"),
                      QString::number(n.NamedInt(QStringLiteral("speed"), english ? 130 : 150)), QStringLiteral("-p"),
                      QString::number(n.NamedInt(QStringLiteral("pitch"), 60)), QStringLiteral("-w"), wave,
                      QStringLiteral("--"), text});
  proc->start();
  return proc;
}

// Waits for a speech process and reads what it said.
TSoundData SpeechResult(QProcess& proc, const QString& wave, const TSourceNode& n) {
  if (!proc.waitForFinished(60000)) {
    proc.kill();
    proc.waitForFinished();
    n.Fail(QStringLiteral("espeak-ng took more than a minute"));
  }
  if (proc.exitStatus() != QProcess::NormalExit || proc.exitCode() != 0)
    n.Fail(QStringLiteral("espeak-ng failed: %1").arg(QString::fromLocal8Bit(proc.readAllStandardError())));
  TSoundData s = DecodeSoundFile(wave);
  LevelSpeech(s);
  return s;
}

int ParallelSpeech() { return std::max(2, QThread::idealThreadCount() * 2); }

}  // namespace

bool SpeechAvailable() { return !EspeakPath().isEmpty(); }

void LevelSpeech(TSoundData& s) {
  if (s.Samples.empty()) return;
  int peak = 1;
  for (std::int16_t v : s.Samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
  const double gain = std::min(3.0, 0.8 * 32767 / peak);
  const size_t fade = std::min<size_t>(s.Samples.size() / 2, DemoSampleRate / 200);
  for (size_t i = 0; i < s.Samples.size(); ++i) {
    double v = s.Samples[i] * gain;
    if (i < fade) v *= static_cast<double>(i) / fade;
    if (s.Samples.size() - i <= fade) v *= static_cast<double>(s.Samples.size() - i - 1) / fade;
    s.Samples[i] = static_cast<std::int16_t>(std::clamp(std::lround(v), -32767L, 32767L));
  }
}

namespace {
// A second-order low-pass (RBJ's biquad) run over `x` in place.
void LowPass(std::vector<double>& x, double cutoff, double rate, double q) {
  const double w = 2 * std::numbers::pi * cutoff / rate, alpha = std::sin(w) / (2 * q);
  const double a0 = 1 + alpha, b1 = (1 - std::cos(w)) / a0, b0 = b1 / 2, b2 = b0;
  const double a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (double& v : x) {
    const double y = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = v;
    y2 = y1;
    y1 = y;
    v = y;
  }
}
}  // namespace

TSoundData MonoAt(const TSoundData& s, int rate) {
  TSoundData out = Empty();
  out.Rate = rate;
  out.BlockAlign = 2;
  const int channels = std::max(1, s.Channels);
  const size_t frames = s.Samples.size() / static_cast<size_t>(channels);
  std::vector<double> mono(frames);
  for (size_t f = 0; f < frames; ++f) {
    double sum = 0;
    for (int c = 0; c < channels; ++c) sum += s.Samples[f * channels + static_cast<size_t>(c)];
    mono[f] = sum / channels;
  }
  if (s.Rate > rate) {
    // A fourth-order Butterworth below the new half rate, so nothing folds back.
    LowPass(mono, 0.45 * rate, s.Rate, 0.5412);
    LowPass(mono, 0.45 * rate, s.Rate, 1.3066);
  }
  const double step = s.Rate > 0 ? static_cast<double>(s.Rate) / rate : 1;
  const auto count =
      s.Rate == rate ? frames : static_cast<size_t>(static_cast<double>(frames) / step);
  out.Samples.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const double at = static_cast<double>(i) * step;
    const size_t k = static_cast<size_t>(at);
    const double t = at - static_cast<double>(k);
    const double v =
        k + 1 < frames ? (1 - t) * mono[k] + t * mono[k + 1] : mono[std::min(k, frames - 1)];
    out.Samples.push_back(static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L)));
  }
  return out;
}

std::vector<TTuneNote> ParseTune(const QString& notes, const TSourceNode& where) {
  std::vector<TTuneNote> out;
  int start = 0;
  for (const QString& item : notes.split(u' ', Qt::SkipEmptyParts)) {
    const QStringList parts = item.split(u':');
    bool ok = false;
    const int ms = parts.size() == 2 ? parts[1].toInt(&ok) : 0;
    if (!ok || ms <= 0 || ms > 10000) where.Fail(QStringLiteral("'%1' must be NOTE:MS or -:MS").arg(item));
    const double hz = parts[0] == QLatin1String("-") ? 0 : NoteFrequency(parts[0], where);
    out.push_back({hz, start, ms});
    start += ms;
  }
  return out;
}

TSoundData SynthesiseTune(const QString& notes, const TSourceNode& where) {
  TSoundData s = Empty();
  for (const TTuneNote& note : ParseTune(notes, where)) {
    if (note.Hz > 0)
      Append(s, Note(note.Hz, note.Ms));
    else
      Append(s, Rest(note.Ms));
  }
  return s;
}

TSoundData SynthesiseWordTones(const QString& text, bool english) { return WordTones(text, english); }

TSoundBank::TSoundBank(bool speech) : speech_(speech && SpeechAvailable()) {}

void TSoundBank::Add(const QString& path, const TSourceNode& node, int first) {
  const QString kind =
      node.Arg(first, "a sound (pl, en, tone, tune, chirp, noise, effect or recording)");
  if (IsSpeech(kind)) {
    node.Arg(first + 1, "the words to say");
  } else if (kind == QLatin1String("tone")) {
    node.Int(first + 1, "a frequency");
    node.Int(first + 2, "a length in ms");
  } else if (kind == QLatin1String("tune")) {
    TuneWords(node, static_cast<int>(ParseTune(node.Arg(first + 1, "notes"), node).size()));
  } else if (kind == QLatin1String("chirp")) {
    node.Int(first + 3, "a length in ms");
  } else if (kind == QLatin1String("noise")) {
    node.Int(first + 1, "a length in ms");
  } else if (kind == QLatin1String("effect")) {
    const QString name = node.Arg(first + 1, "an effect's name");
    if (!SoundEffectNames().contains(name))
      node.Fail(QStringLiteral("unknown effect '%1' (%2)")
                    .arg(name, SoundEffectNames().join(QStringLiteral(", "))));
  } else if (kind == QLatin1String("recording")) {
    const QString file = node.InputFile(node.Arg(first + 1, "a recording (WAV or MP3)"));
    if (!FileExists(file)) node.Fail(QStringLiteral("Nie ma nagrania %1").arg(ShownPath(file)));
  } else {
    node.Fail(
        QStringLiteral("unknown sound '%1' (pl, en, tone, tune, chirp, noise, effect, recording)")
            .arg(kind));
  }
  // The same file described again: the later description wins.
  for (TJob& job : jobs_)
    if (job.Path == path) {
      job = {path, node, first};
      return;
    }
  jobs_.push_back({path, node, first});
}

void TSoundBank::WriteAll() {
  QTemporaryDir temp;
  if (!temp.isValid()) throw EInOutError(QStringLiteral("cannot make a temporary directory for speech"));
  struct TRunning {
    std::unique_ptr<QProcess> Process;
    size_t Job;
    QString Wave;
  };
  std::deque<TRunning> running;
  const int parallel = ParallelSpeech();
  auto finish = [&](TRunning& r) {
    const TJob& job = jobs_[r.Job];
    WriteWave(job.Path, SpeechResult(*r.Process, r.Wave, job.Node));
  };
  for (size_t i = 0; i < jobs_.size(); ++i) {
    const TJob& job = jobs_[i];
    const TSourceNode& n = job.Node;
    const QString kind = n.Args[job.First];
    if (IsSpeech(kind) && speech_) {
      const QString wave = temp.filePath(QStringLiteral("s%1.wav").arg(i));
      auto proc = StartSpeech(n, kind == QLatin1String("en"), n.Args[job.First + 1], wave);
      running.push_back({std::move(proc), i, wave});
      ++spoken_;
      if (static_cast<int>(running.size()) >= parallel) {
        finish(running.front());
        running.pop_front();
      }
      continue;
    }
    if (kind == QLatin1String("effect")) {
      // Effects come at their own level.
      WriteWave(job.Path, SoundEffect(n.Args[job.First + 1]));
      continue;
    }
    if (kind == QLatin1String("recording")) {
      try {
        WriteWave(job.Path, ReadRecording(n.InputFile(n.Args[job.First + 1])));
      } catch (const EInOutError& e) {
        n.Fail(e.Message);
      }
      continue;
    }
    TSoundData s = Empty();
    if (IsSpeech(kind)) {
      s = WordTones(n.Args[job.First + 1], kind == QLatin1String("en"));
    } else if (kind == QLatin1String("tone")) {
      Append(s, Note(n.Int(job.First + 1, "a frequency"), n.Int(job.First + 2, "a length")));
    } else if (kind == QLatin1String("tune")) {
      s = SynthesiseTune(n.Args[job.First + 1], n);
      const std::vector<TTuneNote> notes = ParseTune(n.Args[job.First + 1], n);
      const QStringList words = TuneWords(n, static_cast<int>(notes.size()));
      if (speech_ && !words.isEmpty()) SingOver(s, notes, words, n, EspeakPath(), temp.path());
    } else if (kind == QLatin1String("chirp")) {
      const int times = n.NamedInt(QStringLiteral("times"), 1);
      for (int k = 0; k < times; ++k) {
        Append(s, Chirp(n.Int(job.First + 1, "a start frequency"), n.Int(job.First + 2, "an end frequency"),
                        n.Int(job.First + 3, "a length")), 0.5);
        Append(s, Rest(70));
      }
    } else if (kind == QLatin1String("noise")) {
      Append(s, Noise(n.Int(job.First + 1, "a length"), n.Args.value(job.First + 2) != QLatin1String("high")), 0.5);
    }
    LevelSpeech(s);
    WriteWave(job.Path, s);
  }
  for (TRunning& r : running) finish(r);
}

std::vector<TSoundData> TSoundBank::Speak(const QStringList& texts, bool english, const TSourceNode& node) {
  std::vector<TSoundData> out(static_cast<size_t>(texts.size()));
  if (!speech_) {
    for (qsizetype i = 0; i < texts.size(); ++i) {
      out[static_cast<size_t>(i)] = WordTones(texts[i], english);
      LevelSpeech(out[static_cast<size_t>(i)]);
    }
    return out;
  }
  QTemporaryDir temp;
  if (!temp.isValid()) throw EInOutError(QStringLiteral("cannot make a temporary directory for speech"));
  std::deque<std::pair<std::unique_ptr<QProcess>, qsizetype>> running;
  auto finish = [&] {
    auto& [proc, i] = running.front();
    out[static_cast<size_t>(i)] = SpeechResult(*proc, temp.filePath(QStringLiteral("l%1.wav").arg(i)), node);
    running.pop_front();
  };
  for (qsizetype i = 0; i < texts.size(); ++i) {
    running.emplace_back(StartSpeech(node, english, texts[i], temp.filePath(QStringLiteral("l%1.wav").arg(i))), i);
    ++spoken_;
    if (static_cast<int>(running.size()) >= ParallelSpeech()) finish();
  }
  while (!running.empty()) finish();
  return out;
}
