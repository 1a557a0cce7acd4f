// Work done while the game waits for the child: decoding the pictures the
// next screen will need, so that changing to it costs no decoding. Jobs run
// one a slice on the GUI thread, in order, each after everything already
// posted (so a screen just shown paints first) and after any input that came
// meanwhile, and a slice never starts when the frame clock wakes within a
// slice's length: it waits for that frame instead. Nothing wakes the game
// once the queue is empty. A job's error is dropped: the screen that really
// opens the file reports it.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace IdleWork {
using TJob = std::function<void()>;
// What the game will need next, in place of whatever was still waiting (the
// game has moved on).
void Replace(std::vector<TJob> jobs);
// Jobs to run before those waiting (what a job found needs doing next).
void Prepend(std::vector<TJob> jobs);
void Clear();
std::size_t Pending();
// Runs the next job at once (tests, benchmarks); false when none waits.
bool RunNext();
}  // namespace IdleWork
