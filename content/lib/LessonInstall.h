// Adding a teacher's lesson (lib/Lesson.h) to an installation, building it
// again, and taking it out, with a record (lib/LessonManifest.h) of all it
// wrote and changed.
//
// What is guaranteed: the lesson is compiled and every file written whole to
// a temporary name beside its target before anything in the installation
// changes, so a bad lesson, a full disk or a file in the way leaves the
// installation as it was. Then the record is written first, naming the old
// and the new files and lines together, and the files are renamed into
// place, each rename atomic; the record is rewritten with the new ones alone
// last. A crash during the renames leaves a record from which building again
// or `--remove` finishes the job. A file the lesson did not write is never
// written over; lines it put into shared files are taken out exactly. A word
// two lessons list stays in the dictionary while either is installed.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "lib/Installation.h"
#include "lib/LessonManifest.h"

struct TLessonResult {
  QString Place;  // the lesson's place file
  QString From;   // the place that leads to it
  int Files = 0, Words = 0, Exercises = 0;
};

// Adds the lesson in `lessonDir` to `inst`, replacing what it wrote before.
TLessonResult AddLesson(const TInstallation& inst, const QString& lessonDir, bool speech);
// Takes the lesson named after the folder `lessonDir` out of `inst`.
void RemoveLesson(const TInstallation& inst, const QString& lessonDir);

// `bytes` with the inserted line taken out and its count line restored, or,
// given a `heir` line (another lesson's for the same word), with the heir in
// its place; as they are when the line is not there.
QByteArray UndoLessonInsert(const QByteArray& bytes, const TLessonInsert& insert,
                            const QByteArray& heir = {});

// The lesson source line behind each file the installation's lessons wrote,
// by its path under the program directory or data root ("/cwicz/x.fc2").
QHash<QString, QString> LessonOrigins(const QString& programDir);

// `build LESSONS_DIR --into PROGRAM_DIR [DATA_ROOT] [--remove] [--no-speech]`.
int RunBuildLesson(const QStringList& args);
