// The best players table is rebuilt from every player's file each time the
// screen is shown: a full list of 499 players, each with a long results part
// that the table never reads.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "app/Globals.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "players/PlayerFile.h"
#include "players/TopTen.h"

namespace {

struct Players {
  QTemporaryDir dir;
  QStringList names;
  Players() {
    LoginDir = ChooseLoginDir(dir.path() + QStringLiteral("/login/"));
    for (int i = 0; i < MaxListedPlayers; ++i) {
      const QString name = QStringLiteral("Gracz%1").arg(i);
      TPlayerFile p = NewPlayerFile(name, QStringLiteral("2026-12-01"), i % 2 == 0);
      p.RedCount = (i * 37) % 300;
      p.GreenCount = (i * 53) % 700;
      for (int r = 0; r < 300; ++r)
        p.Results.push_back({QStringLiteral("PREZ="), QStringLiteral("\\culture\\%1.fc2").arg(r), 1, 2});
      WriteFileAtomic(PlayerFilePath(name), FormatPlayerFile(p));
      names << name;
    }
  }
};

void BM_BuildTopTen499Players(benchmark::State& state) {
  static Players players;
  LoginDir = players.dir.path() + QStringLiteral("/login/");
  for (auto _ : state) benchmark::DoNotOptimize(BuildTopTenTable(ReadTopTenEntries(players.names)));
  state.SetItemsProcessed(state.iterations() * players.names.size());
}
BENCHMARK(BM_BuildTopTen499Players)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
