#include "exercises/FrmLilie.h"

#include <algorithm>

#include "app/Feedback.h"
#include "app/FeedbackFiles.h"
#include "app/Globals.h"
#include "app/Shared.h"
#include "app/Sound.h"
#include "controls/Animate.h"
#include "controls/BmpTransparent.h"
#include "controls/ScreenArt.h"
#include "exercises/FrmLilieFiles.h"
#include "platform/MediaPlayer.h"
#include "platform/Picture.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"
#include "world/Rewards.h"

TLilieForm* LilieForm = nullptr;

namespace {

constexpr int kPadWidth = 78, kPadHeight = 64;
constexpr int kRightHalf = 100;  // added to a pair's number on the pad of its right text
constexpr int kTurnPause = 150, kShowPause = 400, kMissPause = 300, kClosePause = 50;
constexpr int kFrogFirst = 3800, kStorkFirst = 4500, kInstructionQuiet = 10000;
constexpr int kAnimalFrameMs = 200;

// 5 .. 14 seconds to the animal's next appearance.
int NextAnimalInterval() {
  return (Random(10) + 5) * 1000;
}

int PairOf(int tag) {
  return tag > kRightHalf ? tag - kRightHalf : tag;
}

TImage* NewPad(QWidget* parent) {
  auto* pad = new TImage(parent);
  pad->SetBounds(0, 0, kPadWidth, kPadHeight);
  pad->SetTransparent(true);
  return pad;
}

TLabel* NewWordLabel(QWidget* parent, int width) {
  auto* label = new TLabel(parent);
  label->SetAutoSize(false);
  label->SetBounds(0, 0, width, 17);
  label->SetAlignment(TAlignment::taCenter);
  label->SetFont(TFont{QStringLiteral("MS Sans Serif"), -13, clBlack, fsBold});
  label->SetTransparent(true);
  label->Hide();
  return label;
}

}  // namespace

TLilieForm::TLilieForm() {
  SetColor(clBlack);
  KeyPreview = true;

  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 640, 480);
  Image1_2 = new TImage(this);
  Image1_2->SetBounds(0, 0, 640, 480);

  // The animals sit under the pads: a pad near the frog keeps its whole shape.
  Animated1 = new TAnimated(this);
  Animated1->SetBounds(62, 346, LilieFiles::Stork.Width, LilieFiles::Stork.Height);
  Animated2 = new TAnimated(this);
  Animated2->SetBounds(448, 375, LilieFiles::Frog.Width, LilieFiles::Frog.Height);

  TImage** named[LilyPads] = {&Image2,  &Image7, &Image4,  &Image5, &Image9,  &Image11,
                              &Image15, &Image6, &Image14, &Image8, &Image16, &Image10};
  for (int i = 0; i < LilyPads; ++i) {
    TImage* pad = NewPad(this);
    pad->OnClick = [this, pad] { Image2Click(pad); };
    *named[i] = pad;
  }
  Mem_0 = NewPad(this);
  Mem_1 = NewPad(this);
  Mem_2 = NewPad(this);
  Mem_0->SetPicture(LilyPadClosed());
  Mem_1->SetPicture(LilyPadHalfTurned());
  Mem_2->SetPicture(LilyPadOpen());
  for (TImage* mem : {Mem_0, Mem_1, Mem_2}) mem->Hide();

  Label1 = NewWordLabel(this, 121);
  Label2 = NewWordLabel(this, 129);

  BmpTransparent1 = NewHelpIcon(this, [this] { BmpTransparent1Click(); });

  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);

  btn_Wroc = NewButton(this, 587, 436, 5, QStringLiteral("Koniec"));
  btn_Wroc->OnClick = [this] { Btn_WrocClick(); };
  button1 = NewButton(this, 588, 40, 3, QStringLiteral("Rozpocznij"));
  button1->OnClick = [this] { Button1Click(); };
  button1->Hide();
  CW1_KWS_left = NewButton(this, 586, 133, 1, QStringLiteral("Poprzednie ćwiczenie"));
  CW1_KWS_left->OnClick = [this] { CW1_KWS_LeftClick(); };
  cw1_kws_right = NewButton(this, 590, 167, 2, QStringLiteral("Następne ćwiczenie"));
  cw1_kws_right->OnClick = [this] { CW1_KWS_RightClick(); };

  for (TTimer* t : {&Timer1, &Timer2, &Timer3}) t->SetEnabled(false);
  Timer1.OnTimer = [this] { Timer1Timer(); };
  Timer2.OnTimer = [this] { Timer2Timer(); };
  Timer3.SetInterval(kInstructionQuiet);
  Timer3.OnTimer = [this] { Timer3Timer(); };
}

void TLilieForm::FormCreate() {
  BmpTransparent1->SetCursor(TCursor::crHandPoint);
  PadTable = {Image2,  Image7, Image4,  Image5, Image9,  Image11,
              Image15, Image6, Image14, Image8, Image16, Image10};
  PadSpots = {QPoint(136, 72),  QPoint(232, 72),  QPoint(472, 56),  QPoint(376, 116),
              QPoint(152, 192), QPoint(252, 224), QPoint(360, 220), QPoint(164, 276),
              QPoint(268, 312), QPoint(384, 328), QPoint(188, 376), QPoint(304, 400)};
  for (int i = 0; i < LilyPads; ++i) PadTable[i]->move(PadSpots[i]);
}

void TLilieForm::FormShow() {
  SetArrows(8);
  Image1->SetPicture(pond_);
  for (TImage* pad : PadTable) pad->SetPicture(Mem_0->Picture());
}

void TLilieForm::FormClose() {
  for (TTimer* t : {&Timer1, &Timer2, &Timer3}) t->SetEnabled(false);
  Animated1->SetPlay(false);
  Animated2->SetPlay(false);
  for (TImage* pad : PadTable) pad->SetPicture(QImage());
  Image1_2->SetPicture(QImage());
}

void TLilieForm::FormKeyDown(int& key, TShiftState shift) {
  EndOnAltF4(key, shift);
}

TLilieForm::TLilyPadFiles TLilieForm::ReadLilyPadFiles(const QString& path) {
  TLilyPadFiles files;
  files.Pairs = LoadWordPairFile(path);
  files.Pond = LoadPicture(LilieFiles::Pond.In(ProgramDir, DataRoot));
  files.Stork = LoadPicture(LilieFiles::Stork.In(ProgramDir, DataRoot));
  files.Frog = LoadPicture(LilieFiles::Frog.In(ProgramDir, DataRoot));
  files.Eyes = LoadPicture(LilieFiles::Eyes.In(ProgramDir, DataRoot));
  return files;
}

void TLilieForm::LoadLilyPads(const QString& path) {
  LoadLilyPads(ReadLilyPadFiles(path));
}

void TLilieForm::LoadLilyPads(TLilyPadFiles files) {
  const TWordPairs& pairs = files.Pairs;
  pond_ = files.Pond;
  stork_ = files.Stork;
  frog_ = files.Frog;
  eyes_ = files.Eyes;

  button1->Hide();
  Timer1.SetInterval(kFrogFirst);
  Timer1.SetEnabled(true);
  Timer2.SetInterval(kStorkFirst);
  Timer2.SetEnabled(true);
  Label1->Hide();
  Label2->Hide();
  for (TImage* pad : PadTable) pad->SetCursor(TCursor::crHelp);

  ChosenPairs.fill(0);
  for (TImage* pad : PadTable) pad->Tag = 0;
  PairsFound = 0;
  Randomize();
  FirstPad = SecondPad = nullptr;
  PadsReady = true;
  PairCount = static_cast<int>(pairs.Pairs.size());
  LeftText.fill(QString());
  RightText.fill(QString());
  for (int n = 1; n <= PairCount; ++n) {
    LeftText[n] = pairs.Pairs[n - 1].Left;
    RightText[n] = pairs.Pairs[n - 1].Right;
  }

  // Six different pairs; the file has at least six, so the draws end.
  for (int j = 0; j < DealtPairs; ++j) {
    int n;
    do n = Random(PairCount) + 1;
    while (std::find(ChosenPairs.begin(), ChosenPairs.end(), n) != ChosenPairs.end());
    ChosenPairs[j] = n;
  }
  for (int j = 0; j < DealtPairs; ++j) {
    PadTable[2 * j]->Tag = ChosenPairs[j];
    PadTable[2 * j + 1]->Tag = ChosenPairs[j] + kRightHalf;
  }

  // Every pad to a spot of its own.
  std::array<bool, LilyPads> taken{};
  for (TImage* pad : PadTable) {
    int s;
    do s = Random(LilyPads);
    while (taken[s]);
    taken[s] = true;
    pad->move(PadSpots[s]);
    pad->Show();
  }

  Animated1->SetBitMap(stork_);
  Animated1->SetFrameCount(LilieFiles::Stork.Frames);
  Animated1->SetFrame(0);
  Animated1->SetInterval(kAnimalFrameMs);
  Animated1->SetLoop(false);
  Animated1->SetBounds(Animated1->Left(), Animated1->Top(), LilieFiles::Stork.Width,
                       LilieFiles::Stork.Height);
  // The reeds show their still first frame until the first animal comes (an
  // empty sprite would be a white box).
  Animated2->SetPlay(false);
  SetReedsAnimal(false);
}

QString TLilieForm::PadText(const TImage* pad) const {
  const int t = pad ? pad->Tag : 0;
  if (t >= 1 && t <= MaxWordPairs) return LeftText[t];
  if (t > kRightHalf && t <= kRightHalf + MaxWordPairs) return RightText[t - kRightHalf];
  return QString();
}

void TLilieForm::Image2Click(TImage* pad) {
  if (pad == FirstPad || pad->Tag == 0 || !PadsReady) return;
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  PadsReady = false;
  PlayFeedback(FeedbackFiles::Right);

  pad->SetPicture(Mem_1->Picture());
  pad->Repaint();
  SleepMs(kTurnPause);
  pad->SetPicture(Mem_2->Picture());
  pad->Repaint();

  if (!FirstPad) {
    Label1->move(pad->Left() - 20, pad->Top() - 20);
    Label1->SetCaption(PadText(pad));
    Label1->Show();
    Label1->Repaint();
    FirstPad = pad;
    PadsReady = true;
    return;  // the animals keep quiet until the attempt ends
  }

  Label2->move(pad->Left() - 20, pad->Top() - 20);
  Label2->SetCaption(PadText(pad));
  Label2->Show();
  SecondPad = pad;
  Repaint();
  SleepMs(kShowPause);
  Label1->Hide();
  Label2->Hide();

  if (PairOf(FirstPad->Tag) == PairOf(SecondPad->Tag)) {
    PlayWave(LilieFiles::Match.In(ProgramDir, DataRoot));
    for (TImage* matched : {FirstPad, SecondPad}) {
      matched->SetCursor(TCursor::crArrow);
      matched->Tag = 0;
    }
    FirstPad = SecondPad = nullptr;
    PadsReady = true;
    ++PairsFound;
    if (PairsFound >= DealtPairs) {
      Timer1.SetEnabled(false);
      Timer2.SetEnabled(false);
      Repaint();
      PlayFeedback(QStringLiteral("ok_inne"));
      RecordExerciseDone(false);
      button1->Show();
    }
    Timer1.SetEnabled(true);
    Timer2.SetEnabled(true);
    return;
  }

  PlayWave(LilieFiles::NoMatch.In(ProgramDir, DataRoot));
  SleepMs(kMissPause);
  for (TImage* p : {FirstPad, SecondPad}) {
    p->SetPicture(Mem_1->Picture());
    p->Repaint();
  }
  SleepMs(kClosePause);
  for (TImage* p : {FirstPad, SecondPad}) {
    p->SetPicture(Mem_0->Picture());
    p->Repaint();
  }
  FirstPad = SecondPad = nullptr;
  Timer2.SetEnabled(true);
  Timer1.SetEnabled(true);
  PadsReady = true;
}

void TLilieForm::SetReedsAnimal(bool frog) {
  Animated2->SetBitMap(frog ? frog_ : eyes_);
  Animated2->SetFrameCount(LilieFiles::Frog.Frames);
  Animated2->SetFrame(0);
  Animated2->SetInterval(kAnimalFrameMs);
  Animated2->SetLoop(false);
  Animated2->SetBounds(Animated2->Left(), Animated2->Top(), LilieFiles::Frog.Width,
                       LilieFiles::Frog.Height);
}

void TLilieForm::Timer1Timer() {
  Randomize();
  const int r = Random(11) + 1;
  const bool frog = r > 5;
  SetReedsAnimal(frog);
  if (frog) PlayWave(LilieFiles::FrogSound.In(ProgramDir, DataRoot));
  Animated2->SetPlay(true);
  Timer1.SetInterval(NextAnimalInterval());
}

void TLilieForm::Timer2Timer() {
  Randomize();
  Animated1->SetPlay(true);
  PlayWave(LilieFiles::StorkSound.In(ProgramDir, DataRoot));
  Timer2.SetInterval(NextAnimalInterval());
}

void TLilieForm::BmpTransparent1Click() {
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  Timer3.SetInterval(kInstructionQuiet);
  Timer3.SetEnabled(true);
  PlayWave(LilieFiles::Instruction.In(ProgramDir, DataRoot));
}

void TLilieForm::Timer3Timer() {
  Timer1.SetEnabled(true);
  Timer2.SetEnabled(true);
  Timer3.SetEnabled(false);
}

void TLilieForm::StopAnimals() {
  for (TTimer* t : {&Timer1, &Timer2, &Timer3}) t->SetEnabled(false);
  Animated1->SetPlay(false);
  Animated2->SetPlay(false);
}

void TLilieForm::Button1Click() {
  if (!StartExercise()) return;
  for (TImage* pad : PadTable) pad->SetPicture(Mem_0->Picture());
  button1->Hide();
  Timer1.SetEnabled(true);
  Timer2.SetEnabled(true);
}

void TLilieForm::Btn_WrocClick() {
  ReturnToPlace(this, [this] { StopAnimals(); });
}

void TLilieForm::CW1_KWS_LeftClick() {
  PreviousExercise([this] {
    StopAnimals();
    StopWave();
  });
}

void TLilieForm::CW1_KWS_RightClick() {
  NextExercise([this] {
    StopAnimals();
    StopWave();
  });
}
