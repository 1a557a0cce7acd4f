// The application object. Its notify() is the last guard: an exception that
// leaves an event handler is shown in the error box and the program goes on,
// as the design relies on. Handlers we call ourselves go through Guarded().
#pragma once

#include <QApplication>
#include <exception>
#include <functional>

class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  ~TApplication() override;
  bool notify(QObject* receiver, QEvent* event) override;

  QString Title = QStringLiteral("Tarvolin");
  // Ends the program: every event loop returns, and a loop not yet started never runs.
  void Terminate();
  // What the game must do before it ends however it is ended (it saves the
  // signed-in player); throwing keeps the program running.
  std::function<void()> BeforeEnd;
  // BeforeEnd, then Terminate. When BeforeEnd throws, its error propagates
  // with a note that ending again ends without it, and the program goes on;
  // the next End tries BeforeEnd again and, when it fails again, says so and
  // ends anyway: a failed save never makes the game unclosable. Alt+F4, the
  // window's close and the menu's end come here.
  void End();
  // SIGTERM, SIGINT and SIGHUP (a logout, a kill, Ctrl+C) end the program from
  // its own event loop: BeforeEnd runs, its error only printed, and the
  // program ends whatever it said. Does nothing where there are no signals.
  void EndOnSignals();
  bool Terminated() const { return terminated_; }
  // Lets a test that ended the program start another run in the same process.
  void ClearTerminated() {
    terminated_ = false;
    endRefused_ = false;
  }
  // Full screen or a window; the stage and the message boxes follow it.
  bool Windowed = false;

 private:
  bool Deliver(QObject* receiver, QEvent* event);
  bool terminated_ = false;
  bool endRefused_ = false;
};

TApplication* Application();

// Shows an exception's message in the error box (and on standard error).
void ShowException(const std::exception& e);
// Runs `handler`, showing whatever it throws; returns false when it threw.
bool Guarded(const std::function<void()>& handler);
