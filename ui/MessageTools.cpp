#include "ui/MessageTools.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <utility>

#include "project/ProjectClass.h"
#include "ui/ContextPanel.h"
#include "ui/MessageListModel.h"
#include "ui/MessageListPanel.h"
#include "ui/ReplaceDialog.h"
#include "ui/TranslationSession.h"

TMessageTools::TMessageTools(TTranslationSession& session, TCatalogueText text, QWidget* window)
    : QObject(window), session_(session), project_(session.Project()), text_(std::move(text)) {
  ListPanel = new TMessageListPanel(project_, text_);
  ContextPanel = new TContextPanel(project_, text_);
  ReplaceDialog = new TReplaceDialog(project_, text_, window);
  auto choose = [this](int32_t message) {
    if (ShowMessage) ShowMessage(message);
  };
  ListPanel->OnMessageChosen = choose;
  ContextPanel->OnMessageChosen = choose;
  ReplaceDialog->ShownMessage = [this] { return shown_; };
  ReplaceDialog->OnReplace = [this](std::vector<TReplacement> plan) { session_.Replace(std::move(plan)); };
  listener_ = project_.AddChangeListener([this](int32_t message) { MessagesChanged(message); });
  // A project made or opened anew is not searched with the last project's words.
  connect(&session_, &TTranslationSession::ProjectReplaced, ListPanel->SearchEdit, &QLineEdit::clear);

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
    // What the translator searched for is what is to be replaced, with the same options.
    if (!ListPanel->SearchEdit->text().isEmpty()) {
      ReplaceDialog->FindEdit->setText(ListPanel->SearchEdit->text());
      for (auto [from, to] : {std::pair{ListPanel->CaseBox, ReplaceDialog->CaseBox},
                              std::pair{ListPanel->WordsBox, ReplaceDialog->WordsBox},
                              std::pair{ListPanel->RegexBox, ReplaceDialog->RegexBox}})
        to->setChecked(from->isChecked());
    }
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

void TMessageTools::FindNext(bool backward) {
  const int32_t next = ListPanel->NextListed(shown_, backward);
  if (next != 0 && ShowMessage) ShowMessage(next);
}
