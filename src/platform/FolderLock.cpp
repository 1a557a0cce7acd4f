#include "platform/FolderLock.h"

#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <QThread>
#include <cerrno>

#include "platform/Errors.h"
#include "platform/Paths.h"

QString TFolderLock::FileName() {
  return QStringLiteral(".tarvolin.lock");
}

TFolderLock::TFolderLock(const QString& dir, int waitMs, int staleMs) : dir_(ResolvePath(dir)) {
  if (!dir_.endsWith(u'/')) dir_ += u'/';
  lock_ = std::make_unique<QLockFile>(dir_ + FileName());
  lock_->setStaleLockTime(staleMs);
  const QDeadlineTimer deadline(waitMs);
  // QLockFile's own wait doubles its pause up to seconds; with a whole class
  // saving at once short random pauses let each game in sooner.
  while (!lock_->tryLock(0)) {
    if (lock_->error() != QLockFile::LockFailedError) {
      const int code = lock_->error() == QLockFile::PermissionError ? EACCES : EIO;
      throw EInOutError(QStringLiteral("Nie można zablokować folderu %1 do zapisu (%2)")
                            .arg(ShownPath(dir_), SystemErrorReason(code)));
    }
    if (deadline.hasExpired()) {
      qint64 pid = 0;
      QString host, program;
      lock_->getLockInfo(&pid, &host, &program);
      throw EInOutError(
          QStringLiteral(
              "Folder %1 jest zajęty przez inną grę (komputer %2, proces %3) dłużej niż %4 s. "
              "Spróbuj jeszcze raz za chwilę.")
              .arg(ShownPath(dir_), host.isEmpty() ? QStringLiteral("?") : host)
              .arg(pid)
              .arg(waitMs / 1000.0, 0, 'f', waitMs % 1000 ? 1 : 0));
    }
    QThread::msleep(2 + QRandomGenerator::global()->bounded(20));
  }
  NotePathWritten(dir_ + FileName());
}

TFolderLock::~TFolderLock() {
  lock_->unlock();
  NotePathWritten(dir_ + FileName());
}
