#pragma once
#include <QDialog>
#include <QString>

class QTextBrowser;

namespace tarnwick {

// The help viewer: a window of its own beside the main window that shows the help file (one
// HTML document, "tarnwick-help.html" or "tarnwick.chm" beside the executable or in the
// installation's shared files) and follows its links. Showing the file opens it on its index
// at the top and returns at once.
class HelpViewer : public QDialog {
  Q_OBJECT
 public:
  explicit HelpViewer(QWidget* owner);
  void ShowIndex(const QString& helpFile);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace tarnwick
