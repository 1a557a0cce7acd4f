// Test helpers for the word search: the screen's fixed pictures, strips and
// sounds, and small searches built from the ends of their words.
#pragma once

#include <QString>
#include <vector>

#include "exercises/ExerciseFiles.h"
#include "lib/Installation.h"

// P_Krzyrz.bmp and P_Krzy_S.bmp (270 x 270, white) under the program
// directory, the three strips under the data root and every sound the screen
// plays (short tones).
void WriteWordSearchScreenFiles(const TInstallation& inst);

struct TWordEnds {
  int First = 0, Last = 0;  // cell numbers
  int Direction = 1;        // 1 along a row, 2 down a column
};

// A W x H search whose letters spell the cell's place ("A" + column), with
// each word findable from either end; N is the number of words.
TWordSearch MakeWordSearch(int columns, int rows, const std::vector<TWordEnds>& words);

// Saves `search` as ProgramDir\cwicz + `file` ("\test\s.fc4").
void SaveWordSearch(const TInstallation& inst, const QString& file, const TWordSearch& search);
