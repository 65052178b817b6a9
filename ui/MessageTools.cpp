#include "ui/MessageTools.h"

#include <QAction>
#include <QPointer>
#include <QTimer>
#include <QUndoStack>
#include <QWidget>

#include <memory>

#include "project/ProjectClass.h"
#include "ui/ContextPanel.h"
#include "ui/MessageListModel.h"
#include "ui/MessageListPanel.h"
#include "ui/ReplaceCommand.h"
#include "ui/ReplaceDialog.h"
#include "ui/XGTranslator.h"

TMessageTools::TMessageTools(TtxgProject& project, TCatalogueText text, QUndoStack& undoStack, QWidget* window)
    : QObject(window), project_(project), text_(std::move(text)), undoStack_(undoStack) {
  ListPanel = new TMessageListPanel(project, text_);
  ContextPanel = new TContextPanel(project, text_);
  ReplaceDialog = new TReplaceDialog(project, text_, window);
  auto choose = [this](int32_t message) {
    if (ShowMessage) ShowMessage(message);
  };
  ListPanel->OnMessageChosen = choose;
  ContextPanel->OnMessageChosen = choose;
  ReplaceDialog->ShownMessage = [this] { return shown_; };
  ReplaceDialog->OnReplace = [this](std::vector<TReplacement> plan) { Replace(std::move(plan)); };
  listener_ = project_.AddChangeListener([this](int32_t message) { MessagesChanged(message); });

  auto makeAction = [this, window](const char16_t* key, const QKeySequence& keys) {
    auto* action = new QAction(text_(key), window);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    if (window != nullptr) window->addAction(action);
    return action;
  };
  FindAction = makeAction(u"FindAction", QKeySequence::Find);
  FindNextAction = makeAction(u"FindNextAction", QKeySequence(Qt::Key_F3));
  FindPreviousAction = makeAction(u"FindPreviousAction", QKeySequence(Qt::SHIFT | Qt::Key_F3));
  ReplaceAction = makeAction(u"ReplaceAction", QKeySequence(Qt::CTRL | Qt::Key_H));
  connect(FindAction, &QAction::triggered, this, [this] {
    if (RevealList) RevealList();
    ListPanel->FocusSearch();
  });
  connect(FindNextAction, &QAction::triggered, this, [this] { FindNext(false); });
  connect(FindPreviousAction, &QAction::triggered, this, [this] { FindNext(true); });
  connect(ReplaceAction, &QAction::triggered, this, [this] {
    ReplaceDialog->UpdatePreview();
    ReplaceDialog->show();
    ReplaceDialog->raise();
    ReplaceDialog->activateWindow();
  });
}

// The panels read the catalogue and the project while they are torn down, so they go with the
// tools, before the window's members, wherever the window has placed them.
TMessageTools::~TMessageTools() {
  project_.RemoveChangeListener(listener_);
  for (QPointer<QWidget> widget :
       {QPointer<QWidget>(ReplaceDialog), QPointer<QWidget>(ContextPanel), QPointer<QWidget>(ListPanel)})
    delete widget.data();
}

void TMessageTools::MessageShown(int32_t message) {
  shown_ = message;
  ListPanel->SelectMessage(message);
  ContextPanel->ShowContext(message);
}

void TMessageTools::MessagesChanged(int32_t message) {
  ListPanel->Model->MessageChanged(message);
  if (message == 0 && project_.PositionOfMessage(shown_) < 1) shown_ = 0;
  RefreshContextLater();
}

// A replace-all changes thousands of messages one by one: the context is read again once, after.
void TMessageTools::RefreshContextLater() {
  if (contextRefreshPending_) return;
  contextRefreshPending_ = true;
  QTimer::singleShot(0, this, [this] {
    contextRefreshPending_ = false;
    ContextPanel->ShowContext(shown_);
  });
}

bool TMessageTools::Replace(std::vector<TReplacement> plan) {
  if (plan.empty()) return false;
  auto applied = [this](const std::vector<TReplacement>& replacements) {
    for (const TReplacement& replacement : replacements)
      if (replacement.Message == shown_) {
        if (ShownTextChanged) ShownTextChanged();
        break;
      }
  };
  undoStack_.push(new TReplaceCommand(project_, std::move(plan), applied, text_(u"ReplaceDialogTitle")));
  return true;
}

void TMessageTools::FindNext(bool backward) {
  const int32_t next = ListPanel->NextListed(shown_, backward);
  if (next != 0 && ShowMessage) ShowMessage(next);
}

void AttachToForm(TMessageTools& tools, TForm1& form) {
  tools.ShowMessage = [&form](int32_t message) {
    form.RunGuarded([&form, message] {
      const int32_t position = form.Project->PositionOfMessage(message);
      if (position >= 1) form.MessagesListTrackBar->SetPosition(position);
    });
  };
  tools.ShownTextChanged = [&form] {
    // The text box must not write the text back: it would store it trimmed.
    auto onChange = std::move(form.TargetMemo->OnChange);
    form.TargetMemo->OnChange = nullptr;
    form.TargetMemo->SetText(QString::fromStdU16String(form.Project->GetTargetText(form.Project->CurrentMessage)));
    form.TargetMemo->OnChange = std::move(onChange);
    form.ProcessEnabledControls();
  };
  form.OnMessageShown = [&tools](int32_t message) { tools.MessageShown(message); };
  tools.MessagesChanged(0);
  tools.MessageShown(form.Project->CurrentMessage);
}
