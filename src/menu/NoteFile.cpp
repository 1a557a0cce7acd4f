#include "menu/NoteFile.h"

#include "platform/TextFile.h"

QString FirstWord(const QString& text) {
  const qsizetype space = text.indexOf(u' ');
  return space < 0 ? text : text.left(space);
}

QString NoteFilePath(const QString& programDir, const QString& exerciseFile) {
  return programDir + QStringLiteral("\\cwicz") + exerciseFile.left(std::max<qsizetype>(0, exerciseFile.size() - 4)) +
         QStringLiteral(".txt");
}

QStringList ParseNote(const QByteArray& bytes) {
  QStringList words;
  TTextReader in(bytes);
  while (!in.Eof()) {
    QString rest = in.ReadLine();
    while (!rest.isEmpty()) {
      if (words.size() == MaxNoteWords) return words;
      QString word = FirstWord(rest);
      rest.remove(0, word.size() + 1);
      if (word == QLatin1String("*")) word = QStringLiteral(" ");
      words << word;
    }
  }
  return words;
}

std::vector<TNoteRun> LayoutNote(const QStringList& words, int boxWidth, int lineHeight,
                                 const TNoteWidth& width) {
  std::vector<TNoteRun> runs;
  int x = 0, y = 0;
  bool bold = false;
  bool percentMet = false;
  for (const QString& word : words) {
    if (word == QLatin1String("@")) {
      y += lineHeight;
      x = 0;
      continue;
    }
    const QString text = word + u' ';
    if (x + width(text, bold) > boxWidth) {
      y += lineHeight;
      x = 0;
    }
    if (word == QLatin1String("%")) {
      bold = true;
      percentMet = true;
      continue;
    }
    runs.push_back({text, x, y, bold});
    x += width(text, bold);
    if (percentMet) bold = false;
  }
  return runs;
}
