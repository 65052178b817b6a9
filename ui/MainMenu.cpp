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

std::vector<TShortcutEntry> TMainMenu::Shortcuts() const {
  auto plain = [](QString text) { return text.remove(QLatin1Char('&')); };
  std::vector<TShortcutEntry> entries;
  for (const QAction* menu : bar_->actions())
    for (const QAction* action : actions_) {
      if (action->shortcuts().isEmpty() || !menu->menu()->actions().contains(action)) continue;
      QStringList keys;
      for (const QKeySequence& shortcut : action->shortcuts()) keys << shortcut.toString(QKeySequence::NativeText);
      entries.push_back({plain(menu->text()), plain(action->text()), keys.join(QStringLiteral(", "))});
    }
  return entries;
}

void TMainMenu::AddSeparator(QMenu* menu) { menu->addSeparator(); }

bool TMainMenu::IsMenuShortcut(const QKeySequence& pressed) const {
  for (const QAction* action : actions_)
    for (const QKeySequence& shortcut : action->shortcuts())
      if (shortcut.matches(pressed) == QKeySequence::ExactMatch) return true;
  return false;
}
