#include "app/FrmPodklad.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>

#include "app/DataRootSearch.h"
#include "app/DisplayProbe.h"
#include "app/FrmPodkladFiles.h"
#include "app/Globals.h"
#include "app/InstallationChoice.h"
#include "app/Shared.h"
#include "app/StartOptions.h"
#include "exercises/FrmCw1.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "players/FrmLogin.h"

TPodkladFrm* PodkladFrm = nullptr;

QString ProgramDirOf(const QString& executablePath) {
  const qsizetype cut = std::max(executablePath.lastIndexOf(u'/'), executablePath.lastIndexOf(u'\\'));
  QString dir = executablePath.left(cut + 1);
  if (dir.endsWith(u'/') || dir.endsWith(u'\\')) dir.chop(1);
  return dir;
}

QString DefaultProgramDir(const QString& executableDir) {
  if (QFileInfo::exists(SettingsFilePath(executableDir))) return executableDir;
  const QString bundled = BundledDemoDir(executableDir);
  return QFileInfo::exists(SettingsFilePath(bundled)) ? bundled : executableDir;
}

QString SettingsFilePath(const QString& programDir) { return programDir + QStringLiteral("/tarvo.ini"); }

QString ReadDataRoot(const QString& programDir) {
  try {
    TTextReader ini = TTextReader::FromFile(SettingsFilePath(programDir));
    ini.ReadLine();
    QString line = ini.ReadLine();
    Delete(line, 1, 3);
    return Trim(line);
  } catch (const Exception&) {
    return {};  // a missing file or line leaves the data root empty
  }
}

QString SettingsFileProblem(const QString& programDir) {
  const QString ini = SettingsFilePath(programDir);
  try {
    TTextReader in = TTextReader::FromFile(ini);
    if (in.Eof()) return Located(ini, 0, QStringLiteral("plik jest pusty"));
    in.ReadLine();
    if (in.Eof())
      return Located(ini, 2, QStringLiteral("brak wiersza ze ścieżką do danych programu"));
    QString line = in.ReadLine();
    Delete(line, 1, 3);
    if (Trim(line).isEmpty())
      return Located(ini, 2, QStringLiteral("wiersz nie podaje ścieżki do danych programu"));
  } catch (const Exception& e) {
    return e.Message;
  }
  return {};
}

QString FindDataRootAtStart(const QString& programDir, const QString& given) {
  const QString configured = AnchoredDataRoot(ReadDataRoot(programDir), programDir);
  if (!given.isEmpty() && LooksLikeDataRoot(given)) return given;
  if (given.isEmpty() && !NeedsDataRootSearch(configured)) return configured;
  // A drive of another system, a CD that is not where it was, or a mounted
  // image given instead of its data folder.
  const TDataRootSearch search =
      SearchDataRoot(configured, given, given.isEmpty() ? VolumeRoots : QStringList{});
  if (!search.Found.isEmpty()) {
    std::fprintf(stderr, "tarvolin: using the data found at %s\n", qPrintable(QDir::toNativeSeparators(search.Found)));
    return search.Found;
  }
  const QString fallback = given.isEmpty() ? configured : given;
  if (DirectoryExists(fallback)) return fallback;
  std::fprintf(stderr, "tarvolin: no data at \"%s\"; looked in:\n", qPrintable(fallback));
  QStringList looked = search.Looked;
  if (!fallback.isEmpty() && !looked.contains(fallback)) looked.prepend(fallback);
  if (looked.isEmpty()) std::fprintf(stderr, "  (nowhere: tarvo.ini names no data root)\n");
  for (const QString& place : looked)
    std::fprintf(stderr, "  %s\n", qPrintable(QDir::toNativeSeparators(place)));
  return fallback;
}

bool DisplayHasLargeFonts() {
  // The desktop's resolution was its scaling, which the game's own replaced.
  if (DesktopScalingReplaced()) return false;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return false;
  // Qt already turns display scaling into a device pixel ratio and reports the
  // platform's base resolution here; anything else is a text-size setting of its own.
#ifdef Q_OS_MACOS
  const int base = 72;
#else
  const int base = 96;
#endif
  return qRound(screen->logicalDotsPerInch()) != base;
}

TPodkladFrm::TPodkladFrm() {
  Caption = QStringLiteral("Kwill Studio");
  KeyPreview = true;
  SetColor(clBlack);
  Image1 = new TImage(this);
  Image1->SetBounds(2000, 46, 640, 480);
  Image1->SetAutoSize(true);
  Image1->Hide();
}

void TPodkladFrm::FormCreate() {
  TextFont = TFont{QStringLiteral("Times New Roman CE"), 16, clBlack, 0};
  SmallFont = TFont{QStringLiteral("Arial CE"), 10, clBlack, 0};
  ExerciseKind = 0;
  RightAnswers = 0;

  QString exe = QCoreApplication::applicationFilePath();
  if (!StartOptions.ProgramDir.isEmpty())
    exe = QDir(StartOptions.ProgramDir).absolutePath() + QStringLiteral("/tarvolin");
  else
    exe = DefaultProgramDir(ProgramDirOf(exe)) + QStringLiteral("/tarvolin");
  ProgramDir = ProgramDirOf(exe);
  ProgramDirShared = IsBundledDemo(ProgramDir, QCoreApplication::applicationDirPath());
  const QString workDir = ProgramDir.isEmpty() ? QStringLiteral("/") : ProgramDir;
  if (!QDir::setCurrent(workDir)) ShowWarning(QStringLiteral("Cannot find directory"));

  DataRoot = FindDataRootAtStart(ProgramDir, Trim(StartOptions.DataRoot));
  if (!DirectoryExists(DataRoot)) {
    QString text = QStringLiteral("Nie mogę znaleźć płyty CD z programem \"Tarvolin\".");
    // A parent can mend a settings file once told which one and what is wrong.
    if (Trim(StartOptions.DataRoot).isEmpty())
      if (const QString problem = SettingsFileProblem(ProgramDir); !problem.isEmpty())
        text += QStringLiteral("\n\n") + problem;
    ShowMessage(text);
    Application()->Terminate();
    return;
  }
  SetQuotableFolders({ProgramDir, DataRoot});
  if (DisplayHasLargeFonts())
    ShowMessage(QStringLiteral(
        "Aktualnie czcionka jest ustawiona w trybie Large. Program może działać nieprawidłowo."));

  ShortDateFormat = QStringLiteral("yyyy-mm-dd");
  GfxDir = QStringLiteral("\\gfx\\");
  MusicDir = QStringLiteral("\\music\\");
  WordsDir = QStringLiteral("\\words\\");
  LocationsDir = QStringLiteral("\\lokacje\\");
  LoginDir = ProgramDir + QStringLiteral("\\login\\");
  // Only exercise screens show it, long after the sign-in's first picture.
  AfterFirstPaint(
      [this] { Image1->LoadFromFile(PodkladFiles::ExerciseBackground.In(ProgramDir, DataRoot)); });
}

void TPodkladFrm::FormShow() {
  LastExercisePicture.clear();
  SetFocus();
  if (LoginForm) LoginForm->Show();
}

void TPodkladFrm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }

void TPodkladFrm::FormDragOver(QWidget*, int, int, TDragState, bool& accept) {
  accept = false;
  if (Cw1Form) Cw1Form->CancelDrag();
}

void TPodkladFrm::FormDragDrop(QWidget*, int, int) {}
