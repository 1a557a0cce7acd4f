// Gap dialogue files from arbitrary bytes: every exchange the reader returns
// has exactly one gap and fits the screen's tables, or it throws one of our
// errors; a written dialogue reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "exercises/ExerciseFiles.h"
#include "platform/Errors.h"
#include "platform/Strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    const TGapDialogue g = ReadGapDialogue(bytes, QStringLiteral("fuzz.fc9"));
    if (g.Exchanges.empty() || g.Exchanges.size() > MaxExchanges) std::abort();
    for (const TExchange& ex : g.Exchanges) {
      if (ex.GapPart < 1 || ex.GapPart > ExchangeParts) std::abort();
      if (Trim(ex.Parts[ex.GapPart - 1]) != QStringLiteral("PYT")) std::abort();
      if (ex.Answers.size() > MaxAnswers || ex.ExtraLines.size() > MaxAnswers) std::abort();
    }
    if (!(ReadGapDialogue(WriteGapDialogue(g), QStringLiteral("again.fc9")) == g)) std::abort();
  } catch (const Exception&) {
  }
  return 0;
}
