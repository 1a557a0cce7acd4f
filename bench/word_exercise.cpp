// Starting a word exercise on screen 1 when its picture is already on screen
// (the usual case when the child steps through a place's list): reading the
// 2188-byte record, preparing the words and the letter grid, and setting up
// each kind. Run with --benchmark_repetitions=20
// --benchmark_report_aggregates_only=true for medians.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchMain.h"
#include "app/Globals.h"
#include "exercises/FrmCw1.h"
#include "lib/Writers.h"
#include "platform/Application.h"
#include "platform/AudioEngine.h"
#include "support/Support.h"

namespace {

struct Game {
  TempInstallation inst;
  std::unique_ptr<GameScreens> screens;
  QString path;
  Game() {
    const QString program = inst.ProgramDir();
    WriteSolidBmp(inst.DataRoot() + "/cwicz/bench/park.bmp", 545, 430, QColor(40, 160, 40));
    TWordExercise ex;
    ex.ItemCount = 14;
    for (int k = 0; k < WordItems; ++k) {
      ex.Words[k] = QStringLiteral("the word%1").arg(k);
      ex.Translations[k] = QStringLiteral("słowo %1").arg(k);
      ex.HotSpots[k] = {30 * k, 10, 30 * k + 25, 60};
      ex.WordPositions[k] = {20 + 30 * k, 300};
      ex.SoundNumbers[k] = k;
      ex.ItemUsed[k] = 1;
    }
    ex.PictureName = QStringLiteral("\\bench\\park.bmp");
    MakeParentDirs(program + "/cwicz/bench/ex.fc2");
    SaveWordExerciseFile(program + "/cwicz/bench/ex.fc2", ex);
    screens = std::make_unique<GameScreens>(program, inst.DataRoot());
    path = ProgramDir + QStringLiteral("\\cwicz\\bench\\ex.fc2");
    Cw1Form->Show();
    Cw1Form->LoadWordExercise(path);  // the picture is on screen from here on
  }
};

Game& TheGame() {
  static Game game;
  return game;
}

void BM_StartWordExercise(benchmark::State& state) {
  Game& game = TheGame();
  const int kind = static_cast<int>(state.range(0));
  StripArticles = kind != 3;
  for (auto _ : state) {
    RegenerateGaps = true;
    Cw1Form->SetExerciseKind(0);
    Cw1Form->LoadWordExercise(game.path);
    Cw1Form->SetExerciseKind(kind);
  }
  Cw1Form->SetExerciseKind(0);
}
BENCHMARK(BM_StartWordExercise)->Arg(2)->Arg(3)->Arg(4)->Arg(6)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv, [] { TheGame().screens.reset(); });
}
