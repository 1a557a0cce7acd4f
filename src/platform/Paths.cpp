#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <memory>

#include "platform/Errors.h"
#include "platform/Strings.h"

namespace {

struct Listing {
  QHash<QString, QString> exact;  // name -> name
  QHash<QString, QString> folded;  // case-folded name -> first name in sorted order
};

QHash<QString, std::shared_ptr<Listing>>& Cache() {
  static QHash<QString, std::shared_ptr<Listing>> cache;
  return cache;
}

// Whole paths already resolved; any write forgets them all (writes are rare).
QHash<QString, QString>& Resolved() {
  static QHash<QString, QString> resolved;
  return resolved;
}

std::shared_ptr<Listing> ListingOf(const QString& dir) {
  auto& cache = Cache();
  if (auto it = cache.find(dir); it != cache.end()) return *it;
  auto listing = std::make_shared<Listing>();
  QDir d(dir.isEmpty() ? QStringLiteral(".") : dir);
  const QStringList names =
      d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDir::Name);
  for (const QString& n : names) {
    listing->exact.insert(n, n);
    const QString key = n.toCaseFolded();
    if (!listing->folded.contains(key)) listing->folded.insert(key, n);
  }
  cache.insert(dir, listing);
  return listing;
}

}  // namespace

QString ShownPath(const QString& path) {
  return QDir::toNativeSeparators(NormalizeSeparators(path));
}

QString NormalizeSeparators(const QString& path) {
  QString p = path;
  p.replace(u'\\', u'/');
  QString out;
  out.reserve(p.size());
  for (QChar c : p)
    if (!(c == u'/' && out.endsWith(u'/'))) out += c;
  return out;
}

QString ResolvePath(const QString& path) {
  auto& resolved = Resolved();
  if (auto it = resolved.constFind(path); it != resolved.constEnd()) return *it;
  const QString p = NormalizeSeparators(path);
  if (p.isEmpty()) return p;
  const bool absolute = p.startsWith(u'/');
  const QStringList parts = p.split(u'/', Qt::SkipEmptyParts);
  QString current = absolute ? QStringLiteral("/") : QString();
  bool missing = false;
  const auto join = [](const QString& dir, const QString& name) -> QString {
    if (dir.isEmpty()) return name;
    return dir.endsWith(u'/') ? dir + name : dir + u'/' + name;
  };
  for (const QString& part : parts) {
    QString name = part;
    // A component spelled as it is on disk costs one look-up; only the others
    // need the directory's listing (a listing of /usr/share is thousands of names).
    if (!missing && part != u'.' && part != QStringLiteral("..") &&
        !QFileInfo::exists(join(current, part))) {
      auto listing = ListingOf(current);
      if (!listing->exact.contains(part)) {
        auto it = listing->folded.find(part.toCaseFolded());
        if (it != listing->folded.end())
          name = *it;
        else
          missing = true;  // nothing below a missing component can exist
      }
    }
    current = join(current, name);
  }
  if (p.endsWith(u'/') && !current.endsWith(u'/')) current += u'/';
  // Relative paths depend on the working directory, so only absolute ones are kept.
  if (absolute) resolved.insert(path, current);
  return current;
}

QString ClimbingNameProblem(const QString& name, const QString& file) {
  for (const QStringView part : QStringView(name).split(u'/'))
    for (const QStringView piece : part.split(u'\\'))
      if (piece == u"..")
        return MayQuote(file)
                   ? QStringLiteral(
                         "nazwa \u201E%1\u201D wychodzi poza folder gry (\u201E..\u201D)")
                         .arg(Excerpt(name))
                   : QStringLiteral("nazwa pliku wychodzi poza folder gry (\u201E..\u201D)");
  return {};
}

bool FileExists(const QString& path) {
  if (path.isEmpty()) return false;
  QFileInfo fi(ResolvePath(path));
  return fi.exists() && !fi.isDir();
}

bool DirectoryExists(const QString& path) {
  if (path.isEmpty()) return false;
  return QFileInfo(ResolvePath(path)).isDir();
}

void NotePathWritten(const QString& path) {
  const QString real = NormalizeSeparators(path);
  QFileInfo fi(real);
  Resolved().clear();
  auto& cache = Cache();
  cache.remove(real);
  QString dir = fi.path();
  cache.remove(dir);
  if (!dir.endsWith(u'/')) cache.remove(dir + u'/');
  if (dir == QStringLiteral(".")) cache.remove(QString());
}

void ClearPathCache() {
  Cache().clear();
  Resolved().clear();
}
