#include "lib/DemoDialogues.h"

#include <QDir>

#include "exercises/ExerciseFiles.h"
#include "exercises/FrmCw5Files.h"
#include "lib/DemoDraw.h"
#include "lib/DemoSound.h"
#include "lib/Installation.h"
#include "lib/Writers.h"
#include "platform/TextFile.h"
#include "world/Dialogues.h"
#include "world/ExerciseList.h"

namespace {

struct TSpoken {
  const char* Speaker;
  const char* English;
  const char* Polish;
};

struct TDemoDialogue {
  const char* File;  // under program\cwicz
  int FirstSound;    // cd\music\dialogi\<n>.wav, one per line
  int Left, Top;
  std::vector<TSpoken> Lines;
};

struct TDemoExchange {
  std::array<const char*, 6> Parts;  // one of them "PYT"
  QStringList Answers;
};

struct TDemoGap {
  const char* File;
  const char* Title;
  std::vector<TDemoExchange> Exchanges;
};

const TDemoDialogue kGreeting = {"\\town\\witaj.txt", 501, 70, 70,
                                 {{"Tom", "Hello! How are you?", "Cześć! Jak się masz?"},
                                  {"Ann", "I am fine, thank you.", "Dobrze, dziękuję."},
                                  {"Tom", "What is your name?", "Jak masz na imię?"},
                                  {"Ann", "My name is Ann.", "Mam na imię Ann."},
                                  {"Tom", "Nice to meet you!", "Miło cię poznać!"}}};

const TDemoGap kGreetingGaps = {"\\town\\luki.fc9", "Uzupełnij rozmowę na rynku.",
                                {{{"How are", "PYT", "?", "I am", "fine", "."}, {"you"}},
                                 {{"What is", "your", "name?", "PYT", "name is", "Ann."}, {"My"}},
                                 {{"Where are", "you", "from?", "I am from", "PYT", "."}, {"Poland", "England"}}}};

const TDemoDialogue kShopping = {"\\shops\\zakupy.txt", 511, 70, 80,
                                 {{"Seller", "Good morning! Can I help you?", "Dzień dobry! W czym mogę pomóc?"},
                                  {"Tom", "Two apples, please.", "Poproszę dwa jabłka."},
                                  {"Seller", "Here you are.", "Proszę bardzo."},
                                  {"Tom", "Thank you. Goodbye!", "Dziękuję. Do widzenia!"}}};

const TDemoGap kShoppingGaps = {"\\shops\\sklep.fc9", "Co mówimy w sklepie?",
                                {{{"Can I", "PYT", "you?", "Two apples,", "please", "."}, {"help"}},
                                 {{"Here", "you", "are.", "Thank", "PYT", "."}, {"you"}}}};

const TDemoDialogue kFamily = {"\\farm\\rodzina_d.txt", 521, 70, 70,
                               {{"Ann", "This is my mother.", "To jest moja mama."},
                                {"Tom", "Who is that man?", "Kim jest ten pan?"},
                                {"Ann", "He is my father.", "To jest mój tata."},
                                {"Tom", "And who is the boy?", "A kim jest chłopiec?"},
                                {"Ann", "He is my brother, Bob.", "To mój brat, Bob."}}};

const TDemoGap kFamilyGaps = {"\\farm\\rodzina.fc9", "Kto to jest?",
                              {{{"Who", "is", "she?", "She is my", "PYT", "."}, {"mother", "mum"}},
                               {{"Who", "is", "he?", "He is my", "PYT", "."}, {"father", "dad"}},
                               {{"Is she your", "PYT", "?", "Yes, she is my", "sister", "."}, {"sister"}}}};

// The family presentation: four people on the farm yard.
struct TPerson {
  const char* Emoji;
  const char* Word;
  const char* Polish;
  int X, Y;  // centre on the picture
};
const TPerson kFamilyPeople[] = {{"👩", "mother", "mama", 110, 200},
                                 {"👨", "father", "tata", 230, 190},
                                 {"👧", "sister", "siostra", 350, 230},
                                 {"👦", "brother", "brat", 460, 220}};
constexpr int kFamilyFirstWord = 101;  // cd\words\D_01.cdr\00101.wav ...

const QString kBackground = QStringLiteral(R"(
fill #f6ecd2
rect 0 0 640 44 #efe0bb
rect 470 0 170 44 #6b4528
rect 575 0 65 480 #6b4528
line 575 0 575 480 #3f2814 width=3
line 0 44 575 44 #b58e57 width=2
rect 18 54 546 412 #687896 radius=14 border=#c9a66b width=3
)");

QString Music(const TInstallation& inst, const QString& name) { return inst.DataRoot() + "/music/" + name + ".wav"; }

TSourceNode Speech(const QString& language, const QString& text, int pitch) {
  TSourceNode n;
  n.Command = QStringLiteral("sound");
  n.Args = {language, text};
  n.Named.insert(QStringLiteral("pitch"), QString::number(pitch));
  n.Flags << QStringLiteral("pitch");
  n.File = QStringLiteral("DemoDialogues");
  return n;
}

void Save(const QString& path, const QByteArray& bytes) {
  MakeParentDirs(path);
  WriteFileAtomic(path, bytes);
}

void WriteDialogue(const TInstallation& inst, TSoundBank& sounds, const TDemoDialogue& demo) {
  TDialogue d;
  d.Left = demo.Left;
  d.Top = demo.Top;
  d.Title = QStringLiteral("Dialog");
  int sound = demo.FirstSound;
  for (const TSpoken& s : demo.Lines) {
    const bool second = QString::fromUtf8(s.Speaker) == QLatin1String("Ann");
    d.Lines.push_back({sound, QString::fromUtf8(s.Speaker), QString::fromUtf8(s.English), QString::fromUtf8(s.Polish)});
    sounds.Add(Music(inst, "dialogi/" + QString::number(sound)), Speech("en", QString::fromUtf8(s.English), second ? 75 : 35), 0);
    ++sound;
  }
  Save(inst.ProgramDir() + "/cwicz" + QString::fromUtf8(demo.File).replace('\\', '/'), WriteDialogue(d));
}

void WriteGaps(const TInstallation& inst, const TDemoGap& demo) {
  TGapDialogue g;
  g.Title = QString::fromUtf8(demo.Title);
  int number = 1;
  for (const TDemoExchange& e : demo.Exchanges) {
    TExchange ex;
    ex.FirstNumbers = {number, 0, 0};
    ex.SecondNumber = number++;
    for (int p = 0; p < ExchangeParts; ++p) {
      ex.Parts[p] = QString::fromUtf8(e.Parts[p]);
      if (ex.Parts[p] == QLatin1String("PYT")) ex.GapPart = p + 1;
    }
    ex.Answers = e.Answers;
    g.Exchanges.push_back(ex);
  }
  Save(inst.ProgramDir() + "/cwicz" + QString::fromUtf8(demo.File).replace('\\', '/'), WriteGapDialogue(g));
}

void WriteList(const TInstallation& inst, const QString& file, const TDemoDialogue& dialogue, const TDemoGap& gaps) {
  const std::vector<TListEntry> entries = {{QStringLiteral("DIAL="), QString::fromUtf8(dialogue.File)},
                                           {QStringLiteral("DIAC="), QString::fromUtf8(gaps.File)}};
  Save(inst.ProgramDir() + file, FormatDialogueList(entries));
}

QImage FamilyPicture() {
  QString scene = QStringLiteral(
      "fill #bfe3f5\n"
      "sun 480 60 34\n"
      "cloud 140 70 120\n"
      "hill 0 250 300 120 #8fcf6e\n"
      "hill 260 240 320 130 #7cc05a\n"
      "grass 280 #6db34f\n"
      "house 380 120 150 130 wall=#e8d2a8 roof=#b0503a door=#6b4528\n");
  for (const TPerson& p : kFamilyPeople)
    scene += QStringLiteral("emoji %1 %2 90 \"%3\"\n").arg(p.X).arg(p.Y).arg(QString::fromUtf8(p.Emoji));
  return DrawPicture(QSize(545, 430), ParseSource(scene, QStringLiteral("DemoDialogues")), {});
}

void WriteFamilyPresentation(const TInstallation& inst, TSoundBank& sounds) {
  TWordExercise ex;
  ex.ItemCount = 4;
  ex.PictureName = QStringLiteral("\\farm\\rodzina.bmp");
  for (int k = 0; k < ex.ItemCount; ++k) {
    const TPerson& p = kFamilyPeople[k];
    ex.HotSpots[k] = {p.X - 45, p.Y - 45, p.X + 45, p.Y + 45};
    // The word sits under its person; the screen adds the picture's offset.
    ex.WordPositions[k] = {p.X - 30, p.Y + 55};
    ex.SoundNumbers[k] = kFamilyFirstWord + k;
    ex.Words[k] = QString::fromUtf8(p.Word);
    ex.Translations[k] = QString::fromUtf8(p.Polish);
    ex.ItemUsed[k] = 1;
    sounds.Add(inst.DataRoot() + QStringLiteral("/words/D_01.cdr/%1.wav").arg(kFamilyFirstWord + k, 5, 10, QChar(u'0')),
               Speech("en", QString::fromUtf8(p.Word), 50), 0);
  }
  WriteBmp(inst.DataRoot() + "/cwicz/farm/rodzina.bmp", FamilyPicture());
  Save(inst.ProgramDir() + "/cwicz/farm/rodzina.fc2", WriteWordExercise(ex));
  WriteList(inst, "/cwicz/farm/rodzina.fc6", kFamily, kFamilyGaps);
  TExerciseListFile farm;
  farm.Entries.push_back({QStringLiteral("PREZ="), QStringLiteral("\\farm\\rodzina.fc2")});
  Save(inst.ProgramDir() + "/cwicz/farm/lista.txt", FormatExerciseList(farm));
}

}  // namespace

void WriteDemoDialogues(const TInstallation& inst, bool speech) {
  TSoundBank sounds(speech);
  WriteBmp(
      inst.PathOf(Cw5Files::Background),
      DrawPicture(QSize(640, 480), ParseSource(kBackground, QStringLiteral("DemoDialogues")), {}));
  for (const TDemoDialogue* d : {&kGreeting, &kShopping, &kFamily}) WriteDialogue(inst, sounds, *d);
  for (const TDemoGap* g : {&kGreetingGaps, &kShoppingGaps, &kFamilyGaps}) WriteGaps(inst, *g);
  WriteList(inst, "/cwicz/town/dialogi.txt", kGreeting, kGreetingGaps);
  WriteList(inst, "/cwicz/shops/dialogi.txt", kShopping, kShoppingGaps);
  WriteFamilyPresentation(inst, sounds);
  sounds.WriteAll();
}
