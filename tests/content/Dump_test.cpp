// The dump shows what the game reads: every format written by our own
// writers comes back with the values written, and odd values get warnings
// on the lines that hold them.
#include "lib/Dump.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <functional>

#include "exercises/ExerciseFiles.h"
#include "exercises/ListeningChoiceFile.h"
#include "exercises/SongFile.h"
#include "lib/ListFiles.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "players/PlayerFile.h"
#include "support/Support.h"
#include "tools/WordList.h"
#include "world/LocationFile.h"

namespace {

QJsonObject Parse(const QString& json) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(json.toUtf8(), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n" << json.toStdString();
  return doc.object();
}

QJsonObject Json(const char* text) { return QJsonDocument::fromJson(QByteArray(text)).object(); }

TLocation Place() {
  TLocation loc;
  loc.Picture = "rynek.bmp";
  loc.BackLink = "NONE";
  loc.WalkSpots = {{10, 20, 110, 220, "Sklep.lok", "drzwi"}};
  loc.SoundSpots = {{300, 40, 350, 90, "ptak"}};
  loc.ExerciseListLines = 1;
  loc.ExerciseListFile = "\\cwicz\\town\\lista.txt";
  loc.Sprites = {{150, 60, 20, 40, 30, 4, "\\lokacje\\ptak.bmp", 1, "cwir", 1}};
  loc.ExerciseSpots = {{100, 200, 150, 260, "\\cwicz\\town\\tablica.txt"}};
  loc.WaveEvents = {"dzwon"};
  loc.AniEvents = {{127, 57, 100, 80, 0, "\\lokacje\\balon.avi", "wiatr"}};
  return loc;
}

struct TRoundTrip {
  const char* Name;
  const char* File;
  const char* As;
  std::function<void(const QString& path)> Write;
  const char* Expected;
};

class DumpRoundTrip : public ::testing::TestWithParam<TRoundTrip> {};

TEST_P(DumpRoundTrip, ReturnsTheValuesWritten) {
  QTemporaryDir dir;
  ClearPathCache();
  const TRoundTrip& c = GetParam();
  const QString path = dir.filePath(QString::fromLatin1(c.File));
  c.Write(path);
  const TDumpResult r = DumpFile(path, QString::fromLatin1(c.As));
  EXPECT_EQ(Parse(r.Json), Json(c.Expected)) << r.Json.toStdString();
  for (const TNote& n : r.Notes) ADD_FAILURE() << "unexpected warning: " << n.Message.toStdString();
}

TWordExercise Words() {
  TWordExercise e;
  e.ItemCount = 2;
  e.HotSpots[0] = {1, 2, 30, 40};
  e.HotSpots[1] = {50, 60, 70, 80};
  e.WordPositions[0] = {5, 45};
  e.WordPositions[1] = {55, 85};
  e.SoundNumbers = {7, 8};
  e.Words[0] = "a cat";
  e.Words[1] = "the sun";
  e.Translations[0] = "kot";
  e.Translations[1] = "słońce";
  e.PictureName = "\\town\\a.bmp";
  e.ItemUsed = {1, 1};
  return e;
}

const TRoundTrip kRoundTrips[] = {
    {"location", "Start.lok", "", [](const QString& p) { SaveLocationFile(p, Place()); },
     R"({"Picture": "rynek.bmp", "BackLink": "NONE",
         "WalkSpots": [{"Left": 10, "Top": 20, "Right": 110, "Bottom": 220, "Target": "Sklep.lok", "Sound": "drzwi"}],
         "SoundSpots": [{"Left": 300, "Top": 40, "Right": 350, "Bottom": 90, "Sound": "ptak"}],
         "ExerciseListLines": 1, "ExerciseListFile": "\\cwicz\\town\\lista.txt",
         "DialogueListLines": 0, "DialogueListFile": "",
         "Sprites": [{"Interval": 150, "X": 60, "Y": 20, "Width": 40, "Height": 30, "Frames": 4,
                      "Strip": "\\lokacje\\ptak.bmp", "Action": 1, "Sound": "cwir", "Still": 1}],
         "ExerciseSpots": [{"Left": 100, "Top": 200, "Right": 150, "Bottom": 260, "ListFile": "\\cwicz\\town\\tablica.txt"}],
         "WaveEvents": ["dzwon"],
         "AniEvents": [{"Left": 127, "Top": 57, "Height": 100, "Width": 80, "Spare": 0,
                        "Video": "\\lokacje\\balon.avi", "Sound": "wiatr"}]})"},
    {"player", "Ola.txt", "player",
     [](const QString& p) {
       TPlayerFile f = NewPlayerFile("Ola", "2026-12-06", false);
       f.VisitCount = 3;
       f.RedCount = 1;
       f.GreenCount = 2;
       f.PlaceCount[0] = 1;
       f.Results = {{"PREZ=", "\\culture\\1A.fc2", 1, 2}};
       WriteFileAtomic(p, FormatPlayerFile(f));
     },
     R"({"Name": "Ola", "LastPlayDate": "2026-12-06", "VisitCount": 3, "RedCount": 1, "GreenCount": 2,
         "Sex": "Woman", "PlaceCount": [1, 0, 0, 0, 0, 0, 0],
         "Results": [{"Key": "PREZ=", "File": "\\culture\\1A.fc2", "Done": 1, "Points": 2}], "ExtraLines": []})"},
    {"player list", "_Lista_Logowania.txt", "",
     [](const QString& p) { WriteFileAtomic(p, FormatPlayerList({{"Kot", "Żaba"}, {}})); },
     R"({"Names": ["Kot", "Żaba"], "ExtraLines": []})"},
    {"exercise list", "lista.txt", "exercise-list",
     [](const QString& p) {
       WriteFileAtomic(p, WriteListFile({2, {{"PREZ=", "\\town\\a.fc2", 0}, {"PKRZ=", "\\town\\b.fc1", 0}}}, TListKind::Exercises));
     },
     R"({"Count": 2, "Entries": [{"Key": "PREZ=", "File": "\\town\\a.fc2"}, {"Key": "PKRZ=", "File": "\\town\\b.fc1"}]})"},
    {"dialogue list", "a.fc6", "",
     [](const QString& p) { WriteFileAtomic(p, WriteListFile({1, {{"DIAC=", "\\farm\\g.fc9", 0}}}, TListKind::Dialogues)); },
     R"({"Count": 1, "Entries": [{"Key": "DIAC=", "File": "\\farm\\g.fc9"}]})"},
    {"word exercise", "a.fc2", "", [](const QString& p) { SaveWordExerciseFile(p, Words()); },
     R"({"ItemCount": 2,
         "HotSpots": [{"Left": 1, "Top": 2, "Right": 30, "Bottom": 40}, {"Left": 50, "Top": 60, "Right": 70, "Bottom": 80},
                      {"Left":0,"Top":0,"Right":0,"Bottom":0}, {"Left":0,"Top":0,"Right":0,"Bottom":0},
                      {"Left":0,"Top":0,"Right":0,"Bottom":0}, {"Left":0,"Top":0,"Right":0,"Bottom":0},
                      {"Left":0,"Top":0,"Right":0,"Bottom":0}, {"Left":0,"Top":0,"Right":0,"Bottom":0},
                      {"Left":0,"Top":0,"Right":0,"Bottom":0}, {"Left":0,"Top":0,"Right":0,"Bottom":0},
                      {"Left":0,"Top":0,"Right":0,"Bottom":0}, {"Left":0,"Top":0,"Right":0,"Bottom":0},
                      {"Left":0,"Top":0,"Right":0,"Bottom":0}, {"Left":0,"Top":0,"Right":0,"Bottom":0}],
         "WordPositions": [{"X": 5, "Y": 45}, {"X": 55, "Y": 85}, {"X":0,"Y":0}, {"X":0,"Y":0}, {"X":0,"Y":0},
                           {"X":0,"Y":0}, {"X":0,"Y":0}, {"X":0,"Y":0}, {"X":0,"Y":0}, {"X":0,"Y":0},
                           {"X":0,"Y":0}, {"X":0,"Y":0}, {"X":0,"Y":0}, {"X":0,"Y":0}],
         "SoundNumbers": [7, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0],
         "Translations": ["kot", "słońce", "", "", "", "", "", "", "", "", "", "", "", ""],
         "Words": ["a cat", "the sun", "", "", "", "", "", "", "", "", "", "", "", ""],
         "PictureName": "\\town\\a.bmp",
         "ItemUsed": [1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]})"},
    {"word search", "s.fc1", "word-search",
     [](const QString& p) {
       TWordSearch s;
       s.Columns = 3;
       s.Rows = 2;
       s.MarginLeft = s.MarginTop = 10;
       s.WordCount = 1;
       s.Direction[0] = s.Direction[2] = 1;
       s.Partner[0] = 3;
       s.Partner[2] = 1;
       const char* letters = "CATXYZ";
       for (int i = 0; i < 6; ++i) s.Letters[static_cast<size_t>(i)] = QString(QLatin1Char(letters[i]));
       SaveWordSearchFile(p, s);
     },
     R"({"Columns": 3, "Rows": 2, "MarginLeft": 10, "MarginTop": 10, "WordCount": 1, "Grid": ["CAT", "XYZ"],
         "Direction": [1, 0, 1, 0, 0, 0], "Partner": [3, 0, 1, 0, 0, 0], "Letters": ["C", "A", "T", "X", "Y", "Z"]})"},
    {"dialogue", "d.txt", "dialogue",
     [](const QString& p) { SaveDialogueFile(p, {60, 90, "Hej", {{12, "Tom", "Hello!", "Cześć!"}}}); },
     R"({"Left": 60, "Top": 90, "Title": "Hej", "Lines": [{"SoundNo": 12, "Speaker": "Tom", "Text": "Hello!", "Polish": "Cześć!"}]})"},
    {"gap dialogue", "g.fc9", "",
     [](const QString& p) {
       TExchange x;
       x.Parts = {"How", "PYT", "you?", "I am", "fine", "."};
       x.GapPart = 2;
       x.Answers = {"are"};
       SaveGapDialogueFile(p, {"Luki", {x}});
     },
     R"({"Title": "Luki", "Exchanges": [{"FirstNumbers": [0, 0, 0], "FirstHidden": "", "SecondNumber": 0, "SecondHidden": "",
         "Parts": ["How", "PYT", "you?", "I am", "fine", "."], "GapPart": 2, "Answers": ["are"], "ExtraLines": []}]})"},
    {"note", "1A.txt", "note",
     [](const QString& p) { WriteTextLines(p, {"Zapamiętaj: % a duck @ an * egg"}); },
     R"({"Words": ["Zapamiętaj:", "%", "a", "duck", "@", "an", " ", "egg"]})"},
    {"listening choice", "m.txt", "listening-choice",
     [](const QString& p) {
       TListeningChoice c;
       c.Questions = {{301, 2, {"kot", "pies", "ryba"}}, {302, 3, {"a", "b", "c"}}};
       SaveListeningChoiceFile(p, c);
     },
     R"({"QuestionCount": 2, "Questions": [{"WordSound": 301, "RightChoice": 2, "Texts": ["kot", "pies", "ryba"]},
                                           {"WordSound": 302, "RightChoice": 3, "Texts": ["a", "b", "c"]}]})"},
    {"song", "song_3.txt", "song",
     [](const QString& p) { SaveSongFile(p, {{{{300, 200}, {"Hello", "you"}}, {{}, {}}, {{700}, {"Bye"}}}}); },
     R"({"LineCount": 3, "Lines": [{"Times": [300, 200], "Words": ["Hello", "you"], "LineEnd": 500, "LineText": "Hello you "},
         {"Times": [], "Words": [], "LineEnd": 500, "LineText": ""},
         {"Times": [700], "Words": ["Bye"], "LineEnd": 1200, "LineText": "Bye "}]})"},
    {"picture", "b.bmp", "",
     [](const QString& p) {
       QImage img(6, 4, QImage::Format_RGB32);
       img.fill(QColor(255, 0, 255));
       img.setPixel(0, 0, qRgb(1, 2, 3));
       WriteBmp(p, img);
     },
     R"({"Width": 6, "Height": 4, "TopLeft": "#010203", "BottomLeft": "#ff00ff"})"},
    {"wordlist", "Sb_all_NEW.txt", "",
     [](const QString& p) { WriteFileAtomic(p, WriteWordList({{437, "a cat", "kot"}, {12, "to be", "być"}})); },
     R"({"EntryCount": 2, "Entries": [{"Sound": 437, "English": "cat", "Polish": "kot"},
                                      {"Sound": 12, "English": "be", "Polish": "być"}]})"},
    {"sound", "t.wav", "", [](const QString& p) { WriteWave(p, MakeTone(500, 440)); },
     R"({"Rate": 22050, "Channels": 1, "Frames": 11025, "LengthMs": 500})"},
    {"video", "v.avi", "", [](const QString& p) { WriteAvi(p, MakeClipFrames(6, QSize(16, 12)), 12); },
     R"({"Width": 16, "Height": 12, "FrameCount": 6, "FrameRate": "12", "DurationMs": 500, "HasAudio": false})"},
};

INSTANTIATE_TEST_SUITE_P(Formats, DumpRoundTrip,
                         ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) {
                           QString n = QString::fromLatin1(info.param.Name);
                           n.remove(u' ');
                           return n.toStdString();
                         });

TEST(Dump, SettingsGiveTheDataRootAsTheGameReadsIt) {
  QTemporaryDir dir;
  ClearPathCache();
  const QString ini = dir.filePath("tarvo.ini");
  WriteTextLines(ini, {"[Tarvolin]", "cd=" + dir.path() + "/cd  "});
  TDumpResult r = DumpFile(ini);
  EXPECT_EQ(Parse(r.Json)["DataRoot"].toString(), dir.path() + "/cd");
  ASSERT_EQ(r.Notes.size(), 1u);  // no such directory yet: the game would stop
  EXPECT_EQ(r.Notes[0].Line, 2);
  QDir(dir.path()).mkpath("cd");
  ClearPathCache();
  EXPECT_TRUE(DumpFile(ini).Notes.empty());
}

struct TNoteCase {
  const char* Name;
  std::function<void(TLocation&)> Change;
  int Line;
  const char* Says;
};

class LocationWarnings : public ::testing::TestWithParam<TNoteCase> {};

// Place(): header 1-10, walk 11, sound 12, list 13, sprite 14, exercise spot 15, wave 16, video 17.
TEST_P(LocationWarnings, NameTheLineOfTheOddValue) {
  QTemporaryDir dir;
  ClearPathCache();
  TLocation loc = Place();
  GetParam().Change(loc);
  const QString path = dir.filePath("Odd.lok");
  SaveLocationFile(path, loc);
  const TDumpResult r = DumpFile(path);
  ASSERT_EQ(r.Notes.size(), 1u) << r.Json.toStdString();
  EXPECT_EQ(r.Notes[0].Line, GetParam().Line);
  EXPECT_TRUE(r.Notes[0].Message.contains(QLatin1String(GetParam().Says))) << r.Notes[0].Message.toStdString();
  // The odd value itself is shown as it is.
  EXPECT_FALSE(Parse(r.Json).isEmpty());
}

const TNoteCase kNotes[] = {
    {"InvertedWalkSpot", [](TLocation& l) { l.WalkSpots[0].Left = 200; }, 11, "never be hit"},
    {"SoundSpotOfNoWidth", [](TLocation& l) { l.SoundSpots[0].Right = 300; }, 12, "never be hit"},
    {"UnknownAction", [](TLocation& l) { l.Sprites[0].Action = 7; }, 14, "Action 7"},
    {"StillNeitherZeroNorOne", [](TLocation& l) { l.Sprites[0].Still = 2; }, 14, "Still 2"},
    {"SpriteThatNeverSteps", [](TLocation& l) { l.Sprites[0].Interval = 0; }, 14, "Interval 0"},
    {"ExerciseSpotOutside", [](TLocation& l) { l.ExerciseSpots[0] = {600, 10, 700, 20, "\\x.txt"}; }, 15, "outside"},
    {"VideoWindowOfNoSize", [](TLocation& l) { l.AniEvents[0].Width = 0; }, 17, "shows nothing"},
};
INSTANTIATE_TEST_SUITE_P(Odd, LocationWarnings, ::testing::ValuesIn(kNotes),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Dump, PlayerWarningsNameTheirLines) {
  QTemporaryDir dir;
  ClearPathCache();
  TPlayerFile f = NewPlayerFile("Ala", "2026-13-40", true);
  f.Sex = "Boy";
  f.PlaceCount[2] = -1;
  f.Results = {{"XXXX=", "\\a.fc2", 1, 2}};
  f.RedCount = 1;
  const QString path = dir.filePath("Ola.txt");
  WriteFileAtomic(path, FormatPlayerFile(f));
  const TDumpResult r = DumpFile(path, "player");
  QStringList seen;
  for (const TNote& n : r.Notes) seen << QString::number(n.Line) + ": " + n.Message;
  const QStringList expected = {"1: the header names", "1: last play date", "1: sex \"Boy\"", "4: PlaceCount -1",
                                "9: result key \"XXXX=\""};
  for (const QString& e : expected)
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [&](const QString& s) { return s.startsWith(e); }))
        << e.toStdString() << " not in\n" << seen.join('\n').toStdString();
  EXPECT_EQ(seen.size(), expected.size()) << seen.join('\n').toStdString();
}

TEST(Dump, ReaderErrorsNameFileAndLine) {
  QTemporaryDir dir;
  ClearPathCache();
  const QString path = dir.filePath("Zle.lok");
  TLocation loc = Place();
  SaveLocationFile(path, loc);
  QStringList lines = SplitLines(ReadWholeFile(path));
  lines[5] = "Postacie =8";  // more sprites than the screen's seven
  WriteTextLines(path, lines);
  try {
    DumpFile(path);
    FAIL() << "no error";
  } catch (const EFormatError& e) {
    EXPECT_TRUE(e.Message.startsWith(path + ":6:")) << e.Message.toStdString();
  }
  EXPECT_THROW(DumpFile(dir.filePath("a.txt")), EFormatError);  // ambiguous: needs --as
  EXPECT_THROW(DumpFile(path, "no-such-format"), EFormatError);
}

}  // namespace
