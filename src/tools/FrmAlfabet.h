// The alphabet.
#pragma once

#include "platform/Forms.h"

class TAlfabetForm : public TForm {
 public:
  TAlfabetForm();
  void FormKeyDown(int& key, TShiftState shift) override;

};

extern TAlfabetForm* AlfabetForm;
