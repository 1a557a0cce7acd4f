// String rules of the original toolkit. Positions are 1-based; copying or
// deleting past the end clips instead of failing.
#pragma once

#include <QString>

// Removes every character up to and including the space (blanks and control
// characters) at both ends.
QString Trim(const QString& s);
QString TrimLeft(const QString& s);
QString TrimRight(const QString& s);

// Up to `count` characters from the 1-based position `index`.
QString Copy(const QString& s, int index, int count);
// Removes up to `count` characters from the 1-based position `index`.
void Delete(QString& s, int index, int count);
// 1-based position of the first `sub` in `s`, 0 when absent.
int Pos(const QString& sub, const QString& s);

// a-z / A-Z: the letters a child types into an English answer.
bool IsAsciiLetter(QChar c);

// a-z / A-Z only; other letters are left as they are.
QString UpperCase(const QString& s);
QString LowerCase(const QString& s);
// Every letter, Polish ones included.
QString AnsiUpperCase(const QString& s);
QString AnsiLowerCase(const QString& s);

// A file's text as an error message quotes it: at most `max` characters, and
// control characters shown as "?", so a long or binary line can neither
// flood the message nor steer a terminal.
QString Excerpt(const QString& text, int max = 40);

QString IntToStr(long long value);
// An optional sign and decimal digits, nothing else, within 32 bits. The
// error names the text and, when given, the file and line.
int StrToInt(const QString& text, const QString& file = {}, int line = 0);
// As StrToInt, but `fallback` instead of an error.
int StrToIntDef(const QString& text, int fallback);
