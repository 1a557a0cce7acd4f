#include "platform/Strings.h"

#include <optional>

#include "platform/Errors.h"

namespace {
bool IsBlank(QChar c) { return c.unicode() <= ' '; }

std::optional<int> ParseInt(const QString& text) {
  qsizetype i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return std::nullopt;
  return static_cast<int>(value);
}
}  // namespace

QString TrimLeft(const QString& s) {
  qsizetype b = 0;
  while (b < s.size() && IsBlank(s[b])) ++b;
  return s.mid(b);
}

QString TrimRight(const QString& s) {
  qsizetype e = s.size();
  while (e > 0 && IsBlank(s[e - 1])) --e;
  return s.left(e);
}

QString Trim(const QString& s) { return TrimRight(TrimLeft(s)); }

QString Copy(const QString& s, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0 || index > s.size()) return {};
  return s.mid(index - 1, count);
}

void Delete(QString& s, int index, int count) {
  if (index < 1 || index > s.size() || count <= 0) return;
  s.remove(index - 1, count);
}

int Pos(const QString& sub, const QString& s) {
  if (sub.isEmpty()) return 0;
  return static_cast<int>(s.indexOf(sub)) + 1;
}

bool IsAsciiLetter(QChar c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

QString UpperCase(const QString& s) {
  QString out = s;
  for (QChar& c : out)
    if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - 32);
  return out;
}

QString LowerCase(const QString& s) {
  QString out = s;
  for (QChar& c : out)
    if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 32);
  return out;
}

QString AnsiUpperCase(const QString& s) { return s.toUpper(); }
QString AnsiLowerCase(const QString& s) { return s.toLower(); }

QString Excerpt(const QString& text, int max) {
  QString out = text.left(max);
  for (QChar& c : out)
    if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F)) c = u'?';
  if (text.size() > max) out += u'\u2026';
  return out;
}

QString IntToStr(long long value) { return QString::number(value); }

int StrToInt(const QString& text, const QString& file, int line) {
  if (auto v = ParseInt(text)) return *v;
  throw EConvertError(Located(
      file, line,
      MayQuote(file) ? QStringLiteral("'%1' nie jest poprawną liczbą całkowitą").arg(Excerpt(text))
                     : QStringLiteral("pole nie jest poprawną liczbą całkowitą")));
}

int StrToIntDef(const QString& text, int fallback) { return ParseInt(text).value_or(fallback); }
