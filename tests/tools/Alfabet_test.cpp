// The alphabet board on a small installation: real letter and creature
// sounds, the board's own player and the shared one on SDL's dummy driver.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <atomic>
#include <memory>

#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "menu/FrmMenuStart.h"
#include "menu/MenuTestSupport.h"
#include "platform/Application.h"
#include "platform/AudioEngine.h"
#include "platform/Beep.h"
#include "platform/Paths.h"
#include "support/Support.h"
#include "tools/AlphabetBoard.h"
#include "tools/FrmAlfabet.h"
#include "world/FrmMain.h"

namespace {

void Press(QWidget* w, QEvent::Type type, Qt::MouseButton button = Qt::LeftButton) {
  const Qt::MouseButtons held =
      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent e(type, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

bool WaitUntil(const std::function<bool()>& done) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < 8000) PumpEvents(2);
  return done();
}

// "V_7" for a letter's sound, "FX/05" for a creature's.
QString SoundName(const QString& path) {
  const QFileInfo f(ResolvePath(path));
  return (f.dir().dirName().compare("FX", Qt::CaseInsensitive) == 0 ? "FX/" : "") +
         f.completeBaseName();
}

class Alphabet : public ::testing::Test {
 protected:
  Alphabet() {
    for (int k = 1; k <= 26; ++k) WriteWave(Sound(LetterSoundPath(k)), MakeTone(60, 300 + 10 * k));
    for (int t = 1; t <= 7; ++t) WriteWave(Sound(CreatureSoundPath(t)), MakeTone(600, 700));
    WriteWave(Sound(AlphabetSongPath()), MakeTone(200, 500));
    WriteSolidBmp(inst.ProgramDir() + "/gfx/Alfabet.bmp", 640, 480, QColor(200, 240, 255));
    // Counts the sound sent to the device once the second letter has ended.
    Audio::SetOutputTap([this](const std::int16_t* s, int frames) {
      for (int i = 0; i < frames && afterB; ++i) heard += s[2 * i] != 0;
    });
  }
  ~Alphabet() override {
    screens.reset();
    Audio::SetOutputTap({});
    Application()->ClearTerminated();
  }
  // The board shown, with the reading logged: "end V_k" for each letter played
  // to its end, "play V_k" for each letter started.
  void Start() {
    ClearPathCache();
    screens = std::make_unique<GameScreens>(inst.ProgramDir(), inst.DataRoot());
    AlfabetForm->Show();
    TMediaPlayer* player = AlfabetForm->MediaPlayer1;
    player->OnNotify = [this, player, handler = player->OnNotify] {
      const QString before = player->FileName;
      if (player->NotifyValue() == nvSuccessful) log << "end " + SoundName(before);
      afterB = afterB || log.contains("end V_2");
      handler();
      if (player->Mode() == mpPlaying && player->FileName != before)
        log << "play " + SoundName(player->FileName);
    };
  }
  void Read() {
    Click(AlfabetForm->btn_prez_show);
    if (AlfabetForm->MediaPlayer1->Mode() == mpPlaying)
      log << "play " + SoundName(AlfabetForm->MediaPlayer1->FileName);
  }
  QString Sound(const QString& path) const { return ResolvePath(inst.DataRoot() + path); }
  // What the shared player is playing.
  QString Shared() const {
    TMediaPlayer* p = MainForm->MediaPlayer1;
    return p->Mode() == mpPlaying ? SoundName(p->FileName) : QString();
  }

  TempInstallation inst;
  MessageRecorder boxes;
  std::unique_ptr<GameScreens> screens;
  QStringList log;
  std::atomic<bool> afterB{false};
  std::atomic<long> heard{0};
};

TEST_F(Alphabet, LettersAndCreaturesSayTheirSounds) {
  Start();
  for (int k = 1; k <= 26; ++k) {
    Click(AlfabetForm->LetterArea(k));
    EXPECT_EQ(Shared(), QStringLiteral("V_%1").arg(k));
  }
  for (int t = 1; t <= 7; ++t) {
    TAnimated* creature = AlfabetForm->Creature(t);
    EXPECT_EQ(creature->BitMap().width(), Creatures[t - 1].Width * Creatures[t - 1].Frames) << t;
    Press(creature, QEvent::MouseButtonPress, t % 2 ? Qt::LeftButton : Qt::RightButton);
    EXPECT_EQ(Shared(), QStringLiteral("FX/0%1").arg(t));
    EXPECT_TRUE(creature->Play()) << t;
  }
  Click(AlfabetForm->btn_cwicz1);
  EXPECT_EQ(Shared(), "Song");
  EXPECT_TRUE(boxes.Messages.empty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(Alphabet, ReadingSaysAToZEachAfterThePreviousEnds) {
  Start();
  Click(AlfabetForm->LetterArea(5));
  Read();
  EXPECT_EQ(Shared(), "");
  ASSERT_TRUE(WaitUntil([] { return !AlphabetReading; }));
  QStringList expected{"play V_1"};
  for (int k = 1; k <= 26; ++k) {
    expected << QStringLiteral("end V_%1").arg(k);
    if (k < 26) expected << QStringLiteral("play V_%1").arg(k + 1);
  }
  EXPECT_EQ(log, expected);
}

TEST_F(Alphabet, ACreatureInterruptsTheReadingAndTheBoardEndsIt) {
  Start();
  Read();
  ASSERT_TRUE(WaitUntil([this] { return log.contains("play V_3"); }));
  Click(AlfabetForm->Creature(4));
  EXPECT_EQ(Shared(), "FX/04");
  const QStringList interrupted = log;
  PumpEvents(300);
  EXPECT_EQ(log, interrupted);
  EXPECT_TRUE(AlphabetReading);  // waiting for the reading button or the board

  Read();
  ASSERT_TRUE(WaitUntil([this] { return log.count("play V_2") == 2; }));
  Click(AlfabetForm->Image1);
  EXPECT_FALSE(AlphabetReading);
  const QStringList stopped = log;
  PumpEvents(300);
  EXPECT_EQ(log, stopped);
}

TEST_F(Alphabet, ASecondClickOnAMovingCreatureReplaysTheSoundAndTheStripRunsOn) {
  Start();
  TMediaPlayer* shared = MainForm->MediaPlayer1;
  QList<TMPNotifyValues> ends;
  shared->OnNotify = [&ends, shared, handler = shared->OnNotify] {
    ends << shared->NotifyValue();
    handler();
  };
  TAnimated* apple = AlfabetForm->Creature(2);
  int changes = 0;
  apple->OnChangeFrame = [&changes] { ++changes; };

  Click(apple);
  ASSERT_TRUE(WaitUntil([apple] { return apple->Frame() >= 2; }));
  Click(apple);
  EXPECT_EQ(Shared(), "FX/02");
  ASSERT_TRUE(WaitUntil([apple] { return !apple->Play(); }));
  // One pass, ending on the last frame; the first sound was cut off for the second.
  EXPECT_EQ(changes, Creatures[1].Frames - 1);
  EXPECT_EQ(apple->Frame(), Creatures[1].Frames - 1);
  ASSERT_EQ(ends.size(), 1);
  EXPECT_NE(ends[0], nvSuccessful);
  EXPECT_EQ(Shared(), "FX/02");
}

TEST_F(Alphabet, AMissingLetterSoundBeepsAndStopsTheReading) {
  QFile::remove(Sound(LetterSoundPath(3)));
  Start();
  Read();
  ASSERT_TRUE(WaitUntil([this] { return afterB.load(); }));
  PumpEvents(BeepMs + 300);
  EXPECT_EQ(log, (QStringList{"play V_1", "end V_1", "play V_2", "end V_2"}));
  EXPECT_GE(heard, 0.8 * BeepMs * Audio::DeviceRate() / 1000);
}

TEST_F(Alphabet, BackSilencesTheBoardAndWakesTheMenu) {
  Start();
  AlfabetForm->Close();
  MenuStart->Show();
  Click(MenuStart->lbl_Alfabet);
  ASSERT_TRUE(AlfabetForm->Visible());
  Read();
  Click(AlfabetForm->Creature(1));
  Click(AlfabetForm->btn_Wroc);
  EXPECT_FALSE(AlfabetForm->Visible());
  EXPECT_FALSE(AlfabetForm->MediaPlayer1->IsOpen());
  EXPECT_FALSE(MainForm->MediaPlayer1->IsOpen());
  EXPECT_TRUE(MenuStart->Active());
  EXPECT_TRUE(MenuStart->Timer1.Enabled());
  EXPECT_EQ(MenuStart->Timer1.Interval(), 2000);

  Click(MenuStart->lbl_Alfabet);
  QKeyEvent f4(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier);
  QApplication::sendEvent(AlfabetForm, &f4);
  EXPECT_TRUE(Application()->Terminated());
}

TEST_F(Alphabet, AMissingStripIsReportedAndTheOtherCreaturesStillLoad) {
  QFile::remove(Sound(CreatureStripPath(5)));
  Start();
  ASSERT_EQ(boxes.Messages.size(), 1u);
  EXPECT_TRUE(boxes.Messages[0].Text.contains("A_kot.bmp")) << boxes.Messages[0].Text.toStdString();
  for (int t = 1; t <= 7; ++t) EXPECT_EQ(AlfabetForm->Creature(t)->BitMap().isNull(), t == 5) << t;
}

}  // namespace
