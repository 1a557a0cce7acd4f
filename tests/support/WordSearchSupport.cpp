#include "support/WordSearchSupport.h"

#include <QColor>
#include <QString>

#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/Paths.h"

void WriteWordSearchScreenFiles(const TInstallation& inst) {
  const QString program = inst.ProgramDir(), cd = inst.DataRoot();
  WriteSolidBmp(program + "/gfx/P_Krzyrz.bmp", 640, 480, QColor(170, 220, 250));
  WriteSolidBmp(program + "/gfx/P_Krzy_S.bmp", 270, 270, Qt::white);
  WriteSolidBmp(cd + "/gfx/Anim/Apacz.bmp", 60 * 10, 96, QColor(120, 200, 120));
  WriteSolidBmp(cd + "/gfx/Anim/Zloto2.bmp", 223 * 6, 295, QColor(250, 210, 90));
  WriteSolidBmp(cd + "/gfx/Anim/Ryba.bmp", 196 * 4, 100, QColor(70, 160, 220));
  for (const char* name : {"1009", "1010", "1011", "apacz", "plusk2", "Pk1", "o5"})
    WriteWave(cd + "/music/" + name + ".wav", MakeTone(30, 600));
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
