// The frame clock's tick: one wake-up running the steps due, as a place at
// rest has them (seven sprites of one interval, an idle clip, a scene timer)
// and as a hundred would, with some tickers hidden (skipped and parked). The
// place is a screen on a shown stage with another screen above it, hidden, so
// each step also asks whether a screen covers its own.
#include <benchmark/benchmark.h>

#include <QWidget>
#include <memory>
#include <vector>

#include "BenchMain.h"
#include "platform/FrameClock.h"

namespace {

void BM_FrameClockTick(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  QWidget stage;
  stage.resize(640, 480);
  auto* place = new QWidget(&stage);
  place->setGeometry(stage.rect());
  auto* menu = new QWidget(&stage);
  menu->setAttribute(Qt::WA_OpaquePaintEvent);
  menu->setGeometry(stage.rect());
  menu->hide();
  auto* shown = new QWidget(place);
  auto* hidden = new QWidget(place);
  hidden->hide();
  stage.show();
  long steps = 0;
  std::vector<std::unique_ptr<TFrameTicker>> tickers;
  for (int i = 0; i < count; ++i)
    tickers.push_back(
        std::make_unique<TFrameTicker>([&steps] { ++steps; }, i % 8 == 7 ? hidden : shown));
  for (auto _ : state) {
    for (auto& t : tickers) t->Once(0);  // all due at this wake-up
    benchmark::DoNotOptimize(FrameClock::RunDue());
  }
  state.counters["steps_per_tick"] =
      benchmark::Counter(static_cast<double>(steps) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_FrameClockTick)->Arg(9)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv);
}
