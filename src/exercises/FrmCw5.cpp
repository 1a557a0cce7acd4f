#include "exercises/FrmCw5.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "app/Feedback.h"
#include "app/FeedbackFiles.h"
#include "app/Globals.h"
#include "app/Shared.h"
#include "app/Sound.h"
#include "controls/BmpTransparent.h"
#include "controls/TransparentButton.h"
#include "exercises/FrmCw5Files.h"
#include "platform/Beep.h"
#include "platform/Fonts.h"
#include "platform/MediaPlayer.h"
#include "platform/Picture.h"
#include "platform/SafeMath.h"
#include "platform/Strings.h"
#include "platform/Timers.h"
#include "world/Dialogues.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"
#include "world/Rewards.h"

TCw5Form* Cw5Form = nullptr;

namespace {

const QString kIndent = QStringLiteral("   ");
constexpr int kWrongTriesToReveal = 4;
constexpr int kAnswerPause = 1200;
// The child's first line of the odd role play: a longer pause to get ready.
constexpr int kFirstLineMsPerChar = 85;
constexpr int kFirstLineExtraMs = 1300;

// Gap dialogues whose help explains the tenses rather than the gaps.
const QStringList kTenseGapFiles = {
    QStringLiteral("\\liblary\\7fb_a.fc9"), QStringLiteral("\\liblary\\7fb_b.fc9"),
    QStringLiteral("\\liblary\\7fb_c.fc9"), QStringLiteral("\\liblary\\7fb_d.fc9"),
    QStringLiteral("\\liblary\\7fb_e.fc9"), QStringLiteral("\\liblary\\7g_a.fc9"),
    QStringLiteral("\\liblary\\7g_b.fc9"),  QStringLiteral("\\liblary\\7g_c.fc9"),
    QStringLiteral("\\liblary\\7g_d.fc9"),
};

bool IsPunctuation(const QString& part) {
  const QString t = Trim(part);
  return t == QLatin1String(".") || t == QLatin1String("?");
}

}  // namespace

TCw5Form::TCw5Form() {
  SetColor(clBlack);
  KeyPreview = true;

  Image1_2 = new TImage(this);
  Image1_2->SetBounds(0, 0, 640, 480);
  Image1_2->setMouseTracking(true);
  Image1_2->OnMouseMove = [this](TShiftState, int, int) { BackgroundMouseMove(); };
  Image1_2->OnMouseDown = [this](TMouseButton, TShiftState, int, int) { BackgroundClick(); };

  PaintBox1 = new TPaintBox(this);
  PaintBox1->SetBounds(40, 80, 525, 321);
  PaintBox1->Font = TFont{SerifFace, 14, clBlack, 0};
  PaintBox1->OnPaint = [this] { PaintBox1Paint(); };
  PaintBox1->Hide();

  TLabel** named[MaxDialogueLines] = {&Line_1, &Line_2,  &Line_3,  &Line_4,  &Line_5,  &Line_6,  &Line_7,
                                      &Line_8, &Line_9, &Line_10, &Line_11, &Line_12, &Line_13, &Line_14};
  for (int k = 1; k <= MaxDialogueLines; ++k) {
    auto* line = new TLabel(this);
    line->Tag = k;
    line->SetFont(TFont{SerifFace, k == MaxDialogueLines ? -17 : -18, clBlack, 0});
    line->SetTransparent(true);
    line->setMouseTracking(true);
    line->OnMouseMove = [this, line](TShiftState, int, int) { Line_1MouseMove(line); };
    line->OnClick = [this, line] { Line_1Click(line); };
    line->Hide();
    *named[k - 1] = line;
    lines_[k - 1] = line;
  }

  Line_Polski = new TLabel(this);
  Line_Polski->SetFont(TFont{SerifFace, -18, LineRed, 0});
  Line_Polski->SetTransparent(true);
  Line_Polski->setMouseTracking(true);
  Line_Polski->OnMouseMove = [this](TShiftState, int, int) { Line_Polski->Hide(); };
  Line_Polski->Hide();

  Lbl_Tyt = new TLabel(this);
  Lbl_Tyt->SetAutoSize(false);
  Lbl_Tyt->SetBounds(52, 9, 513, 29);
  Lbl_Tyt->SetFont(TFont{SerifFace, -16, clBlack, fsBold});
  Lbl_Tyt->SetTransparent(true);

  Edit_1 = new TEdit(this);
  Edit_1->SetFont(TFont{SerifFace, -19, clBlack, 0});
  Edit_1->SetBounds(-300, 0, 121, 23);
  Edit_1->OnKeyPress = [this](QChar& key) { Edit_1KeyPress(key); };
  Edit_1->Hide();

  BTN_FOCUS = new QPushButton(this);
  BTN_FOCUS->setFocusPolicy(Qt::ClickFocus);
  BTN_FOCUS->setGeometry(-200, -200, 75, 25);

  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);

  Image2 = NewHelpIcon(this, [this] { Image2Click(); }, 36);

  button2 = NewButton(this, 587, 434, 5, QStringLiteral("Koniec"));
  button2->OnClick = [this] { Button2Click(); };
  CW5_KWS_left = NewButton(this, 584, 175, 28, QStringLiteral("Poprzedni"));
  CW5_KWS_left->OnClick = [this] { CW5_KWS_LeftClick(); };
  cw5_kws_right = NewButton(this, 587, 211, 29, QStringLiteral("Następny"));
  cw5_kws_right->OnClick = [this] { CW5_KWS_RightClick(); };
  Button1 = NewButton(this, 588, 38, 10, QStringLiteral("Czytaj"));
  Button1->OnClick = [this] { Button1Click(); };
  KwillButton1 = NewButton(this, 586, 81, 11, QStringLiteral("Czytaj"));
  KwillButton1->OnClick = [this] { KwillButton1Click(); };
  KwillButton2 = NewButton(this, 586, 126, 12, QString());
  KwillButton2->OnClick = [this] { KwillButton2Click(); };
  KwillLapka = NewButton(this, 304, 208, 2, QString());
  KwillLapka->SetStyle(0);
  KwillLapka->OnClick = [this] { KwillLapkaClick(); };
  KwillLapka->Hide();
}

void TCw5Form::FormCreate() {
  Image2->SetCursor(TCursor::crHandPoint);
  InstallDialogues();
}

void TCw5Form::FormShow() {
  Edit_1->SetLeft(-300);
  Edit_1->Hide();
  KwillLapka->Hide();
  AllLinesBlack();
  StopWave();
  ReadAloud = false;
  ReadAllLines = ChildReadsEven = ChildReadsOdd = false;
  // The location screen loads the list before showing this screen; a gap
  // dialogue it loaded gets its answer box back so the child can type at once.
  if (gapLoaded_ && CurrentExchange < ExchangeCount && !Exchanges[CurrentExchange].Answered) {
    TGapExchange& ex = Exchanges[CurrentExchange];
    ex.Parts[ex.GapPart - 1] = kIndent + Trim(ex.Parts[ex.GapPart - 1]);
    WrongTries = 0;
    OpenGap();
  }
}

void TCw5Form::FormClose() { Image1_2->SetPicture(QImage()); }

void TCw5Form::FormKeyDown(int& key, TShiftState shift) {
  EndOnAltF4(key, shift);
  if (key == VK_RETURN && KwillLapka->Visible()) {
    key = 0;
    NextExchange();
  }
}

// ---------------------------------------------------------------------------
// Loading

void TCw5Form::LoadDialogue(const QString& path) {
  const TDialogue dialogue = LoadDialogueFile(path);
  const QImage background = LoadPicture(Cw5Files::Background.In(ProgramDir, DataRoot));
  ++loadRun_;
  gapLoaded_ = false;
  if (!Button1->Visible()) {
    Button1->Show();
    KwillButton1->Show();
    KwillButton2->Show();
  }
  PaintBox1->Hide();
  ExerciseKind = 9;
  Edit_1->Hide();
  KwillLapka->Hide();
  Line_Polski->Hide();
  DialogueLines.fill(TDialogueLine{});
  LineCount = static_cast<int>(dialogue.Lines.size());
  const int height = QFontMetrics(ToQFont(Line_1->Font())).height();
  for (int k = 1; k <= MaxDialogueLines; ++k) {
    TLabel* line = Line(k);
    line->move(OffsetCoordinate(dialogue.Left),
               OffsetCoordinate(dialogue.Top, 2 * (k - 1) * height));
    if (k <= LineCount) {
      DialogueLines[k - 1] = dialogue.Lines[k - 1];
      line->SetCaption(DialogueLines[k - 1].Speaker + QStringLiteral(":  ") + DialogueLines[k - 1].Text);
    }
    line->SetFontColor(clBlack);
    line->SetVisible(k <= LineCount);
  }
  Lbl_Tyt->SetCaption(QString());
  Image1_2->SetPicture(background);
}

void TCw5Form::LoadGapDialogue(const QString& path) {
  const TGapDialogue dialogue = LoadGapDialogueFile(path);
  const QImage background = LoadPicture(Cw5Files::Background.In(ProgramDir, DataRoot));
  ++loadRun_;
  Edit_1->Hide();
  Edit_1->SetLeft(-400);
  KwillLapka->Hide();
  WrongTries = 0;
  AnsweredCount = 0;
  CurrentExchange = 0;
  Blank = QStringLiteral(" ");
  if (Button1->Visible()) {
    Button1->Hide();
    KwillButton1->Hide();
    KwillButton2->Hide();
  }
  ExerciseKind = 10;
  // Our decision: a gap dialogue starts a first try of its own, and a wrong
  // answer in it ends that try (Edit_1KeyPress). Dialogues are not started through
  // the exercise dispatch, which is what sets FirstTry for every other
  // exercise, so without this a gap dialogue's points (two for a first try,
  // one otherwise) would follow whatever exercise the child did before it.
  FirstTry = true;
  Lbl_Tyt->SetCaption(dialogue.Title);
  Image1_2->SetPicture(background);

  Exchanges.fill(TGapExchange{});
  ExchangeCount = static_cast<int>(dialogue.Exchanges.size());
  for (int x = 0; x < ExchangeCount; ++x) {
    const TExchange& in = dialogue.Exchanges[x];
    TGapExchange& ex = Exchanges[x];
    for (const QString& a : in.Answers) ex.Answers << kIndent + a;
    for (int a = 0; a < ex.Answers.size(); ++a) {
      const int w = TextWidth(ex.Answers[a]);
      if (w > ex.GapWidth) {
        ex.GapWidth = w;
        ex.LongestAnswer = a + 1;
      }
    }
    ex.GapWidth += TextWidth(QStringLiteral(" "));
    ex.Parts = in.Parts;
    ex.GapPart = in.GapPart;
    ex.Parts[ex.GapPart - 1] = ex.Answers.isEmpty() ? kIndent : ex.Answers[ex.LongestAnswer - 1];
  }
  for (TLabel* line : lines_) line->Hide();
  Line_Polski->Hide();
  gapLoaded_ = true;
  OpenGap();
}

// ---------------------------------------------------------------------------
// Dialogue lines

TLabel* TCw5Form::Line(int k) const { return k >= 1 && k <= MaxDialogueLines ? lines_[k - 1] : nullptr; }

void TCw5Form::SetLineColour(int k, TColor colour) {
  if (TLabel* line = Line(k)) line->SetFontColor(colour);
}

void TCw5Form::AllLinesBlack() {
  for (TLabel* line : lines_) line->SetFontColor(clBlack);
}

void TCw5Form::SayLine(int k) {
  if (k < 1 || k > LineCount) return;
  PlayFeedback(QStringLiteral("dialogi\\") + IntToStr(DialogueLines[k - 1].SoundNo));
}

void TCw5Form::StopReading() {
  ReadAloud = false;
  AllLinesBlack();
  StopWave();
}

void TCw5Form::Line_1MouseMove(TLabel* line) {
  const int k = line->Tag;
  if (k < 1 || k > LineCount) return;
  Line_Polski->SetCaption(DialogueLines[k - 1].Polish);
  Line_Polski->move(line->Left() + 25, line->Top() + line->Height());
  Line_Polski->Show();
}

void TCw5Form::Line_1Click(TLabel* line) {
  ReadAloud = false;
  ReadAllLines = false;
  StopWave();
  AllLinesBlack();
  SayLine(line->Tag);
}

void TCw5Form::BackgroundMouseMove() { Line_Polski->Hide(); }

void TCw5Form::BackgroundClick() { StopReading(); }

void TCw5Form::Button1Click() {
  if (LineCount < 1) return;
  ChildReadsEven = ChildReadsOdd = false;
  StopWave();
  AllLinesBlack();
  ReadAloud = ReadAllLines = true;
  ReadLinePos = 1;
  ++ReadingRun;
  SayLine(1);
  SetLineColour(1, LineRed);
}

void TCw5Form::KwillButton1Click() {
  if (LineCount < 1) return;
  ReadAllLines = ChildReadsOdd = false;
  StopWave();
  AllLinesBlack();
  ReadAloud = ChildReadsEven = true;
  ReadLinePos = 1;
  ++ReadingRun;
  SayLine(1);
  SetLineColour(1, LineRed);
}

void TCw5Form::KwillButton2Click() {
  if (LineCount < 1) return;
  ReadAllLines = ChildReadsEven = false;
  StopWave();
  AllLinesBlack();
  ReadAloud = ChildReadsOdd = true;
  ReadLinePos = 2;
  const int run = ++ReadingRun;
  SetLineColour(1, LineGreen);
  Delay(kFirstLineMsPerChar * static_cast<int>(DialogueLines[0].Text.size()) + kFirstLineExtraMs);
  // A reading started during the pause owns the lines now.
  if (run != ReadingRun) return;
  SetLineColour(1, clBlack);
  if (!ReadAloud) return;
  if (LineCount < 2) {
    ReadAloud = ChildReadsOdd = false;
    return;
  }
  SayLine(2);
  SetLineColour(2, LineRed);
}

void TCw5Form::Image2Click() {
  StopReading();
  const TListEntry* current = CurrentDialogue();
  if (!current) return;
  const TListEntry& entry = *current;
  const TScreenFile* sound = nullptr;
  if (entry.Key == QLatin1String("DIAL="))
    sound = &Cw5Files::Listening;
  else if (entry.Key == QLatin1String("DIAC="))
    sound = kTenseGapFiles.contains(LowerCase(Trim(entry.File))) ? &Cw5Files::TenseGaps
                                                                 : &Cw5Files::Gaps;
  else
    return;
  PlayWave(sound->In(ProgramDir, DataRoot));
}

// ---------------------------------------------------------------------------
// Leaving and stepping through the list

void TCw5Form::StepEntry(int delta) {
  StopWave();
  ReadAloud = false;
  AllLinesBlack();
  KwillLapka->Hide();
  const int target = DialogueIndex + delta;
  if (DialogueCount < 2 || target < 1 || target > DialogueCount) return;
  const int before = DialogueIndex;
  DialogueIndex = target;
  try {
    StartDialogue();
  } catch (...) {
    // The entry that failed to load is not the one on screen.
    DialogueIndex = before;
    throw;
  }
  CW5_KWS_left->SetVisible(DialogueIndex > 1);
  cw5_kws_right->SetVisible(DialogueIndex < DialogueCount);
}

void TCw5Form::CW5_KWS_LeftClick() { StepEntry(-1); }

void TCw5Form::CW5_KWS_RightClick() { StepEntry(1); }

void TCw5Form::Button2Click() {
  const auto leaving = [] {
    StopWave();
    ReadAloud = false;
    ReadAllLines = ChildReadsEven = ChildReadsOdd = false;
  };
  if (!DialogueFromExercise) return ReturnToPlace(this, leaving);
  // Back to the presentation the dialogues were opened from, over the place.
  StartExercise([&] {
    leaving();
    if (MainForm) MainForm->Show();
  });
}

// ---------------------------------------------------------------------------
// Gap dialogue

int TCw5Form::TextWidth(const QString& text) { return PaintBox1->Canvas().TextWidth(text); }

void TCw5Form::DrawExchange(bool paint) {
  if (CurrentExchange < 0 || CurrentExchange >= ExchangeCount) return;
  TGapExchange& ex = Exchanges[CurrentExchange];
  TCanvas& canvas = PaintBox1->Canvas();
  canvas.Brush.Style = TBrushStyle::bsClear;
  for (int row = 0; row < 2; ++row) {
    const int y = row * 25;
    int x = 0;
    for (int j = 0; j < 3; ++j) {
      const int part = row * 3 + j;
      const QString& text = ex.Parts[part];
      ex.PartX[part] = x;
      if (part + 1 == ex.GapPart) {
        ex.GapX = x;
        ex.GapY = y;
      }
      if (paint) canvas.TextOut(x, y, text + Blank);
      x += canvas.TextWidth(text + Blank);
      if (j < 2 && IsPunctuation(ex.Parts[part + 1])) x -= canvas.TextWidth(Blank);
    }
  }
}

void TCw5Form::PaintBox1Paint() {
  if (gapLoaded_) DrawExchange(true);
}

void TCw5Form::OpenGap() {
  if (CurrentExchange < 0 || CurrentExchange >= ExchangeCount) return;
  DrawExchange(false);
  const TGapExchange& ex = Exchanges[CurrentExchange];
  PaintBox1->Show();
  Edit_1->SetBounds(ex.GapX + PaintBox1->Left() - 3, ex.GapY + PaintBox1->Top() - 2, ex.GapWidth - 2, 23);
  Edit_1->SetText(QString());
  Edit_1->Show();
  Edit_1->BringToFront();
  Edit_1->SetFocus();
  // Shown from the location screen, the box is opened before the screen is
  // visible; it takes the focus once the screen is up.
  if (!isVisible())
    QTimer::singleShot(0, Edit_1, [this] {
      if (Edit_1->isVisible()) Edit_1->SetFocus();
    });
  PaintBox1->Repaint();
}

void TCw5Form::Edit_1KeyPress(QChar& key) {
  if (key != QChar(u'\r') || !Edit_1->Visible()) return;
  key = QChar();
  if (CurrentExchange < 0 || CurrentExchange >= ExchangeCount) return;
  TGapExchange& ex = Exchanges[CurrentExchange];
  QString typed = Trim(Edit_1->Text());
  if (typed.endsWith(u'.')) typed.chop(1);
  PaintBox1->Repaint();
  const bool right = std::any_of(ex.Answers.begin(), ex.Answers.end(),
                                 [&](const QString& a) { return typed == Trim(a); });
  if (right) {
    ex.Answered = true;
    ++AnsweredCount;
    Edit_1->SetLeft(-400);
    Edit_1->Hide();
    Blank = QStringLiteral(" ");
    ex.Parts[ex.GapPart - 1] = typed;
    PaintBox1->Invalidate();
    PlayFeedback(FeedbackFiles::Right);
    const int run = loadRun_;
    Delay(kAnswerPause);
    // Another entry was loaded during the pause: this answer has nothing left to do.
    if (run != loadRun_) return;
    if (AnsweredCount == ExchangeCount) {
      Edit_1->Hide();
      BTN_FOCUS->setFocus();
      PlayFeedback(QStringLiteral("ok_inne"));
      RecordDialogueDone(false);
    } else {
      NextExchange();
    }
    return;
  }
  PlayFeedback(FeedbackFiles::Wrong);
  FirstTry = false;  // the first try set when the gap dialogue loaded is over
  ++WrongTries;
  if (WrongTries < kWrongTriesToReveal) {
    Edit_1->SetText(QString());
  } else if (WrongTries == kWrongTriesToReveal) {
    Edit_1->SetLeft(-500);
    Edit_1->Hide();
    Blank = QStringLiteral(" ");
    ex.Parts[ex.GapPart - 1] = Trim(ex.Parts[ex.GapPart - 1]);
    PaintBox1->Repaint();
    BTN_FOCUS->setFocus();
    KwillLapka->Show();
  }
}

void TCw5Form::NextExchange() {
  const int e = ExchangeCount;
  int found = -1;
  for (int i = CurrentExchange, looked = 0; e > 0 && looked < 2 * e + 1; ++looked) {
    i = (i + 1) % e;
    if (!Exchanges[i].Answered) {
      found = i;
      break;
    }
  }
  if (found < 0) {
    Beep();
    return;
  }
  TGapExchange& left = Exchanges[CurrentExchange];
  CurrentExchange = found;
  WrongTries = 0;
  left.Parts[left.GapPart - 1] = kIndent + Trim(left.Parts[left.GapPart - 1]);
  OpenGap();
  KwillLapka->Hide();
}

void TCw5Form::KwillLapkaClick() { NextExchange(); }
