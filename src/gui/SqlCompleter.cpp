#include "gui/SqlCompleter.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTextBlock>
#include <QTimer>
#include <QTreeView>

#include "gui/CompletionVocabulary.h"
#include "gui/PaneScript.h"

namespace tarnwick {

namespace {

constexpr int kMatchRole = Qt::UserRole + 1;
constexpr int kInsertRole = Qt::UserRole + 2;

bool IsWordCharacter(QChar c) {
  return c.unicode() >= 0x80 || c.isLetterOrNumber() || c == QLatin1Char('_');
}

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The text of the pane between two positions.
QString PaneTextBetween(QPlainTextEdit& pane, int begin, int end) {
  QTextCursor cursor(pane.document());
  cursor.setPosition(begin);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  return cursor.selectedText();
}

QTreeView* MakePopup(const QFont& font) {
  auto* view = new QTreeView;
  view->setObjectName(QStringLiteral("CompletionList"));
  view->setHeaderHidden(true);
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setFont(font);
  return view;
}

}  // namespace

SqlCompleter::SqlCompleter(QPlainTextEdit& pane, std::function<const SchemaOutline&()> outline)
    : QObject(&pane),
      pane_(pane),
      outline_(std::move(outline)),
      completer_(new QCompleter(this)),
      model_(new QStandardItemModel(this)) {
  completer_->setModel(model_);
  completer_->setWidget(&pane_);
  completer_->setCompletionRole(kMatchRole);
  completer_->setCaseSensitivity(Qt::CaseInsensitive);
  completer_->setFilterMode(Qt::MatchStartsWith);
  completer_->setModelSorting(QCompleter::UnsortedModel);
  completer_->setCompletionMode(QCompleter::PopupCompletion);
  completer_->setMaxVisibleItems(12);
  completer_->setPopup(MakePopup(pane_.font()));
  // Installed after the completer's own filter, so it sees the list's keys first.
  completer_->popup()->installEventFilter(this);
  pane_.installEventFilter(this);
  connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          &SqlCompleter::Take);
  connect(&pane_, &QPlainTextEdit::cursorPositionChanged, this, &SqlCompleter::FollowTyping);
}

QAbstractItemView* SqlCompleter::Popup() const { return completer_->popup(); }

bool SqlCompleter::Open(bool qualifiedOnly) {
  if (composing_) return false;
  // The lines around the caret, not the whole pane, so that a "." typed into a long script
  // costs no more than in a short one; a statement is seldom longer.
  const PaneExcerpt excerpt =
      ExcerptAround(*pane_.document(), pane_.textCursor().position(), kContextLines);
  const PaneScript script(excerpt.text);
  const int caret = pane_.textCursor().position() - excerpt.begin;
  const std::optional<PaneRange> statement = PaneStatementAt(script, caret);
  // A pane without a statement still completes its first word.
  const std::size_t begin = statement ? script.ByteOf(statement->begin) : script.ByteOf(caret);
  const std::size_t end = statement ? script.ByteOf(statement->end) : script.ByteOf(caret);
  const std::size_t caretByte = script.ByteOf(caret);
  const std::size_t from = std::min(begin, caretByte);
  const std::string text = script.Bytes().substr(from, std::max(end, caretByte) - from);
  const Completion completion =
      CompleteAt(text, caretByte - from, outline_(), JetCompletionVocabulary());
  if (completion.items.empty() || (qualifiedOnly && !completion.qualified)) {
    Close();
    return false;
  }
  wordBegin_ = excerpt.begin + script.PositionOf(from + completion.replaced.begin);
  Fill(completion);
  completer_->setCompletionPrefix(FromUtf8(completion.prefix));
  QAbstractItemView* popup = completer_->popup();
  popup->setFont(pane_.font());
  popup->setCurrentIndex(completer_->completionModel()->index(0, 0));
  // As wide as its entries, the detail column after the names.
  const int names = popup->sizeHintForColumn(0) + 12;
  static_cast<QTreeView*>(popup)->setColumnWidth(0, names);
  QRect place = pane_.cursorRect();
  place.setWidth(names + popup->sizeHintForColumn(1) +
                 popup->verticalScrollBar()->sizeHint().width() + 2 * popup->frameWidth() + 8);
  completer_->complete(place);
  return true;
}

void SqlCompleter::Fill(const Completion& completion) {
  model_->clear();
  model_->setColumnCount(2);
  const QColor detailColour(110, 110, 110);
  for (const CompletionItem& item : completion.items) {
    auto* label = new QStandardItem(FromUtf8(item.label));
    label->setData(FromUtf8(item.match), kMatchRole);
    label->setData(FromUtf8(item.insert), kInsertRole);
    label->setEditable(false);
    auto* detail = new QStandardItem(FromUtf8(item.detail));
    detail->setForeground(detailColour);
    detail->setEditable(false);
    model_->appendRow({label, detail});
  }
}

void SqlCompleter::Take(const QModelIndex& index) {
  const QString insert = index.sibling(index.row(), 0).data(kInsertRole).toString();
  Close();
  if (insert.isEmpty()) return;
  // The word is replaced whole: what was typed of it, and the rest of it after the caret.
  const QTextBlock block = pane_.document()->findBlock(pane_.textCursor().position());
  const QString line = block.text();
  int end = pane_.textCursor().position() - block.position();
  while (end < line.size() && IsWordCharacter(line[end])) ++end;
  const bool bracketed = PaneTextBetween(pane_, wordBegin_, wordBegin_ + 1) == QStringLiteral("[");
  if (bracketed && end < line.size() && line[end] == QLatin1Char(']')) ++end;
  QTextCursor cursor(pane_.document());
  cursor.setPosition(wordBegin_);
  cursor.setPosition(block.position() + end, QTextCursor::KeepAnchor);
  cursor.insertText(insert);
  pane_.setTextCursor(cursor);
}

// While the list is open, what is typed narrows it; a caret that leaves the word, or a
// character that no name holds, closes it.
void SqlCompleter::FollowTyping() {
  if (!completer_->popup()->isVisible()) return;
  const int caret = pane_.textCursor().position();
  if (caret < wordBegin_) {
    Close();
    return;
  }
  QString typed = PaneTextBetween(pane_, wordBegin_, caret);
  const bool bracketed = typed.startsWith(QLatin1Char('['));
  if (bracketed) typed.remove(0, 1);
  for (QChar c : typed) {
    // Inside brackets a name may hold spaces.
    if (!IsWordCharacter(c) && !(bracketed && c == QLatin1Char(' '))) {
      Close();
      return;
    }
  }
  completer_->setCompletionPrefix(typed);
  if (completer_->completionCount() == 0) {
    Close();
    return;
  }
  completer_->popup()->setCurrentIndex(completer_->completionModel()->index(0, 0));
}

void SqlCompleter::Close() { completer_->popup()->hide(); }

bool SqlCompleter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::InputMethod) {
    composing_ = !static_cast<QInputMethodEvent*>(event)->preeditString().isEmpty();
    if (composing_) Close();
    return false;
  }
  const bool override = event->type() == QEvent::ShortcutOverride;
  if (event->type() != QEvent::KeyPress && !override) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (override) {
    // The list's own keys are not the window's commands (Esc would stop a run).
    const bool listKey = watched == completer_->popup() &&
                         (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
                         (key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return ||
                          key->key() == Qt::Key_Enter || key->key() == Qt::Key_Tab);
    if (listKey) key->accept();
    return listKey;
  }
  if (watched == completer_->popup()) {
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Tab:
        Take(completer_->popup()->currentIndex());
        return true;
      case Qt::Key_Escape:
        Close();
        return true;
      default:
        return false;
    }
  }
  if (key->key() == Qt::Key_Space && key->modifiers() == Qt::ControlModifier) {
    Open();
    return true;
  }
  if (key->text() == QStringLiteral(".") && !composing_) {
    QTimer::singleShot(0, this, [this] { Open(true); });
  }
  return false;
}

}  // namespace tarnwick
