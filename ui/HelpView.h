#pragma once
// The Help menu: the list of every shortcut (built from the menus themselves, so it cannot drift
// from them) and About with the program's version.
#include <QDialog>

#include <vector>

#include "ui/CatalogueText.h"
#include "ui/MainMenu.h"

class QTableWidget;
class TWindowDialogs;

class TShortcutsDialog : public QDialog {
 public:
  TShortcutsDialog(const std::vector<TShortcutEntry>& entries, const TCatalogueText& text, QWidget* parent = nullptr);
  // Menu, command and shortcut, one row per entry.
  QTableWidget* Table = nullptr;
};

// "Quest Translator 0.1 ...": the About box's text with CMake's project version.
QString AboutText(const TCatalogueText& text);

// Fills the Help menu of `menu`: Keyboard Shortcuts (F1) and About, shown over `owner`.
void AddHelpMenu(TMainMenu& menu, TWindowDialogs& dialogs, const TCatalogueText& text, QWidget* owner);
