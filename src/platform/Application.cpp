#include "platform/Application.h"

#include <QEvent>
#include <cstdio>

#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Fonts.h"

namespace {
TApplication* g_app = nullptr;
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  g_app = this;
  setApplicationName(QStringLiteral("tarvolin"));
  setApplicationDisplayName(QStringLiteral("Tarvolin"));
  setApplicationVersion(QStringLiteral(TARVOLIN_VERSION));
  RegisterFontSubstitutions();
}

TApplication::~TApplication() { g_app = nullptr; }

TApplication* Application() { return g_app; }

void TApplication::Terminate() {
  terminated_ = true;
  QCoreApplication::exit(0);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
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
