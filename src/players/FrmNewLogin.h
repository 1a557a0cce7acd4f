// The new player screen.
#pragma once

#include "platform/Forms.h"

class TNewLoginForm : public TForm {
 public:
  TNewLoginForm();
  void FormKeyDown(int& key, TShiftState shift) override;

};

extern TNewLoginForm* NewLoginForm;
