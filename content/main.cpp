// tarvolin-content: inspects game files and installations, and builds the demo.
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <new>

#include "lib/Check.h"
#include "lib/Demo.h"
#include "lib/Dump.h"
#include "lib/LessonInstall.h"
#include "lib/Progress.h"
#include "platform/Errors.h"

namespace {
// Qt's note that it invents a runtime directory says nothing about our files.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
  if (type != QtDebugMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

const char kUsage[] =
    "Usage:\n"
    "  tarvolin-content dump FILE [--as FORMAT]\n"
    "      print what the game reads from FILE as JSON (dump --as x lists the formats)\n"
    "  tarvolin-content check PROGRAM_DIR [DATA_ROOT]\n"
    "      walk an installation as the game does\n"
    "  tarvolin-content build-demo OUT_DIR [--sources DIR] [--no-speech]\n"
    "      write the demo installation (OUT_DIR/program and OUT_DIR/cd), replacing OUT_DIR\n"
    "  tarvolin-content build LESSONS_DIR --into PROGRAM_DIR [DATA_ROOT] [--remove] [--no-speech]\n"
    "      add a teacher's lesson (words.txt and photos) to an installation, build it again,\n"
    "      or take it out (--remove); DATA_ROOT defaults to the one tarvo.ini names\n"
    "  tarvolin-content progress [PROGRAM_DIR] [--html FILE] [--csv FILE] [--sort ORDER]\n"
    "      what each child has done; without PROGRAM_DIR, the installation the game starts on\n"
    "  tarvolin-content --help | --version\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

bool AsksForHelp(const QString& arg) {
  return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}
}  // namespace

int main(int argc, char** argv) {
  // Pictures are drawn with fonts, which need a GUI application, never a window.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietMessages);
  QGuiApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tarvolin-content"));
  const QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) return Usage();
  if (std::any_of(args.begin(), args.end(), AsksForHelp)) {
    std::fputs(kUsage, stdout);
    if (args[0] == QLatin1String("progress")) std::fputs(qPrintable(ProgressUsage()), stdout);
    return 0;
  }
  if (args[0] == QLatin1String("--version")) {
    std::printf("tarvolin-content %s\n", TARVOLIN_VERSION);
    return 0;
  }
  const QString command = args[0];
  try {
    if (command == QLatin1String("dump")) return RunDump(args.mid(1));
    if (command == QLatin1String("check")) return RunCheck(args.mid(1));
    if (command == QLatin1String("build-demo")) return RunBuildDemo(args.mid(1));
    if (command == QLatin1String("build")) return RunBuildLesson(args.mid(1));
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
  std::fprintf(stderr, "tarvolin-content: unknown command '%s'\n", qPrintable(command));
  return Usage();
}
