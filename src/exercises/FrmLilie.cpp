#include "exercises/FrmLilie.h"

#include "app/Shared.h"

TLilieForm* LilieForm = nullptr;

TLilieForm::TLilieForm() {
  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);
}

void TLilieForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
