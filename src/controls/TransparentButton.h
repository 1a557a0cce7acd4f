// The picture button: one frame of an image-list strip drawn over whatever
// lies beneath it (the strip's key colour leaves the background visible).
// Frame 0 is normal, 1 highlighted while the mouse is over the button.
#pragma once

#include "controls/MyImageList.h"
#include "platform/Controls.h"

enum TStyl : unsigned {
  tbs_Highlighted = 1,  // frame 1 while the mouse is over the button
  tbs_Pressed = 2,      // state 2 while the left button is held
  tbs_DefPos = 4,       // placed at the entry's default position on paint
};
using TStyls = unsigned;

class TTransparentButton : public TControlWidget<QWidget> {
 public:
  explicit TTransparentButton(QWidget* parent);

  int BitmapNormal() const { return bitmapNormal_; }
  // Takes the entry's frame size when a list is set.
  void SetBitmapNormal(int index);
  // 0 normal, 1 highlighted, 2 pressed; always repaints.
  int Stan() const { return stan_; }
  void SetStan(int stan);
  TMyImageList* ImageList() const { return imageList_; }
  void SetImageList(TMyImageList* list);
  TStyls Style() const { return style_; }
  void SetStyle(TStyls style);
  bool HideNormal() const { return hideNormal_; }
  void SetHideNormal(bool v);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  int bitmapNormal_ = 0;
  int stan_ = 0;
  TMyImageList* imageList_ = nullptr;
  TStyls style_ = tbs_Highlighted;
  bool hideNormal_ = false;
};

// A button on the shared list as the screens place them: highlighted under
// the mouse, at (left, top), showing entry `bitmapNormal`, with a hint.
TTransparentButton* NewButton(QWidget* parent, int left, int top, int bitmapNormal,
                              const QString& hint);
// A transparent click area over a button drawn on the screen's picture.
TLabel* ClickArea(QWidget* parent, int left, int top, int width, int height,
                  const QString& hint = {});
