#include "world/ExerciseList.h"

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"

const std::array<QString, 12> DialogueLinkFiles = {
    QStringLiteral("\\liblary\\7Aa.fc2"),     QStringLiteral("\\liblary\\7Cacb1.fc2"),
    QStringLiteral("\\liblary\\irr_ver.fc2"), QStringLiteral("\\liblary\\irr_plu.fc2"),
    QStringLiteral("\\school\\5Ba.fc2"),      QStringLiteral("\\school\\5D.fc2"),
    QStringLiteral("\\liblary\\tobe1.fc2"),   QStringLiteral("\\house\\6Cb.fc2"),
    QStringLiteral("\\house\\6Da.fc2"),       QStringLiteral("\\house\\6Db.fc2"),
    QStringLiteral("\\farm\\rodzina.fc2"),    QStringLiteral("\\farm\\3Ee.fc2"),
};

const std::array<QString, 27> RememberFiles = {
    QStringLiteral("\\culture\\1A.fc2"),  QStringLiteral("\\culture\\1Ba.fc2"),
    QStringLiteral("\\culture\\1Ca.fc2"), QStringLiteral("\\culture\\1Dc.fc2"),
    QStringLiteral("\\culture\\1E.fc2"),  QStringLiteral("\\shops\\2Aa.fc2"),
    QStringLiteral("\\shops\\2Ab.fc2"),   QStringLiteral("\\shops\\2Ba.fc2"),
    QStringLiteral("\\shops\\2Ca.fc2"),   QStringLiteral("\\shops\\2Cb.fc2"),
    QStringLiteral("\\shops\\2Dc.fc2"),   QStringLiteral("\\farm\\3Fb.fc2"),
    QStringLiteral("\\farm\\3Fc.fc2"),    QStringLiteral("\\town\\4Cb.fc2"),
    QStringLiteral("\\town\\4Da.fc2"),    QStringLiteral("\\school\\5.fc2"),
    QStringLiteral("\\school\\5A.fc2"),   QStringLiteral("\\school\\5Bb.fc2"),
    QStringLiteral("\\school\\5Ca.fc2"),  QStringLiteral("\\school\\5Cb.fc2"),
    QStringLiteral("\\school\\5Cc.fc2"),  QStringLiteral("\\school\\5D.fc2"),
    QStringLiteral("\\house\\6Ba.fc2"),   QStringLiteral("\\house\\6Bb.fc2"),
    QStringLiteral("\\house\\6Ca.fc2"),   QStringLiteral("\\house\\6Da.fc2"),
    QStringLiteral("\\shops\\2Bb.fc2"),
};

TExerciseListFile ParseExerciseList(const QByteArray& bytes, const QString& fileName) {
  TTextReader reader(bytes, fileName);
  const QString first = reader.ReadLine();
  const int count = StrToInt(first.mid(ListLabelLength), fileName, 1);
  if (count < 1 || count > MaxExercises)
    throw EFormatError(Located(fileName, 1,
                               QStringLiteral("liczba ćwiczeń %1 poza zakresem 1 … %2").arg(count).arg(MaxExercises)));
  TExerciseListFile list;
  list.Entries.reserve(count);
  for (int i = 1; i <= count; ++i) {
    if (reader.Eof())
      throw EFormatError(Located(fileName, i + 1,
                                 QStringLiteral("brak ćwiczenia %1 z %2 zapowiedzianych").arg(i).arg(count)));
    const QString line = reader.ReadLine();
    const QString file = line.mid(ListKeyLength);
    if (const QString problem = ClimbingNameProblem(file, fileName); !problem.isEmpty())
      throw EFormatError(Located(fileName, reader.LineNo(), problem));
    list.Entries.push_back(TListEntry{UpperCase(line.left(ListKeyLength)), file});
  }
  return list;
}

QByteArray FormatExerciseList(const TExerciseListFile& list) {
  TTextWriter w;
  w.WriteLine(QStringLiteral("Cwiczenia: ") + IntToStr(static_cast<long long>(list.Entries.size())));
  for (const TListEntry& e : list.Entries) w.WriteLine(e.Key + e.File);
  return w.Bytes();
}

TExerciseScreen ScreenForKey(const QString& key) {
  static const std::array<std::pair<const char*, TExerciseScreen>, 8> keys = {{
      {"PREZ=", TExerciseScreen::Presentation},
      {"DDRO=", TExerciseScreen::Dragging},
      {"WRYS=", TExerciseScreen::Listening},
      {"ULIT=", TExerciseScreen::LetterGrid},
      {"KRZY=", TExerciseScreen::Crossword},
      {"PKRZ=", TExerciseScreen::WordSearch},
      {"MOST=", TExerciseScreen::ListeningChoice},
      {"LILI=", TExerciseScreen::LilyPads},
  }};
  for (const auto& [name, screen] : keys)
    if (key == QLatin1String(name)) return screen;
  return TExerciseScreen::Unknown;
}
