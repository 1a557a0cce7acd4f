// Player files and the player list from arbitrary bytes: the readers keep to
// their limits or throw one of our errors, and what they read writes back to
// something that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/Errors.h"
#include "platform/Strings.h"
#include "players/PlayerFile.h"

namespace {
bool SameResults(const TPlayerFile& a, const TPlayerFile& b) {
  if (a.Results.size() != b.Results.size()) return false;
  for (size_t i = 0; i < a.Results.size(); ++i)
    if (a.Results[i].Key != b.Results[i].Key || a.Results[i].File != b.Results[i].File ||
        a.Results[i].Done != b.Results[i].Done || a.Results[i].Points != b.Results[i].Points)
      return false;
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

  const TPlayerList list = ParsePlayerList(bytes);
  if (list.Names.size() > MaxListedPlayers) std::abort();
  if (!list.ExtraLines.isEmpty() && list.Names.size() != MaxListedPlayers) std::abort();
  const TPlayerList again = ParsePlayerList(FormatPlayerList(list));
  if (again.Names != list.Names || again.ExtraLines != list.ExtraLines) std::abort();

  try {
    TPlayerFile p = ParsePlayerFile(bytes, QStringLiteral("fuzz.txt"));
    if (p.Results.size() > static_cast<size_t>(MaxResults)) std::abort();
    if (p.Name.contains(u'=') || p.Sex.contains(u'=')) std::abort();
    std::erase_if(p.Results, [](const TExerciseResult& r) { return Trim(r.Key).isEmpty(); });
    p.ExtraLines.clear();
    const TPlayerFile q = ParsePlayerFile(FormatPlayerFile(p), QStringLiteral("again.txt"));
    if (q.Name != p.Name || q.LastPlayDate != p.LastPlayDate || q.Sex != p.Sex ||
        q.VisitCount != p.VisitCount || q.RedCount != p.RedCount || q.GreenCount != p.GreenCount ||
        q.PlaceCount != p.PlaceCount || !SameResults(p, q))
      std::abort();
  } catch (const Exception&) {
  }
  return 0;
}
