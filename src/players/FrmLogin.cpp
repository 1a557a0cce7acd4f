#include "players/FrmLogin.h"

#include "app/Shared.h"

TLoginForm* LoginForm = nullptr;

TLoginForm::TLoginForm() {
}

void TLoginForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
