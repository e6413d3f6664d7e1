// The window's standard dialogs and menus with Qt's Japanese translations loaded, as the
// program loads them: live question boxes and file dialogs, and the panes' right-click menu
// with its one level of undo.
#include <QAbstractButton>
#include <QAction>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "gui/DialogSeam.h"
#include "gui/JapaneseTranslations.h"
#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// Runs `inspect` on the modal dialog or popup menu that `open` shows, once it is up; the
// inspection closes it.
template <typename Widget>
void WhenShown(const std::function<void(Widget*)>& inspect, const std::function<void()>& open) {
  bool inspected = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* shown = QApplication::activeModalWidget();
    if (shown == nullptr) shown = QApplication::activePopupWidget();
    auto* widget = qobject_cast<Widget*>(shown);
    if (widget == nullptr || !widget->isVisible() || inspected) return;
    inspected = true;
    inspect(widget);
  });
  poll.start();
  open();
  poll.stop();
  QVERIFY(inspected);
}

template <typename Child>
QStringList TextsOf(const QWidget* parent) {
  QStringList texts;
  for (const Child* child : parent->findChildren<Child*>()) {
    if (child->isVisible()) texts << child->text();
  }
  return texts;
}

}  // namespace

class JapaneseDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(InstallJapaneseTranslations(*qApp)); }

  void questionsAreJapaneseAndEnterGivesThePreselectedAnswer() {
    StandardDialogs dialogs;
    const struct {
      DefaultAnswer preselected;
      QString defaultText;
      bool answer;
    } cases[] = {{DefaultAnswer::No, QStringLiteral("いいえ(&N)"), false},
                 {DefaultAnswer::Yes, QStringLiteral("はい(&Y)"), true}};
    for (const auto& test : cases) {
      bool answer = !test.answer;
      WhenShown<QMessageBox>(
          [&](QMessageBox* box) {
            QCOMPARE(box->windowTitle(), QStringLiteral("データベースの初期化"));
            QCOMPARE(TextsOf<QAbstractButton>(box),
                     (QStringList{QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")}));
            QCOMPARE(box->defaultButton()->text(), test.defaultText);
            QTest::keyClick(box, Qt::Key_Return);
          },
          [&] {
            answer = dialogs.AskYesNo(nullptr, QStringLiteral("データベースの初期化"),
                                      QStringLiteral("データベースを初期化しますか？"),
                                      test.preselected);
          });
      QCOMPARE(answer, test.answer);
    }
    // Buttons the window's own boxes do not use speak Japanese as well.
    QMessageBox box(QMessageBox::NoIcon, QString(), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
  }

  void fileDialogsAreJapaneseAndOpenInTheFolderGiven() {
    StandardDialogs dialogs;
    QTemporaryDir folder;
    FileDialogSpec spec{QStringLiteral("ODialogSQL"),
                        QStringLiteral("SQLファイル(*.sql)|*.sql|全てのファイル(*.*)|*.*"),
                        QString(), FileKind::SqlScript, folder.path()};
    for (const bool save : {false, true}) {
      std::optional<QString> chosen = QStringLiteral("not cancelled");
      WhenShown<QFileDialog>(
          [&](QFileDialog* dialog) {
            QCOMPARE(dialog->directory().absolutePath(), QDir(folder.path()).absolutePath());
            const QStringList buttons = TextsOf<QPushButton>(dialog);
            QVERIFY2(
                buttons.contains(save ? QStringLiteral("保存(&S)") : QStringLiteral("開く(&O)")),
                qPrintable(buttons.join(' ')));
            QVERIFY(buttons.contains(QStringLiteral("キャンセル")));
            QVERIFY(TextsOf<QLabel>(dialog).contains(QStringLiteral("ファイル名(&N):")));
            dialog->reject();
          },
          [&] {
            chosen = save ? dialogs.ChooseSaveFile(nullptr, spec)
                          : dialogs.ChooseOpenFile(nullptr, spec);
          });
      QVERIFY(!chosen);
    }
  }

  void panesRightClickMenuIsJapaneseHasNoRedoAndItsUndoIsTheUndoCommand() {
    WindowUnderTest window;
    TMainForm& form = window.StartWithDatabase();
    for (QPlainTextEdit* pane : {form.MmSql, form.MmResult}) {
      // Two edits the editor keeps apart (the second one elsewhere in the text).
      pane->setPlainText(QStringLiteral("start"));
      pane->setFocus();
      pane->moveCursor(QTextCursor::End);
      pane->insertPlainText(QStringLiteral(" one"));
      pane->moveCursor(QTextCursor::Start);
      pane->insertPlainText(QStringLiteral("two "));
      auto undoFromMenu = [&] {
        WhenShown<QMenu>(
            [&](QMenu* menu) {
              QStringList entries;
              for (const QAction* action : menu->actions()) {
                if (!action->isSeparator()) entries << action->text().section('\t', 0, 0);
              }
              QCOMPARE(entries, (QStringList{"元に戻す(&U)", "切り取り(&T)", "コピー(&C)",
                                             "貼り付け(&P)", "削除", "すべてを選択"}));
              menu->actions().first()->trigger();
              menu->close();
            },
            [&] {
              QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                      pane->viewport()->mapToGlobal(QPoint(5, 5)));
              QApplication::sendEvent(pane->viewport(), &event);
            });
        return pane->toPlainText();
      };
      // One level: the second Undo undoes the first, as Ctrl+Z does.
      QCOMPARE(undoFromMenu(), QStringLiteral("start one"));
      QCOMPARE(undoFromMenu(), QStringLiteral("two start one"));
      window.Press(Ctrl(Qt::Key_Z));
      QCOMPARE(pane->toPlainText(), QStringLiteral("start one"));
      // The editor's own redo keys and second undo key do nothing.
      for (const QKeyCombination keys :
           {QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z), Ctrl(Qt::Key_Y),
            QKeyCombination(Qt::AltModifier, Qt::Key_Backspace)}) {
        window.Press(keys);
        QCOMPARE(pane->toPlainText(), QStringLiteral("start one"));
      }
    }
  }
};

QTEST_MAIN(JapaneseDialogsTest)
#include "tst_japanese_dialogs.moc"
