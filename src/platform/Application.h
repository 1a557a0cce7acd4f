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
  bool Terminated() const { return terminated_; }
  // Lets a test that ended the program start another run in the same process.
  void ClearTerminated() { terminated_ = false; }
  // Full screen or a window; the stage and the message boxes follow it.
  bool Windowed = false;

 private:
  bool terminated_ = false;
};

TApplication* Application();

// Shows an exception's message in the error box (and on standard error).
void ShowException(const std::exception& e);
// Runs `handler`, showing whatever it throws; returns false when it threw.
bool Guarded(const std::function<void()>& handler);
