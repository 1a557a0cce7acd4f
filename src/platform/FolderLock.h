// A short critical section over a folder that several games may share, on
// one computer or over a network (a class plays from one network folder).
//
// The lock is a file created exclusively in the folder (O_EXCL, which holds
// on NFS and SFTP mounts as well, plus a native lock where the file system
// has one), written as QLockFile writes it: the holder's process, program,
// computer and its boot. It is not flushed to disk: it lives milliseconds.
// A lock is stale, and taken over, when its holder's process on this
// computer is gone, or when it is older than the stale time whoever holds it
// (a game on another computer cannot be asked whether it still runs; a
// critical section lasts milliseconds, so the stale time is generous). While
// the lock is held every cached listing of the folder is forgotten, so what
// is read there is the folder as it is now.
#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QString>
#include <memory>

class TFolderLock {
 public:
  static constexpr int DefaultStaleMs = 15000;
  // Long enough to outlast a stale lock left by a game that died holding it.
  static constexpr int DefaultWaitMs = 20000;
  // Name of the lock file in the folder.
  static QString FileName();

  // Takes the lock of `dir`; EInOutError naming the folder and the holder
  // when it stays taken for `waitMs` or cannot be created.
  explicit TFolderLock(const QString& dir, int waitMs = DefaultWaitMs,
                       int staleMs = DefaultStaleMs);
  ~TFolderLock();
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;

 private:
  // The lock file with the holder's lines, or -1 with errno.
  static int CreateQuickly(const QByteArray& path);
  QString dir_;
  QByteArray path_;
  int fd_ = -1;
  // Set instead when the lock was taken over from a holder that is gone.
  std::unique_ptr<QLockFile> careful_;
};
