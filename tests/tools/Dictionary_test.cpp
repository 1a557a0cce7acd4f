// The dictionary and its search on a signed-in player's installation: a
// word list of 1064 entries, real clicks and keys, the real recorder on
// SDL's dummy driver and the dictionary's own player.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <functional>

#include "controls/TransparentButton.h"
#include "menu/FrmInformacja.h"
#include "menu/FrmMenuStart.h"
#include "menu/MenuTestSupport.h"
#include "platform/MediaPlayer.h"
#include "platform/Paths.h"
#include "tools/FrmFind.h"
#include "tools/FrmSlownik.h"
#include "tools/WordList.h"

namespace {

constexpr int kEntries = 1064;

// Entry i reads "x0007y" / "p0007q", except a few words to look for.
std::vector<TWordEntry> SampleWords() {
  std::vector<TWordEntry> words;
  for (int i = 1; i <= kEntries; ++i)
    words.push_back({i, QStringLiteral("x%1y").arg(i, 4, 10, QChar('0')),
                     QStringLiteral("p%1q").arg(i, 4, 10, QChar('0'))});
  words[0] = {1, "a cat", "kot"};
  words[1] = {2, "The Catalogue", "żaba"};
  words[1059] = {1060, "wildcat", "żółw"};
  return words;
}

// A key typed into one control of a screen.
void TypeKey(QWidget* w, int qtKey, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, text);
  QApplication::sendEvent(w, &release);
}

class Dictionary : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFileAtomic(inst.ProgramDir() + "/Sb_all_NEW.txt", WriteWordList(SampleWords()));
    game = std::make_unique<GameScreens>(inst.ProgramDir());
    d = SlownikForm;
    ASSERT_EQ(d->EntryCount(), kEntries);
  }
  void TearDown() override {
    if (d->Visible()) d->Close();
    game.reset();
    Application()->ClearTerminated();
  }
  // Never leaves a test waiting on a screen that stays open.
  static void CloseModalsLater() {
    QTimer::singleShot(5000, [] {
      for (TForm* f : {static_cast<TForm*>(InformacjaForm), static_cast<TForm*>(FindForm),
                       static_cast<TForm*>(SlownikForm)})
        if (f && f->Visible()) f->Close();
    });
  }
  void Open() {
    d->FoundEntry = 0;
    d->Show();
  }
  void Find(const QString& text, int column = 1) {
    FindForm->Edit1->SetText(text);
    FindForm->SearchColumn = column;
    FindForm->FindWord(1);
  }
  QString Word(int number) const {
    return inst.DataRoot() + QStringLiteral("/words/D_%1.cdr/%2.wav")
                                 .arg(number / 200 + 1, 2, 10, QChar('0'))
                                 .arg(number, 5, 10, QChar('0'));
  }
  int RedRow() const {
    for (int k = 1; k <= WordsPerPage; ++k)
      if (d->Ang[k - 1]->Font().Color == FoundEntryColor) return k;
    return 0;
  }
  // Processes events until `done` holds (or a generous limit passes).
  static bool Until(const std::function<bool()>& done, int limitMs = 8000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < limitMs) PumpEvents(10);
    return done();
  }
  bool IdleRecording() const {
    return d->btn_nagrajsie->Visible() && d->btn_lektor->Visible() &&
           !d->btn_skoncznagranie->Visible() && !d->btn_grajnagranie->Visible() &&
           !d->btn_porownaj->Visible();
  }

  TempInstallation inst;
  MessageRecorder boxes;
  std::unique_ptr<GameScreens> game;
  TSlownikForm* d = nullptr;
};

TEST_F(Dictionary, PagingReachesTheLastPageByTheRealCountAndClearsTheHit) {
  Open();
  EXPECT_EQ(d->Ang[0]->Caption(), "cat");
  EXPECT_EQ(d->Ang[1]->Caption(), "The Catalogue");
  EXPECT_FALSE(d->tb_UP->Visible());
  EXPECT_TRUE(d->tb_dn->Visible());

  Find("x1037y");
  ASSERT_EQ(d->PageTop, 1037);
  EXPECT_EQ(RedRow(), 1);
  EXPECT_TRUE(d->szuk_dalej->Visible());
  Click(d->tb_dn);
  EXPECT_EQ(d->PageTop, 1051);
  EXPECT_EQ(d->Ang[13]->Caption(), "x1064y");
  EXPECT_FALSE(d->tb_dn->Visible());
  EXPECT_TRUE(d->tb_UP->Visible());
  EXPECT_EQ(RedRow(), 0);
  EXPECT_FALSE(d->szuk_dalej->Visible());

  Find("x0005y");
  TypeKey(d, Qt::Key_PageUp);
  EXPECT_EQ(d->PageTop, 1);
  EXPECT_EQ(d->PageStart, 1);
  EXPECT_FALSE(d->tb_UP->Visible());
  EXPECT_TRUE(d->tb_dn->Visible());
  TypeKey(d, Qt::Key_Up);  // no page above: nothing
  EXPECT_EQ(d->PageTop, 1);
  TypeKey(d, Qt::Key_Down);
  EXPECT_EQ(d->PageTop, 15);

  // A list that fits one page offers no next page.
  d->Entries.resize(WordsPerPage);
  d->Close();
  Open();
  EXPECT_FALSE(d->tb_dn->Visible());
}

TEST_F(Dictionary, SearchIsCaseBlindForAToZOnlyAndAHitStartsItsPageInEitherColumn) {
  Open();
  Find("CAT");
  EXPECT_EQ(d->FoundEntry, 1);
  EXPECT_FALSE(d->tb_UP->Visible()) << "a hit on entry 1";
  EXPECT_EQ(d->SelectedEntry(), 1);
  d->szuk_dalejClick();
  EXPECT_EQ(d->FoundEntry, 2);
  EXPECT_EQ(d->SelectedEntry(), 2);

  Find("ŻABA", 2);
  EXPECT_EQ(d->FoundEntry, 2) << "Polish capitals keep their case";
  EXPECT_TRUE(InformacjaForm->Visible());
  EXPECT_EQ(InformacjaForm->Label1->Caption(), NotFoundText);
  EXPECT_FALSE(d->szuk_dalej->Visible());
  InformacjaForm->Close();
  Find("żaBA", 2);
  EXPECT_EQ(d->FoundEntry, 2);

  // Hits among the last fourteen entries start their page in both columns.
  for (int column : {1, 2}) {
    SCOPED_TRACE(column);
    Find(column == 1 ? "wildcat" : "żółw", column);
    EXPECT_EQ(d->PageTop, 1060);
    EXPECT_EQ(RedRow(), 1);
    EXPECT_EQ(d->Ang[0]->Caption(), "wildcat");
    EXPECT_FALSE(d->tb_dn->Visible());
    EXPECT_TRUE(d->tb_UP->Visible());
  }
}

TEST_F(Dictionary, SearchOnAfterTheLastHitSaysSoAndNeverWraps) {
  Open();
  Find("cat");
  d->szuk_dalejClick();
  d->szuk_dalejClick();
  ASSERT_EQ(d->FoundEntry, 1060);
  d->szuk_dalejClick();
  EXPECT_EQ(d->FoundEntry, 1060);
  EXPECT_EQ(d->PageTop, 1060);
  EXPECT_FALSE(d->szuk_dalej->Visible());
  EXPECT_TRUE(InformacjaForm->Visible());
  EXPECT_EQ(InformacjaForm->Label1->Caption(), NotFoundText);
}

TEST_F(Dictionary, TheSearchDialogKeepsItsColumnButNotItsText) {
  Open();
  bool sawEmpty = false;
  QTimer::singleShot(0, [&] {
    sawEmpty = FindForm->Edit1->Text().isEmpty();
    Click(FindForm->Label6);  // Polish
    FindForm->Edit1->SetText("ŻÓŁW");
    TypeKey(FindForm->Edit1, Qt::Key_Return, "\r");  // a miss: the message over the dialog
  });
  QTimer::singleShot(50, [] { TypeKey(InformacjaForm, Qt::Key_Escape); });
  QTimer::singleShot(100, [] {
    EXPECT_TRUE(FindForm->Visible()) << "a miss leaves the dialog open";
    FindForm->Edit1->SetText("żółw");
    TypeKey(FindForm->Edit1, Qt::Key_Return, "\r");
  });
  CloseModalsLater();
  Click(d->label2);
  EXPECT_TRUE(sawEmpty);
  EXPECT_EQ(d->FoundEntry, 1060);
  EXPECT_FALSE(FindForm->Visible());

  QString text;
  QTimer::singleShot(0, [&] {
    text = FindForm->Edit1->Text();
    TypeKey(FindForm, Qt::Key_Escape);
  });
  CloseModalsLater();
  Click(d->label2);
  EXPECT_EQ(text, QString());
  EXPECT_EQ(FindForm->SearchColumn, 2);
  EXPECT_EQ(FindForm->Label5->Caption(), "*");
  EXPECT_EQ(FindForm->Label4->Caption(), " ");
}

TEST_F(Dictionary, CompareEndsWithTheReadersWordOfTheChosenRow) {
  WriteWave(Word(3), MakeTone(60, 600));
  Open();
  Click(d->Ang[2]);  // entry 3: selected and spoken
  EXPECT_EQ(d->SelectedEntry(), 3);
  EXPECT_TRUE(d->Ang[2]->autoFillBackground());
  EXPECT_FALSE(d->Ang[0]->autoFillBackground());
  EXPECT_TRUE(d->MediaPlayer1->FileName.endsWith("D_01.cdr\\00003.wav"))
      << d->MediaPlayer1->FileName.toStdString();

  Click(d->btn_nagrajsie);
  ASSERT_TRUE(d->RecorderOpen) << boxes.Texts().join('|').toStdString();
  EXPECT_TRUE(d->btn_skoncznagranie->Visible());
  EXPECT_FALSE(d->btn_nagrajsie->Visible());
  EXPECT_TRUE(d->Timer1.Running());
  EXPECT_EQ(d->Timer1.Interval(), 10000);
  PumpEvents(200);
  Click(d->btn_skoncznagranie);
  const QString take = d->RecordingPath();
  ASSERT_TRUE(QFileInfo::exists(inst.ProgramDir() + "/tmp1.Wav"));
  EXPECT_FALSE(d->RecorderOpen);
  EXPECT_FALSE(d->Timer1.Enabled());
  EXPECT_TRUE(d->btn_grajnagranie->Visible() && d->btn_porownaj->Visible() &&
              d->btn_nagrajsie->Visible());

  Click(d->btn_porownaj);
  EXPECT_EQ(ResolvePath(d->MediaPlayer1->FileName), ResolvePath(take));
  EXPECT_TRUE(Until([&] { return d->MediaPlayer1->FileName.endsWith("00003.wav"); }));
  EXPECT_FALSE(d->ComparePending);
  EXPECT_EQ(d->MediaPlayer1->Mode(), mpPlaying);
}

TEST_F(Dictionary, ATakeStopsItselfAndReopeningStartsIdleOnPageOne) {
  Open();
  Click(d->btn_nagrajsie);
  ASSERT_TRUE(d->RecorderOpen);
  d->Timer1.SetInterval(100);  // the ten seconds, shortened
  EXPECT_TRUE(Until([&] { return !d->RecorderOpen; }));
  EXPECT_TRUE(FileExists(d->RecordingPath()));
  EXPECT_TRUE(d->btn_grajnagranie->Visible());
  EXPECT_FALSE(d->btn_skoncznagranie->Visible());

  Click(d->tb_dn);
  Click(d->Ang[4]);
  d->Close();
  Open();
  EXPECT_EQ(d->PageTop, 1);
  EXPECT_EQ(d->Ang[0]->Caption(), "cat");
  EXPECT_EQ(d->SelectedEntry(), 1);
  EXPECT_TRUE(IdleRecording());
}

// What was read before a problem stays: a list past its room keeps its room's
// worth, a bad line keeps the entries above it; the box names file and line.
TEST_F(Dictionary, AListIsKeptUpToItsRoomOrItsFirstBadLine) {
  std::vector<TWordEntry> longList = SampleWords();
  longList.resize(MaxWordEntries + 3, TWordEntry{9, "extra", "dodatek"});
  QByteArray badLine = WriteWordList(SampleWords());
  badLine.insert(badLine.indexOf("\r\n", badLine.indexOf("\r\n") + 1) + 2,
                 "  0x003    dog = pies=\r\n");
  const struct {
    const char* Name;
    QByteArray Bytes;
    int Entries;
    TMessageKind Kind;
    const char* Where;
  } cases[] = {
      {"past the room", WriteWordList(longList), MaxWordEntries, TMessageKind::Warning,
       "Sb_all_NEW.txt:1201"},
      {"bad sound number", badLine, 2, TMessageKind::Error, "Sb_all_NEW.txt:3:"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    boxes.Messages.clear();
    WriteFileAtomic(inst.ProgramDir() + "/Sb_all_NEW.txt", c.Bytes);
    Guarded([this] { d->LoadWordList(ProgramDir + "\\Sb_all_NEW.txt"); });
    EXPECT_EQ(d->EntryCount(), c.Entries);
    EXPECT_EQ(d->Entry(2).English, "The Catalogue");
    ASSERT_EQ(boxes.Messages.size(), 1u);
    EXPECT_EQ(boxes.Messages[0].Kind, c.Kind);
    EXPECT_TRUE(boxes.Messages[0].Text.contains(c.Where)) << boxes.Messages[0].Text.toStdString();
  }
}

TEST_F(Dictionary, TheMenuOpensItModallyAndKoniecGoesBack) {
  WriteMenuMedia(inst.Install());
  d->FoundEntry = 7;
  bool shown = false;
  QTimer::singleShot(0, [&] {
    shown = d->Visible() && d->Modal() && d->FoundEntry == 0 && !MenuStart->Timer1.Enabled();
    Click(d->label3);
  });
  CloseModalsLater();
  MenuStart->Show();
  MenuStart->lbl_DictionaryClick();
  EXPECT_TRUE(shown);
  EXPECT_FALSE(d->Visible());
  EXPECT_TRUE(MenuStart->Timer1.Enabled());
  EXPECT_EQ(MenuStart->Timer1.Interval(), 2000);
  EXPECT_EQ(MenuIdleStep, 0);
  EXPECT_TRUE(boxes.Messages.empty()) << boxes.Texts().join('|').toStdString();
}

}  // namespace
