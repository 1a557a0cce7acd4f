// The best players table from arbitrary player files: the input is cut at
// each "\x01" into one file per player. Every entry that reads joins the
// rivals, the table comes out ranked (red count, then green) with nothing
// lost, and each player finds their own rank.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/Errors.h"
#include "players/TopTen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  std::vector<TTopTenEntry> players;
  for (const QByteArray& file : bytes.split('\x01')) {
    try {
      players.push_back(ParseTopTenEntry(file, QStringLiteral("fuzz.txt")));
    } catch (const Exception&) {
    }
  }
  const std::vector<TTopTenEntry> table = BuildTopTenTable(players);
  if (table.size() != players.size() + DefaultRivals().size()) std::abort();
  for (size_t i = 1; i < table.size(); ++i) {
    const TTopTenEntry &a = table[i - 1], &b = table[i];
    if (a.RedCount < b.RedCount || (a.RedCount == b.RedCount && a.GreenCount < b.GreenCount))
      std::abort();
  }
  for (const TTopTenEntry& p : players) {
    const int rank = TopTenRank(table, p.Name);
    if (rank < 1 || table[static_cast<size_t>(rank - 1)].Name != p.Name) std::abort();
  }
  return 0;
}
