// What idle time takes off a screen change: decoding one of the pictures a
// screen shows (each is one slice of idle work; the longest, the running
// puppy's strip of 7000 x 127, sets how much room a slice leaves before the
// next frame), against fetching it decoded, which is all the change costs
// once idle time came first. Run with --benchmark_repetitions=20
// --benchmark_report_aggregates_only=true for medians.
#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include "BenchMain.h"
#include "exercises/FrmCw2Files.h"
#include "exercises/FrmCw7Files.h"
#include "lib/Writers.h"
#include "platform/Picture.h"

namespace {

// Each at the size its screen needs.
const TScreenFile* const kPictures[] = {&Cw7Files::Run, &Cw2Files::Figure, &Cw7Files::Fish};

QString Written(const QTemporaryDir& dir, const TScreenFile& f) {
  const QString path = dir.filePath(QStringLiteral("p%1.bmp").arg(f.NeededWidth()));
  WriteSolidBmp(path, f.NeededWidth(), f.Height, QColor(90, 140, 200));
  return path;
}

void BM_DecodePicture(benchmark::State& state) {
  const TScreenFile& f = *kPictures[state.range(0)];
  QTemporaryDir dir;
  const QString path = Written(dir, f);
  QFile file(path);
  file.open(QIODevice::ReadWrite);
  QDateTime stamp = QDateTime::currentDateTime();
  for (auto _ : state) {
    state.PauseTiming();
    // A new date: the file is decoded again.
    stamp = stamp.addSecs(1);
    file.setFileTime(stamp, QFileDevice::FileModificationTime);
    state.ResumeTiming();
    benchmark::DoNotOptimize(LoadPicture(path));
  }
  state.SetLabel(QStringLiteral("%1 x %2").arg(f.NeededWidth()).arg(f.Height).toStdString());
}
BENCHMARK(BM_DecodePicture)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_FetchDecodedPicture(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = Written(dir, *kPictures[0]);
  LoadPicture(path);
  for (auto _ : state) benchmark::DoNotOptimize(LoadPicture(path));
}
BENCHMARK(BM_FetchDecodedPicture)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv);
}
