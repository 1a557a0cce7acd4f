// The toolkit's standard controls as the screens use them: position and size
// in 640 x 480 screen pixels, Visible/Enabled/Hint/Tag/Cursor, and event
// handlers as assignable functions named after the original events.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWidget>
#include <functional>
#include <memory>
#include <type_traits>

#include "platform/Canvas.h"
#include "platform/Fonts.h"
#include "platform/SafeMath.h"
#include "platform/Types.h"

enum class TCursor { crDefault, crArrow, crHandPoint, crHelp, crDrag, crNoDrop, crIBeam };
Qt::CursorShape ToQtCursor(TCursor c);

enum class TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TMouseEvent = std::function<void(TMouseButton, TShiftState, int x, int y)>;
using TMouseMoveEvent = std::function<void(TShiftState, int x, int y)>;
using TNotifyEvent = std::function<void()>;
using TDragOverEvent =
    std::function<void(QWidget* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(QWidget* source, int x, int y)>;
using TEndDragEvent = std::function<void(QWidget* target, int x, int y)>;
using TKeyEvent = std::function<void(int& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(QChar& key)>;

TShiftState ShiftFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons = Qt::NoButton);
// Windows virtual-key code for a Qt key (VK_F4 = 115, VK_RETURN = 13, ...); 0 when none.
int VirtualKeyFromQt(int qtKey);

constexpr int VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17,
              VK_MENU = 18, VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34,
              VK_END = 35, VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40,
              VK_INSERT = 45, VK_DELETE = 46, VK_F1 = 112, VK_F4 = 115;

// What every control of ours shares, whatever Qt widget it is built on.
class TControl {
 public:
  explicit TControl(QWidget* self) : self_(self) {}
  virtual ~TControl() = default;
  QWidget* Widget() const { return self_; }

  int Left() const { return self_->x(); }
  int Top() const { return self_->y(); }
  int Width() const {
    Settle();
    return self_->width();
  }
  int Height() const {
    Settle();
    return self_->height();
  }
  // Sizes and places come from data files too: they are clamped to what Qt's
  // rectangles can add up without overflowing.
  void SetLeft(int v) { self_->move(OffsetCoordinate(v), self_->y()); }
  void SetTop(int v) { self_->move(self_->x(), OffsetCoordinate(v)); }
  void SetWidth(int v) {
    Settle();
    self_->resize(Extent(v), self_->height());
  }
  void SetHeight(int v) {
    Settle();
    self_->resize(self_->width(), Extent(v));
  }
  void SetBounds(int left, int top, int width, int height) {
    SizeGiven();
    self_->setGeometry(OffsetCoordinate(left), OffsetCoordinate(top), Extent(width),
                       Extent(height));
  }
  // The control's own flag, whatever its parent's state.
  bool Visible() const { return !self_->isHidden(); }
  void SetVisible(bool v) { self_->setVisible(v); }
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);
  const QString& Hint() const { return hint_; }
  void SetHint(const QString& hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);
  void BringToFront() { self_->raise(); }
  void SendToBack() { self_->lower(); }
  void Invalidate() { self_->update(); }
  void Repaint() { self_->repaint(); }
  // Starts dragging this control with the drag manager of the forms.
  void BeginDrag(bool immediate = true);
  // Gives the control the keyboard. On a screen not shown yet (being created,
  // or in its FormShow) it waits until the screen appears: a hidden screen
  // never takes the keyboard from the one the child sees.
  void SetFocus();

  int Tag = 0;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnClick, OnDblClick, OnMouseEnter, OnMouseLeave;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;
  TNotifyEvent OnStartDrag;

  // Called by the widget's event overrides.
  void HandleMouse(QMouseEvent* e);

 private:
  static int Extent(int v) { return std::clamp(v, 0, CoordinateLimit); }

 protected:
  // A control that works out its own size late (a label measuring its
  // caption) does it now; one given its whole size need not.
  virtual void Settle() const {}
  virtual void SizeGiven() {}

  QWidget* self_;
  QString hint_;
  bool showHint_ = true;
  bool enabled_ = true;
  TCursor cursor_ = TCursor::crDefault;
  bool pressedInside_ = false;
};

// The TControl found on `w` or its nearest ancestor that is one.
TControl* ControlOf(QWidget* w);

// A QWidget-based control that routes mouse events to the TControl handlers.
// Plain controls take every mouse event, as the original's controls did; the
// native editing widgets also get their own handling.
template <class Base>
class TControlWidget : public Base, public TControl {
 public:
  // Moves are reported with no button held too, as the original controls did.
  explicit TControlWidget(QWidget* parent) : Base(parent), TControl(this) {
    Base::setMouseTracking(true);
  }

 protected:
  static constexpr bool kNative =
      !std::is_same_v<Base, QWidget> && !std::is_same_v<Base, QLabel>;
  void mousePressEvent(QMouseEvent* e) override {
    if constexpr (kNative) Base::mousePressEvent(e);
    Route(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if constexpr (kNative) Base::mouseReleaseEvent(e);
    Route(e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if constexpr (kNative) Base::mouseMoveEvent(e);
    Route(e);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if constexpr (kNative) Base::mouseDoubleClickEvent(e);
    Route(e);
  }
  void enterEvent(QEnterEvent* e) override {
    Base::enterEvent(e);
    if (OnMouseEnter && enabled_) OnMouseEnter();
  }
  void leaveEvent(QEvent* e) override {
    Base::leaveEvent(e);
    if (OnMouseLeave && enabled_) OnMouseLeave();
  }

 private:
  void Route(QMouseEvent* e) {
    HandleMouse(e);
    e->accept();
  }
};

// A picture control: holds a bitmap with a canvas and paints it.
class TImage : public TControlWidget<QWidget> {
 public:
  explicit TImage(QWidget* parent);
  // Loads through the picture loader; the control keeps its picture on error.
  void LoadFromFile(const QString& path);
  void SetPicture(const QImage& picture);
  const QImage& Picture() const { return picture_; }
  QImage& PictureRef() { return picture_; }
  // A picture of the given size filled with white, as assigning a new bitmap does.
  void NewPicture(int width, int height);
  TCanvas& Canvas();
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  void SetStretch(bool v);
  void SetCenter(bool v);
  // Pixels of the bottom-left pixel's colour show what lies beneath.
  void SetTransparent(bool v);
  bool Transparent() const { return transparent_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  void PictureChanged();
  QImage picture_;
  QImage keyed_;
  std::unique_ptr<TCanvas> canvas_;
  bool autoSize_ = false, stretch_ = false, center_ = false, transparent_ = false;
};

// A paint box: OnPaint draws through Canvas() for the duration of a paint event.
class TPaintBox : public TControlWidget<QWidget> {
 public:
  explicit TPaintBox(QWidget* parent);
  TCanvas& Canvas();
  TFont Font;
  TColor Color = clWhite;
  std::function<void()> OnPaint;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  std::unique_ptr<TCanvas> canvas_;
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TControlWidget<QLabel> {
 public:
  explicit TLabel(QWidget* parent);
  QString Caption() const { return text(); }
  void SetCaption(const QString& s);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& f);
  void SetFontColor(TColor c);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  void SetTransparent(bool v);
  void SetAutoSize(bool v);
  void SetAlignment(TAlignment a);
  void SetWordWrap(bool v);
  void SetEnabled(bool v) override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void UpdateStyle();
  // Measuring a caption loads its font, the dearest step of starting up: a
  // label that is not on screen is measured when it shows or its size is
  // asked for, to the same size as at once.
  void Fit();
  void Settle() const override;
  void SizeGiven() override { unfitted_ = false; }
  TFont font_;
  TColor color_ = clSilver;
  bool transparent_ = false, autoSize_ = true;
  mutable bool unfitted_ = false;
};

class TPanel : public TControlWidget<QWidget> {
 public:
  explicit TPanel(QWidget* parent);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  QString Caption;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  TColor color_ = clSilver;
};

class TEdit : public TControlWidget<QLineEdit> {
 public:
  explicit TEdit(QWidget* parent);
  QString Text() const { return text(); }
  void SetText(const QString& s) { setText(s); }
  void SetMaxLength(int n) { setMaxLength(n > 0 ? n : 32767); }
  void SetFont(const TFont& f);
  void SetColor(TColor c);
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnChange;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
};

class TListBox : public TControlWidget<QListWidget> {
 public:
  explicit TListBox(QWidget* parent);
  // The selected row, -1 when none: Qt makes a row current on focus without
  // selecting it, and a choice the child cannot see is no choice.
  int ItemIndex() const {
    const QListWidgetItem* current = currentItem();
    return current && current->isSelected() ? currentRow() : -1;
  }
  void SetItemIndex(int i) { setCurrentRow(i); }
  int Count() const { return count(); }
  void Clear() { clear(); }
  void Add(const QString& s) { addItem(s); }
  QString Item(int i) const { return i >= 0 && i < count() ? item(i)->text() : QString(); }
  void SetFont(const TFont& f);
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
};

class TCheckBox : public TControlWidget<QCheckBox> {
 public:
  explicit TCheckBox(QWidget* parent);
  bool Checked() const { return isChecked(); }
  void SetChecked(bool v) { setChecked(v); }
  void SetCaption(const QString& s) { setText(s); }
  void SetFont(const TFont& f);
};

class TScrollBar : public TControlWidget<QScrollBar> {
 public:
  explicit TScrollBar(QWidget* parent, Qt::Orientation o = Qt::Vertical);
  int Position() const { return value(); }
  void SetPosition(int v) { setValue(v); }
  void SetRange(int min, int max) { setRange(min, max); }
  TNotifyEvent OnChange;
};
