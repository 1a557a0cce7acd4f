#include "exercises/SongFile.h"

#include <algorithm>
#include <climits>

#include "exercises/ExerciseFiles.h"
#include "platform/Errors.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "platform/Win1250.h"

namespace {
const QString kLabel = QStringLiteral("Ile linii: ");  // 11 characters
}  // namespace

QString TSongLine::Text() const {
  QString text;
  for (const QString& w : Words) text += w + u' ';
  return text;
}

std::vector<int> TSong::LineEnds() const {
  std::vector<int> ends;
  long long sum = 0;
  for (const TSongLine& line : Lines) {
    for (int t : line.Times) sum = std::min<long long>(sum + std::max(t, 0), INT_MAX);
    ends.push_back(static_cast<int>(sum));
  }
  return ends;
}

TSong ReadSong(const QByteArray& bytes, const QString& fileName) {
  TTextReader in(bytes, fileName);
  const int count = StrToInt(in.ReadLine().mid(kLabel.size()), fileName, 1);
  if (count < 0 || count > MaxSongLines)
    throw EFormatError(Located(
        fileName, 1,
        QStringLiteral("liczba linii %1 poza zakresem 0 … %2").arg(count).arg(MaxSongLines)));
  TSong song;
  for (int i = 1; i <= count; ++i) {
    const int lineNo = i + 1;
    if (in.Eof())
      throw EFormatError(
          Located(fileName, lineNo,
                  QStringLiteral("brak linii %1 z %2 zapowiedzianych").arg(i).arg(count)));
    const QString text = in.ReadLine();
    const int words = StrToInt(ReadTerminatedFields(text, 1)[0], fileName, lineNo);
    if (words < 0 || words > MaxSongWords)
      throw EFormatError(Located(
          fileName, lineNo,
          QStringLiteral("liczba słów %1 poza zakresem 0 … %2").arg(words).arg(MaxSongWords)));
    const QStringList fields = ReadTerminatedFields(text, 1 + 2 * words);
    TSongLine line;
    for (int k = 0; k < words; ++k) {
      const int ms = StrToInt(fields[1 + 2 * k], fileName, lineNo);
      if (ms < 0)
        throw EFormatError(Located(fileName, lineNo,
                                   QStringLiteral("ujemny czas słowa %1: %2").arg(k + 1).arg(ms)));
      line.Times.push_back(ms);
      line.Words << fields[2 + 2 * k];
    }
    song.Lines.push_back(std::move(line));
  }
  return song;
}

QByteArray WriteSong(const TSong& song) {
  if (song.Lines.size() > static_cast<std::size_t>(MaxSongLines))
    throw EFormatError(QStringLiteral("piosenka ma %1 linii, najwyżej %2")
                           .arg(song.Lines.size())
                           .arg(MaxSongLines));
  TTextWriter out;
  out.WriteLine(kLabel + IntToStr(static_cast<long long>(song.Lines.size())));
  for (std::size_t i = 0; i < song.Lines.size(); ++i) {
    const TSongLine& line = song.Lines[i];
    const QString where = QStringLiteral("linia %1 piosenki").arg(i + 1);
    if (line.WordCount() > MaxSongWords ||
        line.Times.size() != static_cast<std::size_t>(line.Words.size()))
      throw EFormatError(QStringLiteral("%1: %2 słów i %3 czasów, najwyżej %4 słów")
                             .arg(where)
                             .arg(line.WordCount())
                             .arg(line.Times.size())
                             .arg(MaxSongWords));
    QString text = IntToStr(line.WordCount()) + u'=';
    for (int k = 0; k < line.WordCount(); ++k) {
      const QString& w = line.Words[k];
      if (w.contains(u'=') || w.contains(u'\r') || w.contains(u'\n') || !CanEncodeWin1250(w))
        throw EFormatError(QStringLiteral("%1: słowa '%2' nie da się zapisać").arg(where, w));
      if (line.Times[static_cast<std::size_t>(k)] < 0)
        throw EFormatError(QStringLiteral("%1: ujemny czas słowa '%2'").arg(where, w));
      text += IntToStr(line.Times[static_cast<std::size_t>(k)]) + u'=' + w + u'=';
    }
    out.WriteLine(text);
  }
  return out.Bytes();
}

void SaveSongFile(const QString& path, const TSong& song) { WriteFileAtomic(path, WriteSong(song)); }

TSong LoadSongFile(const QString& path) {
  return ReadSong(ReadWholeFile(path), path);
}

QString SongWavePath(const QString& dataRoot, int n, const QString& suffix) {
  return dataRoot + QStringLiteral("\\music\\songs\\song_") + IntToStr(n) + suffix +
         QStringLiteral(".wav");
}

QString SongTextPath(const QString& dataRoot, int n) {
  return dataRoot + QStringLiteral("\\music\\songs\\song_") + IntToStr(n) + QStringLiteral(".txt");
}
