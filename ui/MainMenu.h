#pragma once
// The window's menu bar: every command of the tool bar and the picture buttons, plus the editing
// and keyboard commands, each with its shortcut shown.
//
// Entries are added in TForm1::CreateCommands, each calling an operation of the translation session
// or a view:
//
//   m.Add(m.Edit, CatalogueText(u"MenuMarkDeleted"), {}, [this] { Session->MarkDeleted(ShownMessage()); });
//
// Add() creates the action in the chosen menu (File, Edit, View, Go, Tools or Help), shows its
// shortcuts, runs the handler through the window's error guard (an exception is shown in the error
// box and stops there) and makes the menu visible (menus without entries are hidden). Use
// AddSeparator(menu) between groups. Keep the shortcuts unique: the table in README.md lists them.
#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

#include "ui/CatalogueText.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// One menu entry with a shortcut, as the shortcuts list shows it.
struct TShortcutEntry {
  QString Menu;      // the menu's title, without its accelerator mark
  QString Command;   // the entry's text, likewise
  QString Shortcut;  // its shortcuts as the desktop writes them, ", " between
};

class TMainMenu {
 public:
  // `guard` runs a handler and shows what it raises (TForm1::RunGuarded); the menus' titles come
  // from `text`.
  TMainMenu(QMenuBar* bar, const TCatalogueText& text, std::function<void(const std::function<void()>&)> guard);

  QMenu* File = nullptr;
  QMenu* RecentFiles = nullptr;  // submenu of File, filled by TRecentFiles
  QMenu* Edit = nullptr;
  QMenu* View = nullptr;
  QMenu* Go = nullptr;
  QMenu* Tools = nullptr;
  QMenu* Help = nullptr;

  QAction* Add(QMenu* menu, const QString& text, const QList<QKeySequence>& shortcuts,
               const std::function<void()>& handler);
  // An action made elsewhere (the undo stack's own Undo and Redo), with its shortcuts.
  QAction* AddAction(QMenu* menu, QAction* action, const QList<QKeySequence>& shortcuts);
  void AddSeparator(QMenu* menu);
  // Every action of every menu that has a shortcut (for the text box, which must let them pass).
  bool IsMenuShortcut(const QKeySequence& pressed) const;
  // Every entry that has a shortcut, in menu order: the list Help shows is the menus' own.
  std::vector<TShortcutEntry> Shortcuts() const;

 private:
  QMenu* AddMenu(const QString& title);
  QMenuBar* bar_;
  std::function<void(const std::function<void()>&)> guard_;
  QList<QAction*> actions_;
};
