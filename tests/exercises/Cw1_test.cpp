// Exercise screen 1 on a small installation: real word exercise files, real
// pictures and sounds, the real dispatch and the shared player on SDL's
// dummy driver.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <memory>
#include <set>

#include "app/Feedback.h"
#include "app/Globals.h"
#include "exercises/FrmCw1.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/MediaPlayer.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/Support.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"

namespace {

// Eight items; item 3 does not take part. Covers sit in a column on the
// right of the picture, well away from every hot spot.
TWordExercise EightItemExercise() {
  TWordExercise ex;
  ex.ItemCount = 8;
  const char* words[] = {"the sun", "a cat", "to be", "The dog", "an apple", "ant", "bird", "tree"};
  const char* polish[] = {"słońce", "kot", "być", "pies", "jabłko", "mrówka", "ptak", "drzewo"};
  for (int k = 0; k < 8; ++k) {
    ex.Words[k] = words[k];
    ex.Translations[k] = QString::fromUtf8(polish[k]);
    ex.HotSpots[k] = {10 + 60 * k, 20, 60 + 60 * k, 120};
    ex.WordPositions[k] = {380, 150 + 30 * k};  // picture-relative: (398, 188 + 30k) on screen
    ex.SoundNumbers[k] = 100 + k;
    ex.ItemUsed[k] = k == 2 ? 0 : 1;
  }
  ex.PictureName = "\\test\\park.bmp";
  return ex;
}

class Cw1Game : public ::testing::Test {
 protected:
  Cw1Game() {
    const QString program = inst.ProgramDir();
    for (const char* name : {"ok", "no"}) WriteWave(inst.DataRoot() + "/music/" + name + ".wav", MakeTone(30, 440));
    WriteSolidBmp(inst.DataRoot() + "/cwicz/test/park.bmp", 545, 430, QColor(40, 160, 40));
    screens = std::make_unique<GameScreens>(program, inst.DataRoot());
    OnFeedbackStarted = [this](const QString& path) { played << QFileInfo(ResolvePath(path)).completeBaseName().toLower(); };
  }
  ~Cw1Game() override {
    OnFeedbackStarted = {};
    screens.reset();
  }

  QString Words(int number) const {
    return inst.DataRoot() + QStringLiteral("/words/D_%1.cdr/%2.wav")
                                 .arg(number / 200 + 1, 2, 10, QChar('0'))
                                 .arg(number, 5, 10, QChar('0'));
  }
  void WriteWordSounds(const TWordExercise& ex, int ms = 40) {
    for (int k = 0; k < ex.ItemCount; ++k) WriteWave(Words(ex.SoundNumbers[k]), MakeTone(ms, 500 + 20 * k));
  }
  // Saves `ex` as cwicz\test\<name> and starts it as the only entry of the list.
  void Start(const QString& key, const TWordExercise& ex, const QString& name = "ex.fc2") {
    Save(name, ex);
    ExerciseList[0] = {key, "\\test\\" + name};
    ExerciseCount = 1;
    ExerciseIndex = 1;
    played.clear();
    StartExercise();
  }
  void Save(const QString& name, const TWordExercise& ex) {
    const QString path = inst.ProgramDir() + "/cwicz/test/" + name;
    MakeParentDirs(path);
    SaveWordExerciseFile(path, ex);
    ClearPathCache();
  }
  QString PlayerFile() const {
    return QFileInfo(ResolvePath(MainForm->MediaPlayer1->FileName)).absoluteFilePath();
  }
  // The draggable word that carries item j.
  TLabel* LabelOf(int j) const {
    for (int k = 0; k < Cw1Form->ActiveCount; ++k)
      if (Cw1Form->LabelItems[k] == j) return Cw1Form->Label[k];
    return nullptr;
  }
  void ShowStage() {
    Stage()->ShowStage(true);
    Stage()->CentreScreens();
    Cw1Form->BringToFront();
  }

  TempInstallation inst;
  MessageRecorder messages;
  std::unique_ptr<GameScreens> screens;
  QStringList played;  // feedback sounds started, lower case, in order
};

void SendMouse(QWidget* to, QEvent::Type type, QPoint global) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(type, to->mapFromGlobal(global), global, Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(to, &e);
}

void SendKey(QWidget* to, int qtKey, const QString& text) {
  QKeyEvent e(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
  QApplication::sendEvent(to, &e);
}

bool WaitUntil(const std::function<bool()>& done, int ms = 4000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) PumpEvents(2);
  return done();
}

TEST_F(Cw1Game, PresentationKeepsArticlesAndDraggingStripsThem) {
  Start("PREZ=", EightItemExercise());
  EXPECT_EQ(ExerciseKind, 3);
  for (int k = 1; k <= 8; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(Cw1Form->lbl_Opis[k - 1]->Caption(), EightItemExercise().Words[k - 1]);
    // Every item is shown, used or not, at its screen position.
    EXPECT_EQ(Cw1Form->lbl_Opis[k - 1]->pos(), QPoint(398, 188 + 30 * (k - 1)));
    EXPECT_FALSE(Cw1Form->ImgDD[k - 1]->Visible());
  }
  EXPECT_TRUE(Cw1Form->btn_prez_Show->Visible());
  EXPECT_FALSE(Cw1Form->button2->Visible());
  EXPECT_EQ(Cw1Form->WordExercise.HotSpots[1], EightItemExercise().HotSpots[1]);

  Start("DDRO=", EightItemExercise());
  EXPECT_EQ(ExerciseKind, 2);
  EXPECT_EQ(Cw1Form->ActiveCount, 7);
  EXPECT_FALSE(Cw1Form->btn_prez_Show->Visible());
  EXPECT_TRUE(Cw1Form->Panel_Img->Visible());
  std::multiset<QString> carried;
  for (int k = 0; k < 7; ++k) {
    carried.insert(Cw1Form->Label[k]->Caption());
    EXPECT_EQ(Cw1Form->Label[k]->Left(), 535);
  }
  EXPECT_EQ(carried, (std::multiset<QString>{"sun", "cat", "The dog", "apple", "ant", "bird", "tree"}));
  EXPECT_EQ(Cw1Form->Label[7]->Left(), -300);
  EXPECT_TRUE(Cw1Form->ImgDD[0]->Visible());
  EXPECT_EQ(Cw1Form->ImgDD[0]->pos(), QPoint(398, 188));
  EXPECT_FALSE(Cw1Form->ImgDD[2]->Visible());  // item 3 takes no part
  EXPECT_TRUE(messages.Messages.empty()) << messages.Texts().join('|').toStdString();
}

TEST_F(Cw1Game, APictureIsLoadedOnlyWhenItsNameChanges) {
  auto colourAt = [] { return QColor(Cw1Form->Image1->Picture().pixel(5, 5)); };
  Start("PREZ=", EightItemExercise(), "a.fc2");
  EXPECT_EQ(colourAt(), QColor(40, 160, 40));
  EXPECT_EQ(LastExercisePicture, "\\test\\park.bmp");

  WriteSolidBmp(inst.DataRoot() + "/cwicz/test/park.bmp", 545, 430, QColor(200, 30, 30));
  Start("PREZ=", EightItemExercise(), "b.fc2");
  EXPECT_EQ(colourAt(), QColor(40, 160, 40));  // same name: the old picture stays

  TWordExercise other = EightItemExercise();
  other.PictureName = "\\test\\PARK.BMP";  // compared exactly, found without regard to case
  Start("PREZ=", other, "c.fc2");
  EXPECT_EQ(colourAt(), QColor(200, 30, 30));
  EXPECT_EQ(LastExercisePicture, "\\test\\PARK.BMP");
}

TEST_F(Cw1Game, ABrokenFileOrPictureLeavesTheScreenAsItWas) {
  Start("PREZ=", EightItemExercise());
  const QString dir = inst.ProgramDir() + "/cwicz/test/";
  MakeParentDirs(dir + "short.fc2");
  WriteFileAtomic(dir + "short.fc2", WriteWordExercise(EightItemExercise()).left(2000));
  TWordExercise missing = EightItemExercise();
  missing.Words[0] = "moon";
  missing.PictureName = "\\test\\none.bmp";
  SaveWordExerciseFile(dir + "nopic.fc2", missing);
  ClearPathCache();
  for (const char* name : {"short.fc2", "nopic.fc2"}) {
    SCOPED_TRACE(name);
    EXPECT_THROW(Cw1Form->LoadWordExercise(ProgramDir + "\\cwicz\\test\\" + name), EInOutError);
    EXPECT_EQ(Cw1Form->WordExercise.Words[0], "the sun");
    EXPECT_EQ(Cw1Form->lbl_Opis[0]->Caption(), "the sun");
    EXPECT_EQ(LastExercisePicture, "\\test\\park.bmp");
  }
}

// A drop is judged by where the word is let go: straight onto a control, or
// (after moving there) onto the drag image that follows the pointer.
TEST_F(Cw1Game, DropsAreJudgedByCoverHotSpotAndDragImage) {
  struct Case {
    const char* what;
    int item;
    QPoint at;    // form coordinates
    bool moveFirst;
    bool accepted;
    bool costsFirstTry;
  };
  const Case cases[] = {
      {"its own cover", 2, {420, 225}, false, true, false},
      {"its hot spot on the picture", 2, {17 + 90, 40 + 60}, false, true, false},
      {"the drag image inside its cover", 4, {420, 285}, true, true, false},
      {"the drag image inside its hot spot, 30 lower", 4, {215, 150}, true, true, false},
      {"another item's cover", 5, {420, 225}, false, false, true},
      {"another item's hot spot", 5, {17 + 90, 40 + 60}, false, false, true},
      {"the side panel", 6, {600, 420}, false, false, false},
      {"a button", 6, {600, 447}, false, false, false},
  };
  WriteWordSounds(EightItemExercise());
  ShowStage();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start("DDRO=", EightItemExercise());
    TLabel* word = LabelOf(c.item);
    ASSERT_NE(word, nullptr);
    const QString caption = word->Caption();
    const QPoint press = word->mapToGlobal(QPoint(3, 4));
    SendMouse(word, QEvent::MouseButtonPress, press);
    ASSERT_TRUE(DragManager::Dragging());
    EXPECT_TRUE(Cw1Form->label1_DD->Visible());
    EXPECT_EQ(Cw1Form->label1_DD->Caption(), " " + caption + " ");
    const QPoint target = Cw1Form->mapToGlobal(c.at);
    if (c.moveFirst) SendMouse(word, QEvent::MouseMove, target);
    SendMouse(word, QEvent::MouseButtonRelease, target);
    EXPECT_FALSE(DragManager::Dragging());
    EXPECT_FALSE(Cw1Form->label1_DD->Visible());
    EXPECT_EQ(Cw1Form->ItemDone[c.item - 1], c.accepted);
    EXPECT_EQ(FirstTry, !c.costsFirstTry);
    if (c.accepted) {
      EXPECT_EQ(played, QStringList{"ok"});
      EXPECT_EQ(Cw1Form->ImgDD[c.item - 1]->Left(), -500);
      EXPECT_EQ(Cw1Form->lbl_Opis[c.item - 1]->pos(), QPoint(398, 188 + 30 * (c.item - 1)));
      EXPECT_EQ(word->Left(), -400);
      EXPECT_EQ(RightAnswers, 1);
    } else {
      EXPECT_EQ(played, QStringList(c.at == QPoint(600, 447) ? QStringList() : QStringList{"no"}));
      EXPECT_EQ(word->Caption(), caption);  // the word is back on the panel
      EXPECT_EQ(word->Left(), 535);
      EXPECT_EQ(RightAnswers, 0);
    }
  }
}

TEST_F(Cw1Game, ADragThatLeavesTheScreenPutsTheWordBack) {
  ShowStage();
  Start("DDRO=", EightItemExercise());
  TLabel* word = LabelOf(1);
  SendMouse(word, QEvent::MouseButtonPress, word->mapToGlobal(QPoint(2, 2)));
  SendMouse(word, QEvent::MouseMove, word->mapToGlobal(QPoint(6, 3)));  // over the words: lifted off
  EXPECT_EQ(word->Caption(), " ");
  Cw1Form->CancelDrag();
  EXPECT_FALSE(DragManager::Dragging());
  EXPECT_EQ(word->Caption(), "sun");
  EXPECT_EQ(Cw1Form->label1_DD->Left(), -400);
  EXPECT_EQ(Cw1Form->DraggedLabel, nullptr);
}

TEST_F(Cw1Game, MatchingEveryWordFinishesOnceAndASingleWordNeedsNoShuffle) {
  Start("DDRO=", EightItemExercise());
  const int green = GreenCount;
  for (int j : {1, 2, 4, 5, 6, 7, 8}) {
    Cw1Form->DraggedLabel = LabelOf(j);
    Cw1Form->label1_DD->Show();
    Cw1Form->ImgDD_1DragDrop(j);
    EXPECT_EQ(Cw1Form->button1->Visible(), j == 8);
  }
  EXPECT_EQ(RightAnswers, 7);
  EXPECT_EQ(GreenCount, green + 2);

  TWordExercise single = EightItemExercise();
  single.ItemUsed.fill(0);
  single.ItemUsed[4] = 1;
  Start("DDRO=", single);
  EXPECT_EQ(Cw1Form->ActiveCount, 1);
  EXPECT_EQ(Cw1Form->LabelItems[0], 5);
  EXPECT_EQ(Cw1Form->Label[0]->Caption(), "apple");
}

// Five items of eight take part: each is asked once, "Następny przykład"
// stays (it goes only at ItemCount - 1 answers), and the fifth answer ends it.
TEST_F(Cw1Game, ListeningAsksEachUsedItemOnce) {
  TWordExercise ex = EightItemExercise();
  ex.ItemUsed = {1, 0, 1, 1, 0, 1, 0, 1};
  WriteWordSounds(ex);
  Start("WRYS=", ex);
  EXPECT_TRUE(Cw1Form->button5->Visible());
  EXPECT_FALSE(Cw1Form->button2->Visible());
  Cw1Form->Button5Click();
  EXPECT_TRUE(Cw1Form->Accepting);
  std::set<int> order(Cw1Form->ListenOrder.begin(), Cw1Form->ListenOrder.begin() + 5);
  EXPECT_EQ(order, (std::set<int>{1, 3, 4, 6, 8}));

  // A wrong cover and a press beside every hot spot both cost the first try.
  const int asked = Cw1Form->ListenOrder[0];
  EXPECT_EQ(PlayerFile(), QFileInfo(Words(ex.SoundNumbers[asked - 1])).absoluteFilePath());
  Cw1Form->ImgDD_1MouseDown(asked == 1 ? 3 : 1, TMouseButton::mbLeft);
  EXPECT_FALSE(FirstTry);
  FirstTry = true;
  Cw1Form->Image1MouseDown(TMouseButton::mbLeft, 0, 5, 300);
  EXPECT_FALSE(FirstTry);
  EXPECT_EQ(played, (QStringList{"no", "no"}));

  const int green = GreenCount;
  std::vector<int> asks;
  for (int n = 0; n < 5; ++n) {
    EXPECT_TRUE(Cw1Form->button4->Visible());
    const int item = Cw1Form->ListenOrder[Cw1Form->ListenPos - 1];
    asks.push_back(item);
    if (n % 2)  // by its cover or by its hot spot
      Cw1Form->ImgDD_1MouseDown(item, TMouseButton::mbLeft);
    else
      Cw1Form->Image1MouseDown(TMouseButton::mbLeft, 0, 35 + 60 * (item - 1), 70);
    EXPECT_TRUE(Cw1Form->ItemDone[item - 1]);
    EXPECT_EQ(Cw1Form->ImgDD[item - 1]->Left(), -500);
  }
  EXPECT_EQ(std::set<int>(asks.begin(), asks.end()), order);
  EXPECT_EQ(RightAnswers, 5);
  EXPECT_TRUE(Cw1Form->button1->Visible());
  EXPECT_FALSE(Cw1Form->button4->Visible());
  EXPECT_FALSE(Cw1Form->button2->Visible());
  EXPECT_EQ(GreenCount, green + 1);  // first try was lost above
}

TEST_F(Cw1Game, ListeningWithNothingUsedDoesNotStart) {
  TWordExercise ex = EightItemExercise();
  ex.ItemUsed.fill(0);
  Start("WRYS=", ex);
  Cw1Form->Button5Click();
  EXPECT_FALSE(Cw1Form->Accepting);
  EXPECT_TRUE(Cw1Form->button5->Visible());
  Cw1Form->Button4Click();
  Cw1Form->Button2Click();
  EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(Cw1Game, ReadingAloudSaysEveryItemAndHidesTheBubble) {
  TWordExercise ex = EightItemExercise();
  ex.ItemCount = 4;
  WriteWordSounds(ex, 60);
  Start("PREZ=", ex);
  QStringList heard;
  auto note = [&] {
    if (MainForm->MediaPlayer1->IsOpen() && (heard.isEmpty() || heard.last() != PlayerFile())) heard << PlayerFile();
  };
  Cw1Form->Btn_Prez_ShowClick();
  EXPECT_TRUE(Cw1Form->lbl_Tlumacz->Visible());
  EXPECT_EQ(Cw1Form->lbl_Tlumacz->Caption(), QString::fromUtf8(" słońce "));
  EXPECT_EQ(Cw1Form->lbl_Tlumacz->pos(), QPoint(398, 208));
  ASSERT_TRUE(WaitUntil([&] {
    note();
    return !ReadAloud;
  }));
  QStringList expected;
  for (int k = 0; k < 4; ++k) expected << QFileInfo(Words(ex.SoundNumbers[k])).absoluteFilePath();
  EXPECT_EQ(heard, expected);
  EXPECT_FALSE(Cw1Form->lbl_Tlumacz->Visible());
  EXPECT_EQ(Cw1Form->lbl_Tlumacz->Caption(), QString::fromUtf8("pies"));  // the last step's, without spaces
}

TEST_F(Cw1Game, AWordsNumberNamesItsFolderAndFile) {
  const struct {
    int number;
    const char* file;
  } cases[] = {{7, "D_01.cdr/00007.wav"},
               {199, "D_01.cdr/00199.wav"},
               {200, "D_02.cdr/00200.wav"},
               {1234, "D_07.cdr/01234.wav"},
               {2000, "D_11.cdr/02000.wav"}};
  TWordExercise ex = EightItemExercise();
  for (const auto& c : cases) WriteWave(inst.DataRoot() + "/words/" + c.file, MakeTone(20, 300));
  Start("PREZ=", ex);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    Cw1Form->WordExercise.SoundNumbers[0] = c.number;
    Cw1Form->lbl_Opis_1Click(1);
    EXPECT_EQ(PlayerFile(), QFileInfo(inst.DataRoot() + "/words/" + c.file).absoluteFilePath());
  }
  // A missing sound beeps and leaves the player as it was.
  Cw1Form->WordExercise.SoundNumbers[0] = 5;
  Cw1Form->lbl_Opis_1Click(1);
  EXPECT_TRUE(PlayerFile().endsWith("D_11.cdr/02000.wav"));
}

TEST_F(Cw1Game, TheHelpIconSaysTheInstructionOfTheEntrysKind) {
  for (const char* name : {"o1", "o1b", "o2", "o3", "o4"})
    WriteWave(inst.DataRoot() + "/music/" + name + ".wav", MakeTone(20, 300));
  ClearPathCache();
  const struct {
    const char* key;
    const char* file;
    const char* sound;
  } cases[] = {
      {"PREZ=", "\\culture\\1A.fc2", "o1"},   {"PREZ=", " \\LIBLARY\\Irr_Ver.fc2 ", "o1b"},
      {"PREZ=", "\\liblary\\pro2.fc2", "o1b"}, {"WRYS=", "\\culture\\1A.fc2", "o2"},
      {"DDRO=", "\\culture\\1A.fc2", "o3"},   {"ULIT=", "\\culture\\1A.fc2", "o4"},
      {"PKRZ=", "\\culture\\1A.fc2", ""},
  };
  ExerciseCount = 1;
  ExerciseIndex = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + c.file);
    MainForm->MediaPlayer1->Close();
    MainForm->MediaPlayer1->FileName.clear();
    ExerciseList[0] = {c.key, c.file};
    Cw1Form->Image2Click();
    const QString expected = *c.sound ? inst.DataRoot() + "/music/" + c.sound + ".wav" : QString();
    EXPECT_EQ(MainForm->MediaPlayer1->FileName.isEmpty() ? QString() : PlayerFile(),
              expected.isEmpty() ? QString() : QFileInfo(expected).absoluteFilePath());
  }
}

TEST_F(Cw1Game, KoniecAndTheArrowsLeaveTheScreen) {
  Save("b.fc2", EightItemExercise());
  Start("PREZ=", EightItemExercise(), "a.fc2");
  ExerciseList[1] = {"DDRO=", "\\test\\b.fc2"};
  ExerciseCount = 2;
  Cw1Form->Btn_Prez_ShowClick();
  Cw1Form->CW1_KWS_RightClick();
  EXPECT_EQ(ExerciseIndex, 2);
  EXPECT_EQ(ExerciseKind, 2);
  EXPECT_FALSE(ReadAloud);
  EXPECT_TRUE(Cw1Form->Visible());
  Cw1Form->CW1_KWS_LeftClick();
  EXPECT_EQ(ExerciseIndex, 1);
  EXPECT_EQ(ExerciseKind, 3);
  Cw1Form->Button3Click();
  EXPECT_FALSE(Cw1Form->Visible());
  EXPECT_TRUE(MainForm->Visible());
  EXPECT_EQ(ExerciseKind, 0);
  EXPECT_TRUE(messages.Messages.empty()) << messages.Texts().join('|').toStdString();
}

// ---------------------------------------------------------------- letter grid

TWordExercise GridWords(const QStringList& words) {
  TWordExercise ex;
  ex.ItemCount = static_cast<int>(words.size());
  for (int k = 0; k < ex.ItemCount; ++k) {
    ex.Words[k] = words[k];
    ex.WordPositions[k] = {40, 30 + 40 * k};
    ex.ItemUsed[k] = 1;
  }
  ex.PictureName = "\\test\\park.bmp";
  return ex;
}

TEST_F(Cw1Game, GapsFollowTheWordsLengthAndSkipPunctuation) {
  Start("PREZ=", GridWords({"ant"}));
  Cw1Form->WordExercise = GridWords({"cat", "dogs", "ice-cream", "I", "o'clock x", "a - - - -"});
  std::set<int> fourLetterCounts;
  for (int round = 0; round < 200; ++round) {
    RegenerateGaps = true;
    Cw1Form->BuildGaps();
    EXPECT_FALSE(RegenerateGaps);
    EXPECT_EQ(Cw1Form->GapCount[0], 1);
    EXPECT_EQ(Cw1Form->GapPositions[0][0], 1);
    EXPECT_EQ(Cw1Form->MaskedRow[0], "_at");
    fourLetterCounts.insert(Cw1Form->GapCount[1]);
    EXPECT_EQ(Cw1Form->GapCount[3], 0);
    EXPECT_EQ(Cw1Form->MaskedRow[3], "I");
    EXPECT_EQ(Cw1Form->GapCount[5], 1);  // three asked, one letter to hide
    for (int row : {2, 4}) {
      const QString& word = Cw1Form->WordExercise.Words[row];
      const int n = Cw1Form->GapCount[row];
      EXPECT_TRUE(n == word.size() / 3 || n == word.size() / 2);
      for (int g = 0; g < n; ++g) {
        const int p = Cw1Form->GapPositions[row][g];
        EXPECT_FALSE(QString(" -'.,").contains(word[p - 1])) << word.toStdString() << " gap at " << p;
        if (g > 0) {
          EXPECT_LT(Cw1Form->GapPositions[row][g - 1], p);
        }
        EXPECT_EQ(Cw1Form->MaskedRow[row][p - 1], u'_');
      }
    }
  }
  EXPECT_EQ(fourLetterCounts, (std::set<int>{1, 2}));
}

class LetterGrid : public Cw1Game {
 protected:
  void SetUp() override {
    Start("ULIT=", GridWords({"ant", "cat"}));
    ASSERT_EQ(ExerciseKind, 6);
  }
  void Type(const QString& text) {
    for (QChar c : text) SendKey(Cw1Form->Kraty_Edit, c.toUpper().unicode(), QString(c));
  }
  void Backspace() { SendKey(Cw1Form->Kraty_Edit, Qt::Key_Backspace, QString(QChar(8))); }
};

TEST_F(LetterGrid, RowsAreLaidOutAndTheFirstIsOpen) {
  for (int r = 0; r < 2; ++r) {
    EXPECT_TRUE(Cw1Form->Kraty[r]->Visible());
    EXPECT_EQ(Cw1Form->Kraty[r]->geometry(), QRect(58, 68 + 40 * r, 32, 21));
    EXPECT_EQ(Cw1Form->RowWidth[r], 30);
  }
  EXPECT_FALSE(Cw1Form->Kraty[2]->Visible());
  EXPECT_EQ(Cw1Form->CurrentRow, 1);
  EXPECT_TRUE(Cw1Form->Kraty_Edit->Visible());
  EXPECT_EQ(Cw1Form->Kraty_Edit->pos(), QPoint(58, 68));
}

TEST_F(LetterGrid, TypingIsCaseSensitiveAndAWrongRowOpensAgain) {
  const QImage before = Cw1Form->Kraty[0]->Picture();
  Backspace();  // on the first gap: nothing
  Type("1ą");   // not ASCII letters: swallowed
  EXPECT_EQ(Cw1Form->GapIndex, 1);
  EXPECT_EQ(Cw1Form->TypedRow[0], "_nt");
  EXPECT_EQ(Cw1Form->Kraty[0]->Picture(), before);
  EXPECT_TRUE(played.isEmpty());

  Type("A");
  EXPECT_EQ(played, QStringList{"no"});
  EXPECT_FALSE(FirstTry);
  EXPECT_FALSE(Cw1Form->RowSolved[0]);
  EXPECT_EQ(Cw1Form->CurrentRow, 1);
  EXPECT_EQ(Cw1Form->GapIndex, 1);
  EXPECT_EQ(Cw1Form->TypedRow[0], "_nt");
  EXPECT_TRUE(Cw1Form->Kraty_Edit->Visible());
  EXPECT_EQ(Cw1Form->Kraty[0]->Picture(), before);  // the gap shows "_" again

  Type("a");
  EXPECT_TRUE(Cw1Form->RowSolved[0]);
  EXPECT_EQ(Cw1Form->Kraty[0]->Cursor(), TCursor::crArrow);
  EXPECT_EQ(Cw1Form->CurrentRow, 2);  // the next row opens
  EXPECT_EQ(played, (QStringList{"no", "ok"}));
  Cw1Form->Kraty1Click(1);  // a solved row does not open again
  EXPECT_EQ(Cw1Form->CurrentRow, 2);

  const int green = GreenCount;
  Type("c");
  EXPECT_EQ(Cw1Form->SolvedRows, 2);
  EXPECT_TRUE(Cw1Form->button1->Visible());
  EXPECT_FALSE(Cw1Form->Kraty_Edit->Visible());
  EXPECT_EQ(GreenCount, green + 1);
}

TEST_F(LetterGrid, BackspaceTakesBackTheLastLetter) {
  Start("ULIT=", GridWords({"banana"}));
  ASSERT_GE(Cw1Form->GapCount[0], 2);
  const int first = Cw1Form->GapPositions[0][0];
  const int second = Cw1Form->GapPositions[0][1];
  Type(QString(Cw1Form->WordExercise.Words[0][first - 1]));
  EXPECT_EQ(Cw1Form->GapIndex, 2);
  EXPECT_EQ(Cw1Form->Kraty_Edit->Left(), 58 + (second - 1) * 10 + 1);
  Backspace();
  EXPECT_EQ(Cw1Form->GapIndex, 1);
  EXPECT_EQ(Cw1Form->TypedRow[0], Cw1Form->MaskedRow[0]);
  EXPECT_EQ(Cw1Form->Kraty_Edit->Left(), 58 + (first - 1) * 10 + 1);
  for (int g = 0; g < Cw1Form->GapCount[0]; ++g)
    Type(QString(Cw1Form->WordExercise.Words[0][Cw1Form->GapPositions[0][g] - 1]));
  EXPECT_TRUE(Cw1Form->RowSolved[0]);
  EXPECT_TRUE(FirstTry);
}

TEST_F(LetterGrid, ARowWithNothingHiddenIsSolvedWhenOpened) {
  Start("ULIT=", GridWords({"I", "ant"}));
  EXPECT_TRUE(Cw1Form->ItemDone[0]);
  EXPECT_EQ(Cw1Form->CurrentRow, 2);
  Type("a");
  EXPECT_TRUE(Cw1Form->button1->Visible());
}

}  // namespace
