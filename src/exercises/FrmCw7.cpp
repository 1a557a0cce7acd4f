#include "exercises/FrmCw7.h"

#include "app/Shared.h"

TCw7Form* Cw7Form = nullptr;

TCw7Form::TCw7Form() {
  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);
}

void TCw7Form::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
