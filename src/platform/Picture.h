// Picture files, decoder chosen by extension: ".bmp" through Qt's BMP reader,
// ".jpg"/".jpeg" through libjpeg-turbo; anything else is an error. Pictures
// come back as 32-bit RGB images; errors (EInOutError) name the file.
//
// A picture's size is checked against its header before any pixel memory is
// taken, so a tiny file claiming 65500 x 65500 pixels costs nothing. The game
// shows 640 x 480 pixels; its largest pictures are sprite strips, frames side
// by side. So a side may be long (16384: 25 full-width frames in a row), but a
// picture holds at most 4096 x 4096 pixels (64 MB decoded, as large as the
// largest picture file read at all).
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

constexpr int MaxPictureSide = 16384;
constexpr std::int64_t MaxPicturePixels = 4096LL * 4096;
// Whether a picture (or a video frame) of this size is small enough to decode.
constexpr bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width <= MaxPictureSide && height <= MaxPictureSide && width * height <= MaxPicturePixels;
}

// The most recently used pictures stay decoded (within a few MiB) while
// their file keeps its size and date; LoadPicture returns those at once.
QImage LoadPicture(const QString& path);
// How many pictures LoadPicture has decoded from their files so far.
std::uint64_t PicturesDecoded();
// Decodes JPEG bytes; `name` only labels errors.
QImage DecodeJpeg(const QByteArray& bytes, const QString& name);
