// Resolving data paths (backslashes, any case) against a directory tree like
// an installed CD: the first pass reads directory listings, later ones hit the cache.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/Paths.h"

namespace {

struct Tree {
  QTemporaryDir dir;
  QStringList queries;
  Tree() {
    // 20 folders of 500 files each: 10,000 distinct files, asked for in another case.
    for (int d = 0; d < 20; ++d) {
      const QString folder = dir.path() + QStringLiteral("/words/d_%1.cdr").arg(d);
      QDir().mkpath(folder);
      for (int f = 0; f < 500; ++f) {
        QFile file(folder + QStringLiteral("/%1.wav").arg(f));
        (void)file.open(QIODevice::WriteOnly);
        queries << dir.path() + QStringLiteral("\\WORDS\\D_%1.CDR\\%2.WAV").arg(d).arg(f);
      }
    }
  }
};

Tree& SharedTree() {
  static Tree tree;
  return tree;
}

void BM_Resolve10000Cold(benchmark::State& state) {
  Tree& tree = SharedTree();
  for (auto _ : state) {
    ClearPathCache();
    for (const QString& q : tree.queries) benchmark::DoNotOptimize(ResolvePath(q));
  }
  state.SetItemsProcessed(state.iterations() * tree.queries.size());
}
BENCHMARK(BM_Resolve10000Cold)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Resolve10000Cached(benchmark::State& state) {
  Tree& tree = SharedTree();
  ClearPathCache();
  for (const QString& q : tree.queries) ResolvePath(q);
  for (auto _ : state)
    for (const QString& q : tree.queries) benchmark::DoNotOptimize(ResolvePath(q));
  state.SetItemsProcessed(state.iterations() * tree.queries.size());
}
BENCHMARK(BM_Resolve10000Cached)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
