#include "lib/DemoPlaces.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include "lib/Demo.h"
#include "lib/Installation.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "world/FrmMainFiles.h"

namespace {

// The location screen's frame: dark wood with the picture's window and a
// column for the buttons on the right.
QImage Frame() {
  QImage img(640, 480, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 640, 480);
  g.setColorAt(0, QColor(120, 80, 45));
  g.setColorAt(1, QColor(80, 50, 28));
  p.fillRect(img.rect(), g);
  p.setPen(QPen(QColor(60, 35, 20, 90), 1));
  for (int y = 3; y < 480; y += 7) p.drawLine(0, y, 640, y + (y % 3));
  p.setPen(QPen(QColor(230, 190, 110), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(4, 33, 578, 441), 4, 4);
  // A red and a green gem beside the counters.
  const auto gem = [&](double x, QColor c) {
    p.setPen(QPen(c.darker(160), 1));
    p.setBrush(c);
    p.drawPolygon(QPolygonF{QPointF(x, 12), QPointF(x + 12, 12), QPointF(x + 16, 17), QPointF(x + 6, 28),
                            QPointF(x - 4, 17)});
  };
  gem(464, QColor(220, 40, 50));
  gem(520, QColor(40, 200, 80));
  // Little stars along the top.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 220, 120));
  for (int k = 0; k < 12; ++k) p.drawEllipse(QPointF(20 + k * 34, 18 + (k % 2) * 4), 2.5, 2.5);
  return img;
}

void RenderDemoPlaces(const TInstallation& inst) {
  WriteBmp(inst.PathOf(MainFiles::Frame), Frame());
  CompileDemoPlaces(inst, DefaultDemoSources());
}

struct CachedFile {
  QString Path;  // relative to the installation's root
  QByteArray Bytes;
};

// Drawing and synthesising takes a while; the tests build an installation
// per test, so the files are made once per process and copied after that.
std::vector<CachedFile> RenderOnce() {
  QTemporaryDir dir;
  if (!dir.isValid()) throw EInOutError(QStringLiteral("Nie można utworzyć katalogu tymczasowego"));
  RenderDemoPlaces(TInstallation{dir.path()});
  std::vector<CachedFile> files;
  QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    // Our own files of every kind: the largest kind's cap.
    files.push_back(
        {QDir(dir.path()).relativeFilePath(path), ReadWholeFile(path, TFileKind::Video)});
  }
  return files;
}
}  // namespace

void WriteDemoPlaces(const TInstallation& inst) {
  static const std::vector<CachedFile> files = RenderOnce();
  // A fresh installation has nothing to lose, so the copies skip the
  // flush-and-rename of WriteFileAtomic (a test builds one per test).
  for (const CachedFile& f : files) {
    const QString path = inst.Root + QLatin1Char('/') + f.Path;
    QDir().mkpath(QFileInfo(path).path());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(f.Bytes) != f.Bytes.size())
      throw EInOutError(QStringLiteral("Nie można zapisać pliku %1").arg(path));
    out.close();
    NotePathWritten(path);
  }
}
