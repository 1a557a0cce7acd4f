#include "lib/Progress.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstdio>

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "world/Rewards.h"

namespace {

// Places as a parent knows them, in the order of the player file's counters.
const char* const kPlaceNames[PlaceTotal] = {"Park", "Farma", "Dom", "Biblioteka", "Szkoła", "Sklepy", "Miasto"};

QString KindName(const QString& key) {
  static const std::pair<const char*, const char*> kinds[] = {
      {"PREZ=", "prezentacja"},       {"DDRO=", "przeciąganie słów"}, {"WRYS=", "słuchanie"},
      {"ULIT=", "brakujące litery"},  {"PKRZ=", "wykreślanka"},       {"DIAL=", "dialog"},
      {"DIAC=", "dialog z lukami"},   {"KRZY=", "krzyżówka"},         {"MOST=", "wybór ze słuchu"},
      {"LILI=", "pary na liliach"}};
  for (const auto& [k, name] : kinds)
    if (key == QLatin1String(k)) return QString::fromUtf8(name);
  return key;
}

// The place an exercise counts for: the first whose word its file names.
int PlaceOf(const QString& file) {
  const QString lower = file.toLower();
  for (int i = 0; i < PlaceTotal; ++i)
    if (lower.contains(QLatin1String(Places[static_cast<size_t>(i)].Word))) return i;
  return -1;
}

QString Html(const QString& s) { return s.toHtmlEscaped(); }

QString LoginDirOf(const QString& programDir) {
  const QString installed = ResolvePath(programDir + QStringLiteral("\\login\\_Lista_Logowania.txt"));
  if (QFile::exists(installed)) return QFileInfo(installed).absolutePath();
  const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/login");
  if (QFile::exists(ResolvePath(user + QStringLiteral("/_Lista_Logowania.txt")))) return user;
  throw EInOutError(QStringLiteral("%1: no player list (login\\_Lista_Logowania.txt)").arg(programDir));
}

}  // namespace

TProgressReport ReadProgress(const QString& programDir) {
  TProgressReport report;
  report.LoginDir = LoginDirOf(programDir);
  const TPlayerList list = ParsePlayerList(ReadWholeFile(report.LoginDir + QStringLiteral("/_Lista_Logowania.txt")));
  for (const QString& name : list.Names) {
    TChildProgress child;
    child.ListedName = name;
    const QString path = report.LoginDir + u'/' + name + QStringLiteral(".txt");
    try {
      child.Player = ParsePlayerFile(ReadWholeFile(path), path);
    } catch (const Exception& e) {
      child.Problem = e.Message;
    }
    report.Children.push_back(std::move(child));
  }
  return report;
}

QString ProgressText(const TProgressReport& report) {
  QString out;
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
               .arg(CompletePlaceCount(p.PlaceCount))
               .arg(PlaceTotal);
    for (int i = 0; i < PlaceTotal; ++i) {
      const size_t k = static_cast<size_t>(i);
      out += QStringLiteral("  %1 %2 / %3%4\n")
                 .arg(QString::fromUtf8(kPlaceNames[k]), -12)
                 .arg(p.PlaceCount[k], 3)
                 .arg(Places[k].Threshold)
                 .arg(PlaceComplete(p.PlaceCount, i + 1) ? QStringLiteral("  diament") : QString());
    }
    out += QStringLiteral("  ćwiczenia ukończone: %1\n").arg(p.Results.size());
    for (const TExerciseResult& r : p.Results)
      out += QStringLiteral("    %1 %2 %3 pkt\n").arg(KindName(r.Key), -18).arg(r.File, -28).arg(r.Points);
    out += u'\n';
  }
  if (report.Children.empty()) out += QStringLiteral("Brak graczy.\n");
  return out;
}

QString ProgressHtml(const TProgressReport& report) {
  QString h = QStringLiteral(
      "<!DOCTYPE html>\n<html lang=\"pl\"><head><meta charset=\"utf-8\">\n"
      "<title>Tarvolin: postępy dzieci</title>\n<style>\n"
      "body{font-family:sans-serif;margin:2em;color:#222;background:#fbfaf5}\n"
      "section{margin-bottom:2.5em}\nh2{margin-bottom:.2em}\n"
      "table{border-collapse:collapse;margin:.6em 0}\n"
      "td,th{border:1px solid #ccc;padding:.25em .6em;text-align:left}\n"
      "th{background:#eee}\n.chart rect.track{fill:#e4e4e4}\n.chart rect.done{fill:#3b82c4}\n"
      ".chart rect.diamond{fill:#f0b400}\n.chart text{font-size:13px}\n"
      "</style></head><body>\n<h1>Postępy dzieci</h1>\n");
  if (report.Children.empty()) h += QStringLiteral("<p>Brak graczy.</p>\n");
  constexpr int barWidth = 300, rowHeight = 24, labelWidth = 110;
  for (const TChildProgress& c : report.Children) {
    h += QStringLiteral("<section class=\"child\">\n<h2>%1</h2>\n").arg(Html(c.ListedName));
    if (!c.Problem.isEmpty()) {
      h += QStringLiteral("<p class=\"problem\">Nie można odczytać pliku: %1</p>\n</section>\n").arg(Html(c.Problem));
      continue;
    }
    const TPlayerFile& p = c.Player;
    h += QStringLiteral(
             "<table class=\"summary\"><tr><th>Wizyty</th><th>Ostatnia wizyta</th><th>Punkty czerwone</th>"
             "<th>Punkty zielone</th><th>Diamenty</th></tr>\n<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td>"
             "<td>%5 z %6</td></tr></table>\n")
             .arg(p.VisitCount)
             .arg(Html(p.LastPlayDate))
             .arg(p.RedCount)
             .arg(p.GreenCount)
             .arg(CompletePlaceCount(p.PlaceCount))
             .arg(PlaceTotal);
    h += QStringLiteral("<svg class=\"chart\" width=\"%1\" height=\"%2\" role=\"img\" aria-label=\"miejsca\">\n")
             .arg(labelWidth + barWidth + 80)
             .arg(PlaceTotal * rowHeight);
    for (int i = 0; i < PlaceTotal; ++i) {
      const size_t k = static_cast<size_t>(i);
      const int threshold = Places[k].Threshold;
      const int count = std::clamp(p.PlaceCount[k], 0, threshold);
      const bool won = PlaceComplete(p.PlaceCount, i + 1);
      const int y = i * rowHeight;
      h += QStringLiteral(
               "<text x=\"0\" y=\"%1\">%2</text><rect class=\"track\" x=\"%3\" y=\"%4\" width=\"%5\" "
               "height=\"16\"/><rect class=\"%6\" x=\"%3\" y=\"%4\" width=\"%7\" height=\"16\"/>"
               "<text x=\"%8\" y=\"%1\">%9 / %10</text>\n")
               .arg(y + 15)
               .arg(QString::fromUtf8(kPlaceNames[k]))
               .arg(labelWidth)
               .arg(y + 3)
               .arg(barWidth)
               .arg(won ? QStringLiteral("diamond") : QStringLiteral("done"))
               .arg(barWidth * count / threshold)
               .arg(labelWidth + barWidth + 8)
               .arg(p.PlaceCount[k])
               .arg(threshold);
    }
    h += QStringLiteral("</svg>\n");
    if (p.Results.empty()) {
      h += QStringLiteral("<p>Jeszcze żadne ćwiczenie nie zostało ukończone.</p>\n</section>\n");
      continue;
    }
    h += QStringLiteral("<table class=\"exercises\"><tr><th>Miejsce</th><th>Ćwiczenie</th><th>Plik</th>"
                        "<th>Punkty</th></tr>\n");
    for (const TExerciseResult& r : p.Results) {
      const int place = PlaceOf(r.File);
      h += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>\n")
               .arg(place < 0 ? QStringLiteral("—") : QString::fromUtf8(kPlaceNames[place]))
               .arg(Html(KindName(r.Key)))
               .arg(Html(r.File))
               .arg(r.Points);
    }
    h += QStringLiteral("</table>\n</section>\n");
  }
  h += QStringLiteral("</body></html>\n");
  return h;
}

int RunProgress(const QStringList& args) {
  QString programDir, html;
  bool wrong = false;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--html") && i + 1 < args.size())
      html = args[++i];
    else if (programDir.isEmpty() && !args[i].startsWith(QLatin1String("--")))
      programDir = args[i];
    else
      wrong = true;
  }
  if (programDir.isEmpty() || wrong) {
    std::fprintf(stderr, "Usage: tarvolin-content progress PROGRAM_DIR [--html FILE]\n");
    return 2;
  }
  const TProgressReport report = ReadProgress(programDir);
  std::fputs(ProgressText(report).toUtf8().constData(), stdout);
  if (!html.isEmpty()) {
    QFile out(html);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(ProgressHtml(report).toUtf8()) < 0)
      throw EInOutError(QStringLiteral("%1: cannot write the page: %2").arg(html, out.errorString()));
  }
  return 0;
}
