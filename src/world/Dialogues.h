// A place's dialogues: the dialogue list file, the hand-over of its entries to
// the dialogue screen, the numbered word and sentence sounds, and the
// read-aloud chains that the shared player's end notifications drive.
//
// The dialogue list file is Windows-1250 text: line 1 is an 11-character label
// (never read) followed by the number of entries, 1 to MaxDialogues; each
// further line is a 5-character key and a dialogue file's path under
// ProgramDir + "\cwicz". Keys stay as written: only "DIAL=" and "DIAC=" (in
// capitals) lead anywhere.
//
// Read-aloud chains. A screen starts one by saying its first sound and setting
// the state below; every sound that plays to its end (and only such a sound)
// moves the chain one step. Stopping or replacing the sound halts the chain
// where it is; the screens also end it by clearing ReadAloud.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

#include "app/Globals.h"
#include "platform/MediaPlayer.h"

// The dialogue screen's reading modes (at most one is set) and the 1-based
// line being read. Used with ReadAloud (app/Globals.h).
extern bool ReadAllLines;
extern bool ChildReadsEven;
extern bool ChildReadsOdd;
extern int ReadLinePos;
// Counts the starts of readings. A step that pauses (the child's green line)
// goes on afterwards only if no other reading was started meanwhile.
extern int ReadingRun;

// The next item of a presentation being read aloud (ReadAloud set, none of the
// dialogue modes): exercise screen 1 installs it. Unset, a presentation's
// chain simply stops.
extern std::function<void()> AdvancePresentation;

// EConvertError (a count that is no number) or EFormatError (a count outside
// 1 .. MaxDialogues, or fewer entry lines than it), naming `fileName` and the line.
std::vector<TListEntry> ParseDialogueList(const QByteArray& bytes, const QString& fileName);
QByteArray FormatDialogueList(const std::vector<TListEntry>& entries);

namespace Dialogues {
// Reads the list at `path` into DialogueList (checked whole first: a broken
// file changes nothing), sets the dialogue screen's arrows and starts the
// first entry.
void LoadDialogueList(const QString& path);
}  // namespace Dialogues

// Loads entry DialogueIndex of DialogueList into the dialogue screen, after
// closing the other exercise screens. Keys other than "DIAL=" and "DIAC="
// load nothing.
void StartDialogue();

// Plays the numbered word or sentence sound DataRoot + WordsDir +
// "D_ff.cdr\nnnnn.wav" (200 sounds a folder), without waiting; beeps when the
// file is missing. EConvertError when `number` is no number.
void PlayDialogueLine(const QString& number);
// The path PlayDialogueLine plays for `number`.
QString DialogueLinePath(const QString& number);
// The same path under another data root and words folder (the content tool's
// view of an installation that is not the one playing).
QString NumberedSoundPath(const QString& dataRoot, const QString& wordsDir, const QString& number);

// The shared player's end of sound (TMainForm::MediaPlayer1Notify): ends the
// start menu's video mode, then moves the running chain one step (role plays,
// whole dialogue, presentation).
void MainMediaPlayerNotify(TMPNotifyValues result);

// Lets the location screen's dialogue button reach LoadDialogueList.
void InstallDialogues();
