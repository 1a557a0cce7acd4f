// The authors screen: one full-screen picture that the caller loads into
// Image1 before showing the screen modally.
#pragma once

#include "platform/Forms.h"

class TTransparentButton;

class TAboutForm : public TForm {
 public:
  TAboutForm();
  void FormKeyDown(int& key, TShiftState shift) override;

  // Closes and lets the picture go.
  void button3Click();

  TImage* Image1 = nullptr;
  TTransparentButton* button3 = nullptr;
};

extern TAboutForm* AboutForm;
