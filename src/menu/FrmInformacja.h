// The message screen.
#pragma once

#include "platform/Forms.h"

class TInformacjaForm : public TForm {
 public:
  TInformacjaForm();

};

extern TInformacjaForm* InformacjaForm;
