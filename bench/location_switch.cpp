// Walking from place to place on the demo installation: every switch reads
// and checks the location file, decodes the place picture and the sprite
// strips (nothing is cached between places) and sets up the screen.
// Run with --benchmark_repetitions=20 --benchmark_report_aggregates_only=true
// for medians.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <memory>

#include "BenchMain.h"
#include "app/Globals.h"
#include "controls/ButtonStrips.h"
#include "lib/Writers.h"
#include "platform/Application.h"
#include "platform/AudioEngine.h"
#include "platform/TextFile.h"
#include "support/Support.h"
#include "world/FrmMain.h"

namespace {

struct Game {
  TempInstallation inst;
  std::unique_ptr<GameScreens> screens;
  Game() {
    for (const TButtonStrip& s : ButtonStrips)
      WriteSolidBmp(ButtonStripPath(inst.ProgramDir(), s).replace('\\', '/'), 66, 33, QColor(200, 200, 0));
    screens = std::make_unique<GameScreens>(inst.ProgramDir());
    MainForm->Show();
  }
};

Game& TheGame() {
  static Game game;
  return game;
}

// Alternating places, so the one being entered is never the one on screen.
const QString kPlaces[] = {"Start.lok", "Farma.lok", "Park.lok", "Sklep.lok"};

void BM_SwitchPlace(benchmark::State& state) {
  TheGame();
  int i = 0;
  for (auto _ : state) {
    MainForm->LoadLocation(kPlaces[i++ % 4]);
    benchmark::DoNotOptimize(MainForm->PictureName);
  }
}
BENCHMARK(BM_SwitchPlace)->Unit(benchmark::kMillisecond);

// The parts: reading and checking the file alone, then with the pictures decoded.
void BM_ReadLocationFile(benchmark::State& state) {
  TheGame();
  const QByteArray bytes = ReadWholeFile(ProgramDir + LocationsDir + "Start.lok");
  for (auto _ : state) benchmark::DoNotOptimize(ReadLocation(bytes, "Start.lok"));
}
BENCHMARK(BM_ReadLocationFile)->Unit(benchmark::kMicrosecond);

void BM_PreparePlace(benchmark::State& state) {
  TheGame();
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(TMainForm::PreparePlace(kPlaces[i++ % 4]));
}
BENCHMARK(BM_PreparePlace)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv, [] { TheGame().screens.reset(); });
}
