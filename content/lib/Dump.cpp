#include "lib/Dump.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <cstdio>

#include "app/FrmPodklad.h"
#include "lib/ListFiles.h"
#include "platform/AudioDecoder.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "platform/TextFile.h"
#include "platform/VideoClip.h"
#include "players/PlayerFile.h"
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
  const TDumpFormat* format = FindDumpFormat(path, as);
  if (!format) {
    std::fprintf(stderr, "tarvolin-content: %s: %s\n", qPrintable(path),
                 as.isEmpty() ? "unknown format; name it with --as" : "no such format");
    return DumpUsage();
  }
  TNotes notes;
  const TJson json = format->Dump(path, notes);
  std::printf("%s\n", json.ToText().toUtf8().constData());
  for (const TNote& n : notes)
    std::fprintf(stderr, "%s\n", qPrintable(Located(path, n.Line, QStringLiteral("warning: ") + n.Message)));
  return 0;
}
