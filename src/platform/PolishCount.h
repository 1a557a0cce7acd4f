// A number with its noun in the Polish form it takes: "1 plik", "3 pliki", "12 plików".
#pragma once

#include <QString>

// One form for 1, another for 2-4 (but not 12-14), a third otherwise; the forms are UTF-8.
inline QString PolishCount(int n, const char* one, const char* few, const char* many) {
  const bool isFew = n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14);
  return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : isFew ? few : many));
}
