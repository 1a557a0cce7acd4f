// The last-play date of a player file as signing in reads it: the header's
// date field (or, when the header does not parse, the whole first line) is a
// real date that writes back to itself, or a conversion error; the greeting
// it chooses is always one of the three.
#include <QDate>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "players/FrmLogin.h"
#include "players/FrmLoginFiles.h"
#include "players/PlayerFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QString text;
  int visits = 0;
  try {
    const TPlayerFile p = ParsePlayerFile(bytes, QStringLiteral("fuzz.txt"));
    text = p.LastPlayDate;
    visits = p.VisitCount;
  } catch (const Exception&) {
    text = TTextReader(bytes).ReadLine();
  }
  try {
    const QDate date = StrToDate(text, QStringLiteral("fuzz.txt"));
    if (!date.isValid()) std::abort();
    if (StrToDate(date.toString(QStringLiteral("yyyy-MM-dd")), QStringLiteral("again.txt")) != date)
      std::abort();
    for (const QDate& today : {date, date.addDays(8), QDate(2026, 12, 7), QDate(1, 1, 1)}) {
      const TScreenFile* greeting = &GreetingSound(date, today, visits);
      if (greeting != &LoginFiles::AfterAWeek && greeting != &LoginFiles::OddVisit &&
          greeting != &LoginFiles::EvenVisit)
        std::abort();
    }
  } catch (const EConvertError&) {
  }
  return 0;
}
