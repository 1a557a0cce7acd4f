#include "platform/Picture.h"

#include <QBuffer>
#include <QCache>
#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <csetjmp>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "platform/Dib.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

namespace {

// A progressive picture keeps every coefficient until its last scan: two
// bytes a sample, 96 MB for the largest picture allowed in three colours.
// Beyond this libjpeg fails instead of allocating.
constexpr long kJpegMemory = 128L << 20;
// Encoders write about ten scans. Thousands of near-empty ones, each a pass
// over the whole picture, would keep the decoder busy for minutes.
constexpr int kMaxJpegScans = 500;
constexpr int kTooManyScans = 2;

struct JpegError {
  jpeg_error_mgr mgr;
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
  auto* err = reinterpret_cast<JpegError*>(info->err);
  (*info->err->format_message)(info, err->message);
  std::longjmp(err->jump, 1);
}

void OnJpegMessage(j_common_ptr, int) {}  // warnings of damaged files are not worth a line

void OnJpegProgress(j_common_ptr info) {
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans)
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, kTooManyScans);
}

EInOutError TooLarge(const QString& name, std::int64_t width, std::int64_t height) {
  return EInOutError(QStringLiteral("Obraz %1 jest za duży (%2 × %3 pikseli)")
                         .arg(ShownPath(name))
                         .arg(width)
                         .arg(height));
}

// The width and height a BMP header claims, read before Qt allocates
// anything (zero when the header is too short; Qt's reader reports that).
// OS/2 headers hold 16-bit sizes, the others 32-bit ones, with a negative
// height for rows stored top down.
std::pair<std::int64_t, std::int64_t> BmpHeaderSize(const QByteArray& bytes) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
  const auto le = [&](int at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
  };
  if (bytes.size() < 26 || !bytes.startsWith("BM")) return {0, 0};
  if (le(14, 4) == 12) return {le(18, 2), le(20, 2)};
  return {std::abs(std::int64_t{static_cast<std::int32_t>(le(18, 4))}),
          std::abs(std::int64_t{static_cast<std::int32_t>(le(22, 4))})};
}

// The common BMP, uncompressed with 8 to 32 bits a pixel, in one pass and
// twice as fast as Qt's reader; null for any other, which Qt's reader takes.
QImage DecodePlainBmp(const QByteArray& bytes) {
  if (bytes.size() < 54 || !bytes.startsWith("BM")) return {};
  const std::uint32_t bitsAt = qFromLittleEndian<quint32>(bytes.constData() + 10);
  TDibFormat format;
  if (bitsAt < 54 || bitsAt > std::uint32_t(bytes.size()) ||
      !ReadDibFormat(bytes.mid(14, bitsAt - 14), format) || bitsAt + format.Bytes() > bytes.size())
    return {};
  return DibToImage(format, reinterpret_cast<const std::uint8_t*>(bytes.constData()) + bitsAt);
}

// Why a BMP's pixels cannot all be in the file, empty when they can. Qt's
// reader paints what a short file lacks black and calls it a picture.
QString BmpDataProblem(const QByteArray& bytes) {
  if (bytes.size() < 26 || !bytes.startsWith("BM")) return {};  // Qt's reader says what is wrong
  const std::int64_t size = bytes.size();
  const std::int64_t bitsAt = LittleU32(bytes, 10);
  const std::int64_t headerSize = LittleU32(bytes, 14);
  if (bitsAt < 14 + headerSize || bitsAt >= size)
    return QStringLiteral("dane obrazu zaczynają się poza swoim miejscem w pliku");
  const auto [width, height] = BmpHeaderSize(bytes);
  const bool os2 = headerSize == 12;
  if (!os2 && bytes.size() < 34) return {};
  const std::int64_t bits = qFromLittleEndian<quint16>(bytes.constData() + (os2 ? 24 : 28));
  const std::uint32_t compression = os2 ? 0 : LittleU32(bytes, 30);
  // Rows stored as they are (plain or with bit masks) can be counted; packed ones cannot.
  if (compression != 0 && compression != 3) return {};
  const std::int64_t stride = (width * bits + 31) / 32 * 4;
  if (height > 0 && stride > (size - bitsAt) / height) return QStringLiteral("plik jest ucięty");
  return {};
}

}  // namespace

QImage DecodeJpeg(const QByteArray& bytes, const QString& name) {
  jpeg_decompress_struct info{};
  JpegError err{};
  info.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = OnJpegError;
  err.mgr.emit_message = OnJpegMessage;
  err.progress.progress_monitor = OnJpegProgress;
  // Everything that must survive a longjmp lives outside this frame's locals.
  QImage image;
  if (const int failed = setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    if (failed == kTooManyScans)
      throw EInOutError(QStringLiteral("Uszkodzony obraz JPEG %1 (ponad %2 przebiegów)")
                            .arg(ShownPath(name))
                            .arg(kMaxJpegScans));
    throw EInOutError(QStringLiteral("Uszkodzony obraz JPEG %1 (%2)")
                          .arg(ShownPath(name), QString::fromLatin1(err.message)));
  }
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = kJpegMemory;
  info.progress = &err.progress;
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  // Before jpeg_start_decompress, which takes the memory for the whole picture.
  if (const JDIMENSION width = info.image_width, height = info.image_height;
      !PictureSizeAllowed(width, height)) {
    jpeg_destroy_decompress(&info);
    throw TooLarge(name, width, height);
  }
  info.out_color_space = JCS_EXT_BGRX;  // matches QImage::Format_RGB32 in memory on little-endian
  jpeg_start_decompress(&info);
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

namespace {

QImage DecodePictureFile(const QString& path) {
  const QString ext = QFileInfo(path).suffix().toLower();
  if (ext != QLatin1String("bmp") && ext != QLatin1String("jpg") && ext != QLatin1String("jpeg"))
    throw EInOutError(QStringLiteral("Nieznany format obrazu: %1").arg(ShownPath(path)));
  const QByteArray bytes = ReadWholeFile(path, TFileKind::Picture);
  if (ext != QLatin1String("bmp")) return DecodeJpeg(bytes, path);
  if (const auto [width, height] = BmpHeaderSize(bytes); !PictureSizeAllowed(width, height))
    throw TooLarge(path, width, height);
  if (const QString problem = BmpDataProblem(bytes); !problem.isEmpty())
    throw EInOutError(QStringLiteral("Uszkodzony obraz %1 (%2)").arg(ShownPath(path), problem));
  if (QImage plain = DecodePlainBmp(bytes); !plain.isNull()) return plain;
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  // Should the header be read differently by Qt, it still allocates no more.
  reader.setAllocationLimit(static_cast<int>((MaxPicturePixels * 4 >> 20) + 1));
  QImage image = reader.read();
  if (image.isNull()) throw EInOutError(QStringLiteral("Uszkodzony obraz %1").arg(ShownPath(path)));
  return image.convertToFormat(QImage::Format_RGB32);
}

// A decoded picture and the file it came from, as it was then.
struct TDecodedPicture {
  qint64 Size;
  QDateTime Modified;
  QImage Image;
};

// Screens decode the same pictures each time they load an exercise or a
// place; the most recently used ones stay decoded, within this many KiB.
constexpr int kPictureCacheKiB = 8 * 1024;

QCache<QString, TDecodedPicture>& DecodedPictures() {
  static QCache<QString, TDecodedPicture> cache(kPictureCacheKiB);
  return cache;
}

std::uint64_t g_picturesDecoded = 0;

}  // namespace

QImage LoadPicture(const QString& path) {
  const QFileInfo file(ResolvePath(path));
  if (!file.isFile()) return DecodePictureFile(path);  // its error names the file
  const QString key = file.absoluteFilePath();
  const qint64 size = file.size();
  const QDateTime modified = file.lastModified();
  auto& cache = DecodedPictures();
  if (const TDecodedPicture* hit = cache.object(key);
      hit && hit->Size == size && hit->Modified == modified)
    return hit->Image;
  QImage image = DecodePictureFile(path);
  ++g_picturesDecoded;
  cache.insert(key, new TDecodedPicture{size, modified, image},
               static_cast<int>(std::max<qsizetype>(1, image.sizeInBytes() / 1024)));
  return image;
}

std::uint64_t PicturesDecoded() {
  return g_picturesDecoded;
}
