#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/TextFile.h"
#include "support/Support.h"

namespace {
void Touch(const QString& path, const QByteArray& content = "x") {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(content);
}
}  // namespace

class PathsTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearPathCache(); }
  QTemporaryDir dir;
  QString Root() const { return dir.path(); }
};

TEST_F(PathsTest, BackslashPathsFindFilesWhateverTheirCase) {
  Touch(Root() + "/gfx/tlo_cwic.bmp");
  const QString wanted = Root() + "\\GFX\\Tlo_Cwic.BMP";
  EXPECT_EQ(ResolvePath(wanted), Root() + "/gfx/tlo_cwic.bmp");
  EXPECT_TRUE(FileExists(wanted));
  EXPECT_FALSE(DirectoryExists(wanted));
  EXPECT_TRUE(DirectoryExists(Root() + "\\Gfx\\"));
  EXPECT_EQ(ReadWholeFile(wanted), QByteArray("x"));
  // Data paths join pieces that both carry separators.
  EXPECT_TRUE(FileExists(Root() + "\\" + "\\gfx\\" + "TLO_CWIC.bmp"));
}

TEST_F(PathsTest, ExactNamePreferredWhenNamesDifferOnlyInCase) {
  Touch(Root() + "/Music/ok.wav", "upper");
  Touch(Root() + "/music/ok.wav", "lower");
  Touch(Root() + "/music/Óla.txt", "Ó");
  Touch(Root() + "/music/óla.txt", "ó");
  EXPECT_EQ(ReadWholeFile(Root() + "\\music\\ok.wav"), QByteArray("lower"));
  EXPECT_EQ(ReadWholeFile(Root() + "\\Music\\ok.wav"), QByteArray("upper"));
  EXPECT_EQ(ReadWholeFile(Root() + "/music/óla.txt"), QByteArray("ó"));
  EXPECT_EQ(ReadWholeFile(Root() + "/music/Óla.txt"), QByteArray("Ó"));
  // With no exact match the first name in sorted order wins, every time.
  EXPECT_EQ(ResolvePath(Root() + "/MUSIC/OK.WAV"), ResolvePath(Root() + "/MUSIC/OK.WAV"));
  EXPECT_TRUE(ResolvePath(Root() + "/MUSIC/OK.WAV").endsWith("/ok.wav"));
}

TEST_F(PathsTest, MissingPartsKeepTheirSpellingAndNothingBelowExists) {
  Touch(Root() + "/a/b.txt");
  EXPECT_EQ(ResolvePath(Root() + "\\A\\Nowy\\Plik.TXT"), Root() + "/a/Nowy/Plik.TXT");
  EXPECT_FALSE(FileExists(Root() + "/a/nowy/plik.txt"));
  EXPECT_FALSE(FileExists(QString()));
  EXPECT_FALSE(DirectoryExists(QString()));
}

TEST_F(PathsTest, WritesRefreshTheCachedListing) {
  Touch(Root() + "/login/x.txt");
  EXPECT_FALSE(FileExists(Root() + "/LOGIN/Kot"));  // caches the listing of login/
  WriteFileAtomic(Root() + "/login/kot", "1");
  EXPECT_TRUE(FileExists(Root() + "/LOGIN/Kot"));
  // A file created behind the cache's back is seen after the cache is cleared.
  Touch(Root() + "/login/pies");
  ClearPathCache();
  EXPECT_TRUE(FileExists(Root() + "/login/PIES"));
}

TEST_F(PathsTest, RelativePathsResolveFromTheWorkingDirectory) {
  Touch(Root() + "/Lokacje/Start.lok");
  const QString old = QDir::currentPath();
  QDir::setCurrent(Root());
  ClearPathCache();
  EXPECT_TRUE(FileExists(QStringLiteral("lokacje\\start.LOK")));
  EXPECT_EQ(ResolvePath(QStringLiteral("lokacje\\start.LOK")), QStringLiteral("Lokacje/Start.lok"));
  QDir::setCurrent(old);
  ClearPathCache();
}
