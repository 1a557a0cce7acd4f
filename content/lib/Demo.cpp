#include "lib/Demo.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "controls/ButtonStrips.h"
#include "lib/DemoContext.h"
#include "lib/DemoCrossword.h"
#include "lib/DemoDialogues.h"
#include "lib/DemoDictionary.h"
#include "lib/DemoLilies.h"
#include "lib/DemoMenu.h"
#include "lib/DemoRewards.h"
#include "lib/DemoDraw.h"
#include "lib/DemoSound.h"
#include "lib/Lint.h"
#include "lib/ListFiles.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "world/LocationFile.h"

#ifndef TARVOLIN_DEMO_SOURCES
#define TARVOLIN_DEMO_SOURCES ""
#endif

QString DefaultDemoSources() {
  // Installed, the sources lie beside the demo; in a build tree, in the source tree.
  const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                            QStringLiteral("/../share/tarvolin/demo-sources"));
  return QFileInfo(installed).isDir() ? installed : QStringLiteral(TARVOLIN_DEMO_SOURCES);
}

namespace {

// The top-left pixel of every idle clip: the animation window paints this
// colour in its own, so it must appear nowhere else in the clip. The clip is
// one pixel larger than its window on every side and the window centres it,
// so the key pixel itself is never seen.
const QColor kClipKey(7, 3, 251);

class TCompiler {
 public:
  TCompiler(const TInstallation& inst, const TDemoOptions& options)
      : ctx_(inst, options.Speech), places_(options.Places) {}

  void Compile(const std::vector<TSourceNode>& nodes) {
    for (const TSourceNode& n : nodes) Top(n);
  }

  // The places alone, with their pictures, strips, clips and sounds.
  void CompilePlaces(const std::vector<TSourceNode>& nodes) {
    for (const TSourceNode& n : nodes)
      if (n.Command == QLatin1String("location")) Location(n);
    ctx_.Sounds.WriteAll();
  }

  void Finish(const QString& sourcesDir) {
    QStringList missing;
    for (const TButtonStrip& b : ButtonStrips)
      if (!buttons_.contains(QString::fromLatin1(b.File).toLower())) missing << QString::fromLatin1(b.File);
    if (!missing.isEmpty())
      throw EFormatError(QStringLiteral("%1: no button drawn for %2").arg(sourcesDir, missing.join(QStringLiteral(", "))));
    FinishWordList(ctx_);
    ctx_.Sounds.WriteAll();
    ctx_.Report.Sounds += ctx_.Sounds.Count();
    ctx_.Report.Spoken = ctx_.Sounds.Spoken();
  }

  const TDemoReport& Report() const { return ctx_.Report; }
  TDemoContext& Context() { return ctx_; }

 private:
  QString RealPath(const TSourceNode& n, const QString& path) const { return ctx_.RealPath(n, path); }
  void SavePicture(const TSourceNode& n, const QString& sourcePath, const QImage& img) {
    ctx_.SavePicture(n, sourcePath, img);
  }

  void Top(const TSourceNode& n) {
    const QString& c = n.Command;
    if (c == QLatin1String("picture")) Picture(n);
    else if (c == QLatin1String("button")) Button(n);
    else if (c == QLatin1String("sound")) ctx_.Sounds.Add(RealPath(n, n.Arg(0, "a file")), n, 1);
    else if (c == QLatin1String("video")) Video(n);
    else if (c == QLatin1String("location")) {
      if (places_) Location(n);
    } else if (c == QLatin1String("exercise-list"))
      CompileList(ctx_, n, true);
    else if (c == QLatin1String("dialogue-list")) CompileList(ctx_, n, false);
    else if (c == QLatin1String("word-exercise")) CompileWordExercise(ctx_, n);
    else if (c == QLatin1String("word-search")) CompileWordSearch(ctx_, n);
    else if (c == QLatin1String("crossword")) CompileCrossword(ctx_, n);
    else if (c == QLatin1String("dialogue")) CompileDialogue(ctx_, n);
    else if (c == QLatin1String("gap-dialogue")) CompileGapDialogue(ctx_, n);
    else if (c == QLatin1String("word-pairs")) CompileWordPairs(ctx_, n);
    else if (c == QLatin1String("listening-choice")) CompileListeningChoice(ctx_, n);
    else if (c == QLatin1String("note")) Note(n);
    else if (c == QLatin1String("strip")) Strip(n);
    else if (c == QLatin1String("word-list")) CompileWordList(ctx_, n);
    else if (c == QLatin1String("song")) CompileSong(ctx_, n);
    else
      n.Fail(QStringLiteral("unknown command '%1' (picture, button, sound, video, location, exercise-list, "
                            "dialogue-list, word-exercise, word-search, crossword, dialogue, gap-dialogue, word-pairs, "
                            "listening-choice, note, strip, word-list, song)").arg(c));
  }

  void Picture(const TSourceNode& n) {
    n.Allow({});
    SavePicture(n, n.Arg(0, "a file"), DrawPicture(n.SizeArg(1, "a size"), n.Children, ctx_.Pictures));
    ++ctx_.Report.Pictures;
  }

  // A sprite strip of its own (a screen's creature): `frames` frames of the
  // given size side by side, each drawn by the lines below at its moment.
  void Strip(const TSourceNode& n) {
    n.Allow({"frames"});
    const QSize size = n.SizeArg(1, "a frame size");
    const int frames = n.NamedInt(QStringLiteral("frames"), 8);
    if (frames < 1 || frames > 64) n.Fail(QStringLiteral("frames= must be 1 to 64"));
    QImage blank(size, QImage::Format_RGB32);
    blank.fill(Qt::white);
    SavePicture(n, n.Arg(0, "a file"), DrawStrip(blank, frames, n.Children, ctx_.Pictures));
    ++ctx_.Report.Strips;
  }

  // A text file of the given lines (a presentation's "remember" note).
  void Note(const TSourceNode& n) {
    n.Allow({});
    const QStringList lines = n.Args.mid(1);
    if (lines.isEmpty()) n.Fail(QStringLiteral("a note needs its text"));
    WriteTextLines(RealPath(n, n.Arg(0, "a file")), lines);
  }

  void Button(const TSourceNode& n) {
    n.Allow({"glyph", "emoji", "text", "size"});
    const QString file = n.Arg(0, "a strip file");
    bool known = false;
    for (const TButtonStrip& b : ButtonStrips) known = known || file.compare(QLatin1String(b.File), Qt::CaseInsensitive) == 0;
    if (!known) n.Fail(QStringLiteral("%1 is none of the thirty button strips").arg(file));
    QSize size(36, 36);
    if (n.Has(QStringLiteral("size"))) {
      TSourceNode s = n;
      s.Args = {n.Text(QStringLiteral("size"))};
      size = s.SizeArg(0, "size");
    }
    const QString path = QStringLiteral("program\\buttons\\") + file;
    SavePicture(n, path, DrawButtonStrip(n, size));
    buttons_.insert(file.toLower());
    ++ctx_.Report.Buttons;
  }

  // MS Video 1 and Cinepak work on 4 x 4 blocks; other sizes are kept raw.
  static TVideoCodec Codec(const TSourceNode& n, QSize size) {
    const bool blocks = size.width() % 4 == 0 && size.height() % 4 == 0;
    const QString c = n.Text(QStringLiteral("codec"), blocks ? QStringLiteral("msvideo1") : QStringLiteral("raw"));
    if (c != QLatin1String("raw") && !blocks) n.Fail(QStringLiteral("%1 needs a width and height divisible by 4").arg(c));
    if (c == QLatin1String("raw")) return TVideoCodec::Raw;
    if (c == QLatin1String("msvideo1")) return TVideoCodec::MsVideo1;
    if (c == QLatin1String("cinepak")) return TVideoCodec::Cinepak;
    n.Fail(QStringLiteral("codec must be raw, msvideo1 or cinepak"));
  }

  void Video(const TSourceNode& n) {
    n.Allow({"frames", "fps", "codec"});
    const QSize size = n.SizeArg(1, "a size");
    QImage blank(size, QImage::Format_RGB32);
    blank.fill(Qt::black);
    const auto frames = DrawFrames(blank, n.NamedInt(QStringLiteral("frames"), 24), n.Children, ctx_.Pictures);
    WriteAvi(RealPath(n, n.Arg(0, "a file")), frames, n.NamedInt(QStringLiteral("fps"), 12), Codec(n, size));
    ++ctx_.Report.Videos;
  }

  static int Coord(const TSourceNode& n, int i) { return n.Int(i, "a coordinate"); }

  void Location(const TSourceNode& n) {
    n.Allow({});
    const QString file = n.Arg(0, "a location file name");
    TLocation loc;
    loc.BackLink = QStringLiteral("NONE");
    QImage place;
    QString placeKey;
    // The picture first: sprites and videos are drawn over it.
    for (const TSourceNode& c : n.Children) {
      if (c.Command != QLatin1String("picture")) continue;
      if (!place.isNull()) c.Fail(QStringLiteral("a place has one picture"));
      loc.Picture = c.Arg(0, "a picture name");
      placeKey = QStringLiteral("cd\\lokacje\\") + loc.Picture;
      place = DrawPicture(QSize(PlacePictureWidth, PlacePictureHeight), c.Children, ctx_.Pictures);
      SavePicture(c, placeKey, place);
      ++ctx_.Report.Pictures;
    }
    if (place.isNull()) n.Fail(QStringLiteral("a place needs a picture"));
    for (const TSourceNode& c : n.Children) {
      const QString& k = c.Command;
      if (k == QLatin1String("picture")) {
      } else if (k == QLatin1String("back")) {
        loc.BackLink = c.Arg(0, "a location file or NONE");
      } else if (k == QLatin1String("walk")) {
        c.Allow({"sound"});
        loc.WalkSpots.push_back({Coord(c, 0), Coord(c, 1), Coord(c, 2), Coord(c, 3), c.Arg(4, "a target place"),
                                 c.Text(QStringLiteral("sound"), QStringLiteral("0"))});
      } else if (k == QLatin1String("sound-spot")) {
        loc.SoundSpots.push_back({Coord(c, 0), Coord(c, 1), Coord(c, 2), Coord(c, 3), c.Arg(4, "a sound name")});
      } else if (k == QLatin1String("exercise-spot")) {
        loc.ExerciseSpots.push_back({Coord(c, 0), Coord(c, 1), Coord(c, 2), Coord(c, 3), c.Arg(4, "a list file")});
      } else if (k == QLatin1String("exercises")) {
        loc.ExerciseListFile = c.Arg(0, "a list file");
        loc.ExerciseListLines = ListLines(c);
      } else if (k == QLatin1String("dialogues")) {
        loc.DialogueListFile = c.Arg(0, "a list file");
        loc.DialogueListLines = ListLines(c);
      } else if (k == QLatin1String("sprite")) {
        Sprite(c, loc, place);
      } else if (k == QLatin1String("idle-sound")) {
        loc.WaveEvents << c.Arg(0, "a sound name");
      } else if (k == QLatin1String("idle-video")) {
        IdleVideo(c, loc, place);
      } else if (k == QLatin1String("fx")) {
        ctx_.Sounds.Add(RealPath(c, QStringLiteral("cd\\lokacje\\Fx\\") + c.Arg(0, "a sound name") + QStringLiteral(".wav")), c, 1);
      } else {
        c.Fail(QStringLiteral("unknown place line '%1'").arg(k));
      }
    }
    try {
      SaveLocationFile(RealPath(n, QStringLiteral("program\\lokacje\\") + file), loc);
      // What the game would refuse must not leave the tool.
      ReadLocation(WriteLocation(loc), file);
    } catch (const Exception& e) {
      n.Fail(e.Message);
    }
    ++ctx_.Report.Places;
  }

  // The game keeps the last of a place's list lines; the ones before it are
  // written as the same name.
  static int ListLines(const TSourceNode& c) {
    c.Allow({"lines"});
    const int lines = c.NamedInt(QStringLiteral("lines"), 1);
    if (lines < 1 || lines > 9) c.Fail(QStringLiteral("lines= must be 1 to 9"));
    return lines;
  }

  void Sprite(const TSourceNode& c, TLocation& loc, const QImage& place) {
    c.Allow({"frames", "interval", "strip", "action", "sound", "still"});
    TSpriteRecord s;
    s.X = Coord(c, 0);
    s.Y = Coord(c, 1);
    const QSize size = c.SizeArg(2, "a frame size");
    s.Width = size.width();
    s.Height = size.height();
    s.Frames = c.NamedInt(QStringLiteral("frames"), 8);
    s.Interval = c.NamedInt(QStringLiteral("interval"), 120);
    s.Strip = c.Text(QStringLiteral("strip"));
    if (!s.Strip.startsWith(u'\\')) c.Fail(QStringLiteral("strip= must be a path under the CD beginning with a backslash"));
    s.Action = c.NamedInt(QStringLiteral("action"), 0);
    s.Sound = c.Text(QStringLiteral("sound"), QStringLiteral("0"));
    s.Still = c.NamedInt(QStringLiteral("still"), 0);
    if (s.Frames < 1 || s.Frames > 64) c.Fail(QStringLiteral("frames= must be 1 to 64"));
    const QImage background = place.copy(QRect(s.X, s.Y, s.Width, s.Height));
    SavePicture(c, QStringLiteral("cd") + s.Strip, DrawStrip(background, s.Frames, c.Children, ctx_.Pictures));
    loc.Sprites.push_back(s);
    ++ctx_.Report.Strips;
  }

  void IdleVideo(const TSourceNode& c, TLocation& loc, const QImage& place) {
    c.Allow({"video", "sound", "frames", "fps", "codec"});
    TAniEvent a;
    a.Left = Coord(c, 0);
    a.Top = Coord(c, 1);
    const QSize size = c.SizeArg(2, "a window size");
    a.Width = size.width();
    a.Height = size.height();
    a.Video = c.Text(QStringLiteral("video"));
    if (!a.Video.startsWith(u'\\')) c.Fail(QStringLiteral("video= must be a path under the CD beginning with a backslash"));
    a.Sound = c.Text(QStringLiteral("sound"), QStringLiteral("0"));
    const int count = c.NamedInt(QStringLiteral("frames"), 24);
    if (count < 1 || count > 256) c.Fail(QStringLiteral("frames= must be 1 to 256"));
    // The window stands at screen (Left + 1, Top), the place picture at
    // (8, 37); the clip takes in one more pixel of the place on every side.
    const QImage background =
        place.copy(QRect(a.Left + 1 - 8 - 1, a.Top - 37 - 1, a.Width + 2, a.Height + 2));
    auto frames =
        DrawFrames(background, count, c.Children, ctx_.Pictures, QRect(1, 1, a.Width, a.Height));
    for (QImage& f : frames) f.setPixelColor(0, 0, kClipKey);
    WriteAvi(RealPath(c, QStringLiteral("cd") + a.Video), frames, c.NamedInt(QStringLiteral("fps"), 12), TVideoCodec::Raw);
    loc.AniEvents.push_back(a);
    ++ctx_.Report.Videos;
  }

  TDemoContext ctx_;
  bool places_;
  QSet<QString> buttons_;
};

}  // namespace

TDemoContext::TDemoContext(const TInstallation& inst, bool speech) : Inst(inst), Sounds(speech) {
  Taken = [this](const QString& sourcePath) {
    const QString p = NormalizeSeparators(sourcePath);
    return FileExists(Inst.DataRoot() + p.mid(p.indexOf(u'/')));
  };
  Pictures.Locate = [this](const QString& sourcePath) {
    const QString p = QString(sourcePath).replace(u'/', u'\\');
    const qsizetype cut = p.indexOf(u'\\');
    const QString root = p.left(cut).toLower();
    if (cut < 0) return QString();
    if (root == QLatin1String("program")) return ResolvePath(Inst.ProgramDir() + p.mid(cut));
    if (root == QLatin1String("cd")) return ResolvePath(Inst.DataRoot() + p.mid(cut));
    return QString();
  };
}

QString TDemoContext::RealPath(const TSourceNode& n, const QString& path) const {
  const QString p = QString(path).replace(u'/', u'\\');
  const qsizetype cut = p.indexOf(u'\\');
  const QString root = p.left(cut).toLower(), rest = cut < 0 ? QString() : p.mid(cut);
  if (rest.size() < 2) n.Fail(QStringLiteral("'%1' names no file under program\\ or cd\\").arg(path));
  QString spelled;
  if (root == QLatin1String("program")) spelled = Inst.ProgramDir() + rest;
  else if (root == QLatin1String("cd")) spelled = Inst.DataRoot() + rest;
  else n.Fail(QStringLiteral("'%1' must start with program\\ or cd\\").arg(path));
  MakeParentDirs(spelled);
  const QString real = ResolvePath(spelled);
  Written.insert(real, {n.File, n.Line});
  return real;
}

void TDemoContext::SavePicture(const TSourceNode& n, const QString& sourcePath, const QImage& img) {
  if (!sourcePath.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive))
    n.Fail(QStringLiteral("pictures are written as .bmp: %1").arg(sourcePath));
  WriteBmp(RealPath(n, sourcePath), img);
  Pictures.Put(sourcePath, img);
}

namespace {
// Every source file under `sources`, in name order.
QStringList SourceFiles(const QString& sources) {
  const QDir dir(sources);
  if (sources.isEmpty() || !dir.exists())
    throw EInOutError(
        QStringLiteral("demo sources not found: '%1' (give --sources DIR)").arg(sources));
  QStringList files;
  QDirIterator it(dir.path(), {QStringLiteral("*.txt")}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) files << it.next();
  files.sort();
  return files;
}
}  // namespace

TDemoReport CompileDemoSources(const TInstallation& inst, const TDemoOptions& options) {
  TCompiler compiler(inst, options);
  for (const QString& f : SourceFiles(options.Sources)) compiler.Compile(ReadSourceFile(f));
  compiler.Finish(options.Sources);
  return compiler.Report();
}

TCompiledSources CompileSourceNodes(const TInstallation& inst,
                                    const std::vector<TSourceNode>& nodes, bool speech,
                                    const std::function<bool(const QString&)>& taken) {
  TCompiler compiler(inst, {QString(), speech, true});
  TDemoContext& ctx = compiler.Context();
  ctx.Taken = taken;
  compiler.Compile(nodes);
  ctx.Sounds.WriteAll();
  ctx.Report.Sounds += ctx.Sounds.Count();
  ctx.Report.Spoken = ctx.Sounds.Spoken();
  return {ctx.Report, ctx.Words, ctx.Written};
}

void CompileDemoPlaces(const TInstallation& inst, const QString& sources) {
  TCompiler compiler(inst, {sources, false, true});
  for (const QString& f : SourceFiles(sources)) compiler.CompilePlaces(ReadSourceFile(f));
}

TDemoReport BuildDemo(const QString& root, const TDemoOptions& options) {
  const TInstallation inst = WriteBaseInstallation(root);
  // The parts the screens' own units draw and write, before the sources,
  // which may replace what they wrote (such as a place's exercise list).
  WriteDemoMenu(inst);
  WriteDemoRewards(inst);
  WriteDemoDialogues(inst, options.Speech);
  // The base installation compiled the default sources' places already.
  TDemoOptions rest = options;
  rest.Places = QFileInfo(options.Sources).canonicalFilePath() !=
                QFileInfo(DefaultDemoSources()).canonicalFilePath();
  return CompileDemoSources(inst, rest);
}

TDemoReport ReplaceWithDemo(const QString& out, const TDemoOptions& options) {
  const QFileInfo target(QDir::cleanPath(QDir(out).absolutePath()));
  if (target.exists() && !target.isDir())
    throw EInOutError(QStringLiteral("%1: exists and is not a folder").arg(target.filePath()));
  const QString parent = target.absolutePath();
  if (!QDir().mkpath(parent))
    throw EInOutError(QStringLiteral("%1: cannot create the folder").arg(parent));
  // Built beside the target under a hidden name, so that it appears whole or not at all.
  QTemporaryDir work(parent + QStringLiteral("/.") + target.fileName() +
                     QStringLiteral(".part-XXXXXX"));
  if (!work.isValid())
    throw EInOutError(QStringLiteral("%1: cannot create a folder beside it: %2")
                          .arg(target.filePath(), work.errorString()));
  const TDemoReport report = BuildDemo(work.path(), options);
  QString old;
  if (target.exists()) {
    old = work.path() + QStringLiteral(".old");
    if (!QDir().rename(target.filePath(), old))
      throw EInOutError(
          QStringLiteral("%1: cannot move the old demo aside").arg(target.filePath()));
  }
  if (!QDir().rename(work.path(), target.filePath())) {
    if (!old.isEmpty()) QDir().rename(old, target.filePath());
    throw EInOutError(
        QStringLiteral("%1: cannot put the new demo in place").arg(target.filePath()));
  }
  work.setAutoRemove(false);
#ifdef Q_OS_UNIX
  // A temporary folder is its owner's alone; the demo gets what a new folder would.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(QFile::encodeName(target.filePath()).constData(), 0777 & ~mask);
#endif
  ClearPathCache();
  // The settings file named the folder it was built in.
  const TInstallation inst{target.filePath()};
  WriteTextLines(inst.ProgramDir() + QStringLiteral("/tarvo.ini"),
                 {QStringLiteral("[Tarvolin]"), QStringLiteral("cd=") + inst.DataRoot()});
  if (!old.isEmpty()) QDir(old).removeRecursively();
  return report;
}

namespace {
qint64 TreeSize(const QString& path, int& files) {
  qint64 bytes = 0;
  QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    bytes += QFileInfo(it.next()).size();
    ++files;
  }
  return bytes;
}
}  // namespace

int RunBuildDemo(const QStringList& args) {
  QString out;
  TDemoOptions options;
  options.Sources = DefaultDemoSources();
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--sources") && i + 1 < args.size()) options.Sources = args[++i];
    else if (args[i] == QLatin1String("--no-speech")) options.Speech = false;
    else if (out.isEmpty() && !args[i].startsWith(QLatin1String("--"))) out = args[i];
    else out.clear(), i = args.size();
  }
  if (out.isEmpty()) {
    std::fprintf(stderr, "Usage: tarvolin-content build-demo OUT_DIR [--sources DIR] [--no-speech]\n");
    return 2;
  }
  QElapsedTimer timer;
  timer.start();
  const TDemoReport r = ReplaceWithDemo(out, options);
  int files = 0;
  const qint64 bytes = TreeSize(out, files);
  std::printf("%s\n", qPrintable(QDir(out).absoluteFilePath(QStringLiteral("program"))));
  std::fflush(stdout);
  const int places = static_cast<int>(QDir(ResolvePath(QDir(out).absoluteFilePath(QStringLiteral("program/lokacje"))))
                                         .entryList({QStringLiteral("*.lok")}, QDir::Files)
                                         .size());
  std::fprintf(stderr,
               "demo: %d places, %d pictures, %d buttons, %d sprite strips, %d videos, %d sounds (%d spoken), "
               "%d lists, %d exercise files; %d files, %.1f MB in %.1f s%s\n",
               places, r.Pictures, r.Buttons, r.Strips, r.Videos, r.Sounds, r.Spoken, r.Lists, r.Exercises, files,
               bytes / 1048576.0, timer.elapsed() / 1000.0,
               HaveEmojiFont() ? "" : " (no colour emoji font: emoji drawn as discs)");
  return 0;
}
