#pragma once
// Tools → Translation memory…: the TMX files attached to the project, added and removed.
#include <QDialog>

#include <string>
#include <vector>

#include "ui/WindowDialogs.h"

class QListWidget;
class QPushButton;

class TMemoryFilesDialog : public QDialog {
 public:
  // File choices go through `dialogs`, so tests answer them.
  TMemoryFilesDialog(TWindowDialogs& dialogs, const TCatalogueText& text, const std::vector<std::string>& files,
                     QWidget* parent = nullptr);

  std::vector<std::string> Files() const;
  void AddClick();     // asks for a TMX file and appends it (once)
  void RemoveClick();  // removes the selected file

  QListWidget* List = nullptr;
  QPushButton* AddButton = nullptr;
  QPushButton* RemoveButton = nullptr;
  TFileDialog OpenDialog;

 private:
  TWindowDialogs& dialogs_;
};
