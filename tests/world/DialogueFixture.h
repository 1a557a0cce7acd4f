// The dialogue screen over a real installation: dialogue and gap dialogue
// files, spoken lines as short tones, the real audio engine on the dummy
// driver. Shared by the world and exercises test programs.
#pragma once

#include <gtest/gtest.h>

#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "app/Feedback.h"
#include "app/Globals.h"
#include "controls/ButtonStrips.h"
#include "exercises/ExerciseFiles.h"
#include "exercises/FrmCw5.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/TextFile.h"
#include "support/Support.h"
#include "world/Dialogues.h"
#include "world/FrmMain.h"

// Line k says sound 10 + k; every spoken line lasts kLineMs.
constexpr int kLineMs = 120;

inline TDialogue SampleDialogue(int lines, const QString& text = QStringLiteral("Hi!")) {
  TDialogue d;
  d.Left = 60;
  d.Top = 70;
  d.Title = QStringLiteral("Powitanie");
  for (int k = 1; k <= lines; ++k)
    d.Lines.push_back({10 + k, k % 2 ? QStringLiteral("Tom") : QStringLiteral("Ann"), text,
                       QStringLiteral("Cześć %1").arg(k)});
  return d;
}

// An exchange with its gap in part `gap` (1 .. 6) and the given answers.
inline TExchange SampleExchange(int gap, const QStringList& answers) {
  TExchange ex;
  ex.Parts = {QStringLiteral("How"), QStringLiteral("are"), QStringLiteral("you"),
              QStringLiteral("I am"), QStringLiteral("fine"), QStringLiteral(".")};
  ex.Parts[gap - 1] = QStringLiteral("PYT");
  ex.GapPart = gap;
  ex.Answers = answers;
  return ex;
}

class DialogueScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const TButtonStrip& s : ButtonStrips)
      WriteSolidBmp(QString(ButtonStripPath(inst.ProgramDir(), s)).replace('\\', '/'), 66, 33, QColor(200, 200, 0));
    WriteSolidBmp(inst.ProgramDir() + "/gfx/Dialogi1.bmp", 640, 480, QColor(230, 220, 180));
    for (int k = 11; k <= 24; ++k) Sound(QStringLiteral("dialogi/%1").arg(k), kLineMs);
    screens = std::make_unique<GameScreens>(inst.ProgramDir());
    ReadAllLines = ChildReadsEven = ChildReadsOdd = false;
    ReadLinePos = 0;
    ASSERT_NE(Cw5Form, nullptr);
    OnFeedbackStarted = [this](const QString& path) { started << path; };
  }
  void TearDown() override {
    OnFeedbackStarted = nullptr;
    screens.reset();
  }

  // A sound under DataRoot + "\music\".
  void Sound(const QString& name, int ms) {
    WriteWave(inst.DataRoot() + "/music/" + name + ".wav", MakeTone(ms, 440));
  }
  // The path of `file` under the exercise directory, its folders made.
  QString Cwicz(const QString& file) const {
    const QString path = inst.ProgramDir() + "/cwicz" + file;
    MakeParentDirs(path);
    return path;
  }
  void SaveList(const QString& file, const std::vector<TListEntry>& entries) {
    WriteFileAtomic(inst.ProgramDir() + file, FormatDialogueList(entries));
  }
  void SaveDialogue(const QString& file, const TDialogue& d) { SaveDialogueFile(Cwicz(file), d); }
  void SaveGap(const QString& file, const std::vector<TExchange>& exchanges) {
    TGapDialogue g;
    g.Title = QStringLiteral("Uzupełnij dialog");
    g.Exchanges = exchanges;
    SaveGapDialogueFile(Cwicz(file), g);
  }
  // A one-entry list holding `key` + `file`, loaded as the location screen does.
  void Open(const QString& key, const QString& file) {
    SaveList("/lista.txt", {{key, file}});
    Dialogues::LoadDialogueList(ProgramDir + "\\lista.txt");
    Cw5Form->Show();
  }

  // Line colours as one letter each: R red, G green, . black, ? other.
  static std::string Colours() {
    std::string s;
    for (int k = 1; k <= Cw5Form->LineCount; ++k) {
      const TColor c = Cw5Form->Line(k)->Font().Color;
      s += c == LineRed ? 'R' : c == LineGreen ? 'G' : c == clBlack ? '.' : '?';
    }
    return s;
  }

  // Runs `start`, then records every change of the line colours and every
  // line said ("say 3") until the reading ends, and the colours after it.
  std::vector<std::string> Reading(const std::function<void()>& start) {
    std::vector<std::string> trace;
    auto note = [&](const std::string& s) {
      if (trace.empty() || trace.back() != s) trace.push_back(s);
    };
    OnFeedbackStarted = [&](const QString& path) {
      const QString file = path.section('\\', -1);
      note("say " + QString::number(file.section('.', 0, 0).toInt() - 10).toStdString());
    };
    QTimer sampler;
    sampler.setTimerType(Qt::PreciseTimer);
    QObject::connect(&sampler, &QTimer::timeout, [&] { note(Colours()); });
    sampler.start(2);
    start();
    WaitWhileReading();
    sampler.stop();
    note(Colours());
    OnFeedbackStarted = nullptr;
    return trace;
  }

  // Guards against a chain that never ends; the chains themselves take a few seconds at most.
  static void WaitWhileReading(int limitMs = 15000) {
    QElapsedTimer t;
    t.start();
    while (ReadAloud && t.elapsed() < limitMs) PumpEvents(5);
    PumpEvents(20);
  }

  TempInstallation inst;
  MessageRecorder messages;
  std::unique_ptr<GameScreens> screens;
  QStringList started;
};
