// The start menu, reached after signing in.
#pragma once

#include "platform/Forms.h"

class TMenuStart : public TForm {
 public:
  TMenuStart();
  void FormKeyDown(int& key, TShiftState shift) override;

};

extern TMenuStart* MenuStart;
