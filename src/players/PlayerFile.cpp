#include "players/PlayerFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cstdio>
#include <optional>

#include "app/InstallationChoice.h"
#include "platform/Errors.h"
#include "platform/FolderLock.h"
#include "platform/Paths.h"
#include "platform/SafeMath.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "platform/Win1250.h"
#include "world/Rewards.h"

namespace {

const QString kListName = QStringLiteral("_Lista_Logowania.txt");

// Each place line: a key the reader never looks at, "=" and a two-digit
// prefix the reader drops with it.
constexpr std::array<const char*, PlaceTotal> kPlacePrefixes = {
    "CDR=12", "AD1=43", "C6B=21", "KWS=35", "OMB=18", "LST=98", "CWA=23"};

// The signed-in player's file as this game last read or wrote it, and the
// file it belongs to: what the session changed is measured from it.
TPlayerFile g_base;
QString g_basePath;
// Names on the read-only installation's list (and its lone player files).
QStringList g_readOnlyNames;

// Positions of the first `count` occurrences of `sep`, or an empty vector.
std::vector<qsizetype> Separators(const QString& line, QChar sep, int count) {
  std::vector<qsizetype> at;
  qsizetype from = 0;
  while (static_cast<int>(at.size()) < count) {
    const qsizetype p = line.indexOf(sep, from);
    if (p < 0) return {};
    at.push_back(p);
    from = p + 1;
  }
  return at;
}

QString Between(const QString& line, qsizetype open, qsizetype close) {
  return line.mid(open + 1, close - open - 1);
}

bool IsControl(QChar c) {
  const char16_t u = c.unicode();
  return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

bool IsReservedDeviceName(const QString& name) {
  // Windows ignores what follows the first dot and trailing blanks of the base.
  const QString base = UpperCase(TrimRight(name.section(u'.', 0, 0)));
  static const QStringList fixed = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
  if (fixed.contains(base)) return true;
  return base.size() == 4 && (base.startsWith(QStringLiteral("COM")) || base.startsWith(QStringLiteral("LPT"))) &&
         base[3] >= u'1' && base[3] <= u'9';
}

QString Quoted(const QString& s) { return QStringLiteral("\u201E%1\u201D").arg(s); }

// A player of this name would be saved over the list itself.
QString ListNameProblem(const QString& name) {
  if (name.compare(QStringView(kListName).chopped(4), Qt::CaseInsensitive) != 0) return {};
  return QStringLiteral(
             "Imienia %1 nie można użyć, bo tak nazywa się lista graczy. Wybierz inne imię.")
      .arg(Quoted(name));
}

// A file the readers would refuse is never written: the lines kept past the
// limits go first, and if that is not enough the save fails.
template <class T, class Format>
QByteArray WithinCap(T content, Format format, const QString& path) {
  const qint64 cap = FileSizeCap(TFileKind::Text);
  QByteArray bytes = format(content);
  if (bytes.size() > cap && !content.ExtraLines.isEmpty()) {
    content.ExtraLines.clear();
    bytes = format(content);
  }
  if (bytes.size() > cap)
    throw EInOutError(QStringLiteral("Nie można zapisać pliku %1 (byłby większy niż %2 MB)")
                          .arg(ShownPath(path))
                          .arg(cap >> 20));
  return bytes;
}

}  // namespace

// ---------------------------------------------------------------- formats

TPlayerFile ParsePlayerFile(const QByteArray& bytes, const QString& fileName) {
  TTextReader reader(bytes, fileName);
  TPlayerFile p;
  const QString header = reader.ReadLine();
  const auto eq = Separators(header, u'=', 6);
  if (eq.empty())
    throw EFormatError(Located(fileName, 1, QStringLiteral("nagłówek gracza ma mniej niż sześć znaków \u201E=\u201D")));
  p.Name = header.left(eq[0]);
  p.LastPlayDate = Between(header, eq[0], eq[1]);
  // Each number follows a two-character prefix that is dropped unread.
  const auto number = [&](int k) { return StrToInt(Between(header, eq[k], eq[k + 1]).mid(2), fileName, 1); };
  p.VisitCount = number(1);
  p.RedCount = number(2);
  p.GreenCount = number(3);
  p.Sex = Between(header, eq[4], eq[5]);

  for (int& count : p.PlaceCount) {
    const QString line = reader.ReadLine();
    count = StrToInt(line.mid(6), fileName, reader.LineNo());
  }

  while (!reader.Eof()) {
    const QString line = reader.ReadLine();
    if (Trim(line).isEmpty()) continue;
    if (static_cast<int>(p.Results.size()) == MaxResults) {
      if (p.ExtraLines.size() < ExtraResultLimit) p.ExtraLines << line;
      continue;
    }
    const auto hash = Separators(line, u'#', 4);
    if (hash.empty())
      throw EFormatError(
          Located(fileName, reader.LineNo(), QStringLiteral("wiersz wyniku ma mniej niż cztery znaki \u201E#\u201D")));
    TExerciseResult r;
    r.Key = line.left(hash[0]);
    r.File = Between(line, hash[0], hash[1]);
    r.Done = StrToInt(Between(line, hash[1], hash[2]), fileName, reader.LineNo());
    r.Points = StrToInt(Between(line, hash[2], hash[3]), fileName, reader.LineNo());
    p.Results.push_back(r);
  }
  return p;
}

QByteArray FormatPlayerFile(const TPlayerFile& p) {
  TTextWriter w;
  w.WriteLine(p.Name + u'=' + p.LastPlayDate + QStringLiteral("=21") + IntToStr(p.VisitCount) +
              QStringLiteral("=15") + IntToStr(p.RedCount) + QStringLiteral("=32") + IntToStr(p.GreenCount) +
              u'=' + p.Sex + u'=');
  for (int i = 0; i < PlaceTotal; ++i) w.WriteLine(QLatin1String(kPlacePrefixes[i]) + IntToStr(p.PlaceCount[i]));
  for (const TExerciseResult& r : p.Results) {
    if (Trim(r.Key).isEmpty()) continue;
    w.WriteLine(r.Key + u'#' + r.File + u'#' + IntToStr(r.Done) + u'#' + IntToStr(r.Points) + u'#');
  }
  for (const QString& line : p.ExtraLines) w.WriteLine(line);
  return w.Bytes();
}

TPlayerFile NewPlayerFile(const QString& name, const QString& date, bool boy) {
  TPlayerFile p;
  p.Name = name;
  p.LastPlayDate = date;
  p.VisitCount = 1;
  p.Sex = boy ? QStringLiteral("Man") : QStringLiteral("Woman");
  return p;
}

TPlayerList ParsePlayerList(const QByteArray& bytes) {
  TPlayerList list;
  TTextReader in(bytes);
  while (!in.Eof() && list.ExtraLines.size() < ExtraNameLimit) {
    const QString line = in.ReadLine();
    if (Trim(line).isEmpty()) continue;
    if (list.Names.size() < MaxListedPlayers)
      list.Names << line;  // kept as read, untrimmed
    else
      list.ExtraLines << line;
  }
  return list;
}

QByteArray FormatPlayerList(const TPlayerList& list) {
  TTextWriter w;
  for (const QString& name : list.Names) w.WriteLine(name);
  for (const QString& line : list.ExtraLines) w.WriteLine(line);
  return w.Bytes();
}

// ---------------------------------------------------------------- names

QString NicknameProblem(const QString& name) {
  if (name.isEmpty()) return QStringLiteral("Imię nie może być puste.");
  for (QChar c : name) {
    if (IsControl(c)) return QStringLiteral("W imieniu nie może być znaków sterujących.");
    // "=" ends the name in the player's file; the rest cannot be in a file name.
    if (QStringLiteral("\\/:*?\"<>|=").contains(c))
      return QStringLiteral("W imieniu nie może być znaku %1.").arg(Quoted(c));
  }
  // Whole characters, so that an emoji is named as itself, not as half of it.
  for (qsizetype i = 0; i < name.size();) {
    const qsizetype length =
        name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate() ? 2 : 1;
    const QString character = name.mid(i, length);
    if (!CanEncodeWin1250(character))
      return QStringLiteral("Program nie umie zapisać znaku %1. Wpisz imię innymi literami.")
          .arg(Quoted(character));
    i += length;
  }
  if (name.endsWith(u'.') || name.endsWith(u' '))
    return QStringLiteral("Imię nie może kończyć się kropką ani spacją.");
  if (QString problem = ListNameProblem(name); !problem.isEmpty()) return problem;
  if (IsReservedDeviceName(name))
    return QStringLiteral("Imienia %1 nie można użyć, bo tak nazywa się urządzenie w systemie. Wybierz inne imię.")
        .arg(Quoted(name));
  return {};
}

QString ListedNameProblem(const QString& name) {
  if (name.isEmpty()) return QStringLiteral("Imię nie może być puste.");
  for (QChar c : name) {
    if (c.isNull()) return QStringLiteral("W imieniu nie może być znaków sterujących.");
    if (c == u'/' || c == u'\\')
      return QStringLiteral("W imieniu nie może być znaku %1.").arg(Quoted(c));
  }
  return ListNameProblem(name);
}

QString NewPlayerProblem(const QString& name) {
  if (PlayerCount >= MaxListedPlayers)
    return QStringLiteral("Lista graczy jest pełna (%1 imion). Nie można dodać nowego gracza.").arg(MaxListedPlayers);
  if (QString problem = NicknameProblem(name); !problem.isEmpty()) return problem;
  // On a file system that ignores letter case "óla.txt" would be "Óla.txt".
  const QString dir = ResolvePath(LoginDir);
  const QFileInfo info(dir + name + QStringLiteral(".txt"));
  if (info.exists()) {
    if (!QDir(dir).entryList(QDir::Files).contains(info.fileName()))
      return QStringLiteral("Gracz o takim imieniu, inaczej zapisanym wielkimi i małymi literami, ma już swój plik. "
                            "Wybierz inne imię.");
  }
  return {};
}

// ---------------------------------------------------------------- merging

namespace {

// Completions are matched by Key and File without regard to case, as
// CountCompletion matches them.
QString ResultId(const TExerciseResult& r) {
  return r.Key.toCaseFolded() + u'#' + r.File.toCaseFolded();
}

QHash<QString, int> ResultIndex(const std::vector<TExerciseResult>& results) {
  QHash<QString, int> index;
  for (int i = 0; i < static_cast<int>(results.size()); ++i) index.insert(ResultId(results[i]), i);
  return index;
}

bool IsDate(const QString& s) {
  static const QRegularExpression date(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
  return date.match(s).hasMatch();
}

}  // namespace

// The rule per field, from what each field means:
// - Name, Sex: the session's when it changed them (it never does), else the file's.
// - LastPlayDate, the last visit: the file's, unless the session changed it;
//   then the later of the two ("yyyy-mm-dd" sorts as text), or the session's
//   when either is no such date.
// - VisitCount and GreenCount count visits and points, repeats included: the
//   file's plus what the session added, so two sessions both count.
// - Results, one per exercise done: the file's records, each with the points
//   the session added to it and done when either session did it; then the
//   records only the session has. A record is never lost.
// - RedCount and PlaceCount count different exercises done (overall and per
//   place): the file's plus what the session added, less each exercise that
//   both sessions did for the first time, which counts once (in the places
//   its file names, as AdvancePlaceCounters counted it).
// - Result lines past the limit: the file's.
TPlayerFile MergePlayerFile(const TPlayerFile& base, const TPlayerFile& session,
                            const TPlayerFile& current) {
  TPlayerFile m = current;
  if (session.Name != base.Name) m.Name = session.Name;
  if (session.Sex != base.Sex) m.Sex = session.Sex;
  if (session.LastPlayDate != base.LastPlayDate)
    m.LastPlayDate = IsDate(session.LastPlayDate) && IsDate(current.LastPlayDate)
                         ? std::max(session.LastPlayDate, current.LastPlayDate)
                         : session.LastPlayDate;
  m.VisitCount = std::max(0, AddClamped(current.VisitCount, session.VisitCount - base.VisitCount));
  m.GreenCount = std::max(0, AddClamped(current.GreenCount, session.GreenCount - base.GreenCount));
  int red = AddClamped(current.RedCount, session.RedCount - base.RedCount);
  std::array<int, PlaceTotal> places = current.PlaceCount;
  for (int p = 0; p < PlaceTotal; ++p)
    places[p] = AddClamped(places[p], session.PlaceCount[p] - base.PlaceCount[p]);

  const QHash<QString, int> inBase = ResultIndex(base.Results);
  QHash<QString, int> inMerged = ResultIndex(m.Results);
  std::vector<TExerciseResult> added;
  for (const TExerciseResult& r : session.Results) {
    if (Trim(r.Key).isEmpty()) continue;
    const QString id = ResultId(r);
    const auto b = inBase.constFind(id);
    const bool doneBefore = b != inBase.constEnd() && base.Results[*b].Done != 0;
    const int gained = r.Points - (b != inBase.constEnd() ? base.Results[*b].Points : 0);
    const auto c = inMerged.constFind(id);
    if (c == inMerged.constEnd()) {
      // New to the file (or dropped from it by someone else): the session's record whole.
      inMerged.insert(id, static_cast<int>(m.Results.size() + added.size()));
      added.push_back(r);
      continue;
    }
    TExerciseResult& mine =
        *c < static_cast<int>(m.Results.size()) ? m.Results[*c] : added[*c - m.Results.size()];
    mine.Points = AddClamped(mine.Points, gained);
    if (r.Done != 0 && !doneBefore) {
      if (mine.Done != 0) {
        // The other session did it first: one exercise, counted once.
        red = AddClamped(red, -1);
        const QString lower = LowerCase(r.File);
        for (int p = 0; p < PlaceTotal; ++p)
          if (FindFrom(1, lower, QLatin1String(Places[p].Word)) >= 0)
            places[p] = AddClamped(places[p], -1);
      } else {
        mine.Done = r.Done;
      }
    }
  }
  m.RedCount = std::max(0, red);
  for (int p = 0; p < PlaceTotal; ++p) m.PlaceCount[p] = std::max(0, places[p]);
  // Records past the table's room are kept as lines, as read ones are.
  for (const TExerciseResult& r : added) {
    if (static_cast<int>(m.Results.size()) < MaxResults) {
      m.Results.push_back(r);
    } else {
      m.ExtraLines << r.Key + u'#' + r.File + u'#' + IntToStr(r.Done) + u'#' + IntToStr(r.Points) +
                          u'#';
    }
  }
  return m;
}

// ---------------------------------------------------------------- places

QString ChooseLoginDir(const QString& preferred) {
  return WritableFolder(preferred, kListName, QStringLiteral("login/"));
}

QString PlayerListPath() { return LoginDir + kListName; }
QString PlayerFilePath(const QString& name) { return LoginDir + name + QStringLiteral(".txt"); }

QString PlayerReadPath(const QString& name) {
  const QString own = PlayerFilePath(name);
  if (ReadOnlyLoginDir.isEmpty() || FileExists(own)) return own;
  const QString installed = ReadOnlyLoginDir + name + QStringLiteral(".txt");
  return FileExists(installed) ? installed : own;
}

QString LoginFolderNotice() {
  if (ReadOnlyLoginDir.isEmpty()) return {};
  return QStringLiteral(
             "Do folderu graczy %1 nie można zapisywać. Jego gracze są na liście, ale postępy "
             "wszystkich "
             "graczy będą zapisywane w folderze %2.")
      .arg(ShownPath(ResolvePath(ReadOnlyLoginDir)), ShownPath(ResolvePath(LoginDir)));
}

// ---------------------------------------------------------------- routines

namespace {

// The list in `dir` as it is now; an empty one when there is none.
TPlayerList ReadListIn(const QString& dir) {
  const QString path = dir + kListName;
  return FileExists(path) ? ParsePlayerList(ReadWholeFile(path)) : TPlayerList{};
}

// Player files in `dir` whose names `listed` lacks: a file named after the
// nickname its header holds.
QStringList LonePlayerFiles(const QString& dir, const QStringList& listed) {
  QStringList lone;
  const QString real = ResolvePath(dir);
  const QSet<QString> known(listed.begin(), listed.end());
  for (const QString& entry :
       QDir(real).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
    const QString name = entry.chopped(4);
    if (known.contains(name) || !ListedNameProblem(name).isEmpty()) continue;
    try {
      const QByteArray head = ReadFileHead(real + u'/' + entry, 4096);
      const QString header = TTextReader(head).ReadLine();
      if (header.startsWith(name + u'=')) lone << name;
    } catch (const Exception&) {
      // Not a player's file that can be read: it stays off the list.
    }
  }
  return lone;
}

// Adds `names` that `list` lacks; false when it already had them all.
bool AddNames(TPlayerList& list, const QStringList& names) {
  bool changed = false;
  for (const QString& name : names) {
    if (list.Names.contains(name) || list.ExtraLines.contains(name)) continue;
    if (list.Names.size() >= MaxListedPlayers)
      throw EInvalidOperation(
          QStringLiteral("Lista graczy jest pełna (%1 imion). Nie można dodać nowego gracza.")
              .arg(MaxListedPlayers));
    list.Names << name;
    changed = true;
  }
  return changed;
}

void WriteList(const TPlayerList& list) {
  const QString path = PlayerListPath();
  WriteFileAtomic(path, WithinCap(list, FormatPlayerList, path));
}

// PlayerNames := the read-only installation's names, then `own`'s.
void HoldNames(const TPlayerList& own) {
  PlayerNames.fill(QString());
  PlayerCount = 0;
  for (const QStringList* names :
       std::initializer_list<const QStringList*>{&g_readOnlyNames, &own.Names})
    for (const QString& name : *names)
      if (PlayerCount < MaxListedPlayers &&
          !std::count(PlayerNames.begin(), PlayerNames.begin() + PlayerCount, name))
        PlayerNames[PlayerCount++] = name;
}

void HoldPlayer(const TPlayerFile& p, const QString& path) {
  PlayerName = p.Name;
  LastPlayDate = p.LastPlayDate;
  VisitCount = p.VisitCount;
  RedCount = p.RedCount;
  GreenCount = p.GreenCount;
  PlayerSex = p.Sex;
  PlaceCount = p.PlaceCount;
  ExerciseResults.fill(TExerciseResult{});
  ResultCount = 0;
  for (const TExerciseResult& r : p.Results)
    if (ResultCount < MaxResults) ExerciseResults[ResultCount++] = r;
  g_base = p;
  g_basePath = ResolvePath(path);
}

TPlayerFile SessionState() {
  TPlayerFile p;
  p.Name = PlayerName;
  p.LastPlayDate = LastPlayDate;
  p.VisitCount = VisitCount;
  p.RedCount = RedCount;
  p.GreenCount = GreenCount;
  p.Sex = PlayerSex;
  p.PlaceCount = PlaceCount;
  const int count = std::clamp(ResultCount, 0, MaxResults);
  p.Results.assign(ExerciseResults.begin(), ExerciseResults.begin() + count);
  return p;
}

}  // namespace

void LoadPlayerList() {
  const QString installation = ReadOnlyLoginDir.isEmpty() ? LoginDir : ReadOnlyLoginDir;
  ReadOnlyLoginDir.clear();
  g_readOnlyNames.clear();
  LoginDir = ChooseLoginDir(installation);
  if (LoginDir != installation && !ProgramDirShared && DirectoryExists(installation)) {
    // A share the pupils may only read: its players still sign in. (The demo
    // installed with the game is no class's: its users start on their own.)
    ReadOnlyLoginDir = installation;
    g_readOnlyNames = ReadListIn(installation).Names;
    g_readOnlyNames << LonePlayerFiles(installation, g_readOnlyNames);
  }
  if (!FileExists(PlayerListPath())) {
    // Another game may be creating it with its first player right now.
    TFolderLock lock(LoginDir);
    if (!FileExists(PlayerListPath())) WriteFileAtomic(PlayerListPath(), QByteArray());
  }
  TPlayerList own = ReadListIn(LoginDir);
  QStringList lone = LonePlayerFiles(LoginDir, own.Names + own.ExtraLines);
  if (!lone.isEmpty()) {
    // Put back under the lock, onto the list as it is now; when that fails
    // they are still offered for this run.
    try {
      TFolderLock lock(LoginDir);
      own = ReadListIn(LoginDir);
      if (AddNames(own, LonePlayerFiles(LoginDir, own.Names + own.ExtraLines))) WriteList(own);
    } catch (const Exception& e) {
      std::fprintf(stderr, "tarvolin: %s\n", e.what());
      AddNames(own, lone);
    }
  }
  HoldNames(own);
}

void SavePlayerList() {
  QStringList mine;
  for (int i = 0; i < std::clamp(PlayerCount, 0, MaxListedPlayers); ++i)
    if (!g_readOnlyNames.contains(PlayerNames[i])) mine << PlayerNames[i];
  TFolderLock lock(LoginDir);
  TPlayerList list = ReadListIn(LoginDir);
  if (AddNames(list, mine) || !FileExists(PlayerListPath())) WriteList(list);
  HoldNames(list);
}

void LoadPlayer(int i) {
  ShortDateFormat = QStringLiteral("yyyy-mm-dd");
  if (i < 0 || i >= PlayerCount || PlayerNames[i].isEmpty()) return;
  const QString path = PlayerReadPath(PlayerNames[i]);
  if (const QString problem = ListedNameProblem(PlayerNames[i]); !problem.isEmpty())
    throw EInOutError(
        QStringLiteral("Nie można otworzyć pliku %1 (%2)").arg(ShownPath(path), problem));
  const TPlayerFile p = ParsePlayerFile(ReadWholeFile(path), path);
  // The header's name is the one saved under; it must stay in LoginDir too.
  if (const QString problem = ListedNameProblem(p.Name); !problem.isEmpty())
    throw EFormatError(Located(path, 1, problem));
  HoldPlayer(p, PlayerFilePath(p.Name));
}

void SavePlayer() {
  ShortDateFormat = QStringLiteral("yyyy-mm-dd");
  const QString path = PlayerFilePath(PlayerName);
  if (const QString problem = ListedNameProblem(PlayerName); !problem.isEmpty())
    throw EInOutError(
        QStringLiteral("Nie można zapisać pliku %1 (%2)").arg(ShownPath(path), problem));
  const TPlayerFile session = SessionState();
  TFolderLock lock(LoginDir);
  const QString readPath = PlayerReadPath(PlayerName);
  std::optional<TPlayerFile> current;
  if (FileExists(readPath)) {
    try {
      current = ParsePlayerFile(ReadWholeFile(readPath), readPath);
    } catch (const EFormatError&) {
      // A file broken since it was read holds nothing the game could use:
      // the session's state replaces it, as a whole save always did.
    } catch (const EConvertError&) {
    }
  }
  TPlayerFile merged = session;
  if (current && g_basePath == ResolvePath(path)) {
    merged = MergePlayerFile(g_base, session, *current);
  } else if (current) {
    merged.ExtraLines = current->ExtraLines;
  }
  WriteFileAtomic(path, WithinCap(merged, FormatPlayerFile, path));
  HoldPlayer(merged, path);
}

void WriteNewPlayer(const QString& name, bool boy) {
  if (const QString problem = NewPlayerProblem(name); !problem.isEmpty()) throw EInvalidOperation(problem);
  ShortDateFormat = QStringLiteral("yyyy-mm-dd");
  const TPlayerFile p = NewPlayerFile(name, DateToStr(), boy);
  {
    TFolderLock lock(LoginDir);
    TPlayerList list = ReadListIn(LoginDir);
    // Another game may have added the name since this one read the list.
    for (const QStringList* names :
         std::initializer_list<const QStringList*>{&g_readOnlyNames, &list.Names})
      for (const QString& listed : *names)
        if (UpperCase(listed) == UpperCase(name)) {
          HoldNames(list);
          throw EInvalidOperation(QStringLiteral("Takie imię już jest na liście."));
        }
    // A file of exactly that name belongs to a player the list lost: it goes
    // back on the list and is never overwritten.
    const QString fileName = name + QStringLiteral(".txt");
    if (QFileInfo::exists(ResolvePath(LoginDir) + fileName) ||
        (!ReadOnlyLoginDir.isEmpty() &&
         QFileInfo::exists(ResolvePath(ReadOnlyLoginDir) + fileName))) {
      if (AddNames(list, LonePlayerFiles(LoginDir, list.Names + list.ExtraLines))) WriteList(list);
      HoldNames(list);
      throw EInvalidOperation(
          QStringLiteral(
              "Gracz %1 ma już swój plik, więc wraca na listę. Wybierz go albo wpisz inne imię.")
              .arg(Quoted(name)));
    }
    AddNames(list, {name});
    // A list that could not be written stops it before the player's file is.
    const QByteArray listBytes = WithinCap(list, FormatPlayerList, PlayerListPath());
    // Exactly this name: "óla" must not replace the file of "Óla".
    WriteFileAtomic(PlayerFilePath(name), FormatPlayerFile(p), true);
    WriteFileAtomic(PlayerListPath(), listBytes);
    HoldNames(list);
  }
  HoldPlayer(p, PlayerFilePath(name));
}
