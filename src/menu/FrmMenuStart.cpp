#include "menu/FrmMenuStart.h"

#include "app/Shared.h"

TMenuStart* MenuStart = nullptr;

TMenuStart::TMenuStart() {
}

void TMenuStart::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
