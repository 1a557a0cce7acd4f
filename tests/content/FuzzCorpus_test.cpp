// Every input a fuzzer ever kept still reads without a crash or a hang: the
// corpora are the readers' regression seeds.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

TEST(FuzzCorpus, EveryKeptInputReplaysCleanly) {
  const QDir corpora(QStringLiteral(TARVOLIN_SOURCE_DIR "/fuzz/corpus"));
  const QStringList names = corpora.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  ASSERT_FALSE(names.isEmpty()) << "no corpora in " << corpora.path().toStdString();
  for (const QString& name : names) {
    const QString driver = QCoreApplication::applicationDirPath() + "/fuzz_" + name;
    ASSERT_TRUE(QFile::exists(driver)) << "a corpus without its target: " << name.toStdString();
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(driver, {corpora.filePath(name)});
    const bool ended = p.waitForFinished(120000);
    if (!ended) p.kill();
    EXPECT_TRUE(ended && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        << name.toStdString() << ": " << p.readAll().right(2000).toStdString();
  }
}
