#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>

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

qsizetype TTextReader::Advance() {
  ++line_;
  const char* data = bytes_.constData();
  qsizetype end = pos_;
  while (end < bytes_.size() && data[end] != '\r' && data[end] != '\n') ++end;
  pos_ = end;
  if (pos_ < bytes_.size() && data[pos_] == '\r') ++pos_;
  if (pos_ < bytes_.size() && data[pos_] == '\n' && (pos_ == end || data[pos_ - 1] == '\r')) ++pos_;
  return end;
}

QString TTextReader::ReadLine() {
  if (pos_ >= bytes_.size()) {
    ++line_;
    return {};
  }
  const qsizetype start = pos_;
  const qsizetype end = Advance();
  return DecodeWin1250(bytes_.constData() + start, end - start);
}

void TTextReader::Skip(qint64 count) {
  for (; count > 0 && !Eof(); --count) Advance();
  // Line numbers stay far below overflow however often a file asks to skip.
  constexpr qint64 kFar = qint64(1) << 60;
  if (count > 0) line_ = std::min(line_ + std::min(count, kFar), kFar);
}

int TTextReader::LineNo() const {
  return static_cast<int>(std::min<qint64>(line_, INT_MAX));
}

void TTextWriter::WriteLine(const QString& line) {
  bytes_ += EncodeWin1250(line);
  bytes_ += "\r\n";
}

void TTextWriter::SaveTo(const QString& path) const { WriteFileAtomic(path, bytes_); }

namespace {

[[noreturn]] void CannotWrite(const QString& path, const QString& reason) {
  throw EInOutError(QStringLiteral("Nie można zapisać pliku %1 (%2)").arg(ShownPath(path), reason));
}

// Temporaries are "<file>.XXXXXX" with six letters or digits, the names
// QSaveFile used too, so what an older build left is found as well.
bool IsTemporaryOf(const QString& entry, const QString& fileName) {
  if (entry.size() != fileName.size() + 7 || !entry.startsWith(fileName) ||
      entry[fileName.size()] != u'.')
    return false;
  for (QChar c : QStringView(entry).mid(fileName.size() + 1))
    if (c.unicode() > 127 || !c.isLetterOrNumber()) return false;
  return true;
}

// Another game sharing the folder may be writing its temporary right now, so
// only one no write could still be busy with goes: an hour old (by the file
// server's clock, which may differ from ours by minutes).
constexpr qint64 kLeftTemporaryAgeSecs = 3600;

void RemoveLeftTemporaries(const QString& dir, const QString& fileName) {
  const QDir d(dir);
  const QDateTime now = QDateTime::currentDateTimeUtc();
  for (const QFileInfo& entry : d.entryInfoList(QDir::Files | QDir::System | QDir::Hidden))
    // A link is no game's temporary (they are created as files), whatever its age.
    if (IsTemporaryOf(entry.fileName(), fileName) &&
        (entry.isSymLink() || entry.lastModified().secsTo(now) > kLeftTemporaryAgeSecs))
      QFile::remove(entry.filePath());
}

int CreateTemporary(const QString& real, QByteArray& name) {
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = QFile::encodeName(real) + '.';
    for (int i = 0; i < 6; ++i)
      name += kChars[QRandomGenerator::global()->bounded(int(sizeof kChars) - 1)];
    // O_EXCL: never opens what another program put there, a link included.
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, const QByteArray& bytes) {
  const char* data = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    left -= n;
  }
  return true;
}

void SyncDirectory(const QString& dir) {
  // Makes the rename itself survive a power cut; file systems that cannot
  // sync a directory have nothing to lose here.
  const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void WriteFileAtomic(const QString& path, const QByteArray& bytes, bool exactName) {
  QString real;
  if (exactName) {
    const QString spelled = NormalizeSeparators(path);
    const qsizetype cut = spelled.lastIndexOf(u'/');
    real = cut < 0 ? spelled : ResolvePath(spelled.left(cut + 1)) + spelled.mid(cut + 1);
  } else {
    real = ResolvePath(path);
  }
  const QFileInfo target(real);
  struct stat old {};
  const bool regular =
      ::lstat(QFile::encodeName(real).constData(), &old) == 0 && S_ISREG(old.st_mode);
  if (!target.isSymLink() && target.isDir()) CannotWrite(path, SystemErrorReason(EISDIR));
  if (regular && !target.isWritable()) CannotWrite(path, SystemErrorReason(EACCES));
  RemoveLeftTemporaries(target.absolutePath(), target.fileName());

  QByteArray temporary;
  const int fd = CreateTemporary(real, temporary);
  if (fd < 0) CannotWrite(path, SystemErrorReason(errno));
  const auto fail = [&](int code) {
    ::unlink(temporary.constData());
    NotePathWritten(real);
    CannotWrite(path, SystemErrorReason(code));
  };
  // A full disk shows at the write or at the sync, never as a short file
  // renamed over the old one.
  if (regular) ::fchmod(fd, old.st_mode & 07777);
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
    const int code = errno;
    ::close(fd);
    fail(code);
  }
  if (::close(fd) != 0) fail(errno);
  // rename() replaces a link at `real` itself, never the file it points to.
  if (::rename(temporary.constData(), QFile::encodeName(real).constData()) != 0) fail(errno);
  SyncDirectory(target.absolutePath());
  NotePathWritten(real);
}
