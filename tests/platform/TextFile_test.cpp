#include "platform/TextFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <functional>

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Win1250.h"
#include "support/Support.h"

TEST(TextReader, AcceptsEveryLineEndAndReadsEmptyLinesPastTheEnd) {
  TTextReader r(QByteArray("one\r\ntwo\nthree\rfour\r\n\r\nlast"), QStringLiteral("f.txt"));
  const QStringList expected = {"one", "two", "three", "four", "", "last", "", ""};
  for (const QString& e : expected) EXPECT_EQ(r.ReadLine(), e);
  EXPECT_TRUE(r.Eof());
  EXPECT_EQ(r.LineNo(), 8);
  EXPECT_EQ(SplitLines(QByteArray("a\r\nb\r\n")), QStringList({"a", "b"}));
  EXPECT_EQ(SplitLines(QByteArray()), QStringList());
}

TEST(TextReader, DecodesWindows1250) {
  TTextReader r(EncodeWin1250(QStringLiteral("Żółw\r\nźdźbło")));
  EXPECT_EQ(r.ReadLine(), QStringLiteral("Żółw"));
  EXPECT_EQ(r.ReadLine(), QStringLiteral("źdźbło"));
}

TEST(TextReader, MissingFileErrorNamesTheFile) {
  try {
    TTextReader::FromFile(QStringLiteral("/nonexistent/dir/plik.txt"));
    FAIL();
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.Message.contains(QStringLiteral("/nonexistent/dir/plik.txt"))) << e.what();
  }
}

TEST(FileErrors, NameThePathWithTheSystemsSeparatorsAndAPolishReason) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir(QStringLiteral("sub"));
  const QString missing = dir.path() + QStringLiteral("\\brak\\plik.txt");
  const QString shown = QDir::toNativeSeparators(dir.path() + QStringLiteral("/brak/plik.txt"));
  struct Case {
    std::function<void()> fail;
    QString path, reason;
  } cases[] = {
      {[&] { ReadWholeFile(missing); }, shown, QStringLiteral("nie ma takiego pliku ani folderu")},
      {[&] { ReadWholeFile(dir.filePath(QStringLiteral("sub"))); },
       QDir::toNativeSeparators(dir.filePath("sub")), QStringLiteral("to jest folder, a nie plik")},
      {[&] { WriteFileAtomic(missing, "x"); }, shown,
       QStringLiteral("nie ma takiego pliku ani folderu")},
  };
  for (const Case& c : cases) {
    try {
      c.fail();
      ADD_FAILURE() << "no error for " << c.path.toStdString();
    } catch (const EInOutError& e) {
      EXPECT_TRUE(e.Message.contains(c.path) && e.Message.contains(c.reason)) << e.what();
    }
  }
  // The causes a parent can act on, however the system words them.
  struct Device : QFile {
    using QFile::setErrorString;
  } device;
  const std::pair<int, const char*> reasons[] = {{ENOSPC, "brak miejsca na dysku"},
                                                 {EACCES, "brak uprawnień"},
                                                 {EROFS, "dysk jest tylko do odczytu"}};
  for (const auto& [code, reason] : reasons) {
    device.setErrorString(qt_error_string(code));
    EXPECT_EQ(FileErrorReason(device), QString::fromUtf8(reason)) << code;
  }
  // The rest keep the system's own words, after Polish ones.
  device.setErrorString(QStringLiteral("Something rare"));
  EXPECT_EQ(FileErrorReason(device), QStringLiteral("błąd systemu (Something rare)"));
  device.setErrorString(qt_error_string(EIO));
  EXPECT_EQ(FileErrorReason(device),
            QStringLiteral("błąd odczytu lub zapisu na nośniku (%1)").arg(qt_error_string(EIO)));
  EXPECT_EQ(
      Located(QStringLiteral("C:\\gra/login\\Kot.txt"), 2, QStringLiteral("x")),
      QDir::toNativeSeparators(QStringLiteral("C:/gra/login/Kot.txt")) + QStringLiteral(":2: x"));
}

TEST(TextWriter, WritesCrLfWindows1250AndReplacesWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("lista.txt"));
  TTextWriter w;
  w.WriteLine(QStringLiteral("Łukasz"));
  w.WriteLine(QString());
  w.SaveTo(path);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("\xA3ukasz\r\n\r\n"));
  f.close();
  TTextWriter shorter;
  shorter.WriteLine(QStringLiteral("x"));
  shorter.SaveTo(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("x\r\n"));
  // Only the file itself remains: no temporary left behind.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"lista.txt"}));
}

TEST(TextWriter, FailedWriteKeepsTheOldFileAndNamesThePath) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("gracz.txt"));
  WriteFileAtomic(path, "old\r\n");
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const bool rootIgnoresPermissions = QFileInfo(dir.path()).isWritable();
  if (!rootIgnoresPermissions) {
    try {
      WriteFileAtomic(path, "new\r\n");
      ADD_FAILURE() << "write into a read-only directory succeeded";
    } catch (const EInOutError& e) {
      EXPECT_TRUE(e.Message.contains(path)) << e.what();
    }
  }
  QFile::setPermissions(dir.path(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(ReadWholeFile(path), QByteArray("old\r\n"));
  // A writer whose target is a directory fails and leaves the directory alone.
  QDir(dir.path()).mkdir(QStringLiteral("sub"));
  EXPECT_THROW(WriteFileAtomic(dir.filePath(QStringLiteral("sub")), "x"), EInOutError);
  EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("sub"))).isDir());
}

// Whatever sits where a game file should be, reading ends at once with an
// error naming the file, and never holds more than the kind's cap.
TEST(BoundedRead, RefusesWhatIsNotASmallRegularFile) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath(QStringLiteral("fifo.txt"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString zero = dir.filePath(QStringLiteral("zero.txt"));
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
  const QString huge = dir.filePath(QStringLiteral("huge.fc2"));
  {
    QFile f(huge);  // sparse: 2 GB on paper, nothing on disk
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(qint64(2) << 30));
  }
  const struct {
    std::function<void()> read;
    QString path, reason;
  } cases[] = {
      {[&] { ReadWholeFile(fifo); }, fifo, QStringLiteral("to nie jest zwykły plik")},
      {[&] { ReadFileHead(fifo, 10); }, fifo, QStringLiteral("to nie jest zwykły plik")},
      {[&] { ReadWholeFile(zero, TFileKind::Video); }, zero,
       QStringLiteral("to nie jest zwykły plik")},
      {[&] { CheckedFilePath(zero, TFileKind::Sound); }, zero,
       QStringLiteral("to nie jest zwykły plik")},
      {[&] { ReadWholeFile(huge); }, huge, QStringLiteral("za duży (2048 MB, najwięcej 1 MB)")},
      {[&] { CheckedFilePath(huge, TFileKind::Video); }, huge, QStringLiteral("najwięcej 512 MB")},
  };
  for (const auto& c : cases) {
    try {
      c.read();
      ADD_FAILURE() << "no error for " << c.path.toStdString();
    } catch (const EInOutError& e) {
      EXPECT_TRUE(e.Message.contains(QDir::toNativeSeparators(c.path)) &&
                  e.Message.contains(c.reason))
          << e.what();
    }
  }
  EXPECT_EQ(ReadFileHead(huge, 2188), QByteArray(2188, '\0'));
}

// A folder may be shared by several games: a temporary beside the target may
// be another game's write in progress, and only an old one is a crash's leftover.
TEST(TextWriter, RemovesOnlyTemporariesTooOldToBeAWriteInProgress) {
  struct Case {
    const char* name;
    qint64 ageSecs;
    bool stays;
  } cases[] = {
      {"gracz.txt.Ab12Cd", 0, true},          // another game writing right now
      {"gracz.txt.Zz99zz", 50 * 60, true},    // slow, or a server clock minutes off
      {"gracz.txt.Old123", 2 * 3600, false},  // what a crash left
      {"gracz.txt.Old12", 2 * 3600, true},    // not our temporary's name
      {"inny.txt.Old123", 2 * 3600, true},    // another file's
  };
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("gracz.txt"));
  for (const Case& c : cases) {
    QFile f(dir.filePath(QString::fromLatin1(c.name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("half");
    f.close();
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-c.ageSecs),
                              QFileDevice::FileModificationTime));
    f.close();
  }
  WriteFileAtomic(path, "nowy\r\n");
  for (const Case& c : cases)
    EXPECT_EQ(QFileInfo::exists(dir.filePath(QString::fromLatin1(c.name))), c.stays) << c.name;
  EXPECT_EQ(ReadRaw(path), QByteArray("nowy\r\n"));
}
