#include "menu/FrmInfo.h"

#include "app/Shared.h"

TInfoForm* InfoForm = nullptr;

TInfoForm::TInfoForm() {
}
