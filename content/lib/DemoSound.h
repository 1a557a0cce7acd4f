// The demo's sounds: spoken lines through espeak-ng when it is installed (an
// English voice for English, the Polish voice for Polish), and small
// synthesised tunes, chirps and noises for everything else. Without espeak-ng
// a spoken line becomes a row of soft tones, one per word.
//
// A sound is described by words of a source line, from a given position:
//   pl "Cześć!"          en "a cat"          tone 440 300
//   tune "C5:150 E5:150 G5:300 -:100"        chirp 2000 3500 120 times=3
//   tune "C5:300 C5:300 G5:600" words="A B C"  (each word sung on its note; "-" for none)
//   noise 800 low|high
//   effect miau          (one of the places' effects, SoundEffects.h)
// Named words on the same line: speed= (words a minute), pitch= (0-99),
// voice= (an espeak-ng voice, e.g. en-us).
#pragma once

#include <QString>
#include <vector>

#include "lib/DemoSource.h"
#include "platform/AudioDecoder.h"

// Every synthesised demo sound is written at this rate.
constexpr int DemoSampleRate = 22050;

bool SpeechAvailable();

// Gentle fades and a common level, so every spoken line sounds alike.
void LevelSpeech(TSoundData& s);
// `s` mixed down to one channel at `rate` (low-passed first when the rate
// drops, then interpolated).
TSoundData MonoAt(const TSoundData& s, int rate);

class TSoundBank {
 public:
  // With `speech` false every spoken line becomes tones (faster, and the same on every machine).
  explicit TSoundBank(bool speech);
  // Queues the sound described by `node`'s arguments from `first` on, to be written to `path`
  // (a path as the data spells it). Checks the description at once.
  void Add(const QString& path, const TSourceNode& node, int first);
  // Writes every queued sound, running several speech processes at a time.
  void WriteAll();
  // Says each text at once and returns the sounds, levelled, in order (word
  // tones without speech). `node` gives the voice= speed= pitch= words.
  std::vector<TSoundData> Speak(const QStringList& texts, bool english, const TSourceNode& node);
  int Count() const { return static_cast<int>(jobs_.size()); }
  int Spoken() const { return spoken_; }

 private:
  struct TJob {
    QString Path;
    TSourceNode Node;
    int First = 0;
  };
  bool speech_;
  int spoken_ = 0;
  std::vector<TJob> jobs_;
};

// A tune's notes: frequency (0 for a rest), start and length in ms.
struct TTuneNote {
  double Hz;
  int Start;
  int Ms;
};
std::vector<TTuneNote> ParseTune(const QString& notes, const TSourceNode& where);

// The synthesised kinds (not speech), for tests and previews.
TSoundData SynthesiseTune(const QString& notes, const TSourceNode& where);
TSoundData SynthesiseWordTones(const QString& text, bool english);
