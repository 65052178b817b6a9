#include "ui/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

TMainMenu::TMainMenu(QMenuBar* bar, const TCatalogueText& text, std::function<void(const std::function<void()>&)> guard)
    : bar_(bar), guard_(std::move(guard)) {
  File = AddMenu(text(u"MenuFile"));
  Edit = AddMenu(text(u"MenuEdit"));
  View = AddMenu(text(u"MenuView"));
  Go = AddMenu(text(u"MenuGo"));
  Tools = AddMenu(text(u"MenuTools"));
  Help = AddMenu(text(u"MenuHelp"));
  RecentFiles = new QMenu(text(u"MenuOpenRecent"), File);
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
  Menu = std::make_unique<TMainMenu>(menuBar(), CatalogueLookup(*Catalogue),
                                     [this](const std::function<void()>& handler) { RunGuarded(handler); });
  TMainMenu& m = *Menu;
  auto run = [this](void (TForm1::*handler)()) { return [this, handler] { (this->*handler)(); }; };
  // Commands that replace the project ask about unsaved changes inside their handlers.

  m.Add(m.File, CatalogueText(u"MenuNewProject"), {QKeySequence(Qt::CTRL | Qt::Key_N)},
        run(&TForm1::NewProjectButtonClick));
  m.Add(m.File, CatalogueText(u"MenuOpenProject"), {QKeySequence(Qt::CTRL | Qt::Key_O)},
        run(&TForm1::LoadProjectButtonClick));
  m.File->addMenu(m.RecentFiles);
  RecentFiles = std::make_unique<TRecentFiles>(
      m.RecentFiles, [this](const QString& fileName) { RunGuarded([this, &fileName] { OpenRecentFile(fileName); }); });
  m.AddSeparator(m.File);
  m.Add(m.File, CatalogueText(u"MenuSave"), {QKeySequence(Qt::CTRL | Qt::Key_S)}, run(&TForm1::SaveClick));
  m.Add(m.File, CatalogueText(u"MenuSaveAs"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        run(&TForm1::SaveProjectButtonClick));
  m.AddSeparator(m.File);
  m.Add(m.File, CatalogueText(u"MenuExportTranslated"), {QKeySequence(Qt::CTRL | Qt::Key_E)},
        run(&TForm1::ExportTargetBtnClick));
  m.Add(m.File, CatalogueText(u"MenuExportSource"), {}, run(&TForm1::ExportSourceBtnClick));
  m.AddSeparator(m.File);
  m.Add(m.File, CatalogueText(u"MenuLoadMessages"), {}, run(&TForm1::LoadMsgsButtonClick));
  m.Add(m.File, CatalogueText(u"MenuWriteMessages"), {}, run(&TForm1::SaveMsgsButtonClick));
  m.Add(m.File, CatalogueText(u"MenuExportForTools"), {}, run(&TForm1::ExportForToolsClick));
  m.Add(m.File, CatalogueText(u"MenuImportFromTools"), {}, run(&TForm1::ImportFromToolsClick));
  m.AddSeparator(m.File);
  m.Add(m.File, CatalogueText(u"MenuQuit"), {QKeySequence(Qt::CTRL | Qt::Key_Q)}, [this] { close(); });

  m.AddAction(m.Edit, Edits->createUndoAction(m.Edit, CatalogueText(u"MenuUndo")),
              {QKeySequence(Qt::CTRL | Qt::Key_Z)});
  m.AddAction(m.Edit, Edits->createRedoAction(m.Edit, CatalogueText(u"MenuRedo")),
              {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  m.AddSeparator(m.Edit);
  m.Add(m.Edit, CatalogueText(u"MenuCopySource"), {QKeySequence(Qt::CTRL | Qt::Key_B)}, [this] {
    CopyImageClick();
    FocusTranslation();
  });
  m.Add(m.Edit, CatalogueText(u"MenuMarkDeleted"), {}, run(&TForm1::ClearImageClick));
  m.AddSeparator(m.Edit);
  m.Add(m.Edit, CatalogueText(u"MenuToggleReview"), {QKeySequence(Qt::CTRL | Qt::Key_U)},
        run(&TForm1::ToggleReviewClick));
  m.Add(m.Edit, CatalogueText(u"MenuDoneAndNext"),
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)},
        run(&TForm1::DoneAndNextClick));

  m.Add(m.View, CatalogueText(u"MenuFont"), {}, run(&TForm1::ToolButton7Click));

  m.Add(m.Go, CatalogueText(u"MenuPreviousMessage"),
        {QKeySequence(Qt::CTRL | Qt::Key_Up), QKeySequence(Qt::Key_PageUp)}, run(&TForm1::PreviousMessageClick));
  m.Add(m.Go, CatalogueText(u"MenuNextMessage"),
        {QKeySequence(Qt::CTRL | Qt::Key_Down), QKeySequence(Qt::Key_PageDown)}, run(&TForm1::NextMessageClick));
  m.Add(m.Go, CatalogueText(u"MenuPreviousUnfinished"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up)},
        run(&TForm1::PreviousUnfinishedClick));
  m.Add(m.Go, CatalogueText(u"MenuNextUnfinished"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down)},
        run(&TForm1::NextUnfinishedClick));
  m.AddSeparator(m.Go);
  m.Add(m.Go, CatalogueText(u"MenuGoToMessage"), {QKeySequence(Qt::CTRL | Qt::Key_G)}, run(&TForm1::GoToMessageClick));
}
