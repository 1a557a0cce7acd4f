// Exercise screen 6: songs with their texts.
#pragma once

#include "platform/Forms.h"

class Tcw6form : public TForm {
 public:
  Tcw6form();
  void FormKeyDown(int& key, TShiftState shift) override;

};

extern Tcw6form* cw6form;
