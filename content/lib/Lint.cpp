#include "lib/Lint.h"

#include <QDate>
#include <QFileInfo>

#include "lib/ListFiles.h"
#include "platform/SafeMath.h"
#include "players/PlayerFile.h"

TLocationLines LocationLines(const TLocation& loc) {
  TLocationLines l;
  // The list counts come from the file and may be anything up to INT_MAX;
  // lines past that are all called INT_MAX.
  const auto after = [](int line, auto count) {
    return LineAt(line, static_cast<std::size_t>(count));
  };
  l.Walk = 11;
  l.Sound = after(l.Walk, loc.WalkSpots.size());
  l.ExerciseList = after(l.Sound, loc.SoundSpots.size());
  l.DialogueList = after(l.ExerciseList, loc.ExerciseListLines);
  l.Sprite = after(l.DialogueList, loc.DialogueListLines);
  l.ExerciseSpot = after(l.Sprite, loc.Sprites.size());
  l.Wave = after(l.ExerciseSpot, loc.ExerciseSpots.size());
  l.Ani = after(l.Wave, loc.WaveEvents.size());
  return l;
}

int LineAt(int first, std::size_t index) {
  return AddClamped(first, static_cast<int>(std::min<std::size_t>(index, INT_MAX)));
}

namespace {

// A rectangle that no point can hit (with `openLeft`, X = Left does not count),
// or that lies wholly outside the place picture.
void LintRect(TNotes& out, int line, const char* what, int left, int top, int right, int bottom,
              bool openLeft) {
  if (left > right || top > bottom || (openLeft && left == right))
    out.push_back({line, QStringLiteral("%1 (%2,%3)-(%4,%5) can never be hit").arg(QLatin1String(what)).arg(left).arg(top).arg(right).arg(bottom)});
  else if (right < 0 || bottom < 0 || left >= PlacePictureWidth || top >= PlacePictureHeight)
    out.push_back({line, QStringLiteral("%1 (%2,%3)-(%4,%5) lies outside the %6 x %7 place picture")
                             .arg(QLatin1String(what)).arg(left).arg(top).arg(right).arg(bottom)
                             .arg(PlacePictureWidth).arg(PlacePictureHeight)});
}

}  // namespace

TNotes LintLocation(const TLocation& loc) {
  TNotes out;
  const TLocationLines lines = LocationLines(loc);
  if (loc.Picture.isEmpty()) out.push_back({1, QStringLiteral("no place picture named")});
  if (loc.BackLink.isEmpty()) out.push_back({10, QStringLiteral("BackLink is empty (use NONE for a top place)")});
  for (size_t i = 0; i < loc.WalkSpots.size(); ++i) {
    const auto& w = loc.WalkSpots[i];
    LintRect(out, LineAt(lines.Walk, i), "walk spot", w.Left, w.Top, w.Right, w.Bottom, false);
  }
  for (size_t i = 0; i < loc.SoundSpots.size(); ++i) {
    const auto& s = loc.SoundSpots[i];
    LintRect(out, LineAt(lines.Sound, i), "sound spot", s.Left, s.Top, s.Right, s.Bottom, true);
  }
  for (size_t i = 0; i < loc.Sprites.size(); ++i) {
    const auto& s = loc.Sprites[i];
    const int line = LineAt(lines.Sprite, i);
    if (s.Width <= 0 || s.Height <= 0)
      out.push_back({line, QStringLiteral("sprite size %1 x %2 shows nothing").arg(s.Width).arg(s.Height)});
    if (s.Interval <= 0 && s.Frames > 1)
      out.push_back({line, QStringLiteral("Interval %1: the sprite never changes its frame").arg(s.Interval)});
    if (s.Action < 0 || s.Action > 3)
      out.push_back({line, QStringLiteral("Action %1 does nothing (1 sound, 2 and 3 messages)").arg(s.Action)});
    if (s.Still != 0 && s.Still != 1)
      out.push_back(
          {line,
           QStringLiteral(
               "Still %1 is neither 0 (loops) nor 1 (plays when clicked): the sprite never moves")
               .arg(s.Still)});
    if (s.Action == 1 && s.Sound.isEmpty())
      out.push_back({line, QStringLiteral("Action 1 without a sound")});
    if (qint64{s.X} + s.Width <= 0 || qint64{s.Y} + s.Height <= 0 || s.X >= PlacePictureWidth ||
        s.Y >= PlacePictureHeight)
      out.push_back(
          {line,
           QStringLiteral("sprite at (%1,%2) lies outside the place picture").arg(s.X).arg(s.Y)});
  }
  for (size_t i = 0; i < loc.ExerciseSpots.size(); ++i) {
    const auto& e = loc.ExerciseSpots[i];
    LintRect(out, LineAt(lines.ExerciseSpot, i), "exercise spot", e.Left, e.Top, e.Right, e.Bottom,
             true);
  }
  for (size_t i = 0; i < loc.AniEvents.size(); ++i) {
    const auto& a = loc.AniEvents[i];
    if (a.Width <= 0 || a.Height <= 0)
      out.push_back(
          {LineAt(lines.Ani, i),
           QStringLiteral("idle video window %1 x %2 shows nothing").arg(a.Width).arg(a.Height)});
  }
  return out;
}

TNotes LintPlayer(const TPlayerFile& p, const QString& fileName) {
  TNotes out;
  const QString own = QFileInfo(fileName).completeBaseName();
  // The game refuses a header name that would lead out of the login folder.
  if (const QString refused = ListedNameProblem(p.Name); !refused.isEmpty())
    out.push_back(
        {1, QStringLiteral("the header names \"%1\", which the game refuses (%2): signing in fails")
                .arg(p.Name, refused)});
  else if (!own.isEmpty() && p.Name != own)
    out.push_back({1, QStringLiteral("the header names \"%1\": the player signs in and is saved as that name").arg(p.Name)});
  if (!QDate::fromString(p.LastPlayDate, QStringLiteral("yyyy-MM-dd")).isValid())
    out.push_back({1, QStringLiteral("last play date \"%1\" is not a yyyy-mm-dd date: signing in fails").arg(p.LastPlayDate)});
  if (p.Sex != QLatin1String("Man") && p.Sex != QLatin1String("Woman"))
    out.push_back({1, QStringLiteral("sex \"%1\" is neither Man nor Woman (counts as a boy)").arg(p.Sex)});
  if (p.VisitCount < 1) out.push_back({1, QStringLiteral("VisitCount %1 is below 1").arg(p.VisitCount)});
  if (p.RedCount < 0) out.push_back({1, QStringLiteral("RedCount %1 is negative").arg(p.RedCount)});
  if (p.GreenCount < 0) out.push_back({1, QStringLiteral("GreenCount %1 is negative").arg(p.GreenCount)});
  for (int i = 0; i < PlaceTotal; ++i)
    if (p.PlaceCount[i] < 0)
      out.push_back({2 + i, QStringLiteral("PlaceCount %1 is negative").arg(p.PlaceCount[i])});
  int done = 0;
  for (size_t i = 0; i < p.Results.size(); ++i) {
    const auto& r = p.Results[i];
    // Blank lines are skipped by the reader, so this is the record's place, not always its line.
    const int line = 9 + static_cast<int>(i);
    if (r.Done == 1) ++done;
    if (!IsExerciseKey(r.Key) && !IsDialogueKey(r.Key))
      out.push_back({line, QStringLiteral("result key \"%1\" is no exercise or dialogue key").arg(r.Key)});
    if (r.Done != 0 && r.Done != 1) out.push_back({line, QStringLiteral("Done %1 is neither 0 nor 1").arg(r.Done)});
    if (r.Points < 0) out.push_back({line, QStringLiteral("Points %1 is negative").arg(r.Points)});
  }
  if (!p.ExtraLines.isEmpty())
    out.push_back({0, QStringLiteral("%1 result lines past the limit of %2 are kept but not used").arg(p.ExtraLines.size()).arg(MaxResults)});
  if (p.RedCount != done)
    out.push_back({1, QStringLiteral("RedCount %1 differs from the %2 results marked done").arg(p.RedCount).arg(done)});
  return out;
}

TNotes LintPlayerList(const TPlayerList& list) {
  TNotes out;
  for (qsizetype i = 0; i < list.Names.size(); ++i) {
    const QString problem = NicknameProblem(list.Names[i]);
    if (!problem.isEmpty())
      out.push_back({0, QStringLiteral("name \"%1\": %2").arg(list.Names[i], problem)});
  }
  if (!list.ExtraLines.isEmpty())
    out.push_back({0, QStringLiteral("%1 names past the limit of %2 are kept but not shown").arg(list.ExtraLines.size()).arg(MaxListedPlayers)});
  return out;
}
