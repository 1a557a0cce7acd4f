// The screens' declarations of the files they open by name, taken together:
// a slip in one (a slash for a backslash, a picture named .wav, a strip
// without frames, one file under two kinds) would only show on the screen.
#include "app/ScreenFileList.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QRegularExpression>

namespace {

TEST(ScreenFileList, EveryDeclarationIsWellFormedAndEachFileHasOneKind) {
  static const QRegularExpression path(QStringLiteral("^(\\\\[^\\\\/]+)+\\.(bmp|wav|avi)$"));
  const QHash<int, QString> extension{{TScreenFile::Picture, QStringLiteral("bmp")},
                                      {TScreenFile::Strip, QStringLiteral("bmp")},
                                      {TScreenFile::Sound, QStringLiteral("wav")},
                                      {TScreenFile::Video, QStringLiteral("avi")}};
  QHash<QString, const TScreenFile*> seen;
  int files = 0;
  for (const TScreenFileSet& set : AllScreenFiles) {
    for (const TScreenFile& f : set.Files) {
      ++files;
      const QString p = QString::fromLatin1(f.Path);
      SCOPED_TRACE(p.toStdString());
      EXPECT_TRUE(path.match(p).hasMatch());
      EXPECT_TRUE(p.endsWith(u'.' + extension.value(f.Kind)));
      EXPECT_FALSE(QString::fromUtf8(f.What).isEmpty());
      if (f.Kind == TScreenFile::Strip) EXPECT_TRUE(f.Frames > 0 && f.Width > 0 && f.Height > 0);
      else EXPECT_EQ(f.Frames, 0);
      // Files are found without regard to case, so the same file spelt
      // another way is the same file.
      const QString key = QString::number(f.Root) + p.toLower();
      if (const TScreenFile* other = seen.value(key)) {
        EXPECT_EQ(other->Kind, f.Kind);
        EXPECT_EQ(other->NeededWidth(), f.NeededWidth());
        EXPECT_EQ(other->NeededHeight(), f.NeededHeight());
      }
      seen.insert(key, &f);
    }
  }
  EXPECT_GT(files, 100);
}

}  // namespace
