// The note pop-up.
#pragma once

#include "platform/Forms.h"

class TInfoForm : public TForm {
 public:
  TInfoForm();

};

extern TInfoForm* InfoForm;
