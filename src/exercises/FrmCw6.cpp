#include "exercises/FrmCw6.h"

#include "app/Globals.h"
#include "app/Shared.h"
#include "app/Sound.h"
#include "controls/BmpTransparent.h"
#include "controls/ScreenArt.h"
#include "controls/TransparentButton.h"
#include "exercises/FrmCw6Files.h"
#include "platform/AudioDecoder.h"
#include "platform/MediaPlayer.h"
#include "world/FrmMain.h"

Tcw6form* cw6form = nullptr;

namespace {

constexpr int kWordRowLeft = 64;
constexpr int kWordRowTop = 360;
constexpr int kWordGap = 4;
const QString kMark = QStringLiteral("•");

TFont RowFont() {
  return TFont{QStringLiteral("Arial CE"), -13, clBlack, fsBold};
}

TLabel* TextLabel(QWidget* parent, int left, int top) {
  auto* label = new TLabel(parent);
  label->SetFont(RowFont());
  label->SetTransparent(true);
  label->move(left, top);
  return label;
}

TLabel* Mark(QWidget* parent, int left, int top) {
  auto* label = new TLabel(parent);
  label->SetFont(TFont{QStringLiteral("Arial CE"), -19, clRed, fsBold});
  label->SetTransparent(true);
  label->move(left, top);
  label->SetCaption(kMark);
  label->Tag = 1;
  return label;
}

TBmpTransparent* StatePicture(QWidget* parent, int left, int top, const QImage& picture) {
  auto* image = new TBmpTransparent(parent);
  image->SetAuto(true);
  image->SetPicture(picture);
  image->SetBounds(left, top, picture.width(), picture.height());
  // A lamp only shows the state; clicks reach the buttons drawn beneath it.
  image->setAttribute(Qt::WA_TransparentForMouseEvents);
  image->Hide();
  return image;
}

}  // namespace

Tcw6form::Tcw6form() {
  SetColor(clBlack);
  KeyPreview = true;

  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 640, 480);

  Napis1 = TextLabel(this, 64, 296);
  Napis2 = TextLabel(this, 64, 328);
  Label22 = new TLabel(this);
  Label22->SetAutoSize(false);
  Label22->SetColor(clYellow);
  Label22->SetBounds(61, 355, 516, 25);
  for (int k = 1; k <= MaxSongWords; ++k)
    words_[static_cast<std::size_t>(k - 1)] = TextLabel(this, kWordRowLeft, kWordRowTop);
  Napis3 = TextLabel(this, 64, 392);
  Napis4 = TextLabel(this, 64, 424);

  Button3 = ClickArea(this, 392, 108, 37, 33, QStringLiteral("Graj"));
  Button3->OnClick = [this] { Button3Click(); };
  Button5 = ClickArea(this, 437, 120, 36, 33, QStringLiteral("Pauza"));
  Button5->OnClick = [this] { Button5Click(); };
  Button4 = ClickArea(this, 476, 132, 37, 33, QStringLiteral("Stop"));
  Button4->OnClick = [this] { Button4Click(); };
  Button1 = ClickArea(this, 556, 380, 73, 85, QStringLiteral("Powrót"));
  Button1->OnClick = [this] { Button1Click(); };
  Image2 = StatePicture(this, 392, 109, SongPlayingPicture());
  Image3 = StatePicture(this, 434, 119, SongPausedPicture());

  Label21 = ClickArea(this, 525, 140, 50, 22);
  Label21->SetHint(QStringLiteral("Słowa"));
  _1 = Mark(this, 557, 148);
  Label23 = ClickArea(this, 513, 162, 50, 22);
  Label23->SetHint(QStringLiteral("Głos"));
  _2 = Mark(this, 545, 166);
  for (TLabel* l : {_1, Label21}) l->OnClick = [this] { _1Click(); };
  for (TLabel* l : {_2, Label23}) l->OnClick = [this] { _2Click(); };

  BmpTransparent1 = NewHelpIcon(this, [this] { BmpTransparent1Click(); });

  Player1 = new TMediaPlayer(this);
  Player1->DeviceType = dtWaveAudio;
  Player1->OnNotify = [this] { Player1Notify(); };

  Timer1.SetEnabled(false);
  Timer1.SetInterval(SongFollowMs);
  Timer1.OnTimer = [this] { Timer1Timer(); };
}

void Tcw6form::FormCreate() {
  Player1->TimeFormat = tfMilliseconds;
  for (TControl* c : std::initializer_list<TControl*>{BmpTransparent1, _1, _2, Label21, Label23,
                                                      Button3, Button4, Button5})
    c->SetCursor(TCursor::crHandPoint);
}

void Tcw6form::FormShow() {
  for (TLabel* mark : {_1, _2}) {
    mark->SetCaption(kMark);
    mark->Tag = 1;
    mark->SetEnabled(true);
  }
  // The words come back with their mark (they may have been off when the child left).
  ApplyWordsShown();
  Image1->LoadFromFile(Cw6Files::Background.In(ProgramDir, DataRoot));
  for (TLabel* b : {Button1, Button3, Button4, Button5}) b->SetCursor(TCursor::crHandPoint);
  SongStarted = false;
  ClearTexts();
  Timer1.SetInterval(SongFollowMs);
  SetIdleButtons();
  SongPaused = false;
  AllWordsBlack();
  ShowWordRow(1);
  Napis3->SetCaption(LineText(2));
  Napis4->SetCaption(LineText(3));
  CurrentSongLine = 1;
}

void Tcw6form::FormActivate() {
  Image1->LoadFromFile(Cw6Files::Background.In(ProgramDir, DataRoot));
}

void Tcw6form::FormClose() {
  Timer1.SetEnabled(false);
}

void Tcw6form::FormKeyDown(int& key, TShiftState shift) {
  EndOnAltF4(key, shift);
}

// ---------------------------------------------------------------------------
// The song and its text

QString Tcw6form::LineText(int i) const {
  if (i < 1 || i > LineCount) return QString();
  return SongLine[static_cast<std::size_t>(i - 1)].Text();
}

void Tcw6form::LoadSong(int n, const QString& suffix) {
  const TSong song = LoadSongFile(SongTextPath(DataRoot, n));
  const QString wave = SongWavePath(DataRoot, n, suffix);
  // Read before the player lets go of the song it holds: a recording that is
  // missing or broken leaves that song playable.
  OpenSoundFile(wave);
  Player1->FileName = wave;
  Player1->Open();
  Button3->SetEnabled(true);
  Image2->Hide();
  Image3->Hide();
  SongNumber = n;
  CurrentSongLine = 1;
  SongPaused = false;
  ClearTexts();
  SongLine.fill(TSongLine{});
  LineEnd.fill(0);
  LineCount = static_cast<int>(song.Lines.size());
  const std::vector<int> ends = song.LineEnds();
  for (int i = 0; i < LineCount; ++i) {
    SongLine[static_cast<std::size_t>(i)] = song.Lines[static_cast<std::size_t>(i)];
    LineEnd[static_cast<std::size_t>(i)] = ends[static_cast<std::size_t>(i)];
  }
  ShowWordRow(1);
  Napis3->SetCaption(LineText(2));
  Napis4->SetCaption(LineText(3));
  Timer1.SetEnabled(true);
}

void Tcw6form::ShowSongStart() {
  ClearTexts();
  ShowWordRow(1);
  Napis3->SetCaption(LineText(2));
  Napis4->SetCaption(LineText(3));
}

void Tcw6form::ClearTexts() {
  for (TLabel* l : {Napis1, Napis2, Napis3, Napis4}) l->SetCaption(QString());
  for (TLabel* l : words_) l->SetCaption(QString());
}

void Tcw6form::ShowWordRow(int i) {
  const int count =
      i >= 1 && i <= LineCount ? SongLine[static_cast<std::size_t>(i - 1)].WordCount() : 0;
  int left = kWordRowLeft;
  for (int k = 1; k <= MaxSongWords; ++k) {
    TLabel* label = WordLabel(k);
    label->SetCaption(k <= count ? SongLine[static_cast<std::size_t>(i - 1)].Words[k - 1]
                                 : QString());
    if (k > 1 && k <= count) label->SetLeft(left);
    left = label->Left() + label->Width() + kWordGap;
  }
}

void Tcw6form::ShowLine(int i) {
  CurrentSongLine = i;
  Napis1->SetCaption(LineText(i - 2));
  Napis2->SetCaption(LineText(i - 1));
  ShowWordRow(i);
  Napis3->SetCaption(LineText(i + 1));
  Napis4->SetCaption(LineText(i + 2));
}

void Tcw6form::AllWordsBlack() {
  for (TLabel* l : words_) l->SetFontColor(clBlack);
}

void Tcw6form::ApplyWordsShown() {
  const bool on = _1->Tag == 1;
  for (TLabel* l : {Napis1, Napis2, Napis3, Napis4, Label22}) l->SetVisible(on);
  for (TLabel* l : words_) l->SetVisible(on);
}

void Tcw6form::SetIdleButtons() {
  Button4->SetEnabled(false);
  Button5->SetEnabled(false);
  Button3->SetEnabled(true);
}

// ---------------------------------------------------------------------------
// Following the song

void Tcw6form::Timer1Timer() {
  const int pos = Player1->Position();
  for (int i = 1; i <= LineCount; ++i)
    if (pos < LineEnd[static_cast<std::size_t>(i - 1)]) {
      ShowLine(i);
      return;
    }
  // Past the last line the rows keep the last line; a paused song stays paused.
}

void Tcw6form::Player1Notify() {
  if (Player1->NotifyValue() == nvSuccessful) Button4Click();
}

// ---------------------------------------------------------------------------
// Buttons

void Tcw6form::Button3Click() {
  StopSharedPlayer();
  if (!Player1->IsOpen()) {
    // The instruction closed the song: it starts again from the top.
    Player1->Open();
    SongPaused = false;
  }
  if (!SongPaused) {
    AllWordsBlack();
    ShowSongStart();
    CurrentSongLine = 1;
  }
  Timer1.SetEnabled(true);
  Player1->Play();
  Image2->Show();
  Image3->Hide();
  SongStarted = true;
  SongPaused = false;
  Button4->SetEnabled(true);
  Button5->SetEnabled(true);
  Button3->SetEnabled(false);
}

void Tcw6form::Button5Click() {
  SongPaused = true;
  Player1->Pause();
  Button5->SetEnabled(false);
  Button3->SetEnabled(true);
  Image2->Hide();
  Image3->Show();
}

void Tcw6form::Button4Click() {
  SetIdleButtons();
  Image2->Hide();
  Image3->Hide();
  SongPaused = false;
  Player1->Stop();
  Player1->Rewind();
  ShowSongStart();
  CurrentSongLine = 1;
}

void Tcw6form::_1Click() {
  _1->Tag = _1->Tag == 1 ? 0 : 1;
  _1->SetCaption(_1->Tag == 1 ? kMark : QString());
  ApplyWordsShown();
}

void Tcw6form::_2Click() {
  const bool voice = _2->Tag != 1;
  // The other recording first: when it cannot be played, the mark and the
  // song stay as they were.
  LoadSong(SongNumber, voice ? QString() : QStringLiteral("N"));
  _2->Tag = voice ? 1 : 0;
  _2->SetCaption(voice ? kMark : QString());
  Button4Click();
  Button3Click();
}

void Tcw6form::BmpTransparent1Click() {
  StopAndClose(Player1);
  Image2->Hide();
  Image3->Hide();
  SetIdleButtons();
  PlayWave(Cw6Files::Instruction.In(ProgramDir, DataRoot));
}

void Tcw6form::Button1Click() {
  if (SongStarted && !SongPaused) {
    StopAndClose(Player1);
  }
  StopSharedPlayer();
  Close();
  Image1->SetPicture(QImage());
}
