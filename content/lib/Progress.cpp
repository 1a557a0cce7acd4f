#include "lib/Progress.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <algorithm>
#include <cstdio>

#include "app/InstallationChoice.h"
#include "app/UserSettings.h"
#include "lib/ListFiles.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "world/LocationFile.h"
#include "world/Rewards.h"

namespace {

const QString kListFile = QStringLiteral("_Lista_Logowania.txt");

// The places' names when the installation's own places do not tell them, in
// the order of the player file's counters.
const char* const kFixedPlaceNames[PlaceTotal] = {"Park",   "Farma",  "Dom",   "Biblioteka",
                                                  "Szkoła", "Sklepy", "Miasto"};

// How far the walk through the places goes, however the files link them.
constexpr int kMaxLocations = 1000;

QString KindName(const QString& key) {
  static const std::pair<const char*, const char*> kinds[] = {
      {"PREZ=", "prezentacja"},      {"DDRO=", "przeciąganie słów"}, {"WRYS=", "słuchanie"},
      {"ULIT=", "brakujące litery"}, {"PKRZ=", "wykreślanka"},       {"DIAL=", "dialog"},
      {"DIAC=", "dialog z lukami"},  {"KRZY=", "krzyżówka"},         {"MOST=", "wybór ze słuchu"},
      {"LILI=", "pary na liliach"}};
  for (const auto& [k, name] : kinds)
    if (key.compare(QLatin1String(k), Qt::CaseInsensitive) == 0) return QString::fromUtf8(name);
  return key;
}

QString ExerciseId(const QString& key, const QString& file) {
  return key.toUpper() + u'\n' + file;
}

// The place an exercise counts for: the first whose word its file names.
int PlaceOf(const QString& file) {
  const QString lower = file.toLower();
  for (int i = 0; i < PlaceTotal; ++i)
    if (lower.contains(QLatin1String(Places[static_cast<size_t>(i)].Word))) return i;
  return -1;
}

// "\cwicz\shops\owoce.txt" -> "owoce", "Farma.lok" -> "Farma".
QString BaseName(const QString& dataName) {
  QString name = dataName.section(u'\\', -1).section(u'/', -1);
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot > 0 ? name.left(dot) : name;
}

// Walks the places from "Start.lok" as a child can, and notes where each
// exercise is offered and which place first offers each counter's exercises.
// A file that cannot be read only leaves its names out.
void NameFromPlaces(const QString& programDir, TProgressReport& report) {
  std::array<bool, PlaceTotal> named{};
  QStringList queue{QStringLiteral("Start.lok")};
  QSet<QString> seen{QStringLiteral("start.lok")};
  for (qsizetype i = 0; i < queue.size() && i < kMaxLocations; ++i) {
    TLocation location;
    try {
      location = ReadLocationFile(programDir + QStringLiteral("\\lokacje\\") + queue[i]);
    } catch (const Exception&) {
      continue;
    }
    // The entry point is no place of its own: what it offers keeps the counter's name.
    const QString place = i == 0 ? QString() : BaseName(queue[i]);
    std::vector<std::pair<QString, TListKind>> lists;
    auto addList = [&](const QString& name, TListKind kind) {
      if (name.isEmpty() || !ClimbingNameProblem(name).isEmpty()) return;
      for (const auto& l : lists)
        if (l.first.compare(name, Qt::CaseInsensitive) == 0) return;
      lists.emplace_back(name, kind);
    };
    if (location.ExerciseListLines > 0) addList(location.ExerciseListFile, TListKind::Exercises);
    for (const TExerciseSpot& spot : location.ExerciseSpots)
      addList(spot.ListFile, TListKind::Exercises);
    if (location.DialogueListLines > 0) addList(location.DialogueListFile, TListKind::Dialogues);
    const bool otherLists = std::count_if(lists.begin(), lists.end(), [](const auto& l) {
                              return l.second == TListKind::Exercises;
                            }) > 1;
    for (const auto& [name, kind] : lists) {
      TListFile list;
      try {
        list = ReadListFileAt(programDir + name, kind);
      } catch (const Exception&) {
        continue;
      }
      for (size_t k = 0; k < list.Entries.size(); ++k) {
        const TListFileEntry& e = list.Entries[k];
        const QString id = ExerciseId(e.Key, e.File);
        if (!report.Exercises.contains(id))
          report.Exercises.insert(id, {place, BaseName(name), static_cast<int>(k) + 1, list.Count,
                                       otherLists && kind == TListKind::Exercises});
        const int p = PlaceOf(e.File);
        if (p >= 0 && !place.isEmpty() && !named[static_cast<size_t>(p)]) {
          named[static_cast<size_t>(p)] = true;
          report.PlaceNames[static_cast<size_t>(p)] = place;
        }
      }
    }
    QStringList targets;
    for (const TWalkSpot& spot : location.WalkSpots) targets << spot.Target;
    if (location.BackLink != QLatin1String("NONE")) targets << location.BackLink;
    for (const QString& target : targets) {
      if (target.isEmpty() || !ClimbingNameProblem(target).isEmpty() ||
          seen.contains(target.toLower()))
        continue;
      seen.insert(target.toLower());
      queue << target;
    }
  }
}

QString LoginDirOf(const QString& programDir) {
  const QString installed = ResolvePath(programDir + QStringLiteral("\\login\\") + kListFile);
  if (!IsBundledDemo(programDir, QCoreApplication::applicationDirPath()) &&
      QFileInfo(installed).isFile())
    return QFileInfo(installed).absolutePath();
  const QString user = UserDataDir() + QStringLiteral("/login");
  if (QFileInfo(ResolvePath(user + u'/' + kListFile)).isFile()) return user;
  throw EInOutError(
      QStringLiteral("Nie znaleziono listy graczy (%1): nie ma jej ani w %2, ani w %3. "
                     "Czy ktoś już zagrał w tę instalację?")
          .arg(kListFile, ShownPath(QFileInfo(installed).absolutePath()), ShownPath(user)));
}

QString Html(const QString& s) {
  return s.toHtmlEscaped();
}

int Diamonds(const TPlayerFile& p) {
  return CompletePlaceCount(p.PlaceCount);
}

QString MadeText(const QDateTime& made) {
  const QLocale pl(QLocale::Polish, QLocale::Poland);
  return QStringLiteral("%1, godz. %2")
      .arg(pl.toString(made.date(), QStringLiteral("d MMMM yyyy")),
           made.time().toString(QStringLiteral("HH:mm")));
}

// How a parent reads an exercise: its kind, and where the child finds it.
QString ExerciseTitle(const TProgressReport& report, const TExerciseResult& r) {
  const auto found = report.Exercises.constFind(ExerciseId(r.Key, r.File));
  if (found == report.Exercises.constEnd()) return KindName(r.Key);
  const TExerciseWhere& w = *found;
  if (w.PlaceHasOtherLists)
    return QStringLiteral("%1 (%2, %3. z %4)")
        .arg(KindName(r.Key), w.List, QString::number(w.Index), QString::number(w.Count));
  return QStringLiteral("%1 (%2. z %3)")
      .arg(KindName(r.Key), QString::number(w.Index), QString::number(w.Count));
}

QString ExercisePlace(const TProgressReport& report, const TExerciseResult& r) {
  const auto found = report.Exercises.constFind(ExerciseId(r.Key, r.File));
  if (found != report.Exercises.constEnd() && !found->Place.isEmpty()) return found->Place;
  const int place = PlaceOf(r.File);
  return place < 0 ? QString() : report.PlaceNames[static_cast<size_t>(place)];
}

const char* const kOrderIds[] = {"name", "points", "diamonds", "last"};

// Phones included: cells wrap, bars stretch, and the narrowest screens leave
// the visits out of the group's table (each child's section has them).
const char kPageStyle[] = R"(
body{font-family:sans-serif;margin:1.5em auto;padding:0 1em;max-width:60em;color:#222;background:#fbfaf5;line-height:1.4}
h1{margin-bottom:.1em}
.made{margin-top:0;color:#555}
section{margin-bottom:2.2em}
h2{margin-bottom:.3em}
table{border-collapse:collapse;margin:.6em 0;max-width:100%}
td,th{border:1px solid #ccc;padding:.25em .5em;text-align:left;vertical-align:top}
th{background:#eee}
td.n{text-align:right}
.exercises td{overflow-wrap:anywhere}
.name,.date{white-space:nowrap}
.legend ul{padding-left:1.2em;margin:.3em 0}
.legend li{margin:.2em 0}
.dot{display:inline-block;width:.8em;height:.8em;border-radius:50%;vertical-align:middle}
.red{background:#d2352b}
.green{background:#3a9a3a}
.facts{display:flex;flex-wrap:wrap;gap:.4em 1.6em;margin:.4em 0}
.facts div{white-space:nowrap}
.facts b{font-size:1.15em}
.places{max-width:36em;margin:.8em 0}
.place{display:grid;grid-template-columns:minmax(4.5em,8em) 1fr 4.5em;gap:.6em;align-items:center;margin:.25em 0}
.bar{display:block;height:16px;background:#e4e4e4}
.bar>span{display:block;height:100%;background:#3b82c4}
.bar.won>span{background:#f0b400}
.legend .bar{display:inline-block;width:4em;vertical-align:middle}
.class input{position:absolute;opacity:0}
.class label{cursor:pointer;text-decoration:underline dotted}
.by{display:none;overflow-x:auto}
#by-name:checked~.by-name,#by-points:checked~.by-points,#by-diamonds:checked~.by-diamonds,#by-last:checked~.by-last{display:block}
.by th.on label{text-decoration:none}
.by th.on{background:#dde8f4}
@media (max-width:600px){body{margin:.6em auto;padding:0 .6em;font-size:15px} td,th{padding:.2em .3em}}
@media (max-width:440px){.by .visits{display:none}}
)";

}  // namespace

TProgressReport ReadProgress(const QString& programDir) {
  TProgressReport report;
  report.Made = QDateTime::currentDateTime();
  report.LoginDir = LoginDirOf(programDir);
  for (int i = 0; i < PlaceTotal; ++i)
    report.PlaceNames[static_cast<size_t>(i)] = QString::fromUtf8(kFixedPlaceNames[i]);
  const TPlayerList list = ParsePlayerList(ReadWholeFile(report.LoginDir + u'/' + kListFile));
  for (const QString& name : list.Names) {
    TChildProgress child;
    child.ListedName = name;
    const QString path = report.LoginDir + u'/' + name + QStringLiteral(".txt");
    try {
      if (const QString problem = ClimbingNameProblem(name); !problem.isEmpty())
        throw EInOutError(problem);
      child.Player = ParsePlayerFile(ReadWholeFile(path), path);
    } catch (const Exception& e) {
      child.Problem = e.Message;
    }
    report.Children.push_back(std::move(child));
  }
  NameFromPlaces(programDir, report);
  return report;
}

std::vector<const TChildProgress*> SortedChildren(const TProgressReport& report,
                                                  TClassOrder order) {
  std::vector<const TChildProgress*> children;
  for (const TChildProgress& c : report.Children) children.push_back(&c);
  QCollator collator(QLocale(QLocale::Polish, QLocale::Poland));
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  auto byName = [&](const TChildProgress* a, const TChildProgress* b) {
    return collator.compare(a->ListedName, b->ListedName) < 0;
  };
  std::stable_sort(children.begin(), children.end(),
                   [&](const TChildProgress* a, const TChildProgress* b) {
                     if (order != TClassOrder::Name && a->Problem.isEmpty() != b->Problem.isEmpty())
                       return a->Problem.isEmpty();
                     const TPlayerFile &pa = a->Player, &pb = b->Player;
                     switch (order) {
                       case TClassOrder::Name:
                         break;
                       case TClassOrder::Points:
                         if (pa.GreenCount != pb.GreenCount) return pa.GreenCount > pb.GreenCount;
                         break;
                       case TClassOrder::Diamonds:
                         if (Diamonds(pa) != Diamonds(pb)) return Diamonds(pa) > Diamonds(pb);
                         if (pa.GreenCount != pb.GreenCount) return pa.GreenCount > pb.GreenCount;
                         break;
                       case TClassOrder::LastVisit:
                         if (pa.LastPlayDate != pb.LastPlayDate)
                           return pa.LastPlayDate > pb.LastPlayDate;
                         break;
                     }
                     return byName(a, b);
                   });
  return children;
}

QString ProgressText(const TProgressReport& report, TClassOrder order) {
  if (report.Children.empty()) return QStringLiteral("Brak graczy.\n");
  QString out = QStringLiteral("Stan na %1\n\n").arg(MadeText(report.Made));
  out += QStringLiteral("%1 %2 %3 %4 %5  %6\n")
             .arg(QStringLiteral("Imię"), -20)
             .arg(QStringLiteral("Punkty"), 7)
             .arg(QStringLiteral("Ćwiczenia"), 10)
             .arg(QStringLiteral("Diamenty"), 9)
             .arg(QStringLiteral("Wizyty"), 7)
             .arg(QStringLiteral("Ostatnia wizyta"));
  for (const TChildProgress* c : SortedChildren(report, order)) {
    if (!c->Problem.isEmpty()) {
      out += c->ListedName.leftJustified(20) + QStringLiteral(" (nie można odczytać)\n");
      continue;
    }
    // Names and dates come from files: joined, never put through arg() twice.
    const TPlayerFile& p = c->Player;
    out += c->ListedName.leftJustified(20) + u' ' +
           QString::number(p.GreenCount).rightJustified(7) + u' ' +
           QString::number(p.RedCount).rightJustified(10) + u' ' +
           QStringLiteral("%1 z %2").arg(Diamonds(p)).arg(PlaceTotal).rightJustified(9) + u' ' +
           QString::number(p.VisitCount).rightJustified(7) + QStringLiteral("  ") + p.LastPlayDate +
           u'\n';
  }
  out += u'\n';
  for (const TChildProgress& c : report.Children) {
    out += c.ListedName + u'\n';
    if (!c.Problem.isEmpty()) {
      out += QStringLiteral("  nie można odczytać: %1\n\n").arg(c.Problem);
      continue;
    }
    const TPlayerFile& p = c.Player;
    out += QStringLiteral("  wizyty: %1, ostatnia: %2\n").arg(p.VisitCount).arg(p.LastPlayDate);
    out += QStringLiteral("  punkty czerwone: %1, zielone: %2, diamenty: %3 z %4\n")
               .arg(p.RedCount)
               .arg(p.GreenCount)
               .arg(Diamonds(p))
               .arg(PlaceTotal);
    for (int i = 0; i < PlaceTotal; ++i) {
      const size_t k = static_cast<size_t>(i);
      out += QStringLiteral("  ") + report.PlaceNames[k].leftJustified(12) + u' ' +
             QStringLiteral("%1 / %2%3\n")
                 .arg(p.PlaceCount[k], 3)
                 .arg(Places[k].Threshold)
                 .arg(PlaceComplete(p.PlaceCount, i + 1) ? QStringLiteral("  diament") : QString());
    }
    out += QStringLiteral("  ćwiczenia ukończone: %1\n").arg(p.Results.size());
    for (const TExerciseResult& r : p.Results)
      out += QStringLiteral("    ") + ExercisePlace(report, r).leftJustified(12) + u' ' +
             ExerciseTitle(report, r).leftJustified(36) + QStringLiteral(" %1 pkt\n").arg(r.Points);
    out += u'\n';
  }
  return out;
}

QString ProgressHtml(const TProgressReport& report) {
  QString h = QStringLiteral(
                  "<!DOCTYPE html>\n<html lang=\"pl\"><head><meta charset=\"utf-8\">\n"
                  "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                  "<title>Tarvolin: postępy dzieci</title>\n<style>") +
              QString::fromUtf8(kPageStyle) +
              QStringLiteral("</style></head><body>\n<h1>Postępy dzieci</h1>\n");
  h += QStringLiteral("<p class=\"made\">Stan na %1</p>\n").arg(Html(MadeText(report.Made)));
  if (report.Children.empty()) return h + QStringLiteral("<p>Brak graczy.</p>\n</body></html>\n");

  h += QStringLiteral(
      "<section class=\"legend\"><h2>Jak czytać</h2><ul>\n"
      "<li><span class=\"dot red\"></span> <b>Punkty czerwone</b>: ile różnych ćwiczeń dziecko "
      "ukończyło "
      "(każde liczy się raz).</li>\n"
      "<li><span class=\"dot green\"></span> <b>Punkty zielone</b>: 2 punkty za ćwiczenie "
      "ukończone bez błędu "
      "za pierwszym podejściem, 1 za każde inne ukończenie, także powtórki.</li>\n"
      "<li><span class=\"bar\"><span style=\"width:50%\"></span></span> Pasek miejsca: ile ćwiczeń "
      "tego miejsca "
      "dziecko ukończyło, wobec liczby potrzebnej do wielkiego diamentu.</li>\n"
      "<li><span class=\"bar won\"><span style=\"width:100%\"></span></span> Złoty pasek: diament "
      "tego miejsca "
      "zdobyty.</li>\n</ul></section>\n");

  // The class table in each order; radio buttons (no script) pick the one shown.
  const char* const orderLabels[] = {"Imię", "Punkty zielone", "Diamenty", "Ostatnia wizyta"};
  h += QStringLiteral("<section class=\"class\"><h2>Cała grupa (%1)</h2>\n")
           .arg(report.Children.size());
  for (int o = 0; o < 4; ++o)
    h += QStringLiteral("<input type=\"radio\" name=\"order\" id=\"by-%1\"%2 aria-label=\"%3\">\n")
             .arg(QLatin1String(kOrderIds[o]), o == 0 ? QStringLiteral(" checked") : QString(),
                  QStringLiteral("Uporządkuj: ") + QString::fromUtf8(orderLabels[o]));
  for (int o = 0; o < 4; ++o) {
    auto head = [&](int column, const char* text) {
      return QStringLiteral("<th%1><label for=\"by-%2\">%3</label></th>")
          .arg(column == o ? QStringLiteral(" class=\"on\"") : QString(),
               QLatin1String(kOrderIds[column]),
               QString::fromUtf8(text) + (column == o ? QStringLiteral(" ▼") : QString()));
    };
    h += QStringLiteral("<div class=\"by by-%1\"><table><tr>").arg(QLatin1String(kOrderIds[o]));
    h += head(0, "Imię") + head(1, "Punkty zielone") + QStringLiteral("<th>Punkty czerwone</th>") +
         head(2, "Diamenty") + QStringLiteral("<th class=\"visits\">Wizyty</th>") +
         head(3, "Ostatnia wizyta") + QStringLiteral("</tr>\n");
    for (const TChildProgress* c : SortedChildren(report, static_cast<TClassOrder>(o))) {
      const int index = static_cast<int>(c - report.Children.data());
      const QString name =
          QStringLiteral("<a href=\"#child-%1\">%2</a>").arg(index + 1).arg(Html(c->ListedName));
      if (!c->Problem.isEmpty()) {
        h += QStringLiteral(
                 "<tr><td class=\"name\">%1</td><td colspan=\"5\">nie można odczytać "
                 "pliku</td></tr>\n")
                 .arg(name);
        continue;
      }
      const TPlayerFile& p = c->Player;
      h += QStringLiteral(
               "<tr><td class=\"name\">%1</td><td class=\"n\">%2</td><td class=\"n\">%3</td>"
               "<td class=\"n\">%4 z %5</td><td class=\"n visits\">%6</td><td "
               "class=\"date\">%7</td></tr>\n")
               .arg(name, QString::number(p.GreenCount), QString::number(p.RedCount),
                    QString::number(Diamonds(p)), QString::number(PlaceTotal),
                    QString::number(p.VisitCount), Html(p.LastPlayDate));
    }
    h += QStringLiteral("</table></div>\n");
  }
  h += QStringLiteral("</section>\n");

  for (size_t i = 0; i < report.Children.size(); ++i) {
    const TChildProgress& c = report.Children[i];
    h += QStringLiteral("<section class=\"child\" id=\"child-%1\">\n<h2>%2</h2>\n")
             .arg(i + 1)
             .arg(Html(c.ListedName));
    if (!c.Problem.isEmpty()) {
      h += QStringLiteral("<p class=\"problem\">Nie można odczytać pliku: %1</p>\n</section>\n")
               .arg(Html(c.Problem));
      continue;
    }
    const TPlayerFile& p = c.Player;
    h += QStringLiteral(
             "<div class=\"facts\"><div><span class=\"dot red\"></span> Punkty czerwone: "
             "<b>%1</b></div>"
             "<div><span class=\"dot green\"></span> Punkty zielone: <b>%2</b></div>"
             "<div>Diamenty: <b>%3 z %4</b></div><div>Wizyty: <b>%5</b></div>"
             "<div>Ostatnia wizyta: <b>%6</b></div></div>\n")
             .arg(p.RedCount)
             .arg(p.GreenCount)
             .arg(Diamonds(p))
             .arg(PlaceTotal)
             .arg(p.VisitCount)
             .arg(Html(p.LastPlayDate));
    h += QStringLiteral("<div class=\"places\">\n");
    for (int k = 0; k < PlaceTotal; ++k) {
      const size_t pk = static_cast<size_t>(k);
      const int threshold = Places[pk].Threshold;
      const int count = std::clamp(p.PlaceCount[pk], 0, threshold);
      const bool won = PlaceComplete(p.PlaceCount, k + 1);
      h += QStringLiteral(
               "<div class=\"place\"><span>%1</span><span class=\"bar%2\"><span "
               "style=\"width:%3%\"></span></span>"
               "<span>%4 / %5%6</span></div>\n")
               .arg(Html(report.PlaceNames[pk]), won ? QStringLiteral(" won") : QString(),
                    QString::number(100.0 * count / threshold, 'f', 2),
                    QString::number(p.PlaceCount[pk]), QString::number(threshold),
                    won ? QStringLiteral(" ◆") : QString());
    }
    h += QStringLiteral("</div>\n");
    if (p.Results.empty()) {
      h += QStringLiteral("<p>Jeszcze żadne ćwiczenie nie zostało ukończone.</p>\n</section>\n");
      continue;
    }
    h += QStringLiteral(
        "<table class=\"exercises\"><tr><th>Miejsce</th><th>Ćwiczenie</th><th>Punkty</th></tr>\n");
    for (const TExerciseResult& r : p.Results) {
      const QString place = ExercisePlace(report, r);
      const bool known = report.Exercises.contains(ExerciseId(r.Key, r.File));
      h += QStringLiteral("<tr><td>%1</td><td title=\"%2\">%3%4</td><td class=\"n\">%5</td></tr>\n")
               .arg(place.isEmpty() ? QStringLiteral("—") : Html(place), Html(r.File),
                    Html(ExerciseTitle(report, r)),
                    known ? QString() : QStringLiteral(" <code>%1</code>").arg(Html(r.File)),
                    QString::number(r.Points));
    }
    h += QStringLiteral("</table>\n</section>\n");
  }
  h += QStringLiteral("</body></html>\n");
  return h;
}

QByteArray ProgressCsv(const TProgressReport& report, TClassOrder order) {
  auto field = [](const QString& s) {
    if (!s.contains(u';') && !s.contains(u'"') && !s.contains(u'\n') && !s.contains(u'\r'))
      return s;
    return u'"' + QString(s).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
  };
  QString out = QStringLiteral(
      "\uFEFFimię;punkty zielone;punkty czerwone;diamenty;wizyty;ostatnia wizyta;uwagi\r\n");
  for (const TChildProgress* c : SortedChildren(report, order)) {
    if (!c->Problem.isEmpty()) {
      out += field(c->ListedName) + QStringLiteral(";;;;;;") +
             field(QStringLiteral("nie można odczytać: ") + c->Problem) + QStringLiteral("\r\n");
      continue;
    }
    const TPlayerFile& p = c->Player;
    out += QStringLiteral("%1;%2;%3;%4;%5;%6;\r\n")
               .arg(field(c->ListedName), QString::number(p.GreenCount),
                    QString::number(p.RedCount), QString::number(Diamonds(p)),
                    QString::number(p.VisitCount), field(p.LastPlayDate));
  }
  return out.toUtf8();
}

QString ProgressUsage() {
  return QStringLiteral(
      "Usage: tarvolin-content progress [PROGRAM_DIR] [--html FILE] [--csv FILE] [--sort ORDER]\n"
      "  without PROGRAM_DIR: the installation the game starts from the menu\n"
      "  --html FILE   also write a page for a web browser\n"
      "  --csv FILE    also write the group's table for a spreadsheet ('-': standard output only)\n"
      "  --sort ORDER  name (default), points, diamonds or last (the last visit, newest first)\n");
}

int RunProgress(const QStringList& args) {
  QString programDir, html, csv;
  TClassOrder order = TClassOrder::Name;
  QString wrong;
  for (qsizetype i = 0; i < args.size() && wrong.isEmpty(); ++i) {
    const QString& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == QLatin1String("--html") && hasValue) {
      html = args[++i];
    } else if (a == QLatin1String("--csv") && hasValue) {
      csv = args[++i];
    } else if (a == QLatin1String("--sort") && hasValue) {
      const QString key = args[++i];
      const auto at = std::find_if(std::begin(kOrderIds), std::end(kOrderIds),
                                   [&](const char* id) { return key == QLatin1String(id); });
      if (at == std::end(kOrderIds)) wrong = QStringLiteral("unknown order '%1'").arg(key);
      order = static_cast<TClassOrder>(at - std::begin(kOrderIds));
    } else if (programDir.isEmpty() && !a.startsWith(QLatin1String("--"))) {
      programDir = a;
    } else {
      wrong = QStringLiteral("unexpected '%1'").arg(a);
    }
  }
  if (!wrong.isEmpty()) {
    std::fprintf(stderr, "tarvolin-content progress: %s\n%s", qPrintable(wrong),
                 qPrintable(ProgressUsage()));
    return 2;
  }
  if (programDir.isEmpty())
    programDir = GameProgramDir(LoadUserSettings(UserSettingsPath()),
                                QCoreApplication::applicationDirPath());
  const TProgressReport report = ReadProgress(programDir);
  if (csv == QLatin1String("-")) {
    const QByteArray bytes = ProgressCsv(report, order);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    return 0;
  }
  std::fputs(ProgressText(report, order).toUtf8().constData(), stdout);
  auto write = [](const QString& path, const QByteArray& bytes) {
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size() ||
        !out.flush())
      throw EInOutError(
          QStringLiteral("Nie można zapisać pliku %1: %2").arg(ShownPath(path), out.errorString()));
  };
  if (!html.isEmpty()) write(html, ProgressHtml(report).toUtf8());
  if (!csv.isEmpty()) write(csv, ProgressCsv(report, order));
  return 0;
}
