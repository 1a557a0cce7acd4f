// Reading and writing the binary exercise records: fixed-size records of
// little-endian 32-bit integers, bytes and length-prefixed Windows-1250 texts
// in fixed fields. Errors name the file (or the kind of record) and the field.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <cstdint>

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Win1250.h"

class RecordReader {
 public:
  // A file shorter than `size` is refused; bytes after the record are ignored.
  RecordReader(const QByteArray& bytes, QString file, int size)
      : bytes_(bytes), file_(std::move(file)) {
    if (bytes_.size() < size)
      throw EInOutError(QStringLiteral("Plik %1 jest za krótki: %2 bajtów, rekord ma %3")
                            .arg(ShownPath(file_))
                            .arg(bytes_.size())
                            .arg(size));
  }
  int Int(int offset) const { return qFromLittleEndian<qint32>(bytes_.constData() + offset); }
  std::uint8_t Byte(int offset) const { return static_cast<std::uint8_t>(bytes_[offset]); }
  std::int8_t SignedByte(int offset) const { return static_cast<std::int8_t>(bytes_[offset]); }
  // A length byte and up to `fieldSize` - 1 characters; a longer length is clamped.
  QString Text(int offset, int fieldSize) const {
    const int length = std::min<int>(Byte(offset), fieldSize - 1);
    return DecodeWin1250(bytes_.constData() + offset + 1, length);
  }
  [[noreturn]] void Fail(const QString& field, const QString& message) const {
    throw EFormatError(QStringLiteral("%1, pole %2: %3").arg(ShownPath(file_), field, message));
  }
  const QString& File() const { return file_; }

 private:
  const QByteArray& bytes_;
  QString file_;
};

class RecordWriter {
 public:
  RecordWriter(int size, QString what) : bytes_(size, '\0'), what_(std::move(what)) {}
  void Int(int offset, int value) { qToLittleEndian<qint32>(value, bytes_.data() + offset); }
  void Byte(int offset, std::uint8_t value) { bytes_[offset] = static_cast<char>(value); }
  void Text(int offset, int fieldSize, const QString& text, const QString& field) {
    if (text.size() > fieldSize - 1)
      Fail(field,
           QStringLiteral("tekst '%1' jest dłuższy niż %2 znaków").arg(text).arg(fieldSize - 1));
    if (!CanEncodeWin1250(text))
      Fail(field, QStringLiteral("tekst '%1' ma znaki spoza strony kodowej 1250").arg(text));
    const QByteArray encoded = EncodeWin1250(text);
    Byte(offset, static_cast<std::uint8_t>(encoded.size()));
    std::copy(encoded.begin(), encoded.end(), bytes_.begin() + offset + 1);
  }
  [[noreturn]] void Fail(const QString& field, const QString& message) const {
    throw EFormatError(QStringLiteral("%1, pole %2: %3").arg(what_, field, message));
  }
  const QByteArray& Bytes() const { return bytes_; }

 private:
  QByteArray bytes_;
  QString what_;
};

// "Name[item]" for field names in errors.
inline QString RecordField(const char* name, int item) {
  return QStringLiteral("%1[%2]").arg(QLatin1String(name)).arg(item);
}
