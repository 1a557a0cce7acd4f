// Word-pair files from arbitrary bytes: never more than 99 pairs, halves
// within their room, and a written file reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "exercises/WordPairFile.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const TWordPairs pairs = ReadWordPairs(bytes);
  if (pairs.Pairs.size() > MaxWordPairs || pairs.PairsLeftOut < 0) std::abort();
  if ((pairs.PairsLeftOut > 0) != (pairs.FirstLeftOutLine > 0)) std::abort();
  for (const TWordPair& p : pairs.Pairs)
    if (p.Left.size() > WordPairTextMax || p.Right.size() > WordPairTextMax) std::abort();
  try {
    TWordPairs again = ReadWordPairs(WriteWordPairs(pairs));
    TWordPairs expected = pairs;
    expected.PairsLeftOut = 0;
    expected.FirstLeftOutLine = 0;
    if (!(again == expected)) std::abort();
  } catch (const Exception&) {
    // Only texts a line cannot carry are refused.
  }
  return 0;
}
