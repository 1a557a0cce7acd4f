// FFmpeg and the hundred-odd libraries it pulls in live in a module of their
// own, loaded the first time a clip or a sound libsndfile cannot read needs
// it, so that starting the program never pays for them. This is the whole of
// what the module offers; it throws nothing across the boundary.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ClipDecoder.h"
#include "platform/TextFile.h"

// One audio stream, decoded piece by piece into 16-bit samples.
class TFFmpegSound {
 public:
  virtual ~TFFmpegSound() = default;
  int Channels = 1;  // 1 or 2 (more are mixed down)
  int Rate = 22050;
  int BlockAlign = 2;
  // The frames the container says the stream holds (for a compressed one
  // an estimate: decoding has the last word), or -1 when it does not say.
  std::int64_t Frames = -1;
  // Appends about `frames` decoded frames to `out`; returns how many, 0 at
  // the end, -1 when the stream grows past `maxFrames`.
  virtual std::int64_t Read(std::int64_t frames, std::vector<std::int16_t>& out,
                            std::int64_t maxFrames) = 0;
  // The next Read starts at frame `frame`, giving the very samples reading
  // on from the start gives there; false when the file cannot go back.
  virtual bool Seek(std::int64_t frame) = 0;
};

struct TFFmpegApi {
  // Bumped whenever this interface changes: a stale module is refused.
  static constexpr int kAbi = 2;
  int Abi;
  // Null with `error` set when the file cannot be decoded, or with `tooLong`
  // set when its header promises more than `maxFrames`; with `allowMissing`,
  // a file without sound gives null and an empty error.
  std::unique_ptr<TFFmpegSound> (*OpenSound)(const QString& realPath, bool allowMissing,
                                             std::int64_t maxFrames, QString& error, bool& tooLong);
  std::unique_ptr<TClipDecoder> (*OpenClip)(const QString& realPath, QString& error);
};

// The module's one exported symbol.
#define TARVOLIN_FFMPEG_ENTRY "TarvolinFFmpegApi"

// The module, loaded on first use (GUI thread or a decoding thread alike).
// Null with `error` saying why when it is missing or cannot be loaded.
const TFFmpegApi* FFmpegModule(QString& error);

// When one of `paths` (as the data spells them, files of `kind`) is one that
// `readsWithout` cannot read, loads the module now on a thread of its own, so
// that the screen opening it later does not wait for FFmpeg's libraries.
// Files that are missing are left for their opening to report.
void LoadFFmpegAhead(const QStringList& paths, TFileKind kind,
                     bool (*readsWithout)(const QString& realPath));
