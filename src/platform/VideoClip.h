// AVI clips (any codec FFmpeg decodes: RLE, MS Video 1, Cinepak, Indeo, raw
// ...) read frame by frame into pictures. Frames are decoded on demand, in
// order or by index; only a bounded number of decoded frames is kept, so a
// long clip never sits in memory whole.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <list>
#include <memory>
#include <unordered_map>

#include "platform/AudioDecoder.h"

class TVideoClip {
 public:
  TVideoClip();
  ~TVideoClip();
  TVideoClip(const TVideoClip&) = delete;
  TVideoClip& operator=(const TVideoClip&) = delete;

  // Opens a clip (path as the data spells it). Throws EInOutError naming the
  // file when it is missing, holds no video, or its first frame cannot be decoded.
  void Open(const QString& path);
  void Close();
  bool IsOpen() const;
  const QString& FileName() const { return fileName_; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  int FrameCount() const { return frameCount_; }
  // Frames per second (15 when the file does not say).
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

  // Bytes of decoded frames kept for re-use (default 48 MB).
  void SetCacheBudget(std::int64_t bytes);
  std::int64_t CachedBytes() const { return cachedBytes_; }

 private:
  struct Decoder;
  void Seek(int index);
  bool DecodeNext(QImage& image, int& index);
  void Remember(int index, const QImage& image);
  void Trim();

  std::unique_ptr<Decoder> dec_;
  QString fileName_, realPath_;
  int width_ = 0, height_ = 0, frameCount_ = 0;
  double frameRate_ = 15.0;
  bool hasAudio_ = false;
  // The last frame decoded and its index (-1: none since the last seek).
  QImage last_;
  int lastIndex_ = -1;
  bool eof_ = false;

  std::unordered_map<int, std::list<int>::iterator> cachePos_;
  std::unordered_map<int, QImage> cache_;
  std::list<int> lru_;  // most recent first
  std::int64_t cachedBytes_ = 0, cacheBudget_ = 48LL << 20;
};
