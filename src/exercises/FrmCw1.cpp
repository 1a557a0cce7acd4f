#include "exercises/FrmCw1.h"

#include "app/Shared.h"

TCw1Form* Cw1Form = nullptr;

TCw1Form::TCw1Form() {
  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);
}

void TCw1Form::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
void TCw1Form::CancelDrag() { DragManager::CancelDrag(); }
