// The program's exceptions. Every message names what failed: the file and,
// where known, the line or field.
#pragma once

#include <QString>
#include <QStringList>
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
// The folders whose files an error message may quote: the program directory
// and the data root, once the game knows them. With none set (the content
// tool, which works on files it is given) every file may be quoted.
void SetQuotableFolders(const QStringList& folders);
// Whether a message about `file` may show a piece of its contents: the file
// lies inside one of those folders after links are resolved. A file reached
// through a link that leads elsewhere is named without its contents.
bool MayQuote(const QString& file);

// Why `file` failed, in Polish for the causes a parent can act on (a missing
// file, no permission, a full disk, a read-only disk); the system's own text
// for the rare others.
QString FileErrorReason(const QFileDevice& file);
// The same for a C library errno.
QString SystemErrorReason(int code);
// A library's own reason, in English, put after the Polish sentence a parent
// reads: " Szczegóły (library): reason"; empty for no reason.
QString LibraryDetails(const char* library, const QString& reason);
