#include "lib/Writers.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

void MakeParentDirs(const QString& path) {
  const QString real = ResolvePath(path);
  const QString dir = QFileInfo(real).path();
  if (!QDir().mkpath(dir)) throw EInOutError(QStringLiteral("Nie można utworzyć katalogu %1").arg(dir));
  ClearPathCache();
}

QByteArray BmpBytes(const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP")) return {};
  return bytes;
}

void WriteBmp(const QString& path, const QImage& picture) {
  MakeParentDirs(path);
  const QByteArray bytes = BmpBytes(picture);
  if (bytes.isEmpty()) throw EInOutError(QStringLiteral("Nie można zapisać obrazu %1").arg(path));
  WriteFileAtomic(path, bytes);
}

void WriteSolidBmp(const QString& path, int width, int height, QColor color) {
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(color);
  WriteBmp(path, img);
}

void WriteTextLines(const QString& path, const QStringList& lines) {
  MakeParentDirs(path);
  TTextWriter w;
  for (const QString& line : lines) w.WriteLine(line);
  w.SaveTo(path);
}
