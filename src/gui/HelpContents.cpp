#include "gui/HelpContents.h"

#include <QAbstractTextDocumentLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QTextDocument>
#include <QTimer>

#include "gui/HelpBrowser.h"

namespace tarnwick {

namespace {

constexpr int kTopLevel = 2;      // h2: the document's parts (h1 is its title)
constexpr int kDeepestLevel = 4;  // h4: a function's or a statement's entry
constexpr int kAnchorRole = Qt::UserRole;

// The id of the heading or of the element it opens, where the document's links can lead.
QString AnchorOf(const QTextBlock& block) {
  QStringList names = block.charFormat().anchorNames();
  for (auto it = block.begin(); !it.atEnd(); ++it)
    names += it.fragment().charFormat().anchorNames();
  return names.value(0);
}

}  // namespace

HelpContents::HelpContents(HelpBrowser& page, QWidget* parent) : QTreeWidget(parent), page_(page) {
  setObjectName(QStringLiteral("HelpContents"));
  setHeaderHidden(true);
  setColumnCount(1);
  header()->setStretchLastSection(true);
  connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { GoTo(item); });
  connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { GoTo(item); });
  // A new document is laid out after its text is set: the tree follows once that is done.
  connect(&page_, &QTextEdit::textChanged, this, [this] {
    QTimer::singleShot(0, this, [this] {
      Rebuild();
      Follow();
    });
  });
  connect(page_.verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { Follow(); });
}

void HelpContents::Rebuild() {
  clear();
  headings_.clear();
  QTreeWidgetItem* parents[kDeepestLevel + 1] = {};
  for (QTextBlock block = page_.document()->begin(); block.isValid(); block = block.next()) {
    const int level = block.blockFormat().headingLevel();
    if (level < kTopLevel || level > kDeepestLevel) continue;
    QTreeWidgetItem* parent = nullptr;
    for (int up = level - 1; up >= kTopLevel && parent == nullptr; --up) parent = parents[up];
    auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, block.text().simplified());
    item->setData(0, kAnchorRole, AnchorOf(block));
    parents[level] = item;
    for (int below = level + 1; below <= kDeepestLevel; ++below) parents[below] = nullptr;
    headings_.push_back({block, item});
  }
}

void HelpContents::Follow() {
  const QAbstractTextDocumentLayout* layout = page_.document()->documentLayout();
  // A heading counts as reached a little before it touches the page's top.
  const qreal top = page_.verticalScrollBar()->value() + 8;
  // Above the first heading stands the document's title: the first entry counts as reached.
  QTreeWidgetItem* reached = headings_.empty() ? nullptr : headings_.front().item;
  for (const Heading& heading : headings_) {
    if (layout->blockBoundingRect(heading.block).top() > top) break;
    reached = heading.item;
  }
  if (reached == nullptr || reached == currentItem()) return;
  setCurrentItem(reached);
  scrollToItem(reached);
}

void HelpContents::GoTo(QTreeWidgetItem* item) {
  const QString anchor = item->data(0, kAnchorRole).toString();
  if (!anchor.isEmpty()) {
    QUrl url = page_.source();
    url.setFragment(anchor);
    page_.setSource(url);
    return;
  }
  for (const Heading& heading : headings_) {
    if (heading.item != item) continue;
    const qreal top = page_.document()->documentLayout()->blockBoundingRect(heading.block).top();
    page_.verticalScrollBar()->setValue(static_cast<int>(top));
  }
}

}  // namespace tarnwick
