#include "app/UserSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

#include "app/StartOptions.h"

QString UserSettingsPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/tarvolin/tarvolin.conf");
}

TUserSettings LoadUserSettings(const QString& path) {
  const QSettings file(path, QSettings::IniFormat);
  TUserSettings s;
  const QString window = file.value(QStringLiteral("display/window")).toString();
  if (window == QLatin1String("true")) s.Window = 1;
  if (window == QLatin1String("false")) s.Window = 0;
  bool ok = false;
  const int scale = file.value(QStringLiteral("display/scale")).toString().toInt(&ok);
  if (ok && scale >= 1 && scale <= MaxScale) s.Scale = scale;
  s.Installation = file.value(QStringLiteral("installation/folder")).toString();
  const QString demo = file.value(QStringLiteral("installation/demo")).toString();
  if (demo == QLatin1String("true")) s.Demo = 1;
  if (demo == QLatin1String("false")) s.Demo = 0;
  return s;
}

void SaveUserSettings(const QString& path, const TUserSettings& settings) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSettings file(path, QSettings::IniFormat);
  if (settings.Window >= 0) file.setValue(QStringLiteral("display/window"), settings.Window == 1);
  if (settings.Scale > 0) file.setValue(QStringLiteral("display/scale"), settings.Scale);
  if (settings.Installation.isEmpty())
    file.remove(QStringLiteral("installation/folder"));
  else
    file.setValue(QStringLiteral("installation/folder"), settings.Installation);
  if (settings.Demo >= 0) file.setValue(QStringLiteral("installation/demo"), settings.Demo == 1);
  file.sync();
}

TDisplayChoice ChooseDisplay(const TStartOptions& options, const TUserSettings& saved) {
  TDisplayChoice c;
  c.Window = options.Window || (!options.FullScreen && saved.Window == 1);
  c.Scale = options.Scale > 0 ? options.Scale : saved.Scale;
  c.Remembered = options.Scale <= 0 && saved.Scale > 0;
  return c;
}

int ScaleToUse(const TDisplayChoice& choice, QSize area) {
  if (choice.Scale > 0 && !choice.Remembered) return choice.Scale;
  if (area.width() <= 0 || area.height() <= 0) return std::max(1, choice.Scale);
  const int fits = std::max(1, std::min(area.width() / 640, area.height() / 480));
  return choice.Scale > 0 ? std::min(choice.Scale, fits) : fits;
}
