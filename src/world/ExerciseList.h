// A place's exercise list and the hand-over of its entries to the exercise
// screens.
//
// The list file is Windows-1250 text: line 1 is an 11-character label (never
// read) followed by the number of entries, 1 to MaxExercises; each further
// line is a 5-character key and the data file's path under ProgramDir +
// "\cwicz". Keys are upper-cased as they are read, files kept as written.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

#include "app/Globals.h"

class TForm;

// The layout the dialogue list shares: the label before the count on line 1,
// and the key before each entry's file.
constexpr int ListLabelLength = 11;
constexpr int ListKeyLength = 5;

struct TExerciseListFile {
  std::vector<TListEntry> Entries;  // 1 .. MaxExercises
};

// EConvertError or EFormatError naming `fileName` and the line: a count that is
// not a number or lies outside 1 .. MaxExercises, or fewer entry lines than it.
TExerciseListFile ParseExerciseList(const QByteArray& bytes, const QString& fileName);
QByteArray FormatExerciseList(const TExerciseListFile& list);

// Presentations whose exercise screen offers the dialogues that go with them.
extern const std::array<QString, 12> DialogueLinkFiles;
// Presentations that have a "remember" note.
extern const std::array<QString, 27> RememberFiles;

// The screen set-up for one key; Unknown for a key no screen takes.
enum class TExerciseScreen { Unknown, Presentation, Dragging, Listening, LetterGrid, Crossword, WordSearch, ListeningChoice, LilyPads };
TExerciseScreen ScreenForKey(const QString& key);

namespace Dispatch {
// Reads the list at `path` into ExerciseList (checked whole first: a broken
// file changes nothing) and starts its first entry.
void LoadExerciseList(const QString& path);
}  // namespace Dispatch

// Closes every exercise screen that exists, but `keep`.
void CloseExerciseScreens(const TForm* keep = nullptr);

// Starts entry ExerciseIndex of ExerciseList on its screen; an unknown key (or
// no entry at that index) shows "Brak cwiczenia !" and no screen.
void StartExercise();
// The arrows of the exercise screens; at either end of the list they do nothing.
void PreviousExercise();
void NextExercise();

// Lets the location screen's exercise button and spots reach the dispatch.
void InstallExerciseDispatch();
