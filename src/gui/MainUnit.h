#pragma once
// The main window: its panes, buttons, commands and menus, its start-up and shutdown, and
// one handler per command. The handlers are thin: the console and the database session do
// the work; the window supplies the panes, the dialogs and the pointer.
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/ConsoleContext.h"
#include "console/SqlHistory.h"
#include "data/Connection.h"
#include "data/Dataset.h"
#include "files/DatabaseSession.h"
#include "files/DatabaseUi.h"
#include "gui/DialogFolders.h"
#include "gui/DialogSeam.h"
#include "gui/QtResultPane.h"
#include "plugins/PlugInList.h"

class QAction;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace tarnwick {

class FileDropFilter;
class HelpViewer;
class PaneDivider;
class ScriptRunControl;
class SqlCompleter;
class SqlPaneFile;
class TablePanel;
struct Workbench;

// What the window starts from: the command-line arguments after the program name (console
// text; the first may name the database) and the executable's folder (ending in '/'),
// where the settings file and the help file lie.
struct StartUpArguments {
  std::vector<std::string> arguments;
  std::string exeDir;
};

class TMainForm : public QMainWindow, private DatabaseUi {
  Q_OBJECT

 public:
  // Builds the window and runs the start-up steps (FormCreate); failures are shown in the
  // standard error box through `dialogs`, which must outlive the window.
  TMainForm(StartUpArguments startUp, DialogSeam& dialogs, QWidget* parent = nullptr);
  // Runs the shutdown steps (FormDestroy): close, compact, release.
  ~TMainForm() override;

  // The panes and buttons.
  QPlainTextEdit* MmSql = nullptr;
  QPlainTextEdit* MmResult = nullptr;
  QPushButton* BtnSQLExec = nullptr;
  QToolButton* SbCodeClear = nullptr;
  QToolButton* SbLogClear = nullptr;
  PaneDivider* Splitter1 = nullptr;

  // The commands.
  QAction* AlNewDB = nullptr;
  QAction* AlDBInit = nullptr;
  QAction* AlAppClose = nullptr;
  QAction* AlDBExec = nullptr;
  QAction* AlDBOpen = nullptr;
  QAction* AlLoadSQL = nullptr;
  QAction* AlListTableNames = nullptr;
  QAction* AlLogSave = nullptr;
  QAction* AlCut = nullptr;
  QAction* AlNextSQLCode = nullptr;
  QAction* AlCopy = nullptr;
  QAction* AlPaste = nullptr;
  QAction* AlLogClear = nullptr;
  QAction* AlHelp = nullptr;
  QAction* AlUnDo = nullptr;
  QAction* AlPrevSQLCode = nullptr;
  QAction* AlSelectAll = nullptr;
  QAction* AlOpenDB = nullptr;
  QAction* AlFontLarge = nullptr;
  QAction* AlFontSmall = nullptr;
  QAction* AlClearTextAfterExec = nullptr;
  QAction* AlShowVersion = nullptr;
  QAction* AlCodeClear = nullptr;
  QAction* AlPrint = nullptr;
  QAction* AlWordWrap = nullptr;
  QAction* AlMargeDB = nullptr;
  QAction* AlOpenSample = nullptr;
  // The workbench's commands.
  QAction* AlDBExecAtCaret = nullptr;
  QAction* AlOpenSqlFile = nullptr;
  QAction* AlSaveSql = nullptr;
  QAction* AlSaveSqlAs = nullptr;
  QAction* AlRecentDB = nullptr;  // the submenu of the recent databases
  QAction* AlShowTablePanel = nullptr;

  // Command handlers.
  void AlNewDBExecute();
  void AlDBInitExecute();
  void AlAppCloseExecute();
  void AlDBExecExecute();
  void AlDBOpenExecute();
  void AlLoadSQLExecute();
  void AlListTableNamesExecute();
  void AlLogSaveExecute();
  void AlCutExecute();
  void AlNextSQLCodeExecute();
  void AlCopyExecute();
  void AlPasteExecute();
  void AlLogClearExecute();
  void AlHelpExecute();
  void AlUnDoExecute();
  void AlPrevSQLCodeExecute();
  void AlSelectAllExecute();
  void AlOpenDBExecute();
  void AlFontLargeExecute();
  void AlFontSmallExecute();
  void AlClearTextAfterExecExecute();
  void AlShowVersionExecute();
  void AlCodeClearExecute();
  void AlPrintExecute();
  void AlWordWrapExecute();
  void AlMargeDBExecute();
  void AlOpenSampleExecute();
  // The workbench's handlers (WorkbenchCommands.cpp).
  void AlDBExecAtCaretExecute();
  void AlOpenSqlFileExecute();
  void AlSaveSqlExecute();
  void AlSaveSqlAsExecute();
  void AlRecentDBExecute();
  void AlShowTablePanelExecute();
  // One of the recent databases, chosen in the submenu.
  void OpenRecentDatabase(const QString& path);
  // Handlers that no menu entry, shortcut or button invokes.
  void AlListPlugInsExecute();
  void AlEnablePlugInsExecute();
  // Files dropped on the window: every database file among them is imported.
  void WMDropFiles(const QStringList& paths);

  // What tests and the help look at.
  const DatabaseSession& Session() const { return session_; }
  const tarnwick::SqlHistory& History() const { return SqlHistory; }
  bool ScriptRunning() const;
  bool AcceptsDroppedFiles() const;
  int SqlFontSize() const { return fontSize_; }
  int ResultFontSize() const { return fontSize_; }
  const tarnwick::PlugInList& PlugIns() const { return PlugInList; }
  HelpViewer* Help() const { return helpViewer_; }
  TablePanel* Tables() const;
  SqlCompleter* Completer() const;
  const SqlPaneFile& SqlFile() const;
  QStringList RecentDatabases() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  // DatabaseUi: what the database commands ask of the window.
  void SetConnectCaption(std::string_view sjisCaption) override;
  void BeginBusy() override;
  void EndBusy() override;
  void ShowError(std::string_view sjisMessage) override;

  void BuildPanes();
  void BuildButtons(QWidget* panel);
  void BuildMenus();

  void FormCreate();
  void FormDestroy();
  // Asks what becomes of an open transaction at closing; false keeps the window open.
  bool SettleOpenTransaction();
  void ApplySettings();
  void ScanPlugIns();
  void AppendVersionBanner();
  void ApplyMinimumOuterSize();

  // Runs a command's body; a failure that escapes it ends the command and is shown in the
  // standard error box. The result pane receives what the body appended.
  bool RunCommand(const std::function<void()>& body);
  // Runs a command that would run SQL or change the database through RunCommand, unless a
  // script is running: such a command is not started inside a running script (a beep).
  void RunWhenIdle(const std::function<void()>& body);
  // The path chosen in a file dialog, as console text; nothing when the user cancels. The
  // dialog opens in the folder its kind of file was last chosen in.
  enum class DialogMode { Open, Save };
  std::optional<std::string> ChoosePath(FileDialogSpec spec, DialogMode mode);
  // After a connect that refused a Jet file: asks whether to make a new database of ours from
  // it, and does so on Yes.
  void OfferImportOfRefusedFile();
  // Runs a script text through the console, marked as running, under the busy pointer.
  void RunConsoleScript(const std::string& script);
  void LetEventsThrough();
  // Opens the help viewer at the entry with that id (the top when empty).
  void ShowHelp(const QString& anchor);

  // The workbench (WorkbenchCommands.cpp): built with the panes, restored after the banner,
  // brought up to date after every command, saved at the end.
  QWidget* BuildWorkbench(QWidget* panes);
  void RestoreWorkbench();
  void AfterCommand();
  void SaveWorkbench();
  void LoadHistory();
  void SaveHistory();
  void RefreshOutline();
  void ShowTablePanel(bool shown);
  void UpdateTitle();
  void ShowRunningNotice();
  void RunPaneText(const QString& text);
  std::optional<std::pair<std::string, int>> ChooseSavePath(FileDialogSpec spec);
  // Asks whether to save the pane's changed SQL file; false keeps the window open.
  bool SettleSqlFile();
  bool SaveSqlFile(const QString& path);

  QPlainTextEdit* FocusedPane() const;
  void SetSqlPaneText(const std::string& sjisText);
  void FocusSqlPaneAtEnd();
  void SetPaneFontSize(int pointSize);
  void ApplyWordWrap();

  StartUpArguments startUp_;
  DialogSeam& dialogs_;
  DialogFolders dialogFolders_;

  // The state of the run, in the order the start-up creates it.
  tarnwick::SqlHistory SqlHistory;
  tarnwick::PlugInList PlugInList;
  Connection ADOCon;
  Query ADOQuery{ADOCon};
  Table ADOTable{ADOCon};
  QtResultPane resultPane_;
  DatabaseSession session_;
  ConsoleContext context_;

  // The font size of both panes in points: they start alike and every command changes both.
  int fontSize_ = 9;
  bool highlightSql_ = true;  // syntax colours in the SQL pane
  ScriptRunControl* runControl_ = nullptr;
  bool closeRequested_ = false;
  FileDropFilter* dropFilter_ = nullptr;
  HelpViewer* helpViewer_ = nullptr;
  std::unique_ptr<Workbench> workbench_;
};

}  // namespace tarnwick
