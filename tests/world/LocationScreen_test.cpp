// The location screen over real installations: location files, pictures,
// strips, sounds and clips on disk, the real audio engine on the dummy driver.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <climits>
#include <memory>

#include "app/Globals.h"
#include "app/Sound.h"
#include "controls/Ani95.h"
#include "controls/Animate.h"
#include "controls/ButtonStrips.h"
#include "controls/MyImageList.h"
#include "controls/TransparentButton.h"
#include "exercises/FrmCw1.h"
#include "exercises/FrmCw5.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "menu/FrmMenuStart.h"
#include "platform/Errors.h"
#include "platform/Forms.h"
#include "platform/MediaPlayer.h"
#include "platform/Paths.h"
#include "platform/Timers.h"
#include "support/Support.h"
#include "world/FrmMain.h"

namespace {

QString Slashes(QString path) { return path.replace('\\', '/'); }

void SendMouse(TControl* c, QEvent::Type type, int x, int y, Qt::MouseButton button) {
  const QPointF local(x, y);
  QMouseEvent e(type, local, c->Widget()->mapToGlobal(local), button,
                type == QEvent::MouseButtonRelease || button == Qt::NoButton ? Qt::NoButton : button,
                Qt::NoModifier);
  QCoreApplication::sendEvent(c->Widget(), &e);
}

void Click(TControl* c, int x, int y) {
  SendMouse(c, QEvent::MouseButtonPress, x, y, Qt::LeftButton);
  SendMouse(c, QEvent::MouseButtonRelease, x, y, Qt::LeftButton);
}

void Move(TControl* c, int x, int y) { SendMouse(c, QEvent::MouseMove, x, y, Qt::NoButton); }

TSpriteRecord Sprite(int still, int action, const QString& strip = "\\lokacje\\s.bmp") {
  return {100, 20, 30, 40, 50, 3, strip, action, "miau", still};
}

class LocationScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const TButtonStrip& s : ButtonStrips)
      WriteSolidBmp(Slashes(ButtonStripPath(inst.ProgramDir(), s)), 66, 33, QColor(200, 200, 0));
    WriteSolidBmp(inst.DataRoot() + "/lokacje/s.bmp", 120, 50, QColor(250, 0, 0));
    screens = std::make_unique<GameScreens>(inst.ProgramDir());
    ASSERT_NE(MainForm, nullptr);
    MainForm->Show();
  }
  void TearDown() override {
    screens.reset();
    LoadExerciseList = nullptr;
    LoadDialogueList = nullptr;
  }

  static TLocation Place(const QString& picture = "p.bmp", const QString& back = "Start.lok") {
    TLocation l;
    l.Picture = picture;
    l.BackLink = back;
    return l;
  }
  void Save(const QString& name, const TLocation& l) {
    const QString picture = inst.DataRoot() + "/lokacje/" + l.Picture;
    if (!FileExists(picture)) WriteSolidBmp(picture, 570, 433, QColor(0, 120, 0));
    SaveLocationFile(inst.ProgramDir() + "/lokacje/" + name, l);
  }
  void Lines(const QString& name, const QStringList& lines) {
    WriteTextLines(inst.ProgramDir() + "/lokacje/" + name, lines);
  }
  void Load(const QString& name, const TLocation& l) {
    Save(name, l);
    ::LoadLocation(name);
  }
  QString FxPath(const QString& name) const { return DataRoot + "\\lokacje\\Fx\\" + name + ".wav"; }
  bool Playing(const QString& sound) const {
    return MainForm->MediaPlayer1->Mode() == mpPlaying &&
           MainForm->MediaPlayer1->FileName.endsWith(sound + ".wav");
  }

  TempInstallation inst;
  MessageRecorder messages;
  std::unique_ptr<GameScreens> screens;
};

TEST_F(LocationScreen, ControlsStandWhereTheScreenNeedsThem) {
  TMainForm* f = MainForm;
  struct Case {
    TControl* control;
    QRect bounds;
    QString hint;
  } cases[] = {
      {f->Image1_2, {0, 0, 640, 480}, ""},
      {f->Image1, {8, 37, 570, 433}, ""},
      {f->btn_Cwicz1, {584, 40, 33, 33}, "Ćwiczenia"},
      {f->btn_dialog1, {587, 89, 33, 33}, "Dialogi i ćwiczenia"},
      {f->btn_wroc, {586, 425, 33, 33}, "Powrót"},
      {f->btn_exit, {586, 425, 33, 33}, "Koniec"},
      {f->Ani_Timer, {-300, 180, 169, 97}, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.control->Widget()->geometry(), c.bounds) << c.hint.toStdString();
    EXPECT_EQ(c.control->Hint(), c.hint);
  }
  EXPECT_EQ(f->btn_Cwicz1->BitmapNormal(), 8);
  EXPECT_EQ(f->btn_dialog1->BitmapNormal(), 9);
  EXPECT_EQ(f->btn_wroc->BitmapNormal(), 0);
  EXPECT_EQ(f->btn_Cwicz1->Style(), TStyls(tbs_Highlighted));
  EXPECT_EQ(f->lbl_Red->Widget()->pos(), QPoint(484, 8));
  EXPECT_EQ(f->lbl_Green->Widget()->pos(), QPoint(540, 8));
  EXPECT_EQ(f->MyImageList1, &SharedImageList());
  EXPECT_EQ(f->MyImageList1->Count(), 30);
  EXPECT_EQ(f->Image1_2->Picture().size(), QSize(640, 480));
  EXPECT_EQ(f->Ani_Timer->RepeatCount(), 1);
  EXPECT_EQ(f->Ani_Timer->StartFrame(), 1);
  EXPECT_EQ(f->Ani_Timer->EndFrame(), 0);
  EXPECT_FALSE(f->Timer1.Enabled());
  EXPECT_EQ(f->Timer1.Interval(), 7000);
  TAnimated* slots[] = {f->Ani_1, f->Ani_2, f->Ani_3, f->Ani_4, f->Ani_5, f->Ani_6, f->Ani_7};
  for (int i = 0; i < MaxSprites; ++i) {
    EXPECT_EQ(f->Sprites[i].Control, slots[i]);
    EXPECT_EQ(slots[i]->Tag, i + 1);
    EXPECT_FALSE(slots[i]->Visible());
  }
  EXPECT_TRUE(messages.Messages.empty()) << messages.Texts().join('\n').toStdString();
}

TEST_F(LocationScreen, BackLinkChoosesBackOrExit) {
  for (const QString back : {"NONE", "none", "Start.lok"}) {
    Load("A.lok", Place("p.bmp", back));
    const bool top = back == "NONE";
    EXPECT_EQ(MainForm->btn_exit->Visible(), top) << back.toStdString();
    EXPECT_EQ(MainForm->btn_wroc->Visible(), !top) << back.toStdString();
  }
}

TEST_F(LocationScreen, ListLinesShowTheirButtonsAndTheLastNameCounts) {
  WriteSolidBmp(inst.DataRoot() + "/lokacje/p.bmp", 570, 433, QColor(0, 120, 0));
  Lines("A.lok", {"Picture=p.bmp", "Walk spots =0", "Sound spots=0", "Exercise lists  =3",
                  "Dialog lists =1", "Sprites  =0", "ExSpots  =0", "Waves =0", "Videos   =0", "Back=NONE",
                  "E1 = \\first.txt", "E2 = \\second.txt", "E3 = \\third.txt", "D1 = \\dial.txt"});
  ::LoadLocation("A.lok");
  EXPECT_EQ(MainForm->ExerciseListFile, "\\third.txt");
  EXPECT_EQ(MainForm->DialogueListFile, "\\dial.txt");
  EXPECT_TRUE(MainForm->btn_Cwicz1->Visible());
  EXPECT_TRUE(MainForm->btn_dialog1->Visible());

  // A place without lists keeps the names but hides the buttons.
  Load("B.lok", Place());
  EXPECT_EQ(MainForm->ExerciseListFile, "\\third.txt");
  EXPECT_EQ(MainForm->DialogueListFile, "\\dial.txt");
  EXPECT_FALSE(MainForm->btn_Cwicz1->Visible());
  EXPECT_FALSE(MainForm->btn_dialog1->Visible());
}

TEST_F(LocationScreen, SpritesStartStillOrLoopingWithTheirCursors) {
  struct Case {
    int still, action;
    TCursor cursor;
    bool play;
  } cases[] = {
      {1, 0, TCursor::crHelp, false},
      {0, 2, TCursor::crArrow, true},
      {0, 1, TCursor::crHelp, true},
      {1, 3, TCursor::crHelp, false},
      {0, 3, TCursor::crArrow, true},
  };
  TLocation l = Place();
  for (const auto& c : cases) l.Sprites.push_back(Sprite(c.still, c.action));
  l.Sprites[1].X = 300;
  Load("A.lok", l);
  ASSERT_EQ(MainForm->SpriteCount, 5);
  for (size_t i = 0; i < std::size(cases); ++i) {
    TAnimated* ani = MainForm->Sprites[i].Control;
    EXPECT_EQ(ani->Cursor(), cases[i].cursor) << i;
    EXPECT_EQ(ani->Play(), cases[i].play) << i;
    EXPECT_EQ(ani->Loop(), cases[i].play) << i;
    EXPECT_EQ(ani->Frame(), 0) << i;
    EXPECT_TRUE(ani->Visible());
    EXPECT_EQ(ani->FrameCount(), 3);
    EXPECT_EQ(ani->BitMap().size(), QSize(120, 50));
  }
  EXPECT_EQ(MainForm->Ani_2->Widget()->geometry(), QRect(8 + 300, 37 + 30, 40, 50));
  EXPECT_FALSE(MainForm->Ani_6->Visible());
  EXPECT_FALSE(MainForm->Ani_7->Visible());

  // The next place hides the slots it does not use.
  TLocation next = Place();
  next.Sprites = {Sprite(0, 0)};
  Load("B.lok", next);
  EXPECT_TRUE(MainForm->Ani_1->Visible());
  EXPECT_FALSE(MainForm->Ani_2->Visible());
  EXPECT_FALSE(MainForm->Ani_2->Play());
}

// Sizes and places a hostile file gives are clamped, so nothing Qt adds up overflows.
TEST_F(LocationScreen, ASpriteOfAnySizeStaysWithinTheCoordinateLimit) {
  TLocation l = Place();
  TSpriteRecord huge = Sprite(0, 0);
  huge.X = INT_MAX;
  huge.Y = INT_MIN;
  huge.Width = INT_MAX;
  huge.Height = INT_MAX;
  l.Sprites = {huge};
  Load("A.lok", l);
  TAnimated* ani = MainForm->Ani_1;
  EXPECT_EQ(ani->Widget()->geometry(),
            QRect(CoordinateLimit, -CoordinateLimit, CoordinateLimit, CoordinateLimit));
  ani->SetFrame(2);
  ani->Repaint();
}

TEST_F(LocationScreen, IdleEventsDecideTheScheduleAndTheTimer) {
  struct Case {
    int videos, sounds;
    bool timer, blocked;
  } cases[] = {{2, 0, true, false}, {0, 3, true, true}, {1, 1, true, false}, {0, 0, false, true}};
  for (const auto& c : cases) {
    TLocation l = Place();
    for (int i = 0; i < c.videos; ++i) l.AniEvents.push_back({100, 200, 97, 169, 0, "\\v.avi", "auto"});
    for (int i = 0; i < c.sounds; ++i) l.WaveEvents << "ptaki";
    Load("A.lok", l);
    const std::string what = std::to_string(c.videos) + " videos, " + std::to_string(c.sounds) + " sounds";
    EXPECT_EQ(MainForm->Timer1.Enabled(), c.timer) << what;
    EXPECT_EQ(MainForm->Timer1.Interval(), 1800) << what;
    EXPECT_EQ(InputBlocked, c.blocked) << what;
    EXPECT_EQ(MainForm->SchedulePos, 1);
    int videoSlots = 0, soundSlots = 0;
    for (const auto& slot : MainForm->EventSchedule) {
      videoSlots += slot.Kind == TEventKind::Video;
      soundSlots += slot.Kind == TEventKind::Sound;
    }
    if (c.videos == 2) {
      EXPECT_EQ(videoSlots, 18);
      EXPECT_EQ(MainForm->EventSchedule[1].Index, 2);
    }
    if (c.sounds == 3) {
      EXPECT_EQ(soundSlots, 18);
    }
    if (c.videos == 1 && c.sounds == 1) {
      EXPECT_EQ(soundSlots, 4);
    }
  }
}

TEST_F(LocationScreen, SpotBordersForClicksAndTheCursor) {
  TLocation a = Place("a.bmp");
  a.WalkSpots = {{10, 10, 50, 50, "B.lok", "0"}};
  a.SoundSpots = {{100, 10, 150, 50, "miau"}};
  a.ExerciseSpots = {{200, 10, 250, 50, "\\lista.txt"}};
  a.AniEvents = {{-400, 0, 10, 10, 0, "\\v.avi", "x"}};  // keeps the place open to clicks
  Save("A.lok", a);
  TLocation b = Place("b.bmp");
  b.AniEvents = a.AniEvents;
  Save("B.lok", b);
  QStringList lists;
  LoadExerciseList = [&](const QString& path) {
    lists << path;
    return true;
  };

  enum Effect { Nothing, Walks, Sounds, Exercises };
  struct Case {
    int x, y;
    Effect click;
    TCursor cursor;
  } cases[] = {
      {10, 10, Walks, TCursor::crHandPoint},     {50, 50, Walks, TCursor::crHandPoint},
      {9, 30, Nothing, TCursor::crArrow},        {51, 30, Nothing, TCursor::crArrow},
      {100, 30, Nothing, TCursor::crArrow},      {101, 30, Sounds, TCursor::crHelp},
      {150, 30, Sounds, TCursor::crHelp},        {120, 10, Sounds, TCursor::crHelp},
      {120, 50, Sounds, TCursor::crHelp},        {120, 51, Nothing, TCursor::crArrow},
      {200, 30, Nothing, TCursor::crArrow},      {250, 30, Exercises, TCursor::crHandPoint},
      {220, 10, Exercises, TCursor::crHandPoint}, {220, 50, Exercises, TCursor::crArrow},
  };
  for (const auto& c : cases) {
    const std::string at = std::to_string(c.x) + "," + std::to_string(c.y);
    ::LoadLocation("A.lok");
    MainForm->Show();
    lists.clear();
    Move(MainForm->Image1, 400, 400);
    Move(MainForm->Image1, c.x, c.y);
    EXPECT_EQ(MainForm->Image1->Cursor(), c.cursor) << at;
    Click(MainForm->Image1, c.x, c.y);
    EXPECT_EQ(MainForm->PictureName, c.click == Walks ? "b.bmp" : "a.bmp") << at;
    EXPECT_EQ(Playing("miau"), c.click == Sounds) << at;
    EXPECT_EQ(lists, c.click == Exercises ? QStringList{ProgramDir + "\\lista.txt"} : QStringList{}) << at;
    EXPECT_EQ(MainForm->Visible(), c.click != Exercises) << at;
  }
  EXPECT_TRUE(messages.Messages.empty()) << messages.Texts().join('\n').toStdString();
}

TEST_F(LocationScreen, WalkingWinsOverASoundSpotAndItsSoundGoesOn) {
  TLocation a = Place("a.bmp");
  a.WalkSpots = {{0, 0, 100, 100, "B.lok", "kroki"}, {300, 300, 400, 400, "B.lok", "0"}};
  a.SoundSpots = {{50, 50, 150, 150, "miau"}};
  Save("A.lok", a);
  Save("B.lok", Place("b.bmp"));
  InputBlocked = false;

  MainForm->LoadLocation("A.lok");
  InputBlocked = false;
  Click(MainForm->Image1, 75, 75);
  EXPECT_EQ(MainForm->PictureName, "b.bmp");
  EXPECT_TRUE(Playing("kroki"));  // still playing after the new place is up
  EXPECT_FALSE(InputBlocked);

  // A walk whose sound is "0" plays nothing, and silences what played.
  MainForm->LoadLocation("A.lok");
  InputBlocked = false;
  PlayWave(FxPath("miau"));
  ASSERT_TRUE(Playing("miau"));
  Click(MainForm->Image1, 350, 350);
  EXPECT_EQ(MainForm->PictureName, "b.bmp");
  EXPECT_FALSE(MainForm->MediaPlayer1->IsOpen());
}

TEST_F(LocationScreen, AClickSilencesTheSoundEvenWhenItHitsNothingOrInputIsBlocked) {
  TLocation a = Place("a.bmp");
  a.WalkSpots = {{0, 0, 100, 100, "B.lok", "0"}};
  Save("A.lok", a);
  Save("B.lok", Place("b.bmp"));

  // Entered as the start menu does: without idle videos the place stays blocked.
  ::LoadLocation("A.lok");
  EXPECT_TRUE(InputBlocked);
  PlayWave(FxPath("ptaki"));
  ASSERT_TRUE(Playing("ptaki"));
  Click(MainForm->Image1, 50, 50);
  EXPECT_FALSE(MainForm->MediaPlayer1->IsOpen());
  EXPECT_EQ(MainForm->PictureName, "a.bmp");  // blocked: no walk
  Move(MainForm->Image1, 50, 50);
  EXPECT_EQ(MainForm->Image1->Cursor(), TCursor::crArrow);

  // The back button still works and opens the place to clicks.
  MainForm->BackLink = "A.lok";
  Click(MainForm->btn_wroc, 5, 5);
  EXPECT_FALSE(InputBlocked);
  PlayWave(FxPath("ptaki"));
  Click(MainForm->Image1, 400, 400);
  EXPECT_FALSE(MainForm->MediaPlayer1->IsOpen());
  EXPECT_EQ(MainForm->PictureName, "a.bmp");
  Click(MainForm->Image1, 50, 50);
  EXPECT_EQ(MainForm->PictureName, "b.bmp");
}

TEST_F(LocationScreen, SpriteClicksPlayStartOrAnnounce) {
  TLocation l = Place();
  l.Sprites = {Sprite(1, 1), Sprite(0, 2), Sprite(0, 3), Sprite(1, 0)};
  l.WaveEvents = {"ptaki"};
  Load("A.lok", l);

  Click(MainForm->Ani_1, 5, 5);
  EXPECT_TRUE(MainForm->Ani_1->Play());
  EXPECT_TRUE(Playing("miau"));
  EXPECT_TRUE(MainForm->Timer1.Enabled());

  Click(MainForm->Ani_4, 5, 5);  // no action: it only moves
  EXPECT_TRUE(MainForm->Ani_4->Play());
  EXPECT_FALSE(MainForm->Ani_4->Loop());
  EXPECT_TRUE(messages.Messages.empty());

  // The idle show pauses while a "Skok do" box is up and goes on after it.
  std::vector<bool> idleShowDuringBox;
  SetMessageHandler([&](const TMessageRequest& request) {
    idleShowDuringBox.push_back(MainForm->Timer1.Enabled());
    messages.Messages.push_back(request);
    return 1;
  });
  Click(MainForm->Ani_2, 5, 5);
  EXPECT_TRUE(MainForm->Timer1.Enabled());
  Click(MainForm->Ani_3, 5, 5);
  EXPECT_TRUE(MainForm->Timer1.Enabled());
  EXPECT_EQ(idleShowDuringBox, (std::vector<bool>{false, false}));
  SetMessageHandler([this](const TMessageRequest& request) {
    messages.Messages.push_back(request);
    return 1;
  });
  ASSERT_EQ(messages.Messages.size(), 2u);
  EXPECT_EQ(messages.Messages[0].Kind, TMessageKind::Captioned);
  EXPECT_EQ(messages.Messages[0].Text, "Skok do lokacji");
  EXPECT_EQ(messages.Messages[0].Caption, "Skok do lokacji");
  EXPECT_EQ(messages.Messages[1].Text, "Skok do cwiczen (prezentacji)");
  EXPECT_EQ(messages.Messages[1].Caption, "Skok do cwiczen (prezentacji)");
}

TEST_F(LocationScreen, IdleTicksPlayVideosAndSoundsAndCycleTheLastFourSlots) {
  WriteAvi(inst.DataRoot() + "/lokacje/v1.avi", MakeClipFrames(3, QSize(40, 30)), 30);
  WriteAvi(inst.DataRoot() + "/lokacje/v2.avi", MakeClipFrames(3, QSize(40, 30)), 30);
  TLocation l = Place();
  l.AniEvents = {{100, 200, 30, 40, 0, "\\lokacje\\v1.avi", "auto"},
                 {300, 100, 60, 80, 7, "\\lokacje\\v2.avi", "silnik"}};
  Load("A.lok", l);

  std::vector<int> positions;
  for (int tick = 0; tick < 24; ++tick) {
    MainForm->Timer1Timer();
    if (tick < 2) {
      const TAniEvent& e = l.AniEvents[tick];
      EXPECT_EQ(MainForm->Ani_Timer->Widget()->geometry(), QRect(e.Left + 1, e.Top, e.Width, e.Height));
      EXPECT_TRUE(MainForm->Ani_Timer->Visible());
      EXPECT_TRUE(MainForm->Ani_Timer->AVIFile().endsWith(tick == 0 ? "v1.avi" : "v2.avi"));
      EXPECT_TRUE(Playing(e.Sound));
    }
    positions.push_back(MainForm->SchedulePos);
  }
  const std::vector<int> expected = {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                     14, 15, 16, 17, 18, 15, 16, 17, 18, 15, 16, 17};
  EXPECT_EQ(positions, expected);
  EXPECT_TRUE(MainForm->Timer1.Enabled());
  EXPECT_EQ(MainForm->Timer1.Interval(), 7000);

  // The window hides itself when its clip has played.
  MainForm->Timer1.SetEnabled(false);
  for (int i = 0; i < 300 && MainForm->Ani_Timer->Visible(); ++i) PumpEvents(10);
  EXPECT_FALSE(MainForm->Ani_Timer->Visible());

  // Showing the screen starts the show from the first slot.
  MainForm->Close();
  MainForm->Show();
  EXPECT_EQ(MainForm->SchedulePos, 1);
}

TEST_F(LocationScreen, SoundOnlyPlacesPlayTheirSoundsAndEmptyPlacesTickWithoutEffect) {
  TLocation l = Place();
  l.WaveEvents = {"ptaki", "wiatr", "zaba"};
  Load("A.lok", l);
  for (int tick = 0; tick < 3; ++tick) {
    MainForm->Timer1Timer();
    EXPECT_TRUE(Playing("ptaki") || Playing("wiatr") || Playing("zaba"));
    EXPECT_FALSE(MainForm->Ani_Timer->Visible());
  }

  // No idle events: after a return the timer runs, and a tick changes nothing.
  Load("B.lok", Place());
  MainForm->MediaPlayer1->Close();
  MainForm->ResumeLocation();
  EXPECT_TRUE(MainForm->Timer1.Enabled());
  EXPECT_EQ(MainForm->Timer1.Interval(), 1800);
  MainForm->Timer1Timer();
  EXPECT_EQ(MainForm->SchedulePos, 1);
  EXPECT_TRUE(MainForm->Timer1.Enabled());
  EXPECT_EQ(MainForm->Timer1.Interval(), 7000);
  EXPECT_FALSE(MainForm->MediaPlayer1->IsOpen());
}

TEST_F(LocationScreen, OverlappingExerciseSpotsLeaveWithTheLastListAndResumeRestoresThePlace) {
  TLocation l = Place();
  l.ExerciseSpots = {{0, 0, 100, 100, "\\first.txt"}, {50, 50, 150, 150, "\\second.txt"}};
  l.Sprites = {Sprite(0, 0), Sprite(1, 1)};
  l.Sprites[1].X = 300;
  l.WaveEvents = {"ptaki"};
  Load("A.lok", l);
  InputBlocked = false;
  QStringList lists;
  LoadExerciseList = [&](const QString& path) {
    lists << path;
    return true;
  };

  Click(MainForm->Image1, 75, 75);
  EXPECT_EQ(lists, (QStringList{ProgramDir + "\\first.txt", ProgramDir + "\\second.txt"}));
  EXPECT_FALSE(MainForm->Visible());
  EXPECT_FALSE(MainForm->Timer1.Enabled());
  EXPECT_TRUE(RegenerateGaps);
  EXPECT_FALSE(Cw1Form->button1->Visible());
  EXPECT_EQ(MainForm->Ani_Timer->Left(), -400);
  for (const TSpriteSlot& s : MainForm->Sprites) {
    EXPECT_FALSE(s.Control->Visible());
    EXPECT_FALSE(s.Control->Play());
    EXPECT_TRUE(s.Control->BitMap().isNull());
  }

  MainForm->Show();
  ::ResumeLocation();
  EXPECT_TRUE(MainForm->Timer1.Enabled());
  for (int i = 0; i < 2; ++i) {
    TAnimated* ani = MainForm->Sprites[i].Control;
    EXPECT_TRUE(ani->Visible());
    EXPECT_EQ(ani->BitMap().size(), QSize(120, 50));
    EXPECT_EQ(ani->Frame(), 0);
    EXPECT_EQ(ani->Play(), i == 0);
  }
  EXPECT_FALSE(MainForm->Ani_3->Visible());

  // The exercise button leaves with the place's own list.
  Load("B.lok", [] {
    TLocation b = Place();
    b.ExerciseListLines = 1;
    b.ExerciseListFile = "\\lista.txt";
    return b;
  }());
  lists.clear();
  Click(MainForm->btn_Cwicz1, 5, 5);
  EXPECT_EQ(lists, QStringList{ProgramDir + "\\lista.txt"});
  EXPECT_FALSE(MainForm->Visible());
}

TEST_F(LocationScreen, WithoutTheDispatchTheButtonsSayWhyAndThePlaceStays) {
  LoadExerciseList = nullptr;
  LoadDialogueList = nullptr;
  TLocation l = Place();
  l.ExerciseListLines = l.DialogueListLines = 1;
  l.ExerciseListFile = "\\lista.txt";
  l.DialogueListFile = "\\dialogi.txt";
  l.Sprites = {Sprite(0, 0)};
  Load("A.lok", l);
  Click(MainForm->btn_Cwicz1, 5, 5);
  Click(MainForm->btn_dialog1, 5, 5);
  ASSERT_EQ(messages.Messages.size(), 2u);
  EXPECT_TRUE(messages.Messages[0].Text.contains("\\lista.txt"));
  EXPECT_TRUE(messages.Messages[1].Text.contains("\\dialogi.txt"));
  EXPECT_TRUE(MainForm->Visible());
  EXPECT_TRUE(MainForm->Ani_1->Visible());
  EXPECT_TRUE(MainForm->Ani_1->Play());

  // With the dialogue list reader in place the dialogue screen takes over.
  QStringList dialogues;
  LoadDialogueList = [&](const QString& path) { dialogues << path; };
  DialogueFromExercise = true;
  Click(MainForm->btn_dialog1, 5, 5);
  EXPECT_EQ(dialogues, QStringList{ProgramDir + "\\dialogi.txt"});
  EXPECT_FALSE(DialogueFromExercise);
  EXPECT_TRUE(Cw5Form->Visible());
  EXPECT_FALSE(MainForm->Visible());
  EXPECT_FALSE(MainForm->Ani_1->Visible());
}

TEST_F(LocationScreen, ABrokenPlaceLeavesTheShownPlaceAsItWas) {
  TLocation good = Place("a.bmp");
  good.WalkSpots = {{0, 0, 100, 100, "Zla.lok", "0"}};
  good.Sprites = {Sprite(0, 0)};
  good.AniEvents = {{-400, 0, 10, 10, 0, "\\v.avi", "x"}};
  good.ExerciseListLines = 1;
  good.ExerciseListFile = "\\lista.txt";
  Load("A.lok", good);
  MainForm->Timer1Timer();  // the show is under way

  const auto broken = [&](const char* what, std::function<void()> write) {
    write();
    EXPECT_ANY_THROW(MainForm->LoadLocation("Zla.lok")) << what;
    EXPECT_EQ(MainForm->PictureName, "a.bmp") << what;
    EXPECT_EQ(MainForm->WalkCount, 1) << what;
    EXPECT_EQ(MainForm->SpriteCount, 1) << what;
    EXPECT_TRUE(MainForm->Ani_1->Visible() && MainForm->Ani_1->Play()) << what;
    EXPECT_TRUE(MainForm->btn_Cwicz1->Visible()) << what;
    EXPECT_TRUE(MainForm->btn_wroc->Visible()) << what;
    EXPECT_TRUE(MainForm->Timer1.Enabled()) << what;
    EXPECT_EQ(MainForm->Timer1.Interval(), 7000) << what;
    EXPECT_EQ(MainForm->SchedulePos, 2) << what;
    EXPECT_FALSE(InputBlocked) << what;
  };
  broken("missing file", [] {});
  broken("too many sprites", [&] {
    TLocation l = Place("b.bmp");
    for (int i = 0; i < 8; ++i) l.Sprites.push_back(Sprite(0, 0));
    Save("Zla.lok", l);
  });
  broken("missing picture", [&] { SaveLocationFile(inst.ProgramDir() + "/lokacje/Zla.lok", Place("brak.bmp")); });
  broken("missing strip", [&] {
    TLocation l = Place("b.bmp");
    l.Sprites = {Sprite(0, 0, "\\lokacje\\brak.bmp")};
    Save("Zla.lok", l);
  });
  broken("bad number", [&] {
    Lines("Zla.lok", {"Picture=b.bmp", "Walk spots =1", "Sound spots=0", "Exercise lists  =0",
                      "Dialog lists =0", "Sprites  =0", "ExSpots  =0", "Waves =0", "Videos   =0", "Back=NONE",
                      "W1 = 1,2,x,4,A.lok,0,"});
  });

  // Walking into a broken place reports it and keeps the place open to clicks.
  Click(MainForm->Image1, 10, 10);
  ASSERT_EQ(messages.Messages.size(), 1u);
  EXPECT_EQ(messages.Messages[0].Kind, TMessageKind::Error);
  EXPECT_TRUE(messages.Messages[0].Text.contains("Zla.lok")) << messages.Messages[0].Text.toStdString();
  EXPECT_EQ(MainForm->PictureName, "a.bmp");
  EXPECT_FALSE(InputBlocked);
}

TEST_F(LocationScreen, ExitSavesThePlayerAndShowsTheStartMenu) {
  QDir().mkpath(inst.ProgramDir() + "/login");
  PlayerName = "Ala";
  PlayerSex = "Woman";
  RedCount = 3;
  GreenCount = 5;
  TLocation l = Place("p.bmp", "NONE");
  l.AniEvents = {{-400, 0, 10, 10, 0, "\\v.avi", "x"}};
  Load("Start.lok", l);
  EXPECT_EQ(MainForm->lbl_Red->Caption(), "3");
  EXPECT_EQ(MainForm->lbl_Green->Caption(), "5");
  PlayWave(FxPath("ptaki"));
  Click(MainForm->btn_exit, 5, 5);
  EXPECT_TRUE(FileExists(LoginDir + "Ala.txt")) << LoginDir.toStdString();
  EXPECT_TRUE(MenuStart->Visible());
  EXPECT_TRUE(MenuStart->Timer1.Enabled());  // the menu's idle show starts again
  EXPECT_EQ(MenuStart->Timer1.Interval(), 2000);
  EXPECT_FALSE(MainForm->Timer1.Enabled());
  EXPECT_NE(MainForm->MediaPlayer1->Mode(), mpPlaying);
}

TEST_F(LocationScreen, TheDemoPlacesLoadAndLinkUp) {
  // The demo is part of every installation; every place it reaches must load.
  QStringList todo{"Start.lok"}, seen;
  while (!todo.isEmpty()) {
    const QString name = todo.takeFirst();
    if (seen.contains(name)) continue;
    seen << name;
    MainForm->LoadLocation(name);
    for (int i = 0; i < MainForm->WalkCount; ++i) todo << MainForm->WalkSpots[i].Target;
    if (MainForm->BackLink != "NONE") todo << MainForm->BackLink;
    for (int i = 0; i < MainForm->SpriteCount; ++i)
      EXPECT_EQ(MainForm->Sprites[i].Control->BitMap().width(),
                MainForm->Sprites[i].Control->Width() * MainForm->Sprites[i].Control->FrameCount())
          << name.toStdString();
  }
  EXPECT_EQ(seen.size(), 5);
  EXPECT_TRUE(messages.Messages.empty()) << messages.Texts().join('\n').toStdString();
}

// The demo's town square with the real idle timer: the first event comes
// 1.8 s after the load. TARVOLIN_WORLD_SHOW_MS=n keeps the show running n ms
// longer (on a real display with QT_QPA_PLATFORM=xcb), and with
// TARVOLIN_WORLD_SHOT_DIR=dir a picture of the screen is written every 500 ms.
TEST_F(LocationScreen, DemoIdleShowBeginsAfterTheFirstPause) {
  const int showMs = qEnvironmentVariableIntValue("TARVOLIN_WORLD_SHOW_MS");
  const QString shots = qEnvironmentVariable("TARVOLIN_WORLD_SHOT_DIR");
  if (showMs > 0) {
    Stage()->ShowStage(true);
    Stage()->CentreScreens();
  }
  ::LoadLocation("Start.lok");
  MainForm->Show();
  MainForm->BringToFront();
  EXPECT_FALSE(InputBlocked);  // the square has idle videos
  EXPECT_TRUE(MainForm->btn_exit->Visible());
  for (int i = 0; i < 500 && MainForm->SchedulePos == 1; ++i) PumpEvents(10);
  ASSERT_EQ(MainForm->SchedulePos, 2);
  const TScheduleSlot first = MainForm->EventSchedule[0];
  if (first.Kind == TEventKind::Video) {
    EXPECT_TRUE(MainForm->Ani_Timer->Visible());
    EXPECT_TRUE(MainForm->Ani_Timer->Playing());
    EXPECT_TRUE(Playing(first.Index == 1 ? "wiatr" : "auto"));
  } else {
    EXPECT_TRUE(Playing("dzwon"));
  }
  EXPECT_EQ(MainForm->Timer1.Interval(), 7000);
  for (int t = 0; t < showMs; t += 500) {
    if (!shots.isEmpty())
      MainForm->grab().save(QString("%1/show-%2.png").arg(shots).arg(t, 6, 10, QChar('0')));
    PumpEvents(500);
  }
}

}  // namespace
