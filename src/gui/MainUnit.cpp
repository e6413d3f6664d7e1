#include "gui/MainUnit.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include "console/Catalogue.h"
#include "console/RunScript.h"
#include "console/ScriptFile.h"
#include "data/JetFile.h"
#include "files/DatabaseNames.h"
#include "files/SampleDatabase.h"
#include "files/Settings.h"
#include "gui/AppIcon.h"
#include "gui/CommandTable.h"
#include "gui/ErrorText.h"
#include "gui/FileDrops.h"
#include "gui/FontMapping.h"
#include "gui/HelpTopics.h"
#include "gui/HelpViewer.h"
#include "gui/LogPrinter.h"
#include "gui/PaneDivider.h"
#include "gui/PaneLines.h"
#include "gui/PaneText.h"
#include "gui/ScriptRunControl.h"
#include "gui/SingleUndo.h"
#include "gui/SqlFileDialogs.h"
#include "gui/SqlHighlighter.h"
#include "gui/WindowShortcutsFirst.h"
#include "gui/Workbench.h"
#include "output/SaveResultLog.h"
#include "plugins/LoadPlugIns.h"
#include "text/FileAccess.h"
#include "text/ProgramFolders.h"
#include "text/ProgramInfo.h"

namespace tarnwick {

namespace {

const char* const kBannerLine = "Tarnwick Version 0.62 build 2/22/2012";

const QColor kCream(255, 251, 240);
const QColor kPaneFrame(226, 196, 100);
const QColor kMenuHighlight(226, 225, 219);
const QSize kClientSize(517, 355);
const QSize kMinimumOuterSize(300, 200);
constexpr int kMenuBarHeight = 23;
constexpr int kButtonPanelWidth = 104;
constexpr int kSqlPaneHeight = 104;
constexpr int kSmallestFontSize = 7;

const FileDialogSpec kSDialogDB{
    QStringLiteral("SDialogDB"),
    QStringLiteral("データベースファイル(*.mdb)|*.mdb|全てのファイル(*.*)|*.*"),
    QStringLiteral(".mdb"), FileKind::Database};
const FileDialogSpec kODialogDB{QStringLiteral("ODialogDB"),
                                QStringLiteral("mdbファイル(*.mdb)|*.mdb|全てのファイル(*.*)|*.*"),
                                QStringLiteral(".mdb"), FileKind::Database};
// The log is saved in UTF-8, which the editors here read, or in Shift-JIS, as the pane holds it.
const FileDialogSpec kSDialog{QStringLiteral("SDialog"),
                              QStringLiteral("テキストファイル UTF-8 (*.txt)|*.txt|"
                                             "テキストファイル Shift-JIS (*.txt)|*.txt|"
                                             "全てのファイル(*.*)|*.*"),
                              QString(), FileKind::ResultLog};
constexpr int kShiftJisLogFilter = 1;

void SetUpPane(QPlainTextEdit* pane, const char* name, const char* tooltip) {
  pane->setObjectName(QString::fromLatin1(name));
  pane->setToolTip(QString::fromUtf8(tooltip));
  pane->setTabChangesFocus(true);
  pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The panes may become as low as the divider and the window's minimum size allow.
  pane->setMinimumHeight(1);
}

QPalette WithWindowColour(QPalette palette, const QColor& colour) {
  palette.setColor(QPalette::Window, colour);
  palette.setColor(QPalette::Light, colour.lighter(130));
  palette.setColor(QPalette::Dark, colour.darker(150));
  return palette;
}

}  // namespace

TMainForm::TMainForm(StartUpArguments startUp, DialogSeam& dialogs, QWidget* parent)
    : QMainWindow(parent),
      MmResult(new QPlainTextEdit(this)),
      startUp_(std::move(startUp)),
      dialogs_(dialogs),
      resultPane_(*MmResult),
      session_(ADOCon, ADOQuery, ADOTable, resultPane_, static_cast<DatabaseUi&>(*this)),
      context_{resultPane_, ADOCon, ADOQuery, ADOTable, SqlHistory, [this] { LetEventsThrough(); }},
      workbench_(std::make_unique<Workbench>()) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Tarnwick"));
  setWindowIcon(TarnwickIcon());
  setPalette(WithWindowColour(palette(), kCream));
  setAutoFillBackground(true);
  setFont(BaseFont());
  BuildCommandActions(*this);
  BuildMenus();
  BuildPanes();
  resize(kClientSize);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  MmSql->setFocus();
  FormCreate();
}

TMainForm::~TMainForm() { FormDestroy(); }

// ---- Building the window ----

void TMainForm::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("ActionMainMenuBar1"));
  bar->setNativeMenuBar(false);
  bar->setFixedHeight(kMenuBarHeight);
  bar->setFont(MenuFont());
  QPalette palette = WithWindowColour(bar->palette(), kCream);
  palette.setColor(QPalette::Highlight, kMenuHighlight);
  palette.setColor(QPalette::HighlightedText, palette.color(QPalette::WindowText));
  bar->setPalette(palette);
  bar->setAutoFillBackground(true);
  BuildMenuEntries(*this, *bar, palette);
}

void TMainForm::BuildPanes() {
  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);

  auto* panel2 = new QFrame(central);
  panel2->setObjectName(QStringLiteral("Panel2"));
  panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel2->setLineWidth(1);
  panel2->setPalette(WithWindowColour(palette(), kPaneFrame));
  panel2->setAutoFillBackground(true);

  MmSql = new QPlainTextEdit(panel2);
  SetUpPane(MmSql, "MmSql", "ここにSQLを入力してください");
  MmSql->setFixedHeight(kSqlPaneHeight);
  // The result pane is made with the window, since the console's view of it is a member.
  MmResult->setParent(panel2);
  SetUpPane(MmResult, "MmResult", "SQLの実行結果がここに表示されます");
  SetPaneFontSize(fontSize_);
  ApplyWordWrap();

  Splitter1 = new PaneDivider(*MmSql, *MmResult, panel2);
  Splitter1->setPalette(WithWindowColour(palette(), kCream));
  auto* column = new QVBoxLayout(panel2);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(MmSql);
  column->addWidget(Splitter1);
  column->addWidget(MmResult, 1);

  auto* panel1 = new QWidget(central);
  panel1->setObjectName(QStringLiteral("Panel1"));
  panel1->setFixedWidth(kButtonPanelWidth);
  BuildButtons(panel1);

  row->addWidget(BuildWorkbench(panel2), 1);
  row->addWidget(panel1);
  setCentralWidget(central);

  setTabOrder(MmSql, MmResult);
  setTabOrder(MmResult, BtnSQLExec);
  auto* shortcutsFirst = new WindowShortcutsFirst(*this);
  for (QPlainTextEdit* pane : {MmSql, MmResult}) {
    pane->installEventFilter(shortcutsFirst);
    new SingleUndoPane(*pane);
  }
  // F1 in the SQL pane: the help's entry for the function or keyword at the caret.
  InstallContextHelp(*MmSql, [this](const QString& anchor) { ShowHelp(anchor); });
  dropFilter_ = new FileDropFilter(this, [this](const QStringList& files) { WMDropFiles(files); });
  installEventFilter(dropFilter_);
  MmSql->viewport()->installEventFilter(dropFilter_);
  MmResult->viewport()->installEventFilter(dropFilter_);
}

void TMainForm::BuildButtons(QWidget* panel) {
  BtnSQLExec = new QPushButton(QStringLiteral("実行(F5)"), panel);
  BtnSQLExec->setObjectName(QStringLiteral("BtnSQLExec"));
  BtnSQLExec->setGeometry(14, 8, 75, 25);
  BtnSQLExec->setToolTip(QStringLiteral("SQLを実行します"));
  BtnSQLExec->setEnabled(AlDBExec->isEnabled());
  connect(AlDBExec, &QAction::enabledChanged, BtnSQLExec, &QPushButton::setEnabled);
  // The button runs the SQL pane, and stops the script while one runs.
  runControl_ = new ScriptRunControl(
      *this, *BtnSQLExec, [this] { AlDBExec->trigger(); }, [this] { LetEventsThrough(); });
  ADOCon.SetWatch(runControl_);

  auto eraser = [panel](const char* name, const char* picture, const char* tooltip, int top) {
    auto* button = new QToolButton(panel);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(QIcon(QString::fromLatin1(picture)));
    button->setIconSize(QSize(32, 32));
    button->setGeometry(32, top, 41, 41);
    button->setToolTip(QString::fromUtf8(tooltip));
    return button;
  };
  SbCodeClear = eraser("SbCodeClear", ":/eraser_blue.png", "SQL文の消去", 48);
  SbLogClear = eraser("SbLogClear", ":/eraser_beige.png", "結果の消去", 96);
  connect(SbCodeClear, &QToolButton::clicked, this, &TMainForm::AlCodeClearExecute);
  connect(SbLogClear, &QToolButton::clicked, this, &TMainForm::AlLogClearExecute);
}

// ---- Running commands ----

bool TMainForm::RunCommand(const std::function<void()>& body) {
  bool completed = true;
  try {
    body();
  } catch (const std::exception& failure) {
    completed = false;
    ShowError(failure.what());
  }
  resultPane_.Flush();
  if (!ScriptRunning()) AfterCommand();
  if (closeRequested_ && !ScriptRunning()) {
    closeRequested_ = false;
    close();
  }
  return completed;
}

void TMainForm::RunWhenIdle(const std::function<void()>& body) {
  RunCommand([&] {
    if (ScriptRunning()) {
      ShowRunningNotice();
      return;
    }
    body();
  });
}

std::optional<std::string> TMainForm::ChoosePath(FileDialogSpec spec, DialogMode mode) {
  spec.folder = dialogFolders_.FolderFor(spec.kind, QtPath(session_.DbDir));
  const auto path = mode == DialogMode::Save ? dialogs_.ChooseSaveFile(this, spec)
                                             : dialogs_.ChooseOpenFile(this, spec);
  if (!path) return std::nullopt;
  dialogFolders_.Remember(spec.kind, *path);
  return ConsolePath(*path);
}

void TMainForm::RunConsoleScript(const std::string& script) {
  BusyPointer busy(*this);
  ScriptRunControl::Run running(*runControl_);
  RunScript(context_, script);
}

bool TMainForm::ScriptRunning() const { return runControl_->Running(); }

void TMainForm::LetEventsThrough() {
  resultPane_.Flush();
  QCoreApplication::processEvents();
}

// ---- Start-up and shutdown ----

void TMainForm::FormCreate() {
  setMinimumSize(kMinimumOuterSize);
  const bool settingsRead = RunCommand([&] { ApplySettings(); });
  if (highlightSql_) new SqlHighlighter(MmSql->document());
  ScanPlugIns();
  AppendVersionBanner();
  resultPane_.AppendLine("");
  RestoreWorkbench();
  resultPane_.Flush();
  // Without the settings there is no database to choose: the window starts disconnected
  // and the user picks a database with the database commands.
  if (!settingsRead) return;
  const bool chosen = RunCommand([&] {
    session_.ChooseAtStartup(startUp_.arguments);
    OfferImportOfRefusedFile();
  });
  // Dropped files are accepted after either branch of the choice, once it has succeeded.
  if (chosen) {
    dropFilter_->Enable();
    setAcceptDrops(true);
  }
}

void TMainForm::ApplySettings() {
  const Settings settings = LoadSettings(SettingsPath(startUp_.exeDir), startUp_.exeDir);
  session_.DbDir = settings.DbDir;
  session_.UdlName = settings.UdlName;
  session_.MdbName = settings.MdbName;
  ADOCon.SetDialect(settings.Dialect);
  workbench_->keepHistory = settings.KeepHistory;
  if (!settings.fileFound) return;
  highlightSql_ = settings.Highlight;
  SetPaneFontSize(settings.FontSize);
  AlClearTextAfterExec->setChecked(settings.ClearText);
  AlWordWrap->setChecked(settings.WordWrap);
  ApplyWordWrap();
}

void TMainForm::ScanPlugIns() { PlugInList = LoadPlugIns(); }

void TMainForm::AppendVersionBanner() {
  resultPane_.AppendLine(kBannerLine);
  resultPane_.AppendLine(kOwnershipNotice);
}

void TMainForm::FormDestroy() {
  SaveWorkbench();
  ADOCon.Close();
  ADOQuery.Close();
  ADOTable.Close();
  // Without a database name (start-up could not read the settings and none was chosen
  // since) there is nothing to compact.
  if (!session_.MdbName.empty()) RunCommand([&] { session_.CompactDatabase(); });
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // A script that lets events through is still on the stack: the window closes when it ends.
  if (ScriptRunning()) {
    closeRequested_ = true;
    event->ignore();
    return;
  }
  if (!SettleSqlFile() || !SettleOpenTransaction()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

// A transaction the user began and never ended is committed or rolled back as the user
// answers, never silently; Cancel (or a commit that fails) keeps the window open.
bool TMainForm::SettleOpenTransaction() {
  if (!ADOCon.InTransaction()) return true;
  switch (dialogs_.AskYesNoCancel(
      this, QStringLiteral("Tarnwick"),
      QStringLiteral("確定していないトランザクションがあります。確定しますか？"))) {
    case DialogSeam::Answer::Yes:
      return RunCommand([&] { ADOCon.Commit(); });
    case DialogSeam::Answer::No:
      return RunCommand([&] { ADOCon.Rollback(); });
    case DialogSeam::Answer::Cancel:
      break;
  }
  return false;
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  ApplyMinimumOuterSize();
}

void TMainForm::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  ApplyMinimumOuterSize();
}

// The minimum size counts the window frame, which is known only once the window is shown.
void TMainForm::ApplyMinimumOuterSize() {
  const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
  setMinimumSize(kMinimumOuterSize.width() - frame.left() - frame.right(),
                 kMinimumOuterSize.height() - frame.top() - frame.bottom());
}

// ---- DatabaseUi ----

void TMainForm::SetConnectCaption(std::string_view sjisCaption) {
  AlDBOpen->setText(FromConsoleText(sjisCaption));
}

void TMainForm::BeginBusy() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void TMainForm::EndBusy() { QApplication::restoreOverrideCursor(); }

void TMainForm::ShowError(std::string_view sjisMessage) {
  resultPane_.Flush();
  dialogs_.ShowError(this, FromConsoleText(StandardErrorText(sjisMessage)));
}

// ---- Database commands ----

void TMainForm::AlNewDBExecute() {
  RunWhenIdle([&] {
    const auto path = ChoosePath(kSDialogDB, DialogMode::Save);
    if (!path) return;
    // A database the new one would replace is named first; only Yes replaces it.
    if (HasDatabaseExtension(*path) && FileExists(*path) &&
        !dialogs_.AskYesNo(this, QStringLiteral("新規データベース"),
                           QFileInfo(QtPath(*path)).fileName() +
                               QStringLiteral("は既に存在します。置き換えますか？"),
                           DefaultAnswer::No)) {
      return;
    }
    // Asked and answered: even a file that is no database may be replaced.
    session_.NewDatabase(*path, ForeignFile::Replace);
  });
}

void TMainForm::AlOpenDBExecute() {
  RunWhenIdle([&] {
    if (const auto path = ChoosePath(kODialogDB, DialogMode::Open)) session_.OpenDatabase(*path);
    OfferImportOfRefusedFile();
  });
}

void TMainForm::AlDBInitExecute() {
  RunWhenIdle([&] {
    // One Enter must not empty the database: No is preselected.
    if (dialogs_.AskYesNo(this, QStringLiteral("データベースの初期化"),
                          QStringLiteral("データベースを初期化しますか？"), DefaultAnswer::No)) {
      session_.ResetDatabase();
    }
  });
}

void TMainForm::AlDBOpenExecute() {
  RunWhenIdle([&] {
    session_.ToggleConnection();
    OfferImportOfRefusedFile();
  });
}

void TMainForm::OfferImportOfRefusedFile() {
  const std::optional<std::string> jetFile = session_.RefusedDatabaseFile();
  if (!jetFile) return;
  resultPane_.Flush();
  const QString name = FromConsoleText(DeriveDatabaseNames(*jetFile).MdbName);
  if (dialogs_.AskYesNo(this, QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙの取込み"),
                        name + QStringLiteral("をインポートした新しいデータベースを作成しますか？"),
                        DefaultAnswer::Yes)) {
    session_.ImportIntoNewDatabase(*jetFile);
  }
}

void TMainForm::AlMargeDBExecute() {
  RunWhenIdle([&] {
    const auto path = ChoosePath(kODialogDB, DialogMode::Open);
    if (path && FileExists(*path)) session_.ImportDatabase(*path);
  });
}

bool TMainForm::AcceptsDroppedFiles() const { return dropFilter_->Enabled(); }

void TMainForm::WMDropFiles(const QStringList& paths) {
  RunWhenIdle([&] {
    for (const QString& path : paths) {
      const std::string sjisPath = ConsolePath(path);
      // An Access file is taken whatever its extension (.accdb), told by its first bytes.
      if (HasDatabaseExtension(sjisPath) || IsJetFile(sjisPath)) session_.ImportDatabase(sjisPath);
      resultPane_.Flush();
    }
  });
}

// ---- Console commands ----

void TMainForm::AlDBExecExecute() {
  RunWhenIdle([&] {
    SqlHistory.EndBrowsing();
    const std::string script = ToConsoleText(MmSql->toPlainText());
    if (AlClearTextAfterExec->isChecked()) MmSql->clear();
    RunConsoleScript(script);
  });
}

void TMainForm::AlLoadSQLExecute() {
  RunWhenIdle([&] {
    const auto path = ChoosePath(kODialogSQL, DialogMode::Open);
    if (path) RunConsoleScript(ReadScriptFile(*path));
  });
}

void TMainForm::AlListTableNamesExecute() {
  RunWhenIdle([&] { ListTableNames(context_); });
}

void TMainForm::AlPrevSQLCodeExecute() {
  if (auto text = SqlHistory.StepBack(ToConsoleText(MmSql->toPlainText()))) SetSqlPaneText(*text);
  FocusSqlPaneAtEnd();
}

void TMainForm::AlNextSQLCodeExecute() {
  if (auto text = SqlHistory.StepForward()) SetSqlPaneText(*text);
  FocusSqlPaneAtEnd();
}

void TMainForm::SetSqlPaneText(const std::string& sjisText) {
  MmSql->setPlainText(FromConsoleText(sjisText));
}

void TMainForm::FocusSqlPaneAtEnd() {
  MmSql->setFocus();
  MmSql->moveCursor(QTextCursor::End);
}

// ---- Shell commands ----

void TMainForm::AlAppCloseExecute() { close(); }

void TMainForm::AlHelpExecute() { ShowHelp({}); }

void TMainForm::ShowHelp(const QString& anchor) {
  if (helpViewer_ == nullptr) helpViewer_ = new HelpViewer(this);
  helpViewer_->ShowTopic(QtPath(HelpFilePath(startUp_.exeDir)), anchor);
}

// The learner's copy of the sample database: made on first use; an earlier copy, which may
// hold the learner's work, is replaced only on Yes (No opens it as it is).
void TMainForm::AlOpenSampleExecute() {
  RunWhenIdle([&] {
    const std::string copy = SampleCopyPath();
    const bool fresh =
        !FileExists(copy) ||
        dialogs_.AskYesNo(this, QStringLiteral("サンプルデータベースを開く"),
                          QStringLiteral("サンプルデータベースのコピーは既にあります。"
                                         "元の内容の新しいコピーで置き換えますか？\n"
                                         "（「いいえ」なら今のコピーを開きます）"),
                          DefaultAnswer::No);
    session_.OpenSampleCopy(SampleDatabasePath(startUp_.exeDir), copy, fresh);
  });
}

void TMainForm::AlShowVersionExecute() {
  RunCommand([&] {
    AppendVersionBanner();
    resultPane_.AppendLine("OK");
  });
}

void TMainForm::AlListPlugInsExecute() {
  RunCommand([&] { ListPlugIns(PlugInList, resultPane_); });
}

void TMainForm::AlEnablePlugInsExecute() {}

// ---- Editing and view commands ----

QPlainTextEdit* TMainForm::FocusedPane() const {
  QWidget* focused = focusWidget();
  if (focused == MmSql) return MmSql;
  if (focused == MmResult) return MmResult;
  return nullptr;
}

void TMainForm::AlUnDoExecute() {
  if (QPlainTextEdit* pane = FocusedPane()) UndoOnce(*pane);
}

void TMainForm::AlCutExecute() {
  if (QPlainTextEdit* pane = FocusedPane()) pane->cut();
}

void TMainForm::AlCopyExecute() {
  if (QPlainTextEdit* pane = FocusedPane()) pane->copy();
}

void TMainForm::AlPasteExecute() {
  if (QPlainTextEdit* pane = FocusedPane()) pane->paste();
}

void TMainForm::AlSelectAllExecute() {
  if (QPlainTextEdit* pane = FocusedPane()) pane->selectAll();
}

void TMainForm::SetPaneFontSize(int pointSize) {
  fontSize_ = pointSize;
  MmSql->setFont(PaneFont(fontSize_));
  MmResult->setFont(PaneFont(fontSize_));
}

void TMainForm::AlFontLargeExecute() { SetPaneFontSize(fontSize_ + 1); }

// The panes go one point down unless they are at the smallest size already, or below it
// (a smaller size can come from the settings file).
void TMainForm::AlFontSmallExecute() {
  if (fontSize_ > kSmallestFontSize) SetPaneFontSize(fontSize_ - 1);
}

// The action has flipped its check mark; the result pane wraps while it is off.
// Unwrapped, the result pane scrolls sideways, so that a wide grid can be read.
void TMainForm::ApplyWordWrap() {
  const bool noWrap = AlWordWrap->isChecked();
  MmResult->setLineWrapMode(noWrap ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
  MmResult->setHorizontalScrollBarPolicy(noWrap ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TMainForm::AlWordWrapExecute() { ApplyWordWrap(); }

// The action has flipped its check mark; the Run command reads it.
void TMainForm::AlClearTextAfterExecExecute() {}

void TMainForm::AlCodeClearExecute() { MmSql->clear(); }

// ---- Result log commands ----

void TMainForm::AlLogSaveExecute() {
  RunCommand([&] {
    const auto chosen = ChooseSavePath(kSDialog);
    if (!chosen) return;
    const QString log = MmResult->toPlainText();
    if (chosen->second == kShiftJisLogFilter) {
      SaveResultLog(chosen->first, ToConsoleText(log));
    } else {
      const QByteArray utf8 =
          QString(log).replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toUtf8();
      SaveResultLog(chosen->first, std::string_view(utf8.constData(), std::size_t(utf8.size())));
    }
  });
}

void TMainForm::AlLogClearExecute() {
  RunCommand([&] {
    if (dialogs_.AskYesNo(this, QStringLiteral("結果のクリア"),
                          QStringLiteral("結果をクリアしますか？"), DefaultAnswer::Yes)) {
      MmResult->clear();
    }
  });
}

void TMainForm::AlPrintExecute() {
  RunCommand([&] {
    QPrinter printer(QPrinter::HighResolution);
    if (dialogs_.ChoosePrinter(this, printer)) PrintLog(printer, DisplayedLines(*MmResult));
  });
}

}  // namespace tarnwick
