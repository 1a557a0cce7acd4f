// Word exercise records from arbitrary bytes: the reader keeps every text
// within its field and the item count within the table, or throws one of our
// errors; what it reads writes back to the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "exercises/ExerciseFiles.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    TWordExercise ex = ReadWordExercise(bytes, QStringLiteral("fuzz.fc2"));
    if (ex.ItemCount < 1 || ex.ItemCount > WordItems) std::abort();
    for (int k = 0; k < WordItems; ++k)
      if (ex.Words[k].size() > WordTextMax || ex.Translations[k].size() > WordTextMax) std::abort();
    if (ex.PictureName.size() > PictureNameMax) std::abort();
    if (!(ReadWordExercise(WriteWordExercise(ex), QStringLiteral("again.fc2")) == ex)) std::abort();
    PrepareWordExercise(ex, true);
    if (ex.UsedCount() > ex.ItemCount) std::abort();
  } catch (const Exception&) {
  }
  StripArticle(QString::fromLatin1(bytes.left(64)));
  return 0;
}
