#include "platform/Trace.h"

#include <QEvent>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#ifdef __GNUG__
#include <cxxabi.h>
#endif

namespace {

FILE* OpenTrace() {
  const char* path = std::getenv("TARVOLIN_TRACE");
  return path && *path ? std::fopen(path, "a") : nullptr;
}

FILE* const g_out = OpenTrace();
int g_depth = 0;                      // events being delivered, nested
std::set<const QWidget*> g_awaiting;  // shown, not painted since
struct PendingPaint {
  std::string screen;
  int depth;
};
std::vector<PendingPaint> g_painted;  // painted inside an event still running
// Depths of the events that paint a window and flush it (an update request,
// synchronous for repaint(), or an expose): a screen counts as painted when
// the innermost of them is done, its controls drawn over it and all on display.
std::vector<int> g_flushes;

// The steady clock is CLOCK_MONOTONIC on Linux, the clock the script reads.
long long Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

long long CpuNow() { return static_cast<long long>(std::clock()) * (1000000000LL / CLOCKS_PER_SEC); }

std::string ClassName(const QWidget* w) {
  const char* raw = typeid(*w).name();
#ifdef __GNUG__
  int status = 0;
  char* plain = abi::__cxa_demangle(raw, nullptr, nullptr, &status);
  if (plain) {
    std::string name(plain);
    std::free(plain);
    return name;
  }
#endif
  return raw;
}

void Write(long long t, const char* what, const std::string& name) {
  std::fprintf(g_out, "%lld %s %s %lld\n", t, what, name.c_str(), CpuNow());
  std::fflush(g_out);
}

}  // namespace

bool Trace::On() {
  return g_out != nullptr;
}

void Trace::Shown(const QWidget* screen) {
  if (!g_out) return;
  Write(Now(), "show", ClassName(screen));
  g_awaiting.insert(screen);
}

void Trace::Sound(bool playing) {
  if (g_out) Write(Now(), "sound", playing ? "playing" : "resting");
}

void Trace::Opening(const QString& file, bool done) {
  if (!g_out) return;
  QString name = file.mid(std::max(file.lastIndexOf(u'/'), file.lastIndexOf(u'\\')) + 1);
  name.replace(u' ', u'_');
  Write(Now(), done ? "opened" : "open", name.toStdString());
}

void Trace::Painted(const QWidget* screen) {
  if (!g_out || !g_awaiting.erase(screen)) return;
  g_painted.push_back({ClassName(screen), g_flushes.empty() ? g_depth : g_flushes.back()});
}

void Trace::BeforeEvent(const QObject* receiver, const QEvent* event) {
  ++g_depth;
  if (event->type() == QEvent::UpdateRequest || event->type() == QEvent::Expose)
    g_flushes.push_back(g_depth);
  if (!event->spontaneous() || !receiver->isWindowType()) return;
  if (event->type() == QEvent::MouseButtonPress) Write(Now(), "input", "mouse");
  if (event->type() == QEvent::KeyPress) Write(Now(), "input", "key");
}

void Trace::AfterEvent() {
  if (!g_flushes.empty() && g_flushes.back() == g_depth) g_flushes.pop_back();
  --g_depth;
  if (g_painted.empty()) return;
  const long long t = Now();
  std::erase_if(g_painted, [t](const PendingPaint& p) {
    if (p.depth <= g_depth) return false;
    Write(t, "paint", p.screen);
    return true;
  });
}
