#include "menu/FrmMenuStart.h"

#include <optional>

#include "app/Globals.h"
#include "app/Shared.h"
#include "app/Sound.h"
#include "controls/TransparentButton.h"
#include "exercises/FrmCw6.h"
#include "exercises/SongFile.h"
#include "menu/FrmMenuStartFiles.h"
#include "platform/Application.h"
#include "platform/AudioDecoder.h"
#include "platform/Beep.h"
#include "platform/Errors.h"
#include "platform/Picture.h"
#include "platform/SafeMath.h"
#include "platform/VideoClip.h"
#include "players/FrmTopTen.h"
#include "players/PlayerFile.h"
#include "tools/FrmAlfabet.h"
#include "tools/FrmSlownik.h"
#include "world/FrmMain.h"

TMenuStart* MenuStart = nullptr;
int MenuIdleStep = 0;
bool MenuVideoMode = false;

namespace {
const TColor kLocked = clGray;

struct TStarPlace {
  int X, Y;
};
constexpr std::array<TStarPlace, 7> kStars = {{
    {189, 16},
    {167, 98},
    {432, 98},
    {254, 190},
    {215, 212},
    {222, 428},
    {432, 448},
}};

QString Description() {
  return (PlayerSex == QLatin1String("Woman") ? MenuStartFiles::GirlDescription
                                              : MenuStartFiles::BoyDescription)
      .In(ProgramDir, DataRoot);
}

TPanel* VideoPanel(QWidget* parent, int left, int top, int width, int height) {
  auto* panel = new TPanel(parent);
  panel->SetColor(clBlack);
  panel->SetBounds(left, top, width, height);
  panel->Hide();
  return panel;
}

// The star a draw of 0 .. 69 chooses (0-based), or -1 for 30, which keeps the last one.
int StarOf(int draw) {
  if (draw < 30) return draw / 10;
  if (draw == 30) return -1;
  return std::min(6, (draw - 31) / 10 + 3);
}
}  // namespace

TMenuStart::TMenuStart() {
  KeyPreview = true;
  SetColor(clBlack);
  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 640, 480);

  Image2 = new TImage(this);
  Image2->SetAutoSize(true);
  Image2->Hide();

  Panel_swin = VideoPanel(this, 421, 330, 219, 110);
  Panel_pies = VideoPanel(this, 0, 379, 122, 101);
  Panel_ptak = VideoPanel(this, 415, 187, 165, 102);
  Panel_wechikol = VideoPanel(this, 426, 266, 158, 176);
  TImage** stills[] = {&still_swin_, &still_pies_, &still_ptak_, &still_wechikol_};
  TPanel* panels[] = {Panel_swin, Panel_pies, Panel_ptak, Panel_wechikol};
  TMediaPlayer** players[] = {&Avi_swin, &avi_pies, &avi_ptak, &avi_wechikol};
  for (int i = 0; i < 4; ++i) {
    *stills[i] = new TImage(panels[i]);
    (*stills[i])->SetAutoSize(true);
    *players[i] = new TMediaPlayer(this);
    (*players[i])->Notify = false;
    (*players[i])->SetDisplay(panels[i]);
  }
  // The menu follows the sign-in within seconds; clips of a codec only FFmpeg
  // reads would otherwise load its libraries during that screen change.
  QStringList clips;
  for (const TVideo& v : Videos()) clips << v.File.In(ProgramDir, DataRoot);
  TVideoClip::PrepareFor(clips);

  // Over the pictures, so a click anywhere on the big area starts the adventure.
  lbl_Start = ClickArea(this, 587, 8, 53, 41, QStringLiteral("Start"));
  lbl_BIG = ClickArea(this, 12, 20, 513, 429);
  lbl_City = ClickArea(this, -100, 32, 73, 21);
  lbl_City->Hide();
  lbl_Alfabet = ClickArea(this, 584, 52, 53, 41, QStringLiteral("Alfabet"));
  lbl_TopTen = ClickArea(this, 584, 92, 53, 37, QStringLiteral("Najlepsi"));
  lbl_Songs = ClickArea(this, 584, 132, 53, 53, QStringLiteral("Piosenki"));
  lbl_Opis = ClickArea(this, 584, 184, 53, 53, QStringLiteral("Opis"));
  lbl_Dictionary = ClickArea(this, 588, 236, 49, 49, QStringLiteral("Słownik"));
  lbl_Exit = ClickArea(this, 584, 435, 53, 41, QStringLiteral("Koniec"));
  for (TLabel* l : {lbl_Start, lbl_BIG, lbl_City}) l->OnClick = [this] { lbl_CityClick(); };
  lbl_Alfabet->OnClick = [this] { lbl_AlfabetClick(); };
  lbl_TopTen->OnClick = [this] { lbl_TopTenClick(); };
  lbl_Songs->OnClick = [this] { lbl_SongsClick(); };
  lbl_Opis->OnClick = [this] { lbl_OpisClick(); };
  lbl_Dictionary->OnClick = [this] { lbl_DictionaryClick(); };
  lbl_Exit->OnClick = [this] { lbl_ExitClick(); };

  TLabel** songs[] = {&S_Count, &S_Colour, &S_Head, &S_This, &S_IHear, &S_The, &S_IDID, &S_What};
  for (size_t i = 0; i < SongLabels.size(); ++i) {
    const TSongLabel& s = SongLabels[i];
    TLabel* label = ClickArea(this, 68, s.Top, s.Width, 25);
    label->SetFont(TFont{QStringLiteral("MS Sans Serif"), -16, clBlack, fsBold});
    label->SetCaption(QString::fromUtf8(s.Caption));
    label->Hide();
    *songs[i] = label;
  }
  S_Count->OnClick = [this] { S_CountClick(); };
  S_Colour->OnClick = [this] { S_ColourClick(); };
  S_Head->OnClick = [this] { S_HeadClick(); };
  S_This->OnClick = [this] { S_ThisClick(); };
  S_IHear->OnClick = [this] { S_IHearClick(); };
  S_The->OnClick = [this] { S_TheClick(); };
  S_IDID->OnClick = [this] { S_IDIDClick(); };
  S_What->OnClick = [this] { S_WhatClick(); };
  S_Powrot = ClickArea(this, 556, 380, 73, 89);
  S_Powrot->Hide();
  S_Powrot->OnClick = [this] { S_PowrotClick(); };

  Timer1.SetEnabled(false);
  Timer1.SetInterval(5000);
  Timer1.OnTimer = [this] { Timer1Timer(); };
  Timer2.SetEnabled(false);
  Timer2.SetInterval(500);
  Timer2.OnTimer = [this] { Timer2Timer(); };
  MenuIdleStep = 0;
  MenuVideoMode = false;
}

TMenuStart::~TMenuStart() {
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  if (MenuStart == this) MenuStart = nullptr;
}

void TMenuStart::FormCreate() {
  for (const TVideo& v : Videos()) v.Panel->Hide();
}

std::array<TLabel*, 8> TMenuStart::SongLabelControls() const {
  return {S_Count, S_Colour, S_Head, S_This, S_IHear, S_The, S_IDID, S_What};
}

std::array<TLabel*, 9> TMenuStart::TitleLabels() const {
  return {lbl_Songs,   lbl_Start,  lbl_City, lbl_Dictionary, lbl_Exit,
          lbl_Alfabet, lbl_TopTen, lbl_Opis, lbl_BIG};
}

std::array<TMenuStart::TVideo, 4> TMenuStart::Videos() const {
  return {{
      {Panel_swin, Avi_swin, still_swin_, MenuStartFiles::PigVideo},
      {Panel_pies, avi_pies, still_pies_, MenuStartFiles::DogVideo},
      {Panel_ptak, avi_ptak, still_ptak_, MenuStartFiles::ParrotVideo},
      {Panel_wechikol, avi_wechikol, still_wechikol_, MenuStartFiles::TimeMachineVideo},
  }};
}

// ---------------------------------------------------------------------------
// Showing

void TMenuStart::FormShow() {
  Image1->LoadFromFile(MenuStartFiles::Title.In(ProgramDir, DataRoot));
  // A clip that cannot be opened is reported once the menu is otherwise ready,
  // so the songs stay locked and the show runs without that animal.
  std::optional<QString> videoError;
  try {
    OpenVideos();
  } catch (const Exception& e) {
    videoError = e.Message;
  }
  for (TLabel* l : TitleLabels()) l->SetCursor(TCursor::crHandPoint);
  for (TLabel* l : SongLabelControls()) l->SetCursor(TCursor::crHandPoint);
  S_Powrot->SetCursor(TCursor::crHandPoint);
  ApplySongLocks();
  Timer1.SetEnabled(false);
  MenuIdleStep = 0;
  Timer1.SetInterval(1500);
  Timer1.SetEnabled(true);
  Timer2.SetEnabled(true);
  if (videoError) throw EInOutError(*videoError);
}

void TMenuStart::OpenVideos() {
  std::optional<QString> firstError;
  for (const TVideo& v : Videos()) {
    const QString path = v.File.In(ProgramDir, DataRoot);
    try {
      v.Player->Close();
      v.Player->FileName = path;
      v.Player->Open();
      // The animal's still picture: the clip's first frame, under the video.
      if (v.Still->Picture().isNull()) {
        TVideoClip clip;
        clip.Open(path);
        v.Still->SetPicture(clip.Frame(0));
      }
    } catch (const Exception& e) {
      if (!firstError) firstError = e.Message;
    }
  }
  if (firstError) throw EInOutError(*firstError);
}

void TMenuStart::ApplySongLocks() {
  const auto labels = SongLabelControls();
  for (size_t i = 0; i < labels.size(); ++i) {
    const TSongLabel& s = SongLabels[i];
    const bool locked = RedCount < s.OpenFrom;
    labels[i]->SetFontColor(locked ? kLocked : clBlack);
    labels[i]->Tag = locked ? 1 : 0;
    labels[i]->SetHint(
        locked ? QStringLiteral("Ta piosenka otworzy się, gdy ukończysz %1 różnych ćwiczeń. "
                                "Masz ich już %2.")
                     .arg(s.OpenFrom)
                     .arg(RedCount)
               : QString());
  }
}

void TMenuStart::FormClose() {
  Image1->SetPicture(QImage());
}

void TMenuStart::FormDeactivate() {
  StopWave();
}

void TMenuStart::FormKeyDown(int& key, TShiftState shift) {
  EndOnAltF4(key, shift);
}

// ---------------------------------------------------------------------------
// The idle show and the stars

void TMenuStart::ShowVideo(TPanel* panel, TMediaPlayer* player) {
  panel->Show();
  if (player->IsOpen()) player->Play();
}

void TMenuStart::Timer1Timer() {
  if (MenuVideoMode && MenuIdleStep == 4) {
    if (Random(20) + 1 <= 10) {
      Panel_ptak->Hide();
      Panel_swin->Hide();
      ShowVideo(Panel_wechikol, avi_wechikol);
    } else {
      Panel_wechikol->Hide();
      Panel_swin->Hide();
      ShowVideo(Panel_ptak, avi_ptak);
    }
    return;
  }
  MenuIdleStep = MenuIdleStep >= 6 || MenuIdleStep < 0 ? 1 : MenuIdleStep + 1;
  switch (MenuIdleStep) {
    case 2:
      Timer1.SetEnabled(false);
      StopWave();
      PlayWave(MenuStartFiles::DogLine.In(ProgramDir, DataRoot));
      ShowVideo(Panel_pies, avi_pies);
      Timer1.SetInterval(3000);
      Timer1.SetEnabled(true);
      break;
    case 3:
    case 5:
      Timer1.SetEnabled(false);
      if (MenuIdleStep == 5) MenuVideoMode = false;
      Panel_ptak->Hide();
      Panel_wechikol->Hide();
      ShowVideo(Panel_swin, Avi_swin);
      StopWave();
      PlayWave(MenuStartFiles::PigLine.In(ProgramDir, DataRoot));
      Timer1.SetInterval(5000);
      Timer1.SetEnabled(true);
      break;
    case 4:
      MenuVideoMode = true;
      Timer1.SetInterval(10000);
      StopWave();
      if (VisitCount > 1) {
        PlayWave(MenuStartFiles::Music.In(ProgramDir, DataRoot));
      } else {
        VisitCount = AddClamped(VisitCount, 1);
        PlayWave(Description());
      }
      break;
    case 6:
      MenuVideoMode = true;
      Timer1.SetInterval(10000);
      StopWave();
      PlayWave(MenuStartFiles::Music.In(ProgramDir, DataRoot));
      break;
    default:
      break;
  }
}

QImage TMenuStart::StarPicture(int star) {
  if (stars_[star].isNull() && !starFailed_[star]) {
    try {
      stars_[star] = LoadPicture(MenuStartFiles::Stars[star].In(ProgramDir, DataRoot));
    } catch (const Exception&) {
      // Reported once; the timer must not raise a box every second.
      starFailed_[star] = true;
      throw;
    }
  }
  return stars_[star];
}

void TMenuStart::Timer2Timer() {
  if (Image2->Visible()) {
    Image2->Hide();
    return;
  }
  const int star = StarOf(Random(70));
  if (star >= 0) {
    const QImage picture = StarPicture(star);
    if (picture.isNull()) return;
    Image2->SetPicture(picture);
    Image2->SetBounds(kStars[star].X, kStars[star].Y, picture.width(), picture.height());
  }
  Image2->Show();
}

void TMenuStart::HideMenuVideos() {
  Timer1.SetEnabled(false);
  for (const TVideo& v : Videos()) {
    v.Panel->Hide();
    // A hidden clip must not go on playing (and sounding) behind another screen.
    v.Player->Rewind();
  }
}

void TMenuStart::RestartMenuIdle() {
  for (const TVideo& v : Videos()) v.Panel->Hide();
  MenuIdleStep = 0;
  MenuVideoMode = false;
  Timer1.SetInterval(2000);
  Timer1.SetEnabled(true);
  Timer2.SetEnabled(true);
}

// ---------------------------------------------------------------------------
// Clicks

void TMenuStart::lbl_CityClick() {
  StopWave();
  LoadLocation(QStringLiteral("Start.lok"));
  // As after every other load of a place, the place takes clicks.
  InputBlocked = false;
  Timer2.SetEnabled(false);
  MainForm->Show();
  HideMenuVideos();
  Close();
}

void TMenuStart::LeaveForScreen() {
  StopWave();
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  Image2->Hide();
  HideMenuVideos();
}

void TMenuStart::lbl_DictionaryClick() {
  if (SlownikForm) SlownikForm->FoundEntry = 0;
  LeaveForScreen();
  if (SlownikForm) SlownikForm->ShowModal();
}

void TMenuStart::lbl_AlfabetClick() {
  // Read before anything changes, so a missing picture leaves the menu running.
  const QImage picture = LoadPicture(MenuStartFiles::AlphabetBoard.In(ProgramDir, DataRoot));
  LeaveForScreen();
  if (!AlfabetForm) return;
  AlfabetForm->Image1->SetPicture(picture);
  AlfabetForm->Show();
}

void TMenuStart::lbl_TopTenClick() {
  LeaveForScreen();
  if (TopTenForm) {
    // The crown for a girl, the time machine for a boy.
    TopTenForm->TransparentButton1->SetBitmapNormal(PlayerSex == QLatin1String("Woman") ? 20 : 19);
    TopTenForm->Show();
  }
  PlayWave(MenuStartFiles::Fanfare.In(ProgramDir, DataRoot));
}

void TMenuStart::lbl_OpisClick() {
  StopWave();
  Timer1.SetEnabled(false);
  PlayWave(Description());
}

void TMenuStart::ShowTitlePage(bool show) {
  for (TLabel* l : TitleLabels()) l->SetVisible(show);
  for (TLabel* l : SongLabelControls()) l->SetVisible(!show);
  S_Powrot->SetVisible(!show);
}

void TMenuStart::lbl_SongsClick() {
  const QImage page = LoadPicture(MenuStartFiles::SongsPage.In(ProgramDir, DataRoot));
  // A song of a codec only FFmpeg reads would load its libraries on the click that opens it.
  QStringList songs;
  for (const TSongLabel& s : SongLabels) songs << SongWavePath(DataRoot, s.Song, QString());
  PrepareSoundsFor(songs);
  LeaveForScreen();
  ShowTitlePage(false);
  Image1->SetPicture(page);
}

void TMenuStart::S_PowrotClick() {
  const QImage title = LoadPicture(MenuStartFiles::Title.In(ProgramDir, DataRoot));
  for (TLabel* l : SongLabelControls()) l->Hide();
  S_Powrot->Hide();
  Image1->SetPicture(title);
  ShowTitlePage(true);
  RestartMenuIdle();
}

void TMenuStart::SongClick(int index) {
  TLabel* label = SongLabelControls()[index];
  if (label->Tag == 1) {
    Beep();
    return;
  }
  if (!cw6form) return;
  cw6form->LoadSong(SongLabels[static_cast<std::size_t>(index)].Song, QString());
  cw6form->Show();
}

void TMenuStart::S_CountClick() {
  SongClick(0);
}
void TMenuStart::S_ColourClick() {
  SongClick(1);
}
void TMenuStart::S_HeadClick() {
  SongClick(2);
}
void TMenuStart::S_ThisClick() {
  SongClick(3);
}
void TMenuStart::S_IHearClick() {
  SongClick(4);
}
void TMenuStart::S_TheClick() {
  SongClick(5);
}
void TMenuStart::S_IDIDClick() {
  SongClick(6);
}
void TMenuStart::S_WhatClick() {
  SongClick(7);
}

void TMenuStart::lbl_ExitClick() {
  StopWave();
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  HideMenuVideos();
  // Saves first, and a save that fails twice cannot keep the family in.
  if (Application())
    Application()->End();
  else
    SavePlayer();
}

// ---------------------------------------------------------------------------

void RestartMenuIdle() {
  if (MenuStart) MenuStart->RestartMenuIdle();
}

void MenuIdleSoundEnded(TMPNotifyValues result) {
  if (MenuVideoMode && result == nvSuccessful) MenuVideoMode = false;
}
