// The player selection screen.
#pragma once

#include "platform/Forms.h"

class TLoginForm : public TForm {
 public:
  TLoginForm();
  void FormKeyDown(int& key, TShiftState shift) override;

};

extern TLoginForm* LoginForm;
