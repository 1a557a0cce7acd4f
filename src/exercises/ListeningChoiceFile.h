// The listening choice file (key "MOST="): Windows-1250 text. Line 1 is an
// 11-character label (never read) and the number of questions; each question
// line is a 4-character label and five fields, each ended by a comma:
//
//   IloscPytan=3
//   P01=123,2,kot,pies,ryba,
//
// the word sound's number, the right answer (1 .. 3) and the three answers
// shown. A field is the text between its comma and the one before; a line
// whose last comma is missing leaves the third answer empty.
//
// Errors name the file and line: EConvertError for a number that is not one,
// EFormatError for a question count outside 2 .. 12 (the screen holds twelve,
// and its first question is swapped with a later one) and for a right answer
// outside 1 .. 3 (one that could never be picked).
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

constexpr int MinChoiceQuestions = 2;
constexpr int MaxChoiceQuestions = 12;
constexpr int ChoiceAnswers = 3;

struct TChoiceQuestion {
  int WordSound = 0;    // numbered word sound (words\D_ff.cdr\nnnnn.wav)
  int RightChoice = 1;  // 1 .. 3
  std::array<QString, ChoiceAnswers> Texts;
  bool operator==(const TChoiceQuestion&) const = default;
};

struct TListeningChoice {
  std::vector<TChoiceQuestion> Questions;  // 2 .. 12
  bool operator==(const TListeningChoice&) const = default;
};

TListeningChoice ReadListeningChoice(const QByteArray& bytes, const QString& fileName);
// Refuses (EFormatError) what could not be read back the same: counts and
// right answers out of range, answers holding a comma, a line break or
// characters outside Windows-1250.
QByteArray WriteListeningChoice(const TListeningChoice& choice);
void SaveListeningChoiceFile(const QString& path, const TListeningChoice& choice);
// Reads the file at `path` through the resolver.
TListeningChoice LoadListeningChoiceFile(const QString& path);
