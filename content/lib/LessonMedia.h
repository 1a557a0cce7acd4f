// A teacher's own photos and recordings, made into the pictures and word
// sounds an installation holds. No widgets: the content tool, the demo's
// compiler and the tests use it alike.
//
// In the source language (content/demo/README.md) these are the drawing line
// `photo FILE X Y W H [fit=crop|letterbox|scale] [fill=C]`, the sound
// `recording FILE` and `recording=FILE` on every line that makes a word sound
// (`item`, `question`, `word`); FILE counts from the source file's folder.
// Errors are Polish and name the photo or recording: a teacher reads them.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>

#include "platform/AudioDecoder.h"

enum class TPhotoFit {
  Crop,       // fills the size; what sticks out is cut off evenly on both sides
  Letterbox,  // the whole photo, centred, with bars of the fill colour
  Scale,      // the whole photo stretched to the size
};
// "crop", "letterbox" or "scale".
std::optional<TPhotoFit> ParsePhotoFit(const QString& word);

// A photo is refused, before anything is decoded, above these: a phone's
// 48-megapixel photo still passes, a damaged header claiming more does not.
constexpr int MaxPhotoSide = 16384;
constexpr std::int64_t MaxPhotoPixels = 50'000'000;

// A photo (JPEG or PNG, told by its contents; any size; turned upright as its
// EXIF orientation says) fitted into `size`. A transparent part shows `fill`;
// with a transparent `fill` the letterbox bars stay transparent (the image
// then has an alpha channel, otherwise it is RGB32). nullopt with `error`
// naming the file when it is missing, damaged, of another kind or too large.
std::optional<QImage> FitPhoto(const QString& file, QSize size, TPhotoFit mode, QString* error,
                               QColor fill = Qt::white);

// A recording (WAV or MP3) as every word sound is: mono, DemoSampleRate,
// the silence before and after cut to a moment, levelled like the spoken
// words. Throws EInOutError naming the file (also for a silent recording).
TSoundData ReadRecording(const QString& file);

// A word's sound at `outWav` (a real path or one spelt as the data spells
// it): the teacher's recording when `recordingOrEmpty` names one, else
// espeak-ng saying `text` in `voice` (empty: "en-gb"). False with `error`
// naming the file, or saying espeak-ng is missing.
bool WriteWordSound(const QString& recordingOrEmpty, const QString& text, const QString& voice,
                    const QString& outWav, QString* error);
