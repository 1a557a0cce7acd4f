// The program directory's settings file (line 2 names the data root) and the
// remembered display choices, from arbitrary bytes: the data root comes back
// as one trimmed line, the choices within their ranges, nothing throws.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "InputFile.h"
#include "app/DataRootSearch.h"
#include "app/FrmPodklad.h"
#include "app/StartOptions.h"
#include "app/UserSettings.h"
#include "platform/Strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString dir = FuzzInputDir();
  WriteFuzzInput(data, size, QStringLiteral("tarvo.ini"));
  const QString root = ReadDataRoot(dir);
  if (root != Trim(root) || root.contains(u'\n') || root.contains(u'\r')) std::abort();
  const QString anchored = AnchoredDataRoot(root, dir);
  if (!root.isEmpty() && anchored.isEmpty()) std::abort();
  (void)NeedsDataRootSearch(anchored);

  // QSettings caches a file by name, so each input gets a name of its own.
  static int serial = 0;
  const QString conf = QStringLiteral("tarvolin%1.conf").arg(++serial);
  const QString confPath = WriteFuzzInput(data, size, conf);
  const TUserSettings s = LoadUserSettings(confPath);
  QFile::remove(confPath);
  if (s.Window < -1 || s.Window > 1 || s.Scale < 0 || s.Scale > MaxScale) std::abort();
  return 0;
}
