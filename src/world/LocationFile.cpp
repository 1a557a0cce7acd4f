#include "world/LocationFile.h"

#include "app/Globals.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "platform/Timers.h"

namespace {

// Label lengths of the ten header lines and of each record group.
constexpr int kHeaderLabels[10] = {8, 12, 12, 17, 14, 10, 10, 7, 10, 5};
constexpr int kWalkLabel = 5, kSoundLabel = 5, kListLabel = 5, kSpriteLabel = 5,
              kExerciseSpotLabel = 6, kWaveLabel = 2, kAniLabel = 2;

// Lines in order; past the end every line reads empty, as the original's
// reads did. Counts may be large, so skipping past the end is arithmetic.
class LineCursor {
 public:
  LineCursor(const QByteArray& bytes, const QString& file) : in_(bytes, file) {}

  // The next line with its label removed.
  QString Next(int labelLength) { return in_.ReadLine().mid(labelLength); }
  // Moves over `count` lines and returns the last one (label removed).
  QString Last(int count, int labelLength) {
    if (count <= 0) return {};
    in_.Skip(count - 1);
    return Next(labelLength);
  }
  int Line() const { return in_.LineNo(); }
  const QString& File() const { return in_.FileName(); }

  int Int(const QString& text) const { return StrToInt(text, File(), Line()); }
  // A file name from the line just read.
  const QString& Name(const QString& name) const {
    if (const QString problem = ClimbingNameProblem(name, File()); !problem.isEmpty())
      Fail(problem);
    return name;
  }
  [[noreturn]] void Fail(const QString& message) const {
    throw EFormatError(Located(File(), Line(), message));
  }

 private:
  TTextReader in_;
};

int ReadCount(LineCursor& in, int labelLength, int limit, const char* what) {
  const int n = in.Int(in.Next(labelLength));
  if (n < 0) in.Fail(QStringLiteral("liczba %1 nie może być ujemna (%2)").arg(QString::fromUtf8(what)).arg(n));
  if (limit >= 0 && n > limit)
    in.Fail(QStringLiteral("za dużo: %1 %2, najwyżej %3").arg(n).arg(QString::fromUtf8(what)).arg(limit));
  return n;
}

struct RecordFields {
  QStringList f;
  const LineCursor& in;
  int Int(int i) const { return in.Int(f[i]); }
};

}  // namespace

QStringList ReadCommaFields(const QString& line, int count) {
  QStringList fields;
  const QString comma = QStringLiteral(",");
  int after = FindFrom(1, line, comma);  // just past the comma, or -1
  fields << Copy(line, 1, after - 2);
  for (int k = 1; k < count; ++k) {
    const int next = after < 0 ? -1 : FindFrom(after + 1, line, comma);
    fields << (after < 0 || next < 0 ? QString() : Copy(line, after, next - after - 1));
    after = next;
  }
  return fields;
}

TLocation ReadLocation(const QByteArray& bytes, const QString& fileName) {
  LineCursor in(bytes, fileName);
  TLocation loc;
  loc.Picture = in.Name(in.Next(kHeaderLabels[0]));
  const int walks = ReadCount(in, kHeaderLabels[1], MaxWalkSpots, "przejść");
  const int sounds = ReadCount(in, kHeaderLabels[2], MaxSoundSpots, "miejsc z dźwiękiem");
  loc.ExerciseListLines = ReadCount(in, kHeaderLabels[3], -1, "list ćwiczeń");
  loc.DialogueListLines = ReadCount(in, kHeaderLabels[4], -1, "list dialogów");
  const int sprites = ReadCount(in, kHeaderLabels[5], MaxSprites, "postaci");
  const int exerciseSpots = ReadCount(in, kHeaderLabels[6], MaxExerciseSpots, "miejsc z ćwiczeniami");
  const int waves = ReadCount(in, kHeaderLabels[7], MaxWaveEvents, "dźwięków w tle");
  const int anis = ReadCount(in, kHeaderLabels[8], MaxAniEvents, "filmików w tle");
  loc.BackLink = in.Name(in.Next(kHeaderLabels[9]));

  for (int i = 0; i < walks; ++i) {
    const RecordFields r{ReadCommaFields(in.Next(kWalkLabel), 6), in};
    loc.WalkSpots.push_back(
        {r.Int(0), r.Int(1), r.Int(2), r.Int(3), in.Name(r.f[4]), in.Name(r.f[5])});
  }
  for (int i = 0; i < sounds; ++i) {
    const RecordFields r{ReadCommaFields(in.Next(kSoundLabel), 5), in};
    loc.SoundSpots.push_back({r.Int(0), r.Int(1), r.Int(2), r.Int(3), in.Name(r.f[4])});
  }
  loc.ExerciseListFile = in.Name(in.Last(loc.ExerciseListLines, kListLabel));
  loc.DialogueListFile = in.Name(in.Last(loc.DialogueListLines, kListLabel));
  for (int i = 0; i < sprites; ++i) {
    const RecordFields r{ReadCommaFields(in.Next(kSpriteLabel), 10), in};
    TSpriteRecord s;
    s.Interval = r.Int(0);
    s.X = r.Int(1);
    s.Y = r.Int(2);
    s.Width = r.Int(3);
    s.Height = r.Int(4);
    s.Frames = r.Int(5);
    s.Strip = in.Name(r.f[6]);
    s.Action = r.Int(7);
    s.Sound = in.Name(r.f[8]);
    s.Still = r.Int(9);
    // A strip of no frames would have the sprite divide by zero.
    if (s.Frames < 1) in.Fail(QStringLiteral("postać musi mieć co najmniej 1 klatkę (jest %1)").arg(s.Frames));
    loc.Sprites.push_back(s);
  }
  for (int i = 0; i < exerciseSpots; ++i) {
    const RecordFields r{ReadCommaFields(in.Next(kExerciseSpotLabel), 5), in};
    loc.ExerciseSpots.push_back({r.Int(0), r.Int(1), r.Int(2), r.Int(3), in.Name(r.f[4])});
  }
  for (int i = 0; i < waves; ++i) loc.WaveEvents << in.Name(in.Next(kWaveLabel));
  for (int i = 0; i < anis; ++i) {
    const RecordFields r{ReadCommaFields(in.Next(kAniLabel), 7), in};
    loc.AniEvents.push_back(
        {r.Int(0), r.Int(1), r.Int(2), r.Int(3), r.Int(4), in.Name(r.f[5]), in.Name(r.f[6])});
  }
  return loc;
}

TLocation ReadLocationFile(const QString& path) { return ReadLocation(ReadWholeFile(path), path); }

namespace {
// A label of exactly `length` characters: the name, padded, then "=".
QString Label(const char* name, int length) {
  QString s = QString::fromLatin1(name).left(length - 1);
  return s.leftJustified(length - 1, QLatin1Char(' ')) + QLatin1Char('=');
}

// A record as the reader will split it again: a field that is empty or
// holds a comma or line break would come back different, so it is refused.
QString Fields(std::initializer_list<QString> fields) {
  QString s;
  for (const QString& f : fields) {
    if (f.isEmpty() || f.contains(QLatin1Char(',')) || f.contains(QLatin1Char('\n')) ||
        f.contains(QLatin1Char('\r')))
      throw EFormatError(QStringLiteral("pole rekordu lokacji nie może być puste ani zawierać przecinka: '%1'").arg(f));
    s += f + QLatin1Char(',');
  }
  return s;
}

QString Num(int v) { return QString::number(v); }

// A name on a line of its own: a line break would shift every later line.
const QString& Plain(const QString& text) {
  if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
    throw EFormatError(QStringLiteral("nazwa w pliku lokacji nie może zawierać końca wiersza: '%1'").arg(text));
  return text;
}
}  // namespace

QByteArray WriteLocation(const TLocation& loc) {
  TTextWriter out;
  out.WriteLine(Label("Obrazek", kHeaderLabels[0]) + Plain(loc.Picture));
  out.WriteLine(Label("Przejscia", kHeaderLabels[1]) + Num(static_cast<int>(loc.WalkSpots.size())));
  out.WriteLine(Label("Dzwieki", kHeaderLabels[2]) + Num(static_cast<int>(loc.SoundSpots.size())));
  out.WriteLine(Label("ListyCwiczen", kHeaderLabels[3]) + Num(loc.ExerciseListLines));
  out.WriteLine(Label("ListyDialogow", kHeaderLabels[4]) + Num(loc.DialogueListLines));
  out.WriteLine(Label("Postacie", kHeaderLabels[5]) + Num(static_cast<int>(loc.Sprites.size())));
  out.WriteLine(Label("Cwiczenia", kHeaderLabels[6]) + Num(static_cast<int>(loc.ExerciseSpots.size())));
  out.WriteLine(Label("Odglos", kHeaderLabels[7]) + Num(static_cast<int>(loc.WaveEvents.size())));
  out.WriteLine(Label("Filmiki", kHeaderLabels[8]) + Num(static_cast<int>(loc.AniEvents.size())));
  out.WriteLine(Label("Wroc", kHeaderLabels[9]) + Plain(loc.BackLink));
  for (const auto& w : loc.WalkSpots)
    out.WriteLine(Label("Idz", kWalkLabel) +
                  Fields({Num(w.Left), Num(w.Top), Num(w.Right), Num(w.Bottom), w.Target, w.Sound}));
  for (const auto& s : loc.SoundSpots)
    out.WriteLine(Label("Dzw", kSoundLabel) +
                  Fields({Num(s.Left), Num(s.Top), Num(s.Right), Num(s.Bottom), s.Sound}));
  for (int i = 0; i < loc.ExerciseListLines; ++i)
    out.WriteLine(Label("Cwi", kListLabel) + Plain(loc.ExerciseListFile));
  for (int i = 0; i < loc.DialogueListLines; ++i)
    out.WriteLine(Label("Dia", kListLabel) + Plain(loc.DialogueListFile));
  for (const auto& a : loc.Sprites)
    out.WriteLine(Label("Ani", kSpriteLabel) +
                  Fields({Num(a.Interval), Num(a.X), Num(a.Y), Num(a.Width), Num(a.Height),
                          Num(a.Frames), a.Strip, Num(a.Action), a.Sound, Num(a.Still)}));
  for (const auto& e : loc.ExerciseSpots)
    out.WriteLine(Label("Cwsp", kExerciseSpotLabel) +
                  Fields({Num(e.Left), Num(e.Top), Num(e.Right), Num(e.Bottom), e.ListFile}));
  for (const QString& w : loc.WaveEvents) out.WriteLine(Label("S", kWaveLabel) + Plain(w));
  for (const auto& v : loc.AniEvents)
    out.WriteLine(Label("V", kAniLabel) + Fields({Num(v.Left), Num(v.Top), Num(v.Height), Num(v.Width),
                                                  Num(v.Spare), v.Video, v.Sound}));
  return out.Bytes();
}

void SaveLocationFile(const QString& path, const TLocation& location) {
  WriteFileAtomic(path, WriteLocation(location));
}

void BuildEventSchedule(TEventSchedule& schedule, int videoCount, int soundCount) {
  if (videoCount > 0) {
    for (int i = 0; i < ScheduleSlots; ++i) schedule[i] = {TEventKind::Video, i % videoCount + 1};
  } else if (soundCount > 0) {
    for (auto& slot : schedule) slot = {TEventKind::Sound, Random(soundCount) + 1};
  }
  if (soundCount > 0) {
    for (int block : {0, 4, 8, 12}) {
      const int r = Random(4);
      schedule[block + r] = {TEventKind::Sound, Random(soundCount) + 1};
    }
  }
}
