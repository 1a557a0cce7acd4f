#include "players/PlayerFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "app/InstallationChoice.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "platform/Win1250.h"

namespace {

const QString kListName = QStringLiteral("_Lista_Logowania.txt");

// Each place line: a key the reader never looks at, "=" and a two-digit
// prefix the reader drops with it.
constexpr std::array<const char*, PlaceTotal> kPlacePrefixes = {
    "CDR=12", "AD1=43", "C6B=21", "KWS=35", "OMB=18", "LST=98", "CWA=23"};

// Lines past the limits, with the file they were read from, so that they go
// back only into that same file.
struct TExtra {
  QString Path;
  QStringList Lines;
};
TExtra g_listExtra;
TExtra g_resultExtra;

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

// Creates `dir` if needed; true when files can be written in it.
bool UsableForWriting(const QString& dir) {
  const QString real = ResolvePath(dir);
  QFileInfo info(real);
  if (!info.exists()) {
    if (!QDir().mkpath(real)) return false;
    NotePathWritten(QDir::cleanPath(real));
    info.refresh();
  }
  if (!info.isDir() || !info.isWritable()) return false;
  const QFileInfo list(ResolvePath(dir + u'/' + kListName));
  return !list.exists() || list.isWritable();
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

// ---------------------------------------------------------------- places

QString ChooseLoginDir(const QString& preferred) {
  if (!ProgramDirShared && UsableForWriting(preferred)) return preferred;
  const QString base = UserDataDir();
  if (base.isEmpty()) return preferred;  // nowhere better; the writes will say what failed
  const QString user = base + QStringLiteral("/login/");
  if (!QDir().mkpath(user)) return preferred;
  NotePathWritten(QDir::cleanPath(user));
  return user;
}

QString PlayerListPath() { return LoginDir + kListName; }
QString PlayerFilePath(const QString& name) { return LoginDir + name + QStringLiteral(".txt"); }

// ---------------------------------------------------------------- routines

void LoadPlayerList() {
  PlayerCount = 0;
  PlayerNames.fill(QString());
  LoginDir = ChooseLoginDir(LoginDir);
  const QString path = PlayerListPath();
  if (!FileExists(path)) WriteFileAtomic(path, QByteArray());
  const TPlayerList list = ParsePlayerList(ReadWholeFile(path));
  for (const QString& name : list.Names) PlayerNames[PlayerCount++] = name;
  g_listExtra = TExtra{ResolvePath(path), list.ExtraLines};
}

void SavePlayerList() {
  TPlayerList list;
  for (int i = 0; i < std::clamp(PlayerCount, 0, MaxListedPlayers); ++i) list.Names << PlayerNames[i];
  const QString path = PlayerListPath();
  // A list that could not be read is never replaced by the names we know.
  if (g_listExtra.Path != ResolvePath(path) && FileExists(path))
    throw EInOutError(
        QStringLiteral("Nie można zapisać pliku %1 (lista graczy nie została wczytana)")
            .arg(ShownPath(path)));
  if (g_listExtra.Path == ResolvePath(path)) list.ExtraLines = g_listExtra.Lines;
  WriteFileAtomic(path, WithinCap(list, FormatPlayerList, path));
}

void LoadPlayer(int i) {
  ShortDateFormat = QStringLiteral("yyyy-mm-dd");
  if (i < 0 || i >= PlayerCount || PlayerNames[i].isEmpty()) return;
  const QString path = PlayerFilePath(PlayerNames[i]);
  if (const QString problem = ListedNameProblem(PlayerNames[i]); !problem.isEmpty())
    throw EInOutError(
        QStringLiteral("Nie można otworzyć pliku %1 (%2)").arg(ShownPath(path), problem));
  TPlayerFile p = ParsePlayerFile(ReadWholeFile(path), path);
  // The header's name is the one saved under; it must stay in LoginDir too.
  if (const QString problem = ListedNameProblem(p.Name); !problem.isEmpty())
    throw EFormatError(Located(path, 1, problem));

  PlayerName = p.Name;
  LastPlayDate = p.LastPlayDate;
  VisitCount = p.VisitCount;
  RedCount = p.RedCount;
  GreenCount = p.GreenCount;
  PlayerSex = p.Sex;
  PlaceCount = p.PlaceCount;
  ExerciseResults.fill(TExerciseResult{});
  ResultCount = 0;
  for (const TExerciseResult& r : p.Results) ExerciseResults[ResultCount++] = r;
  g_resultExtra = TExtra{ResolvePath(PlayerFilePath(p.Name)), p.ExtraLines};
}

void SavePlayer() {
  ShortDateFormat = QStringLiteral("yyyy-mm-dd");
  const QString path = PlayerFilePath(PlayerName);
  if (const QString problem = ListedNameProblem(PlayerName); !problem.isEmpty())
    throw EInOutError(
        QStringLiteral("Nie można zapisać pliku %1 (%2)").arg(ShownPath(path), problem));
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
  if (g_resultExtra.Path == ResolvePath(path)) p.ExtraLines = g_resultExtra.Lines;
  WriteFileAtomic(path, WithinCap(p, FormatPlayerFile, path));
}

void WriteNewPlayer(const QString& name, bool boy) {
  if (const QString problem = NewPlayerProblem(name); !problem.isEmpty()) throw EInvalidOperation(problem);
  ShortDateFormat = QStringLiteral("yyyy-mm-dd");
  const TPlayerFile p = NewPlayerFile(name, DateToStr(), boy);
  // Exactly this name: "óla" must not replace the file of "Óla".
  WriteFileAtomic(PlayerFilePath(name), FormatPlayerFile(p), true);
  PlayerName = p.Name;
  LastPlayDate = p.LastPlayDate;
  VisitCount = p.VisitCount;
  PlayerSex = p.Sex;
  PlayerNames[PlayerCount++] = name;
  try {
    SavePlayerList();
  } catch (...) {
    PlayerNames[--PlayerCount].clear();
    throw;
  }
}
