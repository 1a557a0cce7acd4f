// The information screens' files for the demo and the tests: the note,
// message and authors pictures and one "remember" note.
//
//   the three pictures, where the screens declare them
//   program/cwicz/town/4Cb.txt   the note of the presentation \town\4Cb.fc2
//
// Only presentations the game lists as having a note (\town\4Cb.fc2 among
// them) offer it, so the demo's colours presentation carries that name.
#pragma once

#include <QString>

struct TInstallation;

struct TDemoMenuReport {
  int Pictures = 0, Notes = 0;
};

TDemoMenuReport WriteDemoMenu(const TInstallation& inst);

// The note as written to its file.
QString DemoNoteText();
// The presentation the note belongs to.
inline const QString DemoNoteExercise = QStringLiteral("\\town\\4Cb.fc2");
