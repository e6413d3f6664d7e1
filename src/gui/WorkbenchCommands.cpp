// The window's workbench (see Workbench.h): its commands and the steps the window runs with
// the start-up, after every command and at the end.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include "console/RunScript.h"
#include "files/DatabaseNames.h"
#include "gui/MainUnit.h"
#include "gui/PaneDivider.h"
#include "gui/PaneNotice.h"
#include "gui/PaneScript.h"
#include "gui/PaneText.h"
#include "gui/ResultPaneFollower.h"
#include "gui/SqlCompleter.h"
#include "gui/SqlFileDialogs.h"
#include "gui/SqlPaneFile.h"
#include "gui/TablePanel.h"
#include "gui/Workbench.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/ProgramFolders.h"
#include "text/TarnwickError.h"
#include "text/messages/DatabaseMessages.h"
#include "text/messages/WorkbenchMessages.h"

namespace tarnwick {

namespace {

constexpr int kRecentDatabases = 5;
constexpr int kTablePanelWidth = 170;

// The extension of a filter entry's one pattern ("*.txt" gives ".txt"); empty for any other.
QString FilterExtension(const QString& filter, int entry) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  const qsizetype pattern = 2 * qsizetype{entry} + 1;
  if (pattern >= parts.size()) return {};
  const QString text = parts[pattern];
  if (!text.startsWith(QStringLiteral("*.")) || text.contains(QLatin1Char(';')) ||
      text == QStringLiteral("*.*")) {
    return {};
  }
  return text.mid(1);
}

// The name with the filter's extension when the chosen filter names one and the name has none.
QString WithFilterExtension(const QString& path, const QString& extension) {
  if (extension.isEmpty() || QFileInfo(path).fileName().contains(QLatin1Char('.'))) return path;
  return path + extension;
}

std::string FirstLine(std::string_view text) {
  return std::string(text.substr(0, text.find('\r')));
}

}  // namespace

QStringList WithRecentDatabase(QStringList recent, const QString& path) {
  recent.removeAll(path);
  recent.prepend(path);
  return recent.mid(0, kRecentDatabases);
}

TablePanel* TMainForm::Tables() const { return workbench_->panel; }
SqlCompleter* TMainForm::Completer() const { return workbench_->completer; }
const SqlPaneFile& TMainForm::SqlFile() const { return *workbench_->sqlFile; }
QStringList TMainForm::RecentDatabases() const { return workbench_->recentDatabases; }

// ---- Built with the panes ----

QWidget* TMainForm::BuildWorkbench(QWidget* panes) {
  Workbench& bench = *workbench_;
  bench.splitter = new QSplitter(Qt::Horizontal, panes->parentWidget());
  bench.splitter->setObjectName(QStringLiteral("TableSplitter"));
  bench.splitter->setChildrenCollapsible(false);
  bench.splitter->setHandleWidth(3);
  bench.panel = new TablePanel(bench.splitter);
  bench.panel->setFocusPolicy(Qt::ClickFocus);  // the Tab key keeps to the panes and the button
  bench.panel->hide();
  bench.splitter->addWidget(bench.panel);
  bench.splitter->addWidget(panes);
  bench.splitter->setStretchFactor(1, 1);
  bench.splitter->setSizes({kTablePanelWidth, 1000});
  connect(bench.panel, &TablePanel::NameChosen, this, [this](const QString& name) {
    MmSql->insertPlainText(name);
    MmSql->setFocus();
  });

  bench.completer = new SqlCompleter(*MmSql, [this]() -> const SchemaOutline& {
    RefreshOutline();
    return workbench_->outline;
  });
  bench.sqlFile = new SqlPaneFile(*MmSql);
  connect(bench.sqlFile, &SqlPaneFile::StateChanged, this, &TMainForm::UpdateTitle);
  bench.notice = new PaneNotice(*MmResult);
  new ResultPaneFollower(*MmResult);

  AlDBExecAtCaret->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
  AlRecentDB->setMenu(new QMenu(this));
  connect(AlRecentDB->menu(), &QMenu::aboutToShow, this, [this] {
    QMenu* menu = AlRecentDB->menu();
    menu->clear();
    int number = 0;
    for (const QString& path : workbench_->recentDatabases) {
      QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(path));
      connect(entry, &QAction::triggered, this, [this, path] { OpenRecentDatabase(path); });
    }
    if (number == 0) menu->addAction(QStringLiteral("(なし)"))->setEnabled(false);
  });
  // The switches and the font size are remembered as the user sets them.
  connect(AlFontLarge, &QAction::triggered, this,
          [this] { workbench_->state.SetFontSize(fontSize_); });
  connect(AlFontSmall, &QAction::triggered, this,
          [this] { workbench_->state.SetFontSize(fontSize_); });
  connect(AlWordWrap, &QAction::triggered, this,
          [this](bool noWrap) { workbench_->state.SetWordWrap(noWrap); });
  connect(AlClearTextAfterExec, &QAction::triggered, this,
          [this](bool clear) { workbench_->state.SetClearText(clear); });
  return bench.splitter;
}

// ---- Start-up, after every command, the end ----

void TMainForm::RestoreWorkbench() {
  Workbench& bench = *workbench_;
  WindowState& state = bench.state;
  if (state.Ignored()) {
    resultPane_.AppendLine(msg::StateFileIgnored(state.Path().toStdString()).Sjis());
  }
  if (const auto geometry = state.Geometry()) restoreGeometry(*geometry);
  if (const auto height = state.DividerHeight()) Splitter1->RestoreWantedHeight(*height);
  if (const auto points = state.FontSize()) SetPaneFontSize(*points);
  if (const auto noWrap = state.WordWrap()) {
    AlWordWrap->setChecked(*noWrap);
    ApplyWordWrap();
  }
  if (const auto clear = state.ClearText()) AlClearTextAfterExec->setChecked(*clear);
  if (const auto width = state.TablePanelWidth()) bench.splitter->setSizes({*width, 1000});
  ShowTablePanel(state.TablePanel().value_or(false));
  for (const FileKind kind : {FileKind::Database, FileKind::SqlScript, FileKind::ResultLog}) {
    const QString folder = state.Folder(kind);
    if (!folder.isEmpty() && QDir(folder).exists()) dialogFolders_.RememberFolder(kind, folder);
  }
  bench.recentDatabases = state.RecentDatabases();
  LoadHistory();
}

void TMainForm::LoadHistory() {
  Workbench& bench = *workbench_;
  if (!bench.keepHistory) return;
  std::string path;
  try {
    path = UserDataDir() + std::string(kHistoryFileName);
    bench.history.emplace(path);
    bench.history->Load(SqlHistory);
  } catch (const DamagedHistoryFile&) {
    resultPane_.AppendLine(msg::HistoryFileDamaged(NativePath(path)).Sjis());
  } catch (const TarnwickError& failure) {
    // Unreadable: left as it is, and the history is kept for this run only.
    resultPane_.AppendLine(msg::HistoryFileUnusable(SjisToUtf8(FirstLine(failure.what()))).Sjis());
    bench.history.reset();
  }
}

void TMainForm::SaveHistory() {
  Workbench& bench = *workbench_;
  if (!bench.history) return;
  try {
    bench.history->Save(SqlHistory);
  } catch (const TarnwickError& failure) {
    // Said once; the history is kept for the rest of the run in memory only.
    resultPane_.AppendLine(msg::HistoryFileUnusable(SjisToUtf8(FirstLine(failure.what()))).Sjis());
    resultPane_.Flush();
    bench.history.reset();
  }
}

void TMainForm::AfterCommand() {
  Workbench& bench = *workbench_;
  if (ADOCon.Connected()) {
    const QString path = QFileInfo(QtPath(session_.DatabasePath())).absoluteFilePath();
    if (HasDatabaseExtension(session_.DatabasePath()) &&
        (bench.recentDatabases.isEmpty() || bench.recentDatabases.first() != path)) {
      bench.recentDatabases = WithRecentDatabase(bench.recentDatabases, path);
    }
  }
  if (AlShowTablePanel->isChecked()) RefreshOutline();
  SaveHistory();
  UpdateTitle();
}

void TMainForm::SaveWorkbench() {
  Workbench& bench = *workbench_;
  SaveHistory();
  WindowState& state = bench.state;
  state.SetGeometry(saveGeometry());
  state.SetDividerHeight(Splitter1->WantedHeight());
  state.SetTablePanel(AlShowTablePanel->isChecked());
  if (bench.panel->isVisible()) state.SetTablePanelWidth(bench.splitter->sizes().value(0));
  for (const FileKind kind : {FileKind::Database, FileKind::SqlScript, FileKind::ResultLog}) {
    const QString folder = dialogFolders_.Remembered(kind);
    if (!folder.isEmpty()) state.SetFolder(kind, folder);
  }
  state.SetRecentDatabases(bench.recentDatabases);
  state.Write();
}

// The outline is read again when the database or one of its definitions changed; never
// while a statement runs, which has the connection.
void TMainForm::RefreshOutline() {
  Workbench& bench = *workbench_;
  if (ScriptRunning()) return;
  std::optional<OutlineSource> source;
  try {
    source = CurrentOutlineSource(ADOCon, session_.DatabasePath());
  } catch (const std::exception&) {
    source.reset();
  }
  if (source == bench.outlineSource && (source || bench.outline.tables.empty())) return;
  bench.outlineSource = source;
  try {
    bench.outline = source ? ReadSchemaOutline(ADOCon) : SchemaOutline{};
  } catch (const std::exception&) {
    bench.outline = {};
  }
  bench.panel->Show(bench.outline, source.has_value());
}

void TMainForm::ShowTablePanel(bool shown) {
  AlShowTablePanel->setChecked(shown);
  workbench_->panel->setVisible(shown);
  if (shown) {
    workbench_->outlineSource.reset();  // listed afresh
    RefreshOutline();
    workbench_->panel->Show(workbench_->outline, workbench_->outlineSource.has_value());
  }
}

void TMainForm::UpdateTitle() {
  QString title = QStringLiteral("Tarnwick");
  if (!session_.MdbName.empty()) title += QStringLiteral(" - ") + FromConsoleText(session_.MdbName);
  const SqlPaneFile& file = *workbench_->sqlFile;
  if (file.HasFile()) title += QStringLiteral(" - ") + file.FileName() + QStringLiteral("[*]");
  setWindowTitle(title);
  setWindowModified(file.HasFile() && MmSql->document()->isModified());
}

void TMainForm::ShowRunningNotice() {
  workbench_->notice->Show(QString::fromStdString(msg::CommandWhileRunning().text));
}

// ---- Commands ----

void TMainForm::AlDBExecAtCaretExecute() {
  const QTextCursor cursor = MmSql->textCursor();
  if (cursor.hasSelection()) {
    RunPaneText(cursor.selection().toPlainText());
    return;
  }
  const QString text = MmSql->toPlainText();
  const std::optional<PaneRange> statement = PaneStatementAt(PaneScript(text), cursor.position());
  if (!statement) return;
  RunPaneText(text.mid(statement->begin, statement->end - statement->begin));
}

// A part of the pane runs as the Run command runs the whole pane (echo, result, history, the
// stop), except that the pane keeps its text: the other statements in it are still wanted.
void TMainForm::RunPaneText(const QString& text) {
  RunWhenIdle([&] {
    SqlHistory.EndBrowsing();
    RunConsoleScript(ToConsoleText(text));
  });
}

void TMainForm::AlOpenSqlFileExecute() {
  RunCommand([&] {
    if (!SettleSqlFile()) return;
    const auto path = ChoosePath(kODialogSQL, DialogMode::Open);
    if (!path) return;
    workbench_->sqlFile->Open(QtPath(*path));
    MmSql->setFocus();
  });
}

void TMainForm::AlSaveSqlExecute() {
  const SqlPaneFile& file = *workbench_->sqlFile;
  if (!file.HasFile()) {
    AlSaveSqlAsExecute();
    return;
  }
  SaveSqlFile(file.Path());
}

void TMainForm::AlSaveSqlAsExecute() {
  RunCommand([&] {
    if (const auto chosen = ChooseSavePath(kSDialogSQL)) SaveSqlFile(QtPath(chosen->first));
  });
}

bool TMainForm::SaveSqlFile(const QString& path) {
  return RunCommand([&] { workbench_->sqlFile->Save(path); });
}

bool TMainForm::SettleSqlFile() {
  const SqlPaneFile& file = *workbench_->sqlFile;
  if (!file.Changed()) return true;
  switch (dialogs_.AskYesNoCancel(
      this, QStringLiteral("Tarnwick"),
      QStringLiteral("SQLファイル %1 は変更されています。保存しますか？").arg(file.FileName()))) {
    case DialogSeam::Answer::Yes:
      return SaveSqlFile(file.Path());
    case DialogSeam::Answer::No:
      return true;
    case DialogSeam::Answer::Cancel:
      break;
  }
  return false;
}

std::optional<std::pair<std::string, int>> TMainForm::ChooseSavePath(FileDialogSpec spec) {
  spec.folder = dialogFolders_.FolderFor(spec.kind, QtPath(session_.DbDir));
  const std::optional<ChosenFile> chosen = dialogs_.ChooseSaveFileAndFilter(this, spec);
  if (!chosen) return std::nullopt;
  dialogFolders_.Remember(spec.kind, chosen->path);
  const QString path =
      WithFilterExtension(chosen->path, FilterExtension(spec.filter, chosen->filter));
  return std::make_pair(ConsolePath(path), chosen->filter);
}

void TMainForm::AlRecentDBExecute() {}

void TMainForm::OpenRecentDatabase(const QString& path) {
  RunWhenIdle([&] {
    const std::string consolePath = ConsolePath(path);
    if (!FileExists(consolePath)) {
      // Moved or deleted since: said, and taken off the list; the current database stays.
      resultPane_.AppendLine(msg::DatabaseFileNotFound(path.toStdString()).Sjis());
      resultPane_.AppendLine("");
      workbench_->recentDatabases.removeAll(path);
      return;
    }
    session_.OpenDatabase(consolePath);
    OfferImportOfRefusedFile();
  });
}

void TMainForm::AlShowTablePanelExecute() {
  ShowTablePanel(AlShowTablePanel->isChecked());
  workbench_->state.SetTablePanel(AlShowTablePanel->isChecked());
}

}  // namespace tarnwick
