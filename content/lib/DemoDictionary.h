// The dictionary's files for the base installation and the demo:
//
//   the page and the search dialog    where the two screens declare them
//                                          (drawn by controls/ScreenArt)
//   program/Sb_all_NEW.txt                 the word list
//
// The base installation's list holds a few words without sounds. The demo's
// list is every word the demo speaks into a numbered word sound with a
// Polish translation (the word exercises' items and the `word` lines of the
// `word-list` source), in alphabetical order of the English word without
// its article, each with the number of its spoken word.
#pragma once

#include <vector>

#include "tools/WordList.h"

struct TInstallation;
struct TDemoContext;
struct TSourceNode;

void WriteDictionaryFiles(const TInstallation& inst);
std::vector<TWordEntry> BaseDictionaryWords();

// word-list PATH
//   word "english" "polish"
// Speaks each word into a word sound; the list is written by FinishWordList.
void CompileWordList(TDemoContext& ctx, const TSourceNode& n);
// Writes the list named by the word-list source, if one named it.
void FinishWordList(TDemoContext& ctx);
// The order of the demo's list: the English word without its article,
// without regard to case.
void SortWordEntries(std::vector<TWordEntry>& entries);
