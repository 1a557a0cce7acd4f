#include "support/WordSearchSupport.h"

#include <QColor>
#include <QString>

#include "exercises/FrmCw2Files.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/Paths.h"

void WriteWordSearchScreenFiles(const TInstallation& inst) {
  using namespace Cw2Files;
  WriteSolidBmp(inst.PathOf(Background), 640, 480, QColor(170, 220, 250));
  WriteSolidBmp(inst.PathOf(Grid), 270, 270, Qt::white);
  const QColor colours[] = {QColor(120, 200, 120), QColor(250, 210, 90), QColor(70, 160, 220)};
  const TScreenFile strips[] = {Peeker, Figure, Fish};
  for (size_t i = 0; i < std::size(strips); ++i)
    WriteSolidBmp(inst.PathOf(strips[i]), strips[i].NeededWidth(), strips[i].Height, colours[i]);
  for (const TScreenFile& sound : Sounds) WriteWave(inst.PathOf(sound), MakeTone(30, 600));
  ClearPathCache();
}

TWordSearch MakeWordSearch(int columns, int rows, const std::vector<TWordEnds>& words) {
  TWordSearch s;
  s.Columns = columns;
  s.Rows = rows;
  s.WordCount = static_cast<int>(words.size());
  for (int cell = 1; cell <= columns * rows; ++cell)
    s.Letters[static_cast<size_t>(cell - 1)] = QString(QChar(u'A' + (cell - 1) % columns));
  for (const TWordEnds& w : words)
    for (auto [from, to] : {std::pair{w.First, w.Last}, std::pair{w.Last, w.First}}) {
      s.Direction[static_cast<size_t>(from - 1)] = static_cast<std::uint8_t>(w.Direction);
      s.Partner[static_cast<size_t>(from - 1)] = static_cast<std::int8_t>(to);
    }
  return s;
}

void SaveWordSearch(const TInstallation& inst, const QString& file, const TWordSearch& search) {
  const QString path = inst.ProgramDir() + "/cwicz" + QString(file).replace(u'\\', u'/');
  MakeParentDirs(path);
  SaveWordSearchFile(path, search);
  ClearPathCache();
}
