#include <QFile>
#include <algorithm>
#include <functional>
#include <set>

#include "exercises/FrmCw6.h"
#include "menu/FrmMenuStart.h"
#include "MenuTestSupport.h"
#include "platform/MediaPlayer.h"
#include "platform/Paths.h"
#include "platform/Timers.h"
#include "controls/TransparentButton.h"
#include "players/FrmTopTen.h"
#include "tools/FrmAlfabet.h"
#include "world/FrmMain.h"
#include "world/LocationFile.h"

namespace {

TMediaPlayer* Shared() { return MainForm->MediaPlayer1; }

// The file the shared player is playing, without its directory ("" when silent).
QString Playing() {
  if (Shared()->Mode() != mpPlaying) return {};
  return Shared()->FileName.section(u'\\', -1);
}

class Menu : public SignedIn {
 protected:
  // One tick of the idle show, as Timer1 delivers it.
  void Tick() { MenuStart->Timer1.OnTimer(); }

  struct Step {
    int step;
    int interval;
    QString sound;  // "" when the tick leaves the player as it was
    bool dog, pig;
  };
  void ExpectStep(const Step& s, const char* where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(MenuIdleStep, s.step);
    EXPECT_TRUE(MenuStart->Timer1.Enabled());
    EXPECT_EQ(MenuStart->Timer1.Interval(), s.interval);
    if (!s.sound.isEmpty()) {
      EXPECT_EQ(Playing(), s.sound);
    }
    EXPECT_EQ(MenuStart->Panel_pies->Visible(), s.dog);
    EXPECT_EQ(MenuStart->Panel_swin->Visible(), s.pig);
  }
};

TEST_F(Menu, IdleShowOfAFirstVisitPlaysTheDescription) {
  SetRandSeed(7);
  VisitCount = 1;
  PlayerSex = "Woman";
  MenuStart->Show();
  EXPECT_EQ(MenuIdleStep, 0);
  EXPECT_EQ(MenuStart->Timer1.Interval(), 1500);
  EXPECT_TRUE(MenuStart->Timer1.Enabled());
  EXPECT_TRUE(MenuStart->Timer2.Enabled());

  Tick();
  ExpectStep({1, 1500, "", false, false}, "step 1 does nothing");
  EXPECT_EQ(Playing(), "");
  Tick();
  ExpectStep({2, 3000, "l_pies.wav", true, false}, "the dog");
  EXPECT_EQ(MenuStart->avi_pies->Mode(), mpPlaying);
  Tick();
  ExpectStep({3, 5000, "l_swin.wav", true, true}, "the pig");
  EXPECT_EQ(MenuStart->Avi_swin->Mode(), mpPlaying);
  Tick();
  ExpectStep({4, 10000, "K1.wav", true, true}, "the description for a girl");
  EXPECT_TRUE(MenuVideoMode);
  EXPECT_EQ(VisitCount, 2);

  // While the description plays, every tick shows the time machine or the parrot.
  int machine = 0, parrot = 0;
  for (int i = 0; i < 12; ++i) {
    Tick();
    ExpectStep({4, 10000, "K1.wav", true, false}, "random video");
    const bool m = MenuStart->Panel_wechikol->Visible(), p = MenuStart->Panel_ptak->Visible();
    EXPECT_NE(m, p);
    machine += m;
    parrot += p;
  }
  EXPECT_GT(machine, 0);
  EXPECT_GT(parrot, 0);

  MenuIdleSoundEnded(nvAborted);
  EXPECT_TRUE(MenuVideoMode) << "only a sound played to its end stops the videos";
  MenuIdleSoundEnded(nvSuccessful);
  EXPECT_FALSE(MenuVideoMode);

  Tick();
  ExpectStep({5, 5000, "l_swin.wav", true, true}, "the pig again");
  EXPECT_FALSE(MenuStart->Panel_wechikol->Visible());
  EXPECT_FALSE(MenuStart->Panel_ptak->Visible());
  Tick();
  ExpectStep({6, 10000, "Music.wav", true, true}, "the music");
  EXPECT_TRUE(MenuVideoMode);
  Tick();
  ExpectStep({1, 10000, "Music.wav", true, true}, "a tick that does nothing");
  Tick();
  ExpectStep({2, 3000, "l_pies.wav", true, true}, "the cycle starts again");
  EXPECT_EQ(VisitCount, 2);
}

TEST_F(Menu, IdleShowOfAReturningPlayerPlaysTheMusic) {
  for (const char* sex : {"Man", "Woman"}) {
    VisitCount = 5;
    PlayerSex = sex;
    MenuStart->Show();
    for (int i = 0; i < 4; ++i) Tick();
    EXPECT_EQ(MenuIdleStep, 4);
    EXPECT_EQ(Playing(), "Music.wav");
    EXPECT_EQ(VisitCount, 5);
    MenuStart->Close();
  }
  VisitCount = 1;
  PlayerSex = "Man";
  MenuStart->Show();
  for (int i = 0; i < 4; ++i) Tick();
  EXPECT_EQ(Playing(), "M1.wav") << "a boy's first visit";
}

TEST_F(Menu, SharedPlayersEndClearsTheVideoMode) {
  // A short music, so the real player ends it while the test waits.
  WriteWave(inst.DataRoot() + "/music/Music.wav", MakeTone(150, 440));
  VisitCount = 3;
  MenuStart->Show();
  for (int i = 0; i < 4; ++i) Tick();
  ASSERT_TRUE(MenuVideoMode);
  for (int i = 0; i < 400 && MenuVideoMode; ++i) PumpEvents(10);
  EXPECT_FALSE(MenuVideoMode);
  Tick();
  EXPECT_EQ(MenuIdleStep, 5);
}

TEST_F(Menu, SongLocksFollowTheRedCount) {
  struct Case {
    int red;
    bool headAndIDid;  // open
    bool laterFour;    // open
  };
  for (const Case& c : {Case{0, false, false}, Case{10, false, false}, Case{11, true, false},
                        Case{15, true, false}, Case{16, true, true}, Case{40, true, true}}) {
    SCOPED_TRACE(c.red);
    RedCount = c.red;
    MenuStart->Show();
    const std::vector<std::pair<TLabel*, bool>> expected = {
        {MenuStart->S_Count, true},         {MenuStart->S_Colour, true},
        {MenuStart->S_Head, c.headAndIDid}, {MenuStart->S_IDID, c.headAndIDid},
        {MenuStart->S_IHear, c.laterFour},  {MenuStart->S_The, c.laterFour},
        {MenuStart->S_This, c.laterFour},   {MenuStart->S_What, c.laterFour},
    };
    for (const auto& [label, open] : expected) {
      SCOPED_TRACE(label->Caption().toStdString());
      EXPECT_EQ(label->Tag, open ? 0 : 1);
      EXPECT_EQ(label->Font().Color, open ? clBlack : clGray);
      if (open) {
        EXPECT_TRUE(label->Hint().isEmpty());
      } else {
        const int from = label == MenuStart->S_Head || label == MenuStart->S_IDID ? 11 : 16;
        EXPECT_TRUE(label->Hint().contains(QString::number(from))) << label->Hint().toStdString();
      }
    }
    MenuStart->Close();
  }
}

TEST_F(Menu, SongsPageOpensOnlyOpenSongs) {
  RedCount = 12;
  MenuStart->Show();
  Click(MenuStart->lbl_Songs);
  EXPECT_FALSE(MenuStart->Timer1.Enabled());
  EXPECT_FALSE(MenuStart->Timer2.Enabled());
  for (TLabel* l : MenuStart->TitleLabels()) EXPECT_FALSE(l->Visible());
  for (TLabel* l : MenuStart->SongLabelControls()) EXPECT_TRUE(l->Visible());
  EXPECT_TRUE(MenuStart->S_Powrot->Visible());

  Click(MenuStart->S_What);  // locked until 16
  EXPECT_FALSE(cw6form->Visible());
  Click(MenuStart->S_IDID);  // open from 11
  EXPECT_TRUE(cw6form->Visible());
  EXPECT_EQ(cw6form->SongNumber, 7);
  EXPECT_EQ(cw6form->WordLabel(1)->Caption(), "Song7");
  cw6form->Close();

  Click(MenuStart->S_Powrot);
  for (TLabel* l : MenuStart->SongLabelControls()) EXPECT_FALSE(l->Visible());
  for (TLabel* l : MenuStart->TitleLabels()) EXPECT_TRUE(l->Visible());
  EXPECT_EQ(MenuIdleStep, 0);
  EXPECT_EQ(MenuStart->Timer1.Interval(), 2000);
  EXPECT_TRUE(MenuStart->Timer1.Enabled());
  EXPECT_TRUE(MenuStart->Timer2.Enabled());
  EXPECT_TRUE(boxes.Messages.empty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(Menu, DescriptionStopsTheIdleShowUntilTheMenuIsShownAgain) {
  PlayerSex = "Man";
  MenuStart->Show();
  Tick();
  Tick();
  Click(MenuStart->lbl_Opis);
  EXPECT_EQ(Playing(), "M1.wav");
  EXPECT_FALSE(MenuStart->Timer1.Enabled());
  EXPECT_TRUE(MenuStart->Timer2.Enabled()) << "the stars go on";

  MenuStart->Close();
  MenuStart->Show();
  EXPECT_TRUE(MenuStart->Timer1.Enabled());
  EXPECT_EQ(MenuStart->Timer1.Interval(), 1500);
  EXPECT_EQ(MenuIdleStep, 0);

  Click(MenuStart->lbl_Opis);
  EXPECT_FALSE(MenuStart->Timer1.Enabled());
  RestartMenuIdle();
  EXPECT_TRUE(MenuStart->Timer1.Enabled());
  EXPECT_EQ(MenuStart->Timer1.Interval(), 2000);
}

TEST_F(Menu, StarsTwinkleAtTheirSevenPlaces) {
  const std::vector<QPoint> places = {{189, 16}, {167, 98}, {432, 98}, {254, 190},
                                      {215, 212}, {222, 428}, {432, 448}};
  SetRandSeed(3);
  MenuStart->Show();
  MenuStart->Image2->Hide();
  std::set<int> seen;
  for (int i = 0; i < 400; ++i) {
    const bool before = MenuStart->Image2->Visible();
    MenuStart->Timer2.OnTimer();
    ASSERT_NE(MenuStart->Image2->Visible(), before) << "a star shows for one tick and hides for the next";
    if (!MenuStart->Image2->Visible()) continue;
    const QPoint at(MenuStart->Image2->Left(), MenuStart->Image2->Top());
    const auto it = std::find(places.begin(), places.end(), at);
    ASSERT_NE(it, places.end()) << at.x() << "," << at.y();
    seen.insert(static_cast<int>(it - places.begin()));
    EXPECT_EQ(MenuStart->Image2->Width(), kTestStarSize);
  }
  EXPECT_EQ(seen.size(), 7u);
  EXPECT_TRUE(boxes.Messages.empty());
}

TEST_F(Menu, BrokenMediaIsReportedOnceAndTheMenuGoesOn) {
  QFile::remove(inst.ProgramDir() + "/gfx/star3.bmp");
  QFile::remove(inst.DataRoot() + "/gfx/avi/papuga.avi");
  ClearPathCache();
  RedCount = 0;
  MenuStart->Show();
  ASSERT_EQ(boxes.Messages.size(), 1u);
  EXPECT_TRUE(boxes.Messages[0].Text.contains("papuga.avi")) << boxes.Messages[0].Text.toStdString();
  EXPECT_TRUE(MenuStart->Timer1.Enabled()) << "the show starts without the parrot";
  EXPECT_EQ(MenuStart->S_Head->Tag, 1) << "and the songs are still locked";

  // As the timer's event would: what the handler throws goes to the error box.
  for (int i = 0; i < 300; ++i) Guarded([] { MenuStart->Timer2.OnTimer(); });
  ASSERT_EQ(boxes.Messages.size(), 2u) << "one box for the missing star, not one a tick";
  EXPECT_TRUE(boxes.Messages[1].Text.contains("star3.bmp"));

  // The parrot's turns in the video mode show its panel and play nothing.
  VisitCount = 3;
  for (int i = 0; i < 24; ++i) Tick();
  EXPECT_EQ(boxes.Messages.size(), 2u);
}

TEST_F(Menu, StartClickLoadsTheFirstPlaceAndLeavesTheMenu) {
  TLocation start;
  start.Picture = "start.bmp";
  start.BackLink = "NONE";
  SaveLocationFile(inst.ProgramDir() + "/lokacje/Start.lok", start);
  WriteSolidBmp(inst.DataRoot() + "/lokacje/start.bmp", 570, 433, QColor(10, 120, 200));
  MenuStart->Show();
  Tick();
  Tick();
  InputBlocked = true;
  Click(MenuStart->lbl_BIG, QPoint(400, 300));
  EXPECT_TRUE(boxes.Messages.empty()) << boxes.Texts().join('|').toStdString();
  EXPECT_FALSE(MenuStart->Visible());
  EXPECT_TRUE(MainForm->Visible());
  EXPECT_FALSE(InputBlocked);
  EXPECT_EQ(MainForm->PictureName, "start.bmp");
  EXPECT_FALSE(MenuStart->Timer1.Enabled());
  EXPECT_FALSE(MenuStart->Timer2.Enabled());
  EXPECT_FALSE(MenuStart->Panel_pies->Visible());
  EXPECT_EQ(Playing(), "");
}

TEST_F(Menu, BrokenFirstPlaceLeavesTheMenuAsItWas) {
  WriteTextLines(inst.ProgramDir() + "/lokacje/Start.lok", {"not a place"});
  MenuStart->Show();
  Click(MenuStart->lbl_Start);
  EXPECT_EQ(boxes.Messages.size(), 1u);
  EXPECT_TRUE(MenuStart->Visible());
  EXPECT_TRUE(MenuStart->Timer1.Enabled());
  EXPECT_TRUE(MenuStart->Timer2.Enabled());
}

TEST_F(Menu, BestPlayersGetTheirFanfareAndButton) {
  for (const auto& [sex, picture] : {std::pair{"Man", 19}, std::pair{"Woman", 20}}) {
    PlayerSex = sex;
    MenuStart->Show();
    Click(MenuStart->lbl_TopTen);
    EXPECT_EQ(TopTenForm->TransparentButton1->BitmapNormal(), picture) << sex;
    TopTenForm->Close();
    MenuStart->Close();
  }
  MenuStart->Show();
  Tick();
  Tick();
  Click(MenuStart->lbl_TopTen);
  EXPECT_TRUE(TopTenForm->Visible());
  EXPECT_EQ(Playing(), "Fanfary.wav");
  EXPECT_FALSE(MenuStart->Timer1.Enabled());
  EXPECT_FALSE(MenuStart->Timer2.Enabled());
  EXPECT_FALSE(MenuStart->Image2->Visible());
  EXPECT_FALSE(MenuStart->Panel_pies->Visible());
}

TEST_F(Menu, AlphabetGetsItsPictureAndAMissingOneLeavesTheMenuRunning) {
  MenuStart->Show();
  Click(MenuStart->lbl_Alfabet);
  EXPECT_TRUE(AlfabetForm->Visible());
  EXPECT_EQ(AlfabetForm->Image1->Picture().pixelColor(10, 10), QColor(200, 240, 255));
  EXPECT_FALSE(MenuStart->Timer1.Enabled());
  EXPECT_FALSE(MenuStart->Timer2.Enabled());
  AlfabetForm->Close();
  RestartMenuIdle();

  QFile::remove(inst.ProgramDir() + "/gfx/Alfabet.bmp");
  ClearPathCache();
  Click(MenuStart->lbl_Alfabet);
  ASSERT_EQ(boxes.Messages.size(), 1u);
  EXPECT_TRUE(boxes.Messages[0].Text.contains("Alfabet.bmp"));
  EXPECT_FALSE(AlfabetForm->Visible());
  EXPECT_TRUE(MenuStart->Timer1.Enabled());
  EXPECT_TRUE(MenuStart->Timer2.Enabled());
}

TEST_F(Menu, EndAndAltF4BothSaveThePlayer) {
  MenuStart->Show();
  struct Way {
    const char* name;
    std::function<void()> end;
  } ways[] = {
      {"Alt+F4", [] { PressKey(MenuStart, Qt::Key_F4, Qt::AltModifier); }},
      {"Koniec", [] { Click(MenuStart->lbl_Exit); }},
  };
  int red = 7;
  for (const Way& way : ways) {
    RedCount = ++red;
    GreenCount = 13;
    way.end();
    EXPECT_TRUE(Application()->Terminated()) << way.name;
    const TPlayerFile saved = ParsePlayerFile(ReadWholeFile(PlayerPath()), PlayerPath());
    EXPECT_EQ(saved.RedCount, red) << way.name;
    EXPECT_EQ(saved.GreenCount, 13) << way.name;
    Application()->ClearTerminated();
  }
  EXPECT_FALSE(MenuStart->Timer1.Enabled());
}

}  // namespace
