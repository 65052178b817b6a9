#pragma once
// The window's dialogs and message boxes as the desktop shows them.
#include "ui/XGTranslator.h"

class TQtWindowDialogs : public TWindowDialogs {
 public:
  bool ExecuteFileDialog(QWidget* owner, TFileDialog& dialog) override;
  bool ExecuteFontDialog(QWidget* owner, TFontDialog& dialog) override;
  void ShowMessage(QWidget* owner, const QString& text) override;
  void ShowErrorBox(QWidget* owner, const QString& caption, const QString& text) override;
  void ShowError(QWidget* owner, const QString& text, const TErrorPlace& place) override;
  TSaveChangesAnswer AskSaveChanges(QWidget* owner) override;
  bool AskNumber(QWidget* owner, const QString& title, const QString& label, int minimum, int maximum,
                 int& value) override;
  bool AskYesNo(QWidget* owner, const QString& text) override;
  bool ExecuteDialog(QWidget* owner, QDialog& dialog) override;
};

// "Name|*.a;*.b|Other|*.c" as Qt writes filters: "Name (*.a *.b);;Other (*.c)".
QString QtFileFilter(const QString& filter);
