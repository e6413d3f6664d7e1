#include "gui/SqlPaneFile.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include "gui/PaneText.h"
#include "output/SaveResultLog.h"
#include "text/FileAccess.h"
#include "text/TextDecoding.h"

namespace tarnwick {

SqlPaneFile::SqlPaneFile(QPlainTextEdit& pane) : QObject(&pane), pane_(pane) {
  connect(pane_.document(), &QTextDocument::modificationChanged, this, &SqlPaneFile::StateChanged);
}

QString SqlPaneFile::FileName() const { return QFileInfo(path_).fileName(); }

bool SqlPaneFile::Changed() const { return HasFile() && pane_.toPlainText() != savedText_; }

void SqlPaneFile::Open(const QString& path) {
  const std::string consolePath = ConsolePath(path);
  const std::string bytes = ReadWholeFile(consolePath);
  const std::string utf8 = DecodeText(bytes, consolePath, TextTarget::Utf8);
  const QString text = FromUtf8ConsoleText(utf8);
  QTextCursor cursor(pane_.document());
  cursor.select(QTextCursor::Document);
  cursor.insertText(text);
  pane_.moveCursor(QTextCursor::Start);
  crLf_ = bytes.find("\r\n") != std::string::npos;
  Reset(path, text);
}

void SqlPaneFile::Save(const QString& path) {
  QString text = pane_.toPlainText();
  QString written = text;
  if (crLf_) written.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  const QByteArray bytes = written.toUtf8();
  SaveResultLog(ConsolePath(path),
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  Reset(path, text);
}

void SqlPaneFile::Reset(const QString& path, const QString& text) {
  path_ = path;
  savedText_ = text;
  pane_.document()->setModified(false);
  emit StateChanged();
}

}  // namespace tarnwick
