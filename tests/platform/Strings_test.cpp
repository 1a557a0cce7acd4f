#include "platform/Strings.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Win1250.h"
#include "support/Support.h"

TEST(Strings, TrimRemovesBlanksAndControlCharactersOnly) {
  EXPECT_EQ(Trim(QStringLiteral(" \t\x01"
                                "D:\\Data  \r")),
            QStringLiteral("D:\\Data"));
  EXPECT_EQ(Trim(QStringLiteral("\xA0x\xA0")),
            QStringLiteral("\xA0x\xA0"));  // no-break space stays
  EXPECT_EQ(Trim(QStringLiteral("   ")), QString());
  EXPECT_EQ(TrimLeft(QStringLiteral("  a ")), QStringLiteral("a "));
  EXPECT_EQ(TrimRight(QStringLiteral("  a ")), QStringLiteral("  a"));
}

TEST(Strings, CopyAndDeleteClipAtTheEnds) {
  const QString s = QStringLiteral("abcdef");
  EXPECT_EQ(Copy(s, 1, 3), QStringLiteral("abc"));
  EXPECT_EQ(Copy(s, 5, 10), QStringLiteral("ef"));
  EXPECT_EQ(Copy(s, 7, 1), QString());
  EXPECT_EQ(Copy(s, 0, 2), QStringLiteral("ab"));
  EXPECT_EQ(Copy(s, 2, -1), QString());
  QString d = s;
  Delete(d, 1, 3);
  EXPECT_EQ(d, QStringLiteral("def"));
  d = QStringLiteral("ab");
  Delete(d, 1, 3);  // a three-character key on a shorter line
  EXPECT_EQ(d, QString());
  d = s;
  Delete(d, 9, 1);
  EXPECT_EQ(d, s);
  EXPECT_EQ(Pos(QStringLiteral("cd"), s), 3);
  EXPECT_EQ(Pos(QStringLiteral("x"), s), 0);
}

TEST(Strings, PlainCaseChangesOnlyAsciiLetters) {
  const QString polish = QStringLiteral("zażółć gęślą JAŹŃ");
  EXPECT_EQ(UpperCase(polish), QStringLiteral("ZAżółć GęśLą JAŹŃ"));
  EXPECT_EQ(LowerCase(polish), QStringLiteral("zażółć gęślą jaŹŃ"));
  EXPECT_EQ(AnsiUpperCase(polish), QStringLiteral("ZAŻÓŁĆ GĘŚLĄ JAŹŃ"));
  EXPECT_EQ(AnsiLowerCase(polish), QStringLiteral("zażółć gęślą jaźń"));
  // The letters an answer may be typed in are exactly those the plain rules change.
  for (char16_t u = 0; u < 0x180; ++u) {
    const QString c(QChar{u});
    EXPECT_EQ(IsAsciiLetter(QChar{u}), UpperCase(c) != c || LowerCase(c) != c) << int(u);
  }
}

TEST(Strings, StrToIntAcceptsSignAndDigitsOnly) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"0", true, 0},
      {"42", true, 42},
      {"-7", true, -7},
      {"+7", true, 7},
      {"007", true, 7},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},
      {"2147483648", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {" 1", false, 0},
      {"1 ", false, 0},
      {"$10", false, 0},
      {"1e3", false, 0},
      {"12a", false, 0},
      {"٣", false, 0},
  };
  for (const Case& c : cases) {
    const QString text = QString::fromUtf8(c.text);
    if (c.ok) {
      EXPECT_EQ(StrToInt(text), c.value) << c.text;
    } else {
      EXPECT_THROW(StrToInt(text), EConvertError) << c.text;
      EXPECT_EQ(StrToIntDef(text, -99), -99) << c.text;
    }
  }
}

// Errors name file and line always, and quote the bad text only from the
// game's own folders: never through a link that leads out of them.
TEST(Strings, ErrorsQuoteOnlyTheGamesOwnFiles) {
  QTemporaryDir own, elsewhere;
  const QString program = own.filePath("program"), cd = own.filePath("cd");
  WriteRaw(program + "/lokacje/start.lok", "x");
  WriteRaw(cd + "/a/b.txt", "x");
  WriteRaw(own.filePath("programme/c.txt"), "x");
  WriteRaw(elsewhere.filePath("secret.txt"), "x");
  ASSERT_TRUE(QFile::link(elsewhere.filePath("secret.txt"), program + "/link.txt"));
  ASSERT_TRUE(QFile::link(elsewhere.path(), cd + "/away"));
  SetQuotableFolders({program, cd});
  const struct {
    QString File;
    bool Quoted;
  } cases[] = {
      {program + "/lokacje/start.lok", true},
      {cd + "/a/b.txt", true},
      {program + "/link.txt", false},
      {cd + "/away/secret.txt", false},
      {elsewhere.filePath("secret.txt"), false},
      {own.filePath("programme/c.txt"), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.File.toStdString());
    try {
      StrToInt(QStringLiteral("sekret1"), c.File, 12);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_TRUE(e.Message.startsWith(ShownPath(c.File) + ":12: ")) << e.what();
      EXPECT_EQ(e.Message.contains(QStringLiteral("'sekret1'")), c.Quoted) << e.what();
    }
    EXPECT_EQ(ClimbingNameProblem(QStringLiteral("..\\sekret2"), c.File)
                  .contains(QStringLiteral("sekret2")),
              c.Quoted);
  }
  SetQuotableFolders({});
  EXPECT_TRUE(MayQuote(elsewhere.filePath("secret.txt")));
}

TEST(Win1250, RoundTripsPolishLettersAndEveryByte) {
  const QString polish = QStringLiteral("ĄĆĘŁŃÓŚŹŻąćęłńóśźż „cudzysłów” €");
  const QByteArray bytes = EncodeWin1250(polish);
  EXPECT_EQ(bytes.size(), polish.size());
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xA5);  // Ą
  EXPECT_EQ(static_cast<unsigned char>(bytes[9]), 0xB9);  // ą
  EXPECT_EQ(DecodeWin1250(bytes), polish);
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  EXPECT_EQ(EncodeWin1250(DecodeWin1250(all)), all);
  EXPECT_TRUE(CanEncodeWin1250(polish));
  EXPECT_FALSE(CanEncodeWin1250(QStringLiteral("日本")));
  EXPECT_EQ(EncodeWin1250(QStringLiteral("a日")), QByteArray("a?"));
}
