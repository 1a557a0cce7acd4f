// The demo's exercise data: word exercises laid out from their items, word
// searches filled around their words, dialogues, gap dialogues and the lists
// that name them.
#include <QFileInfo>
#include <QFontMetrics>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <optional>

#include "app/Globals.h"
#include "exercises/ExerciseFiles.h"
#include "lib/DemoContext.h"
#include "lib/Installation.h"
#include "lib/ListFiles.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "world/Dialogues.h"

namespace {

// The exercise picture's size on exercise screen 1.
constexpr int kPictureWidth = 545, kPictureHeight = 430;
// Items stay left of the dragging exercise's side panel (screen x 528).
constexpr int kItemsWidth = 500;
// The width of the word places' cover rectangle (the word exercise screen's).
constexpr int kCoverWidth = 84;

// Writes through the readers' own writer and reads the bytes back, so the
// demo never holds a file the game would refuse.
template <typename Write, typename Read>
void SaveChecked(const TSourceNode& n, const QString& path, Write write, Read read) {
  try {
    const QByteArray bytes = write();
    read(bytes);
    WriteFileAtomic(path, bytes);
  } catch (const Exception& e) {
    n.Fail(e.Message);
  }
}

// "a,b" as two numbers.
QPoint PointArg(const TSourceNode& n, const QString& key) {
  const QStringList parts = n.Text(key).split(u',');
  bool okX = false, okY = false;
  const QPoint p(parts.value(0).toInt(&okX), parts.value(1).toInt(&okY));
  if (parts.size() != 2 || !okX || !okY) n.Fail(QStringLiteral("%1= must be X,Y").arg(key));
  return p;
}

}  // namespace

namespace {
TSourceNode SayEnglish(const TSourceNode& where, const QString& english) {
  TSourceNode say = where;
  say.Args = {QStringLiteral("en"), english};
  say.Named.clear();
  say.Flags.clear();
  return say;
}
}  // namespace

// Numbers taken by sounds that other parts of the demo wrote are skipped. A
// `recording=` on the line gives the word the teacher's own voice, also when
// the word was spoken before without one.
int TDemoContext::WordSound(const TSourceNode& where, const QString& english, const QString& polish) {
  const QString recording = where.Text(QStringLiteral("recording"));
  int number = 0;
  auto say = [&](const QString& path) {
    if (recording.isEmpty()) {
      const TSourceNode en = SayEnglish(where, english);
      Sounds.Add(RealPath(en, path), en, 0);
      return;
    }
    TSourceNode rec = SayEnglish(where, english);
    rec.Args = {QStringLiteral("recording"), recording};
    Sounds.Add(RealPath(rec, path), rec, 0);
  };
  if (auto it = wordSounds_.find(english); it != wordSounds_.end()) {
    number = *it;
    QString& before = wordRecordings_[english];
    if (!recording.isEmpty() && !before.isEmpty() && where.InputFile(recording) != before)
      where.Fail(
          QStringLiteral("'%1' already has the recording %2").arg(english, ShownPath(before)));
    if (!recording.isEmpty() && before.isEmpty()) {
      before = where.InputFile(recording);
      say(QStringLiteral("cd") +
          WordSoundPath(Inst.DataRoot(), number).mid(Inst.DataRoot().size()));
    }
  } else {
    QString path;
    do
      path = QStringLiteral("cd") +
             WordSoundPath(Inst.DataRoot(), ++lastWord_).mid(Inst.DataRoot().size());
    while (Taken(path));
    wordSounds_.insert(english, lastWord_);
    if (!recording.isEmpty()) wordRecordings_[english] = where.InputFile(recording);
    say(path);
    number = lastWord_;
  }
  if (!polish.isEmpty() && std::none_of(Words.begin(), Words.end(), [&](const TWordEntry& w) { return w.English == english; }))
    Words.push_back({number, english, polish});
  return number;
}

int TDemoContext::LineSound(const TSourceNode& where, const QString& english, const QString& voice, int pitch) {
  const QString key = voice + QLatin1Char('|') + QString::number(pitch) + QLatin1Char('|') + english;
  if (auto it = lineSounds_.find(key); it != lineSounds_.end()) return *it;
  QString path;
  do path = QStringLiteral("cd\\music\\dialogi\\%1.wav").arg(++lastLine_);
  while (Taken(path));
  lineSounds_.insert(key, lastLine_);
  TSourceNode say = SayEnglish(where, english);
  say.Named[QStringLiteral("voice")] = voice;
  say.Named[QStringLiteral("pitch")] = QString::number(pitch);
  Sounds.Add(RealPath(say, path), say, 0);
  return lastLine_;
}

// word-exercise PATH picture=NAME [columns=N]
//   background            drawing lines under the items (545 x 430)
//   item EMOJI|PHOTO "english" "polish" [unused=1] [at=X,Y] [size=N] [fit=] [recording=FILE]
// A PHOTO (.jpg, .jpeg, .png, from the source file's folder) fills the item's hot spot.
void CompileWordExercise(TDemoContext& ctx, const TSourceNode& n) {
  n.Allow({"picture", "columns"});
  const QString pictureName = n.Text(QStringLiteral("picture"));
  if (pictureName.isEmpty() || pictureName.startsWith(u'\\'))
    n.Fail(QStringLiteral("picture= names the exercise picture under cd\\cwicz, without a leading backslash"));
  std::vector<const TSourceNode*> items;
  const TSourceNode* background = nullptr;
  for (const TSourceNode& c : n.Children) {
    if (c.Command == QLatin1String("item")) items.push_back(&c);
    else if (c.Command == QLatin1String("background")) background = &c;
    else c.Fail(QStringLiteral("a word exercise holds 'background' and 'item' lines"));
  }
  const int count = static_cast<int>(items.size());
  if (count < 1 || count > WordItems) n.Fail(QStringLiteral("a word exercise has 1 to %1 items").arg(WordItems));

  const int columns = n.NamedInt(QStringLiteral("columns"), count <= 4 ? count : count <= 8 ? 4 : 5);
  const int rows = (count + columns - 1) / columns;
  const double cellW = static_cast<double>(kItemsWidth) / columns, cellH = (kPictureHeight - 10.0) / rows;
  QFont labelFont(QStringLiteral("Liberation Sans"));
  labelFont.setPixelSize(13);  // the screen's small font, Arial 10 points
  const QFontMetrics fm(labelFont);

  QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
  picture.fill(QColor(255, 248, 230));
  if (background) DrawCommands(picture, background->Children, {}, ctx.Pictures);

  TWordExercise e;
  e.ItemCount = count;
  e.PictureName = QStringLiteral("\\") + pictureName;
  std::vector<TSourceNode> emoji;
  for (int i = 0; i < count; ++i) {
    const TSourceNode& it = *items[static_cast<size_t>(i)];
    it.Allow({"unused", "at", "size", "recording", "fit"});
    const QString english = it.Arg(1, "the English word"), polish = it.Arg(2, "the Polish word");
    const double size = it.NamedInt(QStringLiteral("size"), static_cast<int>(std::min({cellW * 0.72, cellH * 0.55, 120.0})));
    QPointF centre(cellW * (i % columns + 0.5), cellH * (i / columns) + cellH * 0.42 + 5);
    if (it.Has(QStringLiteral("at"))) centre = PointArg(it, QStringLiteral("at"));
    const size_t k = static_cast<size_t>(i);
    const double half = size * 0.55;
    e.HotSpots[k] = {static_cast<int>(centre.x() - half), static_cast<int>(centre.y() - half),
                     static_cast<int>(centre.x() + half), static_cast<int>(centre.y() + half)};
    // The word and the cover that hides its place until it is solved start at
    // the same point: each is off its picture's centre by half as much as the
    // other would be if that one were centred, kept inside the picture.
    const double textWidth = fm.horizontalAdvance(english);
    const double coverWidth = std::max<double>(textWidth, kCoverWidth);
    const double left = std::clamp(centre.x() - (textWidth + coverWidth) / 4, 0.0,
                                   std::max(0.0, kPictureWidth - coverWidth));
    e.WordPositions[k] = {static_cast<int>(left), static_cast<int>(centre.y() + half + 4)};
    e.Words[k] = english;
    e.Translations[k] = polish;
    e.ItemUsed[k] = it.NamedInt(QStringLiteral("unused"), 0) ? 0 : 1;
    e.SoundNumbers[k] = ctx.WordSound(it, english, polish);
    TSourceNode draw = it;
    const QString shown = it.Arg(0, "an emoji or a photo");
    draw.Named.clear();
    if (IsPhotoName(shown)) {
      // A photo fills the item's whole hot spot.
      const THotSpot& r = e.HotSpots[k];
      draw.Command = QStringLiteral("photo");
      draw.Args = {shown, QString::number(r.Left), QString::number(r.Top),
                   QString::number(r.Right - r.Left + 1), QString::number(r.Bottom - r.Top + 1)};
      if (it.Has(QStringLiteral("fit")))
        draw.Named[QStringLiteral("fit")] = it.Text(QStringLiteral("fit"));
    } else {
      draw.Command = QStringLiteral("emoji");
      draw.Args = {QString::number(qRound(centre.x())), QString::number(qRound(centre.y())),
                   QString::number(qRound(size)), shown};
    }
    emoji.push_back(draw);
  }
  DrawCommands(picture, emoji, {}, ctx.Pictures);
  ctx.SavePicture(n, QStringLiteral("cd\\cwicz\\") + pictureName, picture);
  ++ctx.Report.Pictures;
  const QString path = ctx.RealPath(n, n.Arg(0, "a file"));
  SaveChecked(n, path, [&] { return WriteWordExercise(e); }, [&](const QByteArray& b) { ReadWordExercise(b, path); });
  ++ctx.Report.Exercises;
}

bool IsPhotoName(const QString& name) {
  const QString suffix = QFileInfo(name).suffix().toLower();
  return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ||
         suffix == QLatin1String("png");
}

std::optional<TWordSearch> PlaceWordSearch(const QStringList& words, int w, int h, quint32 seed,
                                           QString* failed) {
  TWordSearch s;
  s.Columns = w;
  s.Rows = h;
  s.MarginLeft = s.MarginTop = 10;
  s.WordCount = static_cast<int>(words.size());
  std::vector<QChar> grid(static_cast<size_t>(w * h));
  QRandomGenerator rng(seed);
  for (const QString& word : words) {
    const int len = static_cast<int>(word.size());
    bool placed = false;
    for (int attempt = 0; attempt < 2000 && !placed; ++attempt) {
      const bool across = rng.bounded(2) == 0;
      const int maxCol = across ? w - len : w - 1, maxRow = across ? h - 1 : h - len;
      if (maxCol < 0 || maxRow < 0) continue;
      const int col = rng.bounded(maxCol + 1), row = rng.bounded(maxRow + 1);
      bool fits = true;
      // Words never cross: a shared cell would be the end of two words.
      for (int i = 0; i < len && fits; ++i) {
        const int cell = (row + (across ? 0 : i)) * w + col + (across ? i : 0);
        fits = grid[static_cast<size_t>(cell)].isNull();
      }
      if (!fits) continue;
      for (int i = 0; i < len; ++i)
        grid[static_cast<size_t>((row + (across ? 0 : i)) * w + col + (across ? i : 0))] = word[i];
      const int first = row * w + col, last = (row + (across ? 0 : len - 1)) * w + col + (across ? len - 1 : 0);
      s.Direction[static_cast<size_t>(first)] = s.Direction[static_cast<size_t>(last)] = across ? 1 : 2;
      s.Partner[static_cast<size_t>(first)] = static_cast<std::int8_t>(last + 1);
      s.Partner[static_cast<size_t>(last)] = static_cast<std::int8_t>(first + 1);
      placed = true;
    }
    if (!placed) {
      if (failed) *failed = word;
      return std::nullopt;
    }
  }
  for (int i = 0; i < w * h; ++i) {
    const QChar c = grid[static_cast<size_t>(i)].isNull() ? QChar(u'A' + rng.bounded(26)) : grid[static_cast<size_t>(i)];
    s.Letters[static_cast<size_t>(i)] = QString(c);
  }
  return s;
}

// word-search PATH size=WxH words="cat dog ..." [seed=N]
void CompileWordSearch(TDemoContext& ctx, const TSourceNode& n) {
  n.Allow({"size", "words", "seed"});
  TSourceNode sizeNode = n;
  sizeNode.Args = {n.Text(QStringLiteral("size"), QStringLiteral("10x8"))};
  const QSize size = sizeNode.SizeArg(0, "size");
  const int w = size.width(), h = size.height();
  // Partners are signed bytes: a cell past 127 could never be matched.
  if (w * h > 127)
    n.Fail(QStringLiteral("a word search has at most 127 cells (partners are signed bytes)"));
  const QStringList words =
      n.Text(QStringLiteral("words")).toUpper().split(u' ', Qt::SkipEmptyParts);
  if (words.isEmpty()) n.Fail(QStringLiteral("words= lists the words to find"));
  QString failed;
  const std::optional<TWordSearch> s = PlaceWordSearch(
      words, w, h, static_cast<quint32>(n.NamedInt(QStringLiteral("seed"), 1)), &failed);
  if (!s) n.Fail(QStringLiteral("'%1' does not fit in the %2 x %3 grid").arg(failed).arg(w).arg(h));
  const QString path = ctx.RealPath(n, n.Arg(0, "a file"));
  SaveChecked(
      n, path, [&] { return WriteWordSearch(*s); },
      [&](const QByteArray& b) { ReadWordSearch(b, path); });
  ++ctx.Report.Exercises;
}

// dialogue PATH title="..." [left=X] [top=Y]
//   line SPEAKER "english" "polish"
void CompileDialogue(TDemoContext& ctx, const TSourceNode& n) {
  n.Allow({"title", "left", "top"});
  TDialogue d;
  d.Title = n.Text(QStringLiteral("title"));
  d.Left = n.NamedInt(QStringLiteral("left"), 60);
  d.Top = n.NamedInt(QStringLiteral("top"), 90);
  // Each speaker keeps a voice of their own.
  static const std::pair<const char*, int> voices[] = {{"en-gb", 75}, {"en-us", 35}, {"en-gb", 45}, {"en-us", 80}};
  QStringList speakers;
  for (const TSourceNode& c : n.Children) {
    if (c.Command != QLatin1String("line")) c.Fail(QStringLiteral("a dialogue holds 'line SPEAKER \"english\" \"polish\"' lines"));
    c.Allow({});
    const QString speaker = c.Arg(0, "a speaker");
    if (!speakers.contains(speaker)) speakers << speaker;
    const auto& voice = voices[speakers.indexOf(speaker) % 4];
    const QString english = c.Arg(1, "the English line");
    const int sound = ctx.LineSound(c, english, QString::fromLatin1(voice.first), voice.second);
    d.Lines.push_back({sound, speaker, english, c.Arg(2, "the Polish line")});
  }
  const QString path = ctx.RealPath(n, n.Arg(0, "a file"));
  SaveChecked(n, path, [&] { return WriteDialogue(d); }, [&](const QByteArray& b) { ReadDialogue(b, path); });
  ++ctx.Report.Exercises;
}

// gap-dialogue PATH title="..."
//   exchange first="part | part | part" second="part | part | part" answers="one; other"
// One part of the six is PYT, the gap.
void CompileGapDialogue(TDemoContext& ctx, const TSourceNode& n) {
  n.Allow({"title"});
  TGapDialogue g;
  g.Title = n.Text(QStringLiteral("title"));
  for (const TSourceNode& c : n.Children) {
    if (c.Command != QLatin1String("exchange")) c.Fail(QStringLiteral("a gap dialogue holds 'exchange' lines"));
    c.Allow({"first", "second", "answers"});
    TExchange x;
    const QStringList first = c.Text(QStringLiteral("first")).split(u'|'), second = c.Text(QStringLiteral("second")).split(u'|');
    if (first.size() != 3 || second.size() != 3) c.Fail(QStringLiteral("first= and second= have three parts each, split by |"));
    for (int i = 0; i < 3; ++i) {
      x.Parts[static_cast<size_t>(i)] = first[i].trimmed();
      x.Parts[static_cast<size_t>(i + 3)] = second[i].trimmed();
    }
    for (int i = 0; i < ExchangeParts; ++i)
      if (x.Parts[static_cast<size_t>(i)] == QLatin1String("PYT")) x.GapPart = i + 1;
    for (const QString& a : c.Text(QStringLiteral("answers")).split(u';', Qt::SkipEmptyParts)) x.Answers << a.trimmed();
    g.Exchanges.push_back(x);
  }
  const QString path = ctx.RealPath(n, n.Arg(0, "a file"));
  SaveChecked(n, path, [&] { return WriteGapDialogue(g); }, [&](const QByteArray& b) { ReadGapDialogue(b, path); });
  ++ctx.Report.Exercises;
}

// exercise-list PATH / dialogue-list PATH
//   entry KEY FILE
void CompileList(TDemoContext& ctx, const TSourceNode& n, bool exercises) {
  n.Allow({});
  const TListKind kind = exercises ? TListKind::Exercises : TListKind::Dialogues;
  TListFile list;
  for (const TSourceNode& e : n.Children) {
    if (e.Command != QLatin1String("entry")) e.Fail(QStringLiteral("a list holds only 'entry KEY FILE' lines"));
    const QString key = e.Arg(0, "a key");
    if (exercises ? !IsExerciseKey(key) : !IsDialogueKey(key)) e.Fail(QStringLiteral("'%1' starts nothing from this list").arg(key));
    list.Entries.push_back({key, e.Arg(1, "a file"), e.Line});
  }
  if (list.Entries.empty() || static_cast<int>(list.Entries.size()) > MaxListEntries(kind))
    n.Fail(QStringLiteral("a list needs 1 to %1 entries").arg(MaxListEntries(kind)));
  const QString path = ctx.RealPath(n, n.Arg(0, "a file"));
  SaveChecked(n, path, [&] { return WriteListFile(list, kind); }, [&](const QByteArray& b) { ReadListFile(b, path, kind); });
  ++ctx.Report.Lists;
}
