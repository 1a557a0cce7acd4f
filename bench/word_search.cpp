// The word search: a start (reading the record, the grid picture and the
// three strips, writing every letter of a 10 x 10 grid) and the repaint of one
// letter that every click makes. Run with --benchmark_repetitions=20
// --benchmark_report_aggregates_only=true for medians.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchMain.h"
#include "app/Globals.h"
#include "exercises/FrmCw2.h"
#include "support/Support.h"
#include "support/WordSearchSupport.h"

namespace {

struct Game {
  TempInstallation inst;
  std::unique_ptr<GameScreens> screens;
  QString path;
  Game() {
    WriteWordSearchScreenFiles(inst.Install());
    SaveWordSearch(
        inst.Install(), "\\bench\\s.fc4",
        MakeWordSearch(10, 10, {{1, 5, 1}, {11, 20, 1}, {21, 91, 2}, {33, 38, 1}, {50, 100, 2}}));
    screens = std::make_unique<GameScreens>(inst.ProgramDir(), inst.DataRoot());
    path = ProgramDir + QStringLiteral("\\cwicz\\bench\\s.fc4");
    ExerciseKind = 1;
    Cw2Form->Show();
  }
};

Game& TheGame() {
  static Game game;
  return game;
}

void BM_LoadWordSearch(benchmark::State& state) {
  Game& game = TheGame();
  for (auto _ : state) Cw2Form->LoadWordSearch(game.path);
}
BENCHMARK(BM_LoadWordSearch)->Unit(benchmark::kMillisecond);

void BM_PaintOneLetter(benchmark::State& state) {
  TheGame();
  int cell = 0;
  for (auto _ : state) {
    Cw2Form->DrawLetter(cell % 100 + 1, cell % 2 ? clRed : clBlack);
    ++cell;
  }
}
BENCHMARK(BM_PaintOneLetter)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv, [] { TheGame().screens.reset(); });
}
