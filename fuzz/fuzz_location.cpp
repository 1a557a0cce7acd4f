// Location files from arbitrary bytes: the reader either returns a place that
// fits the screen's tables or throws one of our errors.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/Errors.h"
#include "world/LocationFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    const TLocation loc = ReadLocation(bytes, QStringLiteral("fuzz.lok"));
    if (loc.WalkSpots.size() > MaxWalkSpots || loc.SoundSpots.size() > MaxSoundSpots ||
        loc.Sprites.size() > MaxSprites || loc.ExerciseSpots.size() > MaxExerciseSpots ||
        loc.WaveEvents.size() > MaxWaveEvents || loc.AniEvents.size() > MaxAniEvents)
      std::abort();
    for (const auto& s : loc.Sprites)
      if (s.Frames < 1) std::abort();
    TEventSchedule schedule{};
    BuildEventSchedule(schedule, static_cast<int>(loc.AniEvents.size()),
                       static_cast<int>(loc.WaveEvents.size()));
    for (const auto& slot : schedule) {
      const int limit = slot.Kind == TEventKind::Video ? static_cast<int>(loc.AniEvents.size())
                                                       : static_cast<int>(loc.WaveEvents.size());
      if (slot.Kind != TEventKind::None && (slot.Index < 1 || slot.Index > limit)) std::abort();
    }
  } catch (const Exception&) {
  }
  ReadCommaFields(QString::fromLatin1(bytes.left(4096)), 10);
  return 0;
}
