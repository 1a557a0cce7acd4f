#include "menu/FrmAbout.h"

#include "app/Shared.h"
#include "controls/TransparentButton.h"

TAboutForm* AboutForm = nullptr;

TAboutForm::TAboutForm() {
  KeyPreview = true;
  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 640, 480);
  button3 = NewButton(this, 586, 425, 0, QString());
  button3->OnClick = [this] { button3Click(); };
}

void TAboutForm::button3Click() {
  Close();
  Image1->SetPicture(QImage());
}

void TAboutForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
