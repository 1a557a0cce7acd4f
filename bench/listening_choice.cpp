// Loading the listening choice at the pond: the choice file and every
// picture and strip its scenes use (read up front, at their full sizes), the
// question swap and the crying puppy. Run with --benchmark_repetitions=20
// --benchmark_report_aggregates_only=true for medians.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchMain.h"
#include "app/Globals.h"
#include "exercises/FrmCw7.h"
#include "exercises/FrmCw7Files.h"
#include "lib/Writers.h"
#include "platform/Paths.h"
#include "support/PondSupport.h"
#include "support/Support.h"

namespace {

struct Game {
  TempInstallation inst;
  std::unique_ptr<GameScreens> screens;
  QString path;
  Game() {
    const QString program = inst.ProgramDir(), cd = inst.DataRoot();
    WritePondMedia(program, cd);
    // The pictures as large as the screen shows them.
    for (const TScreenFile& f : Cw7Files::Pictures) {
      const QString file = NormalizeSeparators(f.In(program, cd));
      if (f.Kind == TScreenFile::Strip)
        WriteSolidBmp(file, f.NeededWidth(), f.Height, QColor(90, 140, 200));
    }
    WriteSolidBmp(NormalizeSeparators(Cw7Files::Pond.In(program, cd)), 570, 436,
                  QColor(120, 200, 120));
    WriteSolidBmp(NormalizeSeparators(Cw7Files::Panel.In(program, cd)), 170, 113,
                  QColor(250, 240, 210));
    MakeParentDirs(program + "/cwicz/bench/m.txt");
    SaveListeningChoiceFile(program + "/cwicz/bench/m.txt", SampleChoice(MaxChoiceQuestions));
    screens = std::make_unique<GameScreens>(program, cd);
    path = ProgramDir + QStringLiteral("\\cwicz\\bench\\m.txt");
    Cw7Form->Show();
  }
};

Game& TheGame() {
  static Game game;
  return game;
}

void BM_LoadListeningChoice(benchmark::State& state) {
  Game& game = TheGame();
  for (auto _ : state) Cw7Form->LoadListeningChoice(game.path);
}
BENCHMARK(BM_LoadListeningChoice)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv, [] { TheGame().screens.reset(); });
}
