// The message screen: a sentence in a picture frame. The caller sets
// Label1's caption and shows the screen (not modally); it closes on its
// button, on Enter or Escape, and as soon as another screen becomes active.
#pragma once

#include "platform/Forms.h"

class TTransparentButton;

class TInformacjaForm : public TForm {
 public:
  TInformacjaForm();
  void FormShow() override;
  void FormClose() override;
  void FormDeactivate() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  void Button1Click();

  TImage* Image1 = nullptr;
  TLabel* Label1 = nullptr;
  TTransparentButton* button1 = nullptr;
};

extern TInformacjaForm* InformacjaForm;
