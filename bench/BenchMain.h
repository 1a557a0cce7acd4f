// The main of a benchmark program: every benchmark runs headless, then
// `teardown` while the application and the audio engine still exist.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>

#include "support/Headless.h"

inline int RunBenchmarks(int& argc, char** argv, const std::function<void()>& teardown = {},
                         bool dummyAudio = true) {
  return RunHeadless(
      argc, argv,
      [&] {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        if (teardown) teardown();
        return 0;
      },
      dummyAudio);
}
