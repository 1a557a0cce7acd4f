#include "exercises/FrmCw6.h"

#include "app/Shared.h"

Tcw6form* cw6form = nullptr;

Tcw6form::Tcw6form() {
}

void Tcw6form::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
