#include "platform/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>
#include <cerrno>

#include "platform/Errors.h"
#include "platform/Paths.h"

QString TFolderLock::FileName() {
  return QStringLiteral(".tarvolin.lock");
}

namespace {

// What QLockFile writes, so that either judges the other's lock.
QByteArray HolderLines() {
  return QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
         QCoreApplication::applicationName().toUtf8() + '\n' +
         QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' +
         QSysInfo::bootUniqueId() + '\n';
}

}  // namespace

int TFolderLock::CreateQuickly(const QByteArray& path) {
  const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  // As QLockFile does: nobody may remove it while we hold it (a local lock,
  // and one the network file system's lock manager keeps).
  ::flock(fd, LOCK_EX | LOCK_NB);
  struct flock whole = {};
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;
  ::fcntl(fd, F_SETLK, &whole);
  const QByteArray lines = HolderLines();
  if (::write(fd, lines.constData(), static_cast<size_t>(lines.size())) != lines.size()) {
    const int code = errno ? errno : EIO;
    ::unlink(path.constData());
    ::close(fd);
    errno = code;
    return -1;
  }
  return fd;
}

TFolderLock::TFolderLock(const QString& dir, int waitMs, int staleMs) : dir_(ResolvePath(dir)) {
  if (!dir_.endsWith(u'/')) dir_ += u'/';
  path_ = QFile::encodeName(dir_ + FileName());
  const QDeadlineTimer deadline(waitMs);
  const auto cannot = [&](int code) {
    throw EInOutError(QStringLiteral("Nie można zablokować folderu %1 do zapisu (%2)")
                          .arg(ShownPath(dir_), SystemErrorReason(code)));
  };
  for (;;) {
    // The lock lasts milliseconds and a power cut ends it anyway, so it is
    // not flushed to disk: QLockFile's flush would cost as much as the save.
    fd_ = CreateQuickly(path_);
    if (fd_ >= 0) break;
    if (errno != EEXIST) cannot(errno);
    // Taken: QLockFile decides whether its holder is gone and, if so, takes
    // it over (one game at a time).
    auto careful = std::make_unique<QLockFile>(dir_ + FileName());
    careful->setStaleLockTime(staleMs);
    if (careful->tryLock(0)) {
      careful_ = std::move(careful);
      break;
    }
    if (careful->error() != QLockFile::LockFailedError)
      cannot(careful->error() == QLockFile::PermissionError ? EACCES : EIO);
    if (deadline.hasExpired()) {
      qint64 pid = 0;
      QString host, program;
      careful->getLockInfo(&pid, &host, &program);
      throw EInOutError(
          QStringLiteral(
              "Folder %1 jest zajęty przez inną grę (komputer %2, proces %3) dłużej niż %4 s. "
              "Spróbuj jeszcze raz za chwilę.")
              .arg(ShownPath(dir_), host.isEmpty() ? QStringLiteral("?") : host)
              .arg(pid)
              .arg(waitMs / 1000.0, 0, 'f', waitMs % 1000 ? 1 : 0));
    }
    // Short random pauses let a whole class saving at once in sooner than
    // QLockFile's own wait, which doubles its pause up to seconds.
    QThread::msleep(2 + QRandomGenerator::global()->bounded(20));
  }
  NotePathWritten(dir_ + FileName());
}

TFolderLock::~TFolderLock() {
  if (careful_) {
    careful_->unlock();
  } else {
    ::unlink(path_.constData());
    ::close(fd_);
  }
  NotePathWritten(dir_ + FileName());
}
