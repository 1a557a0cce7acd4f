// What the check looks at inside each exercise and dialogue data file: the
// file must read, and the pictures and sounds it names must be there.
#include <QFileInfo>
#include <QPair>
#include <QSet>
#include <algorithm>
#include <map>
#include <set>

#include "app/Globals.h"
#include "exercises/CrosswordFile.h"
#include "exercises/ExerciseFiles.h"
#include "exercises/FrmCw2Files.h"
#include "exercises/FrmCw3Files.h"
#include "exercises/FrmLilieFiles.h"
#include "exercises/WordPairFile.h"
#include "lib/Check.h"
#include "lib/Installation.h"
#include "menu/NoteFile.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "world/Dialogues.h"
#include "world/ExerciseList.h"

namespace {

template <typename Read>
bool Readable(TInstallationCheck& check, const TWhere& where, Read read) {
  try {
    read();
    return true;
  } catch (const Exception& e) {
    check.Error(where, e.Message);
    return false;
  }
}

void CheckWordExercise(TInstallationCheck& check, const QString& path, const TListFileEntry& entry, const TWhere& where) {
  TWordExercise e;
  if (!Readable(check, where, [&] {
        e = ReadWordExercise(ReadFileHead(path, WordExerciseSize), TInstallationCheck::Shown(path));
      }))
    return;
  check.NeedPicture(check.DataRoot() + QStringLiteral("\\cwicz") + e.PictureName, where,
                    QStringLiteral("exercise picture"));
  if (entry.Key == QLatin1String("PREZ=")) {
    // The presentations the game gives a note or a dialogue button to.
    if (std::find(RememberFiles.begin(), RememberFiles.end(), entry.File) != RememberFiles.end())
      check.NeedFile(NoteFilePath(check.ProgramDir(), entry.File), where, QStringLiteral("remember note"));
    if (std::find(DialogueLinkFiles.begin(), DialogueLinkFiles.end(), entry.File) != DialogueLinkFiles.end())
      check.CheckList(QStringLiteral("\\cwicz") + entry.File.left(entry.File.size() - 4) + QStringLiteral(".fc6"),
                      TListKind::Dialogues, where);
  }
  const int used = e.UsedCount();
  if (used == 0) check.Error(where, QStringLiteral("no item of the exercise takes part"));
  if (entry.Key == QLatin1String("DDRO=") && used == 1)
    check.Warning(where, QStringLiteral("a dragging exercise with one word has nothing to shuffle"));
  for (int i = 0; i < e.ItemCount && i < WordItems; ++i) {
    const size_t k = static_cast<size_t>(i);
    if (e.ItemUsed[k] != 1) continue;
    check.WantSound(WordSoundPath(check.DataRoot(), e.SoundNumbers[k]), where, QStringLiteral("word sound of \"%1\"").arg(e.Words[k]));
    if (entry.Key == QLatin1String("ULIT=") && StripArticle(e.Words[k]).size() > 15)
      check.Error(where, QStringLiteral("\"%1\" is longer than the letter grid's 15 cells").arg(StripArticle(e.Words[k])));
  }
}

// The pictures, strips and sounds of the word search screen.
void CheckWordSearchScreen(TInstallationCheck& check, const TWordSearch& s, const TWhere& where) {
  QSize size;
  const QString grid = Cw2Files::Grid.In(check.ProgramDir(), check.DataRoot());
  if (check.NeedPicture(grid, where, QString::fromUtf8(Cw2Files::Grid.What), &size)) {
    const int width = 10 + 25 * s.Columns, height = 10 + 25 * s.Rows;
    if (size.width() < width || size.height() < height)
      check.Warning(
          where,
          QStringLiteral(
              "the %1 x %2 grid needs %3 x %4 pixels, its picture has %5 x %6: letters are cut off")
              .arg(s.Columns)
              .arg(s.Rows)
              .arg(width)
              .arg(height)
              .arg(size.width())
              .arg(size.height()));
  }
  check.NeedScreenFiles(Cw2Files::Pictures, where);
  check.NeedScreenFiles(Cw2Files::Sounds, where);
}

// The cells the screen marks for a word, from whichever end is clicked first.
std::set<int> MarkedCells(const TWordSearch& s, int a, int b) {
  std::set<int> cells;
  const int lo = std::min(a, b), hi = std::max(a, b), total = s.Columns * s.Rows;
  for (const int first : {a, b}) {
    const int direction = s.Direction[static_cast<size_t>(first - 1)];
    const int step = direction == 1 ? 1 : direction == 2 ? s.Columns : hi - lo;
    for (int cell = lo; step > 0 && cell <= hi; cell += step)
      if (cell >= 1 && cell <= total) cells.insert(cell);
  }
  cells.insert(lo);
  cells.insert(hi);
  return cells;
}

// The screen takes a pair whose two ends are both found as a word found
// before: a word whose ends lie in other words never counts once those are
// found first, and only the clock ends that search.
void CheckBlockedWords(TInstallationCheck& check, const TWordSearch& s,
                       const QSet<QPair<int, int>>& found, const TWhere& where) {
  std::map<std::pair<int, int>, std::set<int>> words;
  for (const QPair<int, int>& w : found)
    words[{w.first, w.second}] = MarkedCells(s, w.first, w.second);
  for (const auto& [word, cells] : words) {
    QStringList through[2];
    for (int end = 0; end < 2; ++end) {
      const int cell = end == 0 ? word.first : word.second;
      for (const auto& [other, otherCells] : words)
        if (other != word && otherCells.count(cell))
          through[end] << QStringLiteral("%1-%2").arg(other.first).arg(other.second);
    }
    if (through[0].isEmpty() || through[1].isEmpty()) continue;
    check.Error(
        where,
        QStringLiteral("the word from cell %1 to cell %2 never counts once the words through both "
                       "its ends are found (cell %1 in %3, cell %2 in %4): the search can then "
                       "never be finished")
            .arg(word.first)
            .arg(word.second)
            .arg(through[0].join(QStringLiteral(", ")), through[1].join(QStringLiteral(", "))));
  }
}

void CheckWordSearch(TInstallationCheck& check, const QString& path, const TListFileEntry&,
                     const TWhere& where) {
  TWordSearch s;
  if (!Readable(check, where, [&] {
        s = ReadWordSearch(ReadFileHead(path, WordSearchSize), TInstallationCheck::Shown(path));
      }))
    return;
  CheckWordSearchScreen(check, s, where);
  // The words a child can find: pairs of cells one of which names the other.
  const int cells = s.Columns * s.Rows;
  QSet<QPair<int, int>> words;
  for (int cell = 1; cell <= cells; ++cell) {
    const int partner = s.Partner[static_cast<size_t>(cell - 1)];
    if (partner == 0 || partner == cell) continue;
    if (partner < 1 || partner > cells) {
      check.Warning(
          where,
          QStringLiteral("cell %1 names cell %2 outside the %3 cells: that word is never found")
              .arg(cell)
              .arg(partner)
              .arg(cells));
      continue;
    }
    const int direction = s.Direction[static_cast<size_t>(cell - 1)];
    const bool sameRow = (cell - 1) / s.Columns == (partner - 1) / s.Columns;
    const bool sameColumn = (cell - 1) % s.Columns == (partner - 1) % s.Columns;
    if ((direction == 1 && !sameRow) || (direction == 2 && !sameColumn) ||
        (direction != 1 && direction != 2))
      check.Warning(
          where,
          QStringLiteral("the word from cell %1 to cell %2 (direction %3) is neither along a row "
                         "nor down a column: it is marked wrongly")
              .arg(cell)
              .arg(partner)
              .arg(direction));
    words.insert({std::min(cell, partner), std::max(cell, partner)});
  }
  if (words.size() < s.WordCount)
    check.Error(where, QStringLiteral(
                           "only %1 words can be found of the %2 asked for: the search never ends")
                           .arg(words.size())
                           .arg(s.WordCount));
  CheckBlockedWords(check, s, words, where);
}

// The crossword and what its screen opens for it: the landscape, panel and
// empty line, the ski-lift, Yeti and skier strips, and its sounds.
void CheckCrossword(TInstallationCheck& check, const QString& path, const TListFileEntry&,
                    const TWhere& where) {
  TCrossword c;
  const QString shown = TInstallationCheck::Shown(path);
  if (!Readable(check, where, [&] { c = ReadCrossword(ReadFileHead(path, CrosswordSize), shown); }))
    return;
  for (const TCrosswordProblem& problem : CrosswordProblems(c)) {
    const QString message = shown + QStringLiteral(": ") + problem.Message;
    if (problem.Unplayable) check.Error(where, message + QStringLiteral(" (the exercise can never be completed)"));
    else check.Warning(where, message);
  }
  check.NeedScreenFiles(Cw3Files::Pictures, where);
  check.NeedScreenFiles(Cw3Files::Sounds, where);
}

void CheckDialogue(TInstallationCheck& check, const QString& path, const TListFileEntry&, const TWhere& where) {
  TDialogue d;
  if (!Readable(check, where, [&] { d = ReadDialogue(ReadWholeFile(path), TInstallationCheck::Shown(path)); })) return;
  for (const TDialogueLine& l : d.Lines)
    check.WantSound(check.DataRoot() + QStringLiteral("\\music\\dialogi\\%1.wav").arg(l.SoundNo), where,
                    QStringLiteral("sound of the line \"%1\" (the reading stops there)").arg(l.Text));
}

void CheckGapDialogue(TInstallationCheck& check, const QString& path, const TListFileEntry&, const TWhere& where) {
  Readable(check, where, [&] { ReadGapDialogue(ReadWholeFile(path), TInstallationCheck::Shown(path)); });
}

// The pairs, and the pond, strips and sounds the lily-pad screen opens by name.
void CheckWordPairs(TInstallationCheck& check, const QString& path, const TListFileEntry&, const TWhere& where) {
  TWordPairs pairs;
  if (Readable(check, where, [&] { pairs = LoadWordPairFile(TInstallationCheck::Shown(path)); }) &&
      pairs.PairsLeftOut > 0)
    check.Warning({TInstallationCheck::Shown(path), pairs.FirstLeftOutLine},
                  QStringLiteral("%1 pairs past the first %2 are left out").arg(pairs.PairsLeftOut).arg(MaxWordPairs));
  check.NeedScreenFiles(LilieFiles::Pictures, where);
  check.NeedScreenFiles(LilieFiles::Sounds, where);
}

}  // namespace

void AddExerciseChecks(std::map<QString, TInstallationCheck::TEntryCheck>& checks) {
  for (const char* key : {"PREZ=", "DDRO=", "WRYS=", "ULIT="}) checks[QString::fromLatin1(key)] = CheckWordExercise;
  checks[QStringLiteral("PKRZ=")] = CheckWordSearch;
  checks[QStringLiteral("KRZY=")] = CheckCrossword;
  checks[QStringLiteral("DIAL=")] = CheckDialogue;
  checks[QStringLiteral("DIAC=")] = CheckGapDialogue;
  checks[QStringLiteral("LILI=")] = CheckWordPairs;
  checks[QStringLiteral("MOST=")] = CheckListeningChoice;
}
