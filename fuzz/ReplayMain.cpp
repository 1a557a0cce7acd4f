// Replays fuzz inputs without libFuzzer (gcc builds): every file named on the
// command line, or every file in a directory named there, is fed to the target once.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {
int Replay(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
    return 1;
  }
  const QByteArray bytes = f.readAll();
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                         static_cast<size_t>(bytes.size()));
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  int failures = 0, count = 0;
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (QFileInfo(arg).isDir()) {
      for (const QFileInfo& fi : QDir(arg).entryInfoList(QDir::Files, QDir::Name)) {
        failures += Replay(fi.filePath());
        ++count;
      }
    } else {
      failures += Replay(arg);
      ++count;
    }
  }
  std::printf("replayed %d inputs\n", count);
  return failures == 0 ? 0 : 1;
}
