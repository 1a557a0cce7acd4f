#include "exercises/FrmCw2.h"

#include "app/Shared.h"

TCw2Form* Cw2Form = nullptr;

TCw2Form::TCw2Form() {
  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);
}

void TCw2Form::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
