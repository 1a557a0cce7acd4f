#include "controls/BmpTransparent.h"

#include <QPainter>

#include "platform/Canvas.h"
#include "platform/Picture.h"

void DrawTransparent(QPainter& dest, int x, int y, const QImage& keyed) {
  const QRect area(0, 0, keyed.width() + 2 * x, keyed.height() + 2 * y);
  if (area.isEmpty()) return;
  dest.save();
  dest.setClipRect(area, Qt::IntersectClip);
  dest.drawImage(x, y, keyed);
  dest.restore();
}

TBmpTransparent::TBmpTransparent(QWidget* parent) : TControlWidget<QWidget>(parent) {
  resize(105, 105);
}

void TBmpTransparent::SetPicture(const QImage& picture) {
  picture_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
  keyed_ = QImage();
  repaint();
}

void TBmpTransparent::LoadFromFile(const QString& path) { SetPicture(LoadPicture(path)); }

void TBmpTransparent::SetAuto(bool v) {
  auto_ = v;
  repaint();
}

void TBmpTransparent::SetTransparentColor(TColor c) {
  transparentColor_ = c;
  repaint();
}

void TBmpTransparent::paintEvent(QPaintEvent*) {
  if (picture_.width() == 0 || picture_.height() == 0) return;
  // Integer division truncates toward zero, as the centring must.
  const int x = (width() - picture_.width()) / 2;
  const int y = (height() - picture_.height()) / 2;
  const TColor key = auto_ ? FromPixel(picture_.pixel(0, 0)) : transparentColor_;
  const TColor cacheKey = key < 0 ? -1 : (key & 0xFFFFFF);
  if (keyed_.isNull() || keyedColour_ != cacheKey) {
    keyed_ = cacheKey < 0 ? picture_ : KeyedImage(picture_, cacheKey);
    keyedColour_ = cacheKey;
  }
  QPainter p(this);
  DrawTransparent(p, x, y, keyed_);
}
