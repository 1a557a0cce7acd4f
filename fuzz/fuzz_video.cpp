// Video clips from arbitrary bytes: a clip opens with a sane size and frame
// rate and gives RGB32 frames of that size in order, by jumping to the end
// and back, and its sound track; or it fails with one of our errors.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "InputFile.h"
#include "platform/Errors.h"
#include "platform/VideoClip.h"

namespace {
void CheckFrame(TVideoClip& clip, int index) {
  const QImage frame = clip.Frame(index);
  if (frame.isNull() || frame.format() != QImage::Format_RGB32 || frame.width() != clip.Width() ||
      frame.height() != clip.Height())
    std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = WriteFuzzInput(data, size, QStringLiteral("fuzz.avi"));
  TVideoClip clip;
  try {
    clip.Open(path);
    if (clip.Width() <= 0 || clip.Height() <= 0 || clip.FrameCount() < 1 ||
        !(clip.FrameRate() > 0) || clip.DurationMs() < 0)
      std::abort();
    clip.SetCacheBudget(1 << 20);
    for (int i = 0; i < 4; ++i) CheckFrame(clip, i);
    CheckFrame(clip, clip.FrameCount() - 1);
    CheckFrame(clip, 1);
    if (clip.CachedBytes() > (1 << 20)) std::abort();
    if (clip.HasAudio()) {
      const TSoundData sound = clip.DecodeAudio();
      if (sound.Channels < 1 || sound.Channels > 2 || sound.Frames() > MaxSoundFrames) std::abort();
    }
  } catch (const Exception&) {
  }
  return 0;
}
