// Test helpers for the listening choice at the pond: its pictures, strips and
// sounds (small, but with the frame widths the screen uses), word sounds and
// choice files.
#pragma once

#include <QString>

#include "exercises/ListeningChoiceFile.h"

// The pond's pictures and strips under `programDir` and `dataRoot`, and its
// sounds, each `soundMs` long.
void WritePondMedia(const QString& programDir, const QString& dataRoot, int soundMs = 30);
// `count` questions: question k says word sound 300 + k, its right answer is
// k % 3 + 1 and its answers are "k.1", "k.2" and "k.3".
TListeningChoice SampleChoice(int count);
// The numbered word sound `number` under `dataRoot`, as PlayDialogueLine names it.
QString WordSoundFile(const QString& dataRoot, int number);
// Writes the word sounds of every question of `choice`.
void WriteChoiceWords(const QString& dataRoot, const TListeningChoice& choice, int ms);
