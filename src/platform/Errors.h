// The program's exceptions. Every message names what failed: the file and,
// where known, the line or field.
#pragma once

#include <QString>
#include <exception>
#include <string>

class QFileDevice;

class Exception : public std::exception {
 public:
  explicit Exception(QString message) : Message(std::move(message)), utf8_(Message.toStdString()) {}
  const char* what() const noexcept override { return utf8_.c_str(); }
  QString Message;

 private:
  std::string utf8_;
};

// A file could not be opened, read or written.
class EInOutError : public Exception {
 public:
  using Exception::Exception;
};
// A text was not a number.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
// A file's content breaks its format (counts, sizes, fields).
class EFormatError : public Exception {
 public:
  using Exception::Exception;
};
// A control or value was used in a way it does not allow.
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

// "file:line: message" when the line is known (line > 0), "file: message"
// otherwise; the file as ShownPath writes it.
QString Located(const QString& file, int line, const QString& message);
// Why `file` failed, in Polish for the causes a parent can act on (a missing
// file, no permission, a full disk, a read-only disk); the system's own text
// for the rare others.
QString FileErrorReason(const QFileDevice& file);
// The same for a C library errno.
QString SystemErrorReason(int code);
