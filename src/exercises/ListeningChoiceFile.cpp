#include "exercises/ListeningChoiceFile.h"

#include "exercises/ExerciseFiles.h"
#include "platform/Errors.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "platform/Win1250.h"

namespace {

// Only the labels' lengths matter to the reader.
const QString kCountLabel = QStringLiteral("IloscPytan=");  // 11
constexpr int kQuestionLabelLength = 4;                     // "P01="

QString QuestionLabel(int k) {
  return QStringLiteral("P%1=").arg(k, 2, 10, QLatin1Char('0'));
}

void CheckAnswer(const QString& text, int question) {
  const auto fail = [&](const QString& why) {
    throw EFormatError(QStringLiteral("wybór ze słuchu, pytanie %1: odpowiedź '%2' %3")
                           .arg(question)
                           .arg(text, why));
  };
  if (text.contains(u',')) fail(QStringLiteral("nie może zawierać przecinka"));
  if (text.contains(u'\r') || text.contains(u'\n'))
    fail(QStringLiteral("nie może zawierać końca wiersza"));
  if (!CanEncodeWin1250(text)) fail(QStringLiteral("ma znaki spoza strony kodowej 1250"));
}

}  // namespace

TListeningChoice ReadListeningChoice(const QByteArray& bytes, const QString& fileName) {
  TTextReader in(bytes, fileName);
  const int count = StrToInt(in.ReadLine().mid(kCountLabel.size()), fileName, 1);
  if (count < MinChoiceQuestions || count > MaxChoiceQuestions)
    throw EFormatError(Located(fileName, 1,
                               QStringLiteral("liczba pytań = %1, dozwolone %2 do %3")
                                   .arg(count)
                                   .arg(MinChoiceQuestions)
                                   .arg(MaxChoiceQuestions)));
  TListeningChoice choice;
  for (int k = 0; k < count; ++k) {
    const QStringList f = ReadTerminatedFields(in.ReadLine().mid(kQuestionLabelLength), 5, u',');
    const int line = in.LineNo();
    TChoiceQuestion q;
    q.WordSound = StrToInt(f[0], fileName, line);
    q.RightChoice = StrToInt(f[1], fileName, line);
    if (q.RightChoice < 1 || q.RightChoice > ChoiceAnswers)
      throw EFormatError(Located(fileName, line,
                                 QStringLiteral("właściwa odpowiedź = %1, dozwolone 1 do %2")
                                     .arg(q.RightChoice)
                                     .arg(ChoiceAnswers)));
    for (int a = 0; a < ChoiceAnswers; ++a) q.Texts[a] = f[2 + a];
    choice.Questions.push_back(q);
  }
  return choice;
}

QByteArray WriteListeningChoice(const TListeningChoice& choice) {
  const int count = static_cast<int>(choice.Questions.size());
  if (count < MinChoiceQuestions || count > MaxChoiceQuestions)
    throw EFormatError(QStringLiteral("wybór ze słuchu ma %1 pytań, dozwolone %2 do %3")
                           .arg(count)
                           .arg(MinChoiceQuestions)
                           .arg(MaxChoiceQuestions));
  TTextWriter out;
  out.WriteLine(kCountLabel + QString::number(count));
  for (int k = 1; k <= count; ++k) {
    const TChoiceQuestion& q = choice.Questions[k - 1];
    if (q.RightChoice < 1 || q.RightChoice > ChoiceAnswers)
      throw EFormatError(
          QStringLiteral("wybór ze słuchu, pytanie %1: właściwa odpowiedź %2, dozwolone 1 do %3")
              .arg(k)
              .arg(q.RightChoice)
              .arg(ChoiceAnswers));
    QString line = QuestionLabel(k) + QString::number(q.WordSound) + u',' +
                   QString::number(q.RightChoice) + u',';
    for (const QString& text : q.Texts) {
      CheckAnswer(text, k);
      line += text + u',';
    }
    out.WriteLine(line);
  }
  return out.Bytes();
}

void SaveListeningChoiceFile(const QString& path, const TListeningChoice& choice) {
  WriteFileAtomic(path, WriteListeningChoice(choice));
}

TListeningChoice LoadListeningChoiceFile(const QString& path) {
  return ReadListeningChoice(ReadWholeFile(path), path);
}
