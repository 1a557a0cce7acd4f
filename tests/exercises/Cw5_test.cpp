// The dialogue screen: dialogue layout and hover translations, the gap
// dialogue's layout, answers, reveals and wrap-around, help and leaving.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QRegularExpression>

#include "controls/TransparentButton.h"
#include "exercises/FrmCw1.h"
#include "platform/MediaPlayer.h"
#include "world/DialogueFixture.h"

namespace {

class Cw5 : public DialogueScreen {
 protected:
  void SetUp() override {
    DialogueScreen::SetUp();
    Sound("ok", 30);
    Sound("no", 30);
    // The gap layout is measured in a monospaced font, so every expected
    // position is a count of characters whatever fonts the machine has.
    Cw5Form->PaintBox1->Font = Cw5Form->PaintBox1->Canvas().Font = kMono;
    ASSERT_EQ(QFontInfo(ToQFont(kMono)).family(), kMono.Name);
    ASSERT_TRUE(QFontInfo(ToQFont(kMono)).fixedPitch());
  }
  static constexpr int kAdvance = 12;  // Liberation Mono at 20 px: 0.6 em
  // Types `text` into the answer box and presses Enter, as the child does.
  static void Answer(const QString& text) {
    Cw5Form->Edit_1->SetText(text);
    Press(Cw5Form->Edit_1->Widget(), Qt::Key_Return);
  }
  static void Press(QWidget* target, int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(target, &down);
  }
  static int Width(const QString& text) { return static_cast<int>(text.size()) * kAdvance; }
  inline static const TFont kMono{QStringLiteral("Liberation Mono"), -20, clBlack, 0};
  static const TGapExchange& Shown() { return Cw5Form->Exchanges[Cw5Form->CurrentExchange]; }
  static QString GapText() { return Shown().Parts[Shown().GapPart - 1]; }
};

TEST_F(Cw5, DialogueLinesAreLaidOutFromTheHeader) {
  SaveDialogue("/d.txt", SampleDialogue(3));
  Open("DIAL=", "\\d.txt");
  const int h = QFontMetrics(ToQFont(Cw5Form->Line_1->Font())).height();
  for (int k = 1; k <= 3; ++k) {
    TLabel* line = Cw5Form->Line(k);
    EXPECT_TRUE(line->Visible());
    EXPECT_EQ(line->Left(), 60);
    EXPECT_EQ(line->Top(), 70 + 2 * (k - 1) * h);
  }
  EXPECT_EQ(Cw5Form->Line_1->Caption(), "Tom:  Hi!");
  EXPECT_EQ(Cw5Form->Line_2->Caption(), "Ann:  Hi!");
  EXPECT_FALSE(Cw5Form->Line_4->Visible());
  EXPECT_EQ(Cw5Form->Lbl_Tyt->Caption(), "");
  EXPECT_FALSE(Cw5Form->PaintBox1->Visible());
  EXPECT_TRUE(Cw5Form->Button1->Visible());
  EXPECT_TRUE(Cw5Form->KwillButton2->Visible());
  EXPECT_EQ(ExerciseKind, 9);
  EXPECT_FALSE(Cw5Form->Image1_2->Picture().isNull());
}

TEST_F(Cw5, HoverShowsTranslationAndClickSaysTheLine) {
  SaveDialogue("/d.txt", SampleDialogue(3));
  Open("DIAL=", "\\d.txt");
  TLabel* line = Cw5Form->Line_2;
  Cw5Form->Line_1MouseMove(line);
  EXPECT_TRUE(Cw5Form->Line_Polski->Visible());
  EXPECT_EQ(Cw5Form->Line_Polski->Caption(), "Cześć 2");
  EXPECT_EQ(Cw5Form->Line_Polski->Left(), line->Left() + 25);
  EXPECT_EQ(Cw5Form->Line_Polski->Top(), line->Top() + line->Height());
  Cw5Form->BackgroundMouseMove();
  EXPECT_FALSE(Cw5Form->Line_Polski->Visible());

  Cw5Form->Button1Click();
  Cw5Form->Line_1Click(Cw5Form->Line_3);
  EXPECT_FALSE(ReadAloud);
  EXPECT_EQ(Colours(), "...");
  EXPECT_TRUE(started.last().endsWith("DIALOGI\\13.wav")) << started.last().toStdString();
}

TEST_F(Cw5, GapPositionsAndPunctuation) {
  SaveGap("/g.fc9", {SampleExchange(4, {"I am"}), SampleExchange(2, {"is", "are"})});
  Open("DIAC=", "\\g.fc9");
  // A gap in the first part of the second line.
  EXPECT_EQ(Shown().GapX, 0);
  EXPECT_EQ(Shown().GapY, 25);
  EXPECT_EQ(Cw5Form->Edit_1->Left(), 40 - 3);
  EXPECT_EQ(Cw5Form->Edit_1->Top(), 80 + 25 - 2);
  EXPECT_EQ(Shown().GapWidth, Width("   I am") + Width(" "));
  EXPECT_EQ(Cw5Form->Edit_1->Width(), Shown().GapWidth - 2);
  EXPECT_EQ(Cw5Form->Lbl_Tyt->Caption(), "Uzupełnij dialog");
  EXPECT_FALSE(Cw5Form->Line_1->Visible());
  EXPECT_FALSE(Cw5Form->Button1->Visible());
  EXPECT_EQ(ExerciseKind, 10);

  Cw5Form->CurrentExchange = 1;
  Cw5Form->OpenGap();
  EXPECT_EQ(Shown().GapX, Width("How "));
  EXPECT_EQ(Shown().GapY, 0);
  EXPECT_EQ(GapText(), "   are");  // the widest answer lies under the box
  EXPECT_EQ(Shown().LongestAnswer, 2);
}

TEST_F(Cw5, QuestionMarkFollowsTheGapWithoutSpace) {
  TExchange ex = SampleExchange(1, {"Where"});
  ex.Parts = {"PYT", "?", "you", "Here", "now", "."};
  SaveGap("/g.fc9", {ex});
  Open("DIAC=", "\\g.fc9");
  for (int i = 0; i < 4; ++i) Answer("nie");
  ASSERT_EQ(GapText(), "Where");
  Cw5Form->DrawExchange(false);
  const auto& x = Shown().PartX;
  EXPECT_EQ(x[0], 0);
  // Each part advances by its text and a blank, less the blank before "?" and ".".
  const int blank = Width(" ");
  EXPECT_EQ(x[1], Width("Where ") - blank);
  EXPECT_EQ(x[2], x[1] + Width("? "));
  EXPECT_EQ(x[3], 0);
  EXPECT_EQ(x[4], Width("Here "));
  EXPECT_EQ(x[5], x[4] + Width("now ") - blank);
}

TEST_F(Cw5, AnswersAreTrimmedLoseOneFinalDotAndKeepTheirCase) {
  struct Case {
    const char* typed;
    bool right;
  } cases[] = {
      {"I am fine", true}, {"I am fine.", true}, {"  I am fine  ", true}, {"i am fine", false},
      {"I am fine..", false}, {"I am", false},
  };
  for (const Case& c : cases) {
    SaveGap("/g.fc9", {SampleExchange(4, {"I am fine", "Fine"})});
    Open("DIAC=", "\\g.fc9");
    Answer(c.typed);
    EXPECT_EQ(Shown().Answered, c.right) << c.typed;
    EXPECT_EQ(Cw5Form->WrongTries, c.right ? 0 : 1) << c.typed;
    EXPECT_EQ(Cw5Form->Edit_1->Visible(), !c.right) << c.typed;
    if (c.right) {
      EXPECT_EQ(GapText(), QString(c.typed).trimmed().remove(QRegularExpression("\\.$")));
    }
  }
}

TEST_F(Cw5, FourWrongAnswersRevealAndTheExchangeComesBackHidden) {
  SaveGap("/g.fc9", {SampleExchange(5, {"ok", "very well"}), SampleExchange(2, {"are"})});
  FirstTry = false;  // a mistake in an earlier exercise does not count here
  Open("DIAC=", "\\g.fc9");
  EXPECT_TRUE(FirstTry);
  for (int i = 1; i <= 3; ++i) {
    Answer("zle");
    EXPECT_TRUE(Cw5Form->Edit_1->Visible());
    EXPECT_EQ(Cw5Form->Edit_1->Text(), "");
  }
  EXPECT_FALSE(FirstTry);
  Answer("zle");
  EXPECT_FALSE(Cw5Form->Edit_1->Visible());
  EXPECT_TRUE(Cw5Form->KwillLapka->Visible());
  EXPECT_EQ(GapText(), "very well");
  EXPECT_FALSE(Shown().Answered);

  // Enter goes on to the next unanswered exchange.
  Press(Cw5Form->BTN_FOCUS, Qt::Key_Return);
  EXPECT_EQ(Cw5Form->CurrentExchange, 1);
  EXPECT_FALSE(Cw5Form->KwillLapka->Visible());
  EXPECT_TRUE(Cw5Form->Edit_1->Visible());
  EXPECT_EQ(Cw5Form->WrongTries, 0);

  // Answering it wraps round to the revealed one, hidden again.
  Answer("are");
  EXPECT_EQ(Cw5Form->CurrentExchange, 0);
  EXPECT_EQ(GapText(), "   very well");
  EXPECT_TRUE(Cw5Form->Edit_1->Visible());
  EXPECT_EQ(Cw5Form->Exchanges[1].Parts[1], "   are");
}

TEST_F(Cw5, LastRightAnswerRecordsTheDialogueWithItsPoints) {
  struct Case {
    bool mistake;
    int green;
  } cases[] = {{false, 2}, {true, 1}};
  for (const Case& c : cases) {
    RedCount = GreenCount = ResultCount = 0;
    SaveGap("/g.fc9", {SampleExchange(3, {"you"})});
    Open("DIAC=", "\\g.fc9");
    if (c.mistake) Answer("me");
    Answer("you");
    EXPECT_EQ(RedCount, 1);
    EXPECT_EQ(GreenCount, c.green);
    EXPECT_FALSE(Cw5Form->Edit_1->Visible());
    EXPECT_EQ(Cw5Form->lbl_Green->Caption(), QString::number(c.green));
    // Nothing is left to move to.
    Cw5Form->NextExchange();
    EXPECT_EQ(Cw5Form->CurrentExchange, 0);
  }
}

TEST_F(Cw5, GapDialogueOpenedFromThePlaceHasItsAnswerBoxReady) {
  SaveGap("/g.fc9", {SampleExchange(5, {"fine"})});
  SaveList("/lista.txt", {{"DIAC=", "\\g.fc9"}});
  MainForm->DialogueListFile = "\\lista.txt";
  MainForm->Show();
  MainForm->Btn_Dialo1Click();
  PumpEvents(10);
  EXPECT_TRUE(Cw5Form->Visible());
  EXPECT_TRUE(Cw5Form->Edit_1->Visible());
  EXPECT_EQ(Cw5Form->Edit_1->Left(), Shown().GapX + 40 - 3);
  Answer("fine");
  EXPECT_TRUE(Shown().Answered);
}

TEST_F(Cw5, HelpSaysTheInstructionOfTheEntry) {
  for (const char* name : {"D1", "D2", "D3"}) Sound(name, 200);
  struct Case {
    const char* key;
    const char* file;
    const char* sound;
  } cases[] = {
      {"DIAL=", "\\d.txt", "D1.wav"},
      {"DIAC=", "\\g.fc9", "D2.wav"},
      {"DIAC=", "\\LIBLARY\\7g_b.fc9", "D3.wav"},
  };
  SaveDialogue("/d.txt", SampleDialogue(2));
  SaveGap("/g.fc9", {SampleExchange(5, {"fine"})});
  SaveGap("/liblary/7g_b.fc9", {SampleExchange(5, {"fine"})});
  for (const Case& c : cases) {
    Open(c.key, c.file);
    Cw5Form->Image2Click();
    EXPECT_TRUE(MainForm->MediaPlayer1->FileName.endsWith(c.sound)) << c.file;
    EXPECT_EQ(MainForm->MediaPlayer1->Mode(), mpPlaying);
  }
}

TEST_F(Cw5, KoniecReturnsToThePresentationItCameFrom) {
  // The presentation that opened the dialogues starts again.
  TWordExercise presentation;
  presentation.ItemCount = 1;
  presentation.ItemUsed[0] = 1;
  presentation.Words[0] = "mother";
  presentation.Translations[0] = "mama";
  presentation.PictureName = "\\farm\\rodzina.bmp";
  SaveWordExerciseFile(Cwicz("/farm/rodzina.fc2"), presentation);
  WriteSolidBmp(inst.DataRoot() + "/cwicz/farm/rodzina.bmp", 545, 430, QColor(90, 160, 90));
  ExerciseList[0] = {"PREZ=", "\\farm\\rodzina.fc2"};
  ExerciseCount = ExerciseIndex = 1;
  SaveDialogue("/d.txt", SampleDialogue(2));
  Open("DIAL=", "\\d.txt");
  DialogueFromExercise = true;
  Cw5Form->Button2Click();
  EXPECT_FALSE(Cw5Form->Visible());
  EXPECT_TRUE(Cw1Form->Visible());
  EXPECT_EQ(ExerciseKind, 3);
}

}  // namespace
