// tarvolin-content: builds and inspects game installations.
#include <QCoreApplication>
#include <cstdio>

#include "lib/Installation.h"
#include "platform/Errors.h"

namespace {
int Usage() {
  std::fprintf(stderr, "Usage: tarvolin-content build-demo OUT_DIR\n");
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) return Usage();
  try {
    if (args[0] == QLatin1String("build-demo") && args.size() == 2) {
      const TInstallation inst = WriteBaseInstallation(args[1]);
      std::printf("%s\n", qPrintable(inst.ProgramDir()));
      return 0;
    }
  } catch (const Exception& e) {
    std::fprintf(stderr, "tarvolin-content: %s\n", qPrintable(e.Message));
    return 1;
  }
  return Usage();
}
