// JPEG files for the picture tests, written with libjpeg itself so that the
// tests do not depend on Qt's plugins.
#pragma once

#include <jpeglib.h>

#include <QByteArray>
#include <QImage>
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
