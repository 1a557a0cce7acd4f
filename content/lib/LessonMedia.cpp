#include "lib/LessonMedia.h"

#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "lib/DemoSound.h"
#include "lib/MediaWriters.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "platform/TextFile.h"

std::optional<TPhotoFit> ParsePhotoFit(const QString& word) {
  if (word == QLatin1String("crop")) return TPhotoFit::Crop;
  if (word == QLatin1String("letterbox")) return TPhotoFit::Letterbox;
  if (word == QLatin1String("scale")) return TPhotoFit::Scale;
  return std::nullopt;
}

namespace {

// The part of a `from`-sized photo that keeps the shape of `to`, centred.
QRect CoverRect(QSize from, QSize to) {
  const std::int64_t fw = from.width(), fh = from.height(), tw = to.width(), th = to.height();
  if (fw * th > fh * tw) {
    const int w = std::max<int>(1, static_cast<int>(fh * tw / th));
    return {static_cast<int>((fw - w) / 2), 0, w, static_cast<int>(fh)};
  }
  const int h = std::max<int>(1, static_cast<int>(fw * th / tw));
  return {0, static_cast<int>((fh - h) / 2), static_cast<int>(fw), h};
}

// The largest size of `from`'s shape inside `to`.
QSize InsideSize(QSize from, QSize to) {
  const std::int64_t fw = from.width(), fh = from.height(), tw = to.width(), th = to.height();
  if (fw * th > fh * tw)
    return {static_cast<int>(tw), std::max<int>(1, static_cast<int>(fh * tw / fw))};
  return {std::max<int>(1, static_cast<int>(fw * th / fh)), static_cast<int>(th)};
}

}  // namespace

std::optional<QImage> FitPhoto(const QString& file, QSize size, TPhotoFit mode, QString* error,
                               QColor fill) {
  auto fail = [&](const QString& why) -> std::optional<QImage> {
    if (error) *error = QStringLiteral("Zdjęcie %1: %2").arg(ShownPath(file), why);
    return std::nullopt;
  };
  if (size.isEmpty() || !PictureSizeAllowed(size.width(), size.height()))
    return fail(QStringLiteral("niepoprawny rozmiar docelowy %1 × %2")
                    .arg(size.width())
                    .arg(size.height()));
  QString real;
  try {
    real = CheckedFilePath(file, TFileKind::Picture);
  } catch (const Exception& e) {
    if (error) *error = e.Message;
    return std::nullopt;
  }
  QImageReader reader(real);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(true);
  const QByteArray format = reader.format();
  if (format != "jpeg" && format != "png")
    return fail(QStringLiteral("to nie jest zdjęcie JPEG ani PNG (albo plik jest uszkodzony)"));
  // The header alone: nothing is decoded yet.
  const QSize stored = reader.size();
  if (!stored.isValid() || stored.isEmpty())
    return fail(QStringLiteral("plik jest uszkodzony (%1)").arg(reader.errorString()));
  if (stored.width() > MaxPhotoSide || stored.height() > MaxPhotoSide ||
      std::int64_t{stored.width()} * stored.height() > MaxPhotoPixels)
    return fail(QStringLiteral("ma %1 × %2 pikseli, więcej niż program przyjmuje (najwyżej %3 "
                               "milionów pikseli, bok do %4); zmniejsz je")
                    .arg(stored.width())
                    .arg(stored.height())
                    .arg(MaxPhotoPixels / 1'000'000)
                    .arg(MaxPhotoSide));
  // Decoded no larger than every fit needs, whichever way up the photo
  // turns: a JPEG then decodes at a fraction of its size.
  const double factor = static_cast<double>(std::max(size.width(), size.height())) /
                        std::min(stored.width(), stored.height());
  if (factor < 1)
    reader.setScaledSize(QSize(std::max(1, static_cast<int>(std::ceil(stored.width() * factor))),
                               std::max(1, static_cast<int>(std::ceil(stored.height() * factor)))));
  QImage photo = reader.read();
  if (photo.isNull())
    return fail(QStringLiteral("plik jest uszkodzony (%1)").arg(reader.errorString()));

  const bool opaque = fill.alpha() == 255;
  QImage out(size, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  out.fill(fill);
  QPainter p(&out);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  // Scaled by QImage, which averages every pixel when it shrinks; the
  // painter only places the result.
  switch (mode) {
    case TPhotoFit::Crop:
      p.drawImage(QPoint(0, 0), photo.copy(CoverRect(photo.size(), size))
                                    .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
      break;
    case TPhotoFit::Letterbox: {
      const QImage inside = photo.scaled(InsideSize(photo.size(), size), Qt::IgnoreAspectRatio,
                                         Qt::SmoothTransformation);
      p.drawImage(
          QPoint((size.width() - inside.width()) / 2, (size.height() - inside.height()) / 2),
          inside);
      break;
    }
    case TPhotoFit::Scale:
      p.drawImage(QPoint(0, 0),
                  photo.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
      break;
  }
  p.end();
  return out;
}

TSoundData ReadRecording(const QString& file) {
  TSoundData s = MonoAt(DecodeSoundFile(file), DemoSampleRate);
  int peak = 0;
  for (std::int16_t v : s.Samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
  // Quieter than -40 dB all through: a muted microphone, not a word.
  if (peak < 328)
    throw EInOutError(QStringLiteral("Nagranie %1 jest ciche: nie słychać w nim żadnego słowa.")
                          .arg(ShownPath(file)));
  // The silence before and after the word, down to a moment, so the word
  // comes as soon as the game plays it.
  const int threshold = std::max(peak / 20, 200);
  size_t first = 0, last = s.Samples.size();
  while (first < last && std::abs(s.Samples[first]) < threshold) ++first;
  while (last > first && std::abs(s.Samples[last - 1]) < threshold) --last;
  first -= std::min<size_t>(first, DemoSampleRate / 20);
  last = std::min(s.Samples.size(), last + DemoSampleRate / 8);
  s.Samples = std::vector<std::int16_t>(s.Samples.begin() + static_cast<std::ptrdiff_t>(first),
                                        s.Samples.begin() + static_cast<std::ptrdiff_t>(last));
  LevelSpeech(s);
  return s;
}

bool WriteWordSound(const QString& recordingOrEmpty, const QString& text, const QString& voice,
                    const QString& outWav, QString* error) {
  try {
    TSoundData sound;
    if (!recordingOrEmpty.isEmpty()) {
      sound = ReadRecording(recordingOrEmpty);
    } else {
      if (!SpeechAvailable())
        throw EInOutError(
            QStringLiteral("Słowo „%1” nie ma nagrania, a program espeak-ng, który by je "
                           "powiedział, nie jest zainstalowany (apt-get install espeak-ng).")
                .arg(text));
      TSourceNode say;
      say.Command = QStringLiteral("sound");
      say.Named[QStringLiteral("voice")] = voice.isEmpty() ? QStringLiteral("en-gb") : voice;
      try {
        sound = TSoundBank(true).Speak({text}, !voice.startsWith(QLatin1String("pl")), say).front();
      } catch (const Exception& e) {
        throw EInOutError(
            QStringLiteral("Nie można powiedzieć słowa „%1”: %2").arg(text, e.Message));
      }
    }
    WriteWave(outWav, sound);
    return true;
  } catch (const Exception& e) {
    if (error) *error = e.Message;
    return false;
  }
}
