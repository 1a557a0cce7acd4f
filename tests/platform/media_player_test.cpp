// The media player on the real engine (SDL's dummy driver, which keeps real
// time) with short generated sounds.
#include <gtest/gtest.h>

#include <QThread>

#include "media_test_support.h"
#include "platform/Errors.h"

namespace {

class MediaPlayerTest : public ::testing::Test {
 protected:
  MediaDir dir;
  TMediaPlayer player;
  NoteLog log{player};

  void OpenTone(int ms, int rate = 22050) {
    player.FileName = dir.Tone("t" + QString::number(ms) + ".wav", ms, 440, rate);
    player.Open();
  }
  // Lets the sound run without processing events (the audio thread goes on).
  static void Sleep(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }
  // One audio buffer, plus a little for the scheduler of a busy machine.
  static double Slack() { return Audio::BufferMs() + 4; }
};

TEST_F(MediaPlayerTest, EngineRunsOnTheDummyDriverWithShortBuffers) {
  ASSERT_TRUE(Audio::Running());
  EXPECT_TRUE(Audio::Silent());
  // 1024 frames: latency a click can bear, half the wake-ups of 10 ms buffers.
  EXPECT_LE(Audio::BufferMs(), 24.0);
}

TEST_F(MediaPlayerTest, PlayToTheEndReportsSuccessfulOnceAndLater) {
  OpenTone(100);
  EXPECT_EQ(player.Mode(), mpStopped);
  EXPECT_NEAR(player.Length(), 100, 1);
  player.Play();
  EXPECT_EQ(player.Mode(), mpPlaying);
  EXPECT_TRUE(log.Values.empty());  // never inside the call
  ASSERT_TRUE(WaitUntil([&] { return !log.Values.empty(); }));
  Settle(60);
  EXPECT_EQ(log.Values, std::vector<TMPNotifyValues>{nvSuccessful});
  EXPECT_EQ(player.Mode(), mpStopped);
  EXPECT_NEAR(player.Position(), 100, 1);

  // Playing again from the end starts from the top.
  player.Play();
  EXPECT_LT(player.Position(), 50);
  ASSERT_TRUE(WaitUntil([&] { return log.Values.size() == 2; }));
  EXPECT_EQ(log.Values.back(), nvSuccessful);
}

TEST_F(MediaPlayerTest, CommandsThatEndAPlayReportAborted) {
  struct Case {
    const char* name;
    std::function<void(TMediaPlayer&)> command;
    TMPModes after;
  };
  const Case cases[] = {
      {"Stop", [](TMediaPlayer& p) { p.Stop(); }, mpStopped},
      {"Pause", [](TMediaPlayer& p) { p.Pause(); }, mpPaused},
      {"Close", [](TMediaPlayer& p) { p.Close(); }, mpNotReady},
      {"Rewind", [](TMediaPlayer& p) { p.Rewind(); }, mpStopped},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    log.Values.clear();
    OpenTone(1000);
    player.Play();
    Sleep(120);
    c.command(player);
    EXPECT_TRUE(log.Values.empty());
    EXPECT_EQ(player.Mode(), c.after);
    ASSERT_TRUE(WaitUntil([&] { return !log.Values.empty(); }));
    Settle(30);
    EXPECT_EQ(log.Values, std::vector<TMPNotifyValues>{nvAborted});
  }
}

TEST_F(MediaPlayerTest, StopKeepsThePositionAndPlayGoesOnFromIt) {
  OpenTone(300);
  player.Play();
  Sleep(100);
  player.Stop();
  const int stoppedAt = player.Position();
  EXPECT_GT(stoppedAt, 50);
  EXPECT_LT(stoppedAt, 200);
  Sleep(50);
  EXPECT_EQ(player.Position(), stoppedAt);
  player.Rewind();
  EXPECT_EQ(player.Position(), 0);
}

TEST_F(MediaPlayerTest, PlayWhilePlayingSupersedesTheFirstPlay) {
  OpenTone(150);
  player.Play();
  Sleep(30);
  player.Play();  // goes on from where it is, with a new notification
  EXPECT_EQ(player.Mode(), mpPlaying);
  ASSERT_TRUE(WaitUntil([&] { return log.Values.size() == 2; }));
  Settle(50);
  EXPECT_EQ(log.Values, (std::vector<TMPNotifyValues>{nvSuperseded, nvSuccessful}));
}

TEST_F(MediaPlayerTest, OpeningAnotherFileSupersedesThePlay) {
  OpenTone(300);
  player.Play();
  Sleep(30);
  player.FileName = dir.Tone("b.wav", 60);
  player.Open();
  EXPECT_EQ(player.Mode(), mpStopped);
  player.Play();
  ASSERT_TRUE(WaitUntil([&] { return log.Values.size() == 2; }));
  Settle(300);
  EXPECT_EQ(log.Values, (std::vector<TMPNotifyValues>{nvSuperseded, nvSuccessful}));
}

TEST_F(MediaPlayerTest, AnEndNotYetDeliveredIsStaleAfterALaterCommand) {
  OpenTone(50);
  player.Play();
  // The sound ends while no events are processed; then the player is reused.
  while (player.Mode() == mpPlaying) Sleep(2);
  EXPECT_TRUE(log.Values.empty());
  player.Close();
  player.FileName = dir.Tone("next.wav", 60);
  player.Open();
  player.Play();
  ASSERT_TRUE(WaitUntil([&] { return log.Values.size() == 2; }));
  Settle(50);
  EXPECT_EQ(log.Values, (std::vector<TMPNotifyValues>{nvSuperseded, nvSuccessful}));
}

TEST_F(MediaPlayerTest, ClosingAndReopeningInTheHandlerStartsCleanly) {
  const QString second = dir.Tone("second.wav", 60);
  OpenTone(50);
  int handled = 0;
  player.OnNotify = [&] {
    log.Values.push_back(player.NotifyValue());
    if (++handled == 1) {
      player.Close();
      player.FileName = second;
      player.Open();
      player.Play();
    }
  };
  player.Play();
  ASSERT_TRUE(WaitUntil([&] { return log.Values.size() == 2; }));
  Settle(150);
  EXPECT_EQ(log.Values, (std::vector<TMPNotifyValues>{nvSuccessful, nvSuccessful}));
}

TEST_F(MediaPlayerTest, WaitBlocksForTheSoundAndTheNotificationFollows) {
  OpenTone(200);
  QElapsedTimer t;
  t.start();
  player.Wait = true;
  player.Play();
  const double took = static_cast<double>(t.nsecsElapsed()) / 1e6;
  EXPECT_NEAR(took, 200.0, Slack());
  EXPECT_FALSE(player.Wait);  // one call only
  EXPECT_EQ(player.Mode(), mpStopped);
  EXPECT_TRUE(log.Values.empty());
  Settle(30);
  EXPECT_EQ(log.Values, std::vector<TMPNotifyValues>{nvSuccessful});
}

TEST_F(MediaPlayerTest, PositionFollowsThePlayAndPauseKeepsIt) {
  OpenTone(300, 44100);
  QElapsedTimer t;
  player.Play();
  t.start();
  for (int i = 0; i < 3; ++i) {
    Sleep(30);
    const double before = static_cast<double>(t.nsecsElapsed()) / 1e6;
    const int position = player.Position();
    const double after = static_cast<double>(t.nsecsElapsed()) / 1e6;
    EXPECT_GE(position, before - Slack()) << "sample " << i;
    EXPECT_LE(position, after + Slack()) << "sample " << i;
  }
  player.Pause();
  const int pausedAt = player.Position();
  EXPECT_EQ(player.Mode(), mpPaused);
  Settle(60);  // the pause's notification arrives before the resume
  EXPECT_EQ(player.Position(), pausedAt);
  player.Pause();  // resumes
  EXPECT_EQ(player.Mode(), mpPlaying);
  t.restart();
  Sleep(40);
  const double resumed = static_cast<double>(t.nsecsElapsed()) / 1e6;
  EXPECT_NEAR(player.Position() - pausedAt, resumed, Slack());
  ASSERT_TRUE(WaitUntil([&] { return log.Values.size() == 2; }));
  EXPECT_EQ(log.Values, (std::vector<TMPNotifyValues>{nvAborted, nvSuccessful}));
}

TEST_F(MediaPlayerTest, TimeFormatsCountTheFilesOwnSamples) {
  player.FileName = dir.Path("s.wav");
  WriteWave(player.FileName, MakeTone(200, 440, 11025, 2));
  player.Open();
  player.TimeFormat = tfSamples;
  EXPECT_NEAR(player.Length(), 2205, 2);
  player.SetPosition(1102);
  player.TimeFormat = tfMilliseconds;
  EXPECT_NEAR(player.Position(), 100, 1);
  player.TimeFormat = tfBytes;
  EXPECT_NEAR(player.Position(), 1102 * 4, 8);
}

TEST_F(MediaPlayerTest, WithoutNotifyAPlayReportsNothing) {
  OpenTone(50);
  player.Notify = false;
  player.Play();
  ASSERT_TRUE(WaitUntil([&] { return player.Mode() == mpStopped; }));
  Settle(50);
  EXPECT_TRUE(log.Values.empty());
}

TEST_F(MediaPlayerTest, BadFilesAndCommandsAreClearErrors) {
  player.FileName = dir.Path("missing.wav");
  try {
    player.Open();
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.Message.contains("missing.wav")) << e.Message.toStdString();
  }
  EXPECT_EQ(player.Mode(), mpNotReady);
  EXPECT_THROW(player.Play(), EInvalidOperation);

  QFile junk(dir.Path("junk.wav"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24);
  junk.close();
  player.FileName = junk.fileName();
  EXPECT_THROW(player.Open(), EInOutError);
  EXPECT_FALSE(player.IsOpen());

  // The wave device alone opens and closes without a file.
  player.FileName.clear();
  player.Open();
  EXPECT_EQ(player.Mode(), mpStopped);
  EXPECT_THROW(player.Play(), EInvalidOperation);
  player.Close();
  EXPECT_EQ(player.Mode(), mpNotReady);
  EXPECT_TRUE(log.Values.empty());
}

TEST_F(MediaPlayerTest, PlayedSoundReachesTheDevice) {
  OutputTap tap;
  OpenTone(100);
  tap.Reset();
  player.Play();
  ASSERT_TRUE(WaitUntil([&] { return !log.Values.empty(); }));
  // 100 ms of a 440 Hz tone: about 4410 frames and 88 sign changes.
  EXPECT_NEAR(tap.LoudFrames(), 4410, 60);
  EXPECT_NEAR(tap.SignChanges(), 88, 6);
}

TEST_F(MediaPlayerTest, ClipPlaysIntoItsPanelWithItsSound) {
  TPanel panel(nullptr);
  panel.resize(40, 30);
  const QString avi = dir.Path("clip.avi");
  const TSoundData sound = MakeTone(250, 660, 22050);
  WriteAvi(avi, MakeClipFrames(5, QSize(32, 24)), 20, TVideoCodec::Raw, &sound);
  OutputTap tap;
  player.SetDisplay(&panel);
  player.FileName = avi;
  player.Open();
  EXPECT_NEAR(player.Length(), 250, 2);
  tap.Reset();
  player.Play();
  ASSERT_TRUE(WaitUntil([&] { return !log.Values.empty(); }));
  EXPECT_EQ(log.Values, std::vector<TMPNotifyValues>{nvSuccessful});
  EXPECT_GT(tap.LoudFrames(), 10000);
  // The last frame stays in the panel, at the clip's own size.
  const QImage shot = panel.grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(20, 20)), ClipColor(4));
  EXPECT_EQ(QColor(shot.pixel(35, 20)), ToQColor(panel.Color()));
}

}  // namespace
