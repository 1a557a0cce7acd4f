#include "platform/Dib.h"

#include <QtEndian>
#include <cstdlib>

#include "platform/Picture.h"

std::uint32_t LittleU32(const QByteArray& b, qsizetype at) {
  return at >= 0 && at + 4 <= b.size() ? qFromLittleEndian<quint32>(b.constData() + at) : 0;
}

bool ReadDibFormat(const QByteArray& info, TDibFormat& f) {
  const std::uint32_t headerSize = LittleU32(info, 0);
  const std::int64_t width = qint32(LittleU32(info, 4)), height = qint32(LittleU32(info, 8));
  const int bits = info.size() >= 16 ? qFromLittleEndian<quint16>(info.constData() + 14) : 0;
  constexpr std::uint32_t kUncompressed = 0;
  if (headerSize < 40 || headerSize > std::uint32_t(info.size()) ||
      LittleU32(info, 16) != kUncompressed || width <= 0 || height == 0 ||
      !PictureSizeAllowed(width, std::abs(height)))
    return false;
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  f.Width = int(width);
  f.Height = int(std::abs(height));
  f.Bits = bits;
  f.TopDown = height < 0;
  f.Palette.clear();
  if (bits == 8) {
    const std::uint32_t used = LittleU32(info, 32);
    const int colours = used == 0 || used > 256 ? 256 : int(used);
    if (headerSize + 4LL * colours > info.size()) return false;
    f.Palette.fill(qRgb(0, 0, 0), 256);
    for (int i = 0; i < colours; ++i) {
      const auto* q = reinterpret_cast<const std::uint8_t*>(info.constData()) + headerSize + 4 * i;
      f.Palette[i] = qRgb(q[2], q[1], q[0]);
    }
  }
  return true;
}

QImage DibToImage(const TDibFormat& f, const std::uint8_t* bits) {
  QImage image(f.Width, f.Height, QImage::Format_RGB32);
  if (image.isNull()) return image;
  const std::int64_t stride = f.Stride();
  for (int y = 0; y < f.Height; ++y) {
    const std::uint8_t* s = bits + stride * (f.TopDown ? y : f.Height - 1 - y);
    auto* d = reinterpret_cast<QRgb*>(image.scanLine(y));
    switch (f.Bits) {
      case 8:
        for (int x = 0; x < f.Width; ++x) d[x] = f.Palette[s[x]];
        break;
      case 16:
        for (int x = 0; x < f.Width; ++x) {
          const unsigned v = s[2 * x] | s[2 * x + 1] << 8;
          // 5 bits a colour, widened by repeating their top bits (31 becomes 255).
          const auto c = [v](int shift) {
            const unsigned c5 = v >> shift & 31;
            return int(c5 << 3 | c5 >> 2);
          };
          d[x] = qRgb(c(10), c(5), c(0));
        }
        break;
      case 24:
        for (int x = 0; x < f.Width; ++x, s += 3)
          d[x] = 0xFF000000u | s[2] << 16 | s[1] << 8 | s[0];
        break;
      default:
        for (int x = 0; x < f.Width; ++x, s += 4)
          d[x] = 0xFF000000u | s[2] << 16 | s[1] << 8 | s[0];
    }
  }
  return image;
}
