#include "gui/HelpViewer.h"

#include <QFileInfo>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tarnwick {

HelpViewer::HelpViewer(QWidget* owner) : QDialog(owner), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpViewer"));
  setWindowTitle(QStringLiteral("Tarnwick ヘルプ"));
  setModal(false);
  setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(640, 560);
}

void HelpViewer::ShowIndex(const QString& helpFile) {
  if (QFileInfo(helpFile).isReadable()) {
    // The document opens at its top, where its index (table of contents) stands.
    browser_->setSource(QUrl::fromLocalFile(helpFile), QTextDocument::HtmlResource);
    browser_->verticalScrollBar()->setValue(0);
  } else {
    browser_->setHtml(
        QStringLiteral("<p>ヘルプファイル %1 を開けません。</p>").arg(helpFile.toHtmlEscaped()));
  }
  show();
  raise();
  activateWindow();
}

}  // namespace tarnwick
