// The program-wide game state shared by all screens. Tables keep the design's
// 1-based numbering in their counts and indexes; entry n lives at [n - 1].
#pragma once

#include <QString>
#include <array>

#include "platform/Fonts.h"

// Paths and fonts, fixed at start-up.
extern QString ProgramDir;    // executable directory, no trailing separator
extern QString DataRoot;      // media root from "tarvo.ini"
extern QString GfxDir;        // "\gfx\"
extern QString MusicDir;      // "\music\"
extern QString WordsDir;      // "\words\"
extern QString LocationsDir;  // "\lokacje\"
extern QString LoginDir;      // ProgramDir + "\login\"
// The installation's login folder when it can be read but not written (a
// share read-only for pupils): its players are listed and read from it, and
// their progress goes to LoginDir. Empty otherwise.
extern QString ReadOnlyLoginDir;
extern TFont TextFont;
extern TFont SmallFont;
extern QString ShortDateFormat;  // "yyyy-mm-dd" after start-up

// Player state.
constexpr int MaxPlayers = 500;
constexpr int MaxResults = 1500;
constexpr int PlaceTotal = 7;

struct TExerciseResult {
  QString Key;
  QString File;
  int Done = 0;
  int Points = 0;
};

extern int PlayerCount;
extern std::array<QString, MaxPlayers> PlayerNames;
extern QString PlayerName;
extern QString LastPlayDate;
extern QString PlayerSex;  // "Man" or "Woman"
extern int VisitCount;
extern int RedCount;
extern int GreenCount;
extern std::array<int, PlaceTotal> PlaceCount;
extern std::array<TExerciseResult, MaxResults> ExerciseResults;
extern int ResultCount;

// The exercise on screen.
constexpr int MaxExercises = 70;
constexpr int MaxDialogues = 20;

struct TListEntry {
  QString Key;
  QString File;
};

extern int ExerciseKind;
extern int RightAnswers;
extern bool StripArticles;
extern bool FirstTry;
extern bool RegenerateGaps;
extern std::array<TListEntry, MaxExercises> ExerciseList;
extern int ExerciseCount;
extern int ExerciseIndex;
extern std::array<TListEntry, MaxDialogues> DialogueList;
extern int DialogueCount;
extern int DialogueIndex;
extern bool DialogueFromExercise;
// Entry `index` (1-based) of ExerciseList or DialogueList, or nullptr when it
// lies outside the list; the Current ones take ExerciseIndex and DialogueIndex.
const TListEntry* ExerciseAt(int index);
const TListEntry* CurrentExercise();
const TListEntry* CurrentDialogue();
extern QString LastCompletedFile;
extern QString LastExercisePicture;
extern QString RememberFile;

// Read-aloud chains.
extern bool ReadAloud;
extern int ReadAloudPos;
extern int ReadAloudCount;

// The place on screen: input is refused while a place loads.
extern bool InputBlocked;

// Puts every shared variable back to its initial value (tests).
void ResetSharedState();

// 1-based search of `pattern` in `text` from `from`; the position just past the
// first character of the match plus its offset, as the location files expect
// (see the unit's tests); -1 when not found or out of range.
int FindFrom(int from, const QString& text, const QString& pattern);

// Today's date in ShortDateFormat.
QString DateToStr();
