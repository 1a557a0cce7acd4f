// JPEG files for the picture tests, written with libjpeg itself so that the
// tests do not depend on Qt's plugins; and device-independent bitmaps of
// every plain layout, written byte by byte, for BMP pictures and AVI frames.
#pragma once

#include <jpeglib.h>

#include <QByteArray>
#include <QImage>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>

inline QByteArray EncodeJpeg(const QImage& source, bool progressive = false) {
  const QImage img = source.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct info{};
  jpeg_error_mgr err{};
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = img.width();
  info.image_height = img.height();
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<uchar*>(img.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  QByteArray bytes(reinterpret_cast<char*>(out), static_cast<qsizetype>(size));
  jpeg_destroy_compress(&info);
  std::free(out);
  return bytes;
}

struct TestDib {
  int width = 13, height = 5, bits = 24;
  bool topDown = false;
  std::uint32_t compression = 0;

  static QByteArray Le32(std::uint32_t v) {
    char b[4];
    qToLittleEndian<quint32>(v, b);
    return QByteArray(b, 4);
  }
  int Stride() const { return (width * bits + 31) / 32 * 4; }
  // The info header and, for 8 bits, a palette of 256 colours.
  QByteArray Info() const {
    QByteArray info = Le32(40) + Le32(width) + Le32(topDown ? -height : height) + Le32(1) +
                      Le32(compression) + QByteArray(20, '\0');
    info[14] = char(bits);
    if (bits == 8)
      for (int i = 0; i < 256; ++i)
        info += QByteArray(1, char(i)) + char(255 - i) + char(i * 7) + '\0';
    return info;
  }
  // Pixel rows of bytes that differ from row to row and `seed` to seed.
  QByteArray Rows(int seed, int size = -1) const {
    QByteArray data(size < 0 ? Stride() * height : size, '\0');
    for (int i = 0; i < data.size(); ++i) data[i] = char((i * 31 + seed * 17) ^ (i >> 3));
    return data;
  }
  QByteArray Bmp(int seed) const {
    const QByteArray info = Info(), rows = Rows(seed);
    return QByteArray("BM", 2) + Le32(14 + info.size() + rows.size()) + Le32(0) +
           Le32(14 + info.size()) + info + rows;
  }
};
