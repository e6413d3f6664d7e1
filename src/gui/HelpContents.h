#pragma once
// The help viewer's table of contents: the document's headings (h2 to h4) as a tree beside the
// page. A click goes to the heading (through the page's history when the heading has an id);
// while the reader scrolls, the heading of the part in view is selected.
#include <QTextBlock>
#include <QTreeWidget>
#include <vector>

namespace tarnwick {

class HelpBrowser;

class HelpContents : public QTreeWidget {
  Q_OBJECT
 public:
  HelpContents(HelpBrowser& page, QWidget* parent);

  // The headings of the page's document, anew (after a document was loaded).
  void Rebuild();
  // Selects the heading of the part of the document at the top of the page.
  void Follow();

 private:
  void GoTo(QTreeWidgetItem* item);

  struct Heading {
    QTextBlock block;
    QTreeWidgetItem* item;
  };
  HelpBrowser& page_;
  std::vector<Heading> headings_;
};

}  // namespace tarnwick
