// The dictionary.
#pragma once

#include "platform/Forms.h"

class TSlownikForm : public TForm {
 public:
  TSlownikForm();
  void FormKeyDown(int& key, TShiftState shift) override;

};

extern TSlownikForm* SlownikForm;
