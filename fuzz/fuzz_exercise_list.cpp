// Exercise list files from arbitrary bytes: the reader either returns 1 to 70
// entries with five-character-at-most upper-cased keys, or throws one of our
// errors; what it returns writes and reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/Errors.h"
#include "platform/Strings.h"
#include "world/ExerciseList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    const TExerciseListFile list = ParseExerciseList(bytes, QStringLiteral("fuzz.txt"));
    if (list.Entries.empty() || list.Entries.size() > MaxExercises) std::abort();
    for (const TListEntry& e : list.Entries)
      if (e.Key.size() > 5 || e.Key != UpperCase(e.Key)) std::abort();
    // Entries whose file holds a line break cannot come from one line.
    const TExerciseListFile again = ParseExerciseList(FormatExerciseList(list), QStringLiteral("again.txt"));
    if (again.Entries.size() != list.Entries.size()) std::abort();
    for (std::size_t i = 0; i < list.Entries.size(); ++i)
      if (again.Entries[i].File != list.Entries[i].File) std::abort();
  } catch (const Exception&) {
  }
  return 0;
}
