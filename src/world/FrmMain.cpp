#include "world/FrmMain.h"

#include "app/Globals.h"
#include "app/Shared.h"
#include "app/Sound.h"
#include "controls/Ani95.h"
#include "controls/Animate.h"
#include "controls/ButtonStrips.h"
#include "controls/MyImageList.h"
#include "controls/TransparentButton.h"
#include "exercises/FrmCw1.h"
#include "exercises/FrmCw5.h"
#include "menu/FrmMenuStart.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/MediaPlayer.h"
#include "platform/Picture.h"
#include "platform/SafeMath.h"
#include "players/PlayerFile.h"
#include "world/Dialogues.h"
#include "world/FrmMainFiles.h"

TMainForm* MainForm = nullptr;
std::function<bool(const QString& path)> LoadExerciseList;
std::function<void(const QString& path)> LoadDialogueList;
std::function<void(const QStringList& paths)> PrepareExerciseLists;

namespace {
constexpr int kIdleInterval = 7000;
constexpr int kFirstIdleTick = 1800;
constexpr int kOffStage = -300;
}  // namespace

TMainForm::TMainForm() {
  SetColor(clBlack);
  KeyPreview = true;
  Image1_2 = new TImage(this);
  Image1_2->SetBounds(0, 0, 640, 480);
  Image1 = new TImage(this);
  Image1->SetBounds(8, 37, 570, 433);
  Image1->OnMouseDown = [this](TMouseButton b, TShiftState s, int x, int y) { Image1MouseDown(b, s, x, y); };
  Image1->OnMouseMove = [this](TShiftState s, int x, int y) { Image1MouseMove(s, x, y); };
  // The cursor follows the spots with no button held, so every move must arrive.
  Image1->setMouseTracking(true);

  TAnimated** slots[MaxSprites] = {&Ani_1, &Ani_2, &Ani_3, &Ani_4, &Ani_5, &Ani_6, &Ani_7};
  for (int i = 0; i < MaxSprites; ++i) {
    auto* ani = new TAnimated(this);
    ani->SetLeft(kOffStage);
    ani->Hide();
    ani->Tag = i + 1;
    ani->OnMouseDown = [this, i](TMouseButton, TShiftState, int, int) { Ani_1MouseDown(i + 1); };
    *slots[i] = ani;
    // Bound here rather than after the frame picture loads, so a missing
    // frame can never leave a slot without its control.
    Sprites[i].Control = ani;
  }

  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);

  btn_Cwicz1 = NewButton(this, 584, 40, 8, QStringLiteral("Ćwiczenia"));
  btn_Cwicz1->OnClick = [this] { Btn_Cwicz1Click(); };
  btn_dialog1 = NewButton(this, 587, 89, 9, QStringLiteral("Dialogi i ćwiczenia"));
  btn_dialog1->OnClick = [this] { Btn_Dialo1Click(); };
  btn_wroc = NewButton(this, 586, 425, 0, QStringLiteral("Powrót"));
  btn_wroc->OnClick = [this] { Btn_WrocClick(); };
  btn_exit = NewButton(this, 586, 425, 0, QStringLiteral("Koniec"));
  btn_exit->OnClick = [this] { Btn_ExitClick(); };

  MediaPlayer1 = new TMediaPlayer(this);
  MediaPlayer1->OnNotify = [this] { MediaPlayer1Notify(); };

  Ani_Timer = new TAnimation(this);
  Ani_Timer->SetBounds(kOffStage, 180, 169, 97);
  Ani_Timer->SetCenter(true);
  Ani_Timer->SetTransparent(true);
  Ani_Timer->SetStartFrame(1);
  Ani_Timer->SetEndFrame(0);
  Ani_Timer->SetRepeatCount(1);
  Ani_Timer->OnStop = [this] { Ani_Timer_oldStop(); };

  Timer1.SetEnabled(false);
  Timer1.SetInterval(kIdleInterval);
  Timer1.OnTimer = [this] { Timer1Timer(); };

  MyImageList1 = &SharedImageList();
}

TMainForm::~TMainForm() {
  Timer1.SetEnabled(false);
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::FormCreate() {
  AniCount = 0;
  SpriteCount = 0;
  InputBlocked = false;
  // The sign-in screens show three of the button strips, decoded as they are
  // drawn; this screen's frame and the other strips follow the first picture.
  LoadButtonStrips(*MyImageList1, ProgramDir);
  AfterFirstPaint([this] {
    Image1_2->SetPicture(LoadPicture(MainFiles::Frame.In(ProgramDir, DataRoot)));
    MyImageList1->DecodeWaiting();
  });
}

void TMainForm::FormShow() { SchedulePos = 1; }

void TMainForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }

QString TMainForm::FxPath(const QString& sound) const {
  return DataRoot + QStringLiteral("\\lokacje\\Fx\\") + sound + QStringLiteral(".wav");
}

// ---------------------------------------------------------------------------
// Loading a place

TPreparedPlace TMainForm::PreparePlace(const QString& name) {
  TPreparedPlace p;
  p.Place = ReadLocationFile(ProgramDir + LocationsDir + name);
  p.Picture = LoadPicture(DataRoot + LocationsDir + p.Place.Picture);
  p.Strips.reserve(p.Place.Sprites.size());
  for (const TSpriteRecord& s : p.Place.Sprites) p.Strips.push_back(LoadPicture(DataRoot + s.Strip));
  return p;
}

void TMainForm::LoadLocation(const QString& name) { ApplyPlace(PreparePlace(name)); }

void TMainForm::ApplyPlace(const TPreparedPlace& prepared) {
  const TLocation& loc = prepared.Place;
  InputBlocked = true;
  AniCount = 0;
  Image1->SetCursor(TCursor::crArrow);
  Randomize();
  Ani_Timer->Stop();
  Ani_Timer->Hide();
  Ani_Timer->SetLeft(kOffStage);
  Timer1.SetEnabled(false);
  Timer1.SetInterval(kFirstIdleTick);
  lbl_Red->SetCaption(QString::number(RedCount));
  lbl_Green->SetCaption(QString::number(GreenCount));
  UpdateCounters();

  PictureName = loc.Picture;
  BackLink = loc.BackLink;
  WalkCount = static_cast<int>(loc.WalkSpots.size());
  SoundCount = static_cast<int>(loc.SoundSpots.size());
  SpriteCount = static_cast<int>(loc.Sprites.size());
  ExerciseSpotCount = static_cast<int>(loc.ExerciseSpots.size());
  WaveCount = static_cast<int>(loc.WaveEvents.size());

  const bool top = BackLink == QLatin1String("NONE");
  btn_wroc->SetVisible(!top);
  btn_exit->SetVisible(top);
  btn_Cwicz1->SetVisible(loc.ExerciseListLines >= 1);
  btn_dialog1->SetVisible(loc.DialogueListLines >= 1);

  std::copy(loc.WalkSpots.begin(), loc.WalkSpots.end(), WalkSpots.begin());
  std::copy(loc.SoundSpots.begin(), loc.SoundSpots.end(), SoundSpots.begin());
  if (loc.ExerciseListLines >= 1) ExerciseListFile = loc.ExerciseListFile;
  if (loc.DialogueListLines >= 1) DialogueListFile = loc.DialogueListFile;

  for (TSpriteSlot& slot : Sprites) {
    slot.Control->Hide();
    slot.Control->SetPlay(false);
  }
  for (int i = 0; i < SpriteCount; ++i) {
    const TSpriteRecord& r = loc.Sprites[i];
    TSpriteSlot& slot = Sprites[i];
    TAnimated* ani = slot.Control;
    ani->SetInterval(r.Interval);
    ani->SetFrameCount(r.Frames);
    // The strip goes in as a file load would: the sprite keeps the size the place gives it.
    ani->SetBitMap(prepared.Strips[i]);
    ani->SetBounds(OffsetCoordinate(r.X, Image1->Left()), OffsetCoordinate(r.Y, Image1->Top()),
                   r.Width, r.Height);
    slot.Strip = r.Strip;
    slot.Action = r.Action;
    slot.Sound = r.Sound;
    slot.Still = r.Still;
    ani->SetCursor(r.Action == 1 || r.Still == 1 ? TCursor::crHelp : TCursor::crArrow);
  }

  std::copy(loc.ExerciseSpots.begin(), loc.ExerciseSpots.end(), ExerciseSpots.begin());
  std::copy(loc.WaveEvents.begin(), loc.WaveEvents.end(), WaveEvents.begin());
  for (const TAniEvent& e : loc.AniEvents) {
    AniEvents[AniCount++] = e;
    InputBlocked = false;
  }

  Image1->SetPicture(prepared.Picture);
  Image1->Repaint();
  for (int i = 0; i < SpriteCount; ++i) {
    TAnimated* ani = Sprites[i].Control;
    ani->SetFrame(0);
    ani->Show();
    ani->Repaint();
    ani->SetLoop(false);
    if (Sprites[i].Still == 0) {
      ani->SetPlay(true);
      ani->SetLoop(true);
    }
  }

  Randomize();
  BuildEventSchedule(EventSchedule, AniCount, WaveCount);
  SchedulePos = 1;
  Timer1.SetEnabled(WaveCount > 0 || AniCount > 0);
  PrepareExercises();
}

void TMainForm::ResumeLocation() {
  Image1->Repaint();
  for (int i = 0; i < SpriteCount; ++i) {
    TAnimated* ani = Sprites[i].Control;
    ani->LoadBitMap(DataRoot + Sprites[i].Strip);
    ani->SetFrame(0);
    ani->Show();
    ani->Repaint();
    ani->SetLoop(false);
    if (Sprites[i].Still == 0) {
      ani->SetPlay(true);
      ani->SetLoop(true);
    }
  }
  Timer1.SetEnabled(true);
  PrepareExercises();
}

// The first exercise behind the button and behind each exercise spot is
// decoded while the child looks around the place.
void TMainForm::PrepareExercises() const {
  if (!PrepareExerciseLists) return;
  QStringList lists;
  if (btn_Cwicz1->Visible()) lists << ProgramDir + ExerciseListFile;
  for (int i = 0; i < ExerciseSpotCount; ++i) lists << ProgramDir + ExerciseSpots[i].ListFile;
  lists.removeDuplicates();
  PrepareExerciseLists(lists);
}

// ---------------------------------------------------------------------------
// Spots. Walk spots count every border pixel; sound and exercise spots leave
// out their left column, and exercise spots their bottom row for the cursor.

int TMainForm::WalkSpotAt(int x, int y) const {
  for (int i = 0; i < WalkCount; ++i) {
    const TWalkSpot& s = WalkSpots[i];
    if (s.Left <= x && x <= s.Right && s.Top <= y && y <= s.Bottom) return i;
  }
  return -1;
}

int TMainForm::SoundSpotAt(int x, int y) const {
  for (int i = 0; i < SoundCount; ++i) {
    const TSoundSpot& s = SoundSpots[i];
    if (s.Left < x && x <= s.Right && s.Top <= y && y <= s.Bottom) return i;
  }
  return -1;
}

int TMainForm::ExerciseSpotAt(int x, int y, bool forCursor) const {
  for (int i = 0; i < ExerciseSpotCount; ++i) {
    const TExerciseSpot& s = ExerciseSpots[i];
    const bool inY = forCursor ? s.Top <= y && y < s.Bottom : s.Top <= y && y <= s.Bottom;
    if (s.Left < x && x <= s.Right && inY) return i;
  }
  return -1;
}

void TMainForm::Image1MouseDown(TMouseButton, TShiftState, int x, int y) {
  StopAndClose(MediaPlayer1);
  if (InputBlocked) return;
  if (const int w = WalkSpotAt(x, y); w >= 0) {
    const TWalkSpot spot = WalkSpots[w];  // the load below rewrites the table
    if (spot.Sound != QLatin1String("0")) PlayWave(FxPath(spot.Sound));
    LoadLocation(spot.Target);
    InputBlocked = false;
    return;
  }
  if (const int s = SoundSpotAt(x, y); s >= 0) {
    PlayWave(FxPath(SoundSpots[s].Sound));
    return;
  }
  // Every exercise spot under the point is acted on, so the last one decides the list.
  for (int i = 0; i < ExerciseSpotCount; ++i) {
    const TExerciseSpot& s = ExerciseSpots[i];
    if (s.Left < x && x <= s.Right && s.Top <= y && y <= s.Bottom) LeaveForExercises(s.ListFile);
  }
}

void TMainForm::Image1MouseMove(TShiftState, int x, int y) {
  if (InputBlocked) return;
  if (WalkSpotAt(x, y) >= 0) {
    Image1->SetCursor(TCursor::crHandPoint);
  } else if (SoundSpotAt(x, y) >= 0) {
    Image1->SetCursor(TCursor::crHelp);
  } else if (ExerciseSpotAt(x, y, true) >= 0) {
    Image1->SetCursor(TCursor::crHandPoint);
  } else if (Image1->Cursor() != TCursor::crArrow) {
    Image1->SetCursor(TCursor::crArrow);
  }
}

// The idle show keeps quiet while the box is up and goes on once it is closed;
// left off, a single tap on the sprite would silence the place for good.
void TMainForm::AnnounceJump(const QString& text) {
  const bool idleShow = Timer1.Enabled();
  Timer1.SetEnabled(false);
  MessageBoxCaption(text, text);
  if (idleShow && Visible()) Timer1.SetEnabled(true);
}

void TMainForm::Ani_1MouseDown(int slot) {
  if (slot < 1 || slot > MaxSprites) return;
  const TSpriteSlot& s = Sprites[slot - 1];
  if (s.Still == 1) s.Control->SetPlay(true);
  switch (s.Action) {
    case 1:
      PlayWave(FxPath(s.Sound));
      break;
    case 2:
      AnnounceJump(QStringLiteral("Skok do lokacji"));
      break;
    case 3:
      AnnounceJump(QStringLiteral("Skok do cwiczen (prezentacji)"));
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------
// The idle show

void TMainForm::Timer1Timer() {
  Timer1.SetEnabled(false);
  Timer1.SetInterval(kIdleInterval);
  Ani_Timer->Stop();
  const TScheduleSlot slot = EventSchedule[SchedulePos - 1];
  if (slot.Kind == TEventKind::Sound) {
    if (WaveCount == 0) {
      Timer1.SetEnabled(true);
      return;
    }
    if (slot.Index >= 1 && slot.Index <= WaveCount) PlayWave(FxPath(WaveEvents[slot.Index - 1]));
  } else if (slot.Kind == TEventKind::Video) {
    if (AniCount == 0) {
      Timer1.SetEnabled(true);
      return;
    }
    if (slot.Index >= 1 && slot.Index <= AniCount) {
      const TAniEvent& e = AniEvents[slot.Index - 1];
      Ani_Timer->SetHeight(e.Height);
      Ani_Timer->SetWidth(e.Width);
      Ani_Timer->SetAVIFile(DataRoot + e.Video);
      Ani_Timer->SetLeft(OffsetCoordinate(e.Left, 1));
      Ani_Timer->SetTop(OffsetCoordinate(e.Top));
      Ani_Timer->Show();
      Ani_Timer->BringToFront();
      Ani_Timer->Play();
      PlayWave(FxPath(e.Sound));
    }
  }
  // The eighteen slots play once, then the last four repeat.
  if (++SchedulePos == ScheduleSlots + 1) SchedulePos = 15;
  Timer1.SetEnabled(true);
}

void TMainForm::Ani_Timer_oldStop() { Ani_Timer->Hide(); }

// ---------------------------------------------------------------------------
// Leaving the place

void TMainForm::StopPlaceForLeaving() {
  for (TSpriteSlot& s : Sprites) s.Control->SetPlay(false);
  for (TSpriteSlot& s : Sprites) s.Control->Hide();
  for (TSpriteSlot& s : Sprites) s.Control->ClearBitMap();
  Ani_Timer->Stop();
  Ani_Timer->SetLeft(-400);
}

void TMainForm::LeaveForExercises(const QString& listFile) {
  if (!LoadExerciseList)
    throw EInvalidOperation(QStringLiteral("Ćwiczenia nie są jeszcze dostępne (lista %1).").arg(listFile));
  StopAndClose(MediaPlayer1);
  // The list and its first exercise are read and checked before the place
  // stops: a broken file leaves it running and shows only the error.
  const bool idleShow = Timer1.Enabled();
  Timer1.SetEnabled(false);
  RegenerateGaps = true;
  if (Cw1Form && Cw1Form->button1) Cw1Form->button1->Hide();
  bool started = false;
  try {
    started = LoadExerciseList(ProgramDir + listFile);
  } catch (...) {
    Timer1.SetEnabled(idleShow);
    throw;
  }
  if (!started) {
    Timer1.SetEnabled(idleShow);
    return;
  }
  StopPlaceForLeaving();
  Close();
}

void TMainForm::Btn_Cwicz1Click() { LeaveForExercises(ExerciseListFile); }

void TMainForm::Btn_Dialo1Click() {
  if (!LoadDialogueList)
    throw EInvalidOperation(
        QStringLiteral("Dialogi nie są jeszcze dostępne (lista %1).").arg(DialogueListFile));
  if (Cw5Form && Cw5Form->Visible()) Cw5Form->Close();
  DialogueFromExercise = false;
  const bool idleShow = Timer1.Enabled();
  Timer1.SetEnabled(false);
  StopAndClose(MediaPlayer1);
  try {
    LoadDialogueList(ProgramDir + DialogueListFile);
  } catch (...) {
    Timer1.SetEnabled(idleShow);
    throw;
  }
  if (Cw5Form) Cw5Form->Show();
  Timer1.SetEnabled(false);
  StopPlaceForLeaving();
  Close();
}

void TMainForm::Btn_WrocClick() {
  LoadLocation(BackLink);
  InputBlocked = false;
}

void TMainForm::Btn_ExitClick() {
  Ani_Timer->Stop();
  Timer1.SetEnabled(false);
  if (MediaPlayer1->IsOpen()) MediaPlayer1->Stop();
  SavePlayer();
  if (MenuStart) MenuStart->Show();
  RestartMenuIdle();
}

void LoadLocation(const QString& name) { MainForm->LoadLocation(name); }

void ResumeLocation() { MainForm->ResumeLocation(); }

void TMainForm::MediaPlayer1Notify() { MainMediaPlayerNotify(MediaPlayer1->NotifyValue()); }
