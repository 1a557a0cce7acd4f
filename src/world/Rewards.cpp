#include "world/Rewards.h"

#include <algorithm>

#include "platform/SafeMath.h"
#include "platform/Strings.h"

bool PlaceComplete(const std::array<int, PlaceTotal>& counts, int place) {
  if (place < 1 || place > PlaceTotal) return false;
  return counts[place - 1] >= Places[place - 1].Threshold;
}

int CompletePlaceCount(const std::array<int, PlaceTotal>& counts) {
  int n = 0;
  for (int place = 1; place <= PlaceTotal; ++place) n += PlaceComplete(counts, place) ? 1 : 0;
  return n;
}

TCompletion CountCompletion(const TListEntry& entry, bool firstTry) {
  const int points = firstTry ? 2 : 1;
  const int count = std::clamp(ResultCount, 0, MaxResults);
  for (int i = 0; i < count; ++i) {
    TExerciseResult& r = ExerciseResults[i];
    if (r.Key.compare(entry.Key, Qt::CaseInsensitive) != 0 || r.File.compare(entry.File, Qt::CaseInsensitive) != 0)
      continue;
    r.Points = AddClamped(r.Points, points);
    GreenCount = AddClamped(GreenCount, points);
    if (r.Done != 0) return TCompletion::Repeat;
    r.Done = 1;
    RedCount = AddClamped(RedCount, 1);
    LastCompletedFile = entry.File;
    return TCompletion::First;
  }
  GreenCount = AddClamped(GreenCount, points);
  if (count == MaxResults) return TCompletion::Unrecorded;
  ExerciseResults[count] = TExerciseResult{entry.Key, entry.File, 1, points};
  ResultCount = count + 1;
  RedCount = AddClamped(RedCount, 1);
  LastCompletedFile = entry.File;
  return TCompletion::First;
}

int AdvancePlaceCounters(const QString& file) {
  const QString lower = LowerCase(file);
  for (int place = 1; place <= PlaceTotal; ++place) {
    if (FindFrom(1, lower, QLatin1String(Places[place - 1].Word)) < 0) continue;
    int& count = PlaceCount[place - 1];
    count = AddClamped(count, 1);
    if (count == Places[place - 1].Threshold) return place;
  }
  return 0;
}
