// Values a reader accepts but the game cannot make sense of: spots that can
// never be hit, sprites that never move, player counters below zero. The
// dump prints them as warnings next to the values; the check reports them.
#pragma once

#include <QString>
#include <cstddef>
#include <vector>

#include "world/LocationFile.h"

struct TPlayerFile;
struct TPlayerList;

struct TNote {
  int Line = 0;  // 1-based, 0 when the whole file is meant
  QString Message;
};
using TNotes = std::vector<TNote>;

// Line numbers of each record group of a location file: the layout is fixed
// by the counts, so they follow from what was read.
struct TLocationLines {
  int Walk = 0, Sound = 0, ExerciseList = 0, DialogueList = 0, Sprite = 0, ExerciseSpot = 0, Wave = 0,
      Ani = 0;  // line of each group's first record
};
TLocationLines LocationLines(const TLocation& location);
// The line of record `index` of a group starting at `first`, at most INT_MAX.
int LineAt(int first, std::size_t index);

// Size of the place picture on the location screen.
constexpr int PlacePictureWidth = 570;
constexpr int PlacePictureHeight = 433;

TNotes LintLocation(const TLocation& location);
// `fileName` is the player file's own name (without directory).
TNotes LintPlayer(const TPlayerFile& player, const QString& fileName);
TNotes LintPlayerList(const TPlayerList& list);
