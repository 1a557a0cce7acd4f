// Dialogue files from arbitrary bytes: at most fourteen lines or one of our
// errors, and a written dialogue reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "exercises/ExerciseFiles.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    const TDialogue d = ReadDialogue(bytes, QStringLiteral("fuzz.fc5"));
    if (d.Lines.empty() || d.Lines.size() > MaxDialogueLines) std::abort();
    if (!(ReadDialogue(WriteDialogue(d), QStringLiteral("again.fc5")) == d)) std::abort();
  } catch (const Exception&) {
  }
  ReadTerminatedFields(QString::fromLatin1(bytes.left(256)), 8);
  return 0;
}
