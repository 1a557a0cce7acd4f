// The files a screen opens by name, in one shape for every screen. Each
// screen declares its own in a small header beside it (FrmCw2Files.h, ...);
// the screen, the installation check, the demo builder and the benchmarks
// all read that declaration, so a name is written once.
#pragma once

#include <QLatin1String>
#include <QString>

struct TScreenFile {
  enum TRoot { Program, Data };  // under ProgramDir or under DataRoot
  enum TKind { Picture, Strip, Sound, Video };
  TRoot Root;
  TKind Kind;
  const char* Path;  // from the root, spelt as the game spells it
  const char* What;  // what it is on the screen, for the check's messages
  // A strip holds Frames frames of Width x Height side by side. A picture is
  // shown at Width x Height at least (0: at whatever size it has).
  int Frames = 0, Width = 0, Height = 0;

  QString In(const QString& programDir, const QString& dataRoot) const {
    return (Root == Program ? programDir : dataRoot) + QLatin1String(Path);
  }
  // The file's name without folder and extension ("Song" of \Words\Song.wav).
  QString Name() const {
    const QString path = QLatin1String(Path);
    const QString file = path.mid(path.lastIndexOf(u'\\') + 1);
    return file.left(file.lastIndexOf(u'.'));
  }
  // The least size the screen needs: for a strip, all its frames.
  int NeededWidth() const { return Kind == Strip ? Frames * Width : Width; }
  int NeededHeight() const { return Height; }
};
