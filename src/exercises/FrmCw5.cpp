#include "exercises/FrmCw5.h"

#include "app/Shared.h"

TCw5Form* Cw5Form = nullptr;

TCw5Form::TCw5Form() {
  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);
}

void TCw5Form::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
