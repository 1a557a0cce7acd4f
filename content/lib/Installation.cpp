#include "lib/Installation.h"

#include <QDir>

#include "lib/DemoPlaces.h"
#include "lib/PlayerWriters.h"
#include "lib/Writers.h"

TInstallation WriteBaseInstallation(const QString& root) {
  TInstallation inst{QDir(root).absolutePath()};
  const QString p = inst.ProgramDir(), cd = inst.DataRoot();
  WriteTextLines(p + "/tarvo.ini", {QStringLiteral("[Tarvolin]"), QStringLiteral("cd=") + cd});
  // Exercise background: a pale paper tone with a darker border.
  QImage background(640, 480, QImage::Format_RGB32);
  background.fill(QColor(250, 240, 210));
  for (int x = 0; x < 640; ++x)
    for (int y : {0, 1, 478, 479}) background.setPixel(x, y, qRgb(120, 90, 40));
  WriteBmp(p + "/gfx/Tlo_cwic.bmp", background);
  WriteSolidBmp(p + "/gfx/tlo_main.bmp", 640, 480, QColor(60, 40, 20));
  WriteSignInBackgrounds(p);
  for (const char* dir : {"/lokacje", "/music", "/words", "/gfx"}) QDir().mkpath(cd + dir);
  QDir().mkpath(p + "/lokacje");
  QDir().mkpath(p + "/cwicz");
  QDir().mkpath(p + "/buttons");
  WriteDemoPlaces(inst);
  return inst;
}
