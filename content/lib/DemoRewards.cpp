#include "lib/DemoRewards.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>

#include "app/FeedbackFiles.h"
#include "app/Globals.h"
#include "lib/Installation.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "players/FrmDiamentyFiles.h"
#include "players/FrmTopTenFiles.h"
#include "players/PlayerFile.h"
#include "world/Rewards.h"

namespace {

const QColor kOlive(128, 128, 0);  // the diamonds' transparent colour
const QColor kGold(236, 190, 60);
const QColor kGoldDark(150, 105, 20);

QImage Canvas(int w, int h, QColor fill) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(fill);
  return img;
}

void VerticalGradient(QPainter& p, QRect r, QColor top, QColor bottom) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.fillRect(r, g);
}

void Stars(QPainter& p, QRect area, int count, unsigned seed) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    seed = seed * 1103515245u + 12345u;
    const int x = area.left() + static_cast<int>((seed >> 8) % static_cast<unsigned>(area.width()));
    seed = seed * 1103515245u + 12345u;
    const int y = area.top() + static_cast<int>((seed >> 8) % static_cast<unsigned>(area.height()));
    p.setBrush(QColor(255, 255, 220, 120 + static_cast<int>(seed % 120)));
    p.drawEllipse(QPoint(x, y), 1, 1);
  }
}

// A cut gem filling `r`: crown facets on top, a pointed pavilion below.
void Gem(QPainter& p, QRectF r, QColor colour) {
  const double w = r.width(), h = r.height(), x = r.left(), y = r.top();
  const double girdle = y + h * 0.32;
  const QPolygonF outline({QPointF(x + w * 0.25, y), QPointF(x + w * 0.75, y), QPointF(x + w, girdle),
                           QPointF(x + w * 0.5, y + h), QPointF(x, girdle)});
  p.setPen(QPen(colour.darker(180), 1));
  p.setBrush(colour);
  p.drawPolygon(outline);
  p.setBrush(colour.lighter(145));
  p.drawPolygon(QPolygonF({QPointF(x + w * 0.25, y), QPointF(x + w * 0.75, y), QPointF(x + w * 0.62, girdle),
                           QPointF(x + w * 0.38, girdle)}));
  p.setBrush(colour.darker(125));
  p.drawPolygon(QPolygonF({QPointF(x + w * 0.62, girdle), QPointF(x + w, girdle), QPointF(x + w * 0.5, y + h)}));
  p.setPen(QPen(QColor(255, 255, 255, 200), 1));
  p.drawLine(QPointF(x + w * 0.3, y + h * 0.08), QPointF(x + w * 0.42, y + h * 0.08));
}

QImage Diamond(int w, int h, QColor colour) {
  QImage img = Canvas(w, h, kOlive);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  Gem(p, QRectF(1, 2, w - 3, h - 4), colour);
  return img;
}

// The crown: seven empty settings where LayoutCrownDiamonds puts the diamonds.
QImage Crown() {
  QImage img = Canvas(400, 300, Qt::black);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  VerticalGradient(p, img.rect(), QColor(40, 20, 90), QColor(120, 40, 120));
  Stars(p, QRect(0, 0, 400, 60), 40, 7);
  QPainterPath crown;
  crown.moveTo(10, 230);
  crown.lineTo(6, 70);
  crown.lineTo(70, 130);
  crown.lineTo(150, 40);
  crown.lineTo(270, 40);
  crown.lineTo(330, 120);
  crown.lineTo(394, 70);
  crown.lineTo(390, 230);
  crown.closeSubpath();
  QLinearGradient gold(0, 40, 0, 230);
  gold.setColorAt(0, kGold.lighter(120));
  gold.setColorAt(1, kGoldDark);
  p.setPen(QPen(kGoldDark.darker(150), 3));
  p.setBrush(gold);
  p.drawPath(crown);
  p.setBrush(QColor(180, 30, 50));
  p.drawRoundedRect(QRectF(14, 218, 372, 26), 8, 8);
  const QPoint settings[] = {{17, 88}, {135, 64}, {253, 61}, {347, 83}, {88, 156}, {189, 146}, {292, 153}};
  for (QPoint s : settings) {
    p.setPen(QPen(kGoldDark.darker(160), 2));
    p.setBrush(QColor(60, 40, 20));
    p.drawEllipse(QRectF(s.x() - 3, s.y() - 3, 45, 59));
  }
  return img;
}

// The time machine: a dial with seven slots in a row where the diamonds go.
QImage TimeMachine() {
  QImage img = Canvas(400, 300, Qt::black);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  VerticalGradient(p, img.rect(), QColor(10, 30, 60), QColor(20, 80, 110));
  Stars(p, QRect(0, 0, 400, 300), 60, 11);
  p.setPen(QPen(QColor(40, 50, 60), 3));
  p.setBrush(QColor(150, 160, 175));
  p.drawRoundedRect(QRectF(60, 60, 280, 160), 24, 24);
  p.setBrush(QColor(90, 100, 115));
  p.drawRoundedRect(QRectF(108, 88, 194, 56), 10, 10);
  for (int i = 0; i < 7; ++i) {
    const int left = i < 5 ? 122 + 24 * i : 240 + 24 * (i - 5);
    p.setPen(QPen(QColor(30, 30, 40), 1));
    p.setBrush(QColor(30, 35, 45));
    p.drawRect(QRectF(left, 99, 23, 33));
  }
  // Wheels, a lever and a spinning dial.
  p.setBrush(QColor(70, 70, 80));
  for (int x : {110, 290}) p.drawEllipse(QPointF(x, 236), 30, 30);
  p.setBrush(kGold);
  for (int x : {110, 290}) p.drawEllipse(QPointF(x, 236), 10, 10);
  p.setPen(QPen(kGoldDark, 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(330, 90), QPointF(370, 40));
  p.setBrush(QColor(200, 40, 40));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(370, 40), 9, 9);
  p.setPen(QPen(QColor(230, 230, 240), 3));
  p.setBrush(QColor(40, 60, 90));
  p.drawEllipse(QPointF(200, 186), 26, 26);
  p.drawLine(QPointF(200, 186), QPointF(214, 170));
  return img;
}

// The best players' background: a cup over the title (where the authors'
// hot area lies), a board for the ten rows and a plinth for the diamonds button.
QImage TopTen() {
  QImage img = Canvas(640, 480, Qt::black);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  VerticalGradient(p, img.rect(), QColor(20, 30, 80), QColor(70, 30, 90));
  Stars(p, QRect(0, 0, 640, 480), 120, 3);
  // The cup.
  QPainterPath cup;
  cup.moveTo(250, 12);
  cup.lineTo(330, 12);
  cup.cubicTo(330, 60, 310, 70, 290, 74);
  cup.lineTo(290, 84);
  cup.lineTo(306, 88);
  cup.lineTo(274, 88);
  cup.lineTo(290, 84);
  cup.lineTo(290, 74);
  cup.cubicTo(270, 70, 250, 60, 250, 12);
  p.setPen(QPen(kGoldDark, 2));
  p.setBrush(kGold);
  p.drawPath(cup);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kGold, 5));
  p.drawArc(QRectF(230, 18, 30, 30), 90 * 16, 180 * 16);
  p.drawArc(QRectF(320, 18, 30, 30), 270 * 16, 180 * 16);
  // The board.
  p.setPen(QPen(QColor(120, 80, 30), 4));
  p.setBrush(QColor(250, 236, 200));
  p.drawRoundedRect(QRectF(120, 100, 360, 360), 18, 18);
  p.setPen(QPen(QColor(210, 190, 150), 1));
  for (int k = 0; k <= 10; ++k) p.drawLine(QPointF(136, 188 + 24 * k), QPointF(464, 188 + 24 * k));
  p.setBrush(QColor(120, 80, 30));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(500, 366, 56, 12), 4, 4);
  return img;
}

// Spoken Polish from espeak-ng into `path`; false when it is not installed or fails.
bool Speak(const QString& path, const QString& text) {
  static const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
  if (espeak.isEmpty()) return false;
  MakeParentDirs(path);
  const QString real = ResolvePath(path);
  QProcess process;
  process.start(espeak, {QStringLiteral("-v"), QStringLiteral("pl"), QStringLiteral("-s"), QStringLiteral("150"),
                         QStringLiteral("-w"), real, text});
  if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return false;
  NotePathWritten(real);
  return QFile::exists(real);
}

// Notes played one after another (hz, ms); 0 Hz is a rest.
TSoundData Tune(std::initializer_list<std::pair<int, int>> notes) {
  TSoundData out = MakeSilence(0);
  for (const auto& [hz, ms] : notes) {
    const TSoundData part = hz > 0 ? MakeTone(ms, hz, out.Rate, 1, 0.4) : MakeSilence(ms, out.Rate);
    out.Samples.insert(out.Samples.end(), part.Samples.begin(), part.Samples.end());
  }
  return out;
}

struct TFeedback {
  const TScreenFile& File;
  const char* Speech;  // null: always a tune
  std::initializer_list<std::pair<int, int>> Notes;
};

}  // namespace

void WriteRewardPictures(const QString& programDir) {
  WriteBmp(ScreenFilePath(DiamentyFiles::Crown, programDir), Crown());
  WriteBmp(ScreenFilePath(DiamentyFiles::TimeMachine, programDir), TimeMachine());
  WriteBmp(ScreenFilePath(DiamentyFiles::CrownDiamond, programDir),
           Diamond(39, 53, QColor(80, 200, 255)));
  WriteBmp(ScreenFilePath(DiamentyFiles::TimeMachineDiamond, programDir),
           Diamond(24, 34, QColor(120, 230, 255)));
  WriteBmp(ScreenFilePath(TopTenFiles::Background, programDir), TopTen());
}

void WriteFeedbackSounds(const QString& dataRoot, bool speech) {
  static const TFeedback sounds[] = {
      {FeedbackFiles::Right, nullptr, {{880, 90}, {1320, 140}}},
      {FeedbackFiles::Wrong, nullptr, {{220, 120}, {0, 40}, {196, 180}}},
      {FeedbackFiles::Praise[0], "Brawo!", {{784, 120}, {1047, 200}}},
      {FeedbackFiles::Praise[1], "Świetnie!", {{659, 120}, {988, 200}}},
      {FeedbackFiles::Praise[2], "Doskonale!", {{698, 120}, {1047, 200}}},
      {FeedbackFiles::Praise[3], "Wspaniale!", {{784, 120}, {1175, 200}}},
      {FeedbackFiles::Praise[4], "Super!", {{880, 120}, {1319, 200}}},
      {FeedbackFiles::Praise[5], "Znakomicie!", {{587, 120}, {880, 200}}},
      {FeedbackFiles::Praise[6], "Bardzo dobrze!", {{523, 120}, {784, 200}}},
      {FeedbackFiles::Praise[7], "Tak trzymaj!", {{659, 120}, {880, 200}}},
      {FeedbackFiles::Praise[8], "Pięknie!", {{740, 120}, {1109, 200}}},
      {FeedbackFiles::Praise[9], "Rewelacja!", {{831, 120}, {1245, 200}}},
      {FeedbackFiles::FairPraise[0], "Dobrze.", {{523, 200}}},
      {FeedbackFiles::FairPraise[1], "Nieźle.", {{587, 200}}},
      {FeedbackFiles::FairPraise[2], "Całkiem dobrze.", {{659, 200}}},
      {FeedbackFiles::FairPraise[3], "Dobra robota.", {{698, 200}}},
      {FeedbackFiles::FairPraise[4], "Coraz lepiej.", {{784, 200}}},
      {DiamentyFiles::BigDiamond,
       "Wielki diament jest twój!",
       {{523, 150}, {659, 150}, {784, 150}, {1047, 400}}},
      {DiamentyFiles::MoreToCollect,
       "Zbieraj dalej, czekają następne diamenty.",
       {{784, 150}, {659, 250}}},
      {DiamentyFiles::AllCollected,
       "Wszystkie diamenty zebrane! Gratulacje!",
       {{523, 150}, {659, 150}, {784, 150}, {1047, 150}, {1319, 500}}},
  };
  for (const TFeedback& s : sounds) {
    const QString path = ScreenFilePath(s.File, {}, dataRoot);
    if (speech && s.Speech && Speak(path, QString::fromUtf8(s.Speech))) continue;
    WriteWave(path, Tune(s.Notes));
  }
}

void WriteRewardPlayers(const QString& programDir) {
  const QString login = programDir + QStringLiteral("/login/");
  const QString listPath = login + QStringLiteral("_Lista_Logowania.txt");
  TPlayerList list;
  if (FileExists(listPath)) list = ParsePlayerList(ReadWholeFile(listPath));
  const int culture = Places[0].Threshold - 1;
  for (const auto& [name, boy] : {std::pair{QStringLiteral("Ola"), false}, std::pair{QStringLiteral("Kuba"), true}}) {
    TPlayerFile p = NewPlayerFile(name, QStringLiteral("2026-12-01"), boy);
    p.PlaceCount[0] = culture;
    p.RedCount = culture;
    p.GreenCount = 2 * culture;
    MakeParentDirs(login + name + QStringLiteral(".txt"));
    WriteFileAtomic(login + name + QStringLiteral(".txt"), FormatPlayerFile(p));
    if (!list.Names.contains(name)) list.Names << name;
  }
  WriteFileAtomic(listPath, FormatPlayerList(list));
}

void WriteDemoRewards(const TInstallation& inst) {
  WriteRewardPictures(inst.ProgramDir());
  WriteFeedbackSounds(inst.DataRoot(), true);
  WriteRewardPlayers(inst.ProgramDir());
}
