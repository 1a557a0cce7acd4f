#include "players/TopTen.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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

namespace {
// What tells one version of a file from the next: players' files are
// replaced whole (a new file renamed over the old), so a change shows in the
// file's identity, time or size even within the file system's time step.
struct TFileVersion {
  std::uint64_t Id = 0, Size = 0;
  std::int64_t ModifiedNs = 0;
  bool operator==(const TFileVersion&) const = default;
};

std::optional<TFileVersion> VersionOf(const QString& realPath) {
#ifdef Q_OS_UNIX
  struct stat st {};
  if (::stat(QFile::encodeName(realPath).constData(), &st) != 0) return std::nullopt;
  return TFileVersion{static_cast<std::uint64_t>(st.st_ino), static_cast<std::uint64_t>(st.st_size),
                      std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec};
#else
  std::error_code error;
  const std::filesystem::path p(realPath.toStdWString());
  const auto time = std::filesystem::last_write_time(p, error);
  const auto size = std::filesystem::file_size(p, error);
  if (error) return std::nullopt;
  return TFileVersion{0, size, time.time_since_epoch().count()};
#endif
}

struct TCachedEntry {
  TFileVersion Version;
  TTopTenEntry Entry;
};
}  // namespace

std::vector<TTopTenEntry> ReadTopTenEntries(const QStringList& names) {
  // The table is shown often and its files change seldom: an entry is read
  // again only when its file has changed.
  static QHash<QString, TCachedEntry> cache;
  std::vector<TTopTenEntry> entries;
  entries.reserve(names.size());
  for (const QString& name : names) {
    // A name no file can have (another program's list) is nobody's player.
    if (!ListedNameProblem(name).isEmpty()) continue;
    const QString path = PlayerReadPath(name);
    const QString real = CheckedFilePath(path, TFileKind::Text);
    const std::optional<TFileVersion> version = VersionOf(real);
    if (const auto it = cache.constFind(real);
        version && it != cache.cend() && it->Version == *version) {
      entries.push_back(it->Entry);
      continue;
    }
    entries.push_back(ParseTopTenEntry(ReadWholeFile(path), path));
    if (version) cache.insert(real, {*version, entries.back()});
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
