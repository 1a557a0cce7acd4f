// AVI clips read frame by frame into pictures: uncompressed ones by our own
// reader, any other codec FFmpeg decodes (RLE, MS Video 1, Cinepak, Indeo ...)
// through the FFmpeg module. Frames are decoded on demand, in
// order or by index. Decoded frames are kept for re-use within one budget
// shared by every open clip (and a clip's own, when set), so neither a long
// clip nor many open ones sit in memory whole (uncompressed frames are only
// read again). GUI thread only.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "platform/AudioDecoder.h"

class TClipDecoder;

class TVideoClip {
 public:
  TVideoClip();
  ~TVideoClip();
  TVideoClip(const TVideoClip&) = delete;
  TVideoClip& operator=(const TVideoClip&) = delete;

  // Opens a clip (path as the data spells it). Throws EInOutError naming the
  // file when it is missing, holds no video, or its first frame cannot be decoded.
  void Open(const QString& path);
  // When one of these clips needs the FFmpeg module, loads it now on a thread
  // of its own, so that the screen opening them later does not wait for its
  // libraries. Files that are missing are left for Open to report.
  static void PrepareFor(const QStringList& paths);
  void Close();
  bool IsOpen() const;
  const QString& FileName() const { return fileName_; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  int FrameCount() const { return frameCount_; }
  // Frames per second (15 when the file does not say, or says less than 1 or more than 1000).
  double FrameRate() const { return frameRate_; }
  double FrameIntervalMs() const { return 1000.0 / frameRate_; }
  int DurationMs() const;
  bool HasAudio() const { return hasAudio_; }

  // Frame `index` (0-based, clamped to the clip) as an RGB32 picture. Reading
  // on from the last frame asked for is cheap; going back seeks. A frame the
  // file lacks repeats the one before it. Throws EInOutError when nothing
  // can be decoded.
  QImage Frame(int index);
  // The clip's sound track, whole (empty when it has none).
  TSoundData DecodeAudio() const;
  // The clip's sound track to be read piece by piece; null when it has none.
  // Throws EInOutError when it cannot be decoded.
  std::unique_ptr<TSoundReader> OpenAudio() const;

  // Bytes of decoded frames this clip keeps for re-use (default: no limit of
  // its own, only the shared one).
  void SetCacheBudget(std::int64_t bytes);
  std::int64_t CachedBytes() const { return cachedBytes_; }
  // Bytes of decoded frames all open clips together keep (default 4 MiB);
  // past it the frames used longest ago, of whichever clip, go first.
  static void SetSharedCacheBudget(std::int64_t bytes);
  static std::int64_t SharedCachedBytes();

 private:
  struct Pool;
  void Seek(int index);
  bool DecodeNext(QImage& image, int& index);
  void Remember(int index, const QImage& image);
  void Forget(int index);
  void Touch(int index);
  void Trim();

  std::unique_ptr<TClipDecoder> dec_;
  QString fileName_, realPath_;
  int width_ = 0, height_ = 0, frameCount_ = 0;
  double frameRate_ = 15.0;
  bool hasAudio_ = false;
  bool cacheDecoded_ = true;  // whether decoded frames are kept for re-use
  // The last frame decoded and its index (-1: none since the last seek).
  QImage last_;
  int lastIndex_ = -1;
  bool eof_ = false;

  struct Cached {
    QImage image;
    std::uint64_t used;  // the shared pool's clock at the last use
  };
  std::unordered_map<int, Cached> cache_;
  std::int64_t cachedBytes_ = 0, cacheBudget_ = -1;
};
