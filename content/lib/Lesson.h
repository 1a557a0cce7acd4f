// A teacher's lesson folder: `words.txt` (UTF-8 lines "english = polish",
// optionally "| picture" and "| recording"), a photo named after each English
// word, and an optional `lekcja.txt` in the demo's source language:
//
//   title "W kuchni"                 the place's name, on its sign
//   from Start.lok [at=L,T,R,B]      the place whose walk spot leads here
//   background kuchnia.jpg [fit=]    a photo for the place (or drawing lines below)
//   fit crop|letterbox|scale         how the word photos fill their frames
//   exercises presentation ...       which exercises, of: presentation dragging
//                                    listening letters word-search crossword lily-pads
//
// The lesson becomes source commands (a location, its exercise list, word
// exercises, a word search, a crossword and word pairs), compiled by the
// demo's own compiler; every command names the lesson line it came from.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

#include "lib/DemoSource.h"

struct TLessonWord {
  QString English, Polish;
  QString Picture;    // a photo's path or an emoji
  QString Recording;  // the teacher's WAV or MP3, empty for a synthetic voice
  int Line = 0;       // in words.txt
};

struct TLesson {
  QString Dir;
  QString Name;  // the folder's name, made safe for file names
  QString Title;
  QString WordsFile, LessonFile;  // LessonFile empty when there is none
  QString From = QStringLiteral("Start.lok");
  QRect At;  // the walk spot in From; null: the default one
  int FromLine = 0;
  TSourceNode Background;  // Command empty: drawn from the words
  QString Fit = QStringLiteral("crop");
  QStringList Exercises;
  std::vector<TLessonWord> Words;
};

// The exercise kinds, in the order the list offers them.
const QStringList& LessonExerciseKinds();

// The lesson's name in file names: its folder's name, plain letters and digits.
QString LessonName(const QString& dir);
// Reads a lesson folder; EFormatError names the file and line.
TLesson ReadLesson(const QString& dir);

// The place's file name and the folder (under program\cwicz) of its exercises.
QString LessonPlaceFile(const TLesson& lesson);
QString LessonFolder(const TLesson& lesson);

// The source commands that make the lesson.
std::vector<TSourceNode> LessonSources(const TLesson& lesson);
