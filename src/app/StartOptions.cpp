#include "app/StartOptions.h"

TStartOptions StartOptions;

QString UsageText() {
  return QStringLiteral(
      "Usage: tarvolin [options]\n"
      "  --program-dir DIR  read the installed files from DIR instead of the program's directory\n"
      "  --data-root DIR    read pictures, sounds and videos from DIR instead of line 2 of "
      "tarvo.ini\n"
      "  --window           play in a window instead of full screen\n"
      "  --full-screen      play on the full screen (the default; F11 switches while playing)\n"
      "  --scale N          draw every pixel N times larger (default: the largest that fits)\n"
      "  --choose-installation  pick an original installation folder (asked at the first start)\n"
      "  --demo             play the demo installed with the game instead of the picked "
      "installation\n"
      "A window or the full screen, the scale and the installation chosen here, with F11 or\n"
      "at the first start are remembered for the next start.\n"
      "  --help             show this text\n"
      "  --version          show the version\n");
}

bool ParseCommandLine(const QStringList& args, TStartOptions& out, QString& error) {
  out = TStartOptions{};
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    auto value = [&](QString& into) {
      if (i + 1 >= args.size()) {
        error = QStringLiteral("Option %1 needs a value").arg(a);
        return false;
      }
      into = args[++i];
      return true;
    };
    if (a == QLatin1String("--program-dir")) {
      if (!value(out.ProgramDir)) return false;
    } else if (a == QLatin1String("--data-root")) {
      if (!value(out.DataRoot)) return false;
    } else if (a == QLatin1String("--window")) {
      out.Window = true;
    } else if (a == QLatin1String("--full-screen")) {
      out.FullScreen = true;
    } else if (a == QLatin1String("--scale")) {
      QString n;
      if (!value(n)) return false;
      bool ok = false;
      out.Scale = n.toInt(&ok);
      if (!ok || out.Scale < 1 || out.Scale > MaxScale) {
        error = QStringLiteral("--scale needs a whole number from 1 to 16, not '%1'").arg(n);
        return false;
      }
    } else if (a == QLatin1String("--demo")) {
      out.Demo = true;
    } else if (a == QLatin1String("--choose-installation")) {
      out.ChooseInstallation = true;
    } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      out.Help = true;
    } else if (a == QLatin1String("--version")) {
      out.Version = true;
    } else {
      error = QStringLiteral("Unknown option '%1'").arg(a);
      return false;
    }
  }
  if (out.Window && out.FullScreen) {
    error = QStringLiteral("--window and --full-screen exclude each other");
    return false;
  }
  const int installations =
      int(!out.ProgramDir.isEmpty()) + int(out.Demo) + int(out.ChooseInstallation);
  if (installations > 1) {
    error = QStringLiteral("--program-dir, --demo and --choose-installation exclude each other");
    return false;
  }
  return true;
}
