// Windows-1250, the 8-bit code page of every text and binary string the game
// reads and writes. Kept as our own table so that decoding never depends on
// which codecs the toolkit was built with.
#pragma once

#include <QByteArray>
#include <QString>

QString DecodeWin1250(const char* data, qsizetype size);
inline QString DecodeWin1250(const QByteArray& bytes) {
  return DecodeWin1250(bytes.constData(), bytes.size());
}
// Characters without a Windows-1250 byte become '?'.
QByteArray EncodeWin1250(const QString& text);
bool CanEncodeWin1250(const QString& text);
