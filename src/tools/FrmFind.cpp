#include "tools/FrmFind.h"

#include "app/Shared.h"

TFindForm* FindForm = nullptr;

TFindForm::TFindForm() {
}
