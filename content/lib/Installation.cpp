#include "lib/Installation.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>

#include "app/FrmPodkladFiles.h"
#include "lib/BaseButtons.h"
#include "lib/CrosswordPictures.h"
#include "lib/DemoDictionary.h"
#include "lib/DemoPlaces.h"
#include "lib/LilyPondPictures.h"
#include "lib/PlayerWriters.h"
#include "lib/WordExercisePictures.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "tools/AlphabetBoard.h"
#include "world/Dialogues.h"
#include "world/FrmMainFiles.h"

namespace {

void WriteSettings(const TInstallation& inst) {
  WriteTextLines(inst.ProgramDir() + "/tarvo.ini", {QStringLiteral("[Tarvolin]"), QStringLiteral("cd=") + inst.DataRoot()});
}

// The alphabet board loads its creatures when the game starts: plain strips,
// each frame a shade lighter than the one before.
void WriteCreatureStrips(const QString& dataRoot) {
  for (int t = 1; t <= static_cast<int>(Creatures.size()); ++t) {
    const TCreature& c = Creatures[t - 1];
    QImage strip(c.Width * c.Frames, c.Height, QImage::Format_RGB32);
    QPainter painter(&strip);
    for (int f = 0; f < c.Frames; ++f)
      painter.fillRect(f * c.Width, 0, c.Width, c.Height, QColor(90 + 20 * f, 60 + 10 * t, 40));
    painter.end();
    WriteBmp(dataRoot + NormalizeSeparators(CreatureStripPath(t)), strip);
  }
}

// Everything but the settings file, which names the installation's own path.
void WriteBaseFiles(const TInstallation& inst) {
  const QString p = inst.ProgramDir(), cd = inst.DataRoot();
  // Exercise background: a pale paper tone with a darker border.
  QImage background(640, 480, QImage::Format_RGB32);
  background.fill(QColor(250, 240, 210));
  for (int x = 0; x < 640; ++x)
    for (int y : {0, 1, 478, 479}) background.setPixel(x, y, qRgb(120, 90, 40));
  WriteBmp(inst.PathOf(PodkladFiles::ExerciseBackground), background);
  WriteSolidBmp(inst.PathOf(MainFiles::Frame), 640, 480, QColor(60, 40, 20));
  WriteSignInBackgrounds(p);
  WriteBaseButtonStrips(p);
  WriteWordExerciseScreenPictures(p);
  WriteDictionaryFiles(inst);
  for (const char* dir : {"/lokacje", "/music", "/words", "/gfx"}) QDir().mkpath(cd + dir);
  QDir().mkpath(p + "/lokacje");
  QDir().mkpath(p + "/cwicz");
  QDir().mkpath(p + "/buttons");
  WriteCreatureStrips(cd);
  WriteLilyPondPictures(inst);
  WriteDemoPlaces(inst);
  WriteCrosswordScreenPictures(inst);
}

void CopyTree(const QString& from, const QString& to) {
  QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString target = to + source.mid(from.size());
    if (it.fileInfo().isDir()) {
      if (!QDir().mkpath(target)) throw EInOutError(QStringLiteral("Nie można utworzyć katalogu %1").arg(target));
    } else if (!QFile::copy(source, target)) {
      throw EInOutError(QStringLiteral("Nie można skopiować %1 do %2").arg(source, target));
    }
  }
}

}  // namespace

QString ScreenFilePath(const TScreenFile& f, const QString& programDir, const QString& dataRoot) {
  return NormalizeSeparators(f.In(programDir, dataRoot));
}

QString TInstallation::PathOf(const TScreenFile& f) const {
  return ScreenFilePath(f, ProgramDir(), DataRoot());
}

TInstallation WriteBaseInstallation(const QString& root) {
  // Tests make one installation each: the files are drawn and encoded once
  // per process and copied afterwards.
  static std::unique_ptr<QTemporaryDir> pattern;
  if (!pattern) {
    auto dir = std::make_unique<QTemporaryDir>();
    if (!dir->isValid()) throw EInOutError(QStringLiteral("Nie można utworzyć katalogu tymczasowego"));
    WriteBaseFiles(TInstallation{dir->path()});
    pattern = std::move(dir);
  }
  TInstallation inst{QDir(root).absolutePath()};
  QDir().mkpath(inst.Root);
  CopyTree(pattern->path(), inst.Root);
  ClearPathCache();
  WriteSettings(inst);
  return inst;
}

QString WordSoundPath(const QString& dataRoot, int number) {
  return NumberedSoundPath(dataRoot, QStringLiteral("\\words\\"), QString::number(number));
}
