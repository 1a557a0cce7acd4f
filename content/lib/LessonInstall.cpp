#include "lib/LessonInstall.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/FrmPodklad.h"
#include "lib/Demo.h"
#include "lib/DemoDraw.h"
#include "lib/Lesson.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/PolishCount.h"
#include "platform/TextFile.h"
#include "platform/Win1250.h"
#include "tools/WordList.h"
#include "world/LocationFile.h"

namespace {

const QString kWordList = QStringLiteral("program\\Sb_all_NEW.txt");
// Where the walk into a lesson lies when its lesson file names no spot: the
// sky at the top of the picture, where places seldom have spots of their own.
const QRect kDefaultWay(QPoint(235, 0), QPoint(335, 45));
// The header of a place file: ten lines, the walk count on the second.
constexpr int kHeaderLines = 10, kWalkCountLine = 1;

// The place picture as it was before the lesson painted its sign, kept beside the record.
QString SignRecord(const QString& name) {
  return QStringLiteral("program\\lekcje\\") + name + QStringLiteral(".bmp");
}

QByteArray Sha1Hex(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

QString ManifestPath(const QString& name) {
  return QStringLiteral("program\\lekcje\\") + name + QStringLiteral(".txt");
}

// "program\a\b" in the installation, matched without regard to case where it exists.
QString RealOf(const TInstallation& inst, const QString& rel) {
  const qsizetype cut = rel.indexOf(u'\\');
  const QString root =
      rel.left(cut).toLower() == QLatin1String("cd") ? inst.DataRoot() : inst.ProgramDir();
  return ResolvePath(NormalizeSeparators(root + rel.mid(cut)));
}

QString Key(const QString& rel) {
  return rel.toLower();
}

// The lines of a text, each with its line end.
QList<QByteArray> SplitLines(const QByteArray& bytes) {
  QList<QByteArray> lines;
  qsizetype start = 0;
  while (start < bytes.size()) {
    qsizetype end = bytes.indexOf('\n', start);
    end = end < 0 ? bytes.size() : end + 1;
    lines << bytes.mid(start, end - start);
    start = end;
  }
  return lines;
}

// The file's own line end: CR LF as the game writes, unless it uses LF alone.
QByteArray LineEnd(const QList<QByteArray>& lines) {
  return !lines.isEmpty() && lines[0].endsWith('\n') && !lines[0].endsWith("\r\n")
             ? QByteArray("\n")
             : QByteArray("\r\n");
}

// Puts `text` in as line `at`; a last line without its end gets one first,
// carried in the inserted bytes so that taking them out restores it.
QByteArray InsertLine(QList<QByteArray>& lines, qsizetype at, const QByteArray& text,
                      const QByteArray& end) {
  if (at >= lines.size() && !lines.isEmpty() && !lines.last().endsWith('\n')) {
    lines << end + text;
    return end + text;
  }
  lines.insert(at, text + end);
  return text + end;
}

// A line without the line ends around it.
QByteArray Bare(const QByteArray& line) {
  qsizetype start = 0, stop = line.size();
  while (start < stop && (line[start] == '\r' || line[start] == '\n')) ++start;
  while (stop > start && (line[stop - 1] == '\r' || line[stop - 1] == '\n')) --stop;
  return line.mid(start, stop - start);
}

// Where the inserted `line` stands among `lines`, -1 when it is gone: as it was
// put in, or with another line end (a line appended to a file without a last
// line end is carried with the end before it, and may be that file's last line).
qsizetype FindInserted(const QList<QByteArray>& lines, const QByteArray& line) {
  if (const qsizetype at = lines.indexOf(line); at >= 0) return at;
  const QByteArray bare = Bare(line);
  if (bare.isEmpty()) return -1;
  for (qsizetype i = 0; i < lines.size(); ++i)
    if (Bare(lines[i]) == bare) return i;
  return -1;
}

// The count line with its number changed by `by`, its label and line end kept.
QByteArray Counted(const QByteArray& line, int by) {
  qsizetype stop = line.size();
  while (stop > 0 && (line[stop - 1] == '\n' || line[stop - 1] == '\r')) --stop;
  qsizetype start = stop;
  while (start > 0 && line[start - 1] >= '0' && line[start - 1] <= '9') --start;
  return line.left(start) + QByteArray::number(line.mid(start, stop - start).toInt() + by) +
         line.mid(stop);
}

QByteArray ReadOrFail(const QString& path, const QString& what) {
  try {
    return ReadWholeFile(path);
  } catch (const Exception& e) {
    throw EInOutError(
        QStringLiteral("%1: nie mogę przeczytać %2 (%3)").arg(ShownPath(path), what, e.Message));
  }
}

void Rename(const QString& from, const QString& to) {
  if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
    throw EInOutError(QStringLiteral("%1: nie mogę zapisać (%2)")
                          .arg(ShownPath(to), QString::fromLocal8Bit(std::strerror(errno))));
  NotePathWritten(to);
}

// Files written whole beside their targets, renamed into place on Commit;
// whatever is left uncommitted is removed.
class TStaged {
 public:
  ~TStaged() { Discard(); }
  void Discard() {
    for (const auto& [temp, target] : moves_) QFile::remove(temp);
    moves_.clear();
  }
  void Put(const QString& target, const QByteArray& bytes) {
    const QString temp = TempFor(target);
    QFile f(temp);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size() ||
        !f.flush())
      throw EInOutError(
          QStringLiteral("%1: nie mogę zapisać (%2)").arg(ShownPath(temp), f.errorString()));
    f.close();
    moves_.emplace_back(temp, target);
  }
  void Copy(const QString& target, const QString& from) {
    const QString temp = TempFor(target);
    if (!QFile::copy(from, temp))
      throw EInOutError(QStringLiteral("%1: nie mogę zapisać").arg(ShownPath(temp)));
    moves_.emplace_back(temp, target);
  }
  void Commit() {
    while (!moves_.empty()) {
      Rename(moves_.front().first, moves_.front().second);
      moves_.erase(moves_.begin());
    }
  }

 private:
  static QString TempFor(const QString& target) {
    const QFileInfo info(target);
    const QString temp = info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                         QStringLiteral(".lekcja-part");
    QFile::remove(temp);  // an earlier crash's, by its name ours
    return temp;
  }
  std::vector<std::pair<QString, QString>> moves_;
};

TLessonManifest ReadManifestIfAny(const TInstallation& inst, const QString& name) {
  const QString path = RealOf(inst, ManifestPath(name));
  if (!FileExists(path)) return {};
  return ReadLessonManifest(ReadOrFail(path, QStringLiteral("zapisu lekcji")), ShownPath(path));
}

// The picture without the lesson's sign: as it was, when it is as the lesson
// left it; otherwise (another lesson painted on it since) with the area the
// sign covered put back.
QByteArray UndoSign(const QByteArray& current, const QByteArray& before, const TLessonSign& g) {
  if (Sha1Hex(current) == g.After) return before;
  QImage now = QImage::fromData(current);
  const QImage old = QImage::fromData(before);
  if (now.isNull() || old.isNull()) return current;
  QPainter p(&now);
  p.drawImage(QPoint(g.Left, g.Top), old.copy(g.Left, g.Top, g.Width, g.Height));
  p.end();
  return BmpBytes(now);
}

// The lesson's title on a board over its way in, so a child sees where to go.
// Empty when the picture is no bitmap: it keeps its format untouched.
QByteArray PaintSign(const QByteArray& picture, const QRect& way, const TLesson& lesson,
                     TLessonSign& g) {
  const QImage before = QImage::fromData(picture, "BMP");
  if (!g.File.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive) || before.isNull()) return {};
  const QImage plain = before.convertToFormat(QImage::Format_RGB32);
  QImage painted = plain;
  TSourceNode sign;
  sign.Command = QStringLiteral("sign");
  sign.Args = {QString::number(way.center().x()), QString::number(way.center().y()), lesson.Title};
  sign.Named[QStringLiteral("size")] = QStringLiteral("13");
  sign.File = lesson.LessonFile.isEmpty() ? lesson.WordsFile : lesson.LessonFile;
  sign.Line = lesson.FromLine;
  DrawCommands(painted, {sign}, {}, TPictureCache{});
  QRect changed;
  for (int y = 0; y < plain.height(); ++y)
    for (int x = 0; x < plain.width(); ++x)
      if (plain.pixel(x, y) != painted.pixel(x, y)) changed |= QRect(x, y, 1, 1);
  g.Left = changed.left();
  g.Top = changed.top();
  g.Width = changed.width();
  g.Height = changed.height();
  const QByteArray after = BmpBytes(painted);
  g.After = Sha1Hex(after);
  return after;
}

// A file the lesson shares with the installation: its name and its bytes.
struct TShared {
  QString Rel;
  QByteArray Bytes;
};

// The English of a word list line, lower case and without its article; empty
// when the line is no entry.
QString WordKey(const QByteArray& line) {
  try {
    return ParseWordEntry(DecodeWin1250(QByteArray(line).replace("\r", "").replace("\n", "")))
        .English.toLower();
  } catch (const Exception&) {
    return {};
  }
}

// The records of the installation's other lessons, in name order.
std::vector<TLessonManifest> OtherLessons(const TInstallation& inst, const QString& name) {
  std::vector<TLessonManifest> others;
  const QString dir = RealOf(inst, QStringLiteral("program\\lekcje"));
  for (const QString& f : QDir(dir).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
    if (Key(QFileInfo(f).completeBaseName()) == Key(name)) continue;
    const QString path = dir + u'/' + f;
    others.push_back(
        ReadLessonManifest(ReadOrFail(path, QStringLiteral("zapisu lekcji")), ShownPath(path)));
  }
  return others;
}

// Every word the other lessons list in the dictionary, with the first one's own
// line for it. The line in the file is the lesson's that came first; the others
// keep theirs in their records, to take over when it goes.
QHash<QString, QByteArray> SharedWords(const std::vector<TLessonManifest>& others) {
  QHash<QString, QByteArray> words;
  for (const TLessonManifest& m : others)
    for (const TLessonInsert& i : m.Inserts)
      if (Key(i.File) == Key(kWordList))
        if (const QString key = WordKey(i.Line); !key.isEmpty() && !words.contains(key))
          words.insert(key, i.Line);
  return words;
}

// The shared files (that exist) as they would be without the lesson's lines.
// A word another lesson also lists stays, with that lesson's line in its
// place, unless `kept` (the words the lesson is built with again) holds it.
QMap<QString, TShared> WithoutInserts(const TInstallation& inst, const TLessonManifest& m,
                                      const QHash<QString, QByteArray>& othersWords = {},
                                      const QSet<QString>& kept = {}) {
  QMap<QString, TShared> files;
  for (const TLessonInsert& i : m.Inserts) {
    const QString path = RealOf(inst, i.File);
    if (!files.contains(Key(i.File)) && FileExists(path))
      files[Key(i.File)] = {i.File, ReadOrFail(path, i.File)};
  }
  const QString before = RealOf(inst, SignRecord(m.Name));
  for (const TLessonSign& g : m.Signs) {
    const QString path = RealOf(inst, g.File);
    if (FileExists(path) && FileExists(before))
      files[Key(g.File)] = {g.File,
                            UndoSign(ReadOrFail(path, g.File), ReadOrFail(before, g.File), g)};
  }
  // Last in, first out, so that each count line is as it was left.
  for (auto it = m.Inserts.rbegin(); it != m.Inserts.rend(); ++it) {
    if (!files.contains(Key(it->File))) continue;
    const QString word = Key(it->File) == Key(kWordList) ? WordKey(it->Line) : QString();
    const QByteArray heir = kept.contains(word) ? QByteArray() : othersWords.value(word);
    files[Key(it->File)].Bytes = UndoLessonInsert(files[Key(it->File)].Bytes, *it, heir);
  }
  return files;
}

// The folders `rel` needs that do not exist yet, outermost first.
QStringList MissingDirs(const TInstallation& inst, const QString& rel) {
  QStringList missing;
  QString dir = rel.left(rel.lastIndexOf(u'\\'));
  while (dir.contains(u'\\') && !DirectoryExists(RealOf(inst, dir))) {
    missing.prepend(dir);
    dir = dir.left(dir.lastIndexOf(u'\\'));
  }
  return missing;
}

// Removes the folders of `dirs` that are empty, deepest first; `dirs` keeps
// the others.
void RemoveEmptyDirs(const TInstallation& inst, QStringList& dirs) {
  std::stable_sort(dirs.begin(), dirs.end(), [](const QString& a, const QString& b) {
    return a.count(u'\\') < b.count(u'\\');
  });
  for (qsizetype i = dirs.size() - 1; i >= 0; --i) {
    const QString path = RealOf(inst, dirs[i]);
    if (!DirectoryExists(path)) {
      dirs.removeAt(i);
    } else if (QDir(path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot)) {
      QDir().rmdir(path);
      NotePathWritten(path);
      dirs.removeAt(i);
    }
  }
}

// The highest numbered sound (words\D_ff.cdr\nnnnn.wav) that is not the lesson's own.
int LastWordSound(const TInstallation& inst, const QSet<QString>& owned) {
  int last = 0;
  const QString words = RealOf(inst, QStringLiteral("cd\\words"));
  for (const QString& dir : QDir(words).entryList({QStringLiteral("D_*.cdr")}, QDir::Dirs)) {
    for (const QString& f :
         QDir(words + u'/' + dir).entryList({QStringLiteral("*.wav")}, QDir::Files)) {
      bool number = false;
      const int n = QFileInfo(f).completeBaseName().toInt(&number);
      if (number && !owned.contains(Key(QStringLiteral("cd\\words\\%1\\%2").arg(dir, f))))
        last = std::max(last, n);
    }
  }
  return last;
}

// The walk into the lesson, put into the place that leads to it.
TLessonInsert AddWay(QByteArray& bytes, const QString& rel, const TLesson& lesson,
                     const QString& shown) {
  const QString source = lesson.LessonFile.isEmpty() ? lesson.WordsFile : lesson.LessonFile;
  TLocation loc;
  try {
    loc = ReadLocation(bytes, shown);
  } catch (const Exception& e) {
    throw EFormatError(
        Located(source, lesson.FromLine,
                QStringLiteral("miejsce %1 jest nieczytelne: %2").arg(lesson.From, e.Message)));
  }
  const int walks = static_cast<int>(loc.WalkSpots.size());
  if (walks >= MaxWalkSpots)
    throw EFormatError(
        Located(source, lesson.FromLine,
                QStringLiteral("miejsce %1 ma już %2 przejść, więcej gra nie przyjmie")
                    .arg(lesson.From)
                    .arg(MaxWalkSpots)));
  const QRect r = lesson.At.isNull() ? kDefaultWay : lesson.At;
  TLocation one;
  one.WalkSpots.push_back(
      {r.left(), r.top(), r.right(), r.bottom(), LessonPlaceFile(lesson), QStringLiteral("0")});
  const QByteArray walk = SplitLines(WriteLocation(one)).value(kHeaderLines).trimmed();
  QList<QByteArray> lines = SplitLines(bytes);
  const QByteArray end = LineEnd(lines);
  TLessonInsert ins{
      rel, InsertLine(lines, kHeaderLines + walks, walk, end), lines[kWalkCountLine], {}};
  lines[kWalkCountLine] = Counted(lines[kWalkCountLine], 1);
  ins.CountAfter = lines[kWalkCountLine];
  bytes = lines.join();
  const TLocation after = ReadLocation(bytes, shown);
  if (static_cast<int>(after.WalkSpots.size()) != walks + 1 ||
      after.WalkSpots.back().Target != LessonPlaceFile(lesson))
    throw EFormatError(Located(shown, kWalkCountLine + 1,
                               QStringLiteral("nie umiem dodać tu przejścia do lekcji")));
  return ins;
}

// The lesson's words put into the dictionary's list in its order; a word
// already listed keeps its entry. One that another lesson put in is recorded
// with the lesson's own line, not placed: it takes over when that lesson goes.
std::vector<TLessonInsert> AddWords(QByteArray& bytes, const std::vector<TWordEntry>& words,
                                    const QString& shown,
                                    const QHash<QString, QByteArray>& othersWords) {
  QList<QByteArray> lines = SplitLines(bytes);
  const QByteArray end = LineEnd(lines);
  QSet<QString> listed;
  QStringList keys;  // each line's English without its article, for the order
  for (const QByteArray& l : lines) {
    listed.insert(WordKey(l));
    keys << WordKey(l);
  }
  std::vector<TLessonInsert> inserts;
  QSet<QString> shared;
  for (const TWordEntry& w : words) {
    if (const QString key = StripWordArticle(w.English).toLower(); listed.contains(key)) {
      if (othersWords.contains(key) && !shared.contains(key)) {
        shared.insert(key);
        inserts.push_back({kWordList, EncodeWin1250(FormatWordEntry(w)) + end, {}, {}});
      }
      continue;
    }
    const QString key = StripWordArticle(w.English);
    listed.insert(key.toLower());
    qsizetype at = 0;
    while (at < keys.size() && keys[at].compare(key, Qt::CaseInsensitive) <= 0) ++at;
    inserts.push_back(
        {kWordList, InsertLine(lines, at, EncodeWin1250(FormatWordEntry(w)), end), {}, {}});
    keys.insert(at, key);
  }
  bytes = lines.join();
  const TWordList list = ParseWordList(bytes, shown);
  if (list.LinesLeftOut > 0)
    throw EFormatError(QStringLiteral("%1: słownik mieści najwyżej %2 słów; z lekcją byłoby ich %3")
                           .arg(shown)
                           .arg(MaxWordEntries)
                           .arg(MaxWordEntries + list.LinesLeftOut));
  return inserts;
}

void WriteManifest(TStaged& staged, const TInstallation& inst, const TLessonManifest& m) {
  staged.Put(RealOf(inst, ManifestPath(m.Name)), WriteLessonManifest(m));
  staged.Commit();
}

}  // namespace

QByteArray UndoLessonInsert(const QByteArray& bytes, const TLessonInsert& insert,
                            const QByteArray& heir) {
  QList<QByteArray> lines = SplitLines(bytes);
  const qsizetype at = FindInserted(lines, insert.Line);
  if (at < 0) return bytes;
  const bool ended = lines[at].endsWith('\n');
  if (!heir.isEmpty() && FindInserted(lines, heir) < 0) {
    // The heir's text with the line end the place had.
    lines[at] = Bare(heir) + lines[at].mid(Bare(lines[at]).size());
    return lines.join();
  }
  lines.removeAt(at);
  // A line appended to a file without a last line end took that end with it.
  if (!ended && at > 0) lines[at - 1] = Bare(lines[at - 1]);
  if (!insert.CountBefore.isEmpty() && lines.size() > kWalkCountLine)
    lines[kWalkCountLine] = lines[kWalkCountLine] == insert.CountAfter
                                ? insert.CountBefore
                                : Counted(lines[kWalkCountLine], -1);
  return lines.join();
}

TLessonResult AddLesson(const TInstallation& inst, const QString& lessonDir, bool speech) {
  ClearPathCache();
  const TLesson lesson = ReadLesson(lessonDir);
  const TLessonManifest old = ReadManifestIfAny(inst, lesson.Name);
  QSet<QString> owned;
  for (const TLessonFile& f : old.Files) owned.insert(Key(f.Path));
  const QHash<QString, QByteArray> othersWords = SharedWords(OtherLessons(inst, lesson.Name));

  // Compiled apart, then placed.
  QTemporaryDir stage;
  if (!stage.isValid()) throw EInOutError(QStringLiteral("nie mogę utworzyć folderu tymczasowego"));
  const TInstallation staged(stage.path() + QStringLiteral("/program"),
                             stage.path() + QStringLiteral("/cd"));
  QDir().mkpath(staged.ProgramDir());
  QDir().mkpath(staged.DataRoot());
  // Word sounds are numbered after the installation's own, gaps left alone.
  const int last = LastWordSound(inst, owned);
  const auto taken = [&](const QString& sourcePath) {
    const QString rel = QString(sourcePath).replace(u'/', u'\\');
    if (rel.startsWith(QLatin1String("cd\\words\\"), Qt::CaseInsensitive) &&
        QFileInfo(rel.section(u'\\', -1)).completeBaseName().toInt() <= last)
      return true;
    return FileExists(RealOf(inst, rel)) && !owned.contains(Key(rel));
  };
  const TCompiledSources compiled =
      CompileSourceNodes(staged, LessonSources(lesson), speech, taken);
  // A word the lesson keeps stays its own; one it dropped goes to another lesson listing it.
  QSet<QString> kept;
  for (const TWordEntry& w : compiled.Words) kept.insert(StripWordArticle(w.English).toLower());
  QMap<QString, TShared> shared = WithoutInserts(inst, old, othersWords, kept);

  TLessonManifest m;
  m.Name = lesson.Name;
  m.Source = lesson.Dir;
  m.Dirs = old.Dirs;
  TStaged files;
  QStringList made;
  const auto makeDirs = [&](const QString& rel) {
    for (const QString& d : MissingDirs(inst, rel)) {
      if (!QDir().mkdir(RealOf(inst, d)))
        throw EInOutError(
            QStringLiteral("%1: nie mogę utworzyć folderu").arg(ShownPath(RealOf(inst, d))));
      NotePathWritten(RealOf(inst, d));
      made << d;
      m.Dirs << d;
    }
  };
  try {
    QDirIterator it(stage.path(), QDir::Files, QDirIterator::Subdirectories);
    QStringList stagedFiles;
    while (it.hasNext()) stagedFiles << it.next();
    stagedFiles.sort();
    for (const QString& path : stagedFiles) {
      const QString rel = path.mid(stage.path().size() + 1).replace(u'/', u'\\');
      const QString target = RealOf(inst, rel);
      if (FileExists(target) && !owned.contains(Key(rel)))
        throw EInOutError(QStringLiteral("%1: ten plik już jest w instalacji i nie pochodzi z "
                                         "lekcji „%2”; nic nie zmieniłem")
                              .arg(ShownPath(target), lesson.Name));
      const auto origin = compiled.Written.value(path);
      m.Files.push_back({rel, origin.first.isEmpty() ? QString()
                              : origin.second > 0
                                  ? QStringLiteral("%1:%2").arg(origin.first).arg(origin.second)
                                  : origin.first});
      makeDirs(rel);
      files.Copy(RealOf(inst, rel), path);
    }

    // The way in, and the words in the dictionary.
    const QString fromRel = QStringLiteral("program\\lokacje\\") + lesson.From;
    const QString fromPath = RealOf(inst, fromRel);
    const QString source = lesson.LessonFile.isEmpty() ? lesson.WordsFile : lesson.LessonFile;
    if (lesson.From.compare(LessonPlaceFile(lesson), Qt::CaseInsensitive) == 0 ||
        !FileExists(fromPath))
      throw EFormatError(
          Located(source, lesson.FromLine,
                  QStringLiteral("nie ma w instalacji miejsca %1").arg(lesson.From)));
    if (!shared.contains(Key(fromRel)))
      shared[Key(fromRel)] = {fromRel, ReadOrFail(fromPath, lesson.From)};
    m.Inserts.push_back(AddWay(shared[Key(fromRel)].Bytes, fromRel, lesson, ShownPath(fromPath)));
    const QString listPath = RealOf(inst, kWordList);
    if (!shared.contains(Key(kWordList)))
      shared[Key(kWordList)] = {kWordList,
                                ReadOrFail(listPath, QStringLiteral("listy słów słownika"))};
    for (const TLessonInsert& i :
         AddWords(shared[Key(kWordList)].Bytes, compiled.Words, ShownPath(listPath), othersWords))
      m.Inserts.push_back(i);
    // The sign over the way in, on the place's picture.
    const QString pictureRel = QStringLiteral("cd\\lokacje\\") +
                               ReadLocation(shared[Key(fromRel)].Bytes, lesson.From).Picture;
    const QString recordPath = RealOf(inst, SignRecord(lesson.Name));
    if (FileExists(recordPath) && !owned.contains(Key(SignRecord(lesson.Name))))
      throw EInOutError(
          QStringLiteral(
              "%1: ten plik już jest w instalacji i nie pochodzi z lekcji „%2”; nic nie zmieniłem")
              .arg(ShownPath(recordPath), lesson.Name));
    if (FileExists(RealOf(inst, pictureRel))) {
      if (!shared.contains(Key(pictureRel)))
        shared[Key(pictureRel)] = {pictureRel, ReadOrFail(RealOf(inst, pictureRel), pictureRel)};
      TLessonSign sign{pictureRel, 0, 0, 0, 0, {}};
      const QByteArray painted =
          PaintSign(shared[Key(pictureRel)].Bytes, lesson.At.isNull() ? kDefaultWay : lesson.At,
                    lesson, sign);
      if (!painted.isEmpty()) {
        makeDirs(SignRecord(lesson.Name));
        files.Put(recordPath, shared[Key(pictureRel)].Bytes);
        m.Files.push_back({SignRecord(lesson.Name), {}});
        shared[Key(pictureRel)].Bytes = painted;
        m.Signs.push_back(sign);
      }
    }
    makeDirs(ManifestPath(lesson.Name));
    for (const TShared& f : shared) files.Put(RealOf(inst, f.Rel), f.Bytes);

    // The record of old and new together first: a crash from here on leaves
    // what building again or --remove needs to finish.
    TLessonManifest both = m;
    for (const TLessonFile& f : old.Files)
      if (std::none_of(m.Files.begin(), m.Files.end(),
                       [&](const TLessonFile& n) { return Key(n.Path) == Key(f.Path); }))
        both.Files.push_back(f);
    both.Inserts.insert(both.Inserts.begin(), old.Inserts.begin(), old.Inserts.end());
    both.Signs.insert(both.Signs.begin(), old.Signs.begin(), old.Signs.end());
    TStaged record;
    WriteManifest(record, inst, both);
  } catch (...) {
    // Nothing was placed: the temporaries and the folders made for them go again.
    files.Discard();
    QStringList undo = made;
    RemoveEmptyDirs(inst, undo);
    throw;
  }
  files.Commit();
  for (const TLessonFile& f : old.Files)
    if (std::none_of(m.Files.begin(), m.Files.end(),
                     [&](const TLessonFile& n) { return Key(n.Path) == Key(f.Path); }))
      QFile::remove(RealOf(inst, f.Path));
  RemoveEmptyDirs(inst, m.Dirs);
  TStaged record;
  WriteManifest(record, inst, m);
  ClearPathCache();

  TLessonResult result;
  result.Place = LessonPlaceFile(lesson);
  result.From = lesson.From;
  result.Files = static_cast<int>(m.Files.size());
  result.Words = static_cast<int>(lesson.Words.size());
  result.Exercises = compiled.Report.Exercises;
  return result;
}

void RemoveLesson(const TInstallation& inst, const QString& lessonDir) {
  ClearPathCache();
  const QString name = LessonName(lessonDir);
  TLessonManifest m = ReadManifestIfAny(inst, name);
  if (m.Name.isEmpty())
    throw EInOutError(QStringLiteral("%1: w tej instalacji nie ma lekcji „%2”")
                          .arg(ShownPath(inst.ProgramDir()), name));
  TStaged files;
  for (const TShared& f : WithoutInserts(inst, m, SharedWords(OtherLessons(inst, name))))
    files.Put(RealOf(inst, f.Rel), f.Bytes);
  files.Commit();
  for (const TLessonFile& f : m.Files) {
    QFile::remove(RealOf(inst, f.Path));
    NotePathWritten(RealOf(inst, f.Path));
  }
  QFile::remove(RealOf(inst, ManifestPath(name)));
  NotePathWritten(RealOf(inst, ManifestPath(name)));
  // Every folder the lesson made, when nothing else has moved in; one that
  // another lesson still uses becomes that lesson's to remove.
  QStringList dirs = m.Dirs;
  RemoveEmptyDirs(inst, dirs);
  const QString records = RealOf(inst, QStringLiteral("program\\lekcje"));
  const QStringList others =
      QDir(records).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
  if (!dirs.isEmpty() && !others.isEmpty()) {
    const QString path = records + u'/' + others[0];
    TLessonManifest heir =
        ReadLessonManifest(ReadOrFail(path, QStringLiteral("zapisu lekcji")), ShownPath(path));
    for (const QString& d : dirs)
      if (!heir.Dirs.contains(d)) heir.Dirs << d;
    TStaged record;
    WriteManifest(record, inst, heir);
  }
  ClearPathCache();
}

QHash<QString, QString> LessonOrigins(const QString& programDir) {
  QHash<QString, QString> origins;
  const QString dir = ResolvePath(programDir + QStringLiteral("/lekcje"));
  for (const QString& f : QDir(dir).entryList({QStringLiteral("*.txt")}, QDir::Files)) {
    try {
      const TLessonManifest m = ReadLessonManifest(ReadWholeFile(dir + u'/' + f), dir + u'/' + f);
      for (const TLessonFile& file : m.Files)
        if (!file.Origin.isEmpty())
          origins.insert(NormalizeSeparators(file.Path.mid(file.Path.indexOf(u'\\'))), file.Origin);
    } catch (const Exception&) {
    }
  }
  return origins;
}

int RunBuildLesson(const QStringList& args) {
  QStringList positional;
  QString into;
  bool remove = false, speech = true, bad = false;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--into") && i + 1 < args.size())
      into = args[++i];
    else if (args[i] == QLatin1String("--remove"))
      remove = true;
    else if (args[i] == QLatin1String("--no-speech"))
      speech = false;
    else if (args[i].startsWith(QLatin1String("--")))
      bad = true;
    else
      positional << args[i];
  }
  if (bad || into.isEmpty() || positional.isEmpty() || positional.size() > 2) {
    std::fprintf(stderr,
                 "Usage: tarvolin-content build LESSONS_DIR --into PROGRAM_DIR [DATA_ROOT] "
                 "[--remove] [--no-speech]\n");
    return 2;
  }
  const QString programDir = QDir(into).absolutePath();
  QString dataRoot = positional.value(1);
  if (dataRoot.isEmpty()) {
    if (const QString problem = SettingsFileProblem(programDir); !problem.isEmpty())
      throw EInOutError(problem);
    // As the game finds it: a drive letter of the original's system is looked for on the mounted
    // volumes.
    dataRoot = FindDataRootAtStart(programDir, QString());
  }
  // A data root given counts from here, the settings file's from the program directory.
  dataRoot = positional.size() > 1 ? QDir(dataRoot).absolutePath()
                                   : QDir(programDir).absoluteFilePath(dataRoot);
  if (!DirectoryExists(programDir) || !DirectoryExists(dataRoot))
    throw EInOutError(QStringLiteral("%1: nie ma takiego folderu")
                          .arg(ShownPath(DirectoryExists(programDir) ? dataRoot : programDir)));
  const TInstallation inst(programDir, dataRoot);
  if (remove) {
    RemoveLesson(inst, positional[0]);
    std::printf("lekcja „%s” usunięta\n", qPrintable(LessonName(positional[0])));
    return 0;
  }
  const TLessonResult r = AddLesson(inst, positional[0], speech);
  std::printf("%s: %s, %s, %s; wejście z %s\n", qPrintable(r.Place),
              PolishCount(r.Words, "słowo", "słowa", "słów").toUtf8().constData(),
              PolishCount(r.Exercises, "ćwiczenie", "ćwiczenia", "ćwiczeń").toUtf8().constData(),
              PolishCount(r.Files, "plik", "pliki", "plików").toUtf8().constData(),
              qPrintable(r.From));
  return 0;
}
