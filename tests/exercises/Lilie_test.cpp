// The lily-pad exercise on a small installation: real word-pair files, the
// real dispatch, the shared player on SDL's dummy driver.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <set>

#include "app/Globals.h"
#include "app/Sound.h"
#include "controls/Animate.h"
#include "exercises/FrmLilie.h"
#include "exercises/WordPairFile.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "support/WordPairSupport.h"
#include "world/DispatchFixture.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"

namespace {

// ---- the word-pair file ----

TEST(WordPairFile, LinesSplitAtTheirFirstEqualsSign) {
  const QByteArray bytes =
      QByteArray("cat=kot\r\n\r\n  \t \r\n a dog = pies \nno sign\r\n=\r\na=b=c\rx=");
  const std::vector<TWordPair> expected = {{"cat", "kot"}, {" a dog ", " pies "}, {"", "no sign"},
                                           {"", ""},       {"a", "b=c"},          {"x", ""}};
  const TWordPairs read = ReadWordPairs(bytes);
  EXPECT_EQ(read.Pairs, expected);
  EXPECT_EQ(read.PairsLeftOut, 0);
  EXPECT_EQ(ReadWordPairs(WriteWordPairs(read)), read);
  // Windows-1250 text.
  EXPECT_EQ(ReadWordPairs(QByteArray("\xbf\xf3\xb3w=turtle")).Pairs[0].Left,
            QString::fromUtf8("żółw"));
}

TEST(WordPairFile, PairsPastNinetyNineAreCountedAndLeftOut) {
  QByteArray bytes;
  for (int n = 1; n <= 103; ++n)
    bytes += QStringLiteral("w%1=s%1\r\n%2").arg(n).arg(n == 50 ? "\r\n" : "").toLatin1();
  const TWordPairs read = ReadWordPairs(bytes);
  ASSERT_EQ(read.Pairs.size(), 99u);
  EXPECT_EQ(read.Pairs[98].Left, "w99");
  EXPECT_EQ(read.PairsLeftOut, 4);
  EXPECT_EQ(read.FirstLeftOutLine, 101);  // one blank line after pair 50
}

TEST(WordPairFile, TheWriterRefusesWhatWouldNotReadBack) {
  const std::vector<TWordPair> refused = {{"a=b", "c"},
                                          {"line\nbreak", "x"},
                                          {"x", "cr\r"},
                                          {QString(201, u'a'), "x"},
                                          {"x", QString::fromUtf8("€ok ✓")}};
  for (const TWordPair& p : refused) {
    SCOPED_TRACE(p.Left.toStdString() + "|" + p.Right.toStdString());
    EXPECT_THROW(WriteWordPairs(TWordPairs{{p}}), EFormatError);
  }
  EXPECT_THROW(WriteWordPairs(SampleWordPairs(100)), EFormatError);
  EXPECT_NO_THROW(WriteWordPairs(SampleWordPairs(99)));
}

// ---- the screen ----

class LilyPads : public DispatchGame {
 protected:
  LilyPads() {
    for (const char* name : {"1013", "1014", "1012", "1003", "o6"})
      WriteWave(inst.DataRoot() + "/music/" + name + ".wav", MakeTone(30, 600));
    OnWaveStarted = [this](const QString& path) {
      played << QFileInfo(NormalizeSeparators(path)).completeBaseName();
    };
  }
  ~LilyPads() override { OnWaveStarted = {}; }

  // Saves the pairs as cwicz\test\<name> and starts them as the list's only entry.
  void Start(int pairs, const QString& name = "pary.txt") {
    WriteSampleWordPairs(inst.ProgramDir() + "/cwicz/test/" + name, pairs);
    ExerciseList[0] = {"LILI=", "\\test\\" + name};
    ExerciseCount = 1;
    ExerciseIndex = 1;
    StartExercise();
    played.clear();
  }
  // The pad that holds the other half of `pad`'s pair.
  TImage* PartnerOf(const TImage* pad) const {
    for (TImage* p : LilieForm->PadTable)
      if (p != pad && p->Tag != 0 && p->Tag % 100 == pad->Tag % 100) return p;
    return nullptr;
  }
  // A pad in play that is not `pad`'s partner (nor `pad`).
  TImage* StrangerTo(const TImage* pad) const {
    for (TImage* p : LilieForm->PadTable)
      if (p != pad && p->Tag != 0 && p->Tag % 100 != pad->Tag % 100) return p;
    return nullptr;
  }
  TImage* AnyPadInPlay() const {
    for (TImage* p : LilieForm->PadTable)
      if (p->Tag != 0) return p;
    return nullptr;
  }
  static bool Shows(const TImage* pad, const TImage* mem) {
    return pad->Picture() == mem->Picture();
  }
};

TEST_F(LilyPads, EveryLoadDealsSixPairsOnShuffledSpots) {
  Start(8);
  EXPECT_TRUE(LilieForm->Visible());
  EXPECT_EQ(ExerciseKind, 12);
  EXPECT_EQ(LilieForm->PairCount, 8);
  std::vector<QPoint> firstLayout;
  int movedLoads = 0;
  for (int load = 0; load < 4; ++load) {
    SCOPED_TRACE(load);
    if (load > 0) StartExercise();
    std::set<int> chosen(LilieForm->ChosenPairs.begin(), LilieForm->ChosenPairs.end());
    EXPECT_EQ(chosen.size(), 6u);
    EXPECT_GE(*chosen.begin(), 1);
    EXPECT_LE(*chosen.rbegin(), 8);
    std::vector<QPoint> spots;
    for (int j = 0; j < 6; ++j) {
      const TImage* left = LilieForm->PadTable[2 * j];
      const TImage* right = LilieForm->PadTable[2 * j + 1];
      EXPECT_EQ(left->Tag, LilieForm->ChosenPairs[j]);
      EXPECT_EQ(right->Tag, LilieForm->ChosenPairs[j] + 100);
      EXPECT_EQ(LilieForm->PadText(left), QStringLiteral("word%1").arg(left->Tag));
      EXPECT_EQ(LilieForm->PadText(right), QStringLiteral("słowo%1").arg(left->Tag));
    }
    for (const TImage* pad : LilieForm->PadTable) {
      EXPECT_TRUE(pad->Visible());
      EXPECT_TRUE(Shows(pad, LilieForm->Mem_0));
      EXPECT_EQ(pad->Cursor(), TCursor::crHelp);
      spots.push_back(pad->pos());
    }
    EXPECT_TRUE(std::is_permutation(spots.begin(), spots.end(), LilieForm->PadSpots.begin()));
    if (load == 0) firstLayout = spots;
    movedLoads += spots != firstLayout;
  }
  EXPECT_GT(movedLoads, 0);  // of 12! layouts, the same four times cannot happen by chance
}

TEST_F(LilyPads, FewerThanSixPairsAreRefusedNamingTheFile) {
  Start(6);
  const int firstTag = LilieForm->PadTable[0]->Tag;
  WriteSampleWordPairs(inst.ProgramDir() + "/cwicz/test/five.txt", 5);
  try {
    LilieForm->LoadLilyPads(ProgramDir + "\\cwicz\\test\\five.txt");
    FAIL() << "five pairs were dealt";
  } catch (const EFormatError& e) {
    EXPECT_TRUE(e.Message.contains("five.txt")) << e.Message.toStdString();
    EXPECT_TRUE(e.Message.contains("5 par")) << e.Message.toStdString();
  }
  EXPECT_EQ(LilieForm->PairCount, 6);
  EXPECT_EQ(LilieForm->PadTable[0]->Tag, firstTag);
}

TEST_F(LilyPads, AnOpenPadAndMatchedPadsTakeNoClicks) {
  Start(6);
  TImage* first = AnyPadInPlay();
  TImage* partner = PartnerOf(first);
  LilieForm->Image2Click(first);
  EXPECT_EQ(LilieForm->FirstPad, first);
  EXPECT_TRUE(LilieForm->Label1->Visible());
  EXPECT_EQ(LilieForm->Label1->Caption(), LilieForm->PadText(first));
  EXPECT_EQ(LilieForm->Label1->pos(), first->pos() - QPoint(20, 20));
  EXPECT_FALSE(LilieForm->Timer1.Enabled());
  EXPECT_EQ(played, QStringList{"OK"});

  LilieForm->Image2Click(first);  // again: nothing
  EXPECT_EQ(LilieForm->SecondPad, nullptr);
  EXPECT_EQ(played, QStringList{"OK"});

  LilieForm->Image2Click(partner);
  EXPECT_EQ(first->Tag, 0);
  EXPECT_EQ(partner->Tag, 0);
  EXPECT_EQ(first->Cursor(), TCursor::crArrow);
  EXPECT_TRUE(Shows(first, LilieForm->Mem_2));
  EXPECT_TRUE(Shows(partner, LilieForm->Mem_2));
  EXPECT_EQ(played, (QStringList{"OK", "OK", "1014"}));
  EXPECT_TRUE(LilieForm->Timer1.Enabled());
  EXPECT_TRUE(LilieForm->Timer2.Enabled());

  played.clear();
  for (TImage* matched : {first, partner}) LilieForm->Image2Click(matched);
  EXPECT_TRUE(played.isEmpty());
  EXPECT_EQ(LilieForm->FirstPad, nullptr);
  EXPECT_EQ(LilieForm->PairsFound, 1);
}

// A click that arrives while a miss is being shown waits for the pads to
// close, then turns its pad as the first of a new attempt.
TEST_F(LilyPads, AClickDuringTheClosingAnimationStartsTheNextAttempt) {
  Start(6);
  TImage* first = AnyPadInPlay();
  TImage* wrong = StrangerTo(first);
  TImage* third = nullptr;
  for (TImage* p : LilieForm->PadTable)
    if (p != first && p != wrong && p->Tag != 0) third = p;
  LilieForm->Image2Click(first);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
    QApplication::postEvent(
        third,
        new QMouseEvent(type, QPointF(30, 30), third->mapToGlobal(QPointF(30, 30)), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                        Qt::NoModifier));
  LilieForm->Image2Click(wrong);
  EXPECT_TRUE(Shows(first, LilieForm->Mem_0));
  EXPECT_TRUE(Shows(wrong, LilieForm->Mem_0));
  EXPECT_NE(first->Tag, 0);
  EXPECT_EQ(played.last(), "1013");
  EXPECT_EQ(LilieForm->FirstPad, nullptr);

  PumpEvents();
  EXPECT_EQ(LilieForm->FirstPad, third);
  EXPECT_TRUE(Shows(third, LilieForm->Mem_2));
}

TEST_F(LilyPads, TheSixthMatchPraisesRecordsOnceAndOffersANewGame) {
  Start(7, "farm_pary.txt");
  const int red = RedCount, green = GreenCount;
  // One miss on the way: the screen never touches FirstTry.
  TImage* first = AnyPadInPlay();
  LilieForm->Image2Click(first);
  LilieForm->Image2Click(StrangerTo(first));
  for (int pair = 1; pair <= 6; ++pair) {
    SCOPED_TRACE(pair);
    EXPECT_FALSE(LilieForm->button1->Visible());
    played.clear();
    TImage* pad = AnyPadInPlay();
    LilieForm->Image2Click(pad);
    LilieForm->Image2Click(PartnerOf(pad));
    EXPECT_EQ(LilieForm->PairsFound, pair);
  }
  ASSERT_EQ(played.size(), 4);
  EXPECT_EQ(played.mid(0, 3), (QStringList{"OK", "OK", "1014"}));
  EXPECT_TRUE(played[3].startsWith("Ok_")) << played[3].toStdString();
  EXPECT_TRUE(LilieForm->button1->Visible());
  EXPECT_EQ(LilieForm->button1->Hint(), QString::fromUtf8("Rozpocznij"));
  EXPECT_TRUE(FirstTry);
  EXPECT_EQ(RedCount, red + 1);
  EXPECT_EQ(GreenCount, green + 2);
  EXPECT_EQ(LilieForm->lbl_Green->Caption(), QString::number(green + 2));
  EXPECT_TRUE(LilieForm->Timer1.Enabled());  // the animals come back

  LilieForm->Button1Click();
  EXPECT_TRUE(LilieForm->Visible());
  EXPECT_FALSE(LilieForm->button1->Visible());
  EXPECT_EQ(LilieForm->PairsFound, 0);
  for (const TImage* pad : LilieForm->PadTable) {
    EXPECT_NE(pad->Tag, 0);
    EXPECT_TRUE(Shows(pad, LilieForm->Mem_0));
  }
}

TEST_F(LilyPads, TheInstructionQuietensTheAnimalsForTenSeconds) {
  Start(6);
  LilieForm->BmpTransparent1Click();
  EXPECT_EQ(played, QStringList{"o6"});
  EXPECT_FALSE(LilieForm->Timer1.Enabled());
  EXPECT_FALSE(LilieForm->Timer2.Enabled());
  EXPECT_TRUE(LilieForm->Timer3.Enabled());
  EXPECT_EQ(LilieForm->Timer3.Interval(), 10000);
  LilieForm->Timer3Timer();
  EXPECT_TRUE(LilieForm->Timer1.Enabled());
  EXPECT_TRUE(LilieForm->Timer2.Enabled());
  EXPECT_FALSE(LilieForm->Timer3.Enabled());

  // The frog croaks; the eyes come silently. Either way the reeds play once.
  std::set<QString> heard;
  for (int tick = 0; tick < 40; ++tick) {
    played.clear();
    LilieForm->Timer1Timer();
    heard.insert(played.isEmpty() ? QString("eyes") : played[0]);
    EXPECT_TRUE(LilieForm->Animated2->Play());
    EXPECT_GE(LilieForm->Timer1.Interval(), 5000);
    EXPECT_LE(LilieForm->Timer1.Interval(), 14000);
  }
  EXPECT_EQ(heard, (std::set<QString>{"1003", "eyes"}));
}

TEST_F(LilyPads, ABrokenNextEntryKeepsThePondAndKoniecStopsIt) {
  WriteSampleWordPairs(inst.ProgramDir() + "/cwicz/test/a.txt", 6);
  WriteSampleWordPairs(inst.ProgramDir() + "/cwicz/test/b.txt", 4);
  ExerciseList[0] = {"LILI=", "\\test\\a.txt"};
  ExerciseList[1] = {"LILI=", "\\test\\b.txt"};
  ExerciseCount = 2;
  ExerciseIndex = 1;
  StartExercise();
  ASSERT_TRUE(LilieForm->Visible());
  EXPECT_FALSE(LilieForm->CW1_KWS_left->Visible());
  EXPECT_TRUE(LilieForm->cw1_kws_right->Visible());

  // The pond stays as it was, its animals still running.
  EXPECT_THROW(LilieForm->CW1_KWS_RightClick(), EFormatError);
  EXPECT_TRUE(LilieForm->Visible());
  EXPECT_TRUE(LilieForm->Timer1.Enabled());
  EXPECT_FALSE(MainForm->Visible());
  EXPECT_EQ(ExerciseIndex, 1);

  LilieForm->Btn_WrocClick();
  EXPECT_FALSE(LilieForm->Visible());
  EXPECT_FALSE(LilieForm->Timer2.Enabled());
  EXPECT_TRUE(MainForm->Visible());
}

}  // namespace
