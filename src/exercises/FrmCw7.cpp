#include "exercises/FrmCw7.h"

#include "app/Shared.h"

TCw7Form* Cw7Form = nullptr;

TCw7Form::TCw7Form() {
  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);
  CW1_KWS_left = NewButton(this, 586, 133, 1, QStringLiteral("Poprzednie ćwiczenie"));
  cw1_kws_right = NewButton(this, 590, 167, 2, QStringLiteral("Następne ćwiczenie"));
}

void TCw7Form::LoadListeningChoice(const QString& path) { Show(); }

void TCw7Form::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
