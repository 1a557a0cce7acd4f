#include "exercises/FrmCw2.h"

#include "app/Shared.h"

TCw2Form* Cw2Form = nullptr;

TCw2Form::TCw2Form() {
  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);
  CW1_KWS_left = NewButton(this, 586, 133, 1, QStringLiteral("Poprzednie ćwiczenie"));
  cw1_kws_right = NewButton(this, 590, 167, 2, QStringLiteral("Następne ćwiczenie"));
  Image1 = new TImage(this);
  Image1->move(26, 98);
  Image1->SetAutoSize(true);
  KwillButton1 = NewButton(this, 588, 15, 3, QStringLiteral("Rozpocznij"));
  KwillButton1->Hide();
}

void TCw2Form::LoadWordSearch(const QString& path) { Show(); }

void TCw2Form::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
