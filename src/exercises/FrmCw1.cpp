#include "exercises/FrmCw1.h"

#include "app/Globals.h"
#include "app/Shared.h"

TCw1Form* Cw1Form = nullptr;

TCw1Form::TCw1Form() {
  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);
  CW1_KWS_left = NewButton(this, 586, 133, 1, QStringLiteral("Poprzednie ćwiczenie"));
  cw1_kws_right = NewButton(this, 590, 167, 2, QStringLiteral("Następne ćwiczenie"));
  Image1 = new TImage(this);
  Image1->SetBounds(17, 40, 545, 430);
  Image1->SendToBack();
  button1 = NewButton(this, 588, 15, 3, QStringLiteral("Rozpocznij"));
  button1->Hide();
  btn_prez_Show = NewButton(this, 588, 12, 6, QStringLiteral("Czytaj"));
  button6 = NewButton(this, 592, 209, 7, QStringLiteral("Pamiętaj !!!"));
  btn_dialog = NewButton(this, 590, 75, 9, QStringLiteral("Dialogi i ćwiczenia"));
  lbl_Tlumacz = new TLabel(this);
  lbl_Tlumacz->SetFontColor(clRed);
  lbl_Tlumacz->SetColor(clWhite);
  lbl_Tlumacz->Hide();
  Kraty_Edit = new TEdit(this);
  Kraty_Edit->SetBounds(0, 0, 13, 19);
  Kraty_Edit->SetMaxLength(2);
  Kraty_Edit->Hide();
}

void TCw1Form::LoadWordExercise(const QString& path) { Show(); }

void TCw1Form::SetExerciseKind(int kind) {
  RightAnswers = 0;
  ExerciseKind = kind;
}

void TCw1Form::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
void TCw1Form::CancelDrag() { DragManager::CancelDrag(); }
