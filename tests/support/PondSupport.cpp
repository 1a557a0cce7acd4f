#include "support/PondSupport.h"

#include "exercises/FrmCw7Files.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/Paths.h"

void WritePondMedia(const QString& programDir, const QString& dataRoot, int soundMs) {
  for (const TScreenFile& f : Cw7Files::Pictures) {
    const QString path = NormalizeSeparators(f.In(programDir, dataRoot));
    MakeParentDirs(path);
    if (f.Kind == TScreenFile::Strip)
      WriteSolidBmp(path, f.NeededWidth(), 8, QColor(90, 140, 200));
    else
      WriteSolidBmp(path, 40, 30, QColor(60, 120, 180));
  }
  int hz = 300;
  for (const TScreenFile& f : Cw7Files::Sounds) {
    const QString path = NormalizeSeparators(f.In(programDir, dataRoot));
    MakeParentDirs(path);
    WriteWave(path, MakeTone(soundMs, hz += 40));
  }
}

TListeningChoice SampleChoice(int count) {
  TListeningChoice c;
  for (int k = 1; k <= count; ++k)
    c.Questions.push_back({300 + k,
                           k % 3 + 1,
                           {QStringLiteral("%1.1").arg(k), QStringLiteral("%1.2").arg(k),
                            QStringLiteral("%1.3").arg(k)}});
  return c;
}

QString WordSoundFile(const QString& dataRoot, int number) {
  return dataRoot + QStringLiteral("/words/D_%1.cdr/%2.wav")
                        .arg(number / 200 + 1, 2, 10, QChar('0'))
                        .arg(number, 5, 10, QChar('0'));
}

void WriteChoiceWords(const QString& dataRoot, const TListeningChoice& choice, int ms) {
  for (const TChoiceQuestion& q : choice.Questions)
    WriteWave(WordSoundFile(dataRoot, q.WordSound), MakeTone(ms, 500 + q.WordSound));
}
