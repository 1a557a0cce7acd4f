#include "app/InstallationChoice.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTranslator>

#include "app/StartOptions.h"
#include "app/UserSettings.h"
#include "platform/Application.h"
#include "platform/Paths.h"

bool ProgramDirShared = false;

QString UserDataDir() {
  // Not the application's own data location: that follows the application's
  // name, which is the desktop's identifier for the window.
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return base.isEmpty() ? QString() : base + QStringLiteral("/tarvolin");
}

QString WritableFolder(const QString& preferred, const QString& file, const QString& userFolder) {
  if (!ProgramDirShared) {
    const QString real = ResolvePath(preferred);
    QFileInfo info(real);
    if (!info.exists() && QDir().mkpath(real)) {
      NotePathWritten(QDir::cleanPath(real));
      info.refresh();
    }
    if (info.isDir() && info.isWritable()) {
      const QFileInfo existing(ResolvePath(preferred + u'/' + file));
      if (!existing.exists() || existing.isWritable()) return preferred;
    }
  }
  const QString base = UserDataDir();
  if (base.isEmpty()) return preferred;
  const QString user = base + u'/' + userFolder;
  if (!QDir().mkpath(user)) return preferred;
  NotePathWritten(QDir::cleanPath(user));
  return user;
}

QString BundledDemoDir(const QString& executableDir) {
  return QDir::cleanPath(executableDir + QStringLiteral("/../share/tarvolin/demo/program"));
}

bool IsBundledDemo(const QString& programDir, const QString& executableDir) {
  const QString demo = QFileInfo(BundledDemoDir(executableDir)).canonicalFilePath();
  return !demo.isEmpty() && QFileInfo(ResolvePath(programDir)).canonicalFilePath() == demo;
}

QString InstallationProblem(const QString& dir) {
  const QString shown = QDir::toNativeSeparators(dir);
  if (!QFileInfo(dir).isDir()) return QStringLiteral("Folder %1 nie istnieje.").arg(shown);
  if (!QFileInfo(ResolvePath(dir + QStringLiteral("/tarvo.ini"))).isFile())
    return QStringLiteral(
               "W folderze %1 nie ma pliku tarvo.ini: to nie jest instalacja programu "
               "\"Tarvolin\".")
        .arg(shown);
  if (!QFileInfo(ResolvePath(dir + QStringLiteral("\\lokacje\\Start.lok"))).isFile())
    return QStringLiteral(
               "W folderze %1 nie ma miejsc gry (lokacje\\Start.lok): instalacja jest niepełna.")
        .arg(shown);
  return {};
}

TInstallationPlan PlanInstallation(const TStartOptions& options, const TUserSettings& saved,
                                   const QString& executableDir) {
  using S = TInstallationSource;
  const QString demo = BundledDemoDir(executableDir);
  const QString demoDir = QFileInfo::exists(demo + QStringLiteral("/tarvo.ini")) ? demo : QString();
  if (!options.ProgramDir.isEmpty()) return {S::CommandLine, options.ProgramDir, {}};
  if (options.Demo) return {S::Demo, demoDir, {}};
  if (options.ChooseInstallation) return {S::Ask, {}, {}};
  if (QFileInfo::exists(executableDir + QStringLiteral("/tarvo.ini")))
    return {S::BesideExecutable, {}, {}};
  if (!saved.Installation.isEmpty()) {
    QString problem = InstallationProblem(saved.Installation);
    if (problem.isEmpty()) return {S::Remembered, saved.Installation, {}};
    return {S::Ask, {}, QStringLiteral("Nie można uruchomić zapamiętanej instalacji. ") + problem};
  }
  if (saved.Demo == 1) return {S::Demo, demoDir, {}};
  return {S::Ask, {}, {}};
}

QString GameProgramDir(const TUserSettings& saved, const QString& executableDir) {
  const TInstallationPlan plan = PlanInstallation(TStartOptions{}, saved, executableDir);
  if (plan.Source == TInstallationSource::Remembered) return plan.ProgramDir;
  if (plan.Source == TInstallationSource::BesideExecutable) return executableDir;
  const QString demo = BundledDemoDir(executableDir);
  return QFileInfo::exists(demo + QStringLiteral("/tarvo.ini")) ? demo : executableDir;
}

namespace {

enum class TAnswer { PickFolder, Demo, Leave };

TAnswer AskWhatToPlay(const QString& problem, bool haveDemo) {
  QMessageBox box;
  box.setWindowTitle(QStringLiteral("Tarvolin"));
  box.setIcon(problem.isEmpty() ? QMessageBox::Question : QMessageBox::Warning);
  QString text = problem.isEmpty() ? QString() : problem + QStringLiteral("\n\n");
  text += QStringLiteral(
      "Jeśli na tym komputerze jest zainstalowany program \"Tarvolin\" z płyty CD, wskaż folder "
      "tej "
      "instalacji (ten, w którym jest plik tarvo.ini). Gra zapamięta wybór i następnym razem od "
      "razu "
      "uruchomi tę instalację; płytę CD znajdzie sama.");
  box.setText(text);
  QPushButton* pick =
      box.addButton(QStringLiteral("Wskaż folder instalacji…"), QMessageBox::AcceptRole);
  QPushButton* other = haveDemo ? box.addButton(QStringLiteral("Graj w wersję demonstracyjną"),
                                                QMessageBox::RejectRole)
                                : box.addButton(QStringLiteral("Zakończ"), QMessageBox::RejectRole);
  box.setDefaultButton(pick);
  box.setEscapeButton(other);
  box.exec();
  if (box.clickedButton() == pick) return TAnswer::PickFolder;
  return haveDemo ? TAnswer::Demo : TAnswer::Leave;
}

// Qt's own folder picker speaks English without a translation; these are the
// texts a parent reads in it.
QString PickFolder() {
  QFileDialog dialog(nullptr, QStringLiteral("Folder instalacji programu \"Tarvolin\""));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Szukaj w:"));
  dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Folder:"));
  dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Rodzaj:"));
  dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Wybierz"));
  dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Anuluj"));
  dialog.setDirectory(QDir::homePath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return QDir::cleanPath(dialog.selectedFiles().constFirst());
}

}  // namespace

void SettleInstallation(TStartOptions& options, const QString& settingsPath) {
  const QString executableDir = QCoreApplication::applicationDirPath();
  TUserSettings saved = LoadUserSettings(settingsPath);
  const TInstallationPlan plan = PlanInstallation(options, saved, executableDir);
  switch (plan.Source) {
    case TInstallationSource::CommandLine:
    case TInstallationSource::BesideExecutable:
      return;
    case TInstallationSource::Remembered:
      options.ProgramDir = plan.ProgramDir;
      return;
    case TInstallationSource::Demo:
      // --demo is remembered like --window: the menu starts the demo again.
      if (options.Demo) {
        saved.Installation.clear();
        saved.Demo = 1;
        SaveUserSettings(settingsPath, saved);
      }
      options.ProgramDir = plan.ProgramDir;
      return;
    case TInstallationSource::Ask:
      break;
  }
  const QString demo = BundledDemoDir(executableDir);
  const bool haveDemo = QFileInfo::exists(demo + QStringLiteral("/tarvo.ini"));
  // Qt's own texts in the folder picker (columns, places, kinds) in Polish,
  // when the system has Qt's translations; only while asking.
  QTranslator qtPolish;
  if (qtPolish.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qtPolish);
  QString problem = plan.Problem;
  for (;;) {
    const TAnswer answer = AskWhatToPlay(problem, haveDemo);
    if (Application() && Application()->Terminated()) return;  // a signal ended the game meanwhile
    if (answer == TAnswer::Leave) return;                      // the game then says it found no CD
    if (answer == TAnswer::Demo) {
      saved.Installation.clear();
      saved.Demo = 1;
      SaveUserSettings(settingsPath, saved);
      options.ProgramDir = demo;
      return;
    }
    const QString folder = PickFolder();
    if (Application() && Application()->Terminated()) return;
    if (folder.isEmpty()) {
      problem.clear();
      continue;
    }
    problem = InstallationProblem(folder);
    if (problem.isEmpty()) {
      saved.Installation = folder;
      saved.Demo = 0;
      SaveUserSettings(settingsPath, saved);
      options.ProgramDir = folder;
      return;
    }
  }
}
