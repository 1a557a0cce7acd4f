// The best players table: every listed player with the five built-in rivals,
// ranked by red count, then green count; equal entries keep their order, so
// players rank before a rival with the same counts and keep list order among
// themselves.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "app/Globals.h"

struct TTopTenEntry {
  QString Name;
  QString Sex;  // empty for the rivals
  int RedCount = 0;
  int GreenCount = 0;
  std::array<int, PlaceTotal> PlaceCount{};
};

// "rovel", "Pufelek", "Nuki", "Tupik", "Ko Ko", in that order.
const std::array<TTopTenEntry, 5>& DefaultRivals();

// The header and place lines of a player file; its result lines are not read.
// Errors as the player file's reader gives them, naming `fileName`.
TTopTenEntry ParseTopTenEntry(const QByteArray& bytes, const QString& fileName);
// The entries of `names`' files (PlayerReadPath) in list order, leaving out
// names that cannot be a player's file ("a/b"); the first file that is
// missing or broken stops it with its error.
std::vector<TTopTenEntry> ReadTopTenEntries(const QStringList& names);

// Stable, highest red count first, then highest green count.
void SortTopTen(std::vector<TTopTenEntry>& table);
// `players` followed by the rivals, sorted.
std::vector<TTopTenEntry> BuildTopTenTable(std::vector<TTopTenEntry> players);
// 1-based position of the first entry named exactly `name`; 0 when none.
int TopTenRank(const std::vector<TTopTenEntry>& table, const QString& name);
