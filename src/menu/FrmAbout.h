// The authors screen.
#pragma once

#include "platform/Forms.h"

class TAboutForm : public TForm {
 public:
  TAboutForm();
  void FormKeyDown(int& key, TShiftState shift) override;

};

extern TAboutForm* AboutForm;
