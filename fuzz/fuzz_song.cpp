// Song text files from arbitrary bytes: a song read never holds more lines or
// words than the screen's tables, its line ends never fall, and what the
// writer makes of it reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "exercises/SongFile.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  TSong song;
  try {
    song = ReadSong(bytes, QStringLiteral("song_1.txt"));
  } catch (const Exception&) {
    return 0;
  }
  if (song.Lines.size() > static_cast<std::size_t>(MaxSongLines)) std::abort();
  for (const TSongLine& line : song.Lines)
    if (line.WordCount() > MaxSongWords ||
        line.Times.size() != static_cast<std::size_t>(line.Words.size()))
      std::abort();
  const std::vector<int> ends = song.LineEnds();
  for (std::size_t i = 1; i < ends.size(); ++i)
    if (ends[i] < ends[i - 1]) std::abort();
  if (!(ReadSong(WriteSong(song), QStringLiteral("again")) == song)) std::abort();
  return 0;
}
