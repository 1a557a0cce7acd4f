// What the demo's compilers share while they write one installation.
#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <optional>

#include "exercises/ExerciseFiles.h"
#include "lib/Demo.h"
#include "lib/DemoDraw.h"
#include "lib/DemoSound.h"
#include "lib/DemoSource.h"
#include "tools/WordList.h"

struct TDemoContext {
  TDemoContext(const TInstallation& inst, bool speech);

  const TInstallation& Inst;
  TSoundBank Sounds;
  TPictureCache Pictures;
  TDemoReport Report;

  // "program\gfx\x.bmp" or "cd\music\y.wav" as a real path; its directories
  // are made and matched without regard to case, as the game finds them.
  QString RealPath(const TSourceNode& n, const QString& path) const;
  // Writes a BMP and keeps it for later crops.
  void SavePicture(const TSourceNode& n, const QString& sourcePath, const QImage& img);
  // The number of the numbered word sound (words\D_ff.cdr\nnnnn.wav) that
  // says `english`; the same text gets the same number. A `polish`
  // translation puts the word in the dictionary. `where`'s recording=FILE
  // (from the source file's folder) is the word's sound instead of speech.
  int WordSound(const TSourceNode& where, const QString& english, const QString& polish = {});
  // The number of the dialogue line sound (music\dialogi\N.wav) saying `english` in `voice`.
  int LineSound(const TSourceNode& where, const QString& english, const QString& voice, int pitch);

  // The dictionary's entries: every word spoken with a translation, in the
  // order first spoken (DemoDictionary.cpp writes them out).
  std::vector<TWordEntry> Words;
  // Whether a numbered sound ("cd\\words\\...") is taken by a file this
  // compilation must not write over; by default, whether it exists.
  std::function<bool(const QString& sourcePath)> Taken;
  // Every file written, by its real path, with the source line that wrote it.
  mutable QHash<QString, std::pair<QString, int>> Written;

  // The dictionary's word list file, once a source has named it.
  QString WordListPath;
  TSourceNode WordListSource;

 private:
  QHash<QString, int> wordSounds_, lineSounds_;
  QHash<QString, QString> wordRecordings_;  // by the English word
  int lastWord_ = 0, lastLine_ = 0;
};

// A word search with `words` along rows and down columns of a w x h grid, the
// other cells random letters; nullopt (and the word that did not fit) when
// they cannot all be placed. The same seed gives the same grid.
std::optional<TWordSearch> PlaceWordSearch(const QStringList& words, int w, int h, quint32 seed,
                                           QString* failed = nullptr);
// Whether an item's picture names a photo (.jpg, .jpeg, .png) rather than an emoji.
bool IsPhotoName(const QString& name);

// The exercise data files (DemoExercises.cpp).
void CompileWordExercise(TDemoContext& ctx, const TSourceNode& n);
void CompileWordSearch(TDemoContext& ctx, const TSourceNode& n);
void CompileDialogue(TDemoContext& ctx, const TSourceNode& n);
void CompileGapDialogue(TDemoContext& ctx, const TSourceNode& n);
void CompileList(TDemoContext& ctx, const TSourceNode& n, bool exercises);
// The listening choice at the pond (DemoChoice.cpp).
void CompileListeningChoice(TDemoContext& ctx, const TSourceNode& n);
// A song of the songs screen: its two waves and its timed text (DemoSongs.cpp).
void CompileSong(TDemoContext& ctx, const TSourceNode& n);
