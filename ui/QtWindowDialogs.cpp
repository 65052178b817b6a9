#include "ui/QtWindowDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "ui/ReportDialog.h"

namespace {

QString BoxCaption(QWidget* owner) {
  if (owner != nullptr && !owner->window()->windowTitle().isEmpty()) {
    QString caption = owner->window()->windowTitle();
    return caption.remove(QStringLiteral("[*]"));  // the window's modified marker
  }
  return QApplication::applicationName();
}

// The first extension of a Qt name filter ("XLIFF 1.2 file (*.xlf *.xliff)" gives "xlf"); empty
// when the filter has none of its own.
QString FirstExtension(const QString& nameFilter) {
  static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)"));
  const QRegularExpressionMatch match = pattern.match(nameFilter);
  return match.hasMatch() ? match.captured(1) : QString();
}

// A report can name every message of a quest; beyond this length the box keeps its size and the
// whole text goes into the box's details.
constexpr int LongestShownReport = 1500;

}  // namespace

QString QtFileFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
  }
  return filters.join(QStringLiteral(";;"));
}

bool TQtWindowDialogs::ExecuteFileDialog(QWidget* owner, TFileDialog& dialog) {
  QFileDialog fileDialog(owner, dialog.Title);
  fileDialog.setNameFilter(QtFileFilter(dialog.Filter));
  fileDialog.setDefaultSuffix(dialog.DefaultExt);
  // A name typed without an extension takes the chosen filter's, which tells the format apart.
  QObject::connect(&fileDialog, &QFileDialog::filterSelected, &fileDialog, [&fileDialog](const QString& filter) {
    const QString extension = FirstExtension(filter);
    if (!extension.isEmpty()) fileDialog.setDefaultSuffix(extension);
  });
  if (dialog.Kind == TFileDialog::ChooseFolder) {
    fileDialog.setFileMode(QFileDialog::Directory);
    fileDialog.setOption(QFileDialog::ShowDirsOnly);
  } else if (dialog.Kind == TFileDialog::Open) {
    fileDialog.setAcceptMode(QFileDialog::AcceptOpen);
    fileDialog.setFileMode(QFileDialog::ExistingFile);
  } else {
    fileDialog.setAcceptMode(QFileDialog::AcceptSave);
    fileDialog.setFileMode(QFileDialog::AnyFile);
    fileDialog.setOption(QFileDialog::DontConfirmOverwrite, !dialog.OverwritePrompt);
  }
  if (!dialog.FileName.isEmpty()) {
    const QFileInfo proposed(dialog.FileName);
    fileDialog.setDirectory(proposed.absolutePath());
    fileDialog.selectFile(proposed.fileName());
  } else if (!dialog.Folder.isEmpty()) {
    fileDialog.setDirectory(dialog.Folder);
  }
  if (fileDialog.exec() != QDialog::Accepted || fileDialog.selectedFiles().isEmpty()) return false;
  dialog.FileName = fileDialog.selectedFiles().front();
  return true;
}

bool TQtWindowDialogs::ExecuteFontDialog(QWidget* owner, TFontDialog& dialog) {
  bool chosen = false;
  const QFont font = QFontDialog::getFont(&chosen, dialog.Font, owner);
  if (chosen) dialog.Font = font;
  return chosen;
}

void TQtWindowDialogs::ShowMessage(QWidget* owner, const QString& text) {
  QMessageBox::information(owner, BoxCaption(owner), text);
}

void TQtWindowDialogs::ShowErrorBox(QWidget* owner, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
  if (text.size() > LongestShownReport) {
    box.setText(text.left(LongestShownReport) + QStringLiteral(" ..."));
    box.setDetailedText(text);
  }
  box.exec();
}

void TQtWindowDialogs::ShowError(QWidget* owner, const QString& text, const TErrorPlace& place) {
  QMessageBox::critical(owner, BoxCaption(owner), ErrorBoxText(text, place));
}

TSaveChangesAnswer TQtWindowDialogs::AskSaveChanges(QWidget* owner) {
  const auto answer = QMessageBox::warning(
      owner, BoxCaption(owner), Text(u"SaveChangesText") + QLatin1Char('\n') + Text(u"SaveChangesQuestion"),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return TSaveChangesAnswer::Save;
  if (answer == QMessageBox::Discard) return TSaveChangesAnswer::Discard;
  return TSaveChangesAnswer::Cancel;
}

TJournalAnswer TQtWindowDialogs::AskJournal(QWidget* owner, const QString& text, bool canRecover, bool canShow) {
  QMessageBox box(QMessageBox::Question, BoxCaption(owner), text, QMessageBox::NoButton, owner);
  QAbstractButton* recover =
      canRecover ? box.addButton(Text(u"JournalRecoverButton"), QMessageBox::AcceptRole) : nullptr;
  QAbstractButton* show = canShow ? box.addButton(Text(u"JournalShowButton"), QMessageBox::ActionRole) : nullptr;
  QAbstractButton* discard = box.addButton(Text(u"JournalDiscardButton"), QMessageBox::DestructiveRole);
  QPushButton* later = box.addButton(Text(u"JournalLaterButton"), QMessageBox::RejectRole);
  box.setDefaultButton(later);
  box.setEscapeButton(later);
  box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  if (clicked != nullptr && clicked == recover) return TJournalAnswer::Recover;
  if (clicked != nullptr && clicked == show) return TJournalAnswer::Show;
  if (clicked == discard) return TJournalAnswer::Discard;
  return TJournalAnswer::Later;
}

bool TQtWindowDialogs::AskNumber(QWidget* owner, const QString& title, const QString& label, int minimum, int maximum,
                                 int& value) {
  bool chosen = false;
  const int number = QInputDialog::getInt(owner, title, label, value, minimum, maximum, 1, &chosen);
  if (chosen) value = number;
  return chosen;
}

bool TQtWindowDialogs::AskYesNo(QWidget* owner, const QString& text) {
  return QMessageBox::question(owner, QApplication::applicationDisplayName(), text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

bool TQtWindowDialogs::ExecuteDialog(QWidget* /*owner*/, QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

bool TQtWindowDialogs::AskText(QWidget* owner, const QString& title, const QString& label, QString& value) {
  bool chosen = false;
  const QString text = QInputDialog::getText(owner, title, label, QLineEdit::Normal, value, &chosen);
  if (chosen) value = text;
  return chosen;
}

void TQtWindowDialogs::ShowReport(QWidget* owner, const QString& caption, const QString& heading,
                                  const TConversionReport& report, const TReportIdHandler& showId) {
  if (report_) report_->close();
  report_ = new TReportDialog(caption, report, showId, Text, owner);
  report_->SetHeading(heading);
  report_->setAttribute(Qt::WA_DeleteOnClose);
  report_->show();
}
