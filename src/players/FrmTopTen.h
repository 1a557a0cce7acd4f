// The best players table.
#pragma once

#include "platform/Forms.h"

class TTopTenForm : public TForm {
 public:
  TTopTenForm();
  void FormKeyDown(int& key, TShiftState shift) override;

};

extern TTopTenForm* TopTenForm;
