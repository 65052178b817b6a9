#include "ui/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

TMainMenu::TMainMenu(QMenuBar* bar, std::function<void(const std::function<void()>&)> guard)
    : bar_(bar), guard_(std::move(guard)) {
  File = AddMenu(QObject::tr("&File"));
  Edit = AddMenu(QObject::tr("&Edit"));
  View = AddMenu(QObject::tr("&View"));
  Go = AddMenu(QObject::tr("&Go"));
  Tools = AddMenu(QObject::tr("&Tools"));
  Help = AddMenu(QObject::tr("&Help"));
  RecentFiles = new QMenu(QObject::tr("Open &Recent"), File);
  RecentFiles->setObjectName(QStringLiteral("RecentFilesMenu"));
}

QMenu* TMainMenu::AddMenu(const QString& title) {
  QMenu* menu = bar_->addMenu(title);
  // Shown by the first entry, so a menu that no part of the window fills stays out of the way.
  menu->menuAction()->setVisible(false);
  return menu;
}

QAction* TMainMenu::AddAction(QMenu* menu, QAction* action, const QList<QKeySequence>& shortcuts) {
  action->setShortcuts(shortcuts);
  // The menu is in the window, so its shortcuts work wherever the focus is inside it.
  action->setShortcutContext(Qt::WindowShortcut);
  menu->addAction(action);
  menu->menuAction()->setVisible(true);
  actions_.append(action);
  return action;
}

QAction* TMainMenu::Add(QMenu* menu, const QString& text, const QList<QKeySequence>& shortcuts,
                        const std::function<void()>& handler) {
  auto* action = new QAction(text, menu);
  QObject::connect(action, &QAction::triggered, menu, [this, handler] { guard_(handler); });
  return AddAction(menu, action, shortcuts);
}

void TMainMenu::AddSeparator(QMenu* menu) { menu->addSeparator(); }

bool TMainMenu::IsMenuShortcut(const QKeySequence& pressed) const {
  for (const QAction* action : actions_)
    for (const QKeySequence& shortcut : action->shortcuts())
      if (shortcut.matches(pressed) == QKeySequence::ExactMatch) return true;
  return false;
}

// ---------------------------------------------------------------------------------------------
// The window's own entries. Tool bar and picture commands keep their handlers; the menu only
// offers them again with a shortcut.

#include <QUndoStack>

#include "ui/RecentFiles.h"
#include "ui/XGTranslator.h"

void TForm1::CreateMenu() {
  Menu = std::make_unique<TMainMenu>(menuBar(), [this](const std::function<void()>& handler) { RunGuarded(handler); });
  TMainMenu& m = *Menu;
  auto run = [this](void (TForm1::*handler)()) { return [this, handler] { (this->*handler)(); }; };
  // Commands that replace the project ask about unsaved changes inside their handlers.

  m.Add(m.File, tr("&New Project from Quest..."), {QKeySequence(Qt::CTRL | Qt::Key_N)},
        run(&TForm1::NewProjectButtonClick));
  m.Add(m.File, tr("&Open Project..."), {QKeySequence(Qt::CTRL | Qt::Key_O)}, run(&TForm1::LoadProjectButtonClick));
  m.File->addMenu(m.RecentFiles);
  RecentFiles = std::make_unique<TRecentFiles>(
      m.RecentFiles, [this](const QString& fileName) { RunGuarded([this, &fileName] { OpenRecentFile(fileName); }); });
  m.AddSeparator(m.File);
  m.Add(m.File, tr("&Save"), {QKeySequence(Qt::CTRL | Qt::Key_S)}, run(&TForm1::SaveClick));
  m.Add(m.File, tr("Save &As..."), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        run(&TForm1::SaveProjectButtonClick));
  m.AddSeparator(m.File);
  m.Add(m.File, tr("Export &Translated Quest..."), {QKeySequence(Qt::CTRL | Qt::Key_E)},
        run(&TForm1::ExportTargetBtnClick));
  m.Add(m.File, tr("Export S&ource Quest..."), {}, run(&TForm1::ExportSourceBtnClick));
  m.AddSeparator(m.File);
  m.Add(m.File, tr("&Load Messages..."), {}, run(&TForm1::LoadMsgsButtonClick));
  m.Add(m.File, tr("&Write Messages..."), {}, run(&TForm1::SaveMsgsButtonClick));
  m.Add(m.File, tr("Export &for Translation Tools (PO, XLIFF)..."), {}, run(&TForm1::ExportForToolsClick));
  m.Add(m.File, tr("&Import from Translation Tools..."), {}, run(&TForm1::ImportFromToolsClick));
  m.AddSeparator(m.File);
  m.Add(m.File, tr("&Quit"), {QKeySequence(Qt::CTRL | Qt::Key_Q)}, [this] { close(); });

  m.AddAction(m.Edit, Edits->createUndoAction(m.Edit, tr("&Undo")), {QKeySequence(Qt::CTRL | Qt::Key_Z)});
  m.AddAction(m.Edit, Edits->createRedoAction(m.Edit, tr("&Redo")),
              {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  m.AddSeparator(m.Edit);
  m.Add(m.Edit, tr("&Copy Source into Translation"), {QKeySequence(Qt::CTRL | Qt::Key_B)}, [this] {
    CopyImageClick();
    FocusTranslation();
  });
  m.Add(m.Edit, tr("Mark as &Deleted"), {}, run(&TForm1::ClearImageClick));
  m.AddSeparator(m.Edit);
  m.Add(m.Edit, tr("Toggle Needs Re&view"), {QKeySequence(Qt::CTRL | Qt::Key_U)}, run(&TForm1::ToggleReviewClick));
  m.Add(m.Edit, tr("Done and &Next"), {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)},
        run(&TForm1::DoneAndNextClick));

  m.Add(m.View, tr("&Font..."), {}, run(&TForm1::ToolButton7Click));

  m.Add(m.Go, tr("&Previous Message"), {QKeySequence(Qt::CTRL | Qt::Key_Up), QKeySequence(Qt::Key_PageUp)},
        run(&TForm1::PreviousMessageClick));
  m.Add(m.Go, tr("&Next Message"), {QKeySequence(Qt::CTRL | Qt::Key_Down), QKeySequence(Qt::Key_PageDown)},
        run(&TForm1::NextMessageClick));
  m.Add(m.Go, tr("Previous &Unfinished"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up)},
        run(&TForm1::PreviousUnfinishedClick));
  m.Add(m.Go, tr("Next U&nfinished"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down)},
        run(&TForm1::NextUnfinishedClick));
  m.AddSeparator(m.Go);
  m.Add(m.Go, tr("&Go to Message..."), {QKeySequence(Qt::CTRL | Qt::Key_G)}, run(&TForm1::GoToMessageClick));
}
