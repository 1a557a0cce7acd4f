#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <memory>

#include "platform/Application.h"
#include "platform/Errors.h"
#include "support/Support.h"

namespace {

// A screen that records its handler calls.
class Probe : public TForm {
 public:
  explicit Probe(QString name, std::vector<QString>* log, int w = 200, int h = 100)
      : TForm(w, h), name_(std::move(name)), log_(log) {}
  void FormShow() override { Log("show"); }
  void FormActivate() override { Log("activate"); }
  void FormDeactivate() override {
    Log("deactivate");
    if (closeOnDeactivate) Close();
  }
  void FormClose() override { Log("close"); }
  void FormKeyDown(int& key, TShiftState shift) override {
    Log(QStringLiteral("key %1 %2").arg(key).arg(shift));
    if (swallow) key = 0;
  }
  void FormKeyPress(QChar& ch) override { Log(QStringLiteral("char %1").arg(ch)); }
  bool swallow = false;
  bool closeOnDeactivate = false;

 private:
  void Log(const QString& what) { log_->push_back(name_ + ' ' + what); }
  QString name_;
  std::vector<QString>* log_;
};

void Click(QWidget* w, QPoint at = {1, 1}) {
  const QPointF local(at), global(w->mapToGlobal(at));
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(w, &release);
}

void Key(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier, QString text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &press);
}

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    stage = std::make_unique<TStageForm>();
    stage->ShowStage(true);
    stage->resize(800, 600);
  }
  void TearDown() override {
    stage.reset();
    PumpEvents();
  }
  std::unique_ptr<TStageForm> stage;
  std::vector<QString> log;
};

}  // namespace

TEST_F(FormsTest, ShownScreensAreCentredRaisedAndActivatedInOrder) {
  auto* a = new Probe("A", &log);
  auto* b = new Probe("B", &log);
  EXPECT_EQ(a->parentWidget(), stage.get());
  a->Show();
  EXPECT_EQ(a->pos(), QPoint(300, 250));
  b->Show();
  EXPECT_EQ(stage->ActiveForm(), b);
  EXPECT_EQ(log,
            (std::vector<QString>{"A show", "A activate", "B show", "A deactivate", "B activate"}));
  log.clear();
  stage->resize(1000, 700);
  EXPECT_EQ(b->pos(), QPoint(400, 300));
  b->Close();  // activation passes to the screen still shown
  EXPECT_EQ(log, (std::vector<QString>{"B close", "B deactivate", "A activate"}));
  EXPECT_TRUE(b->isHidden());
  log.clear();
  a->Show();  // already shown: no second FormShow
  EXPECT_TRUE(log.empty());
  // A click on a screen behind the active one activates it and brings it to the front.
  b->Show();
  log.clear();
  Click(a);
  EXPECT_EQ(stage->ActiveForm(), a);
  EXPECT_EQ(log, (std::vector<QString>{"B deactivate", "A activate"}));
}

TEST_F(FormsTest, ScreenClosingItselfOnDeactivateHandsActivationOn) {
  auto* award = new Probe("Award", &log);
  auto* place = new Probe("Place", &log);
  place->Show();
  award->closeOnDeactivate = true;
  award->Show();
  log.clear();
  Click(place);
  EXPECT_TRUE(award->isHidden());
  EXPECT_EQ(stage->ActiveForm(), place);
}

TEST_F(FormsTest, ModalScreenBlocksInputToTheOthersUntilItCloses) {
  auto* behind = new Probe("Behind", &log);
  behind->Show();
  auto* button = new TImage(behind);
  button->SetBounds(0, 0, 50, 50);
  button->show();
  int clicks = 0;
  button->OnClick = [&] { ++clicks; };
  Click(button);
  EXPECT_EQ(clicks, 1);

  auto* dialog = new Probe("Dialog", &log);
  int result = -1;
  QTimer::singleShot(0, [&] {
    Click(button);  // blocked while the dialog is up
    Key(dialog, Qt::Key_A, Qt::NoModifier, "a");
    dialog->ModalResult = mrOk;
  });
  result = dialog->ShowModal();
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(dialog->isHidden());
  EXPECT_EQ(stage->ActiveForm(), behind);
  Click(button);
  EXPECT_EQ(clicks, 2);
  // Closing a modal screen ends its loop with Cancel.
  QTimer::singleShot(0, [&] { dialog->Close(); });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(FormsTest, KeyPreviewSeesKeysBeforeTheFocusedControl) {
  auto* form = new Probe("F", &log, 300, 200);
  auto* edit = new TEdit(form);
  edit->SetBounds(10, 10, 100, 20);
  form->Show();
  edit->show();
  edit->setFocus();
  QApplication::setActiveWindow(stage.get());
  ASSERT_EQ(QApplication::focusWidget(), edit);

  Key(edit, Qt::Key_A, Qt::NoModifier, "a");  // no preview: the form hears nothing
  EXPECT_TRUE(log.empty() || log.back() == "F activate");
  EXPECT_EQ(edit->Text(), "a");

  log.clear();
  form->KeyPreview = true;
  Key(edit, Qt::Key_B, Qt::NoModifier, "b");
  EXPECT_EQ(log, (std::vector<QString>{"F key 66 0", "F char b"}));
  EXPECT_EQ(edit->Text(), "ab");

  log.clear();
  form->swallow = true;  // a handler that sets the key to 0 keeps it from the control
  Key(edit, Qt::Key_C, Qt::NoModifier, "c");
  EXPECT_EQ(edit->Text(), "ab");
  Key(edit, Qt::Key_F4, Qt::AltModifier);
  Key(edit, Qt::Key_F4, Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_EQ(log, (std::vector<QString>{"F key 67 0", "F key 115 2", "F key 115 3"}));
}

TEST_F(FormsTest, ExceptionInAClickHandlerIsShownAndTheProgramGoesOn) {
  MessageRecorder boxes;
  auto* form = new Probe("F", &log);
  form->Show();
  auto* image = new TImage(form);
  image->SetBounds(0, 0, 20, 20);
  image->show();
  int before = 0, after = 0;
  image->OnClick = [&] {
    ++before;
    throw EInOutError(QStringLiteral("Nie można otworzyć pliku x.bmp"));
    ++after;
  };
  Click(image);
  Click(image);
  EXPECT_EQ(before, 2);
  EXPECT_EQ(after, 0);
  ASSERT_EQ(boxes.Messages.size(), 2u);
  EXPECT_EQ(boxes.Messages[0].Kind, TMessageKind::Error);
  EXPECT_EQ(boxes.Messages[0].Text, "Nie można otworzyć pliku x.bmp");
  // An exception leaving a Qt event outside our handlers reaches the application's guard.
  struct Thrower : QObject {
    bool event(QEvent*) override { throw std::runtime_error("boom"); }
  } thrower;
  QEvent e(QEvent::User);
  QApplication::sendEvent(&thrower, &e);
  ASSERT_EQ(boxes.Messages.size(), 3u);
  EXPECT_EQ(boxes.Messages[2].Text, "boom");
}

TEST_F(FormsTest, DragGoesToTheControlUnderThePointerAndEndsAtTheSource) {
  auto* form = new Probe("F", &log, 400, 300);
  form->Show();
  auto* word = new TLabel(form);
  word->SetCaption("cat");
  word->move(10, 10);
  word->show();
  auto* target = new TImage(form);
  target->SetBounds(200, 100, 100, 100);
  target->show();
  std::vector<QString> events;
  target->OnDragOver = [&](QWidget* src, int x, int y, TDragState, bool& accept) {
    accept = src == word && x < 50;
  };
  target->OnDragDrop = [&](QWidget*, int x, int y) {
    events.push_back(QStringLiteral("drop %1,%2").arg(x).arg(y));
  };
  word->OnEndDrag = [&](QWidget* t, int, int) {
    events.push_back(t == target ? "end on target" : "end nowhere");
  };
  auto move = [&](QPoint inForm, QEvent::Type type = QEvent::MouseMove) {
    const QPoint global = form->mapToGlobal(inForm);
    QMouseEvent e(type, word->mapFromGlobal(global), global, Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(word, &e);
  };
  word->BeginDrag();
  EXPECT_TRUE(DragManager::Dragging());
  move({210, 110});
  move({220, 120}, QEvent::MouseButtonRelease);
  EXPECT_FALSE(DragManager::Dragging());
  EXPECT_EQ(events, (std::vector<QString>{"drop 20,20", "end on target"}));

  events.clear();
  word->BeginDrag();
  move({280, 110}, QEvent::MouseButtonRelease);  // refused there
  EXPECT_EQ(events, (std::vector<QString>{"end nowhere"}));

  // Leaving every screen reaches the stage, whose handler may cancel the drag.
  events.clear();
  word->BeginDrag();
  move({-50, -50});
  DragManager::CancelDrag();
  EXPECT_FALSE(DragManager::Dragging());
  EXPECT_EQ(events, (std::vector<QString>{"end nowhere"}));
}

// A label on a screen nobody sees yet measures its caption only when it is
// shown or asked for its size (measuring loads the font): it must end up
// exactly as large as one measured at every change.
TEST_F(FormsTest, LabelOnAHiddenScreenEndsUpAsLargeAsOneMeasuredAtOnce) {
  const TFont bold{QStringLiteral("Arial CE"), 12, clBlack, fsBold};
  struct Case {
    const char* name;
    std::function<void(TLabel&)> steps;
  };
  const Case cases[] = {
      {"caption", [](TLabel& l) { l.SetCaption(QStringLiteral("Twoje imię:")); }},
      {"caption, then font",
       [&](TLabel& l) {
         l.SetCaption(QStringLiteral("Jestem dziewczyną"));
         l.SetFont(bold);
       }},
      {"autosize off after a caption, then another caption",
       [](TLabel& l) {
         l.SetCaption(QStringLiteral("długi napis"));
         l.SetAutoSize(false);
         l.SetCaption(QStringLiteral("x"));
       }},
      {"width given after a caption keeps the measured height",
       [&](TLabel& l) {
         l.SetFont(bold);
         l.SetCaption(QStringLiteral("0"));
         l.SetWidth(90);
       }},
      {"bounds given after a caption",
       [](TLabel& l) {
         l.SetCaption(QStringLiteral("Koniec"));
         l.SetBounds(3, 4, 17, 17);
       }},
      {"word wrap within a width",
       [](TLabel& l) {
         l.SetAutoSize(false);
         l.SetWidth(60);
         l.SetWordWrap(true);
         l.SetAutoSize(true);
         l.SetCaption(QStringLiteral("kilka słów w wierszach"));
       }},
  };
  auto* shown = new Probe("shown", &log, 400, 300);
  auto* hidden = new Probe("hidden", &log, 400, 300);
  shown->Show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* atOnce = new TLabel(shown);
    auto* late = new TLabel(hidden);
    c.steps(*atOnce);
    c.steps(*late);
    EXPECT_EQ(late->Width(), atOnce->Width());  // asking measures
    auto* lateShown = new TLabel(hidden);
    c.steps(*lateShown);
    hidden->Show();
    EXPECT_EQ(lateShown->geometry(), atOnce->geometry());  // showing measures
    EXPECT_EQ(late->geometry(), atOnce->geometry());
    hidden->Close();
  }
}

TEST_F(FormsTest, WorkAfterTheFirstPaintRunsOnceInItsOrderThenAtOnce) {
  std::vector<int> order;
  stage->AfterFirstPaint([&] { order.push_back(2); });
  stage->AfterFirstPaint([&] { order.push_back(3); });
  stage->AfterFirstPaint([&] { order.push_back(1); }, true);
  EXPECT_TRUE(order.empty());
  for (int i = 0; i < 200 && order.empty(); ++i) PumpEvents(5);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  stage->AfterFirstPaint([&] { order.push_back(4); });
  stage->RunAfterFirstPaint();
  stage->update();
  PumpEvents(20);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
}
