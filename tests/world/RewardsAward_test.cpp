#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "app/Globals.h"
#include "controls/BmpTransparent.h"
#include "exercises/FrmCw1.h"
#include "exercises/FrmLilie.h"
#include "platform/Errors.h"
#include "platform/MediaPlayer.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "platform/TextFile.h"
#include "players/FrmDiamenty.h"
#include "players/PlayerFile.h"
#include "world/DispatchFixture.h"
#include "world/FrmMain.h"
#include "world/Rewards.h"

namespace {

bool IsPraise(const QString& name) { return QRegularExpression("^Ok_([1-9]|10)$").match(name).hasMatch(); }
bool IsMildPraise(const QString& name) { return QRegularExpression("^Pok_[1-5]$").match(name).hasMatch(); }

class Rewards : public DispatchGame {
 protected:
  void Current(const char* key, const QString& file) {
    ExerciseList[0] = {key, file};
    ExerciseCount = 1;
    ExerciseIndex = 1;
    FirstTry = true;
  }
  // A first completion of a new exercise of the place whose folder is `folder`.
  void CompleteNew(const QString& folder) {
    Current("PREZ=", QStringLiteral("\\%1\\n%2.fc2").arg(folder).arg(++fresh_));
    RecordExerciseDone(true);
  }
  void ClearProgress() {
    RedCount = GreenCount = ResultCount = 0;
    ExerciseResults.fill(TExerciseResult{});
    PlaceCount.fill(0);
  }
  int fresh_ = 0;
};

TEST_F(Rewards, FirstCompletionThenARepeatWithAMistake) {
  Current("DDRO=", "\\culture\\1A.fc2");
  RecordExerciseDone(true);
  EXPECT_EQ(RedCount, 1);
  EXPECT_EQ(GreenCount, 2);
  EXPECT_EQ(PlaceCount[0], 1);
  ASSERT_EQ(played.size(), 1);
  EXPECT_TRUE(IsPraise(played[0])) << played[0].toStdString();

  FirstTry = false;
  RecordExerciseDone(true);
  EXPECT_EQ(RedCount, 1);
  EXPECT_EQ(GreenCount, 3);
  EXPECT_EQ(PlaceCount[0], 1);
  ASSERT_EQ(played.size(), 2);
  EXPECT_TRUE(IsMildPraise(played[1])) << played[1].toStdString();

  // Every screen with counters shows the same two numbers.
  for (TLabel* red : {MainForm->lbl_Red, Cw1Form->lbl_Red, LilieForm->lbl_Red}) EXPECT_EQ(red->Caption(), "1");
  for (TLabel* green : {MainForm->lbl_Green, Cw1Form->lbl_Green, LilieForm->lbl_Green})
    EXPECT_EQ(green->Caption(), "3");
  EXPECT_FALSE(DiamentyForm->Visible());
}

TEST_F(Rewards, EveryFinishedExerciseIsOnDiskAtOnce) {
  LoadPlayer(0);
  const int green = GreenCount;
  Current("DDRO=", "\\culture\\1A.fc2");
  RecordExerciseDone(false);
  const QString file = PlayerFilePath(PlayerName);
  const TPlayerFile saved = ParsePlayerFile(ReadWholeFile(file), file);
  EXPECT_EQ(saved.GreenCount, green + 2);
  ASSERT_FALSE(saved.Results.empty());
  EXPECT_EQ(saved.Results.back().File, "\\culture\\1A.fc2");
}

TEST_F(Rewards, ThePointsShowBeforeThePraiseHoldsTheGame) {
  Cw1Form->Show();
  QStringList shown;
  OnFeedbackStarted = [&](const QString&) {
    shown << Cw1Form->lbl_Red->Caption() + "/" + Cw1Form->lbl_Green->Caption();
  };
  Current("DDRO=", "\\culture\\1A.fc2");
  RecordExerciseDone(true);
  FirstTry = false;
  RecordExerciseDone(true);
  EXPECT_EQ(shown, QStringList({"1/2", "1/3"}));
}

TEST_F(Rewards, WithoutSoundNothingPlaysButEverythingCounts) {
  Current("LILI=", "\\farm\\pary.txt");
  RecordExerciseDone(false);
  RecordExerciseDone(false);
  EXPECT_EQ(RedCount, 1);
  EXPECT_EQ(GreenCount, 4);
  EXPECT_EQ(PlaceCount[1], 1);
  EXPECT_TRUE(played.isEmpty());
}

TEST_F(Rewards, AFileWithNoPlaceWordOnlyPraises) {
  Current("PREZ=", "\\songs\\abc.fc2");
  RecordExerciseDone(true);
  EXPECT_EQ(PlaceCount, (std::array<int, PlaceTotal>{}));
  EXPECT_EQ(RedCount, 1);
  ASSERT_EQ(played.size(), 1);
  EXPECT_TRUE(IsPraise(played[0]));
}

TEST_F(Rewards, TheCultureDiamondIsAwardedOnceWithItsOwnScreen) {
  struct Case {
    const char* sex;
    QRgb background;  // a pixel of the crown or time machine picture
    QRect firstDiamond;
  };
  const QImage crown = LoadPicture(ProgramDir + "\\gfx\\_korona.bmp");
  const QImage machine = LoadPicture(ProgramDir + "\\gfx\\_wehikul.bmp");
  const Case cases[] = {{"Woman", crown.pixel(200, 150), QRect(17, 88, 39, 53)},
                        {"Man", machine.pixel(200, 150), QRect(122, 99, 24, 34)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sex);
    ClearProgress();
    played.clear();
    DiamentyForm->Close();
    PlayerSex = c.sex;
    PlaceCount[0] = 14;

    CompleteNew("culture");
    EXPECT_EQ(PlaceCount[0], 15);
    EXPECT_EQ(played, QStringList({"Z1B", "PODLICZ1"}));  // no praise; names upper-cased
    ASSERT_TRUE(DiamentyForm->Visible());
    EXPECT_EQ(DiamentyForm->Tag, 1);
    EXPECT_EQ(DiamentyForm->Image1->Picture().pixel(200, 150), c.background);
    EXPECT_EQ(DiamentyForm->diam_1->geometry(), c.firstDiamond);
    EXPECT_TRUE(DiamentyForm->Label1->Caption().startsWith(
        QStringLiteral("Moje gratulacje, udało Ci się zebrać kolejny duży diament do ")));
    for (int k = 2; k <= 7; ++k) EXPECT_FALSE(DiamentyForm->Diamonds[k - 1]->Visible()) << k;

    // Four ticks blink diamond 1: hidden, shown, hidden, shown; then the timer stops.
    ASSERT_TRUE(DiamentyForm->Timer1.Enabled());
    const bool expected[] = {false, true, false, true};
    for (bool shown : expected) {
      DiamentyForm->Timer1Timer();
      EXPECT_EQ(DiamentyForm->diam_1->Visible(), shown);
    }
    EXPECT_FALSE(DiamentyForm->Timer1.Enabled());

    // The next first completion there praises and awards nothing.
    played.clear();
    CompleteNew("culture");
    EXPECT_EQ(PlaceCount[0], 16);
    ASSERT_EQ(played.size(), 1);
    EXPECT_TRUE(IsPraise(played[0]));
  }
  EXPECT_TRUE(DiamentyForm->Label1->Caption().endsWith(QStringLiteral("twojego wehikułu czasu.")));
}

TEST_F(Rewards, TheSeventhPlacePlaysTheFinale) {
  PlayerSex = "Woman";
  for (int place = 1; place <= 6; ++place) PlaceCount[place - 1] = Places[place - 1].Threshold;
  PlaceCount[6] = Places[6].Threshold - 1;
  CompleteNew("town");
  EXPECT_EQ(played, QStringList({"Z1B", "ZA"}));
  EXPECT_EQ(DiamentyForm->Tag, 7);
  for (TBmpTransparent* d : DiamentyForm->Diamonds) EXPECT_TRUE(d->Visible());
  EXPECT_TRUE(DiamentyForm->Label1->Caption().endsWith(QStringLiteral("twojej korony.")));
}

TEST_F(Rewards, ADiamondIsWonEvenWhenTheScreenAsksForNoPraise) {
  PlayerSex = "Man";
  PlaceCount[4] = Places[4].Threshold - 1;
  Current("LILI=", "\\school\\pary.txt");
  RecordExerciseDone(false);
  EXPECT_EQ(played, QStringList({"Z1B", "PODLICZ1"}));
  EXPECT_EQ(DiamentyForm->Tag, 5);
  EXPECT_TRUE(DiamentyForm->diam_5->Visible());
}

TEST_F(Rewards, TheAwardScreenClosesWhenAnotherScreenTakesTheFocus) {
  PlayerSex = "Woman";
  PlaceCount[2] = Places[2].Threshold - 1;
  CompleteNew("house");
  ASSERT_TRUE(DiamentyForm->Visible());
  Cw1Form->Show();
  EXPECT_FALSE(DiamentyForm->Visible());
  EXPECT_TRUE(DiamentyForm->Image1->Picture().isNull());
}

TEST_F(Rewards, DialoguesCountFromTheirOwnList) {
  DialogueList[1] = {"DIAL=", "\\shops\\d2.fc5"};
  DialogueCount = 2;
  DialogueIndex = 2;
  FirstTry = true;
  RecordDialogueDone(false);
  EXPECT_EQ(ResultCount, 1);
  EXPECT_EQ(ExerciseResults[0].Key, "DIAL=");
  EXPECT_EQ(ExerciseResults[0].File, "\\shops\\d2.fc5");
  EXPECT_EQ(PlaceCount[5], 1);
  DialogueIndex = 3;
  EXPECT_THROW(RecordDialogueDone(false), Exception);
  EXPECT_EQ(ResultCount, 1);
}

TEST_F(Rewards, AwardPicturesThatFailStillLeaveTheCountersRight) {
  QFile::remove(inst.ProgramDir() + "/gfx/_wehikul.bmp");
  ClearPathCache();
  PlayerSex = "Man";
  PlaceCount[3] = Places[3].Threshold - 1;
  Current("PREZ=", "\\liblary\\x.fc2");
  EXPECT_THROW(RecordExerciseDone(true), EInOutError);
  EXPECT_EQ(RedCount, 1);
  EXPECT_EQ(MainForm->lbl_Red->Caption(), "1");
  EXPECT_EQ(MainForm->lbl_Green->Caption(), "2");
}

}  // namespace
