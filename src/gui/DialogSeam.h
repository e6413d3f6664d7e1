#pragma once
// The window's modal dialogs and message boxes behind one interface, so that the commands
// can be driven without a person: the window asks, a test answers.
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

namespace tarnwick {

// The kinds of file the window's dialogs choose; each kind remembers its own folder.
enum class FileKind { Database, SqlScript, ResultLog };

// One of the window's file dialogs.
struct FileDialogSpec {
  QString name;              // "SDialogDB", "ODialogDB", "ODialogSQL", "SDialog"
  QString filter;            // pairs "description|pattern|description|pattern"
  QString defaultExtension;  // ".mdb", or empty for none
  FileKind kind;
  QString folder = {};  // where the dialog opens; empty: the working folder
};

// The button a question preselects, which Enter answers.
enum class DefaultAnswer { Yes, No };

// A file chosen in a save dialog, with the filter entry that was selected (0: the first).
struct ChosenFile {
  QString path;
  int filter = 0;
};

class DialogSeam {
 public:
  enum class Answer { Yes, No, Cancel };
  virtual ~DialogSeam() = default;
  // The chosen path, or nothing when the user cancels. Neither dialog asks before
  // replacing a file, and neither requires the file to exist.
  virtual std::optional<QString> ChooseSaveFile(QWidget* owner, const FileDialogSpec& spec) = 0;
  virtual std::optional<QString> ChooseOpenFile(QWidget* owner, const FileDialogSpec& spec) = 0;
  // The save dialog, telling which filter entry was selected; by default ChooseSaveFile's path
  // with the first entry.
  virtual std::optional<ChosenFile> ChooseSaveFileAndFilter(QWidget* owner,
                                                            const FileDialogSpec& spec);
  // A Yes/No question without icon; true for Yes.
  virtual bool AskYesNo(QWidget* owner, const QString& caption, const QString& text,
                        DefaultAnswer preselected) = 0;
  // A Yes/No/Cancel question with the question icon, Yes preselected; closing the box is
  // Cancel.
  virtual Answer AskYesNoCancel(QWidget* owner, const QString& caption, const QString& text) = 0;
  // The standard error box: caption "Tarnwick", error icon, one OK button.
  virtual void ShowError(QWidget* owner, const QString& message) = 0;
  // The print dialog "PrintDialog": the user chooses the printer, which the dialog sets up;
  // false when the user cancels. A seam that shows no print dialog cancels it.
  virtual bool ChoosePrinter(QWidget* owner, QPrinter& printer);
};

// The platform's standard dialogs.
class StandardDialogs : public DialogSeam {
 public:
  std::optional<QString> ChooseSaveFile(QWidget* owner, const FileDialogSpec& spec) override;
  std::optional<QString> ChooseOpenFile(QWidget* owner, const FileDialogSpec& spec) override;
  std::optional<ChosenFile> ChooseSaveFileAndFilter(QWidget* owner,
                                                    const FileDialogSpec& spec) override;
  bool AskYesNo(QWidget* owner, const QString& caption, const QString& text,
                DefaultAnswer preselected) override;
  Answer AskYesNoCancel(QWidget* owner, const QString& caption, const QString& text) override;
  void ShowError(QWidget* owner, const QString& message) override;
  bool ChoosePrinter(QWidget* owner, QPrinter& printer) override;
};

// Qt's name filters for a filter written as "description|pattern|...": each description
// followed by its pattern in parentheses (the dialog shows the description alone), with
// "*.*" meaning every file and ';' separating several patterns.
QStringList QtNameFilters(const QString& filter);

}  // namespace tarnwick
