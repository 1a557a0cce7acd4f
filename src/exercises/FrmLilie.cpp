#include "exercises/FrmLilie.h"

#include "app/Shared.h"

TLilieForm* LilieForm = nullptr;

TLilieForm::TLilieForm() {
  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);
  CW1_KWS_left = NewButton(this, 586, 133, 1, QStringLiteral("Poprzednie ćwiczenie"));
  cw1_kws_right = NewButton(this, 590, 167, 2, QStringLiteral("Następne ćwiczenie"));
}

void TLilieForm::LoadLilyPads(const QString& path) { Show(); }

void TLilieForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
