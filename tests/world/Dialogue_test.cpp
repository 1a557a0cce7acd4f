// Dialogue lists, numbered sounds and the read-aloud chains driven by the
// shared player's end notifications.
#include <gtest/gtest.h>

#include "menu/FrmMenuStart.h"
#include "platform/Errors.h"
#include "platform/MediaPlayer.h"
#include "world/DialogueFixture.h"

namespace {

using Steps = std::vector<std::string>;

template <class E>
QString ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const E& e) {
    return e.Message;
  }
  return "no error";
}

TEST(DialogueList, KeysStayAsWrittenAndFilesKeepTheirCase) {
  const auto entries = ParseDialogueList("Dialogi   =3\r\nDIAL=\\town\\Witaj.txt\r\ndiac=\\x.fc9\r\nDIAC=\\y.fc9", "d.txt");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].Key, "DIAL=");
  EXPECT_EQ(entries[0].File, "\\town\\Witaj.txt");
  EXPECT_EQ(entries[1].Key, "diac=");
  EXPECT_EQ(entries[2].File, "\\y.fc9");
  EXPECT_EQ(ParseDialogueList(FormatDialogueList(entries), "d.txt").size(), 3u);
}

TEST(DialogueList, BadCountsNameTheFileAndLine) {
  QByteArray twenty = "Dialogi   =20\r\n", twentyOne = "Dialogi   =21\r\n";
  for (int i = 0; i < 21; ++i) {
    if (i < 20) twenty += "DIAL=\\a.txt\r\n";
    twentyOne += "DIAL=\\a.txt\r\n";
  }
  EXPECT_EQ(ParseDialogueList(twenty, "d.txt").size(), 20u);
  struct Case {
    QByteArray bytes;
    QString expected;
  } cases[] = {
      {twentyOne, "d.txt:1"},
      {"Dialogi   =0\r\n", "d.txt:1"},
      {"Dialogi   =-1\r\nDIAL=\\a.txt\r\n", "d.txt:1"},
      {"Dialogi   =3\r\nDIAL=\\a.txt\r\nDIAL=\\b.txt\r\n", "d.txt:4"},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(ErrorOf<EFormatError>([&] { ParseDialogueList(c.bytes, "d.txt"); }).startsWith(c.expected))
        << c.bytes.toStdString();
  const QString notNumber = ErrorOf<EConvertError>([] { ParseDialogueList("Dialogi   =dwa\r\n", "d.txt"); });
  EXPECT_TRUE(notNumber.startsWith("d.txt:1")) << notNumber.toStdString();
  EXPECT_NE(notNumber.indexOf("dwa"), -1);
  EXPECT_TRUE(ErrorOf<EConvertError>([] { ParseDialogueList("", "pusta.txt"); }).startsWith("pusta.txt:1"));
}

TEST(DialogueLine, NumbersPickTheirFolderAndFileName) {
  DataRoot = "/cd";
  WordsDir = "\\words\\";
  struct Case {
    const char* number;
    const char* path;
  } cases[] = {
      {"7", "/cd\\words\\D_01.cdr\\00007.wav"},     {"5", "/cd\\words\\D_01.cdr\\00005.wav"},
      {"199", "/cd\\words\\D_01.cdr\\00199.wav"},   {"200", "/cd\\words\\D_02.cdr\\00200.wav"},
      {"1234", "/cd\\words\\D_07.cdr\\01234.wav"},  {"1999", "/cd\\words\\D_10.cdr\\01999.wav"},
      {"2000", "/cd\\words\\D_11.cdr\\02000.wav"},  {"54321", "/cd\\words\\D_272.cdr\\54321.wav"},
  };
  for (const Case& c : cases) EXPECT_EQ(DialogueLinePath(c.number), c.path) << c.number;
  EXPECT_THROW(DialogueLinePath("x7"), EConvertError);
  ResetSharedState();
}

class DialogueChains : public DialogueScreen {};

TEST_F(DialogueChains, PlayDialogueLinePlaysTheNumberedSound) {
  WriteWave(inst.DataRoot() + "/words/D_02.cdr/00200.wav", MakeTone(200, 440));
  PlayDialogueLine("200");
  EXPECT_EQ(MainForm->MediaPlayer1->Mode(), mpPlaying);
  EXPECT_TRUE(MainForm->MediaPlayer1->FileName.endsWith("D_02.cdr\\00200.wav"));
  // A missing number beeps and leaves the playing sound alone.
  PlayDialogueLine("201");
  EXPECT_EQ(MainForm->MediaPlayer1->Mode(), mpPlaying);
  EXPECT_TRUE(MainForm->MediaPlayer1->FileName.endsWith("00200.wav"));
}

TEST_F(DialogueChains, WholeDialogueSaysEachLineInRed) {
  SaveDialogue("/d.txt", SampleDialogue(3));
  Open("DIAL=", "\\d.txt");
  const Steps t = Reading([] { Cw5Form->Button1Click(); });
  EXPECT_EQ(t, (Steps{"say 1", "R..", "say 2", ".R.", "say 3", "..R", "..."}));
  EXPECT_FALSE(ReadAllLines);
  EXPECT_FALSE(MainForm->MediaPlayer1->IsOpen());
}

TEST_F(DialogueChains, RolePlaysGiveTheChildItsLinesInGreen) {
  struct Case {
    int lines;
    void (TCw5Form::*button)();
    Steps expected;
  } cases[] = {
      {5, &TCw5Form::KwillButton1Click,
       {"say 1", "R....", ".G...", "say 3", "..R..", "...G.", "say 5", "....R", "....."}},
      {4, &TCw5Form::KwillButton1Click, {"say 1", "R...", ".G..", "say 3", "..R.", "...."}},
      {5, &TCw5Form::KwillButton2Click,
       {"G....", "say 2", ".R...", "..G..", "say 4", "...R.", "....."}},
  };
  for (const Case& c : cases) {
    SaveDialogue("/d.txt", SampleDialogue(c.lines));
    Open("DIAL=", "\\d.txt");
    EXPECT_EQ(Reading([&] { (Cw5Form->*c.button)(); }), c.expected) << c.lines << " lines";
    EXPECT_FALSE(ChildReadsEven || ChildReadsOdd);
  }
}

TEST_F(DialogueChains, GreenPauseLastsByTheLengthOfTheChildsLine) {
  // 89 ms per character: a 9-character line stays green for about 0.8 s.
  SaveDialogue("/d.txt", SampleDialogue(3, "Good day!"));
  Open("DIAL=", "\\d.txt");
  QElapsedTimer clock;
  qint64 greenFrom = -1, greenTo = -1;
  QTimer sampler;
  QObject::connect(&sampler, &QTimer::timeout, [&] {
    const bool green = Colours() == ".G.";
    if (green && greenFrom < 0) greenFrom = clock.elapsed();
    if (!green && greenFrom >= 0 && greenTo < 0) greenTo = clock.elapsed();
  });
  clock.start();
  sampler.start(2);
  Cw5Form->KwillButton1Click();
  WaitWhileReading();
  ASSERT_GE(greenFrom, 0);
  ASSERT_GE(greenTo, 0);
  // The sampler may see the green late on a loaded machine, so only half the
  // pause is required: enough to tell a pause by length from none at all.
  EXPECT_GE(greenTo - greenFrom, 89 * 9 / 2);
}

TEST_F(DialogueChains, ClickDuringGreenPauseStopsTheChain) {
  SaveDialogue("/d.txt", SampleDialogue(5, "A longer line"));
  Open("DIAL=", "\\d.txt");
  QTimer clicker;
  QElapsedTimer green;
  QObject::connect(&clicker, &QTimer::timeout, [&] {
    if (Colours() != ".G...") return;
    if (!green.isValid()) green.start();
    if (green.elapsed() < 50) return;
    clicker.stop();
    Cw5Form->BackgroundClick();
  });
  clicker.start(2);
  const Steps t = Reading([] { Cw5Form->KwillButton1Click(); });
  EXPECT_EQ(t, (Steps{"say 1", "R....", ".G...", "....."}));
  EXPECT_FALSE(ReadAloud);
}

TEST_F(DialogueChains, ReadingStartedDuringPauseKeepsItsOwnLines) {
  SaveDialogue("/d.txt", SampleDialogue(3, "A longer line"));
  Open("DIAL=", "\\d.txt");
  QTimer restarter;
  QElapsedTimer green;
  QObject::connect(&restarter, &QTimer::timeout, [&] {
    if (Colours() != ".G.") return;
    if (!green.isValid()) green.start();
    if (green.elapsed() < 50) return;
    restarter.stop();
    Cw5Form->Button1Click();
  });
  restarter.start(2);
  const Steps t = Reading([] { Cw5Form->KwillButton1Click(); });
  EXPECT_EQ(t, (Steps{"say 1", "R..", ".G.", "say 1", "R..", "say 2", ".R.", "say 3", "..R", "..."}));
}

TEST_F(DialogueChains, OnlySoundsPlayedToTheirEndAdvance) {
  SaveDialogue("/d.txt", SampleDialogue(3));
  Open("DIAL=", "\\d.txt");
  Cw5Form->Button1Click();
  MainForm->MediaPlayer1->Stop();
  PumpEvents(kLineMs * 3);
  EXPECT_EQ(Colours(), "R..");
  EXPECT_EQ(ReadLinePos, 1);
  for (TMPNotifyValues v : {nvAborted, nvSuperseded, nvFailure}) MainMediaPlayerNotify(v);
  EXPECT_EQ(ReadLinePos, 1);
  MainMediaPlayerNotify(nvSuccessful);
  EXPECT_EQ(ReadLinePos, 2);
  EXPECT_EQ(Colours(), ".R.");
}

TEST_F(DialogueChains, PresentationAndMenuCasesOfTheEndHandler) {
  int steps = 0;
  AdvancePresentation = [&] { ++steps; };
  ReadAloud = true;
  MenuVideoMode = true;
  MainMediaPlayerNotify(nvAborted);
  EXPECT_TRUE(MenuVideoMode);
  EXPECT_EQ(steps, 0);
  MainMediaPlayerNotify(nvSuccessful);
  EXPECT_FALSE(MenuVideoMode);
  EXPECT_EQ(steps, 1);
  // A dialogue mode takes the notification instead of the presentation.
  ReadAllLines = true;
  ReadLinePos = 99;
  MainMediaPlayerNotify(nvSuccessful);
  EXPECT_EQ(steps, 1);
  EXPECT_FALSE(ReadAloud);
  AdvancePresentation = nullptr;
}

TEST_F(DialogueChains, ArrowsStepThroughTheListAndKeepAFailedEntryOff) {
  SaveDialogue("/a.txt", SampleDialogue(2));
  SaveGap("/b.fc9", {SampleExchange(5, {"fine"})});
  SaveList("/lista.txt", {{"DIAL=", "\\a.txt"}, {"DIAC=", "\\b.fc9"}, {"DIAL=", "\\brak.txt"}});
  Dialogues::LoadDialogueList(ProgramDir + "\\lista.txt");
  Cw5Form->Show();
  EXPECT_EQ(DialogueCount, 3);
  EXPECT_EQ(ExerciseKind, 9);
  EXPECT_FALSE(Cw5Form->CW5_KWS_left->Visible());
  EXPECT_TRUE(Cw5Form->cw5_kws_right->Visible());
  Cw5Form->CW5_KWS_RightClick();
  EXPECT_EQ(DialogueIndex, 2);
  EXPECT_EQ(ExerciseKind, 10);
  EXPECT_TRUE(Cw5Form->CW5_KWS_left->Visible());
  EXPECT_TRUE(Cw5Form->Edit_1->Visible());
  EXPECT_THROW(Cw5Form->CW5_KWS_RightClick(), EInOutError);
  EXPECT_EQ(DialogueIndex, 2);
  EXPECT_EQ(ExerciseKind, 10);
  Cw5Form->CW5_KWS_LeftClick();
  EXPECT_EQ(DialogueIndex, 1);
  EXPECT_FALSE(Cw5Form->CW5_KWS_left->Visible());
  EXPECT_TRUE(Cw5Form->Line_1->Visible());
}

TEST_F(DialogueChains, BrokenListChangesNothing) {
  SaveDialogue("/a.txt", SampleDialogue(2));
  Open("DIAL=", "\\a.txt");
  WriteTextLines(inst.ProgramDir() + "/zla.txt", {"Dialogi   =2", "DIAL=\\a.txt"});
  EXPECT_THROW(Dialogues::LoadDialogueList(ProgramDir + "\\zla.txt"), EFormatError);
  EXPECT_EQ(DialogueCount, 1);
  EXPECT_EQ(DialogueList[0].File, "\\a.txt");
  EXPECT_EQ(Cw5Form->LineCount, 2);
}

TEST_F(DialogueChains, DialogueButtonOfTheLocationScreenOpensTheList) {
  SaveDialogue("/a.txt", SampleDialogue(4));
  SaveList("/lista.txt", {{"DIAL=", "\\a.txt"}});
  MainForm->DialogueListFile = "\\lista.txt";
  MainForm->Show();
  DialogueFromExercise = true;
  MainForm->Btn_Dialo1Click();
  EXPECT_FALSE(DialogueFromExercise);
  EXPECT_TRUE(Cw5Form->Visible());
  EXPECT_FALSE(MainForm->Visible());
  EXPECT_EQ(Cw5Form->LineCount, 4);
  // "Koniec" goes back to the place.
  Cw5Form->Button2Click();
  EXPECT_FALSE(Cw5Form->Visible());
  EXPECT_TRUE(MainForm->Visible());
  EXPECT_TRUE(MainForm->Timer1.Enabled());
}

}  // namespace
