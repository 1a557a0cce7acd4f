// AVI clips whose frames are stored uncompressed (8 bits with a palette, 16,
// 24 or 32 bits a pixel), read without FFmpeg. Such clips need no decoder,
// and reading them this way keeps FFmpeg's ninety-odd libraries (over 20 MB)
// out of the process. Anything else (a codec, a palette change, a header this
// reader does not understand) is left to FFmpeg.
#pragma once

#include <QString>
#include <memory>

#include "platform/ClipDecoder.h"

// Null when the clip is not an uncompressed one this reader takes. Frames are
// read from the file as they are asked for.
std::unique_ptr<TClipDecoder> OpenUncompressedAvi(const QString& realPath);
