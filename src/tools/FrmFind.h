// The dictionary search.
#pragma once

#include "platform/Forms.h"

class TFindForm : public TForm {
 public:
  TFindForm();

};

extern TFindForm* FindForm;
