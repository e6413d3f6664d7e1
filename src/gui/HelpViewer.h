#pragma once
#include <QDialog>
#include <QString>

#include "gui/HelpBrowser.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace tarnwick {

class HelpContents;

// The help viewer: a window of its own beside the main window that shows the help file (one
// HTML document, "tarnwick-help.html" or "tarnwick.chm" beside the executable or in the
// installation's shared files). Above the page: back and forward through the pages read, and
// a search field that finds a text in the page (next, previous); beside it the table of
// contents, which follows the reader. Showing the file returns at once.
class HelpViewer : public QDialog {
  Q_OBJECT
 public:
  explicit HelpViewer(QWidget* owner);
  // Opens the file at the element with that id (a function's entry "fn-DateAdd", a statement's
  // "kw-select"); at the top when the id is empty.
  void ShowTopic(const QString& helpFile, const QString& anchor);

  HelpBrowser* Browser() const { return browser_; }
  HelpContents* Contents() const { return contents_; }
  QLineEdit* SearchField() const { return search_; }
  // Finds the search field's text after the selection (before it, `backward`); says so
  // beside the field when the page lacks it.
  void FindNext(bool backward);

 private:
  QWidget* BuildToolBar();

  HelpBrowser* browser_;
  HelpContents* contents_;
  QToolButton* back_ = nullptr;
  QToolButton* forward_ = nullptr;
  QLineEdit* search_ = nullptr;
  QLabel* searchState_ = nullptr;
};

}  // namespace tarnwick
