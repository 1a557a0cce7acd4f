#include "tools/FrmAlfabet.h"

#include "app/Shared.h"

TAlfabetForm* AlfabetForm = nullptr;

TAlfabetForm::TAlfabetForm() {
}

void TAlfabetForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
