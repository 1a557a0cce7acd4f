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
#include <QStringList>
#include <array>
#include <functional>
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

// ---- Moving between exercises: the one way every exercise screen leaves ----
//
// An entry is started in two steps. First every file its screen opens (the
// data file, pictures, strips, a presentation's note) is read and checked,
// and nothing changes: a broken file raises its error (the application shows
// it) and a key no screen takes shows "Brak cwiczenia !"; either way the
// screen on show stays as it was and ExerciseIndex keeps its value. Then
// `leaving` runs (the leaving screen stops its timers, sprites and sounds),
// ExerciseIndex moves, every exercise screen closes and the entry's screen
// starts with what was read. Each returns whether an entry started.
//
// A screen's arrows call PreviousExercise / NextExercise, its "Rozpocznij"
// StartExercise (the same entry again), its "Koniec" ReturnToPlace.

// Starts entry ExerciseIndex of ExerciseList on its screen.
bool StartExercise(const std::function<void()>& leaving = {});
// The arrows: the entry before or after; at either end of the list nothing
// happens (false, `leaving` not run).
bool PreviousExercise(const std::function<void()>& leaving = {});
bool NextExercise(const std::function<void()>& leaving = {});
// "Koniec": `leaving`, then `from` closes, the location screen shows and its
// animations resume.
void ReturnToPlace(TForm* from, const std::function<void()>& leaving = {});

namespace Dispatch {
// Reads the list at `path` and its first entry (both checked whole first: a
// broken one changes nothing), then makes it ExerciseList and starts the entry.
bool LoadExerciseList(const QString& path);
// While the game is idle, decodes the pictures of the first entry of each
// list at `paths`, in place of whatever waited. (Starting an entry does the
// same for the one after it: the arrows mostly lead on.)
void PrepareExerciseLists(const QStringList& paths);
}  // namespace Dispatch

// Closes every exercise screen that exists, but `keep`.
void CloseExerciseScreens(const TForm* keep = nullptr);

// Lets the location screen's exercise button and spots reach the dispatch.
void InstallExerciseDispatch();
