// Windows-1250 text files. Lines end with CR LF, LF or a lone CR; reading past
// the end yields empty lines, as the original's line reads did. Writing always
// produces CR LF and replaces the file atomically.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class TTextReader {
 public:
  // Reads the whole file through ReadWholeFile; EInOutError names the file.
  static TTextReader FromFile(const QString& path);
  TTextReader(const QByteArray& bytes, QString fileName = {});

  QString ReadLine();
  // Moves over `count` lines; past the end only the line number moves, so a
  // count from a file costs no more than the file's own lines.
  void Skip(qint64 count);
  bool Eof() const { return pos_ >= bytes_.size(); }
  // 1-based number of the line last read (0 before the first read), at most INT_MAX.
  int LineNo() const;
  const QString& FileName() const { return fileName_; }

 private:
  QByteArray bytes_;
  QString fileName_;
  qsizetype pos_ = 0;
  qint64 line_ = 0;
  // Moves past the current line; returns where its text ends.
  qsizetype Advance();
};

class TTextWriter {
 public:
  void WriteLine(const QString& line);
  const QByteArray& Bytes() const { return bytes_; }
  // Writes the collected lines to `path` atomically.
  void SaveTo(const QString& path) const;

 private:
  QByteArray bytes_;
};

// Writes `bytes` to a temporary file next to `path`, flushes it to disk,
// renames it over `path` and flushes the directory, so a crash or a power cut
// leaves either the old or the new file. A symbolic link at `path` is
// replaced, never written through. The temporary's name is unique; those an
// earlier crash left beside `path` are removed once they are an hour old, so
// another game's write in progress in a shared folder is never disturbed. EInOutError names the
// file. With `exactName` only the directories are matched without regard to case and the file gets
// the name as spelled, so a new file can sit beside one whose name differs
// only in case.
void WriteFileAtomic(const QString& path, const QByteArray& bytes, bool exactName = false);

// What a file holds decides how large it may be. A child's installation may
// come from anywhere, so no reader trusts a file's size or type.
enum class TFileKind { Text, Record, Picture, Sound, Video };
qint64 FileSizeCap(TFileKind kind);
// Reads a whole file through the path resolver. Only regular files are read
// (a FIFO would block, a device never end) and none larger than its kind's
// cap; EInOutError names the file.
QByteArray ReadWholeFile(const QString& path, TFileKind kind = TFileKind::Text);
// The first `maxBytes` of a regular file, however large it is: a record needs
// only its own bytes.
QByteArray ReadFileHead(const QString& path, qint64 maxBytes);
// The real path of a file that a library opens by name, after the same checks
// as ReadWholeFile.
QString CheckedFilePath(const QString& path, TFileKind kind);
