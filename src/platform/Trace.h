// Timing marks for scripts/perf.sh. With TARVOLIN_TRACE=<file> set, the game
// appends one line per mark: monotonic nanoseconds, what happened, which
// screen, and the CPU nanoseconds the process has used so far
// ("123456789 paint TLoginForm 45678901"). Unset, every mark is one test of
// a flag.
//   input  a mouse button or key went down (as the window received it)
//   show   a hidden screen was shown
//   paint  the first paint of a screen after its show, written once the
//          event that painted it has been handled (drawn and flushed)
//   sound  the sound device plays ("sound playing -") or rests ("sound resting -"),
//          also when a sound starts while the device is still to open
//   open, opened  a media player begins and ends opening a file (its name
//          alone, blanks as "_"): the GUI thread's time to make it ready to play
#pragma once

class QObject;
class QString;
class QEvent;
class QWidget;

namespace Trace {
// Whether marks are written (fixed at the first call).
bool On();
void Shown(const QWidget* screen);
void Painted(const QWidget* screen);
void Sound(bool playing);
void Opening(const QString& file, bool done);
// Around every event the application delivers: notes input before it, and
// writes the paints that the event produced after it.
void BeforeEvent(const QObject* receiver, const QEvent* event);
void AfterEvent();
}  // namespace Trace
