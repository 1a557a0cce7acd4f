// Exercise screen 2 on a small installation: real word search files, real
// pictures, strips and sounds, the real dispatch and the shared player on
// SDL's dummy driver. The clock's ticks are driven by hand, but where a test
// says otherwise.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTimer>
#include <memory>

#include "app/Globals.h"
#include "controls/Animate.h"
#include "exercises/FrmCw2.h"
#include "platform/Errors.h"
#include "platform/MediaPlayer.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/Support.h"
#include "support/WordSearchSupport.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"

namespace {

// 10 x 8: "BCDE" along row 1 (cells 12 .. 15) and "HHH" down column 7
// (cells 8, 18, 28).
TWordSearch TwoWords() {
  return MakeWordSearch(10, 8, {{12, 15, 1}, {8, 28, 2}});
}

class Cw2Game : public ::testing::Test {
 protected:
  Cw2Game() {
    WriteWordSearchScreenFiles(inst.Install());
    screens = std::make_unique<GameScreens>(inst.ProgramDir(), inst.DataRoot());
    // The tests tick the clock by hand.
    Cw2Form->Timer1.SetInterval(24 * 3600 * 1000);
  }
  ~Cw2Game() override { screens.reset(); }

  // Saves the searches as the entries of the list and starts the first.
  void Start(const std::vector<TWordSearch>& searches) {
    ExerciseCount = static_cast<int>(searches.size());
    for (int i = 0; i < ExerciseCount; ++i) {
      const QString file = QStringLiteral("\\test\\s%1.fc4").arg(i + 1);
      SaveWordSearch(inst.Install(), file, searches[static_cast<size_t>(i)]);
      ExerciseList[i] = {"PKRZ=", file};
    }
    ExerciseIndex = 1;
    StartExercise();
  }
  static void Click(int cell) {
    const int w = Cw2Form->WordSearch.Columns;
    Cw2Form->Image1MouseDown(TMouseButton::mbLeft, 0, 22 + 25 * ((cell - 1) % w),
                             22 + 25 * ((cell - 1) / w));
  }
  // The sound the shared player holds, by name.
  static QString Playing() {
    TMediaPlayer* player = MainForm->MediaPlayer1;
    return player->IsOpen() ? QFileInfo(ResolvePath(player->FileName)).completeBaseName()
                            : QString();
  }
  // Pixels of a cell drawn in clear red.
  static int RedPixels(int cell) {
    const int w = Cw2Form->WordSearch.Columns;
    const QImage& grid = Cw2Form->Image1->Picture();
    int red = 0;
    for (int y = 10 + 25 * ((cell - 1) / w); y < 35 + 25 * ((cell - 1) / w); ++y)
      for (int x = 10 + 25 * ((cell - 1) % w); x < 35 + 25 * ((cell - 1) % w); ++x) {
        const QColor c = grid.pixelColor(x, y);
        red += c.red() > 180 && c.green() < 90 && c.blue() < 90;
      }
    return red;
  }

  TempInstallation inst;
  MessageRecorder messages;
  std::unique_ptr<GameScreens> screens;
};

// A fresh start, then the pointer's column and row: X = 9 lies left of the
// grid, 10 is column 0, 34 column 1; a click beyond the last column or row
// selects nothing.
TEST_F(Cw2Game, StartsAtRestAndPointerPositionsNameTheirCells) {
  Start({TwoWords()});
  EXPECT_TRUE(Cw2Form->Image1->Visible());
  EXPECT_EQ(Cw2Form->Image1->size(), QSize(270, 270));
  EXPECT_EQ(Cw2Form->Label1->Caption(), QString::fromUtf8("Znajdź 2 wyrazów."));
  EXPECT_EQ(ExerciseKind, 1);
  EXPECT_EQ(Cw2Form->Animated1->Frame(), TCw2Form::FrameRest);
  // The sprites keep their own sizes whatever the strips' heights.
  EXPECT_EQ(Cw2Form->Animated1->size(), QSize(223, 295));
  EXPECT_EQ(Cw2Form->Animated3->size(), QSize(60, 96));
  EXPECT_TRUE(messages.Messages.empty()) << messages.Texts().join('|').toStdString();
  const struct {
    int x, y, column, row;
    bool selects;
  } cases[] = {
      {9, 20, -1, -1, false}, {10, 20, 0, 0, true},   {34, 20, 1, 0, true},
      {35, 34, 1, 1, true},   {20, 9, -1, -1, false}, {259, 209, 10, 8, false},
      {258, 208, 9, 7, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    Cw2Form->FirstCell = {};
    Cw2Form->Image1MouseDown(TMouseButton::mbLeft, 0, c.x, c.y);
    EXPECT_EQ(Cw2Form->HoverCell.Column, c.column);
    EXPECT_EQ(Cw2Form->HoverCell.Row, c.row);
    EXPECT_EQ(Cw2Form->FirstCell.Number, c.selects ? c.row * 10 + c.column + 1 : 0);
  }
}

// One search played through: a word found from its last letter, a found word
// chosen again, a wrong pair, the same cell twice, and the last word while
// the child keeps clicking during the pause.
TEST_F(Cw2Game, ClickSequencesJudgePairsAndReportTheEndOnce) {
  Start({TwoWords()});
  const int red = RedCount, green = GreenCount;
  const struct {
    int cell;
    int rightAnswers, firstCell;
    bool firstTry;
    const char* sound;
  } steps[] = {
      {15, 0, 15, true, "1010"},  // the word's last letter first
      {12, 1, 0, true, "1009"},   // found
      {12, 1, 12, true, "1010"},
      {15, 1, 15, true, "1010"},  // found before: nothing counts, the cell stays chosen
      {28, 1, 0, false, "1011"},  // 15 and 28 are no word
      {28, 1, 28, false, "1010"},
      {28, 1, 28, false, "1010"},  // the same cell twice
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.cell);
    Click(s.cell);
    EXPECT_EQ(RightAnswers, s.rightAnswers);
    EXPECT_EQ(Cw2Form->FirstCell.Number, s.firstCell);
    EXPECT_EQ(FirstTry, s.firstTry);
    EXPECT_EQ(Playing(), s.sound);
    EXPECT_EQ(Cw2Form->Animated1->Frame(),
              s.firstCell ? TCw2Form::FrameClick : TCw2Form::FrameRest);
  }
  for (int cell : {12, 13, 14, 15}) EXPECT_EQ(Cw2Form->FoundCell[cell - 1], 2);
  EXPECT_GT(RedPixels(13), 0);
  EXPECT_EQ(RedPixels(18), 0);
  EXPECT_GT(RedPixels(28), 0);  // chosen

  // The pair that ends it, with the two ends clicked again during its pauses.
  for (int ms : {300, 1300, 1600})
    QTimer::singleShot(ms, [] {
      Click(28);
      Click(8);
    });
  Click(8);
  EXPECT_EQ(RightAnswers, 2);
  EXPECT_EQ(Cw2Form->SearchState, TCw2Form::TSearchState::Finished);
  EXPECT_EQ(Cw2Form->Animated1->Frame(), TCw2Form::FrameFinished);
  EXPECT_FALSE(Cw2Form->Image1->Visible());
  EXPECT_TRUE(Cw2Form->KwillButton1->Visible());
  EXPECT_FALSE(Cw2Form->Timer1.Enabled());
  PumpEvents(500);
  EXPECT_EQ(RedCount, red + 1);
  EXPECT_EQ(GreenCount, green + 1);  // a wrong pair on the way
  EXPECT_EQ(Cw2Form->lbl_Green->Caption(), QString::number(GreenCount));

  // Nothing starts the clock again until "Rozpocznij".
  Cw2Form->Image1_2->OnClick();
  Cw2Form->Image2Click();
  EXPECT_FALSE(Cw2Form->Timer1.Enabled());
  EXPECT_FALSE(Cw2Form->Timer2.Enabled());
  Cw2Form->KwillButton1Click();
  EXPECT_TRUE(Cw2Form->Image1->Visible());
  EXPECT_FALSE(Cw2Form->KwillButton1->Visible());
  EXPECT_TRUE(Cw2Form->Timer1.Enabled());
  EXPECT_EQ(RightAnswers, 0);
  EXPECT_TRUE(FirstTry);
  EXPECT_EQ(RedPixels(13), 0);
}

// Files whose ends do not share a row, or whose partners lie outside the
// grid: marking never reaches outside the grid's cells.
TEST_F(Cw2Game, BrokenWordsMarkOnlyInsideTheGrid) {
  TWordSearch s = MakeWordSearch(4, 3, {{3, 6, 1}});  // row 0 col 2 to row 1 col 1
  s.Partner[0] = 100;                                 // beyond the 12 cells
  s.Direction[0] = 1;
  s.Partner[1] = -3;
  s.Direction[1] = 2;
  Start({s});
  const QImage clean = Cw2Form->Image1->Picture();
  Click(1);
  Click(12);
  Click(2);
  Click(11);
  EXPECT_EQ(RightAnswers, 0);
  EXPECT_FALSE(FirstTry);

  Click(6);
  Click(3);
  EXPECT_EQ(RightAnswers, 1);
  for (int cell = 1; cell <= 12; ++cell)
    EXPECT_EQ(Cw2Form->FoundCell[cell - 1], cell >= 3 && cell <= 6 ? 2 : 0) << cell;
  for (int cell = 13; cell <= WordSearchCells; ++cell)
    ASSERT_EQ(Cw2Form->FoundCell[cell - 1], 0) << cell;
  // Right of the fourth column and below the third row the paper is as it was.
  const QImage grid = Cw2Form->Image1->Picture();
  EXPECT_EQ(grid.copy(110, 0, 160, 270), clean.copy(110, 0, 160, 270));
  EXPECT_EQ(grid.copy(0, 85, 270, 185), clean.copy(0, 85, 270, 185));
}

TEST_F(Cw2Game, TheClockShowsScenesAndRunsOutWithoutReporting) {
  Start({TwoWords()});
  const int red = RedCount, green = GreenCount, results = ResultCount;
  for (int second = 1; second <= 150; ++second) {
    SCOPED_TRACE(second);
    if (second == 20) Click(12);  // a pair is half chosen: no scene
    if (second == 21) Click(13);
    MainForm->MediaPlayer1->Close();
    Cw2Form->Animated2->SetPlay(false);
    Cw2Form->Animated3->SetPlay(false);
    Cw2Form->Timer1Timer();
    EXPECT_EQ(Cw2Form->Label2->Caption(), QStringLiteral("Czas: %1").arg(150 - second));
    const bool scene = second % 10 == 0 && second != 20 && second != 150;
    const QString sound = Playing();
    if (scene) {
      EXPECT_TRUE((sound == "apacz" && Cw2Form->Animated3->Play()) ||
                  (sound == "plusk2" && Cw2Form->Animated2->Play()))
          << sound.toStdString();
    } else if (second < 150) {
      EXPECT_EQ(sound, "");
    }
  }
  EXPECT_EQ(Playing(), "Pk1");
  EXPECT_FALSE(Cw2Form->Image1->Visible());
  EXPECT_TRUE(Cw2Form->KwillButton1->Visible());
  EXPECT_FALSE(Cw2Form->Timer1.Enabled());
  EXPECT_EQ(Cw2Form->SearchState, TCw2Form::TSearchState::TimedOut);
  Cw2Form->Timer1Timer();
  EXPECT_EQ(Cw2Form->Label2->Caption(), "Czas: 0");
  EXPECT_EQ(RedCount, red);
  EXPECT_EQ(GreenCount, green);
  EXPECT_EQ(ResultCount, results);
}

// A newly found word leaves nothing chosen, wherever the pointer went during
// its pause: the next first cell is decided before the pause.
TEST_F(Cw2Game, APointerMovedDuringTheRightPausePicksNoCell) {
  Start({TwoWords()});
  Click(12);
  QTimer::singleShot(300, [] {
    const int w = Cw2Form->WordSearch.Columns;
    Cw2Form->Image1MouseMove(0, 22 + 25 * ((28 - 1) % w), 22 + 25 * ((28 - 1) / w));
  });
  Click(15);
  EXPECT_EQ(RightAnswers, 1);
  EXPECT_EQ(Cw2Form->HoverCell.Number, 28);
  EXPECT_EQ(Cw2Form->FirstCell.Number, 0);
  EXPECT_EQ(RedPixels(28), 0);
  Click(8);
  Click(28);
  EXPECT_EQ(RightAnswers, 2);
}

TEST_F(Cw2Game, HelpPausesTheClockUntilAClickOrItsPauseEnds) {
  Start({TwoWords()});
  Cw2Form->Image2Click();
  EXPECT_EQ(Playing(), "o5");
  EXPECT_FALSE(Cw2Form->Timer1.Enabled());
  EXPECT_TRUE(Cw2Form->Timer2.Enabled());
  EXPECT_EQ(Cw2Form->Timer2.Interval(), 9500);
  const int used = Cw2Form->TimeUsed;

  Click(12);  // a click on the grid resumes the clock and counts
  EXPECT_TRUE(Cw2Form->Timer1.Enabled());
  EXPECT_FALSE(Cw2Form->Timer2.Enabled());
  EXPECT_EQ(Cw2Form->FirstCell.Number, 12);
  EXPECT_EQ(Playing(), "1010");

  Cw2Form->Image2Click();
  Cw2Form->Label1->OnClick();  // so does a click on the task, cutting the help short
  EXPECT_TRUE(Cw2Form->Timer1.Enabled());
  EXPECT_EQ(Playing(), "");

  // The clock really ticks here: not while the help plays, again after its pause.
  Cw2Form->Timer1.SetInterval(10);
  Cw2Form->Image2Click();
  PumpEvents(60);
  EXPECT_EQ(Cw2Form->TimeUsed, used);
  Cw2Form->Timer2Timer();
  EXPECT_TRUE(Cw2Form->Timer1.Enabled());
  EXPECT_FALSE(Cw2Form->Timer2.Enabled());
  PumpEvents(60);
  EXPECT_GT(Cw2Form->TimeUsed, used);
}

TEST_F(Cw2Game, ArrowsKoniecAndABrokenFile) {
  Start({TwoWords(), MakeWordSearch(5, 5, {{1, 5, 1}, {6, 10, 1}, {11, 15, 1}})});
  EXPECT_FALSE(Cw2Form->CW1_KWS_left->Visible());
  EXPECT_TRUE(Cw2Form->cw1_kws_right->Visible());
  Cw2Form->CW1_KWS_RightClick();
  EXPECT_EQ(ExerciseIndex, 2);
  EXPECT_TRUE(Cw2Form->Visible());
  EXPECT_EQ(Cw2Form->Label1->Caption(), QString::fromUtf8("Znajdź 3 wyrazów."));
  EXPECT_TRUE(Cw2Form->CW1_KWS_left->Visible());
  EXPECT_FALSE(Cw2Form->cw1_kws_right->Visible());

  const QString dir = inst.ProgramDir() + "/cwicz/test/";
  WriteFileAtomic(dir + "short.fc4", WriteWordSearch(TwoWords()).left(900));
  ClearPathCache();
  EXPECT_THROW(Cw2Form->LoadWordSearch(ProgramDir + "\\cwicz\\test\\short.fc4"), EInOutError);
  EXPECT_EQ(Cw2Form->WordSearch.WordCount, 3);
  EXPECT_EQ(Cw2Form->Label1->Caption(), QString::fromUtf8("Znajdź 3 wyrazów."));

  Cw2Form->Button1Click();
  EXPECT_FALSE(Cw2Form->Visible());
  EXPECT_TRUE(MainForm->Visible());
  EXPECT_FALSE(Cw2Form->Timer1.Enabled());
  EXPECT_TRUE(Cw2Form->Image1->Picture().isNull());
}

}  // namespace
