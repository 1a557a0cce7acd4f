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

#include "app/Globals.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "menu/FrmMenuStart.h"
#include "platform/Application.h"
#include "platform/AudioEngine.h"
#include "platform/Beep.h"
#include "platform/Paths.h"
#include "support/Support.h"
#include "tools/AlphabetBoard.h"
#include "tools/FrmAlfabet.h"
#include "world/FrmMain.h"

namespace {

void Send(QWidget* w, QEvent::Type type, Qt::MouseButton button) {
  const QPointF at(2, 2);
  const Qt::MouseButtons held =
      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void Click(QWidget* w) {
  Send(w, QEvent::MouseButtonPress, Qt::LeftButton);
  Send(w, QEvent::MouseButtonRelease, Qt::LeftButton);
}

bool WaitUntil(const std::function<bool()>& done, int ms = 8000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) PumpEvents(2);
  return done();
}

// The letter or creature a sound file belongs to ("V_7", "FX/05"), or "" for none.
QString SoundName(const QString& path) {
  const QFileInfo f(ResolvePath(path));
  const QString base = f.completeBaseName();
  return f.dir().dirName().compare("FX", Qt::CaseInsensitive) == 0 ? "FX/" + base : base;
}

// Counts what the mixer sends to the device.
class LoudFrames {
 public:
  LoudFrames() {
    Audio::SetOutputTap([this](const std::int16_t* s, int frames) {
      for (int i = 0; i < frames; ++i)
        if (counting_ && (s[2 * i] != 0 || s[2 * i + 1] != 0)) ++loud_;
    });
  }
  ~LoudFrames() { Audio::SetOutputTap({}); }
  void StartCounting() { counting_ = true; }
  long Count() const { return loud_; }

 private:
  std::atomic<bool> counting_{false};
  std::atomic<long> loud_{0};
};

class Alphabet : public ::testing::Test {
 protected:
  Alphabet() {
    for (int k = 1; k <= 26; ++k) WriteWave(Sound(LetterSoundPath(k)), MakeTone(60, 300 + 10 * k));
    for (int t = 1; t <= 7; ++t) WriteWave(Sound(CreatureSoundPath(t)), MakeTone(600, 700));
    WriteWave(Sound(AlphabetSongPath()), MakeTone(200, 500));
    WriteSolidBmp(inst.ProgramDir() + "/gfx/Alfabet.bmp", 640, 480, QColor(200, 240, 255));
  }
  ~Alphabet() override {
    screens.reset();
    heard.reset();
    Application()->ClearTerminated();
  }
  // The screens, the board shown, and every end of the board's player logged as "end V_k"
  // and every sound it starts after as "play V_k".
  void Start() {
    ClearPathCache();
    screens = std::make_unique<GameScreens>(inst.ProgramDir(), inst.DataRoot());
    AlfabetForm->Show();
    TMediaPlayer* player = AlfabetForm->MediaPlayer1;
    player->OnNotify = [this, player, handler = player->OnNotify] {
      if (player->NotifyValue() == nvSuccessful) log << "end " + SoundName(player->FileName);
      if (AlphabetLetter == 2 && player->NotifyValue() == nvSuccessful && heard)
        heard->StartCounting();
      const QString before = player->FileName;
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
  QString Shared() const {
    TMediaPlayer* p = MainForm->MediaPlayer1;
    return p->Mode() == mpPlaying ? SoundName(p->FileName) : QString();
  }

  TempInstallation inst;
  MessageRecorder boxes;
  std::unique_ptr<GameScreens> screens;
  QStringList log;
  std::unique_ptr<LoudFrames> heard;
};

TEST_F(Alphabet, LettersAndCreaturesSayTheirSoundsWhereTheyLie) {
  Start();
  EXPECT_EQ(AlfabetForm->ani_jez, AlfabetForm->LetterArea(12));
  for (int k = 1; k <= 26; ++k) {
    SCOPED_TRACE(k);
    TLabel* area = AlfabetForm->LetterArea(k);
    const TLetterArea& a = LetterAreas[k - 1];
    EXPECT_EQ(area->geometry(), QRect(a.Left, a.Top, a.Width, a.Height));
    Click(area);
    EXPECT_EQ(Shared(), QStringLiteral("V_%1").arg(k));
  }
  for (int t = 1; t <= 7; ++t) {
    SCOPED_TRACE(t);
    TAnimated* creature = AlfabetForm->Creature(t);
    const TCreature& c = Creatures[t - 1];
    EXPECT_EQ(creature->geometry(), QRect(c.Left, c.Top, c.Width, c.Height));
    EXPECT_EQ(creature->FrameCount(), c.Frames);
    EXPECT_EQ(creature->Interval(), c.Interval);
    EXPECT_EQ(creature->BitMap().width(), c.Width * c.Frames);
    EXPECT_EQ(creature->Cursor(), TCursor::crHelp);
    // Any button wakes it.
    Send(creature, QEvent::MouseButtonPress, t % 2 ? Qt::LeftButton : Qt::RightButton);
    EXPECT_EQ(Shared(), QStringLiteral("FX/0%1").arg(t));
    EXPECT_TRUE(creature->Play());
  }
  Click(AlfabetForm->btn_cwicz1);
  EXPECT_EQ(Shared(), "Song");
  EXPECT_TRUE(boxes.Messages.empty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(Alphabet, ReadingSaysAToZEachAfterThePreviousEnds) {
  Start();
  Click(AlfabetForm->LetterArea(5));  // the shared player falls silent when the reading starts
  Read();
  EXPECT_EQ(Shared(), "");
  ASSERT_TRUE(WaitUntil([] { return !AlphabetReading; }));
  QStringList expected{"play V_1"};
  for (int k = 1; k <= 26; ++k) {
    expected << QStringLiteral("end V_%1").arg(k);
    if (k < 26) expected << QStringLiteral("play V_%1").arg(k + 1);
  }
  EXPECT_EQ(log, expected);
  EXPECT_NE(AlfabetForm->MediaPlayer1->Mode(), mpPlaying);
}

TEST_F(Alphabet, ACreatureInterruptsTheReadingAndTheBoardEndsIt) {
  Start();
  Read();
  ASSERT_TRUE(WaitUntil([this] { return log.contains("play V_3"); }));
  Click(AlfabetForm->Creature(4));
  EXPECT_EQ(Shared(), "FX/04");
  EXPECT_FALSE(AlfabetForm->MediaPlayer1->IsOpen());
  const QStringList interrupted = log;
  PumpEvents(300);  // five letters' time
  EXPECT_EQ(log, interrupted);
  // It waits: only the reading button or the board goes on from here.
  EXPECT_TRUE(AlphabetReading);

  Read();
  ASSERT_TRUE(WaitUntil([this] { return log.count("play V_2") == 2; }));
  Click(AlfabetForm->Image1);
  EXPECT_FALSE(AlphabetReading);
  EXPECT_FALSE(AlfabetForm->MediaPlayer1->IsOpen());
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
  const int reached = apple->Frame();
  Click(apple);
  EXPECT_EQ(Shared(), "FX/02");
  EXPECT_TRUE(apple->Play());
  EXPECT_GE(apple->Frame(), reached);
  ASSERT_TRUE(WaitUntil([apple] { return !apple->Play(); }));
  // One pass: frames 1 .. 6, ending on the last.
  EXPECT_EQ(changes, Creatures[1].Frames - 1);
  EXPECT_EQ(apple->Frame(), Creatures[1].Frames - 1);
  // The first sound was cut off and the second plays.
  ASSERT_EQ(ends.size(), 1);
  EXPECT_NE(ends[0], nvSuccessful);
  EXPECT_EQ(Shared(), "FX/02");
}

TEST_F(Alphabet, AMissingLetterSoundBeepsAndStopsTheReading) {
  QFile::remove(Sound(LetterSoundPath(3)));
  heard = std::make_unique<LoudFrames>();
  Start();
  Read();
  ASSERT_TRUE(WaitUntil([this] { return log.contains("end V_2"); }));
  PumpEvents(BeepMs + 300);
  EXPECT_EQ(log, (QStringList{"play V_1", "end V_1", "play V_2", "end V_2"}));
  EXPECT_NE(AlfabetForm->MediaPlayer1->Mode(), mpPlaying);
  EXPECT_GE(heard->Count(), 0.8 * BeepMs * Audio::DeviceRate() / 1000);
}

TEST_F(Alphabet, TheMenuOpensTheBoardAndBackReturnsToIt) {
  Start();
  AlfabetForm->Close();
  MenuStart->Show();
  boxes.Messages.clear();  // the menu's own pictures are not part of this installation
  Click(MenuStart->lbl_Alfabet);
  ASSERT_TRUE(AlfabetForm->Visible());
  EXPECT_EQ(AlfabetForm->Image1->Picture().size(), QSize(640, 480));
  EXPECT_EQ(AlfabetForm->Image1->Picture().pixelColor(600, 400), QColor(200, 240, 255));

  Read();
  Click(AlfabetForm->Creature(1));
  Click(AlfabetForm->btn_Wroc);
  EXPECT_FALSE(AlfabetForm->Visible());
  EXPECT_TRUE(AlfabetForm->Image1->Picture().isNull());
  EXPECT_FALSE(AlfabetForm->MediaPlayer1->IsOpen());
  EXPECT_FALSE(MainForm->MediaPlayer1->IsOpen());
  EXPECT_TRUE(MenuStart->Active());
  EXPECT_TRUE(MenuStart->Timer1.Enabled());
  EXPECT_EQ(MenuStart->Timer1.Interval(), 2000);
  EXPECT_TRUE(MenuStart->Timer2.Enabled());

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
