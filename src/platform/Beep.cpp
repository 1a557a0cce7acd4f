#include "platform/Beep.h"

#include <cmath>
#include <numbers>

#include "platform/AudioEngine.h"

namespace {
TSoundData MakeTone() {
  TSoundData tone;
  tone.Channels = 1;
  tone.Rate = 44100;
  const int frames = tone.Rate * BeepMs / 1000;
  const int fade = tone.Rate * 5 / 1000;  // no clicks at either end
  tone.Samples.resize(frames);
  for (int i = 0; i < frames; ++i) {
    const double envelope = std::min({1.0, static_cast<double>(i) / fade,
                                      static_cast<double>(frames - 1 - i) / fade});
    tone.Samples[i] = static_cast<std::int16_t>(
        std::lround(9000.0 * envelope * std::sin(2 * std::numbers::pi * BeepHz * i / tone.Rate)));
  }
  return tone;
}

TAudioVoice*& BeepVoice() {
  static TAudioVoice* voice = nullptr;
  return voice;
}
}  // namespace

void Beep() {
  TAudioVoice*& voice = BeepVoice();
  if (!voice) {
    voice = new TAudioVoice;
    voice->Load(MakeTone());
    // The tone is converted for the device that is open; a later device gets a fresh one.
    Audio::AtShutdown([] {
      delete BeepVoice();
      BeepVoice() = nullptr;
    });
  }
  voice->Halt();
  voice->Seek(0);
  voice->Start();
}
