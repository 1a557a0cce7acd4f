// The diamond award screen: the crown (girls) or the time machine (boys) with
// the big diamonds earned so far. Shown by the rewards when a place's diamond
// is won (that diamond blinks) and by the best players screen (none blinks).
// It closes when another screen takes the focus.
#pragma once

#include <array>

#include "platform/Forms.h"
#include "platform/Timers.h"

class TBmpTransparent;
class TTransparentButton;

class TDiamentyForm : public TForm {
 public:
  TDiamentyForm();
  void FormCreate() override;
  void FormShow() override;
  void FormActivate() override;
  void FormDeactivate() override;
  void FormClose() override;
  void Timer1Timer();
  void button1Click();

  // Hide all seven diamonds and give them the crown's or the time machine's
  // picture and places.
  void LayoutCrownDiamonds();
  void LayoutTimeMachineDiamonds();
  // Shows the diamond of every place the signed-in player has completed.
  void ShowEarnedDiamonds();
  // The crown or the time machine as the background.
  void LoadBackground(bool crown);
  // What was won, shown above the picture.
  void SetText(const QString& text);
  // One blink step of the diamond of place n (1 .. 7); 0 only repaints.
  void BlinkDiamond(int n);

  TImage* Image1 = nullptr;
  TLabel* Label1 = nullptr;
  TBmpTransparent* diam_1 = nullptr;
  TBmpTransparent* diam_2 = nullptr;
  TBmpTransparent* diam_3 = nullptr;
  TBmpTransparent* diam_4 = nullptr;
  TBmpTransparent* diam_5 = nullptr;
  TBmpTransparent* diam_6 = nullptr;
  TBmpTransparent* diam_7 = nullptr;
  std::array<TBmpTransparent*, 7> Diamonds{};  // diam_1 .. diam_7
  TTransparentButton* button1 = nullptr;
  TTimer Timer1;
  bool BlinkShown = true;
  int BlinkCount = 0;

 private:
  struct TSpot {
    int Left, Top, Width, Height;
  };
  void Layout(const QString& picture, const std::array<TSpot, 7>& spots);
  void ReleaseBackground();
};

extern TDiamentyForm* DiamentyForm;
