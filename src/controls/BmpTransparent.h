// A picture drawn centred in the control with one colour left out, so that
// whatever lies beneath shows through (diamonds, the help icons of the
// exercise screens, the helicopter).
#pragma once

#include <QImage>

#include "platform/Controls.h"

class TBmpTransparent : public TControlWidget<QWidget> {
 public:
  explicit TBmpTransparent(QWidget* parent);

  // Each setter repaints at once, even when the value is unchanged.
  const QImage& Picture() const { return picture_; }
  void SetPicture(const QImage& picture);
  void LoadFromFile(const QString& path);
  // True: the left-out colour is the picture's top-left pixel.
  bool Auto() const { return auto_; }
  void SetAuto(bool v);
  // Used when Auto is false; a negative colour leaves nothing out.
  TColor TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(TColor c);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QImage picture_;
  bool auto_ = false;
  TColor transparentColor_ = clOlive;
  // The picture with its left-out pixels cleared, for keyedColour_.
  QImage keyed_;
  TColor keyedColour_ = -1;
};

// Draws `keyed` (a picture whose left-out pixels are fully transparent) at
// (x, y). Like the original routine it touches only the rectangle
// (0, 0, width + 2x, height + 2y), so a picture larger than its control loses
// the same rows and columns on both sides.
void DrawTransparent(QPainter& dest, int x, int y, const QImage& keyed);
