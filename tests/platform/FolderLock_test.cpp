#include "platform/FolderLock.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>

#include "platform/Errors.h"
#include "support/Support.h"

namespace {

// The lock file another holder leaves: this process's own lock file with its
// process number and, for another computer, its name and machine and boot ids
// replaced.
QByteArray LockFileOf(const QString& dir, qint64 pid, const QString& host) {
  QLockFile own(dir + u'/' + TFolderLock::FileName());
  EXPECT_TRUE(own.tryLock(0));
  QFile f(dir + u'/' + TFolderLock::FileName());
  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
  QList<QByteArray> lines = f.readAll().split('\n');
  f.close();
  own.unlock();
  EXPECT_GE(lines.size(), 3);
  lines[0] = QByteArray::number(pid);
  if (!host.isEmpty()) {
    lines[2] = host.toUtf8();
    for (int i = 3; i < std::min<int>(lines.size(), 5); ++i)
      if (!lines[i].isEmpty()) lines[i] = QByteArray(lines[i].size(), 'f');
  }
  return lines.join('\n');
}

}  // namespace

TEST(FolderLock, AStaleLockIsTakenOverAndALiveOneNamesItsHolder) {
  const qint64 dead = [] {
    // processId() is 0 once the process ended, so ask while it runs.
    QProcess p;
    p.start(QStringLiteral("sleep"), {QStringLiteral("0.05")});
    p.waitForStarted();
    const qint64 pid = p.processId();
    p.waitForFinished();
    return pid;
  }();
  struct Case {
    const char* holder;
    qint64 pid;
    const char* host;  // empty: this computer
    qint64 ageMs;
    bool taken;
  } cases[] = {
      {"a game on this computer that died holding it", dead, "", 0, true},
      {"a game on another computer, older than the stale time", 4242, "sala-pc07", 5000, true},
      {"a game on another computer, holding it now", 4242, "sala-pc07", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.holder);
    QTemporaryDir dir;
    const QString lockPath = dir.filePath(TFolderLock::FileName());
    const QByteArray content = LockFileOf(dir.path(), c.pid, QString::fromLatin1(c.host));
    WriteRaw(lockPath, content);
    QFile f(lockPath);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(QDateTime::currentDateTimeUtc().addMSecs(-c.ageMs),
                  QFileDevice::FileModificationTime);
    f.close();
    try {
      TFolderLock lock(dir.path(), 300, 2000);
      EXPECT_TRUE(c.taken);
      EXPECT_NE(ReadRaw(lockPath), content);  // ours now
    } catch (const EInOutError& e) {
      EXPECT_FALSE(c.taken) << e.what();
      EXPECT_TRUE(e.Message.contains(QStringLiteral("sala-pc07"))) << e.what();
      EXPECT_TRUE(e.Message.contains(QStringLiteral("4242"))) << e.what();
      EXPECT_EQ(ReadRaw(lockPath), content);  // never removed under a live holder
    }
  }
}

TEST(FolderLock, IsReleasedWhenTheCriticalSectionEnds) {
  QTemporaryDir dir;
  { TFolderLock first(dir.path(), 100); }
  TFolderLock second(dir.path(), 100);
  EXPECT_THROW(TFolderLock(dir.path(), 50), EInOutError);
}
