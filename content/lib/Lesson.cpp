#include "lib/Lesson.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

#include "exercises/CrosswordFile.h"
#include "exercises/ExerciseFiles.h"
#include "exercises/WordPairFile.h"
#include "lib/DemoContext.h"
#include "lib/Lint.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "platform/Win1250.h"
#include "tools/WordList.h"
#include "world/Rewards.h"

namespace {

// The places of Places, in its order, as the message about a folder's name calls them.
const std::array<const char*, PlaceTotal> kPlacesOf = {
    "parku kultury", "farmy", "domu", "biblioteki", "szkoły", "sklepów", "miasteczka"};

// Eight pictures fit a word exercise's screen without crowding it.
constexpr int kGroupSize = 8;
// The list holds at most 70 entries: four per group and three more.
constexpr int kMaxWords = 120;
// The crossword's lines start at x 220 and must end by x 490: twelve cells.
constexpr int kCrosswordLongest = 12;
constexpr int kSearchWords = 8, kSearchLongest = 10;

const QStringList kPhotoSuffixes = {QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                    QStringLiteral("png")};
const QStringList kSoundSuffixes = {QStringLiteral("wav"), QStringLiteral("mp3")};

[[noreturn]] void FailAt(const QString& file, int line, const QString& message) {
  throw EFormatError(Located(file, line, message));
}

// Letters a file name can hold everywhere: Polish letters lose their marks.
QString SafeName(const QString& text) {
  static const QString from = QStringLiteral("ąćęłńóśźż"), to = QStringLiteral("acelnoszz");
  QString out;
  for (QChar c : text.toLower()) {
    if (const qsizetype i = from.indexOf(c); i >= 0) c = to[i];
    if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
      out += c;
    else if (!out.isEmpty() && !out.endsWith(u'_'))
      out += u'_';
  }
  while (out.endsWith(u'_')) out.chop(1);
  return out.left(20).isEmpty() ? QStringLiteral("lekcja") : out.left(20);
}

bool HasSuffix(const QString& name, const QStringList& suffixes) {
  return suffixes.contains(QFileInfo(name).suffix().toLower());
}

// A file of the folder named `base` with one of `suffixes`, in any letter
// case; blanks in the word may be blanks, "_" or "-" in the name.
QString FindNamed(const QStringList& files, const QString& dir, const QString& word,
                  const QStringList& suffixes) {
  QStringList bases{word, StripWordArticle(word)};
  for (const QString& b : QStringList(bases))
    bases << QString(b).replace(u' ', u'_') << QString(b).replace(u' ', u'-');
  for (const QString& b : bases)
    for (const QString& s : suffixes)
      for (const QString& f : files)
        if (f.compare(b + u'.' + s, Qt::CaseInsensitive) == 0) return dir + u'/' + f;
  return {};
}

// The English word as the grids take it: upper-case letters, no article.
QString GridWord(const QString& english) {
  const QString w = StripWordArticle(english).toUpper();
  for (QChar c : w)
    if (c < u'A' || c > u'Z') return {};
  return w;
}

TSourceNode Node(const QString& command, const QStringList& args, const QString& file, int line,
                 const std::vector<std::pair<QString, QString>>& named = {}) {
  TSourceNode n;
  n.Command = command;
  n.Args = args;
  for (const auto& [k, v] : named) {
    n.Named[k] = v;
    n.Flags << k;
  }
  n.File = file;
  n.Line = line;
  return n;
}

void ReadWords(TLesson& lesson) {
  const QStringList files = QDir(lesson.Dir).entryList(QDir::Files);
  const QString& wf = lesson.WordsFile;
  QByteArray bytes;
  try {
    bytes = ReadWholeFile(wf);
  } catch (const Exception&) {
    throw EInOutError(QStringLiteral("%1: nie mogę przeczytać listy słów lekcji").arg(wf));
  }
  QHash<QString, int> seen;
  const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const int line = static_cast<int>(i + 1);
    QString text = lines[i].trimmed();
    if (i == 0 && text.startsWith(QChar(0xfeff))) text = text.mid(1).trimmed();
    if (text.isEmpty() || text.startsWith(u'#')) continue;
    const QStringList parts = text.split(u'|');
    const QStringList pair = parts[0].split(u'=');
    if (pair.size() != 2)
      FailAt(wf, line, QStringLiteral("wiersz ma postać „angielskie = polskie” (jeden znak =)"));
    TLessonWord w;
    w.English = pair[0].simplified();
    w.Polish = pair[1].simplified();
    w.Line = line;
    if (w.English.isEmpty() || w.Polish.isEmpty())
      FailAt(wf, line, QStringLiteral("brak słowa po jednej ze stron znaku ="));
    for (const QString& t : {w.English, w.Polish}) {
      if (t.size() > WordTextMax)
        FailAt(wf, line,
               QStringLiteral("„%1” jest za długie (najwyżej %2 znaków)").arg(t).arg(WordTextMax));
      if (!CanEncodeWin1250(t))
        FailAt(wf, line, QStringLiteral("„%1” ma znaki, których gra nie pokaże").arg(t));
    }
    const QString key = w.English.toLower();
    if (seen.contains(key))
      FailAt(wf, line, QStringLiteral("„%1” jest już w wierszu %2").arg(w.English).arg(seen[key]));
    seen.insert(key, line);
    for (qsizetype p = 1; p < parts.size(); ++p) {
      const QString extra = parts[p].trimmed();
      if (extra.isEmpty()) continue;
      const bool sound = HasSuffix(extra, kSoundSuffixes), photo = IsPhotoName(extra);
      if (sound || photo) {
        const QString found = FindNamed(files, lesson.Dir, QFileInfo(extra).completeBaseName(),
                                        {QFileInfo(extra).suffix()});
        if (found.isEmpty() || extra.contains(u'/') || extra.contains(u'\\'))
          FailAt(wf, line, QStringLiteral("nie ma pliku %1 w folderze lekcji").arg(extra));
        (sound ? w.Recording : w.Picture) = found;
      } else if (!extra.contains(u'.') && extra.size() <= 16) {
        w.Picture = extra;  // an emoji
      } else {
        FailAt(wf, line,
               QStringLiteral(
                   "po „|” podaj zdjęcie (.jpg, .png), nagranie (.wav, .mp3) albo emoji, nie „%1”")
                   .arg(extra));
      }
    }
    if (w.Picture.isEmpty()) w.Picture = FindNamed(files, lesson.Dir, w.English, kPhotoSuffixes);
    if (w.Picture.isEmpty())
      FailAt(wf, line,
             QStringLiteral(
                 "brak zdjęcia dla „%1”: %2.jpg albo %2.png w folderze lekcji, albo plik po „|”")
                 .arg(w.English, StripWordArticle(w.English)));
    if (w.Recording.isEmpty())
      w.Recording = FindNamed(files, lesson.Dir, w.English, kSoundSuffixes);
    lesson.Words.push_back(w);
  }
  if (lesson.Words.empty()) FailAt(wf, 0, QStringLiteral("lista słów jest pusta"));
  if (static_cast<int>(lesson.Words.size()) > kMaxWords)
    FailAt(wf, lesson.Words[kMaxWords].Line,
           QStringLiteral("lekcja ma najwyżej %1 słów").arg(kMaxWords));
}

void ReadLessonFile(TLesson& lesson) {
  for (const TSourceNode& n : ReadSourceFile(lesson.LessonFile)) {
    const QString& c = n.Command;
    if (c == QLatin1String("title")) {
      n.Allow({});
      lesson.Title = n.Arg(0, "a title");
    } else if (c == QLatin1String("from")) {
      n.Allow({"at"});
      lesson.From = n.Arg(0, "a place file");
      lesson.FromLine = n.Line;
      if (n.Has(QStringLiteral("at"))) {
        const QStringList p = n.Text(QStringLiteral("at")).split(u',');
        std::vector<int> v;
        for (const QString& s : p) {
          bool ok = false;
          v.push_back(s.toInt(&ok));
          if (!ok) v.clear();
        }
        if (v.size() != 4 || v[0] < 0 || v[1] < 0 || v[2] < v[0] || v[3] < v[1] ||
            v[2] >= PlacePictureWidth || v[3] >= PlacePictureHeight)
          n.Fail(QStringLiteral("at= to LEWO,GÓRA,PRAWO,DÓŁ w obrazku miejsca (%1 x %2)")
                     .arg(PlacePictureWidth)
                     .arg(PlacePictureHeight));
        lesson.At = QRect(QPoint(v[0], v[1]), QPoint(v[2], v[3]));
      }
    } else if (c == QLatin1String("background")) {
      n.Allow({"fit"});
      lesson.Background = n;
      if (n.Count() > 0) {
        const QString found =
            FindNamed(QDir(lesson.Dir).entryList(QDir::Files), lesson.Dir,
                      QFileInfo(n.Args[0]).completeBaseName(), {QFileInfo(n.Args[0]).suffix()});
        if (found.isEmpty() || !IsPhotoName(n.Args[0]))
          n.Fail(QStringLiteral("nie ma zdjęcia %1 (.jpg, .png) w folderze lekcji").arg(n.Args[0]));
        lesson.Background.Args[0] = found;
      }
    } else if (c == QLatin1String("fit")) {
      n.Allow({});
      lesson.Fit = n.Arg(0, "crop, letterbox or scale");
      if (!QStringList{"crop", "letterbox", "scale"}.contains(lesson.Fit))
        n.Fail(QStringLiteral("fit to crop, letterbox albo scale"));
    } else if (c == QLatin1String("exercises")) {
      n.Allow({});
      for (const QString& k : n.Args)
        if (!LessonExerciseKinds().contains(k))
          n.Fail(QStringLiteral("nieznane ćwiczenie „%1” (%2)")
                     .arg(k, LessonExerciseKinds().join(u' ')));
      lesson.Exercises = n.Args;
    } else {
      n.Fail(QStringLiteral("nieznane polecenie „%1” (title, from, background, fit, exercises)")
                 .arg(c));
    }
  }
}

}  // namespace

const QStringList& LessonExerciseKinds() {
  static const QStringList kinds = {QStringLiteral("presentation"), QStringLiteral("dragging"),
                                    QStringLiteral("listening"),    QStringLiteral("letters"),
                                    QStringLiteral("word-search"),  QStringLiteral("crossword"),
                                    QStringLiteral("lily-pads")};
  return kinds;
}

QString LessonName(const QString& dir) {
  return SafeName(QDir(QDir::cleanPath(QDir(dir).absolutePath())).dirName());
}

TLesson ReadLesson(const QString& dir) {
  TLesson lesson;
  const QFileInfo info(dir);
  if (!info.isDir())
    throw EInOutError(QStringLiteral("%1: nie ma takiego folderu lekcji").arg(dir));
  lesson.Dir = info.absoluteFilePath();
  lesson.Name = LessonName(dir);
  // The game counts every exercise whose file holds a place's word towards that
  // place's diamond, and the lesson's files lie in a folder of its name.
  for (size_t p = 0; p < Places.size(); ++p)
    if (lesson.Name.contains(QLatin1String(Places[p].Word)))
      throw EFormatError(
          QStringLiteral("%1: nazwa folderu lekcji zawiera „%2”, więc gra liczyłaby "
                         "ćwiczenia lekcji do diamentu %3; zmień nazwę folderu")
              .arg(lesson.Dir, QLatin1String(Places[p].Word), QString::fromUtf8(kPlacesOf[p])));
  lesson.Title = info.fileName();
  lesson.Exercises = LessonExerciseKinds();
  const QStringList files = QDir(lesson.Dir).entryList(QDir::Files);
  lesson.WordsFile = FindNamed(files, lesson.Dir, QStringLiteral("words"), {QStringLiteral("txt")});
  if (lesson.WordsFile.isEmpty())
    throw EInOutError(QStringLiteral("%1: w folderze lekcji nie ma pliku words.txt").arg(dir));
  lesson.LessonFile =
      FindNamed(files, lesson.Dir, QStringLiteral("lekcja"), {QStringLiteral("txt")});
  if (!lesson.LessonFile.isEmpty()) ReadLessonFile(lesson);
  if (!CanEncodeWin1250(lesson.Title) || lesson.Title.size() > 40)
    FailAt(lesson.LessonFile.isEmpty() ? lesson.Dir : lesson.LessonFile, 0,
           QStringLiteral("tytuł lekcji ma najwyżej 40 znaków, które gra pokaże"));
  ReadWords(lesson);
  return lesson;
}

QString LessonPlaceFile(const TLesson& lesson) {
  return QStringLiteral("Lekcja_") + lesson.Name + QStringLiteral(".lok");
}

QString LessonFolder(const TLesson& lesson) {
  return QStringLiteral("\\lekcje\\") + lesson.Name;
}

std::vector<TSourceNode> LessonSources(const TLesson& lesson) {
  const QString& wf = lesson.WordsFile;
  const QString folder = LessonFolder(lesson);
  const QString list = QStringLiteral("\\cwicz") + folder + QStringLiteral("\\lista.txt");
  const QString fit = lesson.Fit;
  const auto wants = [&](const char* kind) {
    return lesson.Exercises.contains(QLatin1String(kind));
  };
  const auto picture = [&](const TLessonWord& w, int x, int y, int size) {
    if (!IsPhotoName(w.Picture))
      return Node(QStringLiteral("emoji"),
                  {QString::number(x), QString::number(y), QString::number(size), w.Picture}, wf,
                  w.Line);
    return Node(QStringLiteral("photo"),
                {w.Picture, QString::number(x - size / 2), QString::number(y - size / 2),
                 QString::number(size), QString::number(size)},
                wf, w.Line, {{QStringLiteral("fit"), fit}});
  };
  std::vector<TSourceNode> out;
  const QString placeSource = lesson.LessonFile.isEmpty() ? wf : lesson.LessonFile;

  // The words in groups of at most eight, each a word exercise.
  const int count = static_cast<int>(lesson.Words.size());
  const int groups = (count + kGroupSize - 1) / kGroupSize;
  TSourceNode entries =
      Node(QStringLiteral("exercise-list"), {QStringLiteral("program") + list}, wf, 0);
  const auto entry = [&](const char* key, const QString& file, int line) {
    entries.Children.push_back(Node(QStringLiteral("entry"), {QLatin1String(key), file}, wf, line));
  };
  for (int g = 0, first = 0; g < groups; ++g) {
    const int size = (count - first) / (groups - g);
    const QString name = folder + QStringLiteral("\\slowa%1").arg(g + 1);
    const int line = lesson.Words[static_cast<size_t>(first)].Line;
    TSourceNode ex =
        Node(QStringLiteral("word-exercise"),
             {QStringLiteral("program\\cwicz") + name + QStringLiteral(".fc2")}, wf, line,
             {{QStringLiteral("picture"), name.mid(1) + QStringLiteral(".bmp")}});
    for (int i = first; i < first + size; ++i) {
      const TLessonWord& w = lesson.Words[static_cast<size_t>(i)];
      std::vector<std::pair<QString, QString>> named;
      if (IsPhotoName(w.Picture)) named.emplace_back(QStringLiteral("fit"), fit);
      if (!w.Recording.isEmpty()) named.emplace_back(QStringLiteral("recording"), w.Recording);
      ex.Children.push_back(Node(QStringLiteral("item"), {w.Picture, w.English, w.Polish}, wf, w.Line, named));
    }
    out.push_back(ex);
    const QString file = name + QStringLiteral(".fc2");
    if (wants("presentation")) entry("PREZ=", file, line);
    // Dragging one word onto one picture is no exercise.
    if (wants("dragging") && size >= 2) entry("DDRO=", file, line);
    if (wants("listening")) entry("WRYS=", file, line);
    if (wants("letters")) entry("ULIT=", file, line);
    first += size;
  }

  // The grids take single English words of plain letters.
  QStringList gridWords;
  std::vector<const TLessonWord*> gridSources;
  for (const TLessonWord& w : lesson.Words) {
    const QString g = GridWord(w.English);
    if (g.size() >= 2 && !gridWords.contains(g)) {
      gridWords << g;
      gridSources.push_back(&w);
    }
  }
  if (wants("word-search")) {
    QStringList words;
    for (const QString& g : gridWords)
      if (g.size() >= 3 && g.size() <= kSearchLongest && words.size() < kSearchWords) words << g;
    int longest = 0;
    for (const QString& w : words) longest = std::max(longest, static_cast<int>(w.size()));
    const int width = std::max(8, longest), height = std::min(10, 127 / width);
    // Fewer words when the grid cannot hold them all.
    while (words.size() >= 2 && !PlaceWordSearch(words, width, height, 1)) words.removeLast();
    if (words.size() >= 2) {
      out.push_back(
          Node(QStringLiteral("word-search"),
               {QStringLiteral("program\\cwicz") + folder + QStringLiteral("\\szukaj.fc1")}, wf, 0,
               {{QStringLiteral("size"), QStringLiteral("%1x%2").arg(width).arg(height)},
                {QStringLiteral("words"), words.join(u' ')},
                {QStringLiteral("seed"), QStringLiteral("1")}}));
      entry("PKRZ=", folder + QStringLiteral("\\szukaj.fc1"), 0);
    }
  }
  if (wants("crossword")) {
    TSourceNode cw = Node(
        QStringLiteral("crossword"),
        {QStringLiteral("program\\cwicz") + folder + QStringLiteral("\\krzyzowka.fc3")}, wf, 0);
    for (qsizetype i = 0;
         i < gridWords.size() && cw.Children.size() < static_cast<size_t>(CrosswordLines); ++i) {
      const TLessonWord& w = *gridSources[static_cast<size_t>(i)];
      if (gridWords[i].size() <= kCrosswordLongest && w.Polish.size() <= ClueMax)
        cw.Children.push_back(Node(QStringLiteral("word"), {gridWords[i], w.Polish}, wf, w.Line));
    }
    if (cw.Children.size() >= 2) {
      out.push_back(cw);
      entry("KRZY=", folder + QStringLiteral("\\krzyzowka.fc3"), 0);
    }
  }
  if (wants("lily-pads") && count >= DealtPairs) {
    TSourceNode pairs =
        Node(QStringLiteral("word-pairs"),
             {QStringLiteral("program\\cwicz") + folder + QStringLiteral("\\lilie.txt")}, wf, 0);
    for (int i = 0; i < std::min(count, MaxWordPairs); ++i) {
      const TLessonWord& w = lesson.Words[static_cast<size_t>(i)];
      pairs.Children.push_back(Node(QStringLiteral("pair"), {w.English, w.Polish}, wf, w.Line));
    }
    out.push_back(pairs);
    entry("LILI=", folder + QStringLiteral("\\lilie.txt"), 0);
  }
  if (entries.Children.empty())
    FailAt(placeSource, 0, QStringLiteral("z tych słów i ćwiczeń nie powstało żadne ćwiczenie"));
  out.push_back(entries);

  // The place: its picture, the way back, and the whole picture opening the exercises.
  TSourceNode place =
      Node(QStringLiteral("location"), {LessonPlaceFile(lesson)}, placeSource, lesson.FromLine);
  TSourceNode pic = Node(QStringLiteral("picture"),
                         {QStringLiteral("lekcje\\") + lesson.Name + QStringLiteral(".bmp")},
                         placeSource, lesson.Background.Line);
  const int w = PlacePictureWidth, h = PlacePictureHeight;
  if (lesson.Background.Command.isEmpty()) {
    pic.Children.push_back(
        Node(QStringLiteral("gradient"),
             {QStringLiteral("#9fd3f0"), QStringLiteral("#eef8fd"), QStringLiteral("0"),
              QStringLiteral("0"), QString::number(w), QString::number(h / 2)},
             placeSource, 0));
    pic.Children.push_back(Node(QStringLiteral("grass"),
                                {QString::number(h / 2), QStringLiteral("#8cc864")}, placeSource,
                                0));
    pic.Children.push_back(Node(QStringLiteral("sign"),
                                {QString::number(w / 2), QStringLiteral("70"), lesson.Title},
                                placeSource, 0, {{QStringLiteral("size"), QStringLiteral("22")}}));
    // The first words' pictures in a row on the grass, a foretaste of the lesson.
    const int shown = std::min(count, 5);
    for (int i = 0; i < shown; ++i)
      pic.Children.push_back(picture(lesson.Words[static_cast<size_t>(i)],
                                     w * (2 * i + 1) / (2 * shown), h * 2 / 3, 90));
  } else if (lesson.Background.Count() > 0) {
    pic.Children.push_back(
        Node(QStringLiteral("photo"),
             {lesson.Background.Args[0], QStringLiteral("0"), QStringLiteral("0"), QString::number(w),
              QString::number(h)},
             placeSource, lesson.Background.Line,
             {{QStringLiteral("fit"), lesson.Background.Text(QStringLiteral("fit"), fit)}}));
  } else {
    pic.Children = lesson.Background.Children;
  }
  place.Children.push_back(pic);
  place.Children.push_back(
      Node(QStringLiteral("back"), {lesson.From}, placeSource, lesson.FromLine));
  place.Children.push_back(Node(QStringLiteral("exercises"), {list}, placeSource, 0));
  place.Children.push_back(Node(QStringLiteral("exercise-spot"),
                                {QStringLiteral("0"), QStringLiteral("0"), QString::number(w - 1),
                                 QString::number(h - 1), list},
                                placeSource, 0));
  out.push_back(place);
  return out;
}
