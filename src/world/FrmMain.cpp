#include "world/FrmMain.h"

#include "app/Shared.h"

TMainForm* MainForm = nullptr;

TMainForm::TMainForm() {
  SetColor(clBlack);
  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);
}

void TMainForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
