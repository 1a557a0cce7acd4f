// The diamond award screen.
#pragma once

#include "platform/Forms.h"

class TDiamentyForm : public TForm {
 public:
  TDiamentyForm();

};

extern TDiamentyForm* DiamentyForm;
