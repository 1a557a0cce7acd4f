#include "menu/FrmAbout.h"

#include "app/Shared.h"

TAboutForm* AboutForm = nullptr;

TAboutForm::TAboutForm() {
}

void TAboutForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
