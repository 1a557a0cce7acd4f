// Painting the game's controls: the transparent bitmap (with the original
// pixel-by-pixel routine for comparison), a sprite step with its repaint, and
// a picture button.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "BenchMain.h"
#include "controls/Animate.h"
#include "controls/BmpTransparent.h"
#include "controls/TransparentButton.h"
#include "lib/Writers.h"
#include "platform/Application.h"

namespace {

// Stripes with a key colour in every third column, like a cut-out figure.
QImage Figure(int w, int h, QRgb key) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, x % 3 == 0 ? key : qRgb(x * 3, y * 3, 100));
  img.setPixel(0, 0, key);
  return img;
}

void BM_BmpTransparentPaint(benchmark::State& state) {
  TPanel parent(nullptr);
  auto* heli = new TBmpTransparent(&parent);
  heli->SetBounds(0, 0, 73, 65);
  heli->SetAuto(true);
  heli->SetPicture(Figure(73, 65, qRgb(128, 128, 0)));
  QImage target(73, 65, QImage::Format_RGB32);
  for (auto _ : state) {
    heli->render(&target);
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_BmpTransparentPaint);

// The original routine: snapshot, single-pixel reads and writes, copy back.
void BM_PixelByPixelReference(benchmark::State& state) {
  const QImage src = Figure(73, 65, qRgb(128, 128, 0));
  QImage target(73, 65, QImage::Format_RGB32);
  target.fill(Qt::green);
  for (auto _ : state) {
    QImage work = target.copy();
    const QRgb key = src.pixel(0, 0);
    for (int c = 0; c < src.width(); ++c)
      for (int r = 0; r < src.height(); ++r)
        if (src.pixel(c, r) != key) work.setPixel(c, r, src.pixel(c, r));
    QPainter p(&target);
    p.drawImage(0, 0, work);
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_PixelByPixelReference);

void BM_SpriteStepAndPaint(benchmark::State& state) {
  TPanel parent(nullptr);
  auto* ani = new TAnimated(&parent);
  ani->SetWidth(100);
  ani->SetBitMap(Figure(700, 120, qRgb(255, 255, 255)));
  ani->SetFrameCount(7);
  ani->SetTransparentColor(clWhite);
  ani->SetInterval(1000);
  ani->SetPlay(true);
  QImage target(100, 120, QImage::Format_RGB32);
  for (auto _ : state) {
    ani->Step();
    ani->render(&target);
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_SpriteStepAndPaint);

void BM_ButtonPaint(benchmark::State& state) {
  QTemporaryDir dir;
  WriteBmp(dir.path() + "/b.bmp", Figure(74, 50, qRgb(255, 0, 255)));
  TMyImageList list;
  list.Add(dir.path() + "/b.bmp", 2, 0, 0);
  TPanel parent(nullptr);
  auto* button = new TTransparentButton(&parent);
  button->SetImageList(&list);
  button->SetBitmapNormal(0);
  QImage target(37, 50, QImage::Format_RGB32);
  int stan = 0;
  for (auto _ : state) {
    button->SetStan(stan ^= 1);
    button->render(&target);
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_ButtonPaint);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
