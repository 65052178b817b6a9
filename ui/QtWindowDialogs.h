#pragma once
// The window's dialogs and message boxes as the desktop shows them.
#include <QPointer>

#include "ui/WindowDialogs.h"

class TReportDialog;

class TQtWindowDialogs : public TWindowDialogs {
 public:
  bool ExecuteFileDialog(QWidget* owner, TFileDialog& dialog) override;
  bool ExecuteFontDialog(QWidget* owner, TFontDialog& dialog) override;
  void ShowMessage(QWidget* owner, const QString& text) override;
  void ShowErrorBox(QWidget* owner, const QString& caption, const QString& text) override;
  void ShowError(QWidget* owner, const QString& text, const TErrorPlace& place) override;
  TSaveChangesAnswer AskSaveChanges(QWidget* owner) override;
  TJournalAnswer AskJournal(QWidget* owner, const QString& text, bool canRecover, bool canShow) override;
  bool AskNumber(QWidget* owner, const QString& title, const QString& label, int minimum, int maximum,
                 int& value) override;
  bool AskYesNo(QWidget* owner, const QString& text) override;
  bool ExecuteDialog(QWidget* owner, QDialog& dialog) override;
  bool AskText(QWidget* owner, const QString& title, const QString& label, QString& value) override;
  // Non-modal, so the translator can go through the entries in the window; a new report replaces
  // the one still open.
  void ShowReport(QWidget* owner, const QString& caption, const QString& heading, const TConversionReport& report,
                  const TReportIdHandler& showId) override;

 private:
  QPointer<TReportDialog> report_;
};

// "Name|*.a;*.b|Other|*.c" as Qt writes filters: "Name (*.a *.b);;Other (*.c)".
QString QtFileFilter(const QString& filter);
