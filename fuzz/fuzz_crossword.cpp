// Crossword records from arbitrary bytes: what the reader returns fits the
// screen's tables (WordCount 0 .. 15, answers of 15 letters and clues of 30
// at most), or it throws one of our errors; a written record reads back the
// same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "exercises/CrosswordFile.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    const TCrossword c = ReadCrossword(bytes, QStringLiteral("fuzz.fc3"));
    if (c.WordCount < 0 || c.WordCount > CrosswordLines) std::abort();
    for (int k = 0; k < CrosswordLines; ++k) {
      if (c.Answers[k].size() > AnswerMax || c.Clues[k].size() > ClueMax) std::abort();
      if (c.SolutionColumn[k] < -128 || c.SolutionColumn[k] > 127) std::abort();
    }
    CrosswordProblems(c);
    if (!(ReadCrossword(WriteCrossword(c), QStringLiteral("again.fc3")) == c)) std::abort();
  } catch (const Exception&) {
  }
  return 0;
}
