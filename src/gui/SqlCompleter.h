#pragma once
// Completion in the SQL pane. Ctrl+Space opens a list of what may stand at the caret (see
// CompleteAt): the columns of the statement's tables, tables and views, Jet's functions with
// their arguments, Jet's keywords; typing on narrows it, Enter or Tab (or a click) writes the
// choice in place of the word, Esc closes it. A "." typed after a table's name or alias opens
// the list of that table's columns by itself. Nothing opens while the input method composes
// a word, and an open list closes when composing begins.
#include <QObject>
#include <functional>

#include "console/Completion.h"

class QAbstractItemView;
class QCompleter;
class QModelIndex;
class QPlainTextEdit;
class QStandardItemModel;

namespace tarnwick {

class SqlCompleter : public QObject {
  Q_OBJECT
 public:
  // How many lines before and after the caret's line completion reads its statement from.
  static constexpr int kContextLines = 200;

  // `outline` gives the database's names when the list opens.
  SqlCompleter(QPlainTextEdit& pane, std::function<const SchemaOutline&()> outline);

  // Opens the list for the word at the caret; false when nothing is offered, or while the
  // input method composes. `qualifiedOnly`: only after "name." (the list a "." opens).
  bool Open(bool qualifiedOnly = false);
  bool Composing() const { return composing_; }
  QAbstractItemView* Popup() const;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill(const Completion& completion);
  void Take(const QModelIndex& index);
  void FollowTyping();
  void Close();

  QPlainTextEdit& pane_;
  std::function<const SchemaOutline&()> outline_;
  QCompleter* completer_;
  QStandardItemModel* model_;
  int wordBegin_ = 0;  // the pane position where the word being completed begins
  bool composing_ = false;
};

}  // namespace tarnwick
