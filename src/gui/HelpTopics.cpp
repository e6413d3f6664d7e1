#include "gui/HelpTopics.h"

#include <QPlainTextEdit>
#include <QShortcut>
#include <algorithm>

#include "jet/functions/JetFunctions.h"

namespace tarnwick {

namespace {

// The entries of the help that explain Jet SQL's keywords: each with its keywords.
struct KeywordTopic {
  const char* anchor;
  const char* keywords;  // separated by spaces
};

constexpr KeywordTopic kKeywordTopics[] = {
    {"kw-select", "SELECT FROM AS"},
    {"kw-where", "WHERE"},
    {"kw-orderby", "ORDER ASC DESC"},
    {"kw-groupby", "GROUP BY"},
    {"kw-having", "HAVING"},
    {"kw-top", "TOP PERCENT"},
    {"kw-distinct", "DISTINCT DISTINCTROW"},
    {"kw-join", "JOIN INNER LEFT RIGHT OUTER ON"},
    {"kw-subquery", "EXISTS ANY SOME ALL"},
    {"kw-union", "UNION"},
    {"kw-transform", "TRANSFORM PIVOT"},
    {"kw-insert", "INSERT INTO VALUES"},
    {"kw-update", "UPDATE SET"},
    {"kw-delete", "DELETE"},
    {"kw-createtable", "CREATE TABLE"},
    {"kw-constraint", "CONSTRAINT PRIMARY KEY FOREIGN REFERENCES UNIQUE CHECK DEFAULT"},
    {"kw-altertable", "ALTER ADD COLUMN"},
    {"kw-drop", "DROP"},
    {"kw-index", "INDEX WITH DISALLOW IGNORE"},
    {"kw-view", "VIEW"},
    {"kw-procedure", "PROCEDURE EXECUTE EXEC PARAMETERS"},
    {"kw-transaction", "BEGIN TRANSACTION COMMIT ROLLBACK WORK"},
    {"op-like", "LIKE"},
    {"op-between", "BETWEEN"},
    {"op-in", "IN"},
    {"op-null", "IS NULL"},
    {"op-logic", "AND OR NOT XOR EQV IMP"},
    {"op-arithmetic", "MOD"},
    {"types",
     "TRUE FALSE TEXT CHAR VARCHAR MEMO BYTE SHORT SMALLINT LONG INTEGER INT COUNTER "
     "AUTOINCREMENT CURRENCY MONEY SINGLE REAL DOUBLE FLOAT DECIMAL NUMERIC DATETIME DATE YESNO "
     "BIT BINARY GUID"},
};

bool IsWordCharacter(QChar c) {
  return (c.unicode() < 0x80 && (c.isLetterOrNumber() || c == u'_')) || c == u'$';
}

struct Word {
  QString text;
  bool called = false;  // a "(" follows: a function's call
};

Word WordAt(const QString& text, int position) {
  int begin = std::clamp(position, 0, static_cast<int>(text.size()));
  while (begin > 0 && IsWordCharacter(text[begin - 1])) --begin;
  int end = begin;
  while (end < text.size() && IsWordCharacter(text[end])) ++end;
  int after = end;
  while (after < text.size() && text[after].isSpace()) ++after;
  return {text.mid(begin, end - begin), after < text.size() && text[after] == u'('};
}

QString KeywordAnchor(const QString& word) {
  for (const KeywordTopic& topic : kKeywordTopics) {
    const QStringList keywords = QString::fromLatin1(topic.keywords).split(u' ');
    if (keywords.contains(word, Qt::CaseInsensitive)) return QString::fromLatin1(topic.anchor);
  }
  return {};
}

}  // namespace

// A word that is both (LEFT JOIN and Left(...), the type DATE and Date()) is a function where
// it is called, a keyword elsewhere.
QString HelpAnchorAt(const QString& text, int position) {
  const Word word = WordAt(text, position);
  if (word.text.isEmpty()) return {};
  const JetFunction* function = FindJetFunction(word.text.toStdString());
  const QString keyword = KeywordAnchor(word.text);
  if (function != nullptr && (word.called || keyword.isEmpty())) {
    return QStringLiteral("fn-") + QString::fromUtf8(function->name);
  }
  return keyword;
}

QStringList KeywordAnchors() {
  QStringList anchors;
  for (const KeywordTopic& topic : kKeywordTopics) anchors << QString::fromLatin1(topic.anchor);
  return anchors;
}

void InstallContextHelp(QPlainTextEdit& pane, std::function<void(const QString& anchor)> show) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &pane);
  key->setContext(Qt::WidgetShortcut);
  QObject::connect(key, &QShortcut::activated, &pane, [&pane, show = std::move(show)] {
    show(HelpAnchorAt(pane.toPlainText(), pane.textCursor().position()));
  });
}

}  // namespace tarnwick
