#pragma once
// A project's list of files (the translation memories, the glossaries): added, removed and, where
// the order matters, put in order. The texts come from the catalogue under the keys given.
#include <QDialog>

#include <string>
#include <vector>

#include "ui/WindowDialogs.h"

class QListWidget;
class QPushButton;

class TFileListDialog : public QDialog {
 public:
  struct TKeys {
    const char16_t* Title;
    const char16_t* Hint;
    const char16_t* Add;
    const char16_t* Remove;
    const char16_t* Up = nullptr;  // no Up and Down buttons when the order does not matter
    const char16_t* Down = nullptr;
  };
  // File choices go through `dialogs`, so tests answer them.
  TFileListDialog(TWindowDialogs& dialogs, const TCatalogueText& text, const std::vector<std::string>& files,
                  const TKeys& keys, TFileDialog openDialog, QWidget* parent);

  std::vector<std::string> Files() const;
  void AddClick();     // asks for a file and appends it (once)
  void RemoveClick();  // removes the selected file
  // The selected file one place up (-1) or down (+1), still selected.
  void MoveClick(int step);

  QListWidget* List = nullptr;
  QPushButton* AddButton = nullptr;
  QPushButton* RemoveButton = nullptr;
  QPushButton* UpButton = nullptr;  // nullptr without ordering
  QPushButton* DownButton = nullptr;
  TFileDialog OpenDialog;

 private:
  TWindowDialogs& dialogs_;
};
