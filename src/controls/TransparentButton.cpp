#include "controls/TransparentButton.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/Canvas.h"

TTransparentButton::TTransparentButton(QWidget* parent) : TControlWidget<QWidget>(parent) {
  resize(33, 33);
}

void TTransparentButton::SetBitmapNormal(int index) {
  bitmapNormal_ = index;
  if (imageList_) {
    resize(imageList_->GetFrameWidth(index), imageList_->GetFrameHeight(index));
    update();
  }
}

void TTransparentButton::SetStan(int stan) {
  stan_ = stan;
  update();
}

void TTransparentButton::SetImageList(TMyImageList* list) {
  imageList_ = list;
  update();
}

void TTransparentButton::SetStyle(TStyls style) {
  style_ = style;
  update();
}

void TTransparentButton::SetHideNormal(bool v) {
  hideNormal_ = v;
  update();
}

void TTransparentButton::paintEvent(QPaintEvent* e) {
  // The list may have been filled after the button was made; the paint catches up.
  if ((style_ & tbs_DefPos) && imageList_)
    move(imageList_->GetLeft(bitmapNormal_), imageList_->GetTop(bitmapNormal_));
  if (imageList_)
    resize(imageList_->GetFrameWidth(bitmapNormal_), imageList_->GetFrameHeight(bitmapNormal_));
  if (hideNormal_ && stan_ == 0) return;
  // A strip without a highlight frame keeps its pressed picture in frame 1.
  const int frame = stan_ == 2 && !(style_ & tbs_Highlighted) ? 1 : stan_;
  if (!imageList_) return;
  QPainter p(this);
  TCanvas canvas(&p, e->rect(), size());
  imageList_->Draw(canvas, bitmapNormal_, frame);
}

void TTransparentButton::enterEvent(QEnterEvent* e) {
  QWidget::enterEvent(e);
  if (!enabled_) return;
  if (style_ & tbs_Highlighted) SetStan(1);
  if (OnMouseEnter) OnMouseEnter();
}

void TTransparentButton::leaveEvent(QEvent* e) {
  QWidget::leaveEvent(e);
  if (style_ & tbs_Highlighted) SetStan(0);
  if (OnMouseLeave) OnMouseLeave();
}

void TTransparentButton::mousePressEvent(QMouseEvent* e) {
  TControlWidget<QWidget>::mousePressEvent(e);
  if (e->button() == Qt::LeftButton && (style_ & tbs_Pressed)) SetStan(2);
}

void TTransparentButton::mouseReleaseEvent(QMouseEvent* e) {
  TControlWidget<QWidget>::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton && (style_ & tbs_Pressed)) SetStan(0);
}

TTransparentButton* NewButton(QWidget* parent, int left, int top, int bitmapNormal,
                              const QString& hint) {
  auto* button = new TTransparentButton(parent);
  button->SetImageList(&SharedImageList());
  button->SetStyle(tbs_Highlighted);
  button->SetBitmapNormal(bitmapNormal);
  button->move(left, top);
  button->SetHint(hint);
  return button;
}

TLabel* ClickArea(QWidget* parent, int left, int top, int width, int height, const QString& hint) {
  auto* label = new TLabel(parent);
  label->SetTransparent(true);
  label->SetAutoSize(false);
  label->SetBounds(left, top, width, height);
  label->SetHint(hint);
  return label;
}
