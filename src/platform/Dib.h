// Device-independent bitmaps: the pixel rows of BMP pictures and of
// uncompressed AVI frames. Only the plain layouts (8 bits with a palette, 16,
// 24 or 32 bits a pixel, no compression) are read here; the callers hand
// anything else to a fuller decoder.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QVector>
#include <cstdint>

struct TDibFormat {
  int Width = 0, Height = 0, Bits = 0;
  bool TopDown = false;
  QVector<QRgb> Palette;  // 256 entries for 8 bits
  std::int64_t Stride() const { return (std::int64_t{Width} * Bits + 31) / 32 * 4; }
  std::int64_t Bytes() const { return Stride() * Height; }
};

// The little-endian 32-bit number at `at` in `b`; 0 when it does not lie
// wholly inside (BMP and AVI headers are both little-endian).
std::uint32_t LittleU32(const QByteArray& b, qsizetype at);

// Reads a BITMAPINFOHEADER and the palette after it. False when the layout is
// not a plain one, or its size is not one a picture may have.
bool ReadDibFormat(const QByteArray& info, TDibFormat& format);
// `format.Bytes()` bytes of pixel rows as an RGB32 picture.
QImage DibToImage(const TDibFormat& format, const std::uint8_t* bits);
