// One clip's video stream, decoded frame by frame into RGB32 pictures: by
// the built-in reader of uncompressed AVI clips or by the FFmpeg module.
#pragma once

#include <QImage>

class TClipDecoder {
 public:
  virtual ~TClipDecoder() = default;
  int Width = 0, Height = 0, FrameCount = 1;
  double FrameRate = 15.0;
  bool HasAudio = false;
  // Goes to the key frame at or before frame `index` (0-based).
  virtual void Seek(int index) = 0;
  // The next frame: false at the end of the stream. `index` is -1 when the
  // file gives no time; `image` is null when the frame could not be converted.
  virtual bool DecodeNext(QImage& image, int& index) = 0;
};
