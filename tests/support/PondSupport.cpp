#include "support/PondSupport.h"

#include "lib/MediaWriters.h"
#include "lib/Writers.h"

void WritePondMedia(const QString& programDir, const QString& dataRoot, int soundMs) {
  for (const TPondFile& f : PondFiles::Pictures) {
    const QString path =
        (f.UnderProgram ? programDir : dataRoot) + QString::fromLatin1(f.Path).replace(u'\\', u'/');
    MakeParentDirs(path);
    if (f.Frames > 0)
      WriteSolidBmp(path, f.Frames * f.FrameWidth, 8, QColor(90, 140, 200));
    else
      WriteSolidBmp(path, 40, 30, QColor(60, 120, 180));
  }
  int hz = 300;
  for (const TPondFile& f : PondFiles::Sounds) {
    const QString path = dataRoot + QString::fromLatin1(f.Path).replace(u'\\', u'/');
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
