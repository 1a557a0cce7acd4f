// tarvolin-content: inspects game files and installations, and builds the demo.
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <new>

#include "lib/Check.h"
#include "lib/Demo.h"
#include "lib/Dump.h"
#include "lib/Progress.h"
#include "platform/Errors.h"

namespace {
// Qt's note that it invents a runtime directory says nothing about our files.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
  if (type != QtDebugMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

int Usage() {
  std::fprintf(stderr,
               "Usage:\n"
               "  tarvolin-content dump FILE [--as FORMAT]   print what the game reads from FILE as JSON\n"
               "  tarvolin-content check PROGRAM_DIR [DATA_ROOT]\n"
               "                                            walk an installation as the game does\n"
               "  tarvolin-content build-demo OUT_DIR [--sources DIR]\n"
               "                                            write the demo installation (OUT_DIR/program, OUT_DIR/cd)\n"
               "  tarvolin-content progress PROGRAM_DIR [--html FILE]\n"
               "                                            what each child has done; --html also writes a page\n");
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  // Pictures are drawn with fonts, which need a GUI application, never a window.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietMessages);
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) return Usage();
  const QString command = args[0];
  try {
    if (command == QLatin1String("dump")) return RunDump(args.mid(1));
    if (command == QLatin1String("check")) return RunCheck(args.mid(1));
    if (command == QLatin1String("build-demo")) return RunBuildDemo(args.mid(1));
    if (command == QLatin1String("progress")) return RunProgress(args.mid(1));
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", qPrintable(e.Message));
    return 1;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "tarvolin-content: out of memory\n");
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarvolin-content: %s\n", e.what());
    return 1;
  }
  return Usage();
}
