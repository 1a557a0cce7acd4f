#include "exercises/FrmCw1.h"

#include <QPainter>
#include <algorithm>

#include "app/Feedback.h"
#include "app/FeedbackFiles.h"
#include "app/FrmPodklad.h"
#include "app/Globals.h"
#include "app/Shared.h"
#include "app/Sound.h"
#include "controls/BmpTransparent.h"
#include "exercises/FrmCw1Files.h"
#include "exercises/FrmCw5.h"
#include "menu/FrmInfo.h"
#include "platform/MediaPlayer.h"
#include "platform/Picture.h"
#include "platform/Strings.h"
#include "platform/Timers.h"
#include "world/Dialogues.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"
#include "world/Rewards.h"

TCw1Form* Cw1Form = nullptr;

namespace {

constexpr int kLabelTops[WordItems] = {209, 225, 241, 257, 272, 288, 304, 320, 336, 352, 368, 384, 400, 416};
constexpr int kLabelsLeft = 535;
constexpr int kCellWidth = 10;

// Presentations whose help is the grammar variant of the instruction.
const QStringList kGrammarHelpFiles = {
    QStringLiteral("\\liblary\\irr_ver.fc2"), QStringLiteral("\\liblary\\irr_plu.fc2"),
    QStringLiteral("\\liblary\\irr_ver2.fc2"), QStringLiteral("\\liblary\\reg_plu.fc2"),
    QStringLiteral("\\liblary\\reg_ver.fc2"), QStringLiteral("\\liblary\\tobe1.fc2"),
    QStringLiteral("\\liblary\\tobe2.fc2"),   QStringLiteral("\\liblary\\tohave.fc2"),
    QStringLiteral("\\liblary\\num1a.fc2"),   QStringLiteral("\\liblary\\num1b.fc2"),
    QStringLiteral("\\liblary\\num2.fc2"),    QStringLiteral("\\liblary\\num3.fc2"),
    QStringLiteral("\\liblary\\pro.fc2"),     QStringLiteral("\\liblary\\pro2.fc2"),
};

// Presentations whose hot spots show their translation under the picture's pointer.
const QStringList kHotSpotBubbleFiles = {
    QStringLiteral("\\liblary\\irr_ver.fc2"), QStringLiteral("\\liblary\\irr_plu.fc2"),
    QStringLiteral("\\liblary\\reg_ver.fc2"), QStringLiteral("\\liblary\\reg_plu.fc2"),
    QStringLiteral("\\school\\5Ca_0.fc2"),    QStringLiteral("\\school\\5Ba.fc2"),
    QStringLiteral("\\liblary\\irr_ver2.fc2"),
};

// Presentations whose hot spots take the hand cursor.
const QStringList kHotSpotCursorFiles = {
    QStringLiteral("\\liblary\\irr_plu.fc2"), QStringLiteral("\\liblary\\irr_ver.fc2"),
    QStringLiteral("\\liblary\\num1a.fc2"),   QStringLiteral("\\liblary\\num1b.fc2"),
    QStringLiteral("\\school\\num2.fc2"),     QStringLiteral("\\school\\num3.fc2"),
    QStringLiteral("\\liblary\\pro.fc2"),     QStringLiteral("\\liblary\\pro2.fc2"),
    QStringLiteral("\\liblary\\reg_plu.fc2"), QStringLiteral("\\liblary\\reg_ver.fc2"),
    QStringLiteral("\\liblary\\tobe1.fc2"),   QStringLiteral("\\liblary\\tobe2.fc2"),
    QStringLiteral("\\liblary\\tohave.fc2"),  QStringLiteral("\\school\\5Ba.fc2"),
    QStringLiteral("\\school\\5Ca_0.fc2"),    QStringLiteral("\\liblary\\irr_ver2.fc2"),
};

bool IsNoGapCharacter(QChar c) {
  return c == u' ' || c == u'-' || c == u'\'' || c == u'.' || c == u',';
}

TLabel* NewLabel(QWidget* parent, int tag) {
  auto* l = new TLabel(parent);
  l->Tag = tag;
  l->move(-300, 0);
  return l;
}

}  // namespace

TCw1Form::TCw1Form() {
  SetColor(clBlack);
  SetShowHint(true);

  Image1_2 = new TImage(this);
  Image1_2->SetBounds(0, 0, 640, 480);
  Image1_2->OnClick = [this] { Image1Click(); };
  Image1_2->OnDragOver = [this](QWidget*, int x, int y, TDragState, bool& accept) {
    DragOver(Image1_2, x, y);
    accept = true;
  };
  Image1_2->OnDragDrop = [this](QWidget*, int, int) { lbl_Opis_1DragDrop(); };

  Image1 = new TImage(this);
  Image1->SetBounds(17, 40, 545, 430);
  Image1->setMouseTracking(true);
  Image1->OnMouseDown = [this](TMouseButton b, TShiftState s, int x, int y) { Image1MouseDown(b, s, x, y); };
  Image1->OnMouseMove = [this](TShiftState s, int x, int y) { Image1MouseMove(s, x, y); };
  Image1->OnClick = [this] { Image1Click(); };
  Image1->OnDragOver = [this](QWidget*, int x, int y, TDragState, bool& accept) {
    DragOver(Image1, x, y);
    accept = true;
  };
  Image1->OnDragDrop = [this](QWidget*, int x, int y) { Image1DragDrop(x, y); };

  Panel_Img = new TImage(this);
  Panel_Img->SetBounds(528, 204, 111, 233);
  Panel_Img->Hide();
  Panel_Img->OnDragOver = [this](QWidget*, int x, int y, TDragState, bool& accept) {
    DragOver(Panel_Img, x, y);
    accept = true;
  };
  Panel_Img->OnDragDrop = [this](QWidget*, int, int) { lbl_Opis_1DragDrop(); };

  for (int k = 1; k <= WordItems; ++k) {
    TLabel* opis = NewLabel(this, k);
    opis->setMouseTracking(true);
    opis->OnClick = [this, k] { lbl_Opis_1Click(k); };
    opis->OnMouseMove = [this, k](TShiftState, int, int) { lbl_Opis_1MouseMove(k); };
    opis->OnDragOver = [this, opis](QWidget*, int x, int y, TDragState, bool& accept) {
      DragOver(opis, x, y);
      accept = true;
    };
    opis->OnDragDrop = [this](QWidget*, int, int) { lbl_Opis_1DragDrop(); };
    lbl_Opis[k - 1] = opis;
  }

  for (int n = 1; n <= WordItems; ++n) {
    auto* cover = new TImage(this);
    cover->Tag = n;
    cover->SetTransparent(true);
    cover->SetAutoSize(true);
    cover->move(-300, 0);
    cover->OnMouseDown = [this, n](TMouseButton b, TShiftState, int, int) { ImgDD_1MouseDown(n, b); };
    cover->OnDragOver = [this, cover](QWidget*, int x, int y, TDragState, bool& accept) {
      DragOver(cover, x, y);
      accept = true;
    };
    cover->OnDragDrop = [this, n](QWidget*, int, int) { ImgDD_1DragDrop(n); };
    ImgDD[n - 1] = cover;
  }

  for (int r = 1; r <= WordItems; ++r) {
    auto* row = new TImage(this);
    row->Tag = r;
    row->SetBounds(-300, 0, 278, 21);
    row->SetCursor(TCursor::crHandPoint);
    row->Hide();
    row->OnClick = [this, r] { Kraty1Click(r); };
    Kraty[r - 1] = row;
  }

  for (int k = 1; k <= WordItems; ++k) {
    TLabel* word = NewLabel(this, k);
    word->SetTransparent(true);
    word->SetTop(kLabelTops[k - 1]);
    word->OnMouseDown = [this, word](TMouseButton b, TShiftState, int x, int y) {
      if (b != TMouseButton::mbLeft) return;
      pressPoint_ = {x, y};
      word->BeginDrag();
    };
    word->OnStartDrag = [this, k] { Label1StartDrag(k); };
    word->OnEndDrag = [this](QWidget* target, int, int) { Label1EndDrag(target); };
    word->OnDragOver = [this, word](QWidget*, int x, int y, TDragState, bool& accept) {
      DragOver(word, x, y);
      accept = true;
    };
    word->OnDragDrop = [this](QWidget*, int, int) { Label1DragDrop(); };
    Label[k - 1] = word;
  }

  Kraty_Edit = new TEdit(this);
  Kraty_Edit->SetBounds(-300, 0, 13, 19);
  Kraty_Edit->SetMaxLength(2);
  Kraty_Edit->setFocusPolicy(Qt::ClickFocus);
  Kraty_Edit->setFrame(false);
  Kraty_Edit->setTextMargins(0, 0, 0, 0);
  Kraty_Edit->OnKeyPress = [this](QChar& key) { Kraty_EditKeyPress(key); };
  Kraty_Edit->OnChange = [this] { Kraty_EditChange(); };
  Kraty_Edit->Hide();

  Edit1 = new TEdit(this);
  Edit1->SetBounds(-500, 0, 20, 20);

  lbl_WhatToDo = new TLabel(this);
  lbl_WhatToDo->SetAutoSize(false);
  lbl_WhatToDo->SetBounds(52, 4, 425, 33);
  lbl_WhatToDo->SetWordWrap(true);
  lbl_WhatToDo->Hide();

  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);

  Image2 = NewHelpIcon(this, [this] { Image2Click(); });

  button3 = NewButton(this, 587, 436, 5, QStringLiteral("Koniec"));
  button3->OnClick = [this] { Button3Click(); };
  cw1_kws_right = NewButton(this, 590, 167, 2, QStringLiteral("Następne ćwiczenie"));
  cw1_kws_right->OnClick = [this] { CW1_KWS_RightClick(); };
  CW1_KWS_left = NewButton(this, 586, 133, 1, QStringLiteral("Poprzednie ćwiczenie"));
  CW1_KWS_left->OnClick = [this] { CW1_KWS_LeftClick(); };
  button1 = NewButton(this, 588, 15, 3, QStringLiteral("Rozpocznij"));
  button1->OnClick = [this] { Button1Click(); };
  button1->Hide();
  btn_prez_Show = NewButton(this, 588, 12, 6, QStringLiteral("Czytaj"));
  btn_prez_Show->OnClick = [this] { Btn_Prez_ShowClick(); };
  button2 = NewButton(this, 588, 12, 6, QStringLiteral("Czytaj"));
  button2->OnClick = [this] { Button2Click(); };
  button5 = NewButton(this, 588, 15, 3, QStringLiteral("Rozpocznij"));
  button5->OnClick = [this] { Button5Click(); };
  button5->Hide();
  button6 = NewButton(this, 592, 209, 7, QStringLiteral("Pamiętaj !!!"));
  button6->OnClick = [this] { Button6Click(); };
  button4 = NewButton(this, 588, 65, 13, QStringLiteral("Następny przykład"));
  button4->OnClick = [this] { Button4Click(); };
  button4->Hide();
  btn_dialog = NewButton(this, 590, 75, 9, QStringLiteral("Dialogi i ćwiczenia"));
  btn_dialog->OnClick = [this] { btn_dialogClick(); };

  label1_DD = new TLabel(this);
  label1_DD->SetColor(clWhite);
  label1_DD->move(-400, 0);
  label1_DD->OnDragOver = [this](QWidget*, int x, int y, TDragState, bool& accept) {
    DragOver(label1_DD, x, y);
    accept = true;
  };
  label1_DD->OnDragDrop = [this](QWidget*, int x, int y) { label1_DDDragDrop(x, y); };

  lbl_Tlumacz = new TLabel(this);
  lbl_Tlumacz->SetColor(clWhite);
  lbl_Tlumacz->Hide();

  // Both "Czytaj" buttons belong to their own kinds; the screen starts in none.
  button2->Hide();
  button2->SetEnabled(false);
  btn_prez_Show->Hide();

  AdvancePresentation = [this] { ReadAloudNext(); };
}

TCw1Form::~TCw1Form() {
  if (DragManager::Dragging() && DraggedLabel && DragManager::Source() == DraggedLabel) {
    DraggedLabel = nullptr;
    DragManager::CancelDrag();
  }
  AdvancePresentation = nullptr;
}

void TCw1Form::FormCreate() {
  Image2->SetCursor(TCursor::crHandPoint);
  for (TImage* cover : ImgDD) cover->SetCursor(TCursor::crHandPoint);
  const TFont small = SmallFont;
  for (TLabel* word : Label) word->SetFont(TFont{small.Name, small.Size - 1, clBlack, 0});
  label1_DD->SetFont(TFont{small.Name, small.Size, small.Color, 0});
  Kraty_Edit->SetFont(TFont{small.Name, small.Size - 4, small.Color, 0});
  Kraty_Edit->SetColor(clWhite);
  Kraty_Edit->SetHeight(18);
  for (TLabel* opis : lbl_Opis) {
    opis->SetFont(TFont{small.Name, small.Size, small.Color, 0});
    opis->SetColor(clWhite);
  }
  lbl_Tlumacz->SetFont(TFont{small.Name, small.Size, clRed, 0});
  lbl_WhatToDo->SetFont(TFont{small.Name, small.Size, clBlack, fsBold});
  for (TImage* row : Kraty) row->Canvas().Font = TFont{small.Name, small.Size, clBlack, 0};

  ImgDD[0]->LoadFromFile(Cw1Files::WordCover.In(ProgramDir, DataRoot));
  for (int n = 1; n < WordItems; ++n) ImgDD[n]->SetPicture(ImgDD[0]->Picture());
  Kraty[0]->LoadFromFile(Cw1Files::GridRow.In(ProgramDir, DataRoot));
  for (int r = 1; r < WordItems; ++r) Kraty[r]->SetPicture(Kraty[0]->Picture());
}

void TCw1Form::FormShow() {
  if (PodkladFrm && PodkladFrm->Image1) Image1_2->SetPicture(PodkladFrm->Image1->Picture());
  SetArrows(1);
}

void TCw1Form::FormClose() {
  SetExerciseKind(0);
  Image1_2->SetPicture(QImage());
  Panel_Img->SetPicture(QImage());
}

void TCw1Form::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }

// ---------------------------------------------------------------- loading

TCw1Form::TWordExerciseFiles TCw1Form::ReadWordExerciseFiles(const QString& path,
                                                             bool stripArticles) {
  TWordExerciseFiles files;
  files.Exercise = LoadWordExerciseFile(path, stripArticles);
  files.NewPicture = files.Exercise.PictureName != LastExercisePicture;
  if (files.NewPicture)
    files.Picture = LoadPicture(DataRoot + QStringLiteral("\\cwicz") + files.Exercise.PictureName);
  return files;
}

void TCw1Form::LoadWordExercise(const QString& path) {
  LoadWordExercise(ReadWordExerciseFiles(path, StripArticles));
}

void TCw1Form::LoadWordExercise(TWordExerciseFiles files) {
  WordExercise = std::move(files.Exercise);
  for (int k = 0; k < WordItems; ++k) lbl_Opis[k]->SetCaption(WordExercise.Words[k]);
  if (files.NewPicture) {
    LastExercisePicture = WordExercise.PictureName;
    Image1->SetPicture(files.Picture);
  }
  BuildGaps();
}

void TCw1Form::SetExerciseKind(int kind) {
  switch (ExerciseKind) {
    case 2:
      Panel_Img->Hide();
      for (int k = 0; k < WordItems; ++k) {
        Label[k]->SetLeft(-300);
        lbl_Opis[k]->SetLeft(-300);
      }
      break;
    case 3:
    case 4:
      for (TLabel* opis : lbl_Opis) opis->SetLeft(-500);
      button2->Hide();
      button4->Hide();
      button5->Hide();
      button2->SetEnabled(false);
      button4->SetEnabled(false);
      btn_prez_Show->Hide();
      button5->SetEnabled(true);
      lbl_Tlumacz->Hide();
      break;
    case 6:
      for (TImage* row : Kraty) {
        row->Hide();
        row->SetLeft(-300);
      }
      Kraty_Edit->Hide();
      break;
    default:
      break;
  }

  RightAnswers = 0;
  Accepting = false;
  ListenPos = 0;
  GapIndex = 0;
  SolvedRows = 0;
  ListenOrder.fill(0);
  ItemDone.fill(false);
  LabelItems.fill(1);
  ExerciseKind = kind;
  ActiveCount = WordExercise.UsedCount();
  if (kind != 2 && kind != 4)
    for (TImage* cover : ImgDD) cover->Hide();

  const int count = std::clamp(WordExercise.ItemCount, 0, WordItems);
  auto used = [&](int j) { return WordExercise.ItemUsed[j - 1] == 1; };
  auto placeCover = [&](int j) {
    TImage* cover = ImgDD[j - 1];
    cover->move(WordExercise.WordPositions[j - 1].X, WordExercise.WordPositions[j - 1].Y);
    cover->Show();
  };

  switch (kind) {
    case 2: {
      Panel_Img->LoadFromFile(Cw1Files::DraggingPanel.In(ProgramDir, DataRoot));
      Panel_Img->Show();
      lbl_WhatToDo->SetCaption(QStringLiteral("Przyporządkuj odpowiednie wyrazy rysunkom."));
      int next = 0;
      for (int j = 1; j <= count; ++j) {
        if (!used(j)) continue;
        LabelItems[next++] = j;
        placeCover(j);
      }
      // Two different places are needed for a swap; a single word stays put.
      if (ActiveCount >= 2) {
        for (int i = 0; i < ActiveCount; ++i) {
          const int a = Random(ActiveCount);
          int b = Random(ActiveCount);
          while (b == a) b = Random(ActiveCount);
          std::swap(LabelItems[a], LabelItems[b]);
        }
      }
      for (int k = 0; k < ActiveCount; ++k) {
        Label[k]->SetCaption(WordExercise.Words[LabelItems[k] - 1]);
        Label[k]->SetLeft(kLabelsLeft);
      }
      button3->Show();
      break;
    }
    case 3:
      lbl_WhatToDo->SetCaption(QStringLiteral("    "));
      for (int k = 1; k <= count; ++k)
        lbl_Opis[k - 1]->move(WordExercise.WordPositions[k - 1].X, WordExercise.WordPositions[k - 1].Y);
      lbl_Tlumacz->Show();
      button3->Show();
      btn_prez_Show->Show();
      break;
    case 4:
      lbl_WhatToDo->SetCaption(QStringLiteral("Wskaż usłyszane słowa."));
      button2->Hide();
      button5->Show();
      button3->Show();
      for (int j = 1; j <= count; ++j)
        if (used(j)) placeCover(j);
      break;
    case 6:
      lbl_WhatToDo->SetCaption(QStringLiteral("Wpisz brakujące literki"));
      LayoutGrid();
      button3->Show();
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------- shared bits

QString TCw1Form::CurrentKey() const {
  const TListEntry* entry = CurrentExercise();
  return entry ? entry->Key : QString();
}

QString TCw1Form::CurrentFile() const {
  const TListEntry* entry = CurrentExercise();
  return entry ? entry->File : QString();
}

void TCw1Form::Say(int item) {
  if (item < 1 || item > WordItems) return;
  PlayDialogueLine(IntToStr(WordExercise.SoundNumbers[item - 1]));
}

void TCw1Form::ShowBubble(int left, int top, const QString& caption) {
  lbl_Tlumacz->move(left, top);
  lbl_Tlumacz->SetCaption(caption);
  lbl_Tlumacz->Show();
  lbl_Tlumacz->BringToFront();
}

void TCw1Form::StopReadAloud() {
  ReadAloud = false;
  lbl_Tlumacz->Hide();
}

void TCw1Form::RevealWord(int j) {
  lbl_Opis[j - 1]->move(WordExercise.WordPositions[j - 1].X, WordExercise.WordPositions[j - 1].Y);
}

void TCw1Form::Wrong() {
  PlayFeedback(FeedbackFiles::Wrong);
  FirstTry = false;
}

void TCw1Form::Image2Click() {
  const QString key = CurrentKey();
  const TScreenFile* sound = nullptr;
  if (key == QLatin1String("PREZ="))
    sound = kGrammarHelpFiles.contains(LowerCase(Trim(CurrentFile())))
                ? &Cw1Files::GrammarPresentation
                : &Cw1Files::Presentation;
  else if (key == QLatin1String("WRYS="))
    sound = &Cw1Files::Pointing;
  else if (key == QLatin1String("DDRO="))
    sound = &Cw1Files::Dragging;
  else if (key == QLatin1String("ULIT="))
    sound = &Cw1Files::Letters;
  if (sound) PlayWave(sound->In(ProgramDir, DataRoot));
}

void TCw1Form::Image1Click() { StopReadAloud(); }

// ---------------------------------------------------------------- presentation

void TCw1Form::Image1MouseDown(TMouseButton button, TShiftState, int x, int y) {
  if (button != TMouseButton::mbLeft) return;
  if (ExerciseKind == 3) {
    for (int k = 1; k <= WordItems; ++k)
      if (WordExercise.HotSpots[k - 1].Contains(x, y)) {
        Say(k);
        return;
      }
  } else if (ExerciseKind == 4 && Accepting) {
    for (int k = 1; k <= WordItems; ++k)
      if (WordExercise.HotSpots[k - 1].Contains(x, y)) {
        ListenAnswer(k);
        return;
      }
    Wrong();
  }
}

void TCw1Form::Image1MouseMove(TShiftState, int x, int y) {
  const QString file = CurrentFile();
  const int count = std::clamp(WordExercise.ItemCount, 0, WordItems);
  if (kHotSpotBubbleFiles.contains(file)) {
    for (int k = 1; k <= count; ++k) {
      const THotSpot& h = WordExercise.HotSpots[k - 1];
      if (h.Contains(x, y))
        ShowBubble(h.Left + 17, h.Bottom + 47, u' ' + WordExercise.Translations[k - 1] + u' ');
    }
  }
  if (kHotSpotCursorFiles.contains(file)) {
    for (int k = 1; k <= count; ++k)
      if (WordExercise.HotSpots[k - 1].Contains(x, y)) {
        Image1->SetCursor(TCursor::crHandPoint);
        return;
      }
    Image1->SetCursor(TCursor::crArrow);
  }
  if (!lbl_Tlumacz->Caption().isEmpty() && !ReadAloud) lbl_Tlumacz->Hide();
}

void TCw1Form::lbl_Opis_1Click(int k) { Say(k); }

void TCw1Form::lbl_Opis_1MouseMove(int k) {
  if (ReadAloud) return;
  const TLabel* opis = lbl_Opis[k - 1];
  const QString& translation = WordExercise.Translations[k - 1];
  if (lbl_Tlumacz->Caption() != translation) lbl_Tlumacz->SetLeft(opis->Left());
  lbl_Tlumacz->SetTop(opis->Top() + 20);
  lbl_Tlumacz->SetCaption(u' ' + translation + u' ');
  lbl_Tlumacz->Show();
  lbl_Tlumacz->BringToFront();
}

void TCw1Form::Btn_Prez_ShowClick() {
  ReadAloud = true;
  ReadAloudPos = 1;
  ReadAloudCount = std::clamp(WordExercise.ItemCount, 0, WordItems);
  Say(1);
  const TWordPoint& p = WordExercise.WordPositions[0];
  ShowBubble(p.X, p.Y + 20, u' ' + WordExercise.Translations[0] + u' ');
}

void TCw1Form::ReadAloudNext() {
  ReadAloudPos += 1;
  if (ReadAloudPos > ReadAloudCount || ReadAloudPos > WordItems || ReadAloudPos < 1) {
    lbl_Tlumacz->Hide();
    ReadAloud = false;
    return;
  }
  const int p = ReadAloudPos;
  Say(p);
  const TWordPoint& at = WordExercise.WordPositions[p - 1];
  ShowBubble(at.X, at.Y + 20, WordExercise.Translations[p - 1]);
  lbl_Tlumacz->Repaint();
  Image1->Repaint();
}

// ---------------------------------------------------------------- dragging

int TCw1Form::DraggedItem() const {
  if (!DraggedLabel || DraggedLabel->Tag < 1 || DraggedLabel->Tag > WordItems) return 0;
  return LabelItems[DraggedLabel->Tag - 1];
}

bool TCw1Form::DropAllowed() const { return DraggedLabel && ExerciseKind == 2 && label1_DD->Visible(); }

void TCw1Form::Label1StartDrag(int k) {
  TLabel* word = Label[k - 1];
  DraggedLabel = word;
  if (Trim(word->Caption()).isEmpty()) return;
  label1_DD->SetCaption(u' ' + word->Caption() + u' ');
  label1_DD->move(word->Left() + pressPoint_.x() - label1_DD->Width() / 2,
                  word->Top() + pressPoint_.y() + label1_DD->Font().Size + 2);
  label1_DD->Show();
  label1_DD->BringToFront();
}

void TCw1Form::DragOver(TControl* over, int x, int y) {
  if (!DraggedLabel) return;
  const int half = label1_DD->Width() / 2;
  const int fontSize = label1_DD->Font().Size;
  const int left = x + over->Left() - half;
  int top = y + over->Top() - 7;  // background and panel
  if (over == label1_DD) {
    top = y + label1_DD->Top() - 8;
  } else if (std::find(Label.begin(), Label.end(), over) != Label.end()) {
    top = y + over->Top() - 8;
    DraggedLabel->SetCaption(QStringLiteral(" "));
  } else if (std::find(ImgDD.begin(), ImgDD.end(), over) != ImgDD.end()) {
    top = y + fontSize + over->Top() - 16;
  } else if (std::find(lbl_Opis.begin(), lbl_Opis.end(), over) != lbl_Opis.end()) {
    top = y + fontSize + over->Top() - 8;
  } else if (over == Image1) {
    top = y + fontSize + 22;
  }
  label1_DD->move(left, top);
}

void TCw1Form::GiveWordBack() {
  const int j = DraggedItem();
  if (j >= 1) DraggedLabel->SetCaption(WordExercise.Words[j - 1]);
}

void TCw1Form::WrongDrop() {
  PlayFeedback(FeedbackFiles::Wrong);
  FirstTry = false;
  GiveWordBack();
}

void TCw1Form::AcceptMatch(int j) {
  ImgDD[j - 1]->SetLeft(-500);
  label1_DD->Hide();
  RevealWord(j);
  RightAnswers += 1;
  DraggedLabel->SetCaption(QStringLiteral(" "));
  DraggedLabel->SetLeft(-400);
  PlayFeedback(FeedbackFiles::Right);
  ItemDone[j - 1] = true;
  if (RightAnswers == ActiveCount) {
    button1->Show();
    RecordExerciseDone(true);
  }
}

void TCw1Form::label1_DDDragDrop(int x, int y) {
  if (DropAllowed()) {
    const int j = DraggedItem();
    const int fx = x + label1_DD->Left(), fy = y + label1_DD->Top();
    const TImage* cover = ImgDD[j - 1];
    const int w = ImgDD[0]->Width(), h = ImgDD[0]->Height();
    const THotSpot& spot = WordExercise.HotSpots[j - 1];
    if (fx >= cover->Left() && fx <= cover->Left() + w && fy >= cover->Top() && fy <= cover->Top() + h)
      AcceptMatch(j);
    else if (fx >= spot.Left && fx <= spot.Right && fy >= spot.Top + 30 && fy <= spot.Bottom + 30)
      AcceptMatch(j);
    else
      WrongDrop();
  }
  label1_DD->Hide();
}

void TCw1Form::ImgDD_1DragDrop(int n) {
  if (!DropAllowed()) return;
  const int j = DraggedItem();
  if (ImgDD[n - 1]->Tag == j)
    AcceptMatch(j);
  else
    WrongDrop();
}

void TCw1Form::Image1DragDrop(int x, int y) {
  if (!DropAllowed()) return;
  const int j = DraggedItem();
  if (WordExercise.HotSpots[j - 1].Contains(x, y))
    AcceptMatch(j);
  else
    WrongDrop();
}

void TCw1Form::lbl_Opis_1DragDrop() {
  if (!DraggedLabel) return;
  PlayFeedback(FeedbackFiles::Wrong);
  GiveWordBack();
}

void TCw1Form::Label1DragDrop() {
  if (!DraggedLabel) return;
  label1_DD->Hide();
  const int j = DraggedItem();
  if (j >= 1 && !ItemDone[j - 1]) DraggedLabel->SetCaption(label1_DD->Caption().mid(1));
}

void TCw1Form::Label1EndDrag(QWidget* target) {
  label1_DD->Hide();
  // Let go where nothing takes it, the word goes back to its place on the panel.
  if (!target && DraggedLabel) {
    const int j = DraggedItem();
    if (j >= 1 && !ItemDone[j - 1]) GiveWordBack();
  }
}

void TCw1Form::CancelDrag() {
  label1_DD->SetLeft(-400);
  if (!DraggedLabel) return;
  GiveWordBack();
  TControl* source = DraggedLabel;
  DraggedLabel = nullptr;
  if (DragManager::Source() == source) DragManager::CancelDrag();
}

// ---------------------------------------------------------------- listening

void TCw1Form::Button5Click() {
  ListenOrder.fill(0);
  ItemDone.fill(false);
  ListenPos = 1;
  SleepMs(20);
  // Nothing to ask: the round cannot start.
  if (ActiveCount < 1) return;
  std::vector<int> left;
  for (int j = 1; j <= std::clamp(WordExercise.ItemCount, 0, WordItems); ++j)
    if (WordExercise.ItemUsed[j - 1] == 1) left.push_back(j);
  for (int i = 0; i < ActiveCount && !left.empty(); ++i) {
    const int pick = Random(static_cast<int>(left.size()));
    ListenOrder[i] = left[pick];
    left.erase(left.begin() + pick);
  }
  Say(ListenOrder[0]);
  button5->Hide();
  Accepting = true;
  button2->Show();
  button2->SetEnabled(true);
  button4->Show();
  button4->SetEnabled(true);
}

void TCw1Form::Button2Click() {
  if (ListenPos < 1 || ListenPos > ActiveCount) return;
  const int item = ListenOrder[ListenPos - 1];
  if (item >= 1 && !ItemDone[item - 1]) Say(item);
}

void TCw1Form::Button4Click() { NextListenItem(); }

void TCw1Form::NextListenItem() {
  if (ActiveCount < 1) return;
  for (int step = 0; step < ActiveCount; ++step) {
    ListenPos = ListenPos >= ActiveCount ? 1 : ListenPos + 1;
    const int item = ListenOrder[ListenPos - 1];
    if (item >= 1 && !ItemDone[item - 1]) {
      Say(item);
      return;
    }
  }
}

void TCw1Form::ImgDD_1MouseDown(int n, TMouseButton button) {
  if (button != TMouseButton::mbLeft || !Accepting) return;
  ListenAnswer(n);
}

void TCw1Form::ListenAnswer(int item) {
  const int asked = ListenPos >= 1 && ListenPos <= WordItems ? ListenOrder[ListenPos - 1] : 0;
  if (item == asked && item >= 1 && !ItemDone[item - 1])
    ListenRight(item);
  else
    Wrong();
}

void TCw1Form::ListenRight(int item) {
  ImgDD[item - 1]->SetLeft(-500);
  RevealWord(item);
  PlayFeedback(FeedbackFiles::Right);
  ItemDone[item - 1] = true;
  RightAnswers += 1;
  if (RightAnswers == ActiveCount) {
    button2->Hide();
    button4->Hide();
    button1->Show();
    RecordExerciseDone(true);
    return;
  }
  Repaint();
  SleepMs(1000);
  if (RightAnswers == WordExercise.ItemCount - 1) button4->Hide();
  NextListenItem();
}

// ---------------------------------------------------------------- letter grid

void TCw1Form::BuildGaps() {
  if (WordExercise.Words[0].isEmpty()) return;
  const int count = std::clamp(WordExercise.ItemCount, 0, WordItems);
  if (RegenerateGaps) {
    RegenerateGaps = false;
    for (auto& row : GapPositions) row.fill(0);
    GapCount.fill(0);
    for (QString& s : MaskedRow) s.clear();
    for (QString& s : TypedRow) s.clear();
    Randomize();
    for (int i = 0; i < count; ++i) {
      const QString& word = WordExercise.Words[i];
      const int length = static_cast<int>(word.size());
      if (length == 3) {
        GapCount[i] = 1;
        GapPositions[i][0] = 1;
      } else {
        int gaps = Random(10) < 6 ? length / 3 : length / 2;
        // Only letters within the row can be hidden; a word with fewer hides what it has.
        std::vector<int> free;
        for (int p = 1; p <= std::min(length, MaxGaps); ++p)
          if (!IsNoGapCharacter(word[p - 1])) free.push_back(p);
        gaps = std::min(gaps, static_cast<int>(free.size()));
        for (int g = 0; g < gaps; ++g) {
          const int pick = Random(static_cast<int>(free.size()));
          GapPositions[i][g] = free[pick];
          free.erase(free.begin() + pick);
        }
        GapCount[i] = gaps;
      }
      std::sort(GapPositions[i].begin(), GapPositions[i].begin() + GapCount[i]);
    }
    for (int i = 0; i < count; ++i) {
      MaskedRow[i] = WordExercise.Words[i].left(MaxGaps);
      for (int g = 0; g < GapCount[i]; ++g) MaskedRow[i][GapPositions[i][g] - 1] = u'_';
      TypedRow[i] = MaskedRow[i];
    }
  }
  for (int i = 0; i < count; ++i) {
    RowWidth[i] = kCellWidth * static_cast<int>(WordExercise.Words[i].size());
    for (int p = 0; p < MaskedRow[i].size(); ++p) DrawCell(p, i + 1, clBlack, MaskedRow[i][p]);
  }
}

void TCw1Form::DrawCell(int cell, int row, TColor colour, QChar character) {
  TCanvas& canvas = Kraty[row - 1]->Canvas();
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.FillRect(Rect(kCellWidth * cell + 1, 1, kCellWidth * cell + 11, 16));
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Font.Color = colour;
  const QString text(character);
  const int w = canvas.TextWidth(text);
  canvas.TextOut(kCellWidth * cell + 1 + (12 - w) / 2, 1, text);
}

void TCw1Form::LayoutGrid() {
  Kraty[0]->LoadFromFile(Cw1Files::GridRow.In(ProgramDir, DataRoot));
  for (int r = 1; r < WordItems; ++r) Kraty[r]->SetPicture(Kraty[0]->Picture());
  BuildGaps();
  // An empty first word builds no grid.
  if (WordExercise.Words[0].isEmpty()) return;
  const int count = std::clamp(WordExercise.ItemCount, 0, WordItems);
  for (int i = 0; i < count; ++i) {
    if (WordExercise.ItemUsed[i] != 1) continue;
    TImage* row = Kraty[i];
    row->Show();
    row->SetWidth(RowWidth[i] + 2);
    TCanvas& canvas = row->Canvas();
    canvas.Pen.Color = clBlack;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Rectangle(0, 0, row->Width(), row->Height() - 3);
    row->move(WordExercise.WordPositions[i].X, WordExercise.WordPositions[i].Y);
  }
  for (int i = 0; i < count; ++i)
    if (Kraty[i]->Visible() && Kraty[i]->Left() > 0) {
      Kraty1Click(i + 1);
      break;
    }
  for (TImage* row : Kraty) row->SetCursor(TCursor::crHandPoint);
}

void TCw1Form::Kraty1Click(int r) {
  if (r < 1 || r > WordItems || ItemDone[r - 1]) return;
  if (CurrentRow >= 1) TypedRow[CurrentRow - 1] = MaskedRow[CurrentRow - 1];
  Accepting = false;
  GapIndex = 1;
  Kraty_Edit->SetText(QString());
  CurrentRow = r;
  TImage* row = Kraty[r - 1];
  CurrentRowLeft = row->Left();
  if (GapCount[r - 1] < 1) {
    // Nothing hidden in this row: there is nothing to type, so it counts as solved.
    QChar none;
    GapIndex = 0;
    Kraty_EditKeyPress(none);
    return;
  }
  Kraty_Edit->move(CurrentRowLeft + kCellWidth * (GapPositions[r - 1][0] - 1), row->Top());
  Kraty_Edit->Show();
  Kraty_Edit->raise();
  Kraty_Edit->SetFocus();
}

void TCw1Form::Kraty_EditChange() {
  if (!Kraty_Edit->Text().isEmpty()) Kraty_Edit->SetText(QString());
}

void TCw1Form::Kraty_EditKeyPress(QChar& key) {
  if (CurrentRow < 1 || CurrentRow > WordItems) {
    key = QChar();
    return;
  }
  const int row = CurrentRow - 1;
  auto& gaps = GapPositions[row];
  const bool checkNow = GapIndex == 0;  // a row without gaps, just opened
  if (!checkNow) {
    if (key == QChar(VK_BACK) && GapIndex > 1) {
      GapIndex -= 1;
      const int p = gaps[GapIndex - 1];
      DrawCell(p - 1, CurrentRow, clBlack, u'_');
      TypedRow[row][p - 1] = u'_';
      Kraty_Edit->SetLeft((p - 1) * kCellWidth + CurrentRowLeft + 1);
      key = QChar();
      return;
    }
    if (!IsAsciiLetter(key) || GapIndex < 1 || GapIndex > GapCount[row]) {
      key = QChar();
      return;
    }
    const int p = gaps[GapIndex - 1];
    DrawCell(p - 1, CurrentRow, clBlack, key);
    TypedRow[row][p - 1] = key;
    GapIndex += 1;
    key = QChar();
    if (GapIndex <= GapCount[row]) {
      Kraty_Edit->SetLeft((gaps[GapIndex - 1] - 1) * kCellWidth + CurrentRowLeft + 1);
      Kraty_Edit->SetText(QString());
      return;
    }
  }

  // The row is full: words longer than a row are judged on what the row holds.
  if (TypedRow[row] == WordExercise.Words[row].left(MaxGaps) || checkNow) {
    ItemDone[row] = true;
    Kraty_Edit->Hide();
    Kraty[row]->SetCursor(TCursor::crArrow);
    PlayFeedback(FeedbackFiles::Right);
    RowSolved[row] = true;
    Edit1->SetFocus();
    SolvedRows += 1;
    if (SolvedRows == ActiveCount) {
      button1->Show();
      RecordExerciseDone(true);
    } else {
      OpenNextRow();
    }
    return;
  }
  Edit1->SetFocus();
  Kraty_Edit->Hide();
  Image1->Repaint();
  Wrong();
  Repaint();
  SleepMs(900);
  const int again = CurrentRow;
  Kraty1Click(again);
  for (int g = 0; g < GapCount[row]; ++g) DrawCell(gaps[g] - 1, again, clBlack, u'_');
  TypedRow[row] = MaskedRow[row];
}

void TCw1Form::OpenNextRow() {
  const int count = std::clamp(WordExercise.ItemCount, 0, WordItems);
  auto open = [&](int r) { return !RowSolved[r - 1] && !ItemDone[r - 1] && WordExercise.ItemUsed[r - 1] == 1; };
  for (int r = CurrentRow; r <= count; ++r)
    if (open(r)) return Kraty1Click(r);
  for (int r = 1; r <= count; ++r)
    if (open(r)) return Kraty1Click(r);
}

// ---------------------------------------------------------------- buttons

void TCw1Form::Button3Click() {
  ReturnToPlace(this, [] {
    ReadAloud = false;
    if (MainForm && MainForm->MediaPlayer1) {
      TMediaPlayer* player = MainForm->MediaPlayer1;
      const TMPModes mode = player->Mode();
      if (mode == mpOpen || mode == mpStopped || mode == mpPlaying) player->Stop();
    }
  });
}

void TCw1Form::LeaveForEntry() {
  StopSharedPlayer();
  ReadAloud = false;
  button1->Hide();
}

void TCw1Form::CW1_KWS_LeftClick() {
  PreviousExercise([this] { LeaveForEntry(); });
}

void TCw1Form::CW1_KWS_RightClick() {
  NextExercise([this] { LeaveForEntry(); });
}

void TCw1Form::Button1Click() {
  if (!StartExercise()) return;
  button1->Hide();
  if (CurrentKey() == QLatin1String("WRYS=")) Button5Click();
}

void TCw1Form::Button6Click() {
  if (InfoForm) InfoForm->ShowModal();
}

void TCw1Form::btn_dialogClick() {
  DialogueFromExercise = true;
  const QString file = CurrentFile();
  const QString name = file.left(std::max<qsizetype>(0, file.size() - 4));
  // Read first, as the location screen does: a broken list leaves this screen as it was.
  Dialogues::LoadDialogueList(ProgramDir + QStringLiteral("\\cwicz") + name + QStringLiteral(".fc6"));
  if (Cw5Form) Cw5Form->Show();
}
