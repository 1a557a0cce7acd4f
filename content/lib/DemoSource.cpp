#include "lib/DemoSource.h"

#include <QDir>
#include <QFileInfo>
#include <QSize>

#include "platform/Errors.h"
#include "platform/TextFile.h"

void TSourceNode::Fail(const QString& message) const { throw EFormatError(Located(File, Line, message)); }

const QString& TSourceNode::Arg(int i, const char* what) const {
  if (i >= Args.size()) Fail(QStringLiteral("'%1' needs %2").arg(Command, QLatin1String(what)));
  return Args[i];
}

namespace {
int ToInt(const TSourceNode& n, const QString& text, const QString& what) {
  bool ok = false;
  const int v = text.toInt(&ok);
  if (!ok) n.Fail(QStringLiteral("%1 must be a whole number, not '%2'").arg(what, text));
  return v;
}
}  // namespace

int TSourceNode::Int(int i, const char* what) const { return ToInt(*this, Arg(i, what), QLatin1String(what)); }

int TSourceNode::NamedInt(const QString& key, int fallback) const {
  return Named.contains(key) ? ToInt(*this, Named[key], key) : fallback;
}

double TSourceNode::NamedReal(const QString& key, double fallback) const {
  if (!Named.contains(key)) return fallback;
  bool ok = false;
  const double v = Named[key].toDouble(&ok);
  if (!ok) Fail(QStringLiteral("%1 must be a number, not '%2'").arg(key, Named[key]));
  return v;
}

QString TSourceNode::InputFile(const QString& name) const {
  if (QDir::isAbsolutePath(name) || File.isEmpty()) return name;
  return QFileInfo(File).dir().filePath(name);
}

QColor ParseColor(const QString& text) {
  if (text.startsWith(u'#') && (text.size() == 4 || text.size() == 7)) return QColor(text);
  if (QColor::isValidColorName(text) && !text.startsWith(u'#')) return QColor::fromString(text);
  return {};
}

QColor TSourceNode::NamedColor(const QString& key, QColor fallback) const {
  if (!Named.contains(key)) return fallback;
  const QColor c = ParseColor(Named[key]);
  if (!c.isValid()) Fail(QStringLiteral("%1 is not a colour: '%2'").arg(key, Named[key]));
  return c;
}

QColor TSourceNode::ColorArg(int i, const char* what) const {
  const QColor c = ParseColor(Arg(i, what));
  if (!c.isValid()) Fail(QStringLiteral("%1 is not a colour: '%2'").arg(QLatin1String(what), Args[i]));
  return c;
}

QSize TSourceNode::SizeArg(int i, const char* what) const {
  const QStringList parts = Arg(i, what).split(u'x');
  if (parts.size() != 2) Fail(QStringLiteral("%1 must be WIDTHxHEIGHT, not '%2'").arg(QLatin1String(what), Args[i]));
  const QSize s(ToInt(*this, parts[0], QLatin1String(what)), ToInt(*this, parts[1], QLatin1String(what)));
  if (s.width() <= 0 || s.height() <= 0 || s.width() > 4096 || s.height() > 4096)
    Fail(QStringLiteral("%1 %2 is not a sensible size").arg(QLatin1String(what), Args[i]));
  return s;
}

void TSourceNode::Allow(std::initializer_list<const char*> allowed) const {
  for (auto it = Named.begin(); it != Named.end(); ++it) {
    bool ok = false;
    for (const char* a : allowed) ok = ok || it.key() == QLatin1String(a);
    if (!ok) Fail(QStringLiteral("'%1' takes no %2=").arg(Command, it.key()));
  }
}

namespace {

// Splits a line into words, each with whether it began with a quote (a
// quoted word is never a name=value word); quoted words keep their blanks.
struct TWord {
  QString Text;
  bool Quoted = false;
};

std::vector<TWord> Words(const QString& line, const QString& file, int lineNo) {
  std::vector<TWord> words;
  qsizetype i = 0;
  const qsizetype n = line.size();
  while (i < n) {
    while (i < n && line[i].isSpace()) ++i;
    if (i >= n) break;
    if (line[i] == u'#' && (i + 1 >= n || line[i + 1].isSpace())) break;  // comment
    TWord word;
    word.Quoted = line[i] == u'"';
    bool inQuotes = false;
    while (i < n && (inQuotes || !line[i].isSpace())) {
      const QChar c = line[i];
      if (c == u'"') {
        inQuotes = !inQuotes;
      } else if (inQuotes && c == u'\\' && i + 1 < n) {
        word.Text += line[++i];
      } else {
        word.Text += c;
      }
      ++i;
    }
    if (inQuotes) throw EFormatError(Located(file, lineNo, QStringLiteral("a quote is not closed")));
    words.push_back(word);
  }
  return words;
}

bool IsNamed(const QString& word, QString& key, QString& value) {
  const qsizetype eq = word.indexOf(u'=');
  // "PREZ=" (a list key) has nothing after its "=" and stays a plain word.
  if (eq <= 0 || eq == word.size() - 1) return false;
  for (qsizetype i = 0; i < eq; ++i)
    if (!(word[i].isLetterOrNumber() || word[i] == u'-' || word[i] == u'_')) return false;
  key = word.left(eq);
  value = word.mid(eq + 1);
  return true;
}

}  // namespace

std::vector<TSourceNode> ParseSource(const QString& text, const QString& fileName) {
  std::vector<TSourceNode> top;
  // The open nodes by their indentation, outermost first.
  std::vector<std::pair<int, TSourceNode*>> open;
  const QStringList lines = text.split(u'\n');
  for (qsizetype li = 0; li < lines.size(); ++li) {
    QString line = lines[li];
    if (line.endsWith(u'\r')) line.chop(1);
    const int lineNo = static_cast<int>(li + 1);
    const std::vector<TWord> words = Words(line, fileName, lineNo);
    if (words.empty()) continue;
    int indent = 0;
    while (indent < line.size() && (line[indent] == u' ' || line[indent] == u'\t'))
      indent += line[indent] == u'\t' ? 8 - indent % 8 : 1;
    TSourceNode node;
    node.File = fileName;
    node.Line = lineNo;
    node.Command = words[0].Text;
    for (size_t w = 1; w < words.size(); ++w) {
      QString key, value;
      if (!words[w].Quoted && IsNamed(words[w].Text, key, value)) {
        if (node.Named.contains(key)) node.Fail(QStringLiteral("%1= is given twice").arg(key));
        node.Named[key] = value;
        node.Flags << key;
      } else {
        node.Args << words[w].Text;
      }
    }
    while (!open.empty() && open.back().first >= indent) open.pop_back();
    std::vector<TSourceNode>& into = open.empty() ? top : open.back().second->Children;
    into.push_back(std::move(node));
    open.emplace_back(indent, &into.back());
    // Pointers into a vector that grows: re-point every open level after a push.
    TSourceNode* parent = nullptr;
    for (auto& level : open) {
      std::vector<TSourceNode>& list = parent ? parent->Children : top;
      level.second = &list.back();
      parent = level.second;
    }
  }
  return top;
}

std::vector<TSourceNode> ReadSourceFile(const QString& path) {
  return ParseSource(QString::fromUtf8(ReadWholeFile(path)), path);
}
