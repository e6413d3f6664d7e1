#pragma once
// The SQL file the pane's text came from, or was last saved to: its name for the title bar,
// whether the pane's text changed since, and reading and writing the text. A file is read as
// script files are (UTF-8 with or without its mark, UTF-16 with its mark, else Shift-JIS) and
// written in UTF-8 without a mark, with the line breaks it was read with (CR LF or LF; a new
// file gets LF).
#include <QObject>
#include <QString>

class QPlainTextEdit;

namespace tarnwick {

class SqlPaneFile : public QObject {
  Q_OBJECT
 public:
  explicit SqlPaneFile(QPlainTextEdit& pane);

  bool HasFile() const { return !path_.isEmpty(); }
  QString Path() const { return path_; }
  QString FileName() const;
  // The pane's text differs from the file's as it was read or last written.
  bool Changed() const;

  // Reads a file into the pane, replacing its text as one edit (undo brings the text before
  // it back). Throws TarnwickError when it cannot be read or decoded; the pane is unchanged.
  void Open(const QString& path);
  // Writes the pane's text to a file, which becomes the pane's file. Throws TarnwickError
  // (FileCreateMessage) when it cannot be written; the file stays as it was.
  void Save(const QString& path);

 signals:
  // The file, or whether the text changed since it was read or written, changed.
  void StateChanged();

 private:
  void Reset(const QString& path, const QString& text);

  QPlainTextEdit& pane_;
  QString path_;
  QString savedText_;
  bool crLf_ = false;
};

}  // namespace tarnwick
