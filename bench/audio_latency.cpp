// Time from Play to the first non-silent samples reaching the device
// callback, on the engine's default buffer. Run with SDL_AUDIODRIVER=dummy
// (no sound card needed) or on a real device.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>

#include "lib/MediaWriters.h"
#include "platform/Application.h"
#include "platform/AudioEngine.h"
#include "platform/MediaPlayer.h"
#include "support/Headless.h"

namespace {

std::atomic<qint64> g_firstLoud{-1};
QElapsedTimer g_clock;

void BM_PlayToFirstSound(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath("tone.wav");
  WriteWave(path, MakeTone(60, 440));
  TMediaPlayer player;
  player.Notify = false;
  player.FileName = path;
  player.Open();
  Audio::SetOutputTap([](const std::int16_t* s, int frames) {
    if (g_firstLoud.load() >= 0) return;
    for (int i = 0; i < frames * 2; ++i)
      if (s[i] != 0) {
        g_firstLoud.store(g_clock.nsecsElapsed());
        return;
      }
  });
  g_clock.start();
  for (auto _ : state) {
    player.Stop();
    player.Rewind();
    // Start at a random phase of the device's buffer, as a click would.
    QThread::usleep(static_cast<unsigned long>(1000 + (state.iterations() * 3779) % 9000));
    g_firstLoud.store(-1);
    const qint64 start = g_clock.nsecsElapsed();
    player.Play();
    while (g_firstLoud.load() < 0 && g_clock.nsecsElapsed() - start < 1'000'000'000)
      QThread::usleep(100);
    state.SetIterationTime(static_cast<double>(g_firstLoud.load() - start) / 1e9);
  }
  Audio::SetOutputTap({});
  state.counters["buffer_ms"] = Audio::BufferMs();
}
BENCHMARK(BM_PlayToFirstSound)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(101)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  // The real sound device when there is one: the figure is about its buffer.
  return RunHeadless(
      argc, argv,
      [&] {
        std::printf("audio driver: %s, buffer %.1f ms\n", qPrintable(Audio::DriverName()),
                    Audio::BufferMs());
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
      },
      false);
}
