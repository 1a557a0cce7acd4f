// Progress from completed exercises: the red and green counters, the results
// table, the seven place counters and the big diamonds they win.
//
// Progress lives in memory; it reaches the player file after every finished
// exercise, when the child leaves the location screen with its exit button
// and whenever the game ends (all call SavePlayer).
//
// The results table holds MaxResults records. When it is full, completing an
// exercise that has no record still earns its green points, but it cannot be
// remembered as done, so it changes neither the red counter nor a place
// counter (counting it again at every repeat would inflate both).
#pragma once

#include <QString>
#include <array>

#include "app/Globals.h"

struct TPlace {
  const char* Word;  // looked for in the lower-cased exercise file
  int Threshold;     // PlaceCount at which the place's diamond is won
};

// In the order of PlaceCount and of the award screen's diam_1 .. diam_7.
inline constexpr std::array<TPlace, PlaceTotal> Places = {{
    {"culture", 15},
    {"farm", 42},
    {"house", 34},
    {"liblary", 27},
    {"school", 25},
    {"shops", 40},
    {"town", 27},
}};

// `place` is 1-based; a place is complete when its counter reached its threshold.
bool PlaceComplete(const std::array<int, PlaceTotal>& counts, int place);
int CompletePlaceCount(const std::array<int, PlaceTotal>& counts);

enum class TCompletion { Repeat, First, Unrecorded };
// Adds the completion of (key, file) to the results table, RedCount and
// GreenCount (2 points on a first try, else 1); sets LastCompletedFile for a
// first completion.
TCompletion CountCompletion(const TListEntry& entry, bool firstTry);
// Adds 1 to the counter of every place whose word `file` contains, in table
// order, until one reaches its threshold; returns that place (1-based) or 0.
int AdvancePlaceCounters(const QString& file);

// Called by an exercise screen once, when the child completes the current
// ExerciseList (or DialogueList) entry; with playSound the child hears praise
// unless a diamond is won.
void RecordExerciseDone(bool playSound);
void RecordDialogueDone(bool playSound);
// The place counters after a first completion of LastCompletedFile; shows the
// award screen when a place's diamond is won, otherwise praises.
void AwardDiamond(bool playSound);
// True (after playing the every-diamond sound) when every place is complete.
bool AllPlacesComplete();
