#include "gui/HelpViewer.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/HelpBrowser.h"
#include "gui/HelpContents.h"

namespace tarnwick {

namespace {

QToolButton* Button(QWidget* parent, const char* name, const char* text, const char* tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(QString::fromUtf8(text));
  button->setToolTip(QString::fromUtf8(tip));
  button->setAutoRaise(true);
  return button;
}

}  // namespace

HelpViewer::HelpViewer(QWidget* owner)
    : QDialog(owner),
      browser_(new HelpBrowser(this)),
      contents_(new HelpContents(*browser_, this)) {
  setObjectName(QStringLiteral("HelpViewer"));
  setWindowTitle(QStringLiteral("Tarnwick ヘルプ"));
  setModal(false);
  setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(contents_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({220, 680});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildToolBar());
  layout->addWidget(splitter, 1);
  resize(900, 640);
}

QWidget* HelpViewer::BuildToolBar() {
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(4, 2, 4, 2);
  back_ = Button(bar, "HelpBack", "◀ 戻る", "前に見ていた場所に戻ります (Alt+←)");
  forward_ = Button(bar, "HelpForward", "進む ▶", "戻る前の場所に進みます (Alt+→)");
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);

  search_ = new QLineEdit(bar);
  search_->setObjectName(QStringLiteral("HelpSearch"));
  search_->setPlaceholderText(QStringLiteral("ページ内を検索 (Ctrl+F)"));
  search_->setClearButtonEnabled(true);
  auto* previous = Button(bar, "HelpFindPrevious", "▲ 前へ", "前を検索します (Shift+F3)");
  auto* next = Button(bar, "HelpFindNext", "▼ 次へ", "次を検索します (Enter、F3)");
  searchState_ = new QLabel(bar);
  searchState_->setObjectName(QStringLiteral("HelpSearchState"));
  connect(search_, &QLineEdit::returnPressed, this, [this] { FindNext(false); });
  connect(search_, &QLineEdit::textChanged, searchState_, &QLabel::clear);
  connect(next, &QToolButton::clicked, this, [this] { FindNext(false); });
  connect(previous, &QToolButton::clicked, this, [this] { FindNext(true); });
  new QShortcut(QKeySequence::Find, this, [this] {
    search_->setFocus();
    search_->selectAll();
  });
  new QShortcut(QKeySequence(Qt::Key_F3), this, [this] { FindNext(false); });
  new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this, [this] { FindNext(true); });

  row->addWidget(back_);
  row->addWidget(forward_);
  row->addSpacing(16);
  row->addWidget(new QLabel(QStringLiteral("検索:"), bar));
  row->addWidget(search_, 1);
  row->addWidget(previous);
  row->addWidget(next);
  row->addWidget(searchState_);
  return bar;
}

void HelpViewer::ShowTopic(const QString& helpFile, const QString& anchor) {
  if (QFileInfo(helpFile).isReadable()) {
    QUrl url = QUrl::fromLocalFile(helpFile);
    if (!anchor.isEmpty()) url.setFragment(anchor);
    browser_->setSource(url, QTextDocument::HtmlResource);
    // The index (table of contents) stands at the document's top.
    if (anchor.isEmpty()) browser_->verticalScrollBar()->setValue(0);
  } else {
    browser_->setHtml(
        QStringLiteral("<p>ヘルプファイル %1 を開けません。</p>").arg(helpFile.toHtmlEscaped()));
  }
  show();
  raise();
  activateWindow();
}

void HelpViewer::FindNext(bool backward) {
  const QString text = search_->text();
  if (text.isEmpty()) {
    searchState_->clear();
    return;
  }
  searchState_->setText(browser_->FindText(text, backward) ? QString()
                                                           : QStringLiteral("見つかりません"));
}

}  // namespace tarnwick
