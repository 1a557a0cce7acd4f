#include "players/TopTen.h"

#include <algorithm>

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "players/PlayerFile.h"

namespace {
constexpr int kHeaderAndPlaceLines = 1 + PlaceTotal;

// The bytes of the first `lines` lines (each ended by CR LF, LF or a lone CR).
QByteArray FirstLines(const QByteArray& bytes, int lines) {
  qsizetype pos = 0;
  for (int n = 0; n < lines && pos < bytes.size(); ++n) {
    while (pos < bytes.size() && bytes[pos] != '\r' && bytes[pos] != '\n') ++pos;
    if (pos < bytes.size()) {
      const bool cr = bytes[pos] == '\r';
      ++pos;
      if (cr && pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
  }
  return bytes.left(pos);
}
}  // namespace

const std::array<TTopTenEntry, 5>& DefaultRivals() {
  static const std::array<TTopTenEntry, 5> rivals = {{
      {QStringLiteral("rovel"), {}, 200, 50, {}},
      {QStringLiteral("Pufelek"), {}, 140, 40, {}},
      {QStringLiteral("Nuki"), {}, 110, 30, {}},
      {QStringLiteral("Tupik"), {}, 80, 20, {}},
      {QStringLiteral("Ko Ko"), {}, 50, 10, {}},
  }};
  return rivals;
}

TTopTenEntry ParseTopTenEntry(const QByteArray& bytes, const QString& fileName) {
  // A broken result line must not keep a player out of the table.
  const TPlayerFile p = ParsePlayerFile(FirstLines(bytes, kHeaderAndPlaceLines), fileName);
  return TTopTenEntry{p.Name, p.Sex, p.RedCount, p.GreenCount, p.PlaceCount};
}

std::vector<TTopTenEntry> ReadTopTenEntries(const QStringList& names) {
  std::vector<TTopTenEntry> entries;
  entries.reserve(names.size());
  for (const QString& name : names) {
    // A name no file can have (another program's list) is nobody's player.
    if (!ListedNameProblem(name).isEmpty()) continue;
    const QString path = PlayerReadPath(name);
    entries.push_back(ParseTopTenEntry(ReadWholeFile(path), path));
  }
  return entries;
}

void SortTopTen(std::vector<TTopTenEntry>& table) {
  std::stable_sort(table.begin(), table.end(), [](const TTopTenEntry& a, const TTopTenEntry& b) {
    return a.RedCount != b.RedCount ? a.RedCount > b.RedCount : a.GreenCount > b.GreenCount;
  });
}

std::vector<TTopTenEntry> BuildTopTenTable(std::vector<TTopTenEntry> players) {
  const auto& rivals = DefaultRivals();
  players.insert(players.end(), rivals.begin(), rivals.end());
  SortTopTen(players);
  return players;
}

int TopTenRank(const std::vector<TTopTenEntry>& table, const QString& name) {
  for (std::size_t i = 0; i < table.size(); ++i)
    if (table[i].Name == name) return static_cast<int>(i) + 1;
  return 0;
}
