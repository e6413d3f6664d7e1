#pragma once
// The help viewer's page: the help document with the exercises' answers folded (HelpAnswers),
// links within it and its history (back, forward), and finding a text in it.
#include <QSet>
#include <QTextBrowser>

namespace tarnwick {

class HelpBrowser : public QTextBrowser {
  Q_OBJECT
 public:
  explicit HelpBrowser(QWidget* parent);

  // Selects the next place of the text after the selection (before it, `backward`), going on
  // from the other end of the document when it runs out. False when the document lacks it.
  bool FindText(const QString& text, bool backward);
  // Opens or closes the answer of that number where it stands, the page keeping its place.
  void ToggleAnswer(int answer);
  const QSet<int>& OpenAnswers() const { return openAnswers_; }

 protected:
  QVariant loadResource(int type, const QUrl& name) override;
  void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

 private:
  QSet<int> openAnswers_;
};

}  // namespace tarnwick
