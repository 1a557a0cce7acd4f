#include "exercises/FrmCw3.h"

#include "app/Shared.h"

TCw3Form* Cw3Form = nullptr;

TCw3Form::TCw3Form() {
  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);
  CW1_KWS_left = NewButton(this, 586, 133, 1, QStringLiteral("Poprzednie ćwiczenie"));
  cw1_kws_right = NewButton(this, 590, 167, 2, QStringLiteral("Następne ćwiczenie"));
  Line_1 = new TImage(this);
  Line_1->SetBounds(-615, 0, 389, 27);
  Line_1->Tag = 1;
  Image2 = new TImage(this);
  Image2->SetBounds(0, 0, 70, 84);
  Image2->SetTransparent(true);
  Image2->Hide();
  Button2 = NewButton(this, 0, 0, 4, QStringLiteral("Pomoc"));
  Button2->Hide();
  Edit_Krz = new TEdit(this);
  Edit_Krz->SetBounds(0, 0, 22, 25);
  Edit_Krz->SetMaxLength(2);
  Edit_Krz->Hide();
}

void TCw3Form::LoadCrossword(const QString& path) { Show(); }

void TCw3Form::Line_1Click(TImage* sender) {}

void TCw3Form::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
