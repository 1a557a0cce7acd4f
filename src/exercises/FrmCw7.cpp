#include "exercises/FrmCw7.h"

#include <utility>

#include "app/FrmPodklad.h"
#include "app/Globals.h"
#include "app/Shared.h"
#include "app/Sound.h"
#include "controls/Animate.h"
#include "controls/BmpTransparent.h"
#include "controls/KwillOnMouse.h"
#include "exercises/FrmCw7Files.h"
#include "platform/MediaPlayer.h"
#include "platform/Picture.h"
#include "platform/Strings.h"
#include "world/Dialogues.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"
#include "world/Rewards.h"

TCw7Form* Cw7Form = nullptr;

namespace {

constexpr int kBalloonLeft = 30, kBalloonRight = 250, kBalloonTop = 50;
constexpr int LastFrame(const TScreenFile& f) {
  return f.Frames - 1;
}

QString PondPath(const TScreenFile& f) {
  return f.In(ProgramDir, DataRoot);
}

void PlayPondSound(const TScreenFile& f) {
  PlayWave(PondPath(f));
}

// Puts `strip` into the sprite with the frame size given, as loading a
// bitmap straight into the strip does.
void PutStrip(TAnimated* sprite, const QImage& strip, const TScreenFile& f) {
  sprite->SetBitMap(strip);
  sprite->resize(f.Width, f.Height);
}

}  // namespace

TCw7Form::TCw7Form() {
  using namespace Cw7Files;
  SetColor(clBlack);
  SetShowHint(true);
  KeyPreview = true;

  Image1_2 = new TImage(this);
  Image1_2->SetBounds(0, 0, 640, 480);
  Image1 = new TImage(this);
  Image1->SetBounds(8, 37, 570, 436);

  Animated1 = new TAnimated(this);
  Animated1->SetBounds(104, 313, Fish.Width, Fish.Height);
  Animated1->SetInterval(230);
  Animated1->SetFrameCount(Fish.Frames);
  Animated1->SetLoop(false);
  Animated1->Hide();
  Animated1->OnChangeFrame = [this] { Animated1ChangeFrame(); };

  Animated2 = new TAnimated(this);
  Animated2->move(346, 174);
  Animated2->SetInterval(300);
  Animated2->SetFrameCount(Bark.Frames);
  Animated2->SetLoop(false);
  Animated2->Hide();
  Animated2->OnChangeFrame = [this] { Animated2ChangeFrame(); };

  Animated3 = new TAnimated(this);
  Animated3->SetBounds(37, 376, Periscope.Width, Periscope.Height);
  Animated3->SetInterval(140);
  Animated3->SetFrameCount(Periscope.Frames);
  Animated3->SetLoop(false);
  Animated3->OnChangeFrame = [this] { Animated3ChangeFrame(); };

  Animated4 = new TAnimated(this);
  Animated4->SetBounds(168, 229, Run.Width, Run.Height);
  Animated4->SetInterval(100);
  Animated4->SetFrameCount(Run.Frames);
  Animated4->SetLoop(false);
  Animated4->OnChangeFrame = [this] { Animated4ChangeFrame(); };

  Animated5 = new TAnimated(this);
  Animated5->SetBounds(326, 316, Crying.Width, Crying.Height);
  Animated5->SetFrameCount(Crying.Frames);
  Animated5->SetLoop(false);
  Animated5->OnChangeFrame = [this] { Animated5ChangeFrame(); };

  img_balon = new TImage(this);
  img_balon->SetTransparent(true);
  img_balon->SetAutoSize(true);
  img_balon->move(kBalloonLeft, kBalloonTop);

  Panel1 = new TPanel(this);
  Panel1->SetBounds(40, 136, 170, 113);
  Panel1->Hide();
  Image2 = new TImage(Panel1);
  Image2->SetBounds(0, 0, 170, 113);
  const int tops[] = {8, 42, 80};
  for (int k = 1; k <= ChoiceAnswers; ++k) {
    auto* answer = new TKwillOnMouse(Panel1);
    answer->SetAutoSize(false);
    answer->SetBounds(8, tops[k - 1], 153, 25);
    answer->Tag = k;
    answer->SetTransparent(true);
    answer->SetFont(TFont{QStringLiteral("MS Sans Serif"), -13, clBlack, fsBold});
    answer->OnClick = [this, answer] { Kwill1Click(answer->Tag); };
    (k == 1 ? Kwill1 : k == 2 ? Kwill2 : Kwill3) = answer;
  }

  BmpTransparent1 = NewHelpIcon(this, [this] { BmpTransparent1Click(); });

  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);

  button3 = NewButton(this, 587, 436, 5, QStringLiteral("Koniec"));
  button3->OnClick = [this] { Button3Click(); };
  Button2 = NewButton(this, 588, 15, 3, QStringLiteral("Rozpocznij"));
  Button2->OnClick = [this] { Button2Click(); };
  Button2->Hide();
  button6 = NewButton(this, 588, 12, 6, QStringLiteral("Czytaj"));
  button6->OnClick = [this] { Button6Click(); };
  CW1_KWS_left = NewButton(this, 586, 133, 1, QStringLiteral("Poprzednie ćwiczenie"));
  CW1_KWS_left->OnClick = [this] { CW1_KWS_LeftClick(); };
  cw1_kws_right = NewButton(this, 590, 167, 2, QStringLiteral("Następne ćwiczenie"));
  cw1_kws_right->OnClick = [this] { CW1_KWS_RightClick(); };

  Timer1.SetEnabled(false);
  Timer1.SetInterval(2000);
  Timer1.OnTimer = [this] { Timer1Timer(); };
  Timer2.SetEnabled(false);
  Timer2.OnTimer = [this] { Timer2Timer(); };
}

void TCw7Form::FormCreate() {
  BmpTransparent1->SetCursor(TCursor::crHandPoint);
  for (int k = 1; k <= ChoiceAnswers; ++k) Answer(k)->SetCursor(TCursor::crHandPoint);
}

void TCw7Form::FormShow() {
  Animated4->Hide();
  SetArrows(7);
}

void TCw7Form::FormClose() {
  StopScenes();
  Image1_2->SetPicture(QImage());
  Image1->SetPicture(QImage());
  for (TAnimated* sprite : {Animated1, Animated2, Animated3, Animated4, Animated5})
    sprite->ClearBitMap();
  pictures_ = TPictures{};
}

void TCw7Form::FormKeyDown(int& key, TShiftState shift) {
  EndOnAltF4(key, shift);
}

// ---------------------------------------------------------------- loading

namespace {
TCw7Form::TPictures LoadPondPictures() {
  using namespace Cw7Files;
  TCw7Form::TPictures p;
  p.Pond = LoadPicture(PondPath(Pond));
  p.Panel = LoadPicture(PondPath(Panel));
  p.Balloon = LoadPicture(PondPath(Balloon));
  p.Fish = LoadPicture(PondPath(Fish));
  p.Periscope = LoadPicture(PondPath(Periscope));
  p.Crying = LoadPicture(PondPath(Crying));
  p.Still = LoadPicture(PondPath(Still));
  p.Bark = LoadPicture(PondPath(Bark));
  p.Run = LoadPicture(PondPath(Run));
  p.Home = LoadPicture(PondPath(Home));
  return p;
}
}  // namespace

TCw7Form::TListeningChoiceFiles TCw7Form::ReadListeningChoiceFiles(const QString& path) {
  return {LoadListeningChoiceFile(path), LoadPondPictures()};
}

void TCw7Form::LoadListeningChoice(const QString& path) {
  LoadListeningChoice(ReadListeningChoiceFiles(path));
}

void TCw7Form::LoadListeningChoice(TListeningChoiceFiles files) {
  TListeningChoice& choice = files.Choice;
  pictures_ = std::move(files.Pictures);
  Image1->SetPicture(pictures_.Pond);
  Image2->SetPicture(pictures_.Panel);
  if (PodkladFrm && PodkladFrm->Image1) Image1_2->SetPicture(PodkladFrm->Image1->Picture());
  Animated2->Hide();

  PutStrip(Animated1, pictures_.Fish, Cw7Files::Fish);
  PutStrip(Animated3, pictures_.Periscope, Cw7Files::Periscope);
  img_balon->SetPicture(pictures_.Balloon);
  img_balon->move(kBalloonLeft, kBalloonTop);
  Timer2.SetInterval(100);
  Timer2.SetEnabled(true);
  BalloonRising = true;
  BalloonX = kBalloonLeft;

  Questions = std::move(choice.Questions);
  QuestionCount = static_cast<int>(Questions.size());
  CurrentQuestion = 1;
  // The first question asked is never the file's first.
  Randomize();
  const int k = Random(QuestionCount - 1) + 2;
  std::swap(Questions[0], Questions[k - 1]);

  StartCrying();
  Button2->Show();
  button6->Hide();
  Panel1->Hide();
}

// ---------------------------------------------------------------- scenes

void TCw7Form::StartCrying() {
  Animated5->SetInterval(300);
  Animated5->SetFrameCount(Cw7Files::Crying.Frames);
  Animated5->SetLoop(false);
  Animated5->SetFrame(0);
  PutStrip(Animated5, pictures_.Crying, Cw7Files::Crying);
  Animated5->Show();
  Animated5->SetPlay(true);
}

void TCw7Form::ShowBarkingDog() {
  Panel1->Hide();
  PutStrip(Animated2, pictures_.Bark, Cw7Files::Bark);
  Animated2->move(346, 174);
  Animated2->SetFrameCount(Cw7Files::Bark.Frames);
  Animated2->SetFrame(0);
  Animated2->Show();
  Animated2->SetPlay(true);
  PlayPondSound(Cw7Files::Mama);
}

void TCw7Form::ShowDogAtHome() {
  Panel1->Hide();
  PutStrip(Animated2, pictures_.Home, Cw7Files::Home);
  Animated2->move(325, 174);
  Animated2->SetFrameCount(Cw7Files::Home.Frames);
  Animated2->SetFrame(0);
  Animated2->Show();
  Animated2->SetPlay(true);
  PlayPondSound(Cw7Files::Mama);
}

void TCw7Form::ShowAnswers() {
  if (CurrentQuestion < 1 || CurrentQuestion > QuestionCount) return;
  const TChoiceQuestion& q = Questions[CurrentQuestion - 1];
  for (int k = 1; k <= ChoiceAnswers; ++k) {
    TKwillOnMouse* answer = Answer(k);
    answer->SetCaption(q.Texts[k - 1]);
    answer->SetFontColor(clBlack);
    answer->Repaint();
  }
}

void TCw7Form::SayWord() {
  if (CurrentQuestion < 1 || CurrentQuestion > QuestionCount) return;
  PlayDialogueLine(IntToStr(Questions[CurrentQuestion - 1].WordSound));
}

TKwillOnMouse* TCw7Form::Answer(int k) const {
  return k == 1 ? Kwill1 : k == 2 ? Kwill2 : Kwill3;
}

bool TCw7Form::PlayerPlaying() const {
  return MainForm && MainForm->MediaPlayer1 && MainForm->MediaPlayer1->Mode() == mpPlaying;
}

void TCw7Form::StopScenes() {
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  for (TAnimated* sprite : {Animated1, Animated2, Animated3, Animated4, Animated5})
    sprite->SetPlay(false);
}

// ---------------------------------------------------------------- playing

void TCw7Form::Button2Click() {
  Animated4->Hide();
  Animated4->SetPlay(false);
  Animated2->Hide();
  StartCrying();
  CurrentQuestion = 1;
  SayWord();
  Button2->Hide();
  button6->Show();
  ShowAnswers();
  Panel1->Show();
  Timer1.SetEnabled(true);
  Timer2.SetEnabled(true);
}

void TCw7Form::Kwill1Click(int tag) {
  // Answers count only while the panel shows them (not during the bark or the run).
  if (!Panel1->Visible() || CurrentQuestion < 1 || CurrentQuestion > QuestionCount) return;
  if (tag != Questions[CurrentQuestion - 1].RightChoice) {
    Timer1.SetEnabled(false);
    ShowBarkingDog();
    return;
  }
  if (CurrentQuestion == QuestionCount) {
    Finish();
    return;
  }
  CurrentQuestion += 1;
  ShowAnswers();
  SayWord();
}

void TCw7Form::Finish() {
  Panel1->Hide();
  Repaint();
  Animated1->Hide();
  Animated1->Repaint();
  Animated3->Hide();
  Animated3->Repaint();
  RecordExerciseDone(true);
  Animated1->SetPlay(false);
  Animated2->SetPlay(false);
  Animated3->SetPlay(false);
  Timer1.SetEnabled(false);
  Animated5->Hide();
  PutStrip(Animated4, pictures_.Run, Cw7Files::Run);
  Animated4->SetFrameCount(Cw7Files::Run.Frames);
  Animated4->SetFrame(0);
  Animated4->Show();
  Animated4->SetPlay(true);
  PlayPondSound(Cw7Files::RunHome);
  button6->Hide();
  Button2->Show();
}

void TCw7Form::Button6Click() {
  SayWord();
}

void TCw7Form::BmpTransparent1Click() {
  PlayPondSound(Cw7Files::Instruction);
}

// ---------------------------------------------------------------- sprites

void TCw7Form::Animated1ChangeFrame() {
  if (Animated1->Frame() != LastFrame(Cw7Files::Fish)) return;
  Randomize();
  Animated1->Hide();
  Animated1->SetPlay(false);
  Animated1->SetFrame(0);
  Timer1.SetInterval((Random(11) + 8) * 1000);
}

void TCw7Form::Animated2ChangeFrame() {
  if (Animated2->Frame() != LastFrame(Cw7Files::Bark)) return;
  Panel1->Show();
  SayWord();
  Timer1.SetEnabled(true);
}

void TCw7Form::Animated3ChangeFrame() {
  if (Animated3->Frame() != LastFrame(Cw7Files::Periscope)) return;
  Randomize();
  Animated3->Hide();
  Animated3->SetPlay(false);
  Animated3->SetFrame(0);
  Timer1.SetInterval((Random(8) + 5) * 1000);
}

void TCw7Form::Animated4ChangeFrame() {
  if (Animated4->Frame() != LastFrame(Cw7Files::Run)) return;
  Animated4->SetPlay(false);
  Animated4->Hide();
  ShowDogAtHome();
}

void TCw7Form::Animated5ChangeFrame() {
  if (Animated5->Frame() != LastFrame(Cw7Files::Crying)) return;
  Animated5->SetPlay(false);
  PutStrip(Animated5, pictures_.Still, Cw7Files::Still);
  Animated5->SetFrame(0);
}

// ---------------------------------------------------------------- timers

void TCw7Form::Timer1Timer() {
  Randomize();
  const bool quiet = !PlayerPlaying();
  if (Random(10) + 1 > 5) {
    if (!quiet) return;
    Animated1->SetFrame(0);
    Animated1->Show();
    Animated1->SetPlay(true);
    PlayPondSound(Cw7Files::Splash);
  } else if (Random(10) + 1 > 5) {
    if (!quiet) return;
    Animated3->SetFrame(0);
    Animated3->Show();
    Animated3->SetPlay(true);
    PlayPondSound(Cw7Files::Bubbles);
  } else if (quiet) {
    PlayPondSound(Cw7Files::PondSound);
  }
}

void TCw7Form::Timer2Timer() {
  if (BalloonRising) {
    BalloonX += 1;
    if (BalloonX >= kBalloonRight) BalloonRising = false;
  } else {
    BalloonX -= 1;
    if (BalloonX <= kBalloonLeft) BalloonRising = true;
  }
  img_balon->SetLeft(BalloonX);
}

// ---------------------------------------------------------------- leaving

void TCw7Form::Button3Click() {
  ReturnToPlace(this, [this] {
    Timer1.SetEnabled(false);
    Timer2.SetEnabled(false);
    Panel1->Hide();
  });
}

void TCw7Form::LeaveForEntry() {
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  Animated2->SetPlay(false);
  StopWave();
}

void TCw7Form::CW1_KWS_LeftClick() {
  PreviousExercise([this] { LeaveForEntry(); });
}

void TCw7Form::CW1_KWS_RightClick() {
  NextExercise([this] { LeaveForEntry(); });
}
