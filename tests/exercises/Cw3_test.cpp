// Exercise screen 3 on a small installation: real crossword files, the
// screen's pictures from the base installation, the real dispatch and the
// shared player on SDL's dummy driver.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <memory>

#include "app/Feedback.h"
#include "app/Globals.h"
#include "controls/Animate.h"
#include "controls/BmpTransparent.h"
#include "exercises/FrmCw3.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/Support.h"
#include "world/ExerciseList.h"

namespace {

// Lines one under another, the solution column in cell 1.
TCrossword Crossword(const QStringList& answers) {
  TCrossword c;
  c.WordCount = static_cast<int>(answers.size());
  for (int k = 0; k < c.WordCount; ++k) {
    c.Answers[k] = answers[k];
    c.Clues[k] = QStringLiteral("ŚWINIA %1").arg(k + 1);
    c.SolutionColumn[k] = 1;
    c.LinePositions[k] = {40, 77 + 26 * k};
  }
  return c;
}

class Cw3Game : public ::testing::Test {
 protected:
  Cw3Game() {
    WriteWave(inst.DataRoot() + "/music/no.wav", MakeTone(30, 440));
    screens = std::make_unique<GameScreens>(inst.ProgramDir(), inst.DataRoot());
    OnFeedbackStarted = [this](const QString& path) {
      played << QFileInfo(NormalizeSeparators(path)).completeBaseName().toLower();
    };
  }
  ~Cw3Game() override {
    OnFeedbackStarted = {};
    screens.reset();
  }

  // Saves the crossword as cwicz\<file> and starts it as the only entry.
  void Start(const TCrossword& c, const QString& file = "\\test\\k.fc3") {
    const QString path = inst.ProgramDir() + "/cwicz" + QString(file).replace(u'\\', u'/');
    MakeParentDirs(path);
    SaveCrosswordFile(path, c);
    ClearPathCache();
    ExerciseList[0] = {"KRZY=", file};
    ExerciseCount = 1;
    ExerciseIndex = 1;
    StartExercise();
  }
  void Type(const QString& keys) {
    for (QChar ch : keys) {
      const int key = ch == u'\b' ? int(Qt::Key_Backspace) : int(ch.toUpper().unicode());
      QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(Cw3Form->Edit_Krz, &e);
    }
  }
  void Click(TImage* line) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent e(type, QPointF(3, 3), line->mapToGlobal(QPointF(3, 3)), Qt::LeftButton,
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                    Qt::NoModifier);
      QApplication::sendEvent(line, &e);
    }
  }
  int BoxCell() const {
    return (Cw3Form->Edit_Krz->Left() - Cw3Form->CurrentLine->Left()) / 21 + 1;
  }
  bool Solved(int k) const { return Cw3Form->WordSolved[k - 1]; }

  TempInstallation inst;
  MessageRecorder messages;
  std::unique_ptr<GameScreens> screens;
  QStringList played;  // feedback sounds started, lower case
};

TEST_F(Cw3Game, EntryLaysOutLinesCluesAndOpensTheFirstLine) {
  TCrossword c = Crossword(
      {"COW", "HORSE", "PIG", "HEN", "GOAT", "DUCK", "SHEEP", "CAT", "DOG", "BULL", "BEE", "OX"});
  c.Clues[9] = QStringLiteral("BYK");
  Start(c);
  EXPECT_TRUE(Cw3Form->Visible());
  EXPECT_EQ(ExerciseKind, 7);
  EXPECT_TRUE(FirstTry);
  EXPECT_EQ(Cw3Form->Line(2)->geometry(), QRect(50, 82, 5 * 21 + 1, 27));
  EXPECT_EQ(Cw3Form->Cyfra(2)->pos(), QPoint(30, 82));
  // Clues keep their first letter and lower-case the rest, Polish letters too;
  // numbers of two digits have no space after the point.
  EXPECT_EQ(Cw3Form->Opis(9)->Caption(), "9. Świnia 9");
  EXPECT_EQ(Cw3Form->Opis(10)->Caption(), "10.Byk");
  EXPECT_EQ(Cw3Form->Opis(12)->Caption(), "12.Świnia 12");
  EXPECT_FALSE(Cw3Form->Opis(13)->Visible());
  // Positions far outside the screen stay far outside it.
  c.LinePositions[11] = {2147483647, -2147483647 - 1};
  Start(c);
  EXPECT_EQ(Cw3Form->Line(12)->pos(), QPoint(100000, -100000));
  // Lines past WordCount are not played.
  EXPECT_FALSE(Cw3Form->Line(13)->Visible());
  EXPECT_TRUE(Cw3Form->LineOpen);
  EXPECT_EQ(Cw3Form->CurrentWord, 1);
  EXPECT_TRUE(Cw3Form->Edit_Krz->Visible());
  EXPECT_EQ(Cw3Form->Edit_Krz->pos(), Cw3Form->Line_1->pos());
  EXPECT_TRUE(Cw3Form->Button2->Visible());
  // The solution cell is yellow, other cells white.
  EXPECT_EQ(QColor(Cw3Form->Line(1)->Picture().pixel(10, 10)), QColor(Qt::yellow));
  EXPECT_EQ(QColor(Cw3Form->Line(1)->Picture().pixel(31, 10)), QColor(Qt::white));

  // The crosswords whose solution column looks like any other cell.
  Start(Crossword({"COW"}), "\\culture\\1Ba.fc3");
  EXPECT_EQ(QColor(Cw3Form->Line(1)->Picture().pixel(10, 10)), QColor(Qt::white));
  EXPECT_TRUE(messages.Messages.empty()) << messages.Texts().join('|').toStdString();
}

TEST_F(Cw3Game, TheLiftStartsFromWordCountAndStepsPerSolvedWord) {
  struct Case {
    int words, first, last;
  };
  const QStringList all = {"AA", "BB", "CC", "DD", "EE", "FF", "GG", "HH", "II", "JJ", "KK", "LL"};
  for (const Case& c : {Case{10, 0, 9}, Case{7, 3, 9}, Case{12, 9, 9}}) {
    SCOPED_TRACE(c.words);
    Start(Crossword(all.mid(0, c.words)));
    EXPECT_EQ(Cw3Form->Animated1->Frame(), c.first);
    for (int k = 0; k < c.words; ++k) Type(all[k]);
    EXPECT_EQ(Cw3Form->SolvedCount, c.words);
    EXPECT_EQ(Cw3Form->Animated1->Frame(), c.last);
  }
}

TEST_F(Cw3Game, SolvedLinesIgnoreClicksAndTheNextUnsolvedLineOpensWrappingAround) {
  // The second answer is stored in lower case: typed letters are upper case.
  Start(Crossword({"CAT", "hen", "PIG"}));
  Click(Cw3Form->Line(3));
  EXPECT_EQ(Cw3Form->CurrentWord, 3);
  Type("pig");
  EXPECT_TRUE(Solved(3));
  EXPECT_EQ(Cw3Form->Line(3)->Cursor(), TCursor::crArrow);
  EXPECT_EQ(Cw3Form->Opis(3)->Font().Color, clBlue);
  EXPECT_EQ(Cw3Form->CurrentWord, 1);  // nothing after line 3: back to the start
  Type("CAT");
  EXPECT_EQ(Cw3Form->CurrentWord, 2);
  Type("h");
  Click(Cw3Form->Line(1));
  EXPECT_EQ(Cw3Form->CurrentWord, 2);
  EXPECT_EQ(Cw3Form->CursorPos, 2);
  Type("EN");
  EXPECT_TRUE(Solved(2));
  EXPECT_EQ(Cw3Form->SolvedCount, 3);
  EXPECT_TRUE(Cw3Form->KwillButton1->Visible());
  EXPECT_TRUE(FirstTry);
}

TEST_F(Cw3Game, RevealedCellsAreJumpedOverAndTheWordIsJudgedWhole) {
  Start(Crossword({"GIRAFFE", "ZEBRA"}));
  Cw3Form->RevealedLetters[0][2] = u'R';
  Cw3Form->RevealedLetters[0][6] = u'E';
  Click(Cw3Form->Line(1));
  Type("GI");
  EXPECT_EQ(BoxCell(), 4);
  Type("AX\b");  // a wrong letter taken back
  EXPECT_EQ(BoxCell(), 5);
  EXPECT_EQ(Cw3Form->TypedWord.size(), 4);
  Type("1F.F");  // other keys do nothing
  EXPECT_TRUE(Solved(1));
  EXPECT_EQ(Cw3Form->CurrentWord, 2);

  // A revealed last cell completes the word typed up to it.
  Cw3Form->RevealedLetters[1][4] = u'A';
  Click(Cw3Form->Line(2));
  Type("ZEBR");
  EXPECT_TRUE(Solved(2));
  EXPECT_TRUE(FirstTry);

  // A wrong word wipes the typed letters and keeps the revealed ones.
  Start(Crossword({"ZEBRA"}));
  Cw3Form->RevealedLetters[0][4] = u'A';
  Click(Cw3Form->Line(1));
  Type("ZEBO");
  EXPECT_FALSE(Solved(1));
  EXPECT_FALSE(FirstTry);
  EXPECT_TRUE(Cw3Form->LineOpen);
  EXPECT_EQ(Cw3Form->CursorPos, 1);
  EXPECT_TRUE(Cw3Form->TypedWord.isEmpty());
  EXPECT_EQ(Cw3Form->RevealedLetters[0][4], u'A');
}

// Children type the whole word after help, revealed letters too: those are
// taken as their cells, wherever help put them (the last cell included).
TEST_F(Cw3Game, AfterHelpTypingTheWholeWordSolvesEachLine) {
  const QStringList words = {"ELEPHANT", "GIRAFFE", "OX", "ZEBRA"};
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE(round);
    Start(Crossword(words));
    Type("EL");
    Cw3Form->Button2Click();
    // The line that was open stays open, from its first empty cell.
    EXPECT_TRUE(Cw3Form->LineOpen);
    EXPECT_EQ(Cw3Form->CurrentWord, 1);
    EXPECT_EQ(Cw3Form->CursorPos, 1);
    for (int k = 1; k <= words.size(); ++k) {
      EXPECT_EQ(Cw3Form->CurrentWord, k);
      Type(words[k - 1]);
      EXPECT_TRUE(Solved(k)) << words[k - 1].toStdString();
    }
    EXPECT_TRUE(FirstTry);
  }
}

TEST_F(Cw3Game, HelpRevealsThreeTimesNeverTheFirstCellNorAOneLetterWord) {
  Start(Crossword({"I", "CAT", "ELEPHANT", "OX"}));
  QImage lastLine;
  for (int press = 1; press <= 4; ++press) {
    Cw3Form->Button2Click();
    EXPECT_EQ(Cw3Form->HelpUses, std::min(press, 3));
    EXPECT_TRUE(Cw3Form->LineOpen);
    EXPECT_EQ(Cw3Form->CurrentWord, 1);
    // A two-letter last word is helped once; later presses redraw no other word on it.
    if (press == 1) lastLine = Cw3Form->Line(4)->Picture();
    EXPECT_EQ(Cw3Form->Line(4)->Picture(), lastLine) << press;
  }
  EXPECT_FALSE(Cw3Form->Button2->Visible());
  EXPECT_EQ(Cw3Form->HelpCount[0], 0);
  EXPECT_EQ(Cw3Form->HelpCount[1], 2);  // CAT: at most length - 1
  EXPECT_EQ(Cw3Form->HelpCount[2], 3);
  EXPECT_EQ(Cw3Form->HelpCount[3], 1);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(Cw3Form->RevealedLetters[k][0], u' ');
    for (int i = 1; i < AnswerMax; ++i) {
      const QChar r = Cw3Form->RevealedLetters[k][i];
      EXPECT_TRUE(r == u' ' || r == Cw3Form->Crossword.Answers[k][i]) << k << " " << i;
    }
  }
  // A one-letter word completes at once.
  Type("i");
  EXPECT_TRUE(Solved(1));
}

TEST_F(Cw3Game, TheYetiNeverComesTwiceInARow) {
  // The choice is reseeded from the clock at every wrong word: the rule
  // must hold whatever the draws.
  Start(Crossword({"CAT"}));
  int yetis = 0;
  bool lastWasYeti = false;
  for (int i = 0; i < 30; ++i) {
    const qsizetype noes = played.count("no");
    Type("DOG");
    const bool yeti = played.count("no") == noes;
    EXPECT_EQ(yeti, Cw3Form->YetiShown);
    EXPECT_FALSE(yeti && lastWasYeti) << "wrong word " << i;
    yetis += yeti;
    lastWasYeti = yeti;
  }
  EXPECT_GT(yetis, 0);
  EXPECT_LT(yetis, 30);
}

TEST_F(Cw3Game, TheHelicopterAndTheSkierTakeTurns) {
  Start(Crossword({"CAT"}));
  TCw3Form* f = Cw3Form;
  f->Timer3Timer();  // the helicopter sets off: the skier waits
  EXPECT_EQ(f->img_helik->pos(), QPoint(634, 80));
  f->Timer2Timer();
  EXPECT_FALSE(f->Animated2->Visible());

  f->img_helik->move(100, -44);
  f->Timer3Timer();  // over the top: home again, and the skier may come
  EXPECT_EQ(f->img_helik->pos(), QPoint(641, 80));
  EXPECT_EQ(f->Timer3.Interval(), 20000);
  EXPECT_TRUE(f->Timer2.Enabled());
  EXPECT_FALSE(f->SceneBusy);

  f->Timer2Timer();  // the skier comes down: the helicopter holds
  EXPECT_TRUE(f->Animated2->Visible());
  f->Timer3Timer();
  EXPECT_EQ(f->img_helik->pos(), QPoint(641, 80));
  for (int i = 0; i < 200 && f->Animated2->Visible(); ++i) PumpEvents(5);
  EXPECT_FALSE(f->Animated2->Visible());
  EXPECT_FALSE(f->HelicopterHold || f->SceneBusy);
  const int next = f->Timer2.Interval();
  EXPECT_TRUE(next >= 5600 && next <= 11200 && next % 800 == 0) << next;

  f->Timer2Timer();
  f->Close();  // no scene goes on behind another screen
  EXPECT_FALSE(f->Timer2.Enabled() || f->Timer3.Enabled() || f->Animated2->Play());
}

TEST_F(Cw3Game, TheCompleteCrosswordFliesOffIgnoringClicksAndStartsAgain) {
  Start(Crossword({"CAT", "DOG"}));
  Type("CAT");
  Cw3Form->img_helik->move(400, 20);  // on its way across the sky
  // A click that arrives while the helicopter flies off is dropped, not kept for later.
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
    QCoreApplication::postEvent(
        Cw3Form->Button2,
        new QMouseEvent(
            type, QPointF(5, 5), Cw3Form->Button2->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier));
  Type("DOG");
  EXPECT_LT(Cw3Form->img_helik->Top(), -15);
  PumpEvents(20);
  EXPECT_EQ(Cw3Form->HelpUses, 0);
  EXPECT_EQ(RedCount, 1);
  EXPECT_EQ(GreenCount, 2);
  EXPECT_FALSE(Cw3Form->Line(1)->Visible());
  EXPECT_TRUE(Cw3Form->Image2->Visible());
  EXPECT_FALSE(Cw3Form->Button2->Visible());
  ASSERT_TRUE(Cw3Form->KwillButton1->Visible());

  Cw3Form->KwillButton1Click();
  EXPECT_FALSE(Cw3Form->KwillButton1->Visible());
  EXPECT_EQ(Cw3Form->SolvedCount, 0);
  EXPECT_TRUE(Cw3Form->Line(1)->Visible());
  EXPECT_EQ(Cw3Form->Line(1)->Cursor(), TCursor::crHandPoint);
  EXPECT_TRUE(Cw3Form->LineOpen);

  // A file that cannot be read leaves the crossword on screen as it was.
  const QString dir = inst.ProgramDir() + "/cwicz/test/";
  WriteFileAtomic(dir + "short.fc3", WriteCrossword(Crossword({"COW"})).left(900));
  ClearPathCache();
  EXPECT_THROW(Cw3Form->LoadCrossword(ProgramDir + "\\cwicz\\test\\short.fc3"), EInOutError);
  EXPECT_EQ(Cw3Form->Crossword.Answers[0], "CAT");
  EXPECT_TRUE(Cw3Form->Line(2)->Visible());
}

}  // namespace
