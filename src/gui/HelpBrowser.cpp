#include "gui/HelpBrowser.h"

#include <QFile>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include "gui/HelpAnswers.h"

namespace tarnwick {

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  setObjectName(QStringLiteral("HelpBrowser"));
  setOpenExternalLinks(true);
}

bool HelpBrowser::FindText(const QString& text, bool backward) {
  if (text.isEmpty()) return false;
  const QTextDocument::FindFlags flags =
      backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  if (find(text, flags)) return true;
  // From the other end of the document, as far as the selection that was.
  const QTextCursor was = textCursor();
  QTextCursor end(document());
  end.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
  setTextCursor(end);
  if (find(text, flags)) return true;
  setTextCursor(was);
  return false;
}

void HelpBrowser::ToggleAnswer(int answer) {
  if (!openAnswers_.remove(answer)) openAnswers_.insert(answer);
  const int place = verticalScrollBar()->value();
  reload();
  verticalScrollBar()->setValue(place);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  if (type == QTextDocument::HtmlResource && name.isLocalFile()) {
    QFile file(name.toLocalFile());
    if (file.open(QIODevice::ReadOnly)) {
      return FoldAnswers(QString::fromUtf8(file.readAll()), openAnswers_);
    }
  }
  return QTextBrowser::loadResource(type, name);
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
  // An answer's link opens or closes it: no page to go to, nothing for the history.
  if (const int answer = AnswerOfFragment(name.fragment()); answer >= 0) {
    ToggleAnswer(answer);
    return;
  }
  QTextBrowser::doSetSource(name, type);
}

}  // namespace tarnwick
