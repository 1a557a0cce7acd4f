// Sound files from arbitrary bytes, decoded whole as the audio engine does
// (libsndfile first, FFmpeg for what it refuses): one or two channels of
// whole frames within the length limit, or one of our errors.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "InputFile.h"
#include "platform/AudioDecoder.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = WriteFuzzInput(data, size, QStringLiteral("fuzz.wav"));
  try {
    const TSoundData sound = DecodeSoundFile(path);
    if (sound.Channels < 1 || sound.Channels > 2 || sound.Rate <= 0 || sound.BlockAlign <= 0)
      std::abort();
    if (sound.Samples.size() % static_cast<size_t>(sound.Channels) != 0) std::abort();
    if (sound.Frames() > MaxSoundFrames || sound.LengthMs() < 0) std::abort();
  } catch (const Exception&) {
  }
  return 0;
}
