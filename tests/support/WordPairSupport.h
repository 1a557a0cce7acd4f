// Word-pair files for the tests that start the lily-pad exercise.
#pragma once

#include <QString>

#include "exercises/WordPairFile.h"

// `count` pairs "word1=słowo1", "word2=słowo2", ...
TWordPairs SampleWordPairs(int count);
// Saves SampleWordPairs(count) at `path` (its directories made).
void WriteSampleWordPairs(const QString& path, int count = 8);
