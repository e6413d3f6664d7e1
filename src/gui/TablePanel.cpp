#include "gui/TablePanel.h"

#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QSet>

#include "console/Completion.h"

namespace tarnwick {

namespace {

constexpr int kNameRole = Qt::UserRole + 1;

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QIcon NoMarkIcon() {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  return QIcon(picture);
}

QTreeWidgetItem* ColumnItem(const OutlineColumn& column) {
  auto* item = new QTreeWidgetItem({FromUtf8(column.name), FromUtf8(column.type)});
  item->setData(0, kNameRole, FromUtf8(WrittenName(column.name)));
  if (column.key) {
    item->setIcon(0, KeyColumnIcon());
    item->setToolTip(0, QStringLiteral("主キー"));
  } else {
    item->setIcon(0, NoMarkIcon());  // the names line up with the marked ones
  }
  return item;
}

}  // namespace

QIcon KeyColumnIcon() {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor gold(196, 150, 20);
  painter.setPen(QPen(gold.darker(140), 1.2));
  painter.setBrush(gold);
  painter.drawEllipse(QRectF(1.5, 4.5, 7, 7));  // the bow, with its hole
  painter.setBrush(Qt::white);
  painter.drawEllipse(QRectF(3.8, 6.8, 2.4, 2.4));
  painter.setBrush(gold);
  QPainterPath blade;  // the shaft and its two teeth
  blade.addRect(QRectF(8.5, 7, 6.5, 2));
  blade.addRect(QRectF(11.5, 9, 1.5, 2.5));
  blade.addRect(QRectF(13.5, 9, 1.5, 3));
  painter.drawPath(blade.simplified());
  return QIcon(picture);
}

TablePanel::TablePanel(QWidget* parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("TablePanel"));
  setColumnCount(2);
  setHeaderLabels({QStringLiteral("名前"), QStringLiteral("型")});
  header()->setStretchLastSection(true);
  header()->setMinimumSectionSize(24);
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  // A double-click writes the name; the arrow opens a table.
  setExpandsOnDoubleClick(false);
  setUniformRowHeights(true);
  // Narrow, it shortens long names ("…") rather than scrolling; the divider beside it widens it.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTextElideMode(Qt::ElideRight);
  setToolTip(QStringLiteral("ダブルクリックで名前をSQLに書き入れます"));
  connect(this, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { Choose(item); });
}

void TablePanel::Show(const SchemaOutline& outline, bool connected) {
  QSet<QString> open;
  for (int i = 0; i < topLevelItemCount(); ++i) {
    if (topLevelItem(i)->isExpanded()) open.insert(topLevelItem(i)->text(0));
  }
  clear();
  if (!connected) {
    auto* note = new QTreeWidgetItem({QStringLiteral("(データベースに接続していません)")});
    note->setFlags(Qt::ItemIsEnabled);
    addTopLevelItem(note);
    return;
  }
  for (const OutlineTable& table : outline.tables) {
    auto* item = new QTreeWidgetItem(
        {FromUtf8(table.name), table.view ? QStringLiteral("ビュー") : QStringLiteral("テーブル")});
    item->setData(0, kNameRole, FromUtf8(WrittenName(table.name)));
    for (const OutlineColumn& column : table.columns) item->addChild(ColumnItem(column));
    addTopLevelItem(item);
    item->setExpanded(open.contains(item->text(0)));
  }
}

void TablePanel::Choose(QTreeWidgetItem* item) {
  const QString name = item->data(0, kNameRole).toString();
  if (!name.isEmpty()) emit NameChosen(name);
}

}  // namespace tarnwick
