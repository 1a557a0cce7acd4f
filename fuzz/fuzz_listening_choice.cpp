// Listening choice files from arbitrary bytes: 2 to 12 questions with a right
// answer of 1 to 3, or one of our errors; a written file reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "exercises/ListeningChoiceFile.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    const TListeningChoice c = ReadListeningChoice(bytes, QStringLiteral("fuzz.txt"));
    const size_t n = c.Questions.size();
    if (n < MinChoiceQuestions || n > MaxChoiceQuestions) std::abort();
    for (const TChoiceQuestion& q : c.Questions)
      if (q.RightChoice < 1 || q.RightChoice > ChoiceAnswers) std::abort();
    if (!(ReadListeningChoice(WriteListeningChoice(c), QStringLiteral("again.txt")) == c))
      std::abort();
  } catch (const Exception&) {
  }
  return 0;
}
