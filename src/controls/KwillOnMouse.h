// A label that reports the mouse entering and leaving it (the answer choices
// that light up under the mouse). Unassigned events leave a plain label.
#pragma once

#include "platform/Controls.h"

class TKwillOnMouse : public TLabel {
 public:
  explicit TKwillOnMouse(QWidget* parent) : TLabel(parent) {}

 protected:
  // Reported whether or not the label is enabled, as the toolkit did for labels.
  void enterEvent(QEnterEvent* e) override {
    QLabel::enterEvent(e);
    if (OnMouseEnter) OnMouseEnter();
  }
  void leaveEvent(QEvent* e) override {
    QLabel::leaveEvent(e);
    if (OnMouseLeave) OnMouseLeave();
  }
};
