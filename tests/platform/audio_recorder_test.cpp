// Recording on the dummy capture device (silence in real time) and saving.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "media_test_support.h"
#include "platform/WaveRecorder.h"

namespace {

TEST(AudioRecorder, ATwoSecondTakeIsAValidWaveOfTwoSeconds) {
  MediaDir dir;
  TWaveRecorder rec;
  ASSERT_EQ(rec.Open(), QString());
  QElapsedTimer took;
  ASSERT_EQ(rec.Record(), QString());
  took.start();
  EXPECT_TRUE(rec.Recording());
  QThread::msleep(2000);
  ASSERT_EQ(rec.Stop(), QString());
  const double seconds = static_cast<double>(took.elapsed()) / 1000;
  const QString path = dir.Path("tmp1.Wav");
  ASSERT_EQ(rec.Save(path), QString());
  ASSERT_EQ(rec.Close(), QString());

  SF_INFO info{};
  SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
  ASSERT_NE(f, nullptr);
  sf_close(f);
  EXPECT_EQ(info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_WAV);
  EXPECT_EQ(info.channels, 1);
  EXPECT_NEAR(static_cast<double>(info.frames) / info.samplerate, seconds, 0.05);
  // The game's own decoder reads the take back.
  EXPECT_NEAR(DecodeSoundFile(path).LengthMs(), seconds * 1000, 50);
}

TEST(AudioRecorder, StepsOutOfOrderAndUnwritablePathsGiveErrorTexts) {
  MediaDir dir;
  TWaveRecorder rec;
  EXPECT_FALSE(rec.Record().isEmpty());
  EXPECT_FALSE(rec.Save(dir.Path("a.wav")).isEmpty());
  EXPECT_EQ(rec.Close(), QString());
  ASSERT_EQ(rec.Open(), QString());
  const QString bad = dir.Path("no/such/dir/a.wav");
  const QString error = rec.Save(bad);
  EXPECT_TRUE(error.contains(bad)) << error.toStdString();
  EXPECT_FALSE(QFile::exists(bad));
}

TEST(AudioRecorder, SavingReplacesAnOldTakeWhole) {
  MediaDir dir;
  const QString path = dir.Path("tmp1.wav");
  WriteWave(path, MakeTone(1000, 300));
  TWaveRecorder rec;
  ASSERT_EQ(rec.Open(), QString());
  QElapsedTimer took;
  rec.Record();
  took.start();
  QThread::msleep(200);
  const qint64 before = took.elapsed();
  ASSERT_EQ(rec.Save(path), QString());  // stops the take first
  const qint64 after = took.elapsed();
  EXPECT_FALSE(rec.Recording());
  const int length = DecodeSoundFile(path).LengthMs();
  EXPECT_GE(length, before - 2);
  EXPECT_LE(length, after + 2);
}

}  // namespace
