#include "platform/Errors.h"

#include <QFileDevice>
#include <QFileInfo>
#include <cerrno>

#include "platform/Paths.h"

QString Located(const QString& file, int line, const QString& message) {
  if (file.isEmpty()) return message;
  if (line > 0) return QStringLiteral("%1:%2: %3").arg(ShownPath(file)).arg(line).arg(message);
  return QStringLiteral("%1: %2").arg(ShownPath(file), message);
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
}  // namespace

QString FileErrorReason(const QFileDevice& file) {
  // Qt refuses to open a folder with a text of its own.
  if (QFileInfo(file.fileName()).isDir()) return QStringLiteral("to jest folder, a nie plik");
  // Qt words a failed system call with the C library's text for its errno.
  const QString text = file.errorString();
  for (const auto& k : kKnown)
    if (text == qt_error_string(k.Code)) return QString::fromUtf8(k.Reason);
  return text;
}

QString SystemErrorReason(int code) {
  for (const auto& k : kKnown)
    if (code == k.Code) return QString::fromUtf8(k.Reason);
  return qt_error_string(code);
}
