// Dialogue list files from arbitrary bytes: the reader either returns 1 to 20
// entries with keys of five characters at most, or throws one of our errors;
// what it returns writes and reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/Errors.h"
#include "world/Dialogues.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    const std::vector<TListEntry> list = ParseDialogueList(bytes, QStringLiteral("fuzz.txt"));
    if (list.empty() || list.size() > MaxDialogues) std::abort();
    for (const TListEntry& e : list)
      if (e.Key.size() > 5) std::abort();
    const std::vector<TListEntry> again = ParseDialogueList(FormatDialogueList(list), QStringLiteral("again.txt"));
    if (again.size() != list.size()) std::abort();
    for (std::size_t i = 0; i < list.size(); ++i)
      if (again[i].Key != list[i].Key || again[i].File != list[i].File) std::abort();
  } catch (const Exception&) {
  }
  return 0;
}
