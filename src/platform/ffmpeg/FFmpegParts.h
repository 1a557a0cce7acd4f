// The module's two halves, joined by its entry point.
#pragma once

#include <QFile>

#include "platform/FFmpegModule.h"

std::unique_ptr<TFFmpegSound> OpenFFmpegSound(const QString& realPath, bool allowMissing,
                                              std::int64_t maxFrames, QString& error,
                                              bool& tooLong);
std::unique_ptr<TClipDecoder> OpenFFmpegClip(const QString& realPath, QString& error);
