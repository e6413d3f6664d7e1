#include "gui/HelpAnswers.h"

#include <QRegularExpression>

namespace tarnwick {

namespace {
const QString kAnswerPrefix = QStringLiteral("answer-");
}  // namespace

QString AnswerFragment(int answer) { return kAnswerPrefix + QString::number(answer); }

int AnswerOfFragment(const QString& fragment) {
  if (!fragment.startsWith(kAnswerPrefix)) return -1;
  bool isNumber = false;
  const int answer = fragment.mid(kAnswerPrefix.size()).toInt(&isNumber);
  return isNumber && answer >= 0 ? answer : -1;
}

QString FoldAnswers(const QString& html, const QSet<int>& open) {
  static const QRegularExpression kDetails(
      QStringLiteral("<details>\\s*<summary>(.*?)</summary>(.*?)</details>"),
      QRegularExpression::DotMatchesEverythingOption);
  QString folded;
  folded.reserve(html.size());
  qsizetype copied = 0;
  int answer = 0;
  for (auto it = kDetails.globalMatch(html); it.hasNext(); ++answer) {
    const QRegularExpressionMatch match = it.next();
    folded += QStringView(html).mid(copied, match.capturedStart() - copied);
    const bool isOpen = open.contains(answer);
    folded += QStringLiteral("<p class=\"answer\"><a href=\"#%1\">%2 %3</a></p>")
                  .arg(AnswerFragment(answer), isOpen ? QStringLiteral("▼") : QStringLiteral("▶"),
                       match.captured(1));
    if (isOpen) folded += match.captured(2);
    copied = match.capturedEnd();
  }
  folded += QStringView(html).mid(copied);
  return folded;
}

}  // namespace tarnwick
