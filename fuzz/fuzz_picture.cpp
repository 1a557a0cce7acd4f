// Pictures from arbitrary bytes, through the loader the screens use: a BMP
// when the bytes start like one, otherwise a JPEG. Either a 32-bit picture
// comes back or one of our errors.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "InputFile.h"
#include "platform/Errors.h"
#include "platform/Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const bool bmp = size >= 2 && data[0] == 'B' && data[1] == 'M';
  const QString path =
      WriteFuzzInput(data, size, bmp ? QStringLiteral("fuzz.bmp") : QStringLiteral("fuzz.jpg"));
  try {
    const QImage image = LoadPicture(path);
    if (image.isNull() || image.format() != QImage::Format_RGB32) std::abort();
  } catch (const Exception&) {
  }
  return 0;
}
