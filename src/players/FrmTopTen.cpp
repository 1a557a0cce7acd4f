#include "players/FrmTopTen.h"

#include "app/Shared.h"

TTopTenForm* TopTenForm = nullptr;

TTopTenForm::TTopTenForm() {
}

void TTopTenForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
