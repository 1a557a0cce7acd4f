// Screens. The stage is the one real top-level window (black, full screen or a
// window); every other screen is a fixed-size child widget of it, centred and
// raised when shown. Activation, modality, key preview and dragging of
// controls are handled here the way the original toolkit did.
#pragma once

#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/Controls.h"

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

class TForm : public TControlWidget<QWidget> {
 public:
  TForm(int clientWidth = 640, int clientHeight = 480);
  ~TForm() override;

  void Show();
  // Hides the screen (FormClose first); a modal screen's loop ends.
  void Close();
  int ShowModal();
  void BringToFront();
  bool Visible() const { return !isHidden(); }
  bool Modal() const { return modal_; }
  void SetFocus();
  bool Active() const;

  QString Caption;
  bool KeyPreview = false;
  int ModalResult = mrNone;
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  // Background picture painted under the controls (optional).
  void SetBackground(const QImage& picture);

  // Handlers of the original screens; override what a screen needs.
  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual void FormActivate() {}
  virtual void FormDeactivate() {}
  virtual void FormClose() {}
  virtual void FormKeyDown(int& key, TShiftState shift) {}
  virtual void FormKeyUp(int& key, TShiftState shift) {}
  virtual void FormKeyPress(QChar& key) {}
  virtual void FormDragOver(QWidget* source, int x, int y, TDragState state, bool& accept) {
    accept = false;
  }
  virtual void FormDragDrop(QWidget* source, int x, int y) {}

  // Runs FormCreate, reporting an error like any handler's and going on.
  void DoCreate();

 protected:
  void paintEvent(QPaintEvent*) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;

 private:
  friend class TStageForm;
  friend class TFormEvents;
  friend class TControl;
  bool modal_ = false;
  QEventLoop* modalLoop_ = nullptr;
  // The control given the focus while the screen was hidden.
  QPointer<QWidget> focusOnShow_;
  TColor color_ = clSilver;
  QImage background_;
};

// The black background screen that holds all others.
class TStageForm : public TForm {
 public:
  TStageForm();
  ~TStageForm() override;
  // Full screen (default) or a window of the game's size.
  void ShowStage(bool windowed);
  bool Windowed() const { return windowed_; }
  // F11 on any screen: the other of the two; OnDisplayModeChanged hears of it.
  // It is program-wide, since screens may run (a first player's modal sign-in)
  // while the stage is still being created.
  void ToggleFullScreen();
  static inline std::function<void(bool windowed)> OnDisplayModeChanged;
  void CentreScreens();
  TForm* ActiveForm() const { return active_; }
  // The screens that are children of the stage, in creation order.
  std::vector<TForm*> Screens() const;

  void Activate(TForm* form);
  void FormHidden(TForm* form);
  TForm* ModalForm() const { return modalStack_.empty() ? nullptr : modalStack_.back(); }
  void PushModal(TForm* f) { modalStack_.push_back(f); }
  void PopModal(TForm* f);
  // The screen that owns `w` (the stage for anything outside a screen).
  TForm* FormOf(QWidget* w) const;

  // Work that need not hold up the first picture: it runs once, as soon as
  // the stage's first paint has been handled, or earlier when an input event
  // or a modal screen comes first, so nothing the player does precedes it;
  // given after that, at once. Pieces given run in the order given, or before
  // all given so far.
  void AfterFirstPaint(std::function<void()> work, bool first = false);
  // Runs that work now, if it has not run yet.
  void RunAfterFirstPaint();

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent*) override;
  // The window manager's close (its button, its Alt+F4, a logout) ends the
  // program the way Alt+F4 does; the window stays when that fails.
  void closeEvent(QCloseEvent* e) override;

 private:
  TForm* active_ = nullptr;
  std::vector<TForm*> modalStack_;
  bool windowed_ = false;
  std::vector<std::function<void()>> afterFirstPaint_;
  bool afterFirstPaintQueued_ = false;
  bool afterFirstPaintRun_ = false;
};

TStageForm* Stage();
// The stage's AfterFirstPaint; at once when there is no stage.
void AfterFirstPaint(std::function<void()> work, bool first = false);

// Dragging of controls. The control under the pointer gets OnDragOver (the
// screen's FormDragOver where no control takes it, the stage's outside every
// screen); on release the accepting one gets OnDragDrop and the source OnEndDrag.
namespace DragManager {
void BeginDrag(TControl* source);
bool Dragging();
TControl* Source();
// Ends the drag with no target (the source gets OnEndDrag with a null target).
void CancelDrag();
}  // namespace DragManager
