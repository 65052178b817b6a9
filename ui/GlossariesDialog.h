#pragma once
// Tools → Glossaries…: the TBX files of the project's glossaries, added, removed and put in order.
// New terms go into the first of them that can be written.
#include <QDialog>

#include <string>
#include <vector>

#include "ui/WindowDialogs.h"

class QListWidget;
class QPushButton;

class TGlossariesDialog : public QDialog {
 public:
  // File choices go through `dialogs`, so tests answer them.
  TGlossariesDialog(TWindowDialogs& dialogs, const TCatalogueText& text, const std::vector<std::string>& files,
                    QWidget* parent = nullptr);

  std::vector<std::string> Files() const;
  void AddClick();     // asks for a TBX file and appends it (once)
  void RemoveClick();  // removes the selected file
  // The selected file one place up (-1) or down (+1), still selected.
  void MoveClick(int step);

  QListWidget* List = nullptr;
  QPushButton* AddButton = nullptr;
  QPushButton* RemoveButton = nullptr;
  QPushButton* UpButton = nullptr;
  QPushButton* DownButton = nullptr;
  TFileDialog OpenDialog;

 private:
  TWindowDialogs& dialogs_;
};
