#include "platform/Forms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "platform/Application.h"
#include "platform/Trace.h"

namespace {
TStageForm* g_stage = nullptr;

// Key preview, modality, activation on click and dragging: all decided before
// an event reaches its widget.
class TFormEvents : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

TFormEvents* g_events = nullptr;

struct DragState {
  TControl* source = nullptr;
  TControl* target = nullptr;
  bool accept = false;
  QPoint lastGlobal;
} g_drag;

bool IsInputEvent(QEvent::Type t) {
  switch (t) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
      return true;
    default:
      return false;
  }
}
}  // namespace

TStageForm* Stage() { return g_stage; }

void AfterFirstPaint(std::function<void()> work, bool first) {
  if (g_stage)
    g_stage->AfterFirstPaint(std::move(work), first);
  else
    work();
}

// ---------------------------------------------------------------- TForm

TForm::TForm(int clientWidth, int clientHeight) : TControlWidget<QWidget>(g_stage) {
  setFixedSize(clientWidth, clientHeight);
  // A click on a screen's picture, label or picture button leaves the keyboard
  // with the control that has it, as the original's graphic controls did: the
  // name field keeps it when the child picks a mark, so Enter still counts.
  // The screen takes it by SetFocus, and on a click when it has none.
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(false);
  // paintEvent fills every pixel: nothing beneath a screen (the stage, or the
  // window's own background under the stage) needs painting first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  hide();
}

TForm::~TForm() {
  if (g_stage && g_stage != this) g_stage->FormHidden(this);
}

void TForm::DoCreate() {
  Guarded([this] { FormCreate(); });
}

bool TForm::Active() const { return g_stage && g_stage->ActiveForm() == this; }

void TForm::SetColor(TColor c) {
  color_ = c;
  update();
}

void TForm::SetBackground(const QImage& picture) {
  background_ = picture;
  update();
}

void TForm::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(color_));
  if (!background_.isNull()) p.drawImage(0, 0, background_);
  Trace::Painted(this);
}

void TForm::Show() {
  const bool wasHidden = isHidden();
  if (wasHidden) {
    Guarded([this] { FormShow(); });
    if (g_stage && g_stage != this) {
      move((g_stage->width() - width()) / 2, (g_stage->height() - height()) / 2);
    }
    show();
    Trace::Shown(this);
  }
  BringToFront();
}

void TForm::BringToFront() {
  raise();
  if (g_stage) g_stage->Activate(this);
  SetFocus();
}

void TForm::SetFocus() {
  if (QWidget* chosen = focusOnShow_; chosen && chosen->isVisible()) {
    focusOnShow_ = nullptr;
    chosen->setFocus(Qt::OtherFocusReason);
    return;
  }
  // While the window is not (yet) active Qt reports no focus widget, but
  // remembers the one a screen chose (its name field, its list): keep that.
  QWidget* f = QApplication::focusWidget();
  if (!f && window()) f = window()->focusWidget();
  if (!f || (f != this && !isAncestorOf(f)) || !f->isVisible()) setFocus(Qt::OtherFocusReason);
}

void TForm::Close() {
  if (isHidden() && !modal_) return;
  Guarded([this] { FormClose(); });
  hide();
  if (modal_ && ModalResult == mrNone) ModalResult = mrCancel;
  if (modalLoop_) modalLoop_->exit(0);
  if (g_stage && g_stage != this) g_stage->FormHidden(this);
}

int TForm::ShowModal() {
  if (g_stage) g_stage->RunAfterFirstPaint();
  ModalResult = mrNone;
  modal_ = true;
  if (g_stage) g_stage->PushModal(this);
  Show();
  QEventLoop loop;
  modalLoop_ = &loop;
  // A screen sets ModalResult from a handler; the loop notices after that event.
  while (ModalResult == mrNone && !isHidden() && !(Application() && Application()->Terminated())) {
    loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::EventLoopExec);
  }
  modalLoop_ = nullptr;
  if (!isHidden()) {
    Guarded([this] { FormClose(); });
    hide();
  }
  modal_ = false;
  if (g_stage) {
    g_stage->PopModal(this);
    g_stage->FormHidden(this);
  }
  return ModalResult;
}

void TForm::keyPressEvent(QKeyEvent* e) { e->accept(); }
void TForm::keyReleaseEvent(QKeyEvent* e) { e->accept(); }

// ---------------------------------------------------------------- TStageForm

TStageForm::TStageForm() : TForm(640, 480) {
  g_stage = this;
  setParent(nullptr);
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  resize(640, 480);
  SetColor(clBlack);
  setWindowTitle(QStringLiteral("Tarvolin"));
  if (!g_events) {
    g_events = new TFormEvents;
    qApp->installEventFilter(g_events);
  }
  hide();
}

TStageForm::~TStageForm() {
  if (g_events) {
    qApp->removeEventFilter(g_events);
    delete g_events;
    g_events = nullptr;
  }
  g_stage = nullptr;
}

void TStageForm::ShowStage(bool windowed) {
  const bool wasHidden = isHidden();
  windowed_ = windowed;
  if (windowed) {
    setWindowFlags(Qt::Window);
    resize(640, 480);
    show();
  } else {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    if (QScreen* s = QGuiApplication::primaryScreen()) setGeometry(s->geometry());
    showFullScreen();
  }
  CentreScreens();
  if (wasHidden) Trace::Shown(this);
  // The keyboard comes to the game as it starts, wherever the pointer is (a
  // display without a window manager gives it to the window under the pointer).
  activateWindow();
  if (wasHidden) Guarded([this] { FormShow(); });
}

void TStageForm::ToggleFullScreen() {
  if (isHidden()) return;
  ShowStage(!windowed_);
  if (OnDisplayModeChanged) OnDisplayModeChanged(windowed_);
}

void TStageForm::CentreScreens() {
  for (TForm* f : Screens()) f->move((width() - f->width()) / 2, (height() - f->height()) / 2);
}

void TStageForm::resizeEvent(QResizeEvent*) { CentreScreens(); }

void TStageForm::AfterFirstPaint(std::function<void()> work, bool first) {
  if (afterFirstPaintRun_) {
    work();
    return;
  }
  afterFirstPaint_.insert(first ? afterFirstPaint_.begin() : afterFirstPaint_.end(),
                          std::move(work));
  afterFirstPaintQueued_ = false;
}

void TStageForm::RunAfterFirstPaint() {
  // Taken first: a piece may show a modal screen, which runs the rest.
  afterFirstPaintRun_ = true;
  const std::vector<std::function<void()>> work = std::move(afterFirstPaint_);
  afterFirstPaint_.clear();
  for (const std::function<void()>& piece : work) Guarded(piece);
}

void TStageForm::paintEvent(QPaintEvent* e) {
  TForm::paintEvent(e);
  // Queued, it runs once this paint (and the screens' over it) is on the display.
  if (!afterFirstPaint_.empty() && !afterFirstPaintQueued_) {
    afterFirstPaintQueued_ = true;
    QMetaObject::invokeMethod(
        this, [this] { RunAfterFirstPaint(); }, Qt::QueuedConnection);
  }
}

void TStageForm::closeEvent(QCloseEvent* e) {
  TApplication* app = Application();
  e->setAccepted(!app || Guarded([app] { app->End(); }));
}

std::vector<TForm*> TStageForm::Screens() const {
  std::vector<TForm*> out;
  for (QObject* o : children())
    if (auto* f = dynamic_cast<TForm*>(o)) out.push_back(f);
  return out;
}

void TStageForm::Activate(TForm* form) {
  if (form == active_) return;
  TForm* old = active_;
  active_ = form;
  if (old) Guarded([old] { old->FormDeactivate(); });
  if (form && active_ == form) Guarded([form] { form->FormActivate(); });
}

void TStageForm::FormHidden(TForm* form) {
  if (form == active_ || active_ == nullptr) {
    // Activation passes to the front-most screen still shown, else to the stage.
    TForm* next = this;
    const auto screens = children();
    for (auto it = screens.rbegin(); it != screens.rend(); ++it) {
      auto* f = dynamic_cast<TForm*>(*it);
      if (f && f != form && !f->isHidden()) {
        next = f;
        break;
      }
    }
    Activate(next);
    if (next->isVisible()) next->SetFocus();
  }
}

void TStageForm::PopModal(TForm* f) {
  std::erase(modalStack_, f);
}

TForm* TStageForm::FormOf(QWidget* w) const {
  TForm* found = nullptr;
  for (QWidget* p = w; p; p = p->parentWidget()) {
    if (p == this) return found ? found : const_cast<TStageForm*>(this);
    if (p->parentWidget() == this)
      if (auto* f = dynamic_cast<TForm*>(p)) found = f;
  }
  return nullptr;
}

// ---------------------------------------------------------------- drag manager

namespace {

TControl* DropTargetAt(const QPoint& global) {
  if (!g_stage) return nullptr;
  QWidget* w = g_stage->childAt(g_stage->mapFromGlobal(global));
  if (!w) return g_stage;
  for (QWidget* p = w; p; p = p->parentWidget()) {
    auto* c = dynamic_cast<TControl*>(p);
    if (!c) continue;
    if (c->OnDragOver || dynamic_cast<TForm*>(p)) return c;
  }
  return g_stage;
}

void SendDragOver(TControl* target, const QPoint& global, TDragState state, bool& accept) {
  accept = false;
  if (!target || !g_drag.source) return;
  QWidget* source = g_drag.source->Widget();
  const QPoint local = target->Widget()->mapFromGlobal(global);
  Guarded([&] {
    if (target->OnDragOver)
      target->OnDragOver(source, local.x(), local.y(), state, accept);
    else if (auto* f = dynamic_cast<TForm*>(target->Widget()))
      f->FormDragOver(source, local.x(), local.y(), state, accept);
  });
}

void FinishDrag(TControl* target, const QPoint& global) {
  TControl* source = g_drag.source;
  g_drag = DragState{};
  QApplication::restoreOverrideCursor();
  if (!source) return;
  const QPoint local = target ? target->Widget()->mapFromGlobal(global) : QPoint();
  if (target) {
    Guarded([&] {
      if (target->OnDragDrop)
        target->OnDragDrop(source->Widget(), local.x(), local.y());
      else if (auto* f = dynamic_cast<TForm*>(target->Widget()))
        f->FormDragDrop(source->Widget(), local.x(), local.y());
    });
  }
  if (source->OnEndDrag)
    Guarded([&] { source->OnEndDrag(target ? target->Widget() : nullptr, local.x(), local.y()); });
}

void DragMove(const QPoint& global) {
  g_drag.lastGlobal = global;
  TControl* target = DropTargetAt(global);
  bool accept = false;
  if (target != g_drag.target) {
    if (g_drag.target) {
      bool ignored = false;
      SendDragOver(g_drag.target, global, TDragState::dsDragLeave, ignored);
    }
    if (!g_drag.source) return;  // the leave handler cancelled the drag
    g_drag.target = target;
    SendDragOver(target, global, TDragState::dsDragEnter, accept);
  } else {
    SendDragOver(target, global, TDragState::dsDragMove, accept);
  }
  if (!g_drag.source) return;
  g_drag.accept = accept;
  QApplication::changeOverrideCursor(accept ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

}  // namespace

void DragManager::BeginDrag(TControl* source) {
  if (g_drag.source || !source) return;
  g_drag = DragState{};
  g_drag.source = source;
  g_drag.lastGlobal = QCursor::pos();
  QApplication::setOverrideCursor(Qt::ForbiddenCursor);
  if (source->OnStartDrag) Guarded([&] { source->OnStartDrag(); });
}

bool DragManager::Dragging() { return g_drag.source != nullptr; }
TControl* DragManager::Source() { return g_drag.source; }

void DragManager::CancelDrag() {
  if (!g_drag.source) return;
  FinishDrag(nullptr, g_drag.lastGlobal);
}

void TControl::BeginDrag(bool) { DragManager::BeginDrag(this); }

void TControl::SetFocus() {
  // Qt hands the keyboard to a hidden widget when the window is active, and
  // remembers it for the window otherwise: either way keys would go to a
  // screen the child cannot see.
  TForm* form = g_stage ? g_stage->FormOf(self_) : nullptr;
  if (form && form != g_stage && form->isHidden()) {
    form->focusOnShow_ = self_;
    return;
  }
  if (self_->isVisible()) self_->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- event filter

bool TFormEvents::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (!g_stage || !IsInputEvent(type) || !watched->isWidgetType()) return false;
  // A pointer merely passing over the screens acts on nothing beyond them.
  if (type != QEvent::MouseMove) g_stage->RunAfterFirstPaint();
  auto* widget = static_cast<QWidget*>(watched);

  if (g_drag.source) {
    if (type == QEvent::MouseMove) {
      DragMove(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
      return true;
    }
    if (type == QEvent::MouseButtonRelease) {
      const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
      DragMove(global);
      if (g_drag.source) FinishDrag(g_drag.accept ? g_drag.target : nullptr, global);
      return true;
    }
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      DragManager::CancelDrag();
      return true;
    }
  }

  TForm* form = g_stage->FormOf(widget);
  if (!form) return false;  // not one of our screens (a tool tip, a popup)
  if (type == QEvent::KeyPress) {
    auto* ke = static_cast<QKeyEvent*>(event);
    const auto held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (ke->key() == Qt::Key_F11 && !(ke->modifiers() & held) && !ke->isAutoRepeat()) {
      g_stage->ToggleFullScreen();
      return true;
    }
  }
  if (TForm* modal = g_stage->ModalForm(); modal && form != modal) return true;

  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
    if (form != g_stage && g_stage->ActiveForm() != form) {
      form->raise();
      g_stage->Activate(form);
    }
    if (QWidget* focus = QApplication::focusWidget();
        form != g_stage && focus != form && !form->isAncestorOf(focus))
      form->SetFocus();
    return false;
  }

  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    auto* ke = static_cast<QKeyEvent*>(event);
    // A key event travels up from the focus widget; act on its first delivery only.
    if (QWidget* focus = QApplication::focusWidget(); focus && widget != focus) return false;
    const bool toForm = widget == form || form->KeyPreview;
    if (!toForm) return false;
    int key = VirtualKeyFromQt(ke->key());
    const TShiftState shift = ShiftFromQt(ke->modifiers());
    if (type == QEvent::KeyRelease) {
      if (key) Guarded([&] { form->FormKeyUp(key, shift); });
      return widget == form || key == 0;
    }
    bool consumed = false;
    if (key) {
      Guarded([&] { form->FormKeyDown(key, shift); });
      consumed = key == 0;
    }
    if (!consumed && !ke->text().isEmpty() && !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      QChar ch = ke->text().at(0);
      Guarded([&] { form->FormKeyPress(ch); });
      consumed = ch.isNull();
    }
    return consumed || widget == form;
  }
  return false;
}
