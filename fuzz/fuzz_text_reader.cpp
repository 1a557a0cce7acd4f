// The text reader and the string rules every file format is read with.
#include <cstddef>
#include <cstdint>

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "platform/Win1250.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  TTextReader r(bytes, QStringLiteral("fuzz.txt"));
  qsizetype total = 0;
  while (!r.Eof()) {
    QString line = r.ReadLine();
    total += line.size();
    Delete(line, 1, 3);
    line = Trim(line);
    (void)StrToIntDef(line, 0);
    (void)Copy(line, 2, 5);
    (void)NormalizeSeparators(line);
    if (EncodeWin1250(DecodeWin1250(EncodeWin1250(line))) != EncodeWin1250(line)) __builtin_trap();
  }
  // Every byte of the input is either text or a line end.
  if (total > static_cast<qsizetype>(size)) __builtin_trap();
  return 0;
}
