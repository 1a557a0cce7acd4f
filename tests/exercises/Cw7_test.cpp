// Exercise screen 7 on a small installation: real choice files, the pond's
// pictures, strips and sounds, the real dispatch and the shared player on
// SDL's dummy driver. Sprites are stepped by hand, so no test waits for them.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <memory>

#include "app/Globals.h"
#include "controls/Animate.h"
#include "controls/KwillOnMouse.h"
#include "exercises/FrmCw7.h"
#include "exercises/FrmCw7Files.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/MediaPlayer.h"
#include "platform/Paths.h"
#include "support/PondSupport.h"
#include "support/Support.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"

namespace {

class Cw7Game : public ::testing::Test {
 protected:
  Cw7Game() {
    WritePondMedia(inst.ProgramDir(), inst.DataRoot());
    screens = std::make_unique<GameScreens>(inst.ProgramDir(), inst.DataRoot());
  }
  ~Cw7Game() override { screens.reset(); }

  QString ChoicePath(const QString& name) const {
    return inst.ProgramDir() + "/cwicz/staw/" + name;
  }
  // Saves `choice` as cwicz\staw\<name> and starts it as the only entry of the list.
  void Start(const TListeningChoice& choice, const QString& name = "m.txt", int wordMs = 40) {
    MakeParentDirs(ChoicePath(name));
    SaveListeningChoiceFile(ChoicePath(name), choice);
    WriteChoiceWords(inst.DataRoot(), choice, wordMs);
    ClearPathCache();
    ExerciseList[0] = {"MOST=", "\\staw\\" + name};
    ExerciseCount = 1;
    ExerciseIndex = 1;
    StartExercise();
  }
  QString Playing() const {
    TMediaPlayer* player = MainForm->MediaPlayer1;
    return player->IsOpen() ? QFileInfo(ResolvePath(player->FileName)).fileName() : QString();
  }
  static QString Word(int sound) { return QStringLiteral("%1.wav").arg(sound, 5, 10, QChar('0')); }
  static QStringList Captions() {
    return {Cw7Form->Kwill1->Caption(), Cw7Form->Kwill2->Caption(), Cw7Form->Kwill3->Caption()};
  }
  static QStringList Texts(const TChoiceQuestion& q) { return {q.Texts.begin(), q.Texts.end()}; }
  static void Steps(TAnimated* sprite, int n) {
    for (int i = 0; i < n; ++i) sprite->Step();
  }
  static int Asked() { return Cw7Form->Questions[Cw7Form->CurrentQuestion - 1].WordSound; }
  static int Right() { return Cw7Form->Questions[Cw7Form->CurrentQuestion - 1].RightChoice; }
  static int Wrong() { return Right() % 3 + 1; }

  TempInstallation inst;
  MessageRecorder messages;
  std::unique_ptr<GameScreens> screens;
};

// The first question asked is swapped with a later one: with two questions
// it is always the file's second; otherwise never the file's first, and
// only the two swapped questions move.
TEST_F(Cw7Game, TheFirstQuestionAskedIsALaterOne) {
  for (int count : {2, 3, 12}) {
    const TListeningChoice file = SampleChoice(count);
    for (int round = 0; round < 5; ++round) {
      SCOPED_TRACE(count);
      Start(file);
      const std::vector<TChoiceQuestion>& asked = Cw7Form->Questions;
      ASSERT_EQ(asked.size(), file.Questions.size());
      EXPECT_NE(asked[0], file.Questions[0]);
      int moved = 0;
      for (int k = 1; k < count; ++k)
        if (asked[k] != file.Questions[k]) {
          EXPECT_EQ(asked[k], file.Questions[0]);
          ++moved;
        }
      EXPECT_EQ(moved, 1);
      if (count == 2) {
        EXPECT_EQ(asked[0], file.Questions[1]);
      }
    }
  }
  EXPECT_EQ(ExerciseKind, 10);
  EXPECT_TRUE(Cw7Form->Button2->Visible());
  EXPECT_FALSE(Cw7Form->Panel1->Visible());
  // The puppy cries once and comes to rest on its still picture.
  TAnimated* puppy = Cw7Form->Animated5;
  Steps(puppy, 5);
  EXPECT_FALSE(puppy->Play());
  EXPECT_EQ(puppy->Frame(), 0);
  EXPECT_EQ(puppy->BitMap().width(), Cw7Files::Still.Width);
  EXPECT_EQ(puppy->geometry(), QRect(326, 316, 127, 117));
  EXPECT_TRUE(messages.Messages.empty()) << messages.Texts().join('|').toStdString();
}

TEST_F(Cw7Game, AWrongAnswerBarksAndTheWordIsSaidAgain) {
  Start(SampleChoice(3));
  Cw7Form->Button2Click();
  EXPECT_TRUE(Cw7Form->Panel1->Visible());
  EXPECT_EQ(Captions(), Texts(Cw7Form->Questions[0]));
  EXPECT_EQ(Playing(), Word(Asked()));
  const int asked = Asked();

  Cw7Form->Kwill1Click(Wrong());
  TAnimated* dog = Cw7Form->Animated2;
  EXPECT_FALSE(Cw7Form->Panel1->Visible());
  EXPECT_TRUE(dog->Visible() && dog->Play());
  EXPECT_EQ(dog->geometry(), QRect(346, 174, 157, 122));
  EXPECT_EQ(dog->FrameCount(), 7);
  EXPECT_EQ(Playing(), "mama.wav");
  EXPECT_FALSE(Cw7Form->Timer1.Enabled());
  Cw7Form->Kwill1Click(Right());  // the panel is hidden: nothing counts
  Steps(dog, 5);
  EXPECT_FALSE(Cw7Form->Panel1->Visible());

  Steps(dog, 1);
  EXPECT_FALSE(dog->Play());
  EXPECT_TRUE(Cw7Form->Panel1->Visible());
  EXPECT_EQ(Cw7Form->CurrentQuestion, 1);
  EXPECT_EQ(Asked(), asked);
  EXPECT_EQ(Playing(), Word(asked));
  EXPECT_TRUE(Cw7Form->Timer1.Enabled());
  EXPECT_TRUE(FirstTry);  // the screen leaves it alone
}

TEST_F(Cw7Game, TheLastRightAnswerRunsThePuppyHomeAndRozpocznijStartsAgain) {
  Start(SampleChoice(3));
  Cw7Form->Button2Click();
  const std::vector<TChoiceQuestion> order = Cw7Form->Questions;
  const int red = RedCount, green = GreenCount;
  for (int k = 1; k <= 2; ++k) {
    Cw7Form->Kwill1Click(Right());
    EXPECT_EQ(Cw7Form->CurrentQuestion, k + 1);
    EXPECT_EQ(Captions(), Texts(order[k]));
    EXPECT_EQ(Playing(), Word(order[k].WordSound));
  }
  EXPECT_EQ(GreenCount, green);

  Cw7Form->Kwill1Click(Right());
  EXPECT_EQ(RedCount, red + 1);
  EXPECT_EQ(GreenCount, green + 2);
  TAnimated* run = Cw7Form->Animated4;
  EXPECT_TRUE(run->Visible() && run->Play());
  EXPECT_EQ(run->geometry(), QRect(168, 229, 350, 127));
  EXPECT_EQ(Playing(), "1002.wav");
  EXPECT_FALSE(Cw7Form->Animated5->Visible());
  EXPECT_FALSE(Cw7Form->Animated1->Visible());
  EXPECT_FALSE(Cw7Form->Animated3->Visible());
  EXPECT_FALSE(Cw7Form->Panel1->Visible());
  EXPECT_FALSE(Cw7Form->Timer1.Enabled());
  EXPECT_TRUE(Cw7Form->Button2->Visible());
  EXPECT_FALSE(Cw7Form->button6->Visible());
  Cw7Form->Kwill1Click(Right());  // reported once
  EXPECT_EQ(GreenCount, green + 2);

  Steps(run, 19);
  EXPECT_FALSE(run->Visible());
  TAnimated* home = Cw7Form->Animated2;
  EXPECT_TRUE(home->Visible() && home->Play());
  EXPECT_EQ(home->geometry(), QRect(325, 174, 174, 118));
  EXPECT_EQ(home->FrameCount(), 4);
  EXPECT_EQ(Playing(), "mama.wav");

  // Again from question 1, in the same order, without the file.
  ASSERT_TRUE(QFile::remove(ChoicePath("m.txt")));
  Cw7Form->Button2Click();
  EXPECT_EQ(Cw7Form->Questions, order);
  EXPECT_EQ(Cw7Form->CurrentQuestion, 1);
  EXPECT_EQ(Captions(), Texts(order[0]));
  EXPECT_EQ(Playing(), Word(order[0].WordSound));
  EXPECT_FALSE(home->Visible());
  EXPECT_TRUE(Cw7Form->Animated5->Visible() && Cw7Form->Animated5->Play());
  EXPECT_TRUE(Cw7Form->Panel1->Visible());
  EXPECT_TRUE(messages.Messages.empty()) << messages.Texts().join('|').toStdString();
}

TEST_F(Cw7Game, TheBalloonTurnsAt30And250) {
  Start(SampleChoice(2));
  EXPECT_TRUE(Cw7Form->Timer2.Enabled());
  EXPECT_EQ(Cw7Form->img_balon->pos(), QPoint(30, 50));
  const struct {
    int ticks, x;
    bool rising;
  } legs[] = {{219, 249, true}, {1, 250, false}, {1, 249, false},
              {218, 31, false}, {1, 30, true},   {1, 31, true}};
  for (const auto& leg : legs) {
    for (int i = 0; i < leg.ticks; ++i) Cw7Form->Timer2Timer();
    EXPECT_EQ(Cw7Form->BalloonX, leg.x);
    EXPECT_EQ(Cw7Form->BalloonRising, leg.rising);
    EXPECT_EQ(Cw7Form->img_balon->Left(), leg.x);
  }
}

TEST_F(Cw7Game, ThePondStaysSilentWhileAWordPlays) {
  Start(SampleChoice(2), "m.txt", 3000);
  Cw7Form->Button2Click();
  const QString word = Word(Asked());
  for (int i = 0; i < 40; ++i) {
    Cw7Form->Timer1Timer();
    ASSERT_EQ(Playing(), word);
    ASSERT_FALSE(Cw7Form->Animated1->Visible());
    ASSERT_FALSE(Cw7Form->Animated3->Play());
  }
  // In quiet the pond always makes a sound; the fish hides again when it lands.
  bool fish = false;
  for (int i = 0; i < 200 && !fish; ++i) {
    MainForm->MediaPlayer1->Close();
    Cw7Form->Timer1Timer();
    const QString sound = Playing();
    EXPECT_TRUE(sound == "plusk3.wav" || sound == "bulgot.wav" || sound == "1005.wav")
        << sound.toStdString();
    fish = sound == "plusk3.wav";
    EXPECT_EQ(Cw7Form->Animated1->Play(), fish);
    EXPECT_EQ(Cw7Form->Animated3->Play(), sound == "bulgot.wav");
    if (Cw7Form->Animated3->Play()) Steps(Cw7Form->Animated3, 19);
  }
  ASSERT_TRUE(fish);
  Steps(Cw7Form->Animated1, 4);
  EXPECT_FALSE(Cw7Form->Animated1->Visible());
  EXPECT_EQ(Cw7Form->Animated1->Frame(), 0);
  EXPECT_GE(Cw7Form->Timer1.Interval(), 8000);
  EXPECT_LE(Cw7Form->Timer1.Interval(), 18000);
}

TEST_F(Cw7Game, ABrokenChoiceOrAMissingStripLeavesTheScreenAsItWas) {
  Start(SampleChoice(2));
  const std::vector<TChoiceQuestion> before = Cw7Form->Questions;
  const QString run = inst.DataRoot() + "/gfx/anim/Run2.bmp";
  WriteTextLines(ChoicePath("zla.txt"), {"IloscPytan=2", "P01=1,1,a,b,c,", "P02=1,4,a,b,c,"});
  SaveListeningChoiceFile(ChoicePath("dobra.txt"), SampleChoice(3));
  ClearPathCache();
  EXPECT_THROW(Cw7Form->LoadListeningChoice(ProgramDir + "\\cwicz\\staw\\zla.txt"), EFormatError);
  ASSERT_TRUE(QFile::remove(run));
  ClearPathCache();
  EXPECT_THROW(Cw7Form->LoadListeningChoice(ProgramDir + "\\cwicz\\staw\\dobra.txt"), EInOutError);
  EXPECT_EQ(Cw7Form->Questions, before);
  EXPECT_TRUE(Cw7Form->Button2->Visible());
}

TEST_F(Cw7Game, LeavingStopsTheScenes) {
  Start(SampleChoice(2));
  SaveListeningChoiceFile(ChoicePath("b.txt"), SampleChoice(2));
  ExerciseList[1] = {"MOST=", "\\staw\\b.txt"};
  ExerciseCount = 2;
  Cw7Form->Button2Click();
  Cw7Form->Kwill1Click(Wrong());
  EXPECT_TRUE(Cw7Form->Animated2->Play());
  Cw7Form->button3->OnClick();
  EXPECT_FALSE(Cw7Form->Visible());
  EXPECT_TRUE(MainForm->Visible());
  EXPECT_FALSE(Cw7Form->Animated2->Play());  // no bark ends later over the place
  EXPECT_FALSE(Cw7Form->Timer1.Enabled());
  EXPECT_FALSE(Cw7Form->Timer2.Enabled());

  Start(SampleChoice(2));
  ExerciseCount = 2;
  Cw7Form->CW1_KWS_RightClick();
  EXPECT_EQ(ExerciseIndex, 2);
  EXPECT_TRUE(Cw7Form->Visible());
  EXPECT_TRUE(messages.Messages.empty()) << messages.Texts().join('|').toStdString();
}

}  // namespace
