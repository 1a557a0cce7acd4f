// A small JSON value that keeps its members in the order they were added, so
// a dump lists a file's fields in the order the file holds them.
#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class TJson {
 public:
  TJson() = default;  // null
  TJson(int v) : kind_(Kind::Int), int_(v) {}
  TJson(bool v) : kind_(Kind::Bool), bool_(v) {}
  TJson(const QString& v) : kind_(Kind::String), text_(v) {}
  TJson(const char* v) : kind_(Kind::String), text_(QString::fromUtf8(v)) {}
  static TJson Object();
  static TJson Array();
  static TJson Strings(const QStringList& items);
  template <typename Range>
  static TJson Ints(const Range& items) {
    TJson a = Array();
    for (int v : items) a.Append(v);
    return a;
  }

  // Objects: adds a member and returns *this for chaining.
  TJson& Set(const QString& key, TJson value);
  // Arrays: appends an item.
  TJson& Append(TJson value);

  // Indented text; arrays of plain values stay on one line.
  QString ToText(int indent = 0) const;

 private:
  enum class Kind { Null, Bool, Int, String, Array, Object };
  Kind kind_ = Kind::Null;
  bool bool_ = false;
  int int_ = 0;
  QString text_;
  std::vector<TJson> items_;
  std::vector<std::pair<QString, TJson>> members_;
};

// A string with JSON escapes, in quotes.
QString JsonQuote(const QString& text);
