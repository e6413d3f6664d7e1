#pragma once
// F1 in the SQL pane: the help's entry for the word at the caret.
#include <QString>
#include <functional>

class QPlainTextEdit;

namespace tarnwick {

// The id of the help's entry for the word at `position` of the text (the caret may stand
// within the word or just after it): "fn-" and Jet's spelling for a function of the library
// (Left$ and LEFT give "fn-Left"), the entry of the statement, clause, operator or type a
// keyword belongs to ("kw-select" for FROM), else empty (the help's top).
QString HelpAnchorAt(const QString& text, int position);

// Every id HelpAnchorAt gives for a keyword, for the help's test.
QStringList KeywordAnchors();

// Binds F1 in the pane: it calls `show` with the entry for the word at the caret.
void InstallContextHelp(QPlainTextEdit& pane, std::function<void(const QString& anchor)> show);

}  // namespace tarnwick
