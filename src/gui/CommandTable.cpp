#include "gui/CommandTable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <vector>

#include "gui/MainUnit.h"

namespace tarnwick {

namespace {

// One command of the command table: its action member, name, caption, shortcut and handler.
struct CommandEntry {
  QAction* TMainForm::*action;
  const char* name;
  const char* caption;
  const char* shortcut;  // portable key text, or empty
  bool checkable;
  void (TMainForm::*handler)();
};

const CommandEntry kCommands[] = {
    {&TMainForm::AlNewDB, "AlNewDB", "新規データベース(&N)", "Ctrl+N", false,
     &TMainForm::AlNewDBExecute},
    {&TMainForm::AlDBInit, "AlDBInit", "データベースの初期化(&I)", "", false,
     &TMainForm::AlDBInitExecute},
    {&TMainForm::AlAppClose, "AlAppClose", "終了(&X)", "Ctrl+Q", false,
     &TMainForm::AlAppCloseExecute},
    {&TMainForm::AlDBExec, "AlDBExec", "実行(&R)", "F5", false, &TMainForm::AlDBExecExecute},
    {&TMainForm::AlDBOpen, "AlDBOpen", "DBの起動(&A)", "", false, &TMainForm::AlDBOpenExecute},
    {&TMainForm::AlLoadSQL, "AlLoadSQL", "SQLﾌｧｲﾙの実行(&O)", "Ctrl+O", false,
     &TMainForm::AlLoadSQLExecute},
    {&TMainForm::AlListTableNames, "AlListTableNames", "テーブル名の一覧(&L)", "Ctrl+L", false,
     &TMainForm::AlListTableNamesExecute},
    {&TMainForm::AlLogSave, "AlLogSave", "結果の保存(&S)", "Ctrl+S", false,
     &TMainForm::AlLogSaveExecute},
    {&TMainForm::AlCut, "AlCut", "切り取り(&X)", "Ctrl+X", false, &TMainForm::AlCutExecute},
    {&TMainForm::AlNextSQLCode, "AlNextSQLCode", "１つ後のSQLコード(&N)", "F4", false,
     &TMainForm::AlNextSQLCodeExecute},
    {&TMainForm::AlCopy, "AlCopy", "コピー(&C)", "Ctrl+C", false, &TMainForm::AlCopyExecute},
    {&TMainForm::AlPaste, "AlPaste", "貼り付け(&V)", "Ctrl+V", false, &TMainForm::AlPasteExecute},
    {&TMainForm::AlLogClear, "AlLogClear", "結果の消去(&E)", "", false,
     &TMainForm::AlLogClearExecute},
    {&TMainForm::AlHelp, "AlHelp", "Tarnwickのヘルプ(&H)", "", false, &TMainForm::AlHelpExecute},
    {&TMainForm::AlOpenSample, "AlOpenSample", "サンプルデータベースを開く(&S)", "", false,
     &TMainForm::AlOpenSampleExecute},
    {&TMainForm::AlUnDo, "AlUnDo", "元に戻す(&Z)", "Ctrl+Z", false, &TMainForm::AlUnDoExecute},
    {&TMainForm::AlPrevSQLCode, "AlPrevSQLCode", "１つ前のSQLコード(&P)", "F3", false,
     &TMainForm::AlPrevSQLCodeExecute},
    {&TMainForm::AlSelectAll, "AlSelectAll", "全て選択(&A)", "Ctrl+A", false,
     &TMainForm::AlSelectAllExecute},
    {&TMainForm::AlOpenDB, "AlOpenDB", "ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙを開く(&M)", "Ctrl+M", false,
     &TMainForm::AlOpenDBExecute},
    {&TMainForm::AlFontLarge, "AlFontLarge", "フォントを大きく(&L)", "", false,
     &TMainForm::AlFontLargeExecute},
    {&TMainForm::AlFontSmall, "AlFontSmall", "フォントを小さく(&S)", "", false,
     &TMainForm::AlFontSmallExecute},
    {&TMainForm::AlClearTextAfterExec, "AlClearTextAfterExec", "実行後にSQL文をクリア(&C)", "",
     true, &TMainForm::AlClearTextAfterExecExecute},
    {&TMainForm::AlShowVersion, "AlShowVersion", "バージョン(&V)", "", false,
     &TMainForm::AlShowVersionExecute},
    {&TMainForm::AlCodeClear, "AlCodeClear", "SQL文の消去(&S)", "Ctrl+K", false,
     &TMainForm::AlCodeClearExecute},
    {&TMainForm::AlPrint, "AlPrint", "印刷(&P)", "Ctrl+P", false, &TMainForm::AlPrintExecute},
    {&TMainForm::AlWordWrap, "AlWordWrap", "行を折り返さない(&R)", "", true,
     &TMainForm::AlWordWrapExecute},
    {&TMainForm::AlMargeDB, "AlMargeDB", "ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙの取込み(&A)", "", false,
     &TMainForm::AlMargeDBExecute},
    // The workbench's commands; their shortcuts take none of the commands above.
    {&TMainForm::AlDBExecAtCaret, "AlDBExecAtCaret", "カーソル位置のSQLを実行", "Ctrl+Return",
     false, &TMainForm::AlDBExecAtCaretExecute},
    {&TMainForm::AlOpenSqlFile, "AlOpenSqlFile", "SQLファイルを開く", "Ctrl+Shift+O", false,
     &TMainForm::AlOpenSqlFileExecute},
    {&TMainForm::AlSaveSql, "AlSaveSql", "SQLを保存", "Ctrl+Shift+S", false,
     &TMainForm::AlSaveSqlExecute},
    {&TMainForm::AlSaveSqlAs, "AlSaveSqlAs", "名前を付けてSQLを保存", "", false,
     &TMainForm::AlSaveSqlAsExecute},
    {&TMainForm::AlRecentDB, "AlRecentDB", "最近使ったデータベース", "", false,
     &TMainForm::AlRecentDBExecute},
    {&TMainForm::AlShowTablePanel, "AlShowTablePanel", "テーブル一覧を表示", "", true,
     &TMainForm::AlShowTablePanelExecute},
};

// One menu of the menu bar: its caption and its entries; a null entry is a separator rule.
struct MenuEntry {
  const char* caption;
  std::vector<QAction * TMainForm::*> entries;
};

const std::vector<MenuEntry>& MenuLayout() {
  static const std::vector<MenuEntry> menus = {
      {"ファイル(&F)",
       {&TMainForm::AlNewDB, &TMainForm::AlOpenDB, &TMainForm::AlRecentDB, &TMainForm::AlMargeDB,
        nullptr, &TMainForm::AlOpenSqlFile, &TMainForm::AlSaveSql, &TMainForm::AlSaveSqlAs, nullptr,
        &TMainForm::AlLoadSQL, &TMainForm::AlLogSave, nullptr, &TMainForm::AlPrint, nullptr,
        &TMainForm::AlAppClose}},
      {"編集(&E)",
       {&TMainForm::AlUnDo, nullptr, &TMainForm::AlCut, &TMainForm::AlCopy, &TMainForm::AlPaste,
        nullptr, &TMainForm::AlPrevSQLCode, &TMainForm::AlNextSQLCode, &TMainForm::AlCodeClear,
        &TMainForm::AlLogClear}},
      {"ﾃﾞｰﾀｰﾍﾞｰｽ(&D)",
       {&TMainForm::AlDBExec, &TMainForm::AlDBExecAtCaret, &TMainForm::AlListTableNames, nullptr,
        &TMainForm::AlDBOpen, &TMainForm::AlDBInit}},
      {"設定(&S)",
       {&TMainForm::AlFontLarge, &TMainForm::AlFontSmall, nullptr, &TMainForm::AlWordWrap,
        &TMainForm::AlClearTextAfterExec, nullptr, &TMainForm::AlShowTablePanel}},
      {"ヘルプ(&H)", {&TMainForm::AlHelp, &TMainForm::AlOpenSample, &TMainForm::AlShowVersion}},
  };
  return menus;
}

}  // namespace

void BuildCommandActions(TMainForm& form) {
  for (const CommandEntry& command : kCommands) {
    auto* action = new QAction(QString::fromUtf8(command.caption), &form);
    action->setObjectName(QString::fromLatin1(command.name));
    action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut)));
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(command.checkable);
    QObject::connect(action, &QAction::triggered, &form, command.handler);
    form.addAction(action);
    form.*command.action = action;
  }
}

void BuildMenuEntries(TMainForm& form, QMenuBar& bar, const QPalette& menuPalette) {
  for (const MenuEntry& entry : MenuLayout()) {
    QMenu* menu = bar.addMenu(QString::fromUtf8(entry.caption));
    menu->setPalette(menuPalette);
    for (QAction* TMainForm::*member : entry.entries) {
      if (member == nullptr) {
        menu->addSeparator();
      } else {
        menu->addAction(form.*member);
      }
    }
  }
}

}  // namespace tarnwick
