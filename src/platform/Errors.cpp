#include "platform/Errors.h"

#include <QFileDevice>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

#include "platform/Paths.h"

QString Located(const QString& file, int line, const QString& message) {
  if (file.isEmpty()) return message;
  if (line > 0) return QStringLiteral("%1:%2: %3").arg(ShownPath(file)).arg(line).arg(message);
  return QStringLiteral("%1: %2").arg(ShownPath(file), message);
}

namespace {
QStringList& QuotableFolders() {
  static QStringList folders;
  return folders;
}

// The real path, links resolved; for a file not (yet) there, its folder's.
QString RealPath(const QString& path) {
  const QFileInfo info(ResolvePath(path));
  if (const QString real = info.canonicalFilePath(); !real.isEmpty()) return real;
  const QString dir = QFileInfo(info.absolutePath()).canonicalFilePath();
  return dir.isEmpty() ? QString() : dir + u'/' + info.fileName();
}
}  // namespace

void SetQuotableFolders(const QStringList& folders) {
  QStringList real;
  for (const QString& f : folders)
    if (const QString r = RealPath(f); !r.isEmpty()) real << r;
  QuotableFolders() = real;
}

bool MayQuote(const QString& file) {
  const QStringList& folders = QuotableFolders();
  if (folders.isEmpty() || file.isEmpty()) return true;
  const QString real = RealPath(file);
  if (real.isEmpty()) return false;
  return std::any_of(folders.begin(), folders.end(), [&](const QString& f) {
    return real == f || real.startsWith(f.endsWith(u'/') ? f : f + u'/');
  });
}

namespace {
// Causes a parent can act on, in Polish.
struct TKnownReason {
  int Code;
  const char* Reason;
};
constexpr TKnownReason kKnown[] = {
    {ENOENT, "nie ma takiego pliku ani folderu"},
    {EACCES, "brak uprawnień"},
    {EPERM, "brak uprawnień"},
    {ENOSPC, "brak miejsca na dysku"},
#ifdef EDQUOT
    {EDQUOT, "brak miejsca na dysku"},
#endif
    {EROFS, "dysk jest tylko do odczytu"},
    {EISDIR, "to jest folder, a nie plik"},
    {EFBIG, "plik jest za duży"},
};

// The system's text for the rarer causes, English, after a Polish word.
QString OtherSystemReason(const QString& text, bool inputOutput) {
  return (inputOutput ? QStringLiteral("błąd odczytu lub zapisu na nośniku (%1)")
                      : QStringLiteral("błąd systemu (%1)"))
      .arg(text);
}
}  // namespace

QString FileErrorReason(const QFileDevice& file) {
  // Qt refuses to open a folder with a text of its own.
  if (QFileInfo(file.fileName()).isDir()) return QStringLiteral("to jest folder, a nie plik");
  // Qt words a failed system call with the C library's text for its errno.
  const QString text = file.errorString();
  for (const auto& k : kKnown)
    if (text == qt_error_string(k.Code)) return QString::fromUtf8(k.Reason);
  return OtherSystemReason(text, text == qt_error_string(EIO));
}

QString SystemErrorReason(int code) {
  for (const auto& k : kKnown)
    if (code == k.Code) return QString::fromUtf8(k.Reason);
  return OtherSystemReason(qt_error_string(code), code == EIO);
}

QString LibraryDetails(const char* library, const QString& reason) {
  const QString text = reason.trimmed();
  if (text.isEmpty()) return {};
  return QStringLiteral(" Szczegóły (%1): %2").arg(QString::fromUtf8(library), text);
}
