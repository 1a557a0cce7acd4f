// Word search records from arbitrary bytes: the grid the reader returns fits
// the 200 cells, or it throws one of our errors; a written record reads back
// the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "exercises/ExerciseFiles.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    const TWordSearch ws = ReadWordSearch(bytes, QStringLiteral("fuzz.fc4"));
    if (ws.Columns < 1 || ws.Rows < 1 || ws.Columns * ws.Rows > WordSearchCells) std::abort();
    if (ws.WordCount < 1 || ws.WordCount > ws.Columns * ws.Rows / 2) std::abort();
    for (const QString& letter : ws.Letters)
      if (letter.size() > 1) std::abort();
    if (!(ReadWordSearch(WriteWordSearch(ws), QStringLiteral("again.fc4")) == ws)) std::abort();
  } catch (const Exception&) {
  }
  return 0;
}
