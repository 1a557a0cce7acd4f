#include "players/FrmNewLogin.h"

#include "app/Shared.h"

TNewLoginForm* NewLoginForm = nullptr;

TNewLoginForm::TNewLoginForm() {
}

void TNewLoginForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
