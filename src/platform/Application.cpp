#include "platform/Application.h"

#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>
#endif

#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Fonts.h"
#include "platform/Trace.h"

namespace {
TApplication* g_app = nullptr;

// The desktop entry's name without ".desktop".
const QString kDesktopId = QStringLiteral("org.tarvolin.Tarvolin");

// The icon installed with the game, found from the executable (PREFIX/bin),
// so the window has it whatever the desktop's icon theme.
QIcon InstalledIcon() {
  QIcon icon;
  const QString icons =
      QCoreApplication::applicationDirPath() + QStringLiteral("/../share/icons/hicolor/");
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QString file = icons + QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(kDesktopId);
    if (QFileInfo::exists(file)) icon.addFile(file, QSize(size, size));
  }
  return icon;
}
}  // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  g_app = this;
  // The desktop knows the window by this name (the class of WM_CLASS on X11,
  // the application id on Wayland): the desktop entry's own. What the game
  // writes lives under names of its own (UserDataDir), not under this one.
  setApplicationName(kDesktopId);
  setDesktopFileName(kDesktopId);
  setApplicationDisplayName(QStringLiteral("Tarvolin"));
  if (const QIcon icon = InstalledIcon(); !icon.isNull()) setWindowIcon(icon);
  setApplicationVersion(QStringLiteral(TARVOLIN_VERSION));
  RegisterFontSubstitutions();
}

TApplication::~TApplication() { g_app = nullptr; }

TApplication* Application() { return g_app; }

void TApplication::Terminate() {
  terminated_ = true;
  QCoreApplication::exit(0);
}

void TApplication::End() {
  try {
    if (BeforeEnd) BeforeEnd();
  } catch (const std::exception& e) {
    const auto* ex = dynamic_cast<const Exception*>(&e);
    const QString message = ex ? ex->Message : QString::fromUtf8(e.what());
    if (!endRefused_) {
      endRefused_ = true;
      throw EInOutError(message +
                        QStringLiteral("\n\nGra nie została zamknięta, żeby nic nie przepadło. "
                                       "Zamknij ją jeszcze raz, aby zakończyć bez zapisywania."));
    }
    ShowErrorBox(message + QStringLiteral("\n\nGra kończy się bez zapisania postępów."));
  }
  Terminate();
}

#ifdef Q_OS_UNIX
namespace {
// A signal handler may only write(): the byte wakes the event loop, which ends the program.
int g_signalPipe[2] = {-1, -1};
void OnEndingSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[0], &byte, 1);
}
}  // namespace

void TApplication::EndOnSignals() {
  if (g_signalPipe[0] < 0 &&
      ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
    return;
  auto* notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this] {
    char byte;
    [[maybe_unused]] const ssize_t read = ::read(g_signalPipe[1], &byte, 1);
    try {
      if (BeforeEnd) BeforeEnd();
    } catch (const std::exception& e) {
      // Nobody may be there to answer a box while the session ends.
      std::fprintf(stderr, "tarvolin: %s\n", e.what());
    }
    Terminate();
  });
  struct sigaction action = {};
  action.sa_handler = OnEndingSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
}
#else
void TApplication::EndOnSignals() {}
#endif

bool TApplication::notify(QObject* receiver, QEvent* event) {
  if (!Trace::On()) return Deliver(receiver, event);
  Trace::BeforeEvent(receiver, event);
  const bool result = Deliver(receiver, event);
  Trace::AfterEvent();
  return result;
}

bool TApplication::Deliver(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowException(e);
  } catch (...) {
    ShowErrorBox(QStringLiteral("Nieznany błąd"));
  }
  return true;
}

void ShowException(const std::exception& e) {
  if (auto* ex = dynamic_cast<const Exception*>(&e))
    ShowErrorBox(ex->Message);
  else
    ShowErrorBox(QString::fromUtf8(e.what()));
}

bool Guarded(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const std::exception& e) {
    ShowException(e);
  } catch (...) {
    ShowErrorBox(QStringLiteral("Nieznany błąd"));
  }
  return false;
}
