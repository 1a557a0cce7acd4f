// The location screen: a place with its spots, sprites and idle show.
#pragma once

#include "platform/Forms.h"

class TMainForm : public TForm {
 public:
  TMainForm();
  void FormKeyDown(int& key, TShiftState shift) override;

  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
};

extern TMainForm* MainForm;
