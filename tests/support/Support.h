// Test helpers: temporary installations on disk, recorded message boxes, and
// the game's screens created over an installation.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <ostream>
#include <vector>

#include "lib/Installation.h"
#include "platform/Dialogs.h"

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// A fresh installation in a temporary directory, removed afterwards.
class TempInstallation {
 public:
  TempInstallation();
  const TInstallation& Install() const { return inst_; }
  QString ProgramDir() const { return inst_.ProgramDir(); }
  QString DataRoot() const { return inst_.DataRoot(); }
  QString Root() const { return inst_.Root; }

 private:
  QTemporaryDir dir_;
  TInstallation inst_;
};

// Records every message box instead of showing it, answering OK.
class MessageRecorder {
 public:
  MessageRecorder();
  ~MessageRecorder();
  std::vector<TMessageRequest> Messages;
  QStringList Texts() const;
};

// Creates the twenty screens over `programDir` the way the program entry does
// (with `dataRoot` overriding "tarvo.ini" when given), and removes them again.
// The screens the program leaves for after its first paint are created at
// once too, unless `asAtStart`.
class GameScreens {
 public:
  explicit GameScreens(const QString& programDir, const QString& dataRoot = {}, bool asAtStart = false);
  ~GameScreens();
};

// What the content tool, run beside the test program, answered.
struct ToolRun {
  int Code = -1;
  QString Out, Err;
};
ToolRun RunTool(const QStringList& args);

// A folder of demo sources in `dir`: every button strip (the demo requires
// them all) and `text` as one more source file.
QString DemoSourcesWith(const QTemporaryDir& dir, const QString& text);

// Every line of a text file's bytes, read as the game reads them (no
// trailing empty line for a final line end).
QStringList SplitLines(const QByteArray& bytes);

// The bytes of a text file holding `lines`, written as the game writes its
// files (Windows-1250, CR LF after every line).
QByteArray TextBytes(const QStringList& lines);
// `lines` byte for byte, each ended by CR LF: for bytes a test spells out.
QByteArray RawLines(std::initializer_list<const char*> lines);

// A file's bytes, or "<missing>" when it cannot be read.
QByteArray ReadRaw(const QString& path);
// Puts `bytes` at `path` in place of whatever is there (a link is replaced,
// never written through), making its folder, and forgets cached listings.
void WriteRaw(const QString& path, const QByteArray& bytes);

// Processes pending events (posted notifications, deferred deletes) a few times.
void PumpEvents(int ms = 0);
