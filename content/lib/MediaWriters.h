// Sounds and clips for the demo installation and the tests: wave files through
// libsndfile (PCM or ADPCM), AVI clips through FFmpeg's encoders (raw, MS Video
// 1 or Cinepak, with an optional PCM sound track).
#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "platform/AudioDecoder.h"

// A sine tone (with 5 ms fades) of `ms` milliseconds; amplitude 0 .. 1.
TSoundData MakeTone(int ms, int hz, int rate = 22050, int channels = 1, double amplitude = 0.5);
TSoundData MakeSilence(int ms, int rate = 22050, int channels = 1);

enum class TWaveEncoding { Pcm16, Pcm8, MsAdpcm, ImaAdpcm };
// Throws EInOutError naming the file when it cannot be written.
void WriteWave(const QString& path, const TSoundData& sound,
               TWaveEncoding encoding = TWaveEncoding::Pcm16);

enum class TVideoCodec { Raw, MsVideo1, Cinepak };
// Every frame must have the size of the first. Throws EInOutError naming the file.
void WriteAvi(const QString& path, const std::vector<QImage>& frames, int fps,
              TVideoCodec codec = TVideoCodec::Raw, const TSoundData* sound = nullptr);
// `count` frames of `size`, frame i filled with ClipColor(i) and a white
// square in the top-left corner that moves one pixel right per frame.
std::vector<QImage> MakeClipFrames(int count, QSize size);
QColor ClipColor(int frame);
