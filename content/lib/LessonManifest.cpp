#include "lib/LessonManifest.h"

#include "platform/Errors.h"

namespace {
const char kMagic[] = "tarvolin-lesson 1";

QByteArray Encoded(const QByteArray& bytes) {
  return bytes.toPercentEncoding();
}
}  // namespace

QByteArray WriteLessonManifest(const TLessonManifest& m) {
  QByteArray out = QByteArray(kMagic) + '\n';
  out += "name " + m.Name.toUtf8() + '\n';
  out += "source " + m.Source.toUtf8() + '\n';
  for (const TLessonFile& f : m.Files)
    out += "file " + f.Path.toUtf8() + '\t' + f.Origin.toUtf8() + '\n';
  for (const QString& d : m.Dirs) out += "dir " + d.toUtf8() + '\n';
  for (const TLessonInsert& i : m.Inserts)
    out += "insert " + i.File.toUtf8() + '\t' + Encoded(i.Line) + '\t' + Encoded(i.CountBefore) +
           '\t' + Encoded(i.CountAfter) + '\n';
  for (const TLessonSign& g : m.Signs)
    out +=
        "sign " + g.File.toUtf8() + '\t' +
        QStringLiteral("%1,%2,%3,%4").arg(g.Left).arg(g.Top).arg(g.Width).arg(g.Height).toUtf8() +
        '\t' + g.After + '\n';
  return out;
}

TLessonManifest ReadLessonManifest(const QByteArray& bytes, const QString& fileName) {
  TLessonManifest m;
  const QList<QByteArray> lines = bytes.split('\n');
  if (lines.isEmpty() || lines[0] != kMagic)
    throw EFormatError(Located(
        fileName, 1, QStringLiteral("to nie jest zapis lekcji („%1”)").arg(QLatin1String(kMagic))));
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QByteArray& line = lines[i];
    if (line.isEmpty()) continue;
    const qsizetype space = line.indexOf(' ');
    const QByteArray key = line.left(space), rest = space < 0 ? QByteArray() : line.mid(space + 1);
    const QList<QByteArray> fields = rest.split('\t');
    const auto bad = [&] {
      throw EFormatError(Located(fileName, static_cast<int>(i + 1),
                                 QStringLiteral("nieczytelny wiersz zapisu lekcji")));
    };
    if (space < 0 || rest.isEmpty()) bad();
    if (key == "name")
      m.Name = QString::fromUtf8(rest);
    else if (key == "source")
      m.Source = QString::fromUtf8(rest);
    else if (key == "dir")
      m.Dirs << QString::fromUtf8(rest);
    else if (key == "file" && fields.size() == 2)
      m.Files.push_back({QString::fromUtf8(fields[0]), QString::fromUtf8(fields[1])});
    else if (key == "insert" && fields.size() == 4)
      m.Inserts.push_back({QString::fromUtf8(fields[0]), QByteArray::fromPercentEncoding(fields[1]),
                           QByteArray::fromPercentEncoding(fields[2]),
                           QByteArray::fromPercentEncoding(fields[3])});
    else if (key == "sign" && fields.size() == 3 && fields[1].split(',').size() == 4) {
      const QList<QByteArray> r = fields[1].split(',');
      m.Signs.push_back({QString::fromUtf8(fields[0]), r[0].toInt(), r[1].toInt(), r[2].toInt(),
                         r[3].toInt(), fields[2]});
    } else
      bad();
  }
  return m;
}
