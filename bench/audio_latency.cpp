// Time from opening a sound file to the first non-silent samples reaching the
// device callback, on the engine's default buffer, for a short sound and for
// a three-minute song (in PCM, and in a codec only FFmpeg reads); and the GUI
// thread's share of it (Open and Play), which is the stream's start. Also
// from a seek far back in a song that has played a while (its start no
// longer held, so decoded again) to the first sound.
// Run with SDL_AUDIODRIVER=dummy (no sound card needed) or on a real device.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <memory>

#include "lib/MediaWriters.h"
#include "platform/Application.h"
#include "platform/AudioEngine.h"
#include "platform/FFmpegModule.h"
#include "platform/MediaPlayer.h"
#include "support/Headless.h"
#include "support/YamahaWave.h"

namespace {

std::atomic<qint64> g_firstLoud{-1};
QElapsedTimer g_clock;

// Written once per run: the sounds of the cases.
QTemporaryDir& Dir() {
  static QTemporaryDir dir;
  return dir;
}

// `ffmpegOnly`: in a codec libsndfile does not read, decoded by FFmpeg.
QString SoundFile(int ms, bool ffmpegOnly = false) {
  const QString path =
      Dir().filePath(QStringLiteral("tone%1%2.wav").arg(ms).arg(ffmpegOnly ? "-ff" : ""));
  if (QFile::exists(path)) return path;
  if (ffmpegOnly)
    WriteYamahaWave(path, MakeTone(ms, 440, 22050, 2));
  else
    WriteWave(path, MakeTone(ms, 440, 22050, 2));
  return path;
}

// Notes in g_firstLoud when the first sample that is not silence reaches the device.
void ListenForFirstSound() {
  Audio::SetOutputTap([](const std::int16_t* s, int frames) {
    if (g_firstLoud.load() >= 0) return;
    for (int i = 0; i < frames * 2; ++i)
      if (s[i] != 0) {
        g_firstLoud.store(g_clock.nsecsElapsed());
        return;
      }
  });
  g_clock.start();
}

// Open (the whole file, as a screen does) then Play; the figure runs from the
// start of Open to the first sound. "gui_ms" is the time the calls themselves took.
void BM_OpenAndPlayToFirstSound(benchmark::State& state) {
  const QString path = SoundFile(static_cast<int>(state.range(0)), state.range(1) != 0);
  ListenForFirstSound();
  std::vector<double> gui;
  // The FFmpeg module loads once per program, ahead of the screen that needs it
  // (PrepareSoundsFor).
  QString error;
  FFmpegModule(error);
  for (auto _ : state) {
    auto player = std::make_unique<TMediaPlayer>();
    player->Notify = false;
    player->FileName = path;
    // Start at a random phase of the device's buffer, as a click would.
    QThread::usleep(static_cast<unsigned long>(1000 + (state.iterations() * 3779) % 9000));
    g_firstLoud.store(-1);
    const qint64 start = g_clock.nsecsElapsed();
    player->Open();
    player->Play();
    gui.push_back(static_cast<double>(g_clock.nsecsElapsed() - start) / 1e6);
    while (g_firstLoud.load() < 0 && g_clock.nsecsElapsed() - start < 2'000'000'000)
      QThread::usleep(100);
    state.SetIterationTime(static_cast<double>(g_firstLoud.load() - start) / 1e9);
    player->Close();
  }
  Audio::SetOutputTap({});
  std::sort(gui.begin(), gui.end());
  state.counters["gui_ms"] = gui.empty() ? 0 : gui[gui.size() / 2];
  state.counters["buffer_ms"] = Audio::BufferMs();
}
BENCHMARK(BM_OpenAndPlayToFirstSound)
    ->ArgNames({"ms", "ffmpeg_only"})
    ->Args({500, 0})
    ->Args({180000, 0})
    ->Args({180000, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(31)
    ->ReportAggregatesOnly(true);

// The song plays from 2:30 so that only the window round there is held; then
// a seek to 0:10 and Play, timed to the first sound.
void BM_SeekBackInSongToFirstSound(benchmark::State& state) {
  const QString path = SoundFile(180000);
  ListenForFirstSound();
  std::vector<double> gui;
  TMediaPlayer player;
  player.Notify = false;
  player.FileName = path;
  player.Open();
  for (auto _ : state) {
    player.SetPosition(150000);
    player.Play();
    QThread::usleep(static_cast<unsigned long>(50000 + (state.iterations() * 3779) % 9000));
    player.Stop();
    g_firstLoud.store(-1);
    const qint64 start = g_clock.nsecsElapsed();
    player.SetPosition(10000);
    player.Play();
    gui.push_back(static_cast<double>(g_clock.nsecsElapsed() - start) / 1e6);
    while (g_firstLoud.load() < 0 && g_clock.nsecsElapsed() - start < 2'000'000'000)
      QThread::usleep(100);
    state.SetIterationTime(static_cast<double>(g_firstLoud.load() - start) / 1e9);
    player.Stop();
  }
  Audio::SetOutputTap({});
  std::sort(gui.begin(), gui.end());
  state.counters["gui_ms"] = gui.empty() ? 0 : gui[gui.size() / 2];
}
BENCHMARK(BM_SeekBackInSongToFirstSound)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(31)
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
