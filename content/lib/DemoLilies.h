// The demo's lily-pad games: `word-pairs PATH` with one `pair "english"
// "polish"` line per pair, written as the game's word-pair file.
#pragma once

#include "lib/DemoContext.h"

void CompileWordPairs(TDemoContext& ctx, const TSourceNode& n);
