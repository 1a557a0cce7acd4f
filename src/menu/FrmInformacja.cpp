#include "menu/FrmInformacja.h"

#include "app/Globals.h"
#include "controls/TransparentButton.h"
#include "menu/FrmInformacjaFiles.h"

TInformacjaForm* InformacjaForm = nullptr;

TInformacjaForm::TInformacjaForm() : TForm(360, 90) {
  KeyPreview = true;
  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 360, 90);
  Label1 = new TLabel(this);
  Label1->SetFont(TFont{QStringLiteral("MS Sans Serif"), -13, clBlack, fsBold});
  Label1->SetTransparent(true);
  Label1->SetAutoSize(false);
  Label1->SetWordWrap(true);
  Label1->SetBounds(8, 8, 341, 49);
  button1 = NewButton(this, 308, 45, 5, QString());
  button1->OnClick = [this] { Button1Click(); };
}

void TInformacjaForm::FormShow() {
  Image1->LoadFromFile(InformacjaFiles::Background.In(ProgramDir, DataRoot));
}

void TInformacjaForm::FormClose() { Image1->SetPicture(QImage()); }

void TInformacjaForm::FormDeactivate() { Close(); }

void TInformacjaForm::FormKeyDown(int& key, TShiftState) {
  if (key != VK_ESCAPE && key != VK_RETURN) return;
  key = 0;
  Close();
}

void TInformacjaForm::Button1Click() { Close(); }
