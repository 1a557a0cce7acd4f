#include "lib/Dump.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <cstdio>

#include "app/FrmPodklad.h"
#include "exercises/CrosswordFile.h"
#include "exercises/ExerciseFiles.h"
#include "exercises/WordPairFile.h"
#include "exercises/ListeningChoiceFile.h"
#include "exercises/SongFile.h"
#include "menu/NoteFile.h"
#include "lib/ListFiles.h"
#include "platform/AudioDecoder.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "platform/TextFile.h"
#include "platform/VideoClip.h"
#include "players/PlayerFile.h"
#include "tools/WordList.h"
#include "world/LocationFile.h"

namespace {

QString ColorText(QRgb c) {
  return QStringLiteral("#%1%2%3")
      .arg(qRed(c), 2, 16, QLatin1Char('0'))
      .arg(qGreen(c), 2, 16, QLatin1Char('0'))
      .arg(qBlue(c), 2, 16, QLatin1Char('0'));
}

TJson Rect(int left, int top, int right, int bottom) {
  return TJson::Object().Set("Left", left).Set("Top", top).Set("Right", right).Set("Bottom", bottom);
}

TJson DumpLocation(const QString& path, TNotes& notes) {
  const TLocation loc = ReadLocationFile(path);
  notes = LintLocation(loc);
  TJson walks = TJson::Array(), sounds = TJson::Array(), sprites = TJson::Array(), spots = TJson::Array(),
        anis = TJson::Array();
  for (const auto& w : loc.WalkSpots) walks.Append(Rect(w.Left, w.Top, w.Right, w.Bottom).Set("Target", w.Target).Set("Sound", w.Sound));
  for (const auto& s : loc.SoundSpots) sounds.Append(Rect(s.Left, s.Top, s.Right, s.Bottom).Set("Sound", s.Sound));
  for (const auto& s : loc.Sprites)
    sprites.Append(TJson::Object()
                       .Set("Interval", s.Interval).Set("X", s.X).Set("Y", s.Y).Set("Width", s.Width)
                       .Set("Height", s.Height).Set("Frames", s.Frames).Set("Strip", s.Strip)
                       .Set("Action", s.Action).Set("Sound", s.Sound).Set("Still", s.Still));
  for (const auto& e : loc.ExerciseSpots) spots.Append(Rect(e.Left, e.Top, e.Right, e.Bottom).Set("ListFile", e.ListFile));
  for (const auto& a : loc.AniEvents)
    anis.Append(TJson::Object()
                    .Set("Left", a.Left).Set("Top", a.Top).Set("Height", a.Height).Set("Width", a.Width)
                    .Set("Spare", a.Spare).Set("Video", a.Video).Set("Sound", a.Sound));
  return TJson::Object()
      .Set("Picture", loc.Picture)
      .Set("BackLink", loc.BackLink)
      .Set("WalkSpots", walks)
      .Set("SoundSpots", sounds)
      .Set("ExerciseListLines", loc.ExerciseListLines)
      .Set("ExerciseListFile", loc.ExerciseListFile)
      .Set("DialogueListLines", loc.DialogueListLines)
      .Set("DialogueListFile", loc.DialogueListFile)
      .Set("Sprites", sprites)
      .Set("ExerciseSpots", spots)
      .Set("WaveEvents", TJson::Strings(loc.WaveEvents))
      .Set("AniEvents", anis);
}

TJson DumpPlayer(const QString& path, TNotes& notes) {
  const TPlayerFile p = ParsePlayerFile(ReadWholeFile(path), path);
  notes = LintPlayer(p, QFileInfo(path).fileName());
  TJson results = TJson::Array();
  for (const auto& r : p.Results)
    results.Append(TJson::Object().Set("Key", r.Key).Set("File", r.File).Set("Done", r.Done).Set("Points", r.Points));
  return TJson::Object()
      .Set("Name", p.Name)
      .Set("LastPlayDate", p.LastPlayDate)
      .Set("VisitCount", p.VisitCount)
      .Set("RedCount", p.RedCount)
      .Set("GreenCount", p.GreenCount)
      .Set("Sex", p.Sex)
      .Set("PlaceCount", TJson::Ints(p.PlaceCount))
      .Set("Results", results)
      .Set("ExtraLines", TJson::Strings(p.ExtraLines));
}

TJson DumpPlayerList(const QString& path, TNotes& notes) {
  const TPlayerList list = ParsePlayerList(ReadWholeFile(path));
  notes = LintPlayerList(list);
  return TJson::Object().Set("Names", TJson::Strings(list.Names)).Set("ExtraLines", TJson::Strings(list.ExtraLines));
}

TJson DumpList(const QString& path, TNotes& notes, TListKind kind) {
  const TListFile list = ReadListFileAt(path, kind);
  TJson entries = TJson::Array();
  for (const auto& e : list.Entries) {
    entries.Append(TJson::Object().Set("Key", e.Key).Set("File", e.File));
    const bool known = kind == TListKind::Exercises ? IsExerciseKey(e.Key) : IsDialogueKey(e.Key);
    if (!known) notes.push_back({e.Line, QStringLiteral("key \"%1\" starts nothing").arg(e.Key)});
  }
  return TJson::Object().Set("Count", list.Count).Set("Entries", entries);
}

TJson DumpSettings(const QString& path, TNotes& notes) {
  // The game reads the settings file only under this name, next to itself.
  if (QFileInfo(path).fileName().compare(QLatin1String("tarvo.ini"), Qt::CaseInsensitive) != 0)
    throw EFormatError(QStringLiteral("%1: the settings file must be named tarvo.ini").arg(path));
  ReadWholeFile(path);  // a missing file is an error here, not an empty data root
  const QString dir = QFileInfo(ResolvePath(path)).path();
  const QString root = ReadDataRoot(dir);
  // The game makes its own directory the working directory first.
  const QString seen = QDir(dir).absoluteFilePath(NormalizeSeparators(root));
  if (root.isEmpty() || !DirectoryExists(seen))
    notes.push_back({2, QStringLiteral("data root \"%1\" is no directory here: the game stops with its CD message").arg(root)});
  return TJson::Object().Set("DataRoot", root);
}

TJson DumpPicture(const QString& path, TNotes&) {
  const QImage img = LoadPicture(path);
  return TJson::Object()
      .Set("Width", img.width())
      .Set("Height", img.height())
      .Set("TopLeft", ColorText(img.pixel(0, 0)))
      .Set("BottomLeft", ColorText(img.pixel(0, img.height() - 1)));
}

TJson DumpSound(const QString& path, TNotes& notes) {
  const TSoundData s = DecodeSoundFile(path);
  if (s.Frames() == 0) notes.push_back({0, QStringLiteral("the sound is empty")});
  return TJson::Object()
      .Set("Rate", s.Rate)
      .Set("Channels", s.Channels)
      .Set("Frames", static_cast<int>(std::min<std::int64_t>(s.Frames(), INT_MAX)))
      .Set("LengthMs", s.LengthMs());
}

TJson DumpVideo(const QString& path, TNotes&) {
  TVideoClip clip;
  clip.Open(path);
  return TJson::Object()
      .Set("Width", clip.Width())
      .Set("Height", clip.Height())
      .Set("FrameCount", clip.FrameCount())
      .Set("FrameRate", QString::number(clip.FrameRate(), 'g', 4))
      .Set("DurationMs", clip.DurationMs())
      .Set("HasAudio", clip.HasAudio());
}

TJson DumpWordExercise(const QString& path, TNotes& notes) {
  const TWordExercise e = ReadWordExercise(ReadFileHead(path, WordExerciseSize), path);
  TJson spots = TJson::Array(), positions = TJson::Array();
  for (const auto& h : e.HotSpots) spots.Append(Rect(h.Left, h.Top, h.Right, h.Bottom));
  for (const auto& w : e.WordPositions) positions.Append(TJson::Object().Set("X", w.X).Set("Y", w.Y));
  for (int i = 0; i < e.ItemCount && i < WordItems; ++i) {
    const auto& h = e.HotSpots[static_cast<size_t>(i)];
    if (e.ItemUsed[static_cast<size_t>(i)] == 1 && (h.Left > h.Right || h.Top > h.Bottom))
      notes.push_back({0, QStringLiteral("item %1: hot spot (%2,%3)-(%4,%5) can never be hit").arg(i + 1).arg(h.Left).arg(h.Top).arg(h.Right).arg(h.Bottom)});
    if (e.ItemUsed[static_cast<size_t>(i)] != 0 && e.ItemUsed[static_cast<size_t>(i)] != 1)
      notes.push_back({0, QStringLiteral("item %1: ItemUsed %2 is neither 0 nor 1").arg(i + 1).arg(e.ItemUsed[static_cast<size_t>(i)])});
    if (e.SoundNumbers[static_cast<size_t>(i)] < 0)
      notes.push_back({0, QStringLiteral("item %1: sound number %2 is negative").arg(i + 1).arg(e.SoundNumbers[static_cast<size_t>(i)])});
  }
  if (e.UsedCount() == 0) notes.push_back({0, QStringLiteral("no item of the first %1 takes part").arg(e.ItemCount)});
  return TJson::Object()
      .Set("ItemCount", e.ItemCount)
      .Set("HotSpots", spots)
      .Set("WordPositions", positions)
      .Set("SoundNumbers", TJson::Ints(e.SoundNumbers))
      .Set("Translations", TJson::Strings(QStringList(e.Translations.begin(), e.Translations.end())))
      .Set("Words", TJson::Strings(QStringList(e.Words.begin(), e.Words.end())))
      .Set("PictureName", e.PictureName)
      .Set("ItemUsed", TJson::Ints(e.ItemUsed));
}

TJson DumpWordSearch(const QString& path, TNotes& notes) {
  const TWordSearch w = ReadWordSearch(ReadFileHead(path, WordSearchSize), path);
  const int cells = std::min(WordSearchCells, w.Columns * w.Rows);
  TJson direction = TJson::Array(), partner = TJson::Array(), letters = TJson::Array(), grid = TJson::Array();
  int ends = 0;
  for (int i = 0; i < cells; ++i) {
    direction.Append(static_cast<int>(w.Direction[static_cast<size_t>(i)]));
    partner.Append(static_cast<int>(w.Partner[static_cast<size_t>(i)]));
    letters.Append(w.Letters[static_cast<size_t>(i)]);
    const int p = w.Partner[static_cast<size_t>(i)];
    if (p > 0) ++ends;
    if (p < 0) notes.push_back({0, QStringLiteral("cell %1: partner %2 can never be matched").arg(i + 1).arg(p)});
    if (p > cells) notes.push_back({0, QStringLiteral("cell %1: partner %2 lies outside the %3 cells").arg(i + 1).arg(p).arg(cells)});
  }
  for (int r = 0; r < w.Rows && r * w.Columns < cells; ++r) {
    QString row;
    for (int c = 0; c < w.Columns; ++c) row += w.Letters[static_cast<size_t>(r * w.Columns + c)].left(1).leftJustified(1, u' ');
    grid.Append(row);
  }
  if (ends < w.WordCount)
    notes.push_back({0, QStringLiteral("%1 words to find, but only %2 word ends have a partner").arg(w.WordCount).arg(ends)});
  return TJson::Object()
      .Set("Columns", w.Columns)
      .Set("Rows", w.Rows)
      .Set("MarginLeft", w.MarginLeft)
      .Set("MarginTop", w.MarginTop)
      .Set("WordCount", w.WordCount)
      .Set("Grid", grid)
      .Set("Direction", direction)
      .Set("Partner", partner)
      .Set("Letters", letters);
}

TJson DumpCrossword(const QString& path, TNotes& notes) {
  const TCrossword c = ReadCrossword(ReadFileHead(path, CrosswordSize), path);
  for (const TCrosswordProblem& problem : CrosswordProblems(c)) notes.push_back({0, problem.Message});
  TJson positions = TJson::Array();
  for (const auto& at : c.LinePositions)
    positions.Append(TJson::Object().Set("Left", at.Left).Set("Top", at.Top));
  return TJson::Object()
      .Set("WordCount", c.WordCount)
      .Set("SolutionColumn", TJson::Ints(c.SolutionColumn))
      .Set("Answers", TJson::Strings(QStringList(c.Answers.begin(), c.Answers.end())))
      .Set("LinePositions", positions)
      .Set("Clues", TJson::Strings(QStringList(c.Clues.begin(), c.Clues.end())));
}

TJson DumpDialogue(const QString& path, TNotes&) {
  const TDialogue d = ReadDialogue(ReadWholeFile(path), path);
  TJson lines = TJson::Array();
  for (const auto& l : d.Lines)
    lines.Append(TJson::Object().Set("SoundNo", l.SoundNo).Set("Speaker", l.Speaker).Set("Text", l.Text).Set("Polish", l.Polish));
  return TJson::Object().Set("Left", d.Left).Set("Top", d.Top).Set("Title", d.Title).Set("Lines", lines);
}

TJson DumpGapDialogue(const QString& path, TNotes&) {
  const TGapDialogue g = ReadGapDialogue(ReadWholeFile(path), path);
  TJson exchanges = TJson::Array();
  for (const auto& e : g.Exchanges)
    exchanges.Append(TJson::Object()
                         .Set("FirstNumbers", TJson::Ints(e.FirstNumbers))
                         .Set("FirstHidden", e.FirstHidden)
                         .Set("SecondNumber", e.SecondNumber)
                         .Set("SecondHidden", e.SecondHidden)
                         .Set("Parts", TJson::Strings(QStringList(e.Parts.begin(), e.Parts.end())))
                         .Set("GapPart", e.GapPart)
                         .Set("Answers", TJson::Strings(e.Answers))
                         .Set("ExtraLines", TJson::Strings(e.ExtraLines)));
  return TJson::Object().Set("Title", g.Title).Set("Exchanges", exchanges);
}

TJson DumpWordPairs(const QString& path, TNotes& notes) {
  const TWordPairs w = ReadWordPairs(ReadWholeFile(path));
  TJson pairs = TJson::Array();
  for (const TWordPair& p : w.Pairs) pairs.Append(TJson::Object().Set("Left", p.Left).Set("Right", p.Right));
  if (static_cast<int>(w.Pairs.size()) < DealtPairs)
    notes.push_back({0, QStringLiteral("%1 pairs: the pond deals %2 different ones, so the game refuses the file")
                            .arg(w.Pairs.size()).arg(DealtPairs)});
  if (w.PairsLeftOut > 0)
    notes.push_back({w.FirstLeftOutLine, QStringLiteral("%1 pairs past the first %2 are left out").arg(w.PairsLeftOut).arg(MaxWordPairs)});
  return TJson::Object().Set("Pairs", pairs).Set("PairsLeftOut", w.PairsLeftOut);
}

TJson DumpNote(const QString& path, TNotes&) {
  const QStringList words = ParseNote(ReadWholeFile(path));
  return TJson::Object().Set("Words", TJson::Strings(words));
}

TJson DumpListeningChoice(const QString& path, TNotes& notes) {
  const TListeningChoice c = ReadListeningChoice(ReadWholeFile(path), path);
  TJson questions = TJson::Array();
  int line = 1;
  for (const TChoiceQuestion& q : c.Questions) {
    ++line;
    const QStringList texts(q.Texts.begin(), q.Texts.end());
    questions.Append(TJson::Object()
                         .Set("WordSound", q.WordSound)
                         .Set("RightChoice", q.RightChoice)
                         .Set("Texts", TJson::Strings(texts)));
    if (q.WordSound < 0)
      notes.push_back({line, QStringLiteral("word sound %1 is negative: the game beeps").arg(q.WordSound)});
    for (int a = 0; a < ChoiceAnswers; ++a) {
      if (!q.Texts[a].trimmed().isEmpty()) continue;
      const QString right = a + 1 == q.RightChoice ? QStringLiteral(", and it is the right one") : QString();
      notes.push_back({line, QStringLiteral("answer %1 is empty%2").arg(a + 1).arg(right)});
    }
  }
  return TJson::Object()
      .Set("QuestionCount", static_cast<int>(c.Questions.size()))
      .Set("Questions", questions);
}

TJson DumpWordList(const QString& path, TNotes& notes) {
  const TWordList list = ReadWordListFile(path);
  TJson entries = TJson::Array();
  for (size_t i = 0; i < list.Entries.size(); ++i) {
    const TWordEntry& e = list.Entries[i];
    entries.Append(TJson::Object().Set("Sound", e.Sound).Set("English", e.English).Set("Polish", e.Polish));
    if (e.English == NoSeparatorText) notes.push_back({static_cast<int>(i + 1), QStringLiteral("the line holds no \"=\"")});
  }
  if (list.LinesLeftOut > 0)
    notes.push_back({MaxWordEntries + 1, QStringLiteral("%1 lines past the %2 entries the dictionary holds are left out")
                                             .arg(list.LinesLeftOut).arg(MaxWordEntries)});
  return TJson::Object().Set("EntryCount", static_cast<int>(list.Entries.size())).Set("Entries", entries);
}

TJson DumpSong(const QString& path, TNotes& notes) {
  const TSong song = ReadSong(ReadWholeFile(path), path);
  const std::vector<int> ends = song.LineEnds();
  TJson lines = TJson::Array();
  for (std::size_t i = 0; i < song.Lines.size(); ++i) {
    const TSongLine& l = song.Lines[i];
    const int start = i == 0 ? 0 : ends[i - 1];
    if (ends[i] == start && l.WordCount() > 0)
      notes.push_back({static_cast<int>(i) + 2, QStringLiteral("line %1 lasts 0 ms: its words are never shown").arg(i + 1)});
    lines.Append(TJson::Object()
                     .Set("Times", TJson::Ints(l.Times))
                     .Set("Words", TJson::Strings(l.Words))
                     .Set("LineEnd", ends[i])
                     .Set("LineText", l.Text()));
  }
  return TJson::Object().Set("LineCount", static_cast<int>(song.Lines.size())).Set("Lines", lines);
}

}  // namespace

const std::vector<TDumpFormat>& DumpFormats() {
  static const std::vector<TDumpFormat> formats = {
      {"location", {".lok"}, "location file (lokacje\\*.lok)", DumpLocation},
      {"player", {}, "player file (login\\NAME.txt)", DumpPlayer},
      {"player-list", {}, "player list (login\\_Lista_Logowania.txt)", DumpPlayerList},
      {"exercise-list", {}, "a place's exercise list",
       [](const QString& p, TNotes& n) { return DumpList(p, n, TListKind::Exercises); }},
      {"dialogue-list", {".fc6"}, "a place's or presentation's dialogue list",
       [](const QString& p, TNotes& n) { return DumpList(p, n, TListKind::Dialogues); }},
      {"word-exercise", {".fc2"}, "word exercise record (cwicz\\*.fc2)", DumpWordExercise},
      {"word-search", {}, "word search record", DumpWordSearch},
      {"crossword", {".fc3"}, "crossword record (KRZY=)", DumpCrossword},
      {"dialogue", {}, "dialogue (DIAL=)", DumpDialogue},
      {"gap-dialogue", {".fc9"}, "gap dialogue (DIAC=)", DumpGapDialogue},
      {"word-pairs", {}, "lily-pad word pairs (LILI=)", DumpWordPairs},
      {"note", {}, "remember note (cwicz\\...\\NAME.txt)", DumpNote},
      {"listening-choice", {}, "listening choice (MOST=)", DumpListeningChoice},
      {"word-list", {}, "the dictionary's word list (Sb_all_NEW.txt)", DumpWordList},
      {"song", {}, "song text (music\\songs\\song_N.txt)", DumpSong},
      {"settings", {".ini"}, "start-up settings (tarvo.ini)", DumpSettings},
      {"picture", {".bmp", ".jpg", ".jpeg"}, "picture: size and key colours", DumpPicture},
      {"sound", {".wav"}, "wave sound: rate, channels, length", DumpSound},
      {"video", {".avi"}, "AVI clip: size, frames, rate", DumpVideo},
  };
  return formats;
}

const TDumpFormat* FindDumpFormat(const QString& path, const QString& as) {
  const auto& formats = DumpFormats();
  if (!as.isEmpty()) {
    for (const auto& f : formats)
      if (f.Name == as) return &f;
    return nullptr;
  }
  const QString name = QFileInfo(path).fileName().toLower();
  if (name == QLatin1String("_lista_logowania.txt")) return FindDumpFormat(path, QStringLiteral("player-list"));
  if (name == QLatin1String("sb_all_new.txt")) return FindDumpFormat(path, QStringLiteral("word-list"));
  for (const auto& f : formats)
    for (const QString& ext : f.Extensions)
      if (name.endsWith(ext)) return &f;
  return nullptr;
}

namespace {
int DumpUsage() {
  QString text = QStringLiteral("Usage: tarvolin-content dump FILE [--as FORMAT]\nFormats:\n");
  for (const auto& f : DumpFormats())
    text += QStringLiteral("  %1%2%3\n")
                .arg(f.Name.leftJustified(15))
                .arg(f.Description)
                .arg(f.Extensions.isEmpty() ? QString() : QStringLiteral(" [") + f.Extensions.join(' ') + ']');
  std::fprintf(stderr, "%s", qPrintable(text));
  return 2;
}
}  // namespace

TDumpResult DumpFile(const QString& path, const QString& as) {
  const TDumpFormat* format = FindDumpFormat(path, as);
  if (!format)
    throw EFormatError(QStringLiteral("%1: %2").arg(path, as.isEmpty() ? QStringLiteral("unknown format; name it with --as")
                                                                         : QStringLiteral("no format \"%1\"").arg(as)));
  TDumpResult r;
  r.Json = format->Dump(path, r.Notes).ToText();
  return r;
}

int RunDump(const QStringList& args) {
  QString path, as;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--as") && i + 1 < args.size())
      as = args[++i];
    else if (path.isEmpty() && !args[i].startsWith(QLatin1String("--")))
      path = args[i];
    else
      return DumpUsage();
  }
  if (path.isEmpty()) return DumpUsage();
  if (!FindDumpFormat(path, as)) {
    std::fprintf(stderr, "tarvolin-content: %s: %s\n", qPrintable(path),
                 as.isEmpty() ? "unknown format; name it with --as" : "no such format");
    return DumpUsage();
  }
  const TDumpResult r = DumpFile(path, as);
  std::printf("%s\n", r.Json.toUtf8().constData());
  std::fflush(stdout);
  for (const TNote& n : r.Notes)
    std::fprintf(stderr, "%s\n", qPrintable(Located(path, n.Line, QStringLiteral("warning: ") + n.Message)));
  return 0;
}
