#include "support/Support.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "app/Globals.h"
#include "app/Screens.h"
#include "app/StartOptions.h"
#include "lib/Demo.h"
#include "lib/PlayerWriters.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

TempInstallation::TempInstallation() {
  ClearPathCache();
  inst_ = WriteBaseInstallation(dir_.path());
  // One player, so that starting the game does not stop at the first-run screen.
  WritePlayers(inst_.ProgramDir(), {QStringLiteral("Tester")});
}

MessageRecorder::MessageRecorder() {
  SetMessageHandler([this](const TMessageRequest& r) {
    Messages.push_back(r);
    return 1;
  });
}

MessageRecorder::~MessageRecorder() { SetMessageHandler({}); }

QStringList MessageRecorder::Texts() const {
  QStringList out;
  for (const auto& m : Messages) out << m.Text;
  return out;
}

GameScreens::GameScreens(const QString& programDir, const QString& dataRoot, bool asAtStart) {
  ResetSharedState();
  ClearPathCache();
  StartOptions = TStartOptions{};
  StartOptions.ProgramDir = programDir;
  StartOptions.DataRoot = dataRoot;
  StartOptions.Window = true;
  CreateScreens();
  if (!asAtStart) CreateRemainingScreens();
}

GameScreens::~GameScreens() {
  DestroyScreens();
  StartOptions = TStartOptions{};
  ResetSharedState();
}

QStringList SplitLines(const QByteArray& bytes) {
  TTextReader r(bytes);
  QStringList lines;
  while (!r.Eof()) lines << r.ReadLine();
  return lines;
}

QByteArray TextBytes(const QStringList& lines) {
  TTextWriter w;
  for (const QString& l : lines) w.WriteLine(l);
  return w.Bytes();
}

QByteArray RawLines(std::initializer_list<const char*> lines) {
  QByteArray out;
  for (const char* l : lines) out += QByteArray(l) + "\r\n";
  return out;
}

QByteArray ReadRaw(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteRaw(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile::remove(path);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes);
  f.close();
  ClearPathCache();
}

void PumpEvents(int ms) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  } while (t.elapsed() < ms);
}

ToolRun RunTool(const QStringList& args) {
  QProcess p;
  p.start(QCoreApplication::applicationDirPath() + "/tarvolin-content", args);
  EXPECT_TRUE(p.waitForFinished(120000)) << "tarvolin-content " << args.join(u' ').toStdString();
  return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
}

QString DemoSourcesWith(const QTemporaryDir& dir, const QString& text) {
  QFile::copy(DefaultDemoSources() + "/buttons.txt", dir.filePath("buttons.txt"));
  QFile f(dir.filePath("test.txt"));
  f.open(QIODevice::WriteOnly);
  f.write(text.toUtf8());
  return dir.path();
}
