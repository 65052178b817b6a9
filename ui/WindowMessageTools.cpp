// The message list and the context as docks of the window, their View menu entries, and find and
// replace in the Edit menu. Replaces go onto the window's undo stack.
#include <QAction>
#include <QDockWidget>
#include <QKeySequence>
#include <QMenu>

#include "ui/ContextPanel.h"
#include "ui/MainMenu.h"
#include "ui/MessageListPanel.h"
#include "ui/MessageTools.h"
#include "ui/XGTranslator.h"

void TForm1::CreateMessageTools() {
  Tools = std::make_unique<TMessageTools>(
      *Project, [this](const char16_t* key) { return CatalogueText(key); }, *Edits, this);
  auto dock = [this](QWidget* panel, const char16_t* titleKey, const char* name, Qt::DockWidgetArea area) {
    auto* widget = new QDockWidget(CatalogueText(titleKey), this);
    widget->setObjectName(QLatin1String(name));
    widget->setWidget(panel);
    addDockWidget(area, widget);
    return widget;
  };
  ListDock = dock(Tools->ListPanel, u"ListDockTitle", "ListDock", Qt::BottomDockWidgetArea);
  ContextDock = dock(Tools->ContextPanel, u"ContextDockTitle", "ContextDock", Qt::BottomDockWidgetArea);
  // Both under the editor, side by side: the editor keeps its width and its layout rules.
  splitDockWidget(ListDock, ContextDock, Qt::Horizontal);
  resizeDocks({ListDock, ContextDock}, {3, 2}, Qt::Horizontal);
  Tools->RevealList = [this] {
    ListDock->show();
    ListDock->raise();
  };

  TMainMenu& m = *Menu;
  m.AddSeparator(m.Edit);
  m.AddAction(m.Edit, Tools->FindAction, {QKeySequence::Find});
  m.AddAction(m.Edit, Tools->FindNextAction, {QKeySequence(Qt::Key_F3)});
  m.AddAction(m.Edit, Tools->FindPreviousAction, {QKeySequence(Qt::SHIFT | Qt::Key_F3)});
  m.AddAction(m.Edit, Tools->ReplaceAction, {QKeySequence(Qt::CTRL | Qt::Key_H)});
  m.AddSeparator(m.View);
  QAction* showList = ListDock->toggleViewAction();
  showList->setText(CatalogueText(u"ListPanelAction"));
  m.AddAction(m.View, showList, {});
  QAction* showContext = ContextDock->toggleViewAction();
  showContext->setText(CatalogueText(u"ContextPanelAction"));
  m.AddAction(m.View, showContext, {});

  AttachToForm(*Tools, *this);
}
