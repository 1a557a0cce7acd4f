#include "tools/FrmSlownik.h"

#include "app/Shared.h"

TSlownikForm* SlownikForm = nullptr;

TSlownikForm::TSlownikForm() {
}

void TSlownikForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
