#include "tools/FrmFind.h"

#include "app/Globals.h"
#include "controls/TransparentButton.h"
#include "menu/FrmInformacja.h"
#include "platform/Strings.h"
#include "tools/FrmFindFiles.h"
#include "tools/FrmSlownik.h"

TFindForm* FindForm = nullptr;

namespace {

TLabel* TextLabel(QWidget* parent, int left, int top, const QString& text, int px, bool bold) {
  auto* l = new TLabel(parent);
  l->SetFont(TFont{QStringLiteral("MS Sans Serif"), -px, clBlack,
                   bold ? static_cast<unsigned>(fsBold) : 0u});
  l->SetTransparent(true);
  l->SetCaption(text);
  l->move(left, top);
  return l;
}

void Mark(TLabel* mark, bool chosen) {
  mark->Tag = chosen ? 1 : 0;
  mark->SetCaption(chosen ? QStringLiteral("*") : QStringLiteral(" "));
}

}  // namespace

TFindForm::TFindForm() : TForm(370, 116) {
  KeyPreview = true;
  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 393, 136);
  Label2 = TextLabel(this, 8, 28, QStringLiteral("Znajdź:"), 13, true);
  Edit1 = new TEdit(this);
  Edit1->SetBounds(64, 23, 237, 24);
  Edit1->SetFont(TFont{QStringLiteral("MS Sans Serif"), -15, clBlack, 0});
  Edit1->OnKeyPress = [this](QChar& key) { Edit1KeyPress(key); };
  button2 = NewButton(this, 314, 15, 2, QStringLiteral("Szukaj"));
  button2->OnClick = [this] { Button2Click(); };
  button1 = NewButton(this, 314, 66, 5, QStringLiteral("Zamknij"));
  button1->OnClick = [this] { Button1Click(); };
  Label4 = TextLabel(this, 23, 84, QStringLiteral("*"), 19, true);
  Label3 = TextLabel(this, 40, 84, QStringLiteral("Angielskie"), 13, false);
  Label5 = TextLabel(this, 163, 84, QStringLiteral(" "), 19, true);
  Label6 = TextLabel(this, 180, 84, QStringLiteral("Polskie"), 13, false);
  Label4->OnClick = Label3->OnClick = [this] { Label4Click(); };
  Label5->OnClick = Label6->OnClick = [this] { Label5Click(); };
}

void TFindForm::FormCreate() {
  for (TLabel* l : {Label3, Label4, Label5, Label6}) l->SetCursor(TCursor::crHandPoint);
  Mark(Label4, true);
  Mark(Label5, false);
  SearchColumn = 1;
  // The child goes on typing after choosing the column.
  Edit1->SetFocus();
}

void TFindForm::FormShow() {
  Image1->LoadFromFile(FindFiles::Frame.In(ProgramDir, DataRoot));
  Edit1->SetText(QString());
  Edit1->SetFocus();
}

void TFindForm::FormClose() {
  Image1->SetPicture(QImage());
}

void TFindForm::FormKeyDown(int& key, TShiftState) {
  if (key != VK_ESCAPE) return;
  key = 0;
  Close();
}

void TFindForm::FindWord(int start) {
  TSlownikForm* d = SlownikForm;
  if (!d) return;
  const QString wanted = LowerCase(Edit1->Text());
  for (int i = std::max(start, 1); !wanted.isEmpty() && i <= d->EntryCount(); ++i) {
    const TWordEntry e = d->Entry(i);
    const QString text = SearchColumn == 1 ? e.English : SearchColumn == 2 ? e.Polish : QString();
    if (!LowerCase(text).contains(wanted)) continue;
    d->FoundEntry = i;
    if (Visible()) Close();
    d->TurnToPage(i);
    d->SelectEntry(i);
    d->szuk_dalej->Show();
    return;
  }
  NotFound();
}

void TFindForm::NotFound() {
  if (SlownikForm) SlownikForm->szuk_dalej->Hide();
  if (!InformacjaForm) return;
  InformacjaForm->Label1->SetCaption(NotFoundText);
  // The dictionary and this dialog hold the input while they are shown, so
  // the message takes it in turn until the child closes it.
  if (Stage() && Stage()->ModalForm())
    InformacjaForm->ShowModal();
  else
    InformacjaForm->Show();
}

void TFindForm::Button2Click() {
  FindWord(1);
}

void TFindForm::Button1Click() {
  Close();
}

void TFindForm::Edit1KeyPress(QChar& key) {
  if (key != QChar(u'\r')) return;
  key = QChar();
  FindWord(1);
}

void TFindForm::Label4Click() {
  if (Label4->Tag == 1) return;
  Mark(Label4, true);
  Mark(Label5, false);
  SearchColumn = 1;
  // The child goes on typing after choosing the column.
  Edit1->SetFocus();
}

void TFindForm::Label5Click() {
  if (Label5->Tag == 1) return;
  Mark(Label5, true);
  Mark(Label4, false);
  SearchColumn = 2;
  Edit1->SetFocus();
}
