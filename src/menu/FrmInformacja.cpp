#include "menu/FrmInformacja.h"

#include "app/Shared.h"

TInformacjaForm* InformacjaForm = nullptr;

TInformacjaForm::TInformacjaForm() {
}
