#include "platform/TextFile.h"

#include <QFile>
#include <QSaveFile>

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Win1250.h"

QByteArray ReadWholeFile(const QString& path) {
  QFile f(ResolvePath(path));
  if (!f.open(QIODevice::ReadOnly))
    throw EInOutError(QStringLiteral("Nie można otworzyć pliku %1 (%2)")
                          .arg(ShownPath(path), FileErrorReason(f)));
  QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError)
    throw EInOutError(
        QStringLiteral("Błąd odczytu pliku %1 (%2)").arg(ShownPath(path), FileErrorReason(f)));
  return bytes;
}

TTextReader TTextReader::FromFile(const QString& path) {
  return TTextReader(ReadWholeFile(path), path);
}

TTextReader::TTextReader(const QByteArray& bytes, QString fileName)
    : bytes_(bytes), fileName_(std::move(fileName)) {}

QString TTextReader::ReadLine() {
  ++line_;
  if (pos_ >= bytes_.size()) return {};
  const char* data = bytes_.constData();
  qsizetype end = pos_;
  while (end < bytes_.size() && data[end] != '\r' && data[end] != '\n') ++end;
  QString line = DecodeWin1250(data + pos_, end - pos_);
  pos_ = end;
  if (pos_ < bytes_.size() && data[pos_] == '\r') ++pos_;
  if (pos_ < bytes_.size() && data[pos_] == '\n' && (pos_ == end || data[pos_ - 1] == '\r')) ++pos_;
  return line;
}

QStringList SplitLines(const QByteArray& bytes) {
  TTextReader r(bytes);
  QStringList lines;
  while (!r.Eof()) lines << r.ReadLine();
  return lines;
}

void TTextWriter::WriteLine(const QString& line) {
  bytes_ += EncodeWin1250(line);
  bytes_ += "\r\n";
}

void TTextWriter::SaveTo(const QString& path) const { WriteFileAtomic(path, bytes_); }

void WriteFileAtomic(const QString& path, const QByteArray& bytes, bool exactName) {
  QString real;
  if (exactName) {
    const QString spelled = NormalizeSeparators(path);
    const qsizetype cut = spelled.lastIndexOf(u'/');
    real = cut < 0 ? spelled : ResolvePath(spelled.left(cut + 1)) + spelled.mid(cut + 1);
  } else {
    real = ResolvePath(path);
  }
  QSaveFile f(real);
  // QSaveFile writes a temporary file beside the target, fsyncs and renames on commit.
  if (!f.open(QIODevice::WriteOnly))
    throw EInOutError(
        QStringLiteral("Nie można zapisać pliku %1 (%2)").arg(ShownPath(path), FileErrorReason(f)));
  // commit() ignores a failed final flush and would rename a truncated file
  // over the old one (a full disk), so the flush is checked first.
  if (f.write(bytes) != bytes.size() || !f.flush() || !f.commit())
    throw EInOutError(
        QStringLiteral("Nie można zapisać pliku %1 (%2)").arg(ShownPath(path), FileErrorReason(f)));
  NotePathWritten(real);
}
