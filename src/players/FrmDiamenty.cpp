#include "players/FrmDiamenty.h"

#include "app/Shared.h"

TDiamentyForm* DiamentyForm = nullptr;

TDiamentyForm::TDiamentyForm() {
}
