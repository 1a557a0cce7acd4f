#include "lib/Check.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "app/FrmPodklad.h"
#include "app/ScreenFileList.h"
#include "controls/ButtonStrips.h"
#include "exercises/SongFile.h"
#include "lib/LessonInstall.h"
#include "lib/Lint.h"
#include "menu/FrmMenuStart.h"
#include "platform/AudioDecoder.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "platform/VideoClip.h"
#include "players/PlayerFile.h"
#include "tools/AlphabetBoard.h"
#include "world/LocationFile.h"

QString TProblem::Text() const {
  if (File.isEmpty()) return Message;  // a reader's message names its own file and line
  return Located(File, Line, Error ? Message : QStringLiteral("warning: ") + Message);
}

namespace {

enum TKind { kFile = 0, kPicture = 1, kVideo = 2, kSound = 3 };

// A name from a record that stands for "no sound".
bool NoSound(const QString& name) { return name.isEmpty() || name == QLatin1String("0"); }

}  // namespace

TInstallationCheck::TInstallationCheck(const QString& programDir, const QString& dataRoot)
    : programDir_(programDir), dataRoot_(dataRoot), dataRootGiven_(!dataRoot.isEmpty()) {
  while (programDir_.size() > 1 && (programDir_.endsWith(u'/') || programDir_.endsWith(u'\\'))) programDir_.chop(1);
}

std::map<QString, TInstallationCheck::TEntryCheck>& TInstallationCheck::EntryChecks() {
  static std::map<QString, TEntryCheck> checks = [] {
    std::map<QString, TEntryCheck> m;
    AddExerciseChecks(m);
    return m;
  }();
  return checks;
}

int TInstallationCheck::Errors() const {
  int n = 0;
  for (const auto& p : problems_) n += p.Error;
  return n;
}

int TInstallationCheck::Warnings() const { return static_cast<int>(problems_.size()) - Errors(); }

void TInstallationCheck::Error(const TWhere& where, const QString& message) {
  problems_.push_back({true, where.File, where.Line, message});
}

void TInstallationCheck::Warning(const TWhere& where, const QString& message) {
  problems_.push_back({false, where.File, where.Line, message});
}

QString TInstallationCheck::Shown(const QString& path) { return ResolvePath(path); }

const TInstallationCheck::TFileState& TInstallationCheck::Probe(const QString& path, int kind) {
  const QString key = QString::number(kind) + ResolvePath(path);
  auto it = seen_.find(key);
  if (it != seen_.end()) return *it;
  TFileState s;
  s.Exists = FileExists(path);
  if (s.Exists) {
    try {
      switch (kind) {
        case kPicture: s.Size = LoadPicture(path).size(); break;
        case kVideo: {
          TVideoClip clip;
          clip.Open(path);
          s.Size = QSize(clip.Width(), clip.Height());
          break;
        }
        case kSound: DecodeSoundFile(path); break;
        default: ReadWholeFile(path);
      }
    } catch (const Exception& e) {
      s.Error = e.Message;
    }
  }
  return *seen_.insert(key, s);
}

bool TInstallationCheck::NeedPicture(const QString& path, const TWhere& where, const QString& what, QSize* size) {
  const TFileState& s = Probe(path, kPicture);
  if (!s.Exists) Error(where, QStringLiteral("%1 not found: %2").arg(what, Shown(path)));
  else if (!s.Error.isEmpty()) Error(where, QStringLiteral("%1 cannot be loaded: %2").arg(what, s.Error));
  if (size) *size = s.Size;
  return s.Exists && s.Error.isEmpty();
}

bool TInstallationCheck::NeedVideo(const QString& path, const TWhere& where, const QString& what) {
  const TFileState& s = Probe(path, kVideo);
  if (!s.Exists) Error(where, QStringLiteral("%1 not found: %2").arg(what, Shown(path)));
  else if (!s.Error.isEmpty()) Error(where, QStringLiteral("%1 cannot be played: %2").arg(what, s.Error));
  return s.Exists && s.Error.isEmpty();
}

bool TInstallationCheck::NeedFile(const QString& path, const TWhere& where, const QString& what) {
  const TFileState& s = Probe(path, kFile);
  if (!s.Exists) Error(where, QStringLiteral("%1 not found: %2").arg(what, Shown(path)));
  else if (!s.Error.isEmpty()) Error(where, QStringLiteral("%1 cannot be read: %2").arg(what, s.Error));
  return s.Exists && s.Error.isEmpty();
}

void TInstallationCheck::WantSound(const QString& path, const TWhere& where, const QString& what) {
  const TFileState& s = Probe(path, kSound);
  if (!s.Exists) Warning(where, QStringLiteral("%1 not found (the game plays nothing): %2").arg(what, Shown(path)));
  else if (!s.Error.isEmpty()) Error(where, QStringLiteral("%1 cannot be played: %2").arg(what, s.Error));
}

void TInstallationCheck::NeedScreenFiles(std::span<const TScreenFile> files, const TWhere& at) {
  for (const TScreenFile& f : files) {
    const QString path = f.In(programDir_, dataRoot_);
    const QString what = QString::fromUtf8(f.What);
    const TWhere where = at.File.isEmpty() ? TWhere{Shown(path), 0} : at;
    if (f.Kind == TScreenFile::Sound) {
      WantSound(path, where, what);
      continue;
    }
    if (f.Kind == TScreenFile::Video) {
      NeedVideo(path, where, what);
      continue;
    }
    QSize size;
    if (!NeedPicture(path, where, what, &size)) continue;
    if (size.width() >= f.NeededWidth() && size.height() >= f.NeededHeight()) continue;
    const QString needs = f.Kind == TScreenFile::Strip
                              ? QStringLiteral("its %1 frames of %2 x %3 need")
                                    .arg(f.Frames)
                                    .arg(f.Width)
                                    .arg(f.Height)
                              : QStringLiteral("the screen shows it at");
    Warning(where, QStringLiteral("%1 %2 is %3 x %4, %5 %6 x %7: the rest shows black")
                       .arg(what, Shown(path))
                       .arg(size.width())
                       .arg(size.height())
                       .arg(needs)
                       .arg(f.NeededWidth())
                       .arg(f.NeededHeight()));
  }
}

bool TInstallationCheck::Settings() {
  const QString ini = SettingsFilePath(programDir_);
  if (!DirectoryExists(programDir_)) {
    Error({programDir_, 0}, QStringLiteral("the program directory does not exist"));
    return false;
  }
  if (!dataRootGiven_) {
    if (!FileExists(ini)) {
      Error({Shown(ini), 0}, QStringLiteral("the settings file is missing: the game finds no data root"));
      return false;
    }
    dataRoot_ = ReadDataRoot(programDir_);
  }
  // The game makes its own directory the working directory before it looks.
  const QString root = QDir(programDir_).absoluteFilePath(NormalizeSeparators(dataRoot_));
  if (dataRoot_.isEmpty() || !DirectoryExists(root)) {
    Error(dataRootGiven_ ? TWhere{dataRoot_, 0} : TWhere{Shown(ini), 2},
          QStringLiteral("data root \"%1\" is no directory: the game stops with its CD message").arg(dataRoot_));
    return false;
  }
  if (QDir::isRelativePath(NormalizeSeparators(dataRoot_))) dataRoot_ = root;
  return true;
}

// The files the screens open whatever the lists hold; an exercise screen's
// own are checked at each entry that starts it.
void TInstallationCheck::ScreenFiles() {
  for (const TScreenFileSet& set : AllScreenFiles)
    if (!set.PerEntry) NeedScreenFiles(set.Files);
}

void TInstallationCheck::Alphabet() {
  for (int t = 1; t <= static_cast<int>(Creatures.size()); ++t) {
    const TCreature& c = Creatures[t - 1];
    const QString path = dataRoot_ + CreatureStripPath(t);
    const TWhere where{Shown(path), 0};
    QSize size;
    if (!NeedPicture(path, where,
                     QStringLiteral("strip of the alphabet board's %1").arg(QLatin1String(c.Name)),
                     &size))
      continue;
    if (size.width() < c.Width * c.Frames || size.height() < c.Height)
      Warning(where,
              QStringLiteral("strip is %1 x %2, the board shows %3 frames of %4 x %5 from it")
                  .arg(size.width())
                  .arg(size.height())
                  .arg(c.Frames)
                  .arg(c.Width)
                  .arg(c.Height));
  }
  QStringList sounds;
  for (int k = 1; k <= static_cast<int>(LetterAreas.size()); ++k) sounds << LetterSoundPath(k);
  for (int t = 1; t <= static_cast<int>(Creatures.size()); ++t) sounds << CreatureSoundPath(t);
  sounds << AlphabetSongPath();
  for (const QString& s : sounds) {
    const QString path = dataRoot_ + s;
    WantSound(path, {Shown(path), 0}, QStringLiteral("alphabet board sound"));
  }
}

void TInstallationCheck::Buttons() {
  for (size_t i = 0; i < ButtonStrips.size(); ++i) {
    const QString path = ButtonStripPath(programDir_, ButtonStrips[i]);
    QSize size;
    const TWhere where{Shown(path), 0};
    if (!NeedPicture(path, where, QStringLiteral("button strip %1").arg(i), &size)) continue;
    if (size.width() % ButtonStrips[i].Frames != 0)
      Error(where, QStringLiteral("width %1 does not divide into %2 frames (Dlugosc obrazka nie dzieli sie przez podana liczbe klatek)")
                       .arg(size.width()).arg(ButtonStrips[i].Frames));
  }
}

void TInstallationCheck::Places() {
  const QString start = QStringLiteral("Start.lok");
  QStringList queue{start};
  QHash<QString, TWhere> origins;
  origins.insert(start.toLower(), TWhere{QStringLiteral("start menu"), 0});
  for (qsizetype i = 0; i < queue.size(); ++i) {
    const QString name = queue[i];
    CheckPlace(name, origins.value(name.toLower()), queue, origins);
  }
  // A place no walk or back button leads to is never seen.
  const QString dir = ResolvePath(programDir_ + QStringLiteral("\\lokacje"));
  for (const QString& file : QDir(dir).entryList({QStringLiteral("*.lok")}, QDir::Files, QDir::Name))
    if (!origins.contains(file.toLower()))
      Warning({dir + u'/' + file, 0}, QStringLiteral("no way leads to this place from Start.lok"));
}

void TInstallationCheck::CheckPlace(const QString& name, const TWhere& from, QStringList& queue,
                                    QHash<QString, TWhere>& origins) {
  const QString path = programDir_ + QStringLiteral("\\lokacje\\") + name;
  if (!FileExists(path)) {
    Error(from, QStringLiteral("place \"%1\" not found: %2").arg(name, Shown(path)));
    return;
  }
  const QString shown = Shown(path);
  placeOrder_ << shown;
  TLocation loc;
  try {
    loc = ReadLocationFile(shown);
  } catch (const Exception& e) {
    problems_.push_back({true, QString(), 0, e.Message});
    return;
  }
  for (const TNote& n : LintLocation(loc)) Warning({shown, n.Line}, n.Message);
  const TLocationLines lines = LocationLines(loc);
  auto fx = [&](const QString& sound) { return dataRoot_ + QStringLiteral("\\lokacje\\Fx\\") + sound + QStringLiteral(".wav"); };
  auto visit = [&](const QString& target, const TWhere& where) {
    if (target.isEmpty()) {
      Error(where, QStringLiteral("the way to another place names no location file"));
      return;
    }
    if (origins.contains(target.toLower())) return;
    origins.insert(target.toLower(), where);
    queue << target;
  };

  QSize size;
  if (!loc.Picture.isEmpty() &&
      NeedPicture(dataRoot_ + QStringLiteral("\\lokacje\\") + loc.Picture, {shown, 1}, QStringLiteral("place picture"), &size) &&
      size != QSize(PlacePictureWidth, PlacePictureHeight))
    Warning({shown, 1}, QStringLiteral("place picture is %1 x %2, the screen shows %3 x %4")
                            .arg(size.width()).arg(size.height()).arg(PlacePictureWidth).arg(PlacePictureHeight));
  if (loc.BackLink != QLatin1String("NONE")) visit(loc.BackLink, {shown, 10});
  for (size_t i = 0; i < loc.WalkSpots.size(); ++i) {
    const TWhere where{shown, LineAt(lines.Walk, i)};
    visit(loc.WalkSpots[i].Target, where);
    if (!NoSound(loc.WalkSpots[i].Sound)) WantSound(fx(loc.WalkSpots[i].Sound), where, QStringLiteral("walk sound"));
  }
  for (size_t i = 0; i < loc.SoundSpots.size(); ++i)
    WantSound(fx(loc.SoundSpots[i].Sound), {shown, LineAt(lines.Sound, i)},
              QStringLiteral("spot sound"));
  if (loc.ExerciseListLines > 0)
    CheckList(loc.ExerciseListFile, TListKind::Exercises,
              {shown, LineAt(lines.ExerciseList, loc.ExerciseListLines - 1)});
  if (loc.DialogueListLines > 0)
    CheckList(loc.DialogueListFile, TListKind::Dialogues,
              {shown, LineAt(lines.DialogueList, loc.DialogueListLines - 1)});
  for (size_t i = 0; i < loc.Sprites.size(); ++i) {
    const TSpriteRecord& s = loc.Sprites[i];
    const TWhere where{shown, LineAt(lines.Sprite, i)};
    QSize strip;
    if (NeedPicture(dataRoot_ + s.Strip, where, QStringLiteral("sprite strip"), &strip)) {
      // Both come from the place file and may be anything an int holds.
      const qint64 needed = qint64{s.Frames} * s.Width;
      if (strip.width() < needed)
        Warning(where, QStringLiteral("strip is %1 pixels wide, %2 frames of %3 need %4")
                           .arg(strip.width())
                           .arg(s.Frames)
                           .arg(s.Width)
                           .arg(needed));
      if (strip.height() < s.Height)
        Warning(where, QStringLiteral("strip is %1 pixels high, the sprite %2").arg(strip.height()).arg(s.Height));
    }
    if (s.Action == 1 && !NoSound(s.Sound)) WantSound(fx(s.Sound), where, QStringLiteral("sprite sound"));
  }
  for (size_t i = 0; i < loc.ExerciseSpots.size(); ++i)
    CheckList(loc.ExerciseSpots[i].ListFile, TListKind::Exercises,
              {shown, LineAt(lines.ExerciseSpot, i)});
  for (qsizetype i = 0; i < loc.WaveEvents.size(); ++i)
    WantSound(fx(loc.WaveEvents[i]), {shown, LineAt(lines.Wave, i)}, QStringLiteral("idle sound"));
  for (size_t i = 0; i < loc.AniEvents.size(); ++i) {
    const TAniEvent& a = loc.AniEvents[i];
    const TWhere where{shown, LineAt(lines.Ani, i)};
    NeedVideo(dataRoot_ + a.Video, where, QStringLiteral("idle video"));
    if (!NoSound(a.Sound)) WantSound(fx(a.Sound), where, QStringLiteral("idle video sound"));
  }
}

void TInstallationCheck::CheckList(const QString& name, TListKind kind, const TWhere& where) {
  const QString what = kind == TListKind::Exercises ? QStringLiteral("exercise list") : QStringLiteral("dialogue list");
  const QString path = programDir_ + name;
  if (name.isEmpty() || !FileExists(path)) {
    const bool folder = !name.isEmpty() && DirectoryExists(path);
    Error(where,
          QStringLiteral("%1 \"%2\" %3: %4")
              .arg(what, name,
                   folder ? QStringLiteral("is a folder, not a file") : QStringLiteral("not found"),
                   Shown(path)));
    return;
  }
  const QString shown = Shown(path);
  if (lists_.contains(QString::number(static_cast<int>(kind)) + shown)) return;
  lists_.insert(QString::number(static_cast<int>(kind)) + shown);
  TListFile list;
  try {
    list = ReadListFileAt(shown, kind);
  } catch (const Exception& e) {
    problems_.push_back({true, QString(), 0, e.Message});
    return;
  }
  for (const TListFileEntry& e : list.Entries) {
    const TWhere at{shown, e.Line};
    const bool known = kind == TListKind::Exercises ? IsExerciseKey(e.Key) : IsDialogueKey(e.Key);
    if (!known) {
      Error(at, kind == TListKind::Exercises
                    ? QStringLiteral("key \"%1\" starts no exercise (the game says \"Brak cwiczenia !\")").arg(e.Key)
                    : QStringLiteral("key \"%1\" is neither DIAL= nor DIAC= (in capitals): the entry loads nothing").arg(e.Key));
      continue;
    }
    const QString file = programDir_ + QStringLiteral("\\cwicz") + e.File;
    if (e.File.isEmpty() || !FileExists(file)) {
      Error(at, QStringLiteral("entry %1%2 points nowhere: %3").arg(e.Key, e.File, Shown(file)));
      continue;
    }
    const auto check = EntryChecks().find(e.Key);
    if (check != EntryChecks().end()) check->second(*this, file, e, at);
  }
}

void TInstallationCheck::Players() {
  const QString login = programDir_ + QStringLiteral("\\login\\");
  const QString listPath = login + QStringLiteral("_Lista_Logowania.txt");
  const QString shown = Shown(listPath);
  if (!FileExists(listPath)) {
    // The first run creates a missing list; nothing can replace a folder.
    if (QFileInfo::exists(shown))
      Error(
          {shown, 0},
          QStringLiteral("the player list is not a file: the game can neither read nor write it"));
    return;
  }
  TPlayerList list;
  try {
    list = ParsePlayerList(ReadWholeFile(listPath));
  } catch (const Exception& e) {
    Error({shown, 0}, e.Message);
    return;
  }
  for (const TNote& n : LintPlayerList(list)) Warning({shown, n.Line}, n.Message);
  for (const QString& name : list.Names) {
    const QString path = login + name + QStringLiteral(".txt");
    if (!FileExists(path)) {
      Error({shown, 0}, QStringLiteral("player \"%1\" has no file (signing in and the best players fail): %2").arg(name, Shown(path)));
      continue;
    }
    try {
      const TPlayerFile p = ParsePlayerFile(ReadWholeFile(path), Shown(path));
      for (const TNote& n : LintPlayer(p, name + QStringLiteral(".txt"))) Warning({Shown(path), n.Line}, n.Message);
    } catch (const Exception& e) {
      problems_.push_back({true, QString(), 0, e.Message});
    }
  }
}

// Every song label of the menu opens its song: the text and both waves must
// be there (the screen fails without either wave, not only without the text).
void TInstallationCheck::Songs() {
  for (const TSongLabel& label : SongLabels) {
    const QString what = QStringLiteral("song %1 (%2)").arg(label.Song).arg(QString::fromUtf8(label.Caption));
    for (const QString& suffix : {QString(), QStringLiteral("N")}) {
      const QString path = SongWavePath(dataRoot_, label.Song, suffix);
      const TFileState& s = Probe(path, kSound);
      const QString which = suffix.isEmpty() ? QStringLiteral("with the voice") : QStringLiteral("without the voice");
      if (!s.Exists) Error({Shown(path), 0}, QStringLiteral("%1 %2 not found").arg(what, which));
      else if (!s.Error.isEmpty()) Error({Shown(path), 0}, QStringLiteral("%1 %2 cannot be played: %3").arg(what, which, s.Error));
    }
    const QString text = SongTextPath(dataRoot_, label.Song);
    if (!NeedFile(text, {Shown(text), 0}, QStringLiteral("text of %1").arg(what))) continue;
    try {
      ReadSong(ReadWholeFile(text), Shown(text));
    } catch (const Exception& e) {
      problems_.push_back({true, QString(), 0, e.Message});
    }
  }
}

void TInstallationCheck::Run() {
  if (!Settings()) return;
  ScreenFiles();
  Alphabet();
  Buttons();
  Places();
  Players();
  CheckWordList(*this);
  Songs();
  NameLessonLines();
}

// A problem in a file a teacher's lesson wrote is the lesson's to mend.
void TInstallationCheck::NameLessonLines() {
  const QHash<QString, QString> origins = LessonOrigins(programDir_);
  if (origins.isEmpty()) return;
  for (TProblem& p : problems_) {
    // The data file a message names (a list's line names the exercise file
    // it cannot read) before the file of the line.
    QString lesson;
    for (auto it = origins.begin(); it != origins.end() && lesson.isEmpty(); ++it)
      if (p.Message.contains(it.key())) lesson = it.value();
    for (auto it = origins.begin(); it != origins.end() && lesson.isEmpty(); ++it)
      if (p.File.endsWith(it.key())) lesson = it.value();
    if (!lesson.isEmpty()) p.Message += QStringLiteral(" (lekcja: %1)").arg(lesson);
  }
}

int RunCheck(const QStringList& args) {
  if (args.isEmpty() || args.size() > 2 || args[0].startsWith(QLatin1String("--"))) {
    std::fprintf(stderr, "Usage: tarvolin-content check PROGRAM_DIR [DATA_ROOT]\n");
    return 2;
  }
  ClearPathCache();
  TInstallationCheck check(args[0], args.value(1));
  check.Run();
  for (const TProblem& p : check.Problems()) std::printf("%s\n", qPrintable(p.Text()));
  std::fflush(stdout);
  std::fprintf(stderr, "checked %lld places, %d lists, %d files: %d errors, %d warnings\n",
               static_cast<long long>(check.PlacesVisited().size()), check.ListsChecked(), check.FilesChecked(),
               check.Errors(), check.Warnings());
  return check.Errors() > 0 ? 1 : 0;
}
