// The demo's source files: plain text, one command per line, indented lines
// belonging to the line above them.
//
//   # a comment (a "#" followed by a space or the line's end)
//   location Start.lok
//     walk 20 150 170 330 target=Sklep.lok sound=drzwi
//     fx drzwi tune "C5/8 G4/8"
//
// Words are separated by blanks; "double quotes" hold blanks (a backslash
// takes the next character as it is); name=value words are named arguments,
// the others positional.
#pragma once

#include <QColor>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

struct TSourceNode {
  QString Command;
  QStringList Args;
  QMap<QString, QString> Named;
  QStringList Flags;  // named words in order, to tell which were given
  std::vector<TSourceNode> Children;
  QString File;
  int Line = 0;

  // EFormatError naming the file and line.
  [[noreturn]] void Fail(const QString& message) const;
  int Count() const { return static_cast<int>(Args.size()); }
  // Positional argument i, or an error naming what is missing.
  const QString& Arg(int i, const char* what) const;
  int Int(int i, const char* what) const;
  bool Has(const QString& key) const { return Named.contains(key); }
  QString Text(const QString& key, const QString& fallback = {}) const { return Named.value(key, fallback); }
  int NamedInt(const QString& key, int fallback) const;
  double NamedReal(const QString& key, double fallback) const;
  QColor NamedColor(const QString& key, QColor fallback) const;
  QColor ColorArg(int i, const char* what) const;
  // "WxH" at position i.
  QSize SizeArg(int i, const char* what) const;
  // A file the source names as its input (a photo, a recording): an absolute
  // path as it is, any other from the source file's folder.
  QString InputFile(const QString& name) const;
  // Fails on a named argument not in `allowed`.
  void Allow(std::initializer_list<const char*> allowed) const;
};

// Parses one source file's text; `fileName` names it in errors.
std::vector<TSourceNode> ParseSource(const QString& text, const QString& fileName);
std::vector<TSourceNode> ReadSourceFile(const QString& path);

// "#rgb", "#rrggbb" or a colour name Qt knows; nullopt-like invalid QColor otherwise.
QColor ParseColor(const QString& text);
