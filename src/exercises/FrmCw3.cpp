#include "exercises/FrmCw3.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <utility>

#include "app/Feedback.h"
#include "app/FeedbackFiles.h"
#include "app/FrmPodklad.h"
#include "app/Globals.h"
#include "app/Shared.h"
#include "app/Sound.h"
#include "controls/Animate.h"
#include "controls/BmpTransparent.h"
#include "controls/ScreenArt.h"
#include "exercises/FrmCw3Files.h"
#include "platform/Fonts.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "platform/SafeMath.h"
#include "platform/Strings.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"
#include "world/Rewards.h"

TCw3Form* Cw3Form = nullptr;

namespace {

constexpr int kCell = 21;
constexpr QPoint kHelicopterHome(641, 80);
// The original's 2 ms figure timer ticked at the system timer's 15.6 ms
// resolution; at a true 2 ms the figure would vanish in a quarter second.
constexpr int kFigureInterval = 16;
constexpr int kFlyOffPause = 80;

// The crosswords whose solution column looks like any other cell.
const QStringList kPlainSolutionFiles = {QStringLiteral("\\culture\\1ba.fc3"),
                                         QStringLiteral("\\culture\\1da.fc3"),
                                         QStringLiteral("\\school\\5cc.fc3")};

constexpr int kClueLefts[CrosswordLines] = {499, 499, 499, 499, 499, 499, 499, 499,
                                            499, 499, 427, 427, 427, 427, 427};
constexpr int kClueTops[CrosswordLines] = {245, 261, 277, 293, 309, 325, 341, 357,
                                           373, 389, 355, 371, 389, 403, 419};

QString CurrentEntryFile() {
  const TListEntry* entry = CurrentExercise();
  return entry ? entry->File : QString();
}

// Swallows mouse and keyboard input while it lives: the blocking fly-off
// keeps the screen painting, and a click meant for nothing must not land on
// what appears after it.
class TInputBlock : public QObject {
 public:
  TInputBlock() { QCoreApplication::instance()->installEventFilter(this); }
  ~TInputBlock() override { QCoreApplication::instance()->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Wheel:
        return true;
      default:
        return false;
    }
  }
};

}  // namespace

TCw3Form::TCw3Form() {
  SetColor(clBlack);
  KeyPreview = true;

  Image1_2 = new TImage(this);
  Image1_2->SetBounds(0, 0, 640, 480);
  Image1 = new TImage(this);
  Image1->SetBounds(8, 37, 570, 436);
  Panel_Img = new TImage(this);
  Panel_Img->SetAutoSize(true);
  Panel_Img->move(492, 243);

  Animated1 = new TAnimated(this);
  Animated1->SetBounds(330, 306, Cw3Files::Lift.Width, Cw3Files::Lift.Height);
  Animated1->SetFrameCount(10);
  Animated1->SetLoop(false);
  Animated2 = new TAnimated(this);
  Animated2->SetBounds(458, 128, Cw3Files::Skier.Width, Cw3Files::Skier.Height);
  Animated2->SetInterval(90);
  Animated2->SetFrameCount(6);
  Animated2->OnChangeFrame = [this] { Animated2ChangeFrame(); };
  Animated2->Hide();
  Animated3 = new TAnimated(this);
  Animated3->SetBounds(10, 376, Cw3Files::Yeti.Width, Cw3Files::Yeti.Height);
  Animated3->SetInterval(170);
  Animated3->SetFrameCount(10);
  Animated3->OnChangeFrame = [this] { Animated3ChangeFrame(); };
  Animated3->Hide();

  img_helik = new TBmpTransparent(this);
  img_helik->SetBounds(kHelicopterHome.x(), kHelicopterHome.y(), 73, 65);
  img_helik->SetTransparentColor(clOlive);
  img_helik->SetPicture(CrosswordHelicopter());

  Image2 = new TImage(this);
  Image2->SetBounds(248, 234, 70, 84);
  Image2->SetTransparent(true);
  Image2->SetPicture(CrosswordFigure());
  Image2->Hide();

  // The frame lies over the sky: the helicopter flies off behind it.
  auto* topBar = new TImage(this);
  topBar->SetBounds(0, 0, 640, 37);
  topBar->SetPicture(CrosswordTopBar());
  auto* sideBar = new TImage(this);
  sideBar->SetBounds(578, 31, 62, 152);
  sideBar->SetPicture(CrosswordSideBar());
  auto* strip = new TImage(this);
  strip->SetBounds(0, 37, 8, 169);
  strip->SetPicture(CrosswordStrip());

  const QImage emptyLine = CrosswordEmptyLine();
  for (int k = 1; k <= CrosswordLines; ++k) {
    auto* line = new TImage(this);
    line->SetBounds(-615, 0, 389, 27);
    line->SetPicture(emptyLine);
    line->Tag = k;
    line->SetCursor(TCursor::crHandPoint);
    line->OnClick = [this, line] { Line_1Click(line); };
    lines_[k - 1] = line;

    auto* number = new TLabel(this);
    number->SetCaption(k < 10 ? QStringLiteral("  %1").arg(k) : QString::number(k));
    number->SetFont(TFont{SansFace, -17, clBlack, fsBold});
    number->SetTransparent(true);
    number->Hide();
    numbers_[k - 1] = number;
  }
  Line_1 = lines_[0];
  for (int k = 1; k <= CrosswordLines; ++k) {
    auto* clue = new TLabel(this);
    clue->move(kClueLefts[k - 1], kClueTops[k - 1]);
    clue->SetFont(TFont{SansFace, -13, clBlack, 0});
    clue->SetTransparent(true);
    clue->Hide();
    clues_[k - 1] = clue;
  }

  Edit_Krz = new TEdit(this);
  Edit_Krz->SetBounds(0, 0, 22, 25);
  Edit_Krz->SetFont(TFont{SerifFace, -18, clBlack, 0});
  Edit_Krz->SetColor(clWhite);
  Edit_Krz->SetMaxLength(2);
  Edit_Krz->OnKeyPress = [this](QChar& key) { Edit_KrzKeyPress(key); };
  Edit_Krz->OnChange = [this] { Edit_KrzChange(); };
  Edit_Krz->Hide();

  BmpTransparent1 = NewHelpIcon(this, [this] { BmpTransparent1Click(); });

  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);

  KwillButton1 = NewButton(this, 588, 42, 3, QStringLiteral("Rozpocznij"));
  KwillButton1->OnClick = [this] { KwillButton1Click(); };
  KwillButton1->Hide();
  Button2 = NewButton(this, 588, 86, 4, QStringLiteral("Pomoc"));
  Button2->OnClick = [this] { Button2Click(); };
  Button2->Hide();
  CW1_KWS_left = NewButton(this, 586, 133, 1, QStringLiteral("Poprzednie ćwiczenie"));
  CW1_KWS_left->OnClick = [this] { CW1_KWS_LeftClick(); };
  cw1_kws_right = NewButton(this, 590, 167, 2, QStringLiteral("Następne ćwiczenie"));
  cw1_kws_right->OnClick = [this] { CW1_KWS_RightClick(); };
  button1 = NewButton(this, 587, 434, 5, QStringLiteral("Koniec"));
  button1->OnClick = [this] { Button1Click(); };

  Timer1.SetInterval(kFigureInterval);
  Timer1.OnTimer = [this] { Timer1Timer(); };
  Timer2.SetInterval(400);
  Timer2.OnTimer = [this] { Timer2Timer(); };
  Timer3.OnTimer = [this] { Timer3Timer(); };
  AllTimersOff();
}

void TCw3Form::FormCreate() {
  BmpTransparent1->SetCursor(TCursor::crHandPoint);
  AllTimersOff();
}

void TCw3Form::FormShow() {
  Image2->Hide();
  if (PodkladFrm && PodkladFrm->Image1) Image1_2->SetPicture(PodkladFrm->Image1->Picture());
  Edit_Krz->Hide();
  Edit_Krz->SetEnabled(false);
  SetArrows(3);
}

void TCw3Form::FormClose() {
  // A skier or Yeti still running would start the scenes again behind
  // another screen.
  AllTimersOff();
  for (TAnimated* sprite : {Animated2, Animated3}) {
    sprite->SetPlay(false);
    sprite->Hide();
  }
  Image1_2->SetPicture(QImage());
  Image1->SetPicture(QImage());
  for (TAnimated* sprite : {Animated1, Animated2, Animated3}) sprite->ClearBitMap();
}

void TCw3Form::FormKeyDown(int& key, TShiftState shift) {
  EndOnAltF4(key, shift);
}

void TCw3Form::AllTimersOff() {
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  Timer3.SetEnabled(false);
}

int TCw3Form::WordLength(int k) const {
  return k >= 1 && k <= CrosswordLines ? static_cast<int>(Crossword.Answers[k - 1].size()) : 0;
}

bool TCw3Form::PlainSolutionColumn() const {
  return kPlainSolutionFiles.contains(CurrentEntryFile().toLower());
}

// ---------------------------------------------------------------- loading

TCw3Form::TCrosswordFiles TCw3Form::ReadCrosswordFiles(const QString& path) {
  TCrosswordFiles files;
  files.Crossword = LoadCrosswordFile(path);
  files.Lift = LoadPicture(Cw3Files::Lift.In(ProgramDir, DataRoot));
  files.Yeti = LoadPicture(Cw3Files::Yeti.In(ProgramDir, DataRoot));
  files.Panel = LoadPicture(Cw3Files::Panel.In(ProgramDir, DataRoot));
  files.Landscape = LoadPicture(Cw3Files::Landscape.In(ProgramDir, DataRoot));
  files.Skier = LoadPicture(Cw3Files::Skier.In(ProgramDir, DataRoot));
  files.EmptyLine = LoadPicture(Cw3Files::EmptyLine.In(ProgramDir, DataRoot));
  return files;
}

void TCw3Form::LoadCrossword(const QString& path) {
  LoadCrossword(ReadCrosswordFiles(path));
}

void TCw3Form::LoadCrossword(TCrosswordFiles files) {
  // Typed letters are upper case: an answer stored in lower case must still match.
  for (QString& answer : files.Crossword.Answers) answer = UpperCase(answer);
  Crossword = std::move(files.Crossword);
  emptyLine_ = files.EmptyLine;

  Randomize();
  YetiShown = LineOpen = HelicopterHold = SceneBusy = false;
  CursorPos = SolvedCount = HelpUses = 0;
  CurrentLine = nullptr;
  CurrentWord = 0;
  TypedWord.clear();
  FirstTry = true;

  Animated1->SetBitMap(files.Lift);
  Animated1->SetBounds(330, 306, Cw3Files::Lift.Width, Cw3Files::Lift.Height);
  Animated3->SetBitMap(files.Yeti);
  Animated3->SetBounds(10, 376, Cw3Files::Yeti.Width, Cw3Files::Yeti.Height);
  if (PodkladFrm && PodkladFrm->Image1) Image1_2->SetPicture(PodkladFrm->Image1->Picture());
  Panel_Img->SetPicture(files.Panel);

  Animated1->SetFrame(10 - Crossword.WordCount);

  Timer3.SetInterval(6000);
  img_helik->move(kHelicopterHome);
  Timer3.SetEnabled(true);

  for (int k = 0; k < CrosswordLines; ++k) {
    WordSolved[k] = false;
    RevealedLetters[k].fill(u' ');
    HelpCount[k] = 0;
    clues_[k]->SetFontColor(clBlack);
    clues_[k]->Hide();
    Crossword.LinePositions[k].Left = OffsetCoordinate(Crossword.LinePositions[k].Left, 10);
    Crossword.LinePositions[k].Top = OffsetCoordinate(Crossword.LinePositions[k].Top, -21);
  }

  KwillButton1->Hide();
  Image1->SetPicture(files.Landscape);
  Image2->Hide();
  Animated2->SetBitMap(files.Skier);
  Animated2->SetBounds(458, 128, Cw3Files::Skier.Width, Cw3Files::Skier.Height);

  for (TImage* line : lines_) {
    line->SetCursor(TCursor::crHandPoint);
    line->SetPicture(emptyLine_);
  }
  for (TLabel* number : numbers_) number->Hide();

  for (int k = 1; k <= Crossword.WordCount; ++k) {
    const QString& clue = Crossword.Clues[k - 1];
    const QString point = k < 10 ? QStringLiteral(". ") : QStringLiteral(".");
    clues_[k - 1]->SetCaption(QString::number(k) + point + clue.left(1) +
                              AnsiLowerCase(clue.mid(1)));
    clues_[k - 1]->Show();
  }

  for (int k = 1; k <= CrosswordLines; ++k)
    DrawSolutionCell(Crossword.SolutionColumn[k - 1], Line(k));

  // Lines past WordCount are expected to be empty; whatever they hold, they
  // are not played, so they stay out of sight.
  for (int k = 1; k <= CrosswordLines; ++k) {
    TImage* line = Line(k);
    const TLinePosition& at = Crossword.LinePositions[k - 1];
    line->SetBounds(at.Left, at.Top, WordLength(k) * kCell + 1, line->Height());
    line->SetVisible(k <= Crossword.WordCount);
    Cyfra(k)->move(line->Left() - 20, line->Top());
    Cyfra(k)->SetVisible(k <= Crossword.WordCount);
  }
}

// ---------------------------------------------------------------- drawing

void TCw3Form::DrawSolutionCell(int col, TImage* line) {
  // A column outside the line has no cell to mark.
  if (!line || col < 1 || col > WordLength(line->Tag)) return;
  TCanvas& canvas = line->Canvas();
  canvas.Brush.Color = PlainSolutionColumn() ? clWhite : clYellow;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Pen.Color = clBlack;
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Rectangle((col - 1) * kCell, 0, (col - 1) * kCell + 22, 22);
}

void TCw3Form::DrawLetter(int n, QChar s) {
  if (!CurrentLine || CurrentWord < 1) return;
  TCanvas& canvas = CurrentLine->Canvas();
  const bool plain = PlainSolutionColumn();
  int y = 0;
  TFont font{SerifFace, Line_1->Height() / 2, clBlack, 0};
  if (n == Crossword.SolutionColumn[CurrentWord - 1]) {
    if (!plain) font.Style = fsBold;
    DrawSolutionCell(Crossword.SolutionColumn[CurrentLine->Tag - 1], CurrentLine);
    y = -1;
  } else {
    canvas.Brush.Color = clWhite;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect(Rect((n - 1) * kCell + 2, 2, (n - 1) * kCell + 21, 21));
  }
  canvas.Font = font;
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.TextOut((n - 1) * kCell + 2, y, QString(s));
}

void TCw3Form::RedrawLine() {
  if (!CurrentLine) return;
  // The line's own word, whichever word help drew last.
  CurrentWord = CurrentLine->Tag;
  for (int i = 1; i <= WordLength(CurrentWord); ++i) DrawLetter(i, Revealed(i));
}

// ---------------------------------------------------------------- lines and typing

void TCw3Form::Line_1Click(TImage* sender) {
  if (!sender || sender->Cursor() == TCursor::crArrow) return;
  if (LineOpen) {
    Edit_Krz->Hide();
    RedrawLine();
  }
  CursorPos = 1;
  LineOpen = true;
  TypedWord.clear();
  SkippedLetters.clear();
  CurrentWord = sender->Tag;
  CurrentLine = sender;
  Edit_Krz->SetTop(sender->Top());
  for (int i = 1; i <= WordLength(CurrentWord); ++i) {
    if (!IsRevealed(i)) {
      Edit_Krz->SetLeft(sender->Left() + (i - 1) * kCell);
      break;
    }
    CursorPos += 1;
  }
  Edit_Krz->Show();
  Edit_Krz->raise();
  Edit_Krz->SetEnabled(true);
  Edit_Krz->SetText(QString());
  Edit_Krz->SetFocus();
}

void TCw3Form::Edit_KrzChange() {
  if (!Edit_Krz->Text().isEmpty()) Edit_Krz->SetText(QString());
}

void TCw3Form::Edit_KrzKeyPress(QChar& key) {
  const QChar typed = key;
  key = QChar();  // the box never keeps what was typed
  if (!LineOpen || !CurrentLine) return;
  const int len = WordLength(CurrentWord);
  const QString skipped = std::exchange(SkippedLetters, QString());
  if (IsAsciiLetter(typed) && !skipped.isEmpty() && typed.toUpper() == skipped[0].toUpper()) {
    SkippedLetters = skipped.mid(1);
    return;
  }
  if (typed == QChar(VK_BACK)) {
    if (CursorPos > 1) {
      CursorPos -= 1;
      TypedWord.remove(CursorPos - 1, 1);
      DrawLetter(CursorPos, Revealed(CursorPos));
      Edit_Krz->SetLeft(CurrentLine->Left() + (CursorPos - 1) * kCell);
      Edit_Krz->SetText(QString());
    }
    return;
  }
  if (!IsAsciiLetter(typed)) return;
  const QChar letter = typed.toUpper();
  Edit_Krz->SetText(QString());
  Edit_Krz->Repaint();
  // A word whose cells are all taken cannot take another letter.
  if (CursorPos > std::max(len, 1)) return;
  for (;;) {
    if (CursorPos < len) {
      if (!IsRevealed(CursorPos)) DrawLetter(CursorPos, letter);
      TypedWord += letter;
      CursorPos += 1;
      if (!IsRevealed(CursorPos)) {
        Edit_Krz->SetLeft(CurrentLine->Left() + (CursorPos - 1) * kCell);
        Edit_Krz->SetText(QString());
        return;
      }
      // A revealed cell: the same letter holds its place until step 5 below.
      SkippedLetters += Revealed(CursorPos);
    } else {
      if (!IsRevealed(CursorPos)) DrawLetter(CursorPos, letter);
      TypedWord += letter;
      Edit_Krz->Hide();
      break;
    }
  }
  for (int i = 1; i <= len; ++i)
    if (IsRevealed(i)) TypedWord[i - 1] = Revealed(i);
  // A word ended by revealed cells: their letters, typed next, belong to it
  // and not to the line that opens now.
  const QString ending = SkippedLetters;
  if (TypedWord == Crossword.Answers[CurrentWord - 1])
    RightWord();
  else
    WrongWord();
  SkippedLetters = ending;
}

void TCw3Form::RightWord() {
  PlayWave(Cw3Files::WordSolved.In(ProgramDir, DataRoot));
  WordSolved[CurrentLine->Tag - 1] = true;
  SolvedCount += 1;
  CurrentLine->SetCursor(TCursor::crArrow);
  Opis(CurrentLine->Tag)->SetFontColor(clBlue);
  if (Animated1->Frame() < 9) Animated1->SetFrame(Animated1->Frame() + 1);
  if (SolvedCount == Crossword.WordCount) {
    Complete();
    return;
  }
  LineOpen = false;
  OpenNextLine();
}

void TCw3Form::OpenNextLine() {
  const int from = CurrentLine->Tag;
  for (int k = from; k <= Crossword.WordCount; ++k)
    if (!WordSolved[k - 1]) return Line_1Click(Line(k));
  for (int k = 1; k <= std::min(from, Crossword.WordCount); ++k)
    if (!WordSolved[k - 1]) return Line_1Click(Line(k));
  LineOpen = false;
  Edit_Krz->SetText(QString());
}

void TCw3Form::WrongWord() {
  Randomize();
  const int r = Random(10) + 1;
  if (r > 5 || YetiShown) {
    PlayFeedback(FeedbackFiles::Wrong);
    YetiShown = false;
  } else {
    Animated3->Show();
    Animated3->SetFrame(0);
    Animated3->SetPlay(true);
    PlayWave(Cw3Files::YetiSound.In(ProgramDir, DataRoot));
    YetiShown = true;
  }
  FirstTry = false;
  Edit_Krz->Hide();
  TImage* line = CurrentLine;
  Line_1Click(line);
  line->SetPicture(emptyLine_);
  DrawSolutionCell(Crossword.SolutionColumn[CurrentWord - 1], line);
  RedrawLine();
  Edit_Krz->SetText(QString());
}

// ---------------------------------------------------------------- the end

void TCw3Form::Complete() {
  Timer3.SetEnabled(false);
  Timer2.SetEnabled(false);
  for (TImage* line : lines_) line->Repaint();
  RecordExerciseDone(true);
  for (int k = 0; k < CrosswordLines; ++k) {
    numbers_[k]->Hide();
    lines_[k]->Hide();
  }
  Edit_Krz->Hide();
  if (img_helik->Left() < kHelicopterHome.x()) FlyOff();
  Image2->move(249, 234);
  Image2->Show();
  Timer1.SetEnabled(true);
  Button2->Hide();
  PlayWave(Cw3Files::Complete.In(ProgramDir, DataRoot));
  KwillButton1->Show();
  Repaint();
  LineOpen = false;
  Edit_Krz->SetText(QString());
}

void TCw3Form::FlyOff() {
  const TInputBlock block;
  do {
    img_helik->SetTop(img_helik->Top() - 7);
    img_helik->Repaint();
    Delay(kFlyOffPause);
    if (img_helik->Left() > 500) img_helik->SetLeft(img_helik->Left() - 7);
  } while (img_helik->Top() >= -15);
}

// ---------------------------------------------------------------- help

void TCw3Form::Button2Click() {
  if (HelpUses >= 3) return;
  HelpUses += 1;
  if (HelpUses == 3) Button2->Hide();
  Randomize();
  TImage* before = CurrentLine;
  if (CurrentLine && CurrentLine->Cursor() != TCursor::crArrow && CurrentWord >= 1) {
    RedrawLine();
    Edit_Krz->Hide();
    LineOpen = false;
  }
  for (int k = 1; k <= Crossword.WordCount; ++k) {
    CurrentLine = Line(k);
    CurrentWord = k;
    const int len = WordLength(k);
    if (HelpCount[k - 1] < len - 1 && !WordSolved[k - 1]) {
      int p = 1;
      while (p == 1) p = Random(len) + 1;
      const QChar letter = Crossword.Answers[k - 1][p - 1];
      DrawLetter(p, letter);
      RevealedLetters[k - 1][p - 1] = letter;
      HelpCount[k - 1] += 1;
    }
  }
  // The child goes on typing after help: the line that was current stays
  // open, or the next unsolved one opens.
  CurrentLine = before ? before : Line(1);
  CurrentWord = CurrentLine->Tag;
  if (CurrentLine->Cursor() != TCursor::crArrow) return Line_1Click(CurrentLine);
  OpenNextLine();
}

// ---------------------------------------------------------------- scenes

void TCw3Form::Timer3Timer() {
  if (HelicopterHold) return;
  Timer3.SetInterval(100);
  SceneBusy = true;
  img_helik->SetLeft(img_helik->Left() - 7);
  if (img_helik->Left() < 250) img_helik->SetTop(img_helik->Top() - 4);
  if (img_helik->Top() < -45) {
    Timer3.SetInterval(20000);
    img_helik->move(kHelicopterHome);
    SceneBusy = false;
    Timer2.SetEnabled(true);
  }
}

void TCw3Form::Timer2Timer() {
  if (SceneBusy) return;
  HelicopterHold = true;
  SceneBusy = true;
  PlayWave(Cw3Files::SkierSound.In(ProgramDir, DataRoot));
  Animated2->Show();
  Animated2->SetFrame(0);
  Animated2->SetPlay(true);
}

void TCw3Form::Animated2ChangeFrame() {
  if (Animated2->Frame() != 5) return;
  Randomize();
  Timer2.SetEnabled(false);
  Animated2->SetPlay(false);
  Animated2->Hide();
  Animated2->SetFrame(0);
  HelicopterHold = SceneBusy = false;
  Timer2.SetInterval((Random(8) + 7) * 800);
  Timer2.SetEnabled(true);
}

void TCw3Form::Animated3ChangeFrame() {
  if (Animated3->Frame() != 9) return;
  Animated3->SetPlay(false);
  Animated3->Hide();
}

void TCw3Form::Timer1Timer() {
  if (img_helik->Left() > 640) HelicopterHold = true;
  SceneBusy = true;
  Image2->move(Image2->Left() - 3, Image2->Top() - 2);
  if (Image2->Left() <= -90) {
    Timer1.SetEnabled(false);
    HelicopterHold = SceneBusy = false;
    StopWave();
  }
}

// ---------------------------------------------------------------- buttons

void TCw3Form::KwillButton1Click() {
  StopWave();
  KwillButton1->Hide();
  LoadCrossword(ProgramDir + QStringLiteral("\\cwicz") + CurrentEntryFile());
  Image2->move(248, 234);
  Button2->Show();
  Line_1Click(Line_1);
  SceneBusy = false;
}

void TCw3Form::Button1Click() {
  ReturnToPlace(this, [this] {
    AllTimersOff();
    Image2->move(328, 208);
    StopSharedPlayer();
  });
}

void TCw3Form::CW1_KWS_LeftClick() {
  PreviousExercise([this] { AllTimersOff(); });
}

void TCw3Form::CW1_KWS_RightClick() {
  NextExercise([this] { AllTimersOff(); });
}

void TCw3Form::BmpTransparent1Click() {
  PlayWave(Cw3Files::Instruction.In(ProgramDir, DataRoot));
}
