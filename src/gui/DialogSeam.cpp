#include "gui/DialogSeam.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <algorithm>

namespace tarnwick {

namespace {

const QString kApplicationTitle = QStringLiteral("Tarnwick");

QString QtPattern(QString pattern) {
  pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
  QStringList parts = pattern.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  for (QString& part : parts) {
    if (part == QLatin1String("*.*")) part = QStringLiteral("*");
  }
  return parts.join(QLatin1Char(' '));
}

std::optional<ChosenFile> RunFileDialog(QWidget* owner, const FileDialogSpec& spec,
                                        QFileDialog::AcceptMode mode) {
  QFileDialog dialog(owner);
  dialog.setObjectName(spec.name);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  const QStringList filters = QtNameFilters(spec.filter);
  dialog.setNameFilters(filters);
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.first());
  QString suffix = spec.defaultExtension;
  if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
  dialog.setDefaultSuffix(suffix);
  if (!spec.folder.isEmpty()) dialog.setDirectory(spec.folder);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return ChosenFile{
      dialog.selectedFiles().first(),
      static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

std::optional<QString> PathOf(const std::optional<ChosenFile>& chosen) {
  if (!chosen) return std::nullopt;
  return chosen->path;
}

}  // namespace

QStringList QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << parts[i] + QStringLiteral(" (") + QtPattern(parts[i + 1]) + QLatin1Char(')');
  }
  return filters;
}

std::optional<QString> StandardDialogs::ChooseSaveFile(QWidget* owner, const FileDialogSpec& spec) {
  return PathOf(RunFileDialog(owner, spec, QFileDialog::AcceptSave));
}

std::optional<QString> StandardDialogs::ChooseOpenFile(QWidget* owner, const FileDialogSpec& spec) {
  return PathOf(RunFileDialog(owner, spec, QFileDialog::AcceptOpen));
}

std::optional<ChosenFile> StandardDialogs::ChooseSaveFileAndFilter(QWidget* owner,
                                                                   const FileDialogSpec& spec) {
  return RunFileDialog(owner, spec, QFileDialog::AcceptSave);
}

std::optional<ChosenFile> DialogSeam::ChooseSaveFileAndFilter(QWidget* owner,
                                                              const FileDialogSpec& spec) {
  const std::optional<QString> path = ChooseSaveFile(owner, spec);
  if (!path) return std::nullopt;
  return ChosenFile{*path, 0};
}

bool StandardDialogs::AskYesNo(QWidget* owner, const QString& caption, const QString& text,
                               DefaultAnswer preselected) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, owner);
  box.setDefaultButton(preselected == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

DialogSeam::Answer StandardDialogs::AskYesNoCancel(QWidget* owner, const QString& caption,
                                                   const QString& text) {
  QMessageBox box(QMessageBox::Question, caption, text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

void StandardDialogs::ShowError(QWidget* owner, const QString& message) {
  QMessageBox box(QMessageBox::Critical, kApplicationTitle, message, QMessageBox::Ok, owner);
  box.exec();
}

bool DialogSeam::ChoosePrinter(QWidget*, QPrinter&) { return false; }

bool StandardDialogs::ChoosePrinter(QWidget* owner, QPrinter& printer) {
  QPrintDialog dialog(&printer, owner);
  dialog.setObjectName(QStringLiteral("PrintDialog"));
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace tarnwick
