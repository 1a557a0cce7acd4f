// Exercise screen 5: dialogues and gap dialogues.
#pragma once

#include "platform/Forms.h"

class TCw5Form : public TForm {
 public:
  TCw5Form();
  void FormKeyDown(int& key, TShiftState shift) override;

  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
};

extern TCw5Form* Cw5Form;
