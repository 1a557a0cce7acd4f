#include "app/DataRootSearch.h"

#include <QDir>

#include "platform/Paths.h"

QStringList VolumeRoots = DefaultVolumeRoots();

QStringList DefaultVolumeRoots() {
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
  QStringList roots;
  if (!user.isEmpty()) roots << QStringLiteral("/media/") + user << QStringLiteral("/run/media/") + user;
  roots << QStringLiteral("/media") << QStringLiteral("/mnt");
  return roots;
}

namespace {

bool IsDriveSpec(const QString& path) {
  return path.size() >= 2 && path[1] == u':' && path[0].isLetter();
}

// The part of the configured path to look for on a volume: everything after
// a drive letter, or the last folder of a path of this system.
QString PartOnVolume(const QString& configured) {
  QString path = configured;
  path.replace(u'\\', u'/');
  if (IsDriveSpec(path)) return path.mid(2).section(u'/', 0, -1, QString::SectionSkipEmpty);
  return path.section(u'/', -1, -1, QString::SectionSkipEmpty);
}

}  // namespace

QString AnchoredDataRoot(const QString& configured, const QString& programDir) {
  if (configured.isEmpty() || IsDriveSpec(configured) || configured.startsWith(u'\\')) return configured;
  QString path = configured;
  path.replace(u'\\', u'/');
  if (!QDir::isRelativePath(path)) return configured;
  return QDir::cleanPath(programDir + u'/' + path);
}

bool LooksLikeDataRoot(const QString& dir) {
  return !dir.isEmpty() && DirectoryExists(dir) && DirectoryExists(dir + QStringLiteral("\\lokacje"));
}

bool NeedsDataRootSearch(const QString& configured) {
  return IsDriveSpec(configured) || !DirectoryExists(configured);
}

TDataRootSearch SearchDataRoot(const QString& configured, const QString& given, const QStringList& roots) {
  TDataRootSearch result;
  const QString part = PartOnVolume(configured);
  auto tryVolume = [&](const QString& volume) {
    QStringList candidates;
    if (!part.isEmpty()) candidates << volume + u'/' + part;
    candidates << volume;
    for (const QString& c : candidates) {
      result.Looked << c;
      if (LooksLikeDataRoot(c)) {
        result.Found = ResolvePath(c);
        return true;
      }
    }
    return false;
  };
  if (!given.isEmpty() && tryVolume(QDir::cleanPath(given))) return result;
  for (const QString& root : roots) {
    const QDir dir(root);
    // Volumes in name order, so the choice does not depend on mount order.
    const QStringList volumes = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    // A folder with nothing mounted in it was looked at too.
    if (volumes.isEmpty()) result.Looked << root;
    for (const QString& name : volumes)
      if (tryVolume(dir.filePath(name))) return result;
  }
  return result;
}
