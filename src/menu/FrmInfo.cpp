#include "menu/FrmInfo.h"

#include "app/Globals.h"
#include "controls/TransparentButton.h"
#include "menu/FrmInfoFiles.h"
#include "menu/NoteFile.h"
#include "platform/TextFile.h"

TInfoForm* InfoForm = nullptr;
QStringList NoteWords;

QStringList ReadNote(const QString& exerciseFile) {
  return ParseNote(ReadWholeFile(NoteFilePath(ProgramDir, exerciseFile)));
}

void SetNote(QStringList words) {
  NoteWords = std::move(words);
  if (InfoForm) InfoForm->DXRamka->Invalidate();
}

void LoadNote(const QString& exerciseFile) {
  SetNote(ReadNote(exerciseFile));
}

TInfoForm::TInfoForm() : TForm(393, 136) {
  KeyPreview = true;
  Image1 = new TImage(this);
  Image1->move(0, 0);
  Image1->SetAutoSize(true);
  Label1 = new TLabel(this);
  Label1->SetFont(TFont{QStringLiteral("MS Sans Serif"), -13, clBlack, fsBold});
  Label1->SetTransparent(true);
  Label1->move(8, 4);
  Label1->SetCaption(QStringLiteral("Remember:"));
  DXRamka = new TPaintBox(this);
  DXRamka->SetBounds(8, 24, 377, 105);
  DXRamka->Font = TFont{QStringLiteral("MS Sans Serif"), -10, clBlack, 0};
  DXRamka->OnPaint = [this] { DXRamkaPaint(); };
  btn_wroc = NewButton(this, 339, 90, 5, QString());
  btn_wroc->OnClick = [this] { Btn_WrocClick(); };
}

void TInfoForm::FormShow() {
  Image1->LoadFromFile(InfoFiles::Background.In(ProgramDir, DataRoot));
}

void TInfoForm::FormClose() { Image1->SetPicture(QImage()); }

void TInfoForm::FormKeyDown(int& key, TShiftState) {
  if (key != VK_ESCAPE && key != VK_RETURN) return;
  key = 0;
  Close();
}

void TInfoForm::Btn_WrocClick() { Close(); }

void TInfoForm::DXRamkaPaint() { DrawNote(); }

void TInfoForm::DrawNote() {
  TCanvas& canvas = DXRamka->Canvas();
  const int lineHeight = canvas.TextHeight(QStringLiteral("Wy")) + 3;
  const TFont normal{QStringLiteral("Times New Roman"), 12, clBlack, 0};
  TFont bold = normal;
  bold.Style = fsBold;
  canvas.Brush.Style = TBrushStyle::bsClear;
  const auto width = [&](const QString& text, bool isBold) {
    canvas.Font = isBold ? bold : normal;
    return canvas.TextWidth(text);
  };
  for (const TNoteRun& run : LayoutNote(NoteWords, DXRamka->Width(), lineHeight, width)) {
    canvas.Font = run.Bold ? bold : normal;
    canvas.TextOut(run.X, run.Y, run.Text);
  }
}
