#include "platform/Picture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <csetjmp>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

namespace {

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
  auto* err = reinterpret_cast<JpegError*>(info->err);
  (*info->err->format_message)(info, err->message);
  std::longjmp(err->jump, 1);
}

void OnJpegMessage(j_common_ptr, int) {}  // warnings of damaged files are not worth a line

}  // namespace

QImage DecodeJpeg(const QByteArray& bytes, const QString& name) {
  jpeg_decompress_struct info{};
  JpegError err{};
  info.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = OnJpegError;
  err.mgr.emit_message = OnJpegMessage;
  // Everything that must survive a longjmp lives outside this frame's locals.
  QImage image;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    throw EInOutError(QStringLiteral("Uszkodzony obraz JPEG %1 (%2)")
                          .arg(ShownPath(name), QString::fromLatin1(err.message)));
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGRX;  // matches QImage::Format_RGB32 in memory on little-endian
  jpeg_start_decompress(&info);
  if (info.output_width > 16384 || info.output_height > 16384) {
    jpeg_destroy_decompress(&info);
    throw EInOutError(QStringLiteral("Obraz JPEG %1 jest za duży").arg(ShownPath(name)));
  }
  image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                 QImage::Format_RGB32);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return image;
}

QImage LoadPicture(const QString& path) {
  const QString ext = QFileInfo(path).suffix().toLower();
  if (ext != QLatin1String("bmp") && ext != QLatin1String("jpg") && ext != QLatin1String("jpeg"))
    throw EInOutError(QStringLiteral("Nieznany format obrazu: %1").arg(ShownPath(path)));
  const QByteArray bytes = ReadWholeFile(path, TFileKind::Picture);
  if (ext != QLatin1String("bmp")) return DecodeJpeg(bytes, path);
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  QImage image = reader.read();
  if (image.isNull()) throw EInOutError(QStringLiteral("Uszkodzony obraz %1").arg(ShownPath(path)));
  return image.convertToFormat(QImage::Format_RGB32);
}
