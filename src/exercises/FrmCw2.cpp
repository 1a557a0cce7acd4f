#include "exercises/FrmCw2.h"

#include <algorithm>

#include "app/Globals.h"
#include "app/Shared.h"
#include "app/Sound.h"
#include "controls/Animate.h"
#include "controls/BmpTransparent.h"
#include "exercises/FrmCw2Files.h"
#include "platform/MediaPlayer.h"
#include "platform/Picture.h"
#include "platform/Strings.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"
#include "world/Rewards.h"

TCw2Form* Cw2Form = nullptr;

namespace {

TAnimated* NewSprite(QWidget* parent, int left, int top, int width, int height, int frames,
                     int interval, bool loop) {
  auto* sprite = new TAnimated(parent);
  sprite->SetBounds(left, top, width, height);
  sprite->SetInterval(interval);
  sprite->SetFrameCount(frames);
  sprite->SetLoop(loop);
  return sprite;
}

}  // namespace

TCw2Form::TCw2Form() {
  SetColor(clBlack);
  SetShowHint(true);
  KeyPreview = true;

  Image1_2 = new TImage(this);
  Image1_2->SetBounds(0, 0, 640, 480);
  Image1_2->OnClick = [this] { ResumeClock(); };

  Image1 = new TImage(this);
  Image1->move(26, 98);
  Image1->SetAutoSize(true);
  Image1->setMouseTracking(true);
  Image1->OnMouseMove = [this](TShiftState s, int x, int y) { Image1MouseMove(s, x, y); };
  Image1->OnMouseDown = [this](TMouseButton b, TShiftState s, int x, int y) {
    Image1MouseDown(b, s, x, y);
  };

  Label1 = new TLabel(this);
  Label1->SetAutoSize(false);
  Label1->SetBounds(68, 8, 333, 25);
  Label1->SetWordWrap(true);
  Label1->SetTransparent(true);
  Label1->OnClick = [this] { ResumeClock(); };

  Label2 = new TLabel(this);
  Label2->move(296, 8);
  Label2->SetTransparent(true);

  Animated1 = NewSprite(this, 355, 80, 223, 295, 6, 300, true);
  Animated1->OnChangeFrame = [this] { Animated1ChangeFrame(); };
  Animated2 = NewSprite(this, 300, 367, 196, 100, 4, 150, false);
  Animated3 = NewSprite(this, 346, 35, 60, 96, 10, 180, false);
  for (TAnimated* sprite : {Animated1, Animated2, Animated3})
    sprite->OnMouseDown = [this](TMouseButton, TShiftState, int, int) { ResumeClock(); };

  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);

  Image2 = NewHelpIcon(this, [this] { Image2Click(); });

  button1 = NewButton(this, 587, 434, 5, QStringLiteral("Koniec"));
  button1->OnClick = [this] { Button1Click(); };
  CW1_KWS_left = NewButton(this, 586, 133, 1, QStringLiteral("Poprzednie ćwiczenie"));
  CW1_KWS_left->OnClick = [this] { CW1_KWS_LeftClick(); };
  cw1_kws_right = NewButton(this, 590, 167, 2, QStringLiteral("Następne ćwiczenie"));
  cw1_kws_right->OnClick = [this] { CW1_KWS_RightClick(); };
  KwillButton1 = NewButton(this, 588, 15, 3, QStringLiteral("Rozpocznij"));
  KwillButton1->OnClick = [this] { KwillButton1Click(); };
  KwillButton1->Hide();

  Timer1.SetEnabled(false);
  Timer1.SetInterval(1000);
  Timer1.OnTimer = [this] { Timer1Timer(); };
  Timer2.SetEnabled(false);
  Timer2.SetInterval(HelpPause);
  Timer2.OnTimer = [this] { Timer2Timer(); };
}

TCw2Form::~TCw2Form() {
  ++run_;
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
}

void TCw2Form::FormCreate() {
  // Qt paints every widget double-buffered; only the cursor is left to set.
  Image2->SetCursor(TCursor::crHandPoint);
  const TFont labels{TextFont.Name, TextFont.Size, clBlack, fsBold};
  Label1->SetFont(labels);
  Label2->SetFont(labels);
}

void TCw2Form::FormShow() {
  SetArrows(2);
  TimeLimit = DefaultTimeLimit;
  TimeUsed = 0;
  Timer1.SetEnabled(true);
}

void TCw2Form::FormActivate() {
  Image1_2->LoadFromFile(Cw2Files::Background.In(ProgramDir, DataRoot));
}

void TCw2Form::FormClose() {
  ++run_;
  Judging = false;
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  Image1_2->SetPicture(QImage());
  Image1->SetPicture(QImage());
}

void TCw2Form::FormKeyDown(int& key, TShiftState shift) {
  EndOnAltF4(key, shift);
}

// ---------------------------------------------------------------- loading

TCw2Form::TWordSearchFiles TCw2Form::ReadWordSearchFiles(const QString& path) {
  TWordSearchFiles files;
  files.Search = LoadWordSearchFile(path);
  files.Grid = LoadPicture(Cw2Files::Grid.In(ProgramDir, DataRoot));
  files.Peeker = LoadPicture(Cw2Files::Peeker.In(ProgramDir, DataRoot));
  files.Figure = LoadPicture(Cw2Files::Figure.In(ProgramDir, DataRoot));
  files.Fish = LoadPicture(Cw2Files::Fish.In(ProgramDir, DataRoot));
  return files;
}

void TCw2Form::LoadWordSearch(const QString& path) {
  LoadWordSearch(ReadWordSearchFiles(path));
}

void TCw2Form::LoadWordSearch(TWordSearchFiles files) {
  ++run_;
  Judging = false;
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  Timer2.SetInterval(HelpPause);
  PairDone = true;
  TimeUsed = 0;
  FirstTry = true;
  SearchState = TSearchState::Searching;
  WordSearch = std::move(files.Search);
  WordSearch.MarginLeft = GridMargin;
  WordSearch.MarginTop = GridMargin;

  gridPicture_ = files.Grid.convertToFormat(QImage::Format_RGB32);
  struct {
    TAnimated* sprite;
    const QImage& strip;
    int frame;
  } const strips[] = {{Animated3, files.Peeker, 0},
                      {Animated1, files.Figure, FrameRest},
                      {Animated2, files.Fish, 0}};
  for (const auto& s : strips) {
    // The sprites keep their own size: the strip goes straight in.
    s.sprite->SetPlay(false);
    const QSize size = s.sprite->size();
    s.sprite->SetBitMap(s.strip);
    s.sprite->resize(size);
    s.sprite->SetFrame(s.frame);
  }

  FoundCell.fill(0);
  RightAnswers = 0;
  HoverCell = {};
  FirstCell = {};
  DrawGrid();
  Label1->SetCaption(QStringLiteral("Znajdź %1 wyrazów.").arg(WordSearch.WordCount));
  Label2->SetCaption(QString());
  Timer1.SetEnabled(true);
}

void TCw2Form::DrawGrid() {
  Image1->SetPicture(gridPicture_);
  for (int cell = 1; cell <= CellCount(); ++cell) DrawLetter(cell, TextFont.Color);
}

void TCw2Form::DrawLetter(int cell, TColor colour) {
  if (!InGrid(cell)) return;
  const int column = (cell - 1) % WordSearch.Columns, row = (cell - 1) / WordSearch.Columns;
  TCanvas& canvas = Image1->Canvas();
  const int left = WordSearch.MarginLeft + CellSize * column,
            top = WordSearch.MarginTop + CellSize * row;
  // The cell's own piece of the clean picture first, so a letter painted
  // again in another colour leaves no trace of the old one.
  const TRect box =
      TRect::FromQRect(QRect(left, top, CellSize, CellSize).intersected(gridPicture_.rect()));
  if (box.Right > box.Left && box.Bottom > box.Top) canvas.CopyRect(box, gridPicture_, box);
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Font = TFont{TextFont.Name, TextFont.Size, colour, 0};
  const QString& letter = WordSearch.Letters[static_cast<size_t>(cell - 1)];
  const int w = canvas.TextWidth(letter);
  canvas.TextOut(left + (CellSize - w) / 2, top, letter);
}

// ---------------------------------------------------------------- the grid

void TCw2Form::Image1MouseMove(TShiftState, int x, int y) {
  if (ExerciseKind != 1) return;
  if (x > GridMargin - 1 && y > GridMargin - 1) {
    HoverCell.Column = (x - (GridMargin - 1)) / CellSize;
    HoverCell.Row = (y - (GridMargin - 1)) / CellSize;
    HoverCell.Number = HoverCell.Row * WordSearch.Columns + HoverCell.Column + 1;
  } else {
    HoverCell.Column = -1;
    HoverCell.Row = -1;
  }
}

void TCw2Form::Image1MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  ResumeClock();
  if (button != TMouseButton::mbLeft || ExerciseKind != 1) return;
  // The press itself says where it is, moved to or not.
  Image1MouseMove(shift, x, y);
  ClickCell();
}

void TCw2Form::ClickCell() {
  if (Judging) return;
  if (HoverCell.Column < 0 || HoverCell.Row < 0 || HoverCell.Column > WordSearch.Columns - 1 ||
      HoverCell.Row > WordSearch.Rows - 1)
    return;
  Animated1->SetFrame(FrameClick);
  PlayWave(Cw2Files::FirstLetter.In(ProgramDir, DataRoot));
  PairDone = false;
  if (FirstCell.Number == HoverCell.Number) return;
  DrawLetter(HoverCell.Number, clRed);
  if (FirstCell.Number == 0) {
    FirstCell = {HoverCell.Number, HoverCell.Column};
    return;
  }

  const int first = FirstCell.Number, second = HoverCell.Number;
  Judging = true;
  if (WordSearch.Partner[static_cast<size_t>(first - 1)] != second) {
    Image1->Repaint();
    PlayWave(Cw2Files::WrongWord.In(ProgramDir, DataRoot));
    PairDone = true;
    FirstTry = false;
    Animated1->SetFrame(FrameWrong);
    if (!Pause(JudgePause)) return;
    Animated1->SetFrame(FrameRest);
    for (int cell : {first, second})
      if (FoundCell[static_cast<size_t>(cell - 1)] != 2) DrawLetter(cell, TextFont.Color);
    FirstCell = {};
    Judging = false;
    return;
  }

  const bool alreadyFound = FoundCell[static_cast<size_t>(first - 1)] == 2 &&
                            FoundCell[static_cast<size_t>(second - 1)] == 2;
  // Decided now: the pointer may move on during the pause.
  const TFirstCell next = alreadyFound ? TFirstCell{second, HoverCell.Column} : TFirstCell{};
  bool last = false;
  if (!alreadyFound) {
    MarkWord(first, second);
    last = RightAnswers == WordSearch.WordCount;
    if (last) {
      // Nothing is left to count: the clock stops with the last word.
      SearchState = TSearchState::Finished;
      Timer1.SetEnabled(false);
    }
    Image1->Repaint();
    Animated1->SetFrame(FrameRight);
    PlayWave(Cw2Files::WordFound.In(ProgramDir, DataRoot));
    PairDone = true;
    if (!Pause(JudgePause)) return;
    Animated1->SetFrame(FrameRest);
  }
  if (last) {
    Animated1->SetFrame(FrameFinished);
    Repaint();
    RecordExerciseDone(true);
    Timer1.SetEnabled(false);
    Timer2.SetEnabled(false);
    if (!Pause(JudgePause)) return;
    Image1->Hide();
    KwillButton1->Show();
  } else {
    FirstCell = next;
  }
  Judging = false;
}

void TCw2Form::MarkWord(int from, int to) {
  const int lo = std::min(from, to), hi = std::max(from, to);
  const int direction = WordSearch.Direction[static_cast<size_t>(from - 1)];
  auto mark = [this](int cell) {
    if (!InGrid(cell)) return;
    DrawLetter(cell, clRed);
    FoundCell[static_cast<size_t>(cell - 1)] = 2;
  };
  if (direction == 1 || direction == 2) {
    const int step = direction == 1 ? 1 : WordSearch.Columns;
    for (int cell = lo; cell <= hi; cell += step) mark(cell);
  } else {
    // A file that gives no direction: its two ends are all there is to mark.
    mark(lo);
    mark(hi);
  }
  RightAnswers += 1;
  FirstCell = {};
  HoverCell.Number = 0;
}

bool TCw2Form::Pause(int ms) {
  const std::uint64_t run = run_;
  Delay(ms);
  return run == run_ && Visible();
}

// ---------------------------------------------------------------- the clock

void TCw2Form::Timer1Timer() {
  TimeUsed = std::min(TimeUsed + 1, TimeLimit);
  Label2->SetCaption(QStringLiteral("Czas: %1").arg(TimeLimit - TimeUsed));
  if (Label2->Caption().endsWith(u'0') && PairDone) {
    if (Random(2) == 0) {
      Animated3->BringToFront();
      PlayWave(Cw2Files::PeekerSound.In(ProgramDir, DataRoot));
      Animated3->SetPlay(true);
    } else {
      PlayWave(Cw2Files::FishSound.In(ProgramDir, DataRoot));
      Animated2->SetPlay(true);
    }
  }
  if (TimeUsed >= TimeLimit) TimeOut();
}

void TCw2Form::TimeOut() {
  SearchState = TSearchState::TimedOut;
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  Image1->Hide();
  KwillButton1->Show();
  PlayWave(Cw2Files::TimeOut.In(ProgramDir, DataRoot));
}

void TCw2Form::Timer2Timer() {
  Timer1.SetEnabled(true);
  Timer2.SetEnabled(false);
}

void TCw2Form::Image2Click() {
  // After the end the clock stays still; the instruction is still said.
  if (SearchState == TSearchState::Searching) {
    Timer1.SetEnabled(false);
    Timer2.SetEnabled(true);
  }
  PlayWave(Cw2Files::Help.In(ProgramDir, DataRoot));
}

void TCw2Form::ResumeClock() {
  if (Timer1.Enabled() || KwillButton1->Visible() || SearchState != TSearchState::Searching) return;
  Timer1.SetEnabled(true);
  Timer2.SetEnabled(false);
  Timer2.SetInterval(HelpPause);
  StopWave();
}

void TCw2Form::Animated1ChangeFrame() {
  Animated3->BringToFront();
  Animated3->Repaint();
}

// ---------------------------------------------------------------- buttons

void TCw2Form::KwillButton1Click() {
  const TListEntry* entry = CurrentExercise();
  if (!entry) return;
  LoadWordSearch(ProgramDir + QStringLiteral("\\cwicz") + entry->File);
  TimeUsed = 0;
  Timer1.SetEnabled(true);
  Image1->Show();
  KwillButton1->Hide();
}

void TCw2Form::StopAll() {
  Animated1->SetPlay(false);
  Animated2->SetPlay(false);
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  StopWave();
}

void TCw2Form::Button1Click() {
  ReturnToPlace(this, [this] { StopAll(); });
}

void TCw2Form::CW1_KWS_LeftClick() {
  PreviousExercise([this] { StopAll(); });
}

void TCw2Form::CW1_KWS_RightClick() {
  NextExercise([this] { StopAll(); });
}
