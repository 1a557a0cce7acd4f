// Loading a crossword when its screen is already up (the child steps through
// a place's list, or presses "Rozpocznij"): reading the 912-byte record and
// the six pictures it needs (in the page cache after the first load) and
// laying out fifteen lines, numbers and clues. Target: median under 5 ms.
// Run with --benchmark_repetitions=20 --benchmark_report_aggregates_only=true.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchMain.h"
#include "app/Globals.h"
#include "exercises/FrmCw3.h"
#include "lib/Writers.h"
#include "platform/Paths.h"
#include "support/Support.h"

namespace {

struct Game {
  TempInstallation inst;
  std::unique_ptr<GameScreens> screens;
  QString path;
  Game() {
    TCrossword c;
    c.WordCount = CrosswordLines;
    for (int k = 0; k < CrosswordLines; ++k) {
      c.Answers[k] = QStringLiteral("ABCDEFGHIJKLMNO").left(5 + k % 10);
      c.Clues[k] = QStringLiteral("Wskazówka numer %1").arg(k + 1);
      c.SolutionColumn[k] = 1 + k % 5;
      c.LinePositions[k] = {40 + 3 * k, 77 + 22 * k};
    }
    const QString file = inst.ProgramDir() + "/cwicz/bench/k.fc3";
    MakeParentDirs(file);
    SaveCrosswordFile(file, c);
    ClearPathCache();
    screens = std::make_unique<GameScreens>(inst.ProgramDir(), inst.DataRoot());
    path = ProgramDir + QStringLiteral("\\cwicz\\bench\\k.fc3");
    ExerciseList[0] = {QStringLiteral("KRZY="), QStringLiteral("\\bench\\k.fc3")};
    ExerciseCount = ExerciseIndex = 1;
    Cw3Form->Show();
    Cw3Form->LoadCrossword(path);
  }
};

Game& TheGame() {
  static Game game;
  return game;
}

void BM_LoadCrossword(benchmark::State& state) {
  Game& game = TheGame();
  for (auto _ : state) Cw3Form->LoadCrossword(game.path);
}
BENCHMARK(BM_LoadCrossword)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv, [] { TheGame().screens.reset(); });
}
