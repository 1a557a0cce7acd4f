// Decoding sound files into 16-bit samples: wave files through libsndfile
// (PCM and the ADPCM variants of old CDs), anything libsndfile refuses and the
// sound tracks of AVI files through FFmpeg. A file is read either whole
// (DecodeSoundFile) or piece by piece (OpenSoundFile), so that a long song
// can start playing while the rest is still being decoded.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
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
  int LengthMs() const { return Rate > 0 ? static_cast<int>(Frames() * 1000 / Rate) : 0; }
};

// Longest sound we load: ten minutes at 48 kHz (115 MB decoded in stereo),
// three times the longest song of the game. Files whose header promises more
// are refused before anything is decoded; a sound that grows past it while
// decoding stops with an error.
constexpr std::int64_t MaxSoundFrames = 10LL * 60 * 48000;

// An open sound file, decoded on request. Not thread-safe: one thread reads
// it at a time (it may be handed from one thread to another).
class TSoundReader {
 public:
  virtual ~TSoundReader() = default;
  int Channels() const { return channels_; }  // 1 or 2 (more are mixed down)
  int Rate() const { return rate_; }
  int BlockAlign() const { return blockAlign_; }
  // The frames the header promises, otherwise -1. For a compressed stream
  // FFmpeg reads it may be an estimate: decoding has the last word.
  std::int64_t KnownFrames() const { return knownFrames_; }
  // Whether Seek works.
  bool Seekable() const { return seekable_; }
  // The next Read starts at source frame `frame`; false when it cannot.
  virtual bool Seek(std::int64_t frame) { return false; }
  // Appends about `frames` decoded frames to `out` and returns how many it
  // appended; 0 at the end. A damaged part ends the sound early. Throws
  // EInOutError when the sound grows past MaxSoundFrames.
  virtual std::int64_t Read(std::int64_t frames, std::vector<std::int16_t>& out) = 0;

 protected:
  int channels_ = 1, rate_ = 22050, blockAlign_ = 2;
  std::int64_t knownFrames_ = -1;
  bool seekable_ = false;
};

// Opens a sound file (path as the data spells it; resolved here) and decodes
// its first piece, so that a file that cannot be decoded fails here. Throws
// EInOutError naming the file when it is missing, not a regular file, too
// long or cannot be decoded.
std::unique_ptr<TSoundReader> OpenSoundFile(const QString& path);
// When one of these sounds needs FFmpeg, loads its module now on a thread of
// its own, so that opening the sound later does not wait for its libraries.
// Files that are missing are left for OpenSoundFile to report.
void PrepareSoundsFor(const QStringList& paths);
// Reads what is left of a sound into memory.
TSoundData ReadAll(TSoundReader& reader);
// The whole of a sound file; throws as OpenSoundFile.
TSoundData DecodeSoundFile(const QString& path);
// The sound track of an AVI clip (real path), to be read piece by piece;
// null when the clip has none. Throws EInOutError.
std::unique_ptr<TSoundReader> OpenSoundTrack(const QString& realPath);
// The first audio stream of a wave or AVI file (see OpenMediaInput); throws
// EInOutError.
// With `allowMissing`, a file without sound gives an empty TSoundData.
TSoundData DecodeWithFFmpeg(const QString& realPath, bool allowMissing = false);
