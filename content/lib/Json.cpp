#include "lib/Json.h"

TJson TJson::Object() {
  TJson j;
  j.kind_ = Kind::Object;
  return j;
}

TJson TJson::Array() {
  TJson j;
  j.kind_ = Kind::Array;
  return j;
}

TJson TJson::Strings(const QStringList& items) {
  TJson a = Array();
  for (const QString& s : items) a.Append(s);
  return a;
}

TJson& TJson::Set(const QString& key, TJson value) {
  members_.emplace_back(key, std::move(value));
  return *this;
}

TJson& TJson::Append(TJson value) {
  items_.push_back(std::move(value));
  return *this;
}

QString JsonQuote(const QString& text) {
  QString out = QStringLiteral("\"");
  for (QChar c : text) {
    switch (c.unicode()) {
      case '"': out += QStringLiteral("\\\""); break;
      case '\\': out += QStringLiteral("\\\\"); break;
      case '\n': out += QStringLiteral("\\n"); break;
      case '\r': out += QStringLiteral("\\r"); break;
      case '\t': out += QStringLiteral("\\t"); break;
      default:
        if (c.unicode() < 0x20)
          out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
          out += c;
    }
  }
  return out + QLatin1Char('"');
}

QString TJson::ToText(int indent) const {
  const QString pad(indent + 2, QLatin1Char(' ')), close(indent, QLatin1Char(' '));
  switch (kind_) {
    case Kind::Null: return QStringLiteral("null");
    case Kind::Bool: return bool_ ? QStringLiteral("true") : QStringLiteral("false");
    case Kind::Int: return QString::number(int_);
    case Kind::String: return JsonQuote(text_);
    case Kind::Array: {
      if (items_.empty()) return QStringLiteral("[]");
      bool flat = true;
      for (const TJson& i : items_) flat = flat && i.kind_ != Kind::Array && i.kind_ != Kind::Object;
      QStringList parts;
      for (const TJson& i : items_) parts << (flat ? i.ToText() : pad + i.ToText(indent + 2));
      return flat ? QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']')
                  : QStringLiteral("[\n") + parts.join(QStringLiteral(",\n")) + QLatin1Char('\n') + close +
                        QLatin1Char(']');
    }
    case Kind::Object: {
      if (members_.empty()) return QStringLiteral("{}");
      // A small record of plain values reads best on one line.
      bool flat = true;
      for (const auto& m : members_) flat = flat && m.second.kind_ != Kind::Array && m.second.kind_ != Kind::Object;
      if (flat) {
        QStringList inline_;
        for (const auto& [key, value] : members_) inline_ << JsonQuote(key) + QStringLiteral(": ") + value.ToText();
        const QString line = QStringLiteral("{") + inline_.join(QStringLiteral(", ")) + QLatin1Char('}');
        if (indent > 0 && line.size() + indent <= 160) return line;
      }
      QStringList parts;
      for (const auto& [key, value] : members_)
        parts << pad + JsonQuote(key) + QStringLiteral(": ") + value.ToText(indent + 2);
      return QStringLiteral("{\n") + parts.join(QStringLiteral(",\n")) + QLatin1Char('\n') + close +
             QLatin1Char('}');
    }
  }
  return {};
}
