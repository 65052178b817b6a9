#pragma once
// TMessageTools: the message list, the context panel, find (Ctrl+F, F3, Shift+F3) and replace
// (Ctrl+H) over one translation session. The window tells the tools which message it shows; the
// tools ask the window to show a message. Changes of the project reach them through its change
// listeners. A replace is the session's, one undo step however many messages it changes.
#include <QObject>

#include <cstdint>
#include <functional>
#include <vector>

#include "project/MessageSearch.h"
#include "ui/CatalogueText.h"

class QAction;
class QWidget;
class TContextPanel;
class TMessageListPanel;
class TReplaceDialog;
class TTranslationSession;
class TtxgProject;

class TMessageTools : public QObject {
 public:
  // The panels are created without a parent widget: the window places them (docks). Destroy the
  // tools before the window's catalogue and project: they take the panels with them. The actions
  // are added to `window`, so their shortcuts work wherever the focus is inside it.
  TMessageTools(TTranslationSession& session, TCatalogueText text, QWidget* window);
  ~TMessageTools() override;

  TMessageListPanel* ListPanel = nullptr;
  TContextPanel* ContextPanel = nullptr;
  TReplaceDialog* ReplaceDialog = nullptr;
  QAction* FindAction = nullptr;          // Ctrl+F: the cursor goes into the search field
  QAction* FindNextAction = nullptr;      // F3
  QAction* FindPreviousAction = nullptr;  // Shift+F3
  QAction* ReplaceAction = nullptr;       // Ctrl+H

  // The window shows `message` (asked by the tools or not).
  std::function<void(int32_t message)> ShowMessage;
  // Before Find puts the cursor into the search field: the window makes the list visible.
  std::function<void()> RevealList;

  // From the window: the message it now shows.
  void MessageShown(int32_t message);
  // The project's change notification: a message changed, or (0) the whole table.
  void MessagesChanged(int32_t message);
  int32_t Shown() const { return shown_; }

 private:
  void FindNext(bool backward);
  void RefreshContextLater();

  TTranslationSession& session_;
  TtxgProject& project_;
  TCatalogueText text_;
  int32_t shown_ = 0;
  int listener_ = 0;
  bool contextRefreshPending_ = false;
};
