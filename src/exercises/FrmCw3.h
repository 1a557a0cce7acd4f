// Exercise screen 3: the crossword.
#pragma once

#include "controls/TransparentButton.h"
#include "platform/Forms.h"

class TCw3Form : public TForm {
 public:
  TCw3Form();
  void FormKeyDown(int& key, TShiftState shift) override;

  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  // Previous and next exercise of the list.
  TTransparentButton* CW1_KWS_left = nullptr;
  TTransparentButton* cw1_kws_right = nullptr;
};

extern TCw3Form* Cw3Form;
