// The floor the game's start-up is measured against (scripts/perf.sh): the
// least a Qt program does to show the sign-in picture. It opens one black
// full-screen window, paints the sign-in screen's picture (as the installation
// spells it; no search without regard to case) centred at the given whole scale, and writes the
// game's "paint" mark to TARVOLIN_TRACE once that paint is on the display.
//
//   bare_window PROGRAM_DIR SCALE
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "players/FrmLoginFiles.h"

namespace {

FILE* g_trace = nullptr;
bool g_painted = false, g_marked = false;

void Mark() {
  const long long t = std::chrono::duration_cast<std::chrono::nanoseconds>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count();
  const long long cpu = static_cast<long long>(std::clock()) * (1000000000LL / CLOCKS_PER_SEC);
  std::fprintf(g_trace, "%lld paint TBareWindow %lld\n", t, cpu);
  std::fflush(g_trace);
}

// The mark follows the event that painted, as the game's does: drawn and flushed.
class TBareApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    const bool result = QApplication::notify(receiver, event);
    if (g_painted && !g_marked && g_trace) {
      g_marked = true;
      Mark();
    }
    return result;
  }
};

class TPictureWindow : public QWidget {
 public:
  explicit TPictureWindow(const QImage& picture) : picture_(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.drawImage((width() - picture_.width()) / 2, (height() - picture_.height()) / 2, picture_);
    g_painted = true;
  }

 private:
  QImage picture_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bare_window PROGRAM_DIR SCALE\n");
    return 2;
  }
  // The game's own scaling: a whole factor, the desktop's left out.
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  qputenv("QT_SCALE_FACTOR", argv[2]);
  if (const char* path = std::getenv("TARVOLIN_TRACE"); path && *path)
    g_trace = std::fopen(path, "a");
  TBareApplication app(argc, argv);
  QString picture = LoginFiles::Background.In(QString::fromLocal8Bit(argv[1]), {});
  picture.replace(u'\\', u'/');
  TPictureWindow window{QImage(picture)};
  window.showFullScreen();
  return app.exec();
}
