// The songs screen on a small installation: real song text files, real wave
// files played by the screen's own player on SDL's dummy driver.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <memory>

#include "app/Globals.h"
#include "controls/BmpTransparent.h"
#include "exercises/FrmCw6.h"
#include "exercises/SongFile.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/Application.h"
#include "platform/Errors.h"
#include "platform/MediaPlayer.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/Support.h"

namespace {

TSongLine Line(std::initializer_list<std::pair<int, const char*>> words) {
  TSongLine line;
  for (const auto& [ms, word] : words) {
    line.Times.push_back(ms);
    line.Words << QString::fromUtf8(word);
  }
  return line;
}

TEST(SongFile, ReadsCountsDurationsAndWordsAndWritesThemBack) {
  const QByteArray bytes = TextBytes({"Ile linii: 3", "2=100=One=150=two=", "0=", "1=250=żółw"});
  const TSong song = ReadSong(bytes, "song_1.txt");
  ASSERT_EQ(song.Lines.size(), 3u);
  EXPECT_EQ(song.Lines[0].Words, QStringList({"One", "two"}));
  EXPECT_EQ(song.Lines[0].Text(), "One two ");
  EXPECT_EQ(song.Lines[1].Text(), "");
  // A last word without its "=" reads as empty; its duration still counts.
  EXPECT_EQ(song.Lines[2].Words, QStringList({""}));
  EXPECT_EQ(song.LineEnds(), (std::vector<int>{250, 250, 500}));
  EXPECT_EQ(ReadSong(WriteSong(song), "again"), song);
}

TEST(SongFile, BadFilesNameTheFileAndLine) {
  struct Case {
    const char* name;
    QStringList lines;
    const char* expect;
  };
  const Case cases[] = {
      {"count not a number", {"Ile linii: x"}, "song_2.txt:1"},
      {"more than 100 lines", {"Ile linii: 101"}, "song_2.txt:1"},
      {"fewer lines than announced", {"Ile linii: 2", "1=10=a="}, "song_2.txt:3"},
      {"more than 20 words", {"Ile linii: 1", "21=10=a="}, "song_2.txt:2"},
      {"duration not a number", {"Ile linii: 1", "1=ten=a="}, "song_2.txt:2"},
      {"negative duration", {"Ile linii: 1", "1=-5=a="}, "song_2.txt:2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      ReadSong(TextBytes(c.lines), "song_2.txt");
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_TRUE(e.Message.startsWith(c.expect)) << e.Message.toStdString();
    }
  }
  // Nothing is ever written that could not be read back into the tables.
  TSong tooLong;
  tooLong.Lines.resize(MaxSongLines + 1);
  EXPECT_THROW(WriteSong(tooLong), EFormatError);
  TSong wide;
  wide.Lines.push_back(Line({{10, "a=b"}}));
  EXPECT_THROW(WriteSong(wide), EFormatError);
}

class Cw6 : public ::testing::Test {
 protected:
  Cw6() {
    WriteSolidBmp(inst.ProgramDir() + "/gfx/t_Song2.bmp", 640, 480, QColor(250, 220, 150));
    WriteWave(inst.DataRoot() + "/music/o11.wav", MakeTone(40, 500));
    QDir().mkpath(inst.DataRoot() + "/music/songs");
    screens = std::make_unique<GameScreens>(inst.ProgramDir(), inst.DataRoot());
    form = cw6form;
  }
  ~Cw6() override { screens.reset(); }

  // Song n: its text, the voiced wave of `ms` and the backing track of `backingMs`.
  void WriteSong(int n, const TSong& song, int ms, int backingMs = 0) {
    SaveSongFile(SongTextPath(inst.DataRoot(), n), song);
    WriteWave(SongWavePath(inst.DataRoot(), n, ""), MakeTone(ms, 440, 8000));
    WriteWave(SongWavePath(inst.DataRoot(), n, "N"),
              MakeTone(backingMs ? backingMs : ms, 330, 8000));
  }
  // Four lines of 300 ms each.
  TSong FourLines() {
    TSong song;
    song.Lines = {Line({{150, "One"}, {150, "little"}}), Line({{300, "Two"}}),
                  Line({{300, "Three"}}), Line({{300, "Four"}})};
    return song;
  }
  void Open(int n) {
    form->LoadSong(n, "");
    form->Show();
  }
  // Lets the song play (events processed) until `done`.
  static bool PlayUntil(const std::function<bool()>& done, int ms = 4000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
  }
  QStringList Rows() const {
    QString row;
    for (int k = 1; k <= MaxSongWords; ++k) row += form->WordLabel(k)->Caption() + "|";
    return {form->Napis1->Caption(), form->Napis2->Caption(), row, form->Napis3->Caption(),
            form->Napis4->Caption()};
  }
  static QString Row(const QString& words) {
    return words + QString(MaxSongWords - words.count('|'), '|');
  }

  TempInstallation inst;
  MessageRecorder boxes;
  std::unique_ptr<GameScreens> screens;
  Tcw6form* form = nullptr;
};

TEST_F(Cw6, ATwoLineSongShowsEmptyRowsBelowItsLastLine) {
  TSong song;
  song.Lines = {Line({{200, "Twinkle"}, {200, "twinkle"}, {300, "star"}}),
                Line({{250, "Shine"}, {250, "bright"}})};
  WriteSong(1, song, 1500);
  Open(1);
  // The word row: word by word, four pixels apart, laid out again for each line.
  const auto flows = [&](int words) {
    for (int k = 2; k <= words; ++k) {
      TLabel* prev = form->WordLabel(k - 1);
      EXPECT_EQ(form->WordLabel(k)->Left(), prev->Left() + prev->Width() + 4) << k;
    }
  };
  EXPECT_EQ(Rows(), QStringList({"", "", Row("Twinkle|twinkle|star|"), "Shine bright ", ""}));
  flows(3);
  EXPECT_EQ(form->LineEnd[1], 1200);

  form->Player1->SetPosition(800);  // in the last line
  form->Timer1Timer();
  EXPECT_EQ(form->CurrentSongLine, 2);
  EXPECT_EQ(Rows(), QStringList({"", "Twinkle twinkle star ", Row("Shine|bright|"), "", ""}));
  flows(2);
  EXPECT_TRUE(boxes.Messages.empty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(Cw6, PlayAfterPauseGoesOnAndPlayAfterStopStartsAtLineOne) {
  WriteSong(1, FourLines(), 1200);
  Open(1);
  EXPECT_TRUE(form->Button3->Enabled());
  EXPECT_FALSE(form->Button4->Enabled());
  form->Button3Click();
  EXPECT_TRUE(form->Image2->Visible());
  EXPECT_FALSE(form->Button3->Enabled());
  ASSERT_TRUE(PlayUntil([&] { return form->CurrentSongLine == 2; }));

  form->Button5Click();
  EXPECT_EQ(form->Player1->Mode(), mpPaused);
  EXPECT_TRUE(form->Image3->Visible());
  EXPECT_FALSE(form->Image2->Visible());
  EXPECT_TRUE(form->Button3->Enabled());
  EXPECT_FALSE(form->Button5->Enabled());
  const int pausedAt = form->Player1->Position();
  form->Button3Click();
  EXPECT_EQ(form->CurrentSongLine, 2) << "no jump back to line 1";
  EXPECT_EQ(form->Napis2->Caption(), "One little ");
  EXPECT_GE(form->Player1->Position(), pausedAt);

  form->Button4Click();
  EXPECT_EQ(form->Player1->Position(), 0);
  EXPECT_EQ(Rows(), QStringList({"", "", Row("One|little|"), "Two ", "Three "}));
  EXPECT_FALSE(form->Image2->Visible());
  EXPECT_FALSE(form->Button4->Enabled());
  form->Button3Click();
  EXPECT_EQ(form->CurrentSongLine, 1);
  EXPECT_LT(form->Player1->Position(), 200);
  EXPECT_EQ(form->Player1->Mode(), mpPlaying);
}

TEST_F(Cw6, WordsOffFollowsUnseenAndWordsOnShowsTheStateAtOnce) {
  WriteSong(1, FourLines(), 1200);
  Open(1);
  form->_1Click();
  EXPECT_EQ(form->_1->Caption(), "");
  EXPECT_FALSE(form->Napis3->Visible());
  EXPECT_FALSE(form->Label22->Visible());
  EXPECT_FALSE(form->WordLabel(1)->Visible());
  form->Button3Click();
  ASSERT_TRUE(PlayUntil([&] { return form->CurrentSongLine == 3; }));
  form->_1Click();
  EXPECT_EQ(form->_1->Caption(), "•");
  for (TLabel* l :
       {form->Napis1, form->Napis2, form->Napis3, form->Napis4, form->Label22, form->WordLabel(1)})
    EXPECT_TRUE(l->Visible());
  EXPECT_EQ(form->Napis2->Caption(), "Two ");
  EXPECT_EQ(form->WordLabel(1)->Caption(), "Three");
}

TEST_F(Cw6, VoiceOffRestartsTheSameSongWithTheBackingTrack) {
  WriteSong(1, FourLines(), 1200, 1700);
  Open(1);
  form->Button3Click();
  ASSERT_TRUE(PlayUntil([&] { return form->CurrentSongLine == 2; }));
  form->_2Click();
  EXPECT_EQ(form->_2->Caption(), "");
  EXPECT_TRUE(form->Player1->FileName.endsWith("song_1N.wav"))
      << form->Player1->FileName.toStdString();
  EXPECT_EQ(form->Player1->Length(), 1700);
  EXPECT_EQ(form->Player1->Mode(), mpPlaying);
  EXPECT_LT(form->Player1->Position(), 200);
  EXPECT_EQ(form->CurrentSongLine, 1);
  EXPECT_EQ(form->SongNumber, 1);
  form->_2Click();  // and back to the voice
  EXPECT_TRUE(form->Player1->FileName.endsWith("song_1.wav"));
  EXPECT_EQ(form->Player1->Length(), 1200);
}

// A switch that fails (no backing track) changes nothing: the mark stays, the
// song goes on, and "Graj" plays it afterwards.
TEST_F(Cw6, AFailedVoiceSwitchLeavesTheMarkAndTheSong) {
  WriteSong(1, FourLines(), 1200);
  ASSERT_TRUE(QFile::remove(ResolvePath(SongWavePath(inst.DataRoot(), 1, "N"))));
  ClearPathCache();
  Open(1);
  form->Button3Click();
  ASSERT_TRUE(PlayUntil([&] { return form->CurrentSongLine == 2; }));
  EXPECT_FALSE(Guarded([&] { form->_2Click(); }));
  ASSERT_EQ(boxes.Messages.size(), 1u);
  EXPECT_TRUE(boxes.Messages[0].Text.contains("song_1N.wav"))
      << boxes.Messages[0].Text.toStdString();
  EXPECT_EQ(form->_2->Caption(), "•");
  EXPECT_TRUE(form->Player1->FileName.endsWith("song_1.wav"));
  EXPECT_EQ(form->Player1->Mode(), mpPlaying);
  EXPECT_EQ(form->CurrentSongLine, 2);
  form->Button4Click();
  form->Button3Click();
  EXPECT_EQ(form->Player1->Mode(), mpPlaying);
}

TEST_F(Cw6, TheEndOfTheSongStopsAndRewinds) {
  WriteSong(1, FourLines(), 500);
  Open(1);
  form->Button3Click();
  ASSERT_TRUE(PlayUntil([&] { return form->Button3->Enabled(); }));
  EXPECT_EQ(form->Player1->Mode(), mpStopped);
  EXPECT_EQ(form->Player1->Position(), 0);
  EXPECT_FALSE(form->Image2->Visible());
  EXPECT_FALSE(form->Button4->Enabled());
  EXPECT_FALSE(form->Button5->Enabled());
  EXPECT_EQ(form->WordLabel(1)->Caption(), "One");
}

TEST_F(Cw6, APausedSongPastItsLastLineStaysPaused) {
  TSong song;
  song.Lines = {Line({{200, "Short"}})};
  WriteSong(1, song, 2000);
  Open(1);
  form->Button3Click();
  ASSERT_TRUE(PlayUntil([&] { return form->Player1->Position() > 400; }));
  form->Button5Click();
  for (int i = 0; i < 3; ++i) form->Timer1Timer();
  EXPECT_EQ(form->Player1->Mode(), mpPaused);
  EXPECT_EQ(form->WordLabel(1)->Caption(), "Short");
}

TEST_F(Cw6, PlayAfterTheInstructionOpensTheSongAgain) {
  WriteSong(1, FourLines(), 1200);
  Open(1);
  form->Button3Click();
  form->Button5Click();
  form->BmpTransparent1Click();
  EXPECT_FALSE(form->Player1->IsOpen());
  EXPECT_FALSE(form->Image3->Visible());
  form->Button3Click();
  EXPECT_EQ(form->Player1->Mode(), mpPlaying);
  EXPECT_EQ(form->CurrentSongLine, 1);
  EXPECT_TRUE(boxes.Messages.empty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(Cw6, ABrokenSongLeavesTheScreenAsItWas) {
  WriteSong(1, FourLines(), 1200);
  Open(1);
  WriteFileAtomic(SongTextPath(inst.DataRoot(), 2), TextBytes({"Ile linii: 1", "25=1=a="}));
  WriteWave(SongWavePath(inst.DataRoot(), 2, ""), MakeTone(300, 440, 8000));
  EXPECT_THROW(form->LoadSong(2, ""), EFormatError);
  EXPECT_THROW(form->LoadSong(3, ""), EInOutError);  // no files at all
  EXPECT_EQ(form->SongNumber, 1);
  EXPECT_EQ(form->WordLabel(1)->Caption(), "One");
  EXPECT_TRUE(form->Player1->FileName.endsWith("song_1.wav"));
  EXPECT_TRUE(form->Player1->IsOpen());
}

TEST_F(Cw6, LeaveStopsTheSongAndClosesTheScreen) {
  WriteSong(1, FourLines(), 1200);
  Open(1);
  form->Button3Click();
  form->Button1Click();
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->Player1->IsOpen());
  EXPECT_FALSE(form->Timer1.Enabled());
}

}  // namespace
