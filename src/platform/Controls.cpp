#include "platform/Controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/Application.h"
#include "platform/Picture.h"

Qt::CursorShape ToQtCursor(TCursor c) {
  switch (c) {
    case TCursor::crHandPoint: return Qt::PointingHandCursor;
    case TCursor::crHelp: return Qt::WhatsThisCursor;
    case TCursor::crDrag: return Qt::DragMoveCursor;
    case TCursor::crNoDrop: return Qt::ForbiddenCursor;
    case TCursor::crIBeam: return Qt::IBeamCursor;
    case TCursor::crDefault:
    case TCursor::crArrow: break;
  }
  return Qt::ArrowCursor;
}

TShiftState ShiftFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (mods & Qt::ShiftModifier) s |= ssShift;
  if (mods & Qt::AltModifier) s |= ssAlt;
  if (mods & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

int VirtualKeyFromQt(int k) {
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return VK_F1 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
  }
}

// ---------------------------------------------------------------- TControl

TControl* ControlOf(QWidget* w) {
  for (; w; w = w->parentWidget())
    if (auto* c = dynamic_cast<TControl*>(w)) return c;
  return nullptr;
}

void TControl::SetEnabled(bool v) {
  enabled_ = v;
  self_->setEnabled(v);
}

void TControl::SetHint(const QString& hint) {
  hint_ = hint;
  self_->setToolTip(showHint_ ? hint_ : QString());
}

void TControl::SetShowHint(bool v) {
  showHint_ = v;
  self_->setToolTip(showHint_ ? hint_ : QString());
}

void TControl::SetCursor(TCursor c) {
  cursor_ = c;
  if (c == TCursor::crDefault)
    self_->unsetCursor();
  else
    self_->setCursor(ToQtCursor(c));
}

namespace {
TMouseButton ButtonOf(Qt::MouseButton b) {
  if (b == Qt::RightButton) return TMouseButton::mbRight;
  if (b == Qt::MiddleButton) return TMouseButton::mbMiddle;
  return TMouseButton::mbLeft;
}
}  // namespace

void TControl::HandleMouse(QMouseEvent* e) {
  if (!enabled_) return;
  const QPoint p = e->position().toPoint();
  TShiftState shift = ShiftFromQt(e->modifiers(), e->buttons());
  switch (e->type()) {
    case QEvent::MouseButtonPress:
      if (e->button() == Qt::LeftButton) pressedInside_ = true;
      if (OnMouseDown) Guarded([&] { OnMouseDown(ButtonOf(e->button()), shift, p.x(), p.y()); });
      break;
    case QEvent::MouseButtonDblClick:
      // The second press of a double click: no click of its own, as in the original.
      pressedInside_ = false;
      if (OnDblClick) Guarded([&] { OnDblClick(); });
      if (OnMouseDown)
        Guarded([&] { OnMouseDown(ButtonOf(e->button()), shift | ssDouble, p.x(), p.y()); });
      break;
    case QEvent::MouseButtonRelease: {
      const bool click = e->button() == Qt::LeftButton && pressedInside_ &&
                         self_->rect().contains(p);
      if (e->button() == Qt::LeftButton) pressedInside_ = false;
      if (click && OnClick) Guarded([&] { OnClick(); });
      if (OnMouseUp) Guarded([&] { OnMouseUp(ButtonOf(e->button()), shift, p.x(), p.y()); });
      break;
    }
    case QEvent::MouseMove:
      if (OnMouseMove) Guarded([&] { OnMouseMove(shift, p.x(), p.y()); });
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------- TImage

TImage::TImage(QWidget* parent) : TControlWidget<QWidget>(parent) {
  setAttribute(Qt::WA_NoSystemBackground);
}

void TImage::LoadFromFile(const QString& path) { SetPicture(LoadPicture(path)); }

void TImage::SetPicture(const QImage& picture) {
  picture_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
  PictureChanged();
}

void TImage::NewPicture(int width, int height) {
  QImage img(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
  img.fill(Qt::white);
  SetPicture(img);
}

TCanvas& TImage::Canvas() {
  if (picture_.isNull()) NewPicture(Width(), Height());
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(&picture_, [this] { PictureChanged(); });
  return *canvas_;
}

void TImage::PictureChanged() {
  keyed_ = QImage();
  if (autoSize_ && !picture_.isNull()) resize(picture_.size());
  update();
}

void TImage::SetAutoSize(bool v) {
  autoSize_ = v;
  PictureChanged();
}
void TImage::SetStretch(bool v) {
  stretch_ = v;
  update();
}
void TImage::SetCenter(bool v) {
  center_ = v;
  update();
}
void TImage::SetTransparent(bool v) {
  transparent_ = v;
  PictureChanged();
}

void TImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter p(this);
  const QImage* img = &picture_;
  if (transparent_) {
    if (keyed_.isNull())
      keyed_ = KeyedImage(picture_, FromPixel(picture_.pixel(0, picture_.height() - 1)));
    img = &keyed_;
  }
  if (stretch_) {
    p.drawImage(rect(), *img);
  } else if (center_) {
    p.drawImage((width() - img->width()) / 2, (height() - img->height()) / 2, *img);
  } else {
    p.drawImage(0, 0, *img);
  }
}

// ---------------------------------------------------------------- TPaintBox

TPaintBox::TPaintBox(QWidget* parent) : TControlWidget<QWidget>(parent) {}

TCanvas& TPaintBox::Canvas() {
  if (!canvas_) {
    // Outside a paint event there is nothing to draw on; draw into a scratch picture.
    static QImage scratch(1, 1, QImage::Format_RGB32);
    canvas_ = std::make_unique<TCanvas>(&scratch);
    canvas_->Font = Font;
  }
  return *canvas_;
}

void TPaintBox::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  auto canvas = std::make_unique<TCanvas>(&p, e->rect(), size());
  canvas->Font = Font;
  std::swap(canvas_, canvas);
  if (OnPaint) Guarded([this] { OnPaint(); });
  std::swap(canvas_, canvas);
}

// ---------------------------------------------------------------- TLabel

TLabel::TLabel(QWidget* parent) : TControlWidget<QLabel>(parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setContentsMargins(0, 0, 0, 0);
  setMargin(0);
  setIndent(0);
  UpdateStyle();
}

void TLabel::SetCaption(const QString& s) {
  if (!autoSize_) Settle();  // a size owed from before keeps the caption it was owed for
  setText(s);
  Fit();
}

void TLabel::SetFont(const TFont& f) {
  font_ = f;
  UpdateStyle();
}

void TLabel::SetFontColor(TColor c) {
  font_.Color = c;
  UpdateStyle();
}

void TLabel::SetColor(TColor c) {
  color_ = c;
  UpdateStyle();
}

void TLabel::SetTransparent(bool v) {
  transparent_ = v;
  UpdateStyle();
}

void TLabel::SetAutoSize(bool v) {
  autoSize_ = v;
  Fit();
}

void TLabel::SetAlignment(TAlignment a) {
  Qt::Alignment h = a == TAlignment::taCenter        ? Qt::AlignHCenter
                    : a == TAlignment::taRightJustify ? Qt::AlignRight
                                                       : Qt::AlignLeft;
  setAlignment(h | Qt::AlignTop);
}

void TLabel::SetWordWrap(bool v) {
  if (!autoSize_) Settle();
  setWordWrap(v);
  Fit();
}

void TLabel::SetEnabled(bool v) {
  TControl::SetEnabled(v);
  UpdateStyle();
}

void TLabel::UpdateStyle() {
  if (!autoSize_) Settle();
  setFont(ToQFont(font_));
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, ToQColor(enabled_ ? font_.Color : clGray));
  pal.setColor(QPalette::Window, ToQColor(color_));
  setPalette(pal);
  setAutoFillBackground(!transparent_);
  Fit();
}

void TLabel::Fit() {
  if (!autoSize_) return;
  unfitted_ = !isVisible();
  if (!unfitted_) adjustSize();
}

void TLabel::Settle() const {
  if (!unfitted_) return;
  unfitted_ = false;
  const_cast<TLabel*>(this)->adjustSize();
}

void TLabel::showEvent(QShowEvent* e) {
  Settle();
  QLabel::showEvent(e);
}

// ---------------------------------------------------------------- TPanel

TPanel::TPanel(QWidget* parent) : TControlWidget<QWidget>(parent) {}

void TPanel::SetColor(TColor c) {
  color_ = c;
  update();
}

void TPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(color_));
}

// ---------------------------------------------------------------- TEdit

TEdit::TEdit(QWidget* parent) : TControlWidget<QLineEdit>(parent) {
  QObject::connect(this, &QLineEdit::textChanged, [this] {
    if (OnChange) Guarded(OnChange);
  });
}

void TEdit::SetFont(const TFont& f) {
  setFont(ToQFont(f));
  QPalette pal = palette();
  pal.setColor(QPalette::Text, ToQColor(f.Color));
  setPalette(pal);
}

void TEdit::SetColor(TColor c) {
  QPalette pal = palette();
  pal.setColor(QPalette::Base, ToQColor(c));
  setPalette(pal);
}

namespace {
// Runs a control's OnKeyDown/OnKeyPress; false when a handler swallowed the key.
bool ControlKeys(QKeyEvent* e, const TKeyEvent& down, const TKeyPressEvent& press) {
  if (down) {
    int key = VirtualKeyFromQt(e->key());
    if (key) {
      Guarded([&] { down(key, ShiftFromQt(e->modifiers())); });
      if (key == 0) return false;
    }
  }
  if (press && !e->text().isEmpty()) {
    QChar ch = e->text().at(0);
    Guarded([&] { press(ch); });
    if (ch.isNull()) return false;
  }
  return true;
}
}  // namespace

void TEdit::keyPressEvent(QKeyEvent* e) {
  if (ControlKeys(e, OnKeyDown, OnKeyPress)) QLineEdit::keyPressEvent(e);
}

// ---------------------------------------------------------------- TListBox

TListBox::TListBox(QWidget* parent) : TControlWidget<QListWidget>(parent) {}

void TListBox::SetFont(const TFont& f) {
  setFont(ToQFont(f));
  QPalette pal = palette();
  pal.setColor(QPalette::Text, ToQColor(f.Color));
  setPalette(pal);
}

void TListBox::keyPressEvent(QKeyEvent* e) {
  if (ControlKeys(e, OnKeyDown, OnKeyPress)) QListWidget::keyPressEvent(e);
}

// ---------------------------------------------------------------- TCheckBox, TScrollBar

TCheckBox::TCheckBox(QWidget* parent) : TControlWidget<QCheckBox>(parent) {}

void TCheckBox::SetFont(const TFont& f) { setFont(ToQFont(f)); }

TScrollBar::TScrollBar(QWidget* parent, Qt::Orientation o) : TControlWidget<QScrollBar>(parent) {
  setOrientation(o);
  QObject::connect(this, &QScrollBar::valueChanged, [this] {
    if (OnChange) Guarded(OnChange);
  });
}
