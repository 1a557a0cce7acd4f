#include "platform/FFmpegModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>
#include <mutex>
#include <thread>

#include "platform/Errors.h"

namespace {
const char kModuleFile[] = "tarvolin-ffmpeg.so";

// Next to the program (the build tree), then where the installation puts
// it relative to the program, so an unpacked or staged tree works too.
QStringList Candidates() {
  QString dir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
  if (dir.isEmpty() && QCoreApplication::instance()) dir = QCoreApplication::applicationDirPath();
  const QString name = QString::fromLatin1(kModuleFile);
  return {QDir(dir).filePath(name),
          QDir::cleanPath(QDir(dir).filePath(QStringLiteral(TARVOLIN_MODULE_SUBDIR "/") + name))};
}

struct TLoaded {
  const TFFmpegApi* api = nullptr;
  QString error;
  QLibrary* library = nullptr;  // stays loaded for good
};

TLoaded Load() {
  QStringList tried;
  for (const QString& path : Candidates()) {
    if (!QFileInfo(path).isFile()) {
      tried << path;
      continue;
    }
    auto* lib = new QLibrary(path);
    using Entry = const TFFmpegApi* (*)();
    const auto entry = reinterpret_cast<Entry>(lib->resolve(TARVOLIN_FFMPEG_ENTRY));
    if (!entry)
      return {
          nullptr,
          QStringLiteral("nie można wczytać modułu FFmpeg %1: %2").arg(path, lib->errorString()),
          lib};
    const TFFmpegApi* api = entry();
    if (!api || api->Abi != TFFmpegApi::kAbi)
      return {nullptr, QStringLiteral("moduł FFmpeg %1 pochodzi z innej wersji programu").arg(path),
              lib};
    return {api, {}, lib};
  }
  return {nullptr,
          QStringLiteral("brak modułu FFmpeg (szukano: %1)").arg(tried.join(QStringLiteral(", ")))};
}
}  // namespace

const TFFmpegApi* FFmpegModule(QString& error) {
  static std::once_flag once;
  static TLoaded* loaded = nullptr;
  std::call_once(once, [] { loaded = new TLoaded(Load()); });
  if (!loaded->api) error = loaded->error;
  return loaded->api;
}

void LoadFFmpegAhead(const QStringList& paths, TFileKind kind,
                     bool (*readsWithout)(const QString& realPath)) {
  QStringList real;  // the path resolver belongs to this thread
  for (const QString& path : paths) {
    try {
      real << CheckedFilePath(path, kind);
    } catch (const EInOutError&) {
    }
  }
  if (real.isEmpty()) return;
  std::thread([real, readsWithout] {
    for (const QString& r : real) {
      if (readsWithout(r)) continue;
      QString error;
      FFmpegModule(error);  // a module that cannot load is reported when the file opens
      return;
    }
  }).detach();
}
