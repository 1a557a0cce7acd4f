#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/Globals.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "players/TopTen.h"
#include "support/Support.h"

namespace {

TTopTenEntry Player(const char* name, int red, int green) { return {name, "Man", red, green, {}}; }

QStringList Names(const std::vector<TTopTenEntry>& table) {
  QStringList out;
  for (const auto& e : table) out << e.Name;
  return out;
}

TEST(TopTenTable, PlayersBesideRovel) {
  struct Case {
    int red, green;
    int rank;  // of the player; rovel is then the other of 1 and 2
  };
  // A tie keeps list order, and players come before the rivals.
  const Case cases[] = {{200, 50, 1}, {200, 51, 1}, {200, 49, 2}, {201, 0, 1}, {199, 999, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.red << "/" << c.green);
    const auto table = BuildTopTenTable({Player("Ala", c.red, c.green)});
    EXPECT_EQ(TopTenRank(table, "Ala"), c.rank);
    EXPECT_EQ(TopTenRank(table, "rovel"), 3 - c.rank);
  }
}

TEST(TopTenTable, TiesKeepListOrder) {
  std::vector<TTopTenEntry> t = {Player("A", 5, 5), Player("B", 7, 1), Player("C", 5, 5), Player("D", 5, 6),
                                 Player("E", 5, 5)};
  SortTopTen(t);
  EXPECT_EQ(Names(t), QStringList({"B", "D", "A", "C", "E"}));
}

class TopTenFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSharedState();
    ClearPathCache();
    LoginDir = inst.ProgramDir() + QStringLiteral("\\login\\");
    QDir().mkpath(inst.ProgramDir() + "/login");
  }
  void TearDown() override { ResetSharedState(); }
  void Write(const QString& name, const QByteArray& bytes) {
    QFile f(inst.ProgramDir() + "/login/" + name + ".txt");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    ClearPathCache();
  }
  TempInstallation inst;
};

TEST_F(TopTenFiles, ReadsHeaderAndPlacesButNotResults) {
  Write("Ola", "Ola=2026-12-06=213=1517=3240=Woman=\r\nCDR=1215\r\nAD1=432\r\nC6B=210\r\nKWS=350\r\n"
               "OMB=180\r\nLST=980\r\nCWA=237\r\nPREZ=#\\culture\\1A.fc2#not a number#2#\r\n");
  Write("Kot", "Kot=2026-12-06=211=150=320=Man=\nCDR=120\nAD1=430\nC6B=210\nKWS=350\nOMB=180\nLST=980\nCWA=230");
  const auto entries = ReadTopTenEntries({"Ola", "Kot"});
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Name, "Ola");
  EXPECT_EQ(entries[0].Sex, "Woman");
  EXPECT_EQ(entries[0].RedCount, 17);
  EXPECT_EQ(entries[0].GreenCount, 40);
  EXPECT_EQ(entries[0].PlaceCount, (std::array<int, PlaceTotal>{15, 2, 0, 0, 0, 0, 7}));
  EXPECT_EQ(entries[1].Name, "Kot");
  EXPECT_EQ(entries[1].Sex, "Man");
}

// Entries are kept between showings of the table; a file changed since, the
// way the game replaces it or in place, is read again at once.
TEST_F(TopTenFiles, AChangedFileIsReadAgainAtOnce) {
  const QString path = inst.ProgramDir() + "/login/Ola.txt";
  auto file = [](int red) {
    return QByteArray("Ola=2026-12-06=213=15") + QByteArray::number(red) +
           "=3240=Woman=\r\nCDR=1215\r\nAD1=432\r\nC6B=210\r\nKWS=350\r\nOMB=180\r\nLST=980\r\n"
           "CWA=237\r\n";
  };
  Write("Ola", file(17));
  ASSERT_EQ(ReadTopTenEntries({"Ola"})[0].RedCount, 17);
  // Replaced by a renamed file of the same size, within the same clock tick.
  QFile replacement(path + ".new");
  ASSERT_TRUE(replacement.open(QIODevice::WriteOnly));
  replacement.write(file(18));
  replacement.close();
  ASSERT_TRUE(QFile::remove(path) && QFile::rename(path + ".new", path));
  EXPECT_EQ(ReadTopTenEntries({"Ola"})[0].RedCount, 18);
  Write("Ola", file(123));  // in place, longer
  EXPECT_EQ(ReadTopTenEntries({"Ola"})[0].RedCount, 123);
}

TEST_F(TopTenFiles, AMissingOrBrokenFileStopsWithItsName) {
  Write("Ola", "Ola=2026-12-06=213=1517=3240=Woman=\r\nCDR=1215\r\n");
  Write("Kot", "Kot=2026-12-06=211=150=320=Man=\r\nCDR=120\r\nAD1=430\r\nC6B=210\r\nKWS=350\r\nOMB=180\r\n"
               "LST=980\r\nCWA=230\r\n");
  const std::pair<const char*, const char*> cases[] = {{"Brak", "Brak.txt"}, {"Ola", "Ola.txt"}};
  for (const auto& [name, file] : cases) {
    SCOPED_TRACE(name);
    try {
      ReadTopTenEntries({"Kot", name});
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_TRUE(e.Message.contains(QLatin1String(file))) << e.Message.toStdString();
    }
  }
}

}  // namespace
