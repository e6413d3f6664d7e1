#pragma once
// The exercises' answers in the help viewer. The help document folds each answer in a
// <details> element, which a web browser shows closed; the viewer, which knows no <details>,
// shows in its place a link that opens and closes it.
#include <QSet>
#include <QString>

namespace tarnwick {

// The link's fragment for the answer of that number (in document order, from 0):
// "answer-3"; -1 for a fragment that is no answer's.
QString AnswerFragment(int answer);
int AnswerOfFragment(const QString& fragment);

// The document with every <details><summary>S</summary>BODY</details> in it replaced by a
// link "▶ S" (closed), or by "▼ S" and BODY (open, when its number is in `open`).
QString FoldAnswers(const QString& html, const QSet<int>& open);

}  // namespace tarnwick
