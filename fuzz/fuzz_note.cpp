// Note files from arbitrary bytes: at most a hundred words, none holding a
// space except the blank that "*" stands for, and a layout that never places
// a word past the box unless the word alone is wider than the box.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "menu/NoteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QStringList words = ParseNote(bytes);
  if (words.size() > MaxNoteWords) std::abort();
  for (const QString& w : words) {
    if (w.contains(u' ') && w != QLatin1String(" ")) std::abort();
    if (w.contains(u'\r') || w.contains(u'\n')) std::abort();
  }
  constexpr int kBox = 377, kLine = 15;
  const TNoteWidth width = [](const QString& t, bool bold) { return static_cast<int>(t.size()) * (bold ? 8 : 7); };
  int lastY = 0;
  for (const TNoteRun& run : LayoutNote(words, kBox, kLine, width)) {
    if (run.Y < lastY || run.X < 0 || run.Y % kLine != 0) std::abort();
    if (run.X > 0 && run.X + width(run.Text, run.Bold) > kBox) std::abort();
    lastY = run.Y;
  }
  return 0;
}
