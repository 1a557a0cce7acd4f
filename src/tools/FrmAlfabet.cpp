#include "tools/FrmAlfabet.h"

#include <optional>

#include "app/Globals.h"
#include "app/Shared.h"
#include "app/Sound.h"
#include "menu/FrmMenuStart.h"
#include "platform/Beep.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "tools/AlphabetBoard.h"
#include "world/FrmMain.h"

TAlfabetForm* AlfabetForm = nullptr;
bool AlphabetReading = false;
int AlphabetLetter = 1;

TAlfabetForm::TAlfabetForm() {
  KeyPreview = true;
  AlphabetReading = false;
  AlphabetLetter = 1;

  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 640, 480);
  Image1->SetAutoSize(true);
  Image1->OnClick = [this] { Image1Click(); };

  for (int k = 1; k <= 26; ++k) {
    const TLetterArea& a = LetterAreas[k - 1];
    auto* area = new TLabel(this);
    area->setObjectName(k == 12 ? QStringLiteral("ani_jez") : QStringLiteral("Label%1").arg(k));
    area->SetTransparent(true);
    area->SetAutoSize(false);
    area->SetBounds(a.Left, a.Top, a.Width, a.Height);
    area->Tag = k;
    area->OnClick = [this, area] { Label1Click(area); };
    letters_[k - 1] = area;
  }
  ani_jez = letters_[11];

  // Over the letters: the hedgehog reaches into the areas of D and E.
  TAnimated** slots[] = {&lbl_robal, &ani_jabko, &ani_jajo, &Animated1,
                         &ani_kot,   &lbl_pies,  &lbl_ptak};
  for (int t = 1; t <= 7; ++t) {
    const TCreature& c = Creatures[t - 1];
    auto* creature = new TAnimated(this);
    creature->setObjectName(QLatin1String(c.Name));
    creature->SetBounds(c.Left, c.Top, c.Width, c.Height);
    creature->Tag = t;
    creature->SetLoop(false);
    creature->OnMouseDown = [this, creature](TMouseButton, TShiftState, int, int) {
      Animated1MouseDown(creature);
    };
    *slots[t - 1] = creature;
    creatures_[t - 1] = creature;
  }

  btn_prez_show = NewButton(this, 584, 36, 21, QStringLiteral("Czytaj"));
  btn_prez_show->OnClick = [this] { Btn_Prez_ShowClick(); };
  btn_cwicz1 = NewButton(this, 584, 81, 14, QStringLiteral("Piosenka"));
  btn_cwicz1->OnClick = [this] { Btn_Cwicz1Click(); };
  btn_Wroc = NewButton(this, 586, 425, 0, QStringLiteral("Powrót"));
  btn_Wroc->OnClick = [this] { Btn_WrocClick(); };

  MediaPlayer1 = new TMediaPlayer(this);
  MediaPlayer1->DeviceType = dtWaveAudio;
  MediaPlayer1->OnNotify = [this] { MediaPlayer1Notify(); };
}

void TAlfabetForm::FormCreate() {
  // Every strip that can be loaded is; the first that cannot is reported.
  std::optional<QString> firstError;
  for (int t = 1; t <= 7; ++t) {
    const TCreature& c = Creatures[t - 1];
    TAnimated* creature = Creature(t);
    creature->SetCursor(TCursor::crHelp);
    creature->SetInterval(c.Interval);
    creature->SetFrameCount(c.Frames);
    creature->SetFrame(0);
    try {
      creature->LoadBitMap(DataRoot + CreatureStripPath(t));
    } catch (const Exception& e) {
      if (!firstError) firstError = e.Message;
    }
  }
  if (firstError) throw EInOutError(*firstError);
}

void TAlfabetForm::FormClose() { Image1->SetPicture(QImage()); }

void TAlfabetForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }

// ---------------------------------------------------------------------------

void TAlfabetForm::CloseBothPlayers() {
  StopWave();
  MediaPlayer1->Close();
}

void TAlfabetForm::PlayAlphabetSound(const QString& path) {
  if (!FileExists(path)) {
    Beep();
    return;
  }
  MediaPlayer1->FileName = path;
  MediaPlayer1->Notify = true;
  MediaPlayer1->Open();
  MediaPlayer1->Play();
}

void TAlfabetForm::Label1Click(TLabel* area) {
  CloseBothPlayers();
  PlayWave(DataRoot + LetterSoundPath(area->Tag));
}

void TAlfabetForm::Animated1MouseDown(TAnimated* creature) {
  CloseBothPlayers();
  // Ignored while it is still moving, so the strip runs on to its end. It
  // moves first, so a sound file that cannot be played leaves it moving.
  creature->SetPlay(true);
  PlayWave(DataRoot + CreatureSoundPath(creature->Tag));
}

void TAlfabetForm::Btn_Prez_ShowClick() {
  CloseBothPlayers();
  AlphabetReading = true;
  AlphabetLetter = 1;
  PlayAlphabetSound(DataRoot + LetterSoundPath(1));
}

void TAlfabetForm::MediaPlayer1Notify() {
  if (!AlphabetReading || MediaPlayer1->NotifyValue() != nvSuccessful) return;
  ++AlphabetLetter;
  if (AlphabetLetter > 26) {
    AlphabetReading = false;
    return;
  }
  PlayAlphabetSound(DataRoot + LetterSoundPath(AlphabetLetter));
}

void TAlfabetForm::Image1Click() {
  AlphabetReading = false;
  MediaPlayer1->Close();
}

void TAlfabetForm::Btn_Cwicz1Click() {
  CloseBothPlayers();
  PlayWave(DataRoot + AlphabetSongPath());
}

void TAlfabetForm::Btn_WrocClick() {
  CloseBothPlayers();
  Close();
  if (MenuStart) MenuStart->BringToFront();
  RestartMenuIdle();
}
