// Word lists from arbitrary bytes: a bad sound number is the only error, the
// list never passes its room, the texts never hold the separator or a line
// end, and every entry the writer accepts reads back as itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/Errors.h"
#include "tools/WordList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  TWordList list;
  try {
    list = ParseWordList(bytes, QStringLiteral("fuzz.txt"));
  } catch (const EConvertError&) {
    return 0;
  }
  if (list.Entries.size() > static_cast<size_t>(MaxWordEntries) || list.LinesLeftOut < 0)
    std::abort();
  if (list.LinesLeftOut > 0 && list.Entries.size() != static_cast<size_t>(MaxWordEntries))
    std::abort();
  for (const TWordEntry& e : list.Entries) {
    for (const QString& t : {e.English, e.Polish})
      if (t.contains(u'\r') || t.contains(u'\n')) std::abort();
    if (e.English.contains(u'=') || e.Polish.contains(u'=')) std::abort();
    TWordEntry plain = e;
    if (plain.Sound < 0 || plain.Sound > 99999) continue;
    try {
      const TWordList back = ParseWordList(WriteWordList({plain}));
      // The reader drops an article the writer keeps; an article left after
      // stripping one ("a a cat") is stripped again on the way back.
      if (back.Entries.size() != 1 || back.Entries[0].Sound != plain.Sound ||
          back.Entries[0].Polish != plain.Polish ||
          back.Entries[0].English != StripWordArticle(plain.English))
        std::abort();
    } catch (const EFormatError&) {
      // Characters outside Windows-1250 or a separator: not writable, fine.
    }
  }
  return 0;
}
