#pragma once
// Tools → Workspace Settings…: the target language of the game and the memory and glossary files
// every quest of the workspace uses. The file lists are edited in the memory and glossary dialogs.
#include <QDialog>

#include "ui/CatalogueText.h"
#include "ui/WorkspaceSettings.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TWindowDialogs;

class TWorkspaceSettingsDialog : public QDialog {
 public:
  TWorkspaceSettingsDialog(TWindowDialogs& dialogs, const TCatalogueText& text, TWorkspaceSettings settings,
                           QWidget* parent = nullptr);

  QLineEdit* LanguageEdit = nullptr;
  QLabel* MemoryFilesLabel = nullptr;
  QLabel* GlossaryFilesLabel = nullptr;
  QPushButton* MemoryButton = nullptr;
  QPushButton* GlossaryButton = nullptr;

  void EditMemoryFiles();
  void EditGlossaryFiles();
  // What the dialog shows now.
  TWorkspaceSettings Settings() const;

 private:
  void ShowFiles();
  TWindowDialogs& dialogs_;
  TCatalogueText text_;
  TWorkspaceSettings settings_;
};
