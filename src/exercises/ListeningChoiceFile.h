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

// ---- The files the listening choice screen opens by name ----

struct TPondFile {
  bool UnderProgram;  // ProgramDir, else DataRoot
  const char* Path;
  const char* What;
  int Frames = 0;  // strips: frames of FrameWidth x FrameHeight
  int FrameWidth = 0;
  int FrameHeight = 0;
};

namespace PondFiles {
inline constexpr TPondFile Pond{true, "\\gfx\\Pieski.bmp", "the pond"};
inline constexpr TPondFile Panel{true, "\\gfx\\Panel_pi.bmp", "the answer panel"};
inline constexpr TPondFile Balloon{true, "\\gfx\\Balon.bmp", "the balloon"};
inline constexpr TPondFile Fish{false, "\\gfx\\anim\\Rybka.bmp", "the fish", 5, 219, 120};
inline constexpr TPondFile Periscope{false, "\\gfx\\anim\\Peryskop.bmp", "the periscope", 20, 60,
                                     70};
inline constexpr TPondFile Crying{false, "\\gfx\\anim\\Placz.bmp", "the crying puppy", 6, 127, 117};
inline constexpr TPondFile Still{false, "\\gfx\\anim\\Pies0.bmp", "the puppy at rest", 1, 127, 117};
inline constexpr TPondFile Bark{false, "\\gfx\\anim\\Szczek.bmp", "the barking dog", 7, 157, 122};
inline constexpr TPondFile Run{false, "\\gfx\\anim\\Run2.bmp", "the running puppy", 20, 350, 127};
inline constexpr TPondFile Home{false, "\\gfx\\anim\\Pies_end.bmp", "the dog at home", 4, 174, 118};
inline constexpr TPondFile Pictures[] = {Pond,   Panel, Balloon, Fish, Periscope,
                                         Crying, Still, Bark,    Run,  Home};

inline constexpr TPondFile Mama{false, "\\music\\mama.wav", "the barking and the dog at home"};
inline constexpr TPondFile RunHome{false, "\\music\\1002.wav", "the puppy running home"};
inline constexpr TPondFile Splash{false, "\\music\\plusk3.wav", "the fish"};
inline constexpr TPondFile Bubbles{false, "\\music\\bulgot.wav", "the periscope"};
inline constexpr TPondFile PondSound{false, "\\music\\1005.wav", "the pond"};
inline constexpr TPondFile Instruction{false, "\\music\\o8.wav", "the spoken instruction"};
inline constexpr TPondFile Sounds[] = {Mama, RunHome, Splash, Bubbles, PondSound, Instruction};
}  // namespace PondFiles
