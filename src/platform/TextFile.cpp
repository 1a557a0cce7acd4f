#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Win1250.h"

qint64 FileSizeCap(TFileKind kind) {
  constexpr qint64 MB = 1 << 20;
  switch (kind) {
    case TFileKind::Text:
    case TFileKind::Record: return 1 * MB;
    case TFileKind::Picture: return 64 * MB;
    case TFileKind::Sound: return 256 * MB;
    case TFileKind::Video: return 512 * MB;
  }
  return 1 * MB;
}

namespace {

[[noreturn]] void CannotOpen(const QString& path, const QString& reason) {
  throw EInOutError(QStringLiteral("Nie można otworzyć pliku %1 (%2)").arg(ShownPath(path), reason));
}

// Opens a regular file for reading. The type is checked before the open,
// which would block on a FIFO, and again on the open file.
QString OpenRegular(QFile& f, const QString& path) {
  const QString real = ResolvePath(path);
  const QFileInfo info(real);
  const auto notRegular = [&] { CannotOpen(path, QStringLiteral("to nie jest zwykły plik")); };
  if (info.exists() && !info.isFile() && !info.isDir()) notRegular();
  f.setFileName(real);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) CannotOpen(path, FileErrorReason(f));
  if (f.isSequential()) notRegular();
  return real;
}

void CheckSize(const QFile& f, const QString& path, TFileKind kind) {
  const qint64 cap = FileSizeCap(kind);
  if (f.size() > cap)
    throw EInOutError(QStringLiteral("Plik %1 jest za duży (%2 MB, najwięcej %3 MB)")
                          .arg(ShownPath(path))
                          .arg((f.size() + (1 << 20) - 1) >> 20)
                          .arg(cap >> 20));
}

QByteArray ReadAtMost(QFile& f, const QString& path, qint64 maxBytes) {
  // Read in pieces: asking for maxBytes at once would allocate all of it.
  QByteArray bytes;
  bytes.reserve(qMin(f.size(), maxBytes));
  char piece[64 * 1024];
  while (bytes.size() < maxBytes) {
    const qint64 got = f.read(piece, qMin<qint64>(sizeof piece, maxBytes - bytes.size()));
    if (got < 0)
      throw EInOutError(
          QStringLiteral("Błąd odczytu pliku %1 (%2)").arg(ShownPath(path), FileErrorReason(f)));
    if (got == 0) break;
    bytes.append(piece, got);
  }
  return bytes;
}

}  // namespace

QByteArray ReadWholeFile(const QString& path, TFileKind kind) {
  QFile f;
  OpenRegular(f, path);
  CheckSize(f, path, kind);
  // A file that grows while it is read stops at the cap.
  return ReadAtMost(f, path, FileSizeCap(kind));
}

QByteArray ReadFileHead(const QString& path, qint64 maxBytes) {
  QFile f;
  OpenRegular(f, path);
  return ReadAtMost(f, path, maxBytes);
}

QString CheckedFilePath(const QString& path, TFileKind kind) {
  QFile f;
  const QString real = OpenRegular(f, path);
  CheckSize(f, path, kind);
  return real;
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
