#include "platform/ffmpeg/FFmpegParts.h"

extern "C" __attribute__((visibility("default"))) const TFFmpegApi* TarvolinFFmpegApi() {
  static const TFFmpegApi api{TFFmpegApi::kAbi, &OpenFFmpegSound, &OpenFFmpegClip};
  return &api;
}
