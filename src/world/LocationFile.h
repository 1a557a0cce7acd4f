// Location files: one small Windows-1250 text file per place, naming its
// picture, hot spots, sprites, lists, idle sounds and videos and the place
// the back button returns to. Every line starts with a label whose length
// alone matters; the reader skips that many characters and keeps the rest
// untrimmed. Record lines are comma lists read the way the original did (see
// ReadCommaFields), so odd lines read the same as they always have.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// Sizes of the location screen's tables; a file asking for more is refused.
constexpr int MaxWalkSpots = 10;
constexpr int MaxSoundSpots = 10;
constexpr int MaxSprites = 7;
constexpr int MaxExerciseSpots = 20;
constexpr int MaxWaveEvents = 16;
constexpr int MaxAniEvents = 16;
constexpr int ScheduleSlots = 18;

struct TWalkSpot {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  QString Target;
  QString Sound;  // "0" for none
};

struct TSoundSpot {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  QString Sound;
};

struct TExerciseSpot {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  QString ListFile;
};

struct TSpriteRecord {
  int Interval = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  int Frames = 1;
  QString Strip;  // relative to the data root
  int Action = 0;  // 1 sound, 2 and 3 message boxes, anything else nothing
  QString Sound;
  int Still = 0;  // 1: stands on frame 0 until clicked
};

struct TAniEvent {
  int Left = 0, Top = 0, Height = 0, Width = 0, Spare = 0;
  QString Video;  // relative to the data root
  QString Sound;
};

struct TLocation {
  QString Picture;  // under DataRoot + LocationsDir
  QString BackLink;  // "NONE" (exactly) for a top place
  std::vector<TWalkSpot> WalkSpots;
  std::vector<TSoundSpot> SoundSpots;
  // How many list lines the file has; the last line's name is the one kept.
  int ExerciseListLines = 0;
  int DialogueListLines = 0;
  QString ExerciseListFile;
  QString DialogueListFile;
  std::vector<TSpriteRecord> Sprites;
  std::vector<TExerciseSpot> ExerciseSpots;
  QStringList WaveEvents;
  std::vector<TAniEvent> AniEvents;
};

// Reads a location file's bytes; `fileName` names the file in errors.
// Errors: EConvertError for a bad number, EFormatError for a count beyond its
// table or an impossible value; both name the file and line.
TLocation ReadLocation(const QByteArray& bytes, const QString& fileName);
// Reads a location file through the path resolver (EInOutError when it cannot).
TLocation ReadLocationFile(const QString& path);

// The bytes of a location file for `location`, with labels of the right
// lengths. Reading them back gives `location` again. A record field that is
// empty or holds a comma or line break cannot be read back and is refused
// (EFormatError), as is a line break in any other text.
QByteArray WriteLocation(const TLocation& location);
void SaveLocationFile(const QString& path, const TLocation& location);

// The fields of a comma record: each field ends at a comma, and the search
// for the next comma starts one character into the field, so a field is never
// empty unless its comma is missing. A missing comma leaves its field and all
// later ones empty; text after the last expected comma is ignored.
QStringList ReadCommaFields(const QString& line, int count);

// The idle show's eighteen slots.
enum class TEventKind : int { None = 0, Sound = 1, Video = 2 };
struct TScheduleSlot {
  TEventKind Kind = TEventKind::None;
  int Index = 0;  // 1-based into the idle sounds or videos
};
using TEventSchedule = std::array<TScheduleSlot, ScheduleSlots>;

// Fills the schedule for a place: videos in turn in every slot, or random
// sounds when there are no videos; with both, one random slot in each block
// of four (1-4, 5-8, 9-12, 13-16) becomes a random sound. With neither, the
// slots keep what they held. Draws from the program's Random.
void BuildEventSchedule(TEventSchedule& schedule, int videoCount, int soundCount);
