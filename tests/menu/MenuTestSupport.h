// A signed-in player on an installation with the menu's files, the game's
// screens over it, and real clicks and keys.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <memory>

#include "app/Globals.h"
#include "controls/ButtonStrips.h"
#include "exercises/SongFile.h"
#include "lib/DemoMenu.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/Application.h"
#include "platform/TextFile.h"
#include "players/PlayerFile.h"
#include "support/Support.h"

inline void Click(QWidget* w, QPoint at = QPoint(2, 2)) {
  const QPointF local(at), global(w->mapToGlobal(at));
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &release);
}

// A key pressed on the screen `form` (its focus widget when it has one).
inline void PressKey(QWidget* form, int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWidget* target = QApplication::focusWidget();
  if (!target || (target != form && !form->isAncestorOf(target))) target = form;
  QKeyEvent press(QEvent::KeyPress, qtKey, mods);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, qtKey, mods);
  QApplication::sendEvent(target, &release);
}

constexpr int kTestStarSize = 21;

// Plain stand-ins for the menu's pictures, clips and lines.
inline void WriteMenuMedia(const TInstallation& inst) {
  const QString gfx = inst.ProgramDir() + "/gfx/";
  WriteSolidBmp(gfx + "tytul.bmp", 640, 480, QColor(20, 30, 80));
  WriteSolidBmp(gfx + "T_Songs.bmp", 640, 480, QColor(250, 230, 190));
  WriteSolidBmp(gfx + "Alfabet.bmp", 640, 480, QColor(200, 240, 255));
  for (int i = 1; i <= 7; ++i)
    WriteSolidBmp(gfx + QStringLiteral("star%1.bmp").arg(i), kTestStarSize, kTestStarSize, QColor(255, 250, 30 * i));
  const QString avi = inst.DataRoot() + "/gfx/avi/";
  WriteAvi(avi + "Swinka.avi", MakeClipFrames(6, QSize(219, 110)), 8);
  WriteAvi(avi + "Piesek.avi", MakeClipFrames(6, QSize(122, 101)), 8);
  WriteAvi(avi + "papuga.avi", MakeClipFrames(6, QSize(165, 102)), 8);
  WriteAvi(avi + "wehikul.avi", MakeClipFrames(6, QSize(158, 176)), 8);
  const QString music = inst.DataRoot() + "/music/";
  int hz = 300;
  for (const char* line : {"l_pies.wav", "l_swin.wav", "Music.wav", "K1.wav", "M1.wav", "Fanfary.wav"})
    WriteWave(music + line, MakeTone(20000, hz += 50, 8000, 1, 0.1));
  // The songs screen: its background and a short song behind every label.
  WriteSolidBmp(gfx + "t_Song2.bmp", 640, 480, QColor(250, 220, 150));
  QDir().mkpath(inst.DataRoot() + "/music/songs");
  for (int n = 1; n <= 8; ++n) {
    TSong song;
    song.Lines.push_back(TSongLine{{300}, {QStringLiteral("Song%1").arg(n)}});
    SaveSongFile(SongTextPath(inst.DataRoot(), n), song);
    for (const char* suffix : {"", "N"})
      WriteWave(SongWavePath(inst.DataRoot(), n, suffix), MakeTone(300, 200 + 50 * n, 8000, 1, 0.1));
  }
  for (const TButtonStrip& strip : ButtonStrips)
    WriteSolidBmp(inst.ProgramDir() + "/buttons/" + strip.File, 36 * strip.Frames, 36, QColor(90, 160, 60));
  WriteDemoMenu(inst);
}

class SignedIn : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteMenuMedia(inst.Install());
    const QString login = inst.ProgramDir() + "/login/";
    WriteFileAtomic(login + "Ola.txt", FormatPlayerFile(NewPlayerFile("Ola", "2024-05-01", false)));
    WriteFileAtomic(login + "_Lista_Logowania.txt", FormatPlayerList(TPlayerList{{"Ola"}, {}}));
    game = std::make_unique<GameScreens>(inst.ProgramDir());
    LoadPlayer(0);
    ASSERT_EQ(PlayerName, "Ola");
  }
  void TearDown() override {
    game.reset();
    Application()->ClearTerminated();
  }
  QString PlayerPath() const { return inst.ProgramDir() + "/login/Ola.txt"; }

  TempInstallation inst;
  MessageRecorder boxes;
  std::unique_ptr<GameScreens> game;
};
