// Decoding sound files into 16-bit samples: wave files through libsndfile
// (PCM and the ADPCM variants of old CDs), anything libsndfile refuses and the
// sound tracks of AVI files through FFmpeg.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// Interleaved 16-bit samples; one or two channels (more are mixed down).
struct TSoundData {
  std::vector<std::int16_t> Samples;
  int Channels = 1;
  int Rate = 22050;
  // The file's own block size (bytes per frame), for byte-based positions.
  int BlockAlign = 2;
  std::int64_t Frames() const {
    return Channels > 0 ? static_cast<std::int64_t>(Samples.size()) / Channels : 0;
  }
  int LengthMs() const {
    return Rate > 0 ? static_cast<int>(Frames() * 1000 / Rate) : 0;
  }
};

// Longest sound we load: an hour at the source rate. Longer ones, and files
// whose header promises more, are refused rather than filling memory.
constexpr std::int64_t MaxSoundFrames = 60LL * 60 * 48000;

// Decodes a sound file (path as the data spells it; resolved here). Throws
// EInOutError naming the file when it is missing or cannot be decoded.
TSoundData DecodeSoundFile(const QString& path);
// The first audio stream of any container FFmpeg reads; throws EInOutError.
// With `allowMissing`, a file without sound gives an empty TSoundData.
TSoundData DecodeWithFFmpeg(const QString& realPath, bool allowMissing = false);
