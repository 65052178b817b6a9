#pragma once
// TMessageTools: the message list, the context panel, find (Ctrl+F, F3, Shift+F3) and replace
// (Ctrl+H), wired to one window. The window tells the tools which message it shows;
// the tools ask the window to show a message. Changes of the project reach them through its
// change listeners. Replaces go onto the undo stack
// as one command each, so a replace-all is one undo step.
#include <QObject>

#include <cstdint>
#include <functional>
#include <vector>

#include "project/MessageSearch.h"
#include "ui/CatalogueText.h"

class QAction;
class QUndoStack;
class QWidget;
class TContextPanel;
class TMessageListPanel;
class TForm1;
class TReplaceDialog;
class TtxgProject;

class TMessageTools : public QObject {
 public:
  // The panels are created without a parent widget: the window places them (docks). Destroy the
  // tools before the window's catalogue and project: they take the panels with them. The actions
  // are added to `window`, so their shortcuts work wherever the focus is inside it.
  TMessageTools(TtxgProject& project, TCatalogueText text, QUndoStack& undoStack, QWidget* window);
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
  // A replace or its undo changed the translation of the shown message: the editor shows it again.
  std::function<void()> ShownTextChanged;
  // Before Find puts the cursor into the search field: the window makes the list visible.
  std::function<void()> RevealList;

  // From the window: the message it now shows.
  void MessageShown(int32_t message);
  // The project's change notification: a message changed, or (0) the whole table.
  void MessagesChanged(int32_t message);
  // Replaces as the dialog would, as one undo step; false when nothing was to change.
  bool Replace(std::vector<TReplacement> plan);
  int32_t Shown() const { return shown_; }

 private:
  void FindNext(bool backward);
  void RefreshContextLater();

  TtxgProject& project_;
  TCatalogueText text_;
  QUndoStack& undoStack_;
  int32_t shown_ = 0;
  int listener_ = 0;
  bool contextRefreshPending_ = false;
};

// Wires the tools to the translator's window: choosing a message moves the track bar, moving the
// track bar selects the row and the context, and the window's edits reach the list.
void AttachToForm(TMessageTools& tools, TForm1& form);
