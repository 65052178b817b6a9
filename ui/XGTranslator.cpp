#include "ui/XGTranslator.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <QUndoStack>

#include <algorithm>
#include <utility>

#include "project/CatalogueKeys.h"
#include "project/ProjectClass.h"
#include "quest/TextFieldClass.h"
#include "support/JD_BlockPar.h"
#include "support/JD_Error.h"
#include "ui/ContextPanel.h"
#include "ui/DockShare.h"
#include "ui/FileCommands.h"
#include "ui/FileDrop.h"
#include "ui/GlossaryView.h"
#include "ui/HelpView.h"
#include "ui/KeyboardFlow.h"
#include "ui/MainMenu.h"
#include "ui/MessageChecks.h"
#include "ui/MessageListPanel.h"
#include "ui/MessageNavigator.h"
#include "ui/MessageTools.h"
#include "ui/ProblemsView.h"
#include "ui/RecentFiles.h"
#include "ui/ReuseView.h"
#include "ui/ReviewPanel.h"
#include "ui/StatusBar.h"
#include "ui/SuggestionsPanel.h"
#include "ui/TranslationSession.h"

// The icons are compiled into this static library; a program that links it must register them.
static void RegisterWindowIcons() { Q_INIT_RESOURCE(icons); }

namespace {

constexpr int InitialLeft = 157;
constexpr int InitialTop = 107;
// The message list under the central area at first start: a header and about eight rows.
constexpr int InitialListHeight = 260;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Building the window

TForm1::TForm1(TWindowDialogs& dialogs, const QStringList& catalogueCandidates, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs) {
  RegisterWindowIcons();
  CatalogueFileName = FirstExistingFile(catalogueCandidates);
  FormCreate();
  CreateControls();
  CreatePanels();
  CreateCommands();
  ConnectEvents();
  ConnectSession();
  // The central area is the window the layout rules speak of; menu, status bar and docks come on top.
  move(InitialLeft, InitialTop);
  resize(width() + TSuggestionsPanel::PreferredWidth, height() + InitialListHeight);
  resizeDocks({ListDock}, {InitialListHeight}, Qt::Vertical);
  resizeDocks({SuggestionsDock}, {TSuggestionsPanel::PreferredWidth}, Qt::Horizontal);
  layout()->activate();
  resize(size() + QSize(TCentralArea::InitialWidth, TCentralArea::InitialHeight) - CentralArea->size());
}

TForm1::~TForm1() {
  // Children (the session's undo stack among them) are destroyed after this window's own members
  // and would still announce their changes to handlers of a window that is half gone.
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void TForm1::CreateControls() {
  setObjectName(QStringLiteral("Form1"));
  setFont(WindowFont());
  setAcceptDrops(true);
  CentralArea->installEventFilter(this);
  setCentralWidget(CentralArea);
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  Status = std::make_unique<TWindowStatusBar>(statusBar(), CatalogueLookup(*Catalogue));
  ReviewPanel = TReviewPanel::AddAsToolBar(*this, CatalogueLookup(*Catalogue));
}

std::vector<TFileDialog*> TForm1::FileDialogs() {
  std::vector<TFileDialog*> dialogs = Files->Dialogs();
  if (Reuse) dialogs.push_back(&Reuse->UpdateSourceDialog);
  return dialogs;
}

void TForm1::FormCreate() {
  Catalogue = std::make_unique<TBlockParJD>();
  Catalogue->LoadFromFile(FileNameForLibrary(CatalogueFileName), false);
  // A key missing now would otherwise surface in the middle of some later command.
  WithFileContext(FileNameForLibrary(CatalogueFileName), [this] {
    for (const std::u16string& key : RequiredCatalogueKeys()) Catalogue->Par_Get(key);
  });
  dialogs_.Text = CatalogueLookup(*Catalogue);
  // Hints follow the catalogue's naming: a control's name, then "Hint".
  Session = new TTranslationSession(*Catalogue, this);
  for (QWidget* control : CentralArea->findChildren<QWidget*>())
    if (const std::u16string key = ToWide(control->objectName() + QStringLiteral("Hint")); Session->HasText(key))
      control->setToolTip(CatalogueText(key.c_str()));
  Files = std::make_unique<TFileCommands>(*Session, dialogs_, this);
  Navigator = std::make_unique<TMessageNavigator>(*Session, *MessagesListTrackBar, dialogs_, this);
  SourceMemo->SetText(QString());
  TargetMemo->SetText(QString());
  UpdateCaption();
}

void TForm1::CreatePanels() {
  Checks = new TMessageChecks(SourceMemo, TargetMemo, CatalogueLookup(*Catalogue));
  Checks->RunGuarded = [this](const std::function<void()>& command) { RunGuarded(command); };
  Navigator->Speller = [this] { return Checks->Speller(); };
  Navigator->AfterKeyboardMove = [this] { FocusTranslation(); };
  Checks->OnSpellingError = [this](const QString& error) { dialogs_.ShowError(this, error, TErrorPlace()); };

  auto dock = [this](QWidget* panel, const QString& title, const char* name, Qt::DockWidgetArea area) {
    auto* widget = new QDockWidget(title, this);
    widget->setObjectName(QLatin1String(name));
    widget->setWidget(panel);
    addDockWidget(area, widget);
    return widget;
  };
  Reuse = std::make_unique<TReuseView>(*Session, dialogs_, this);
  Suggestions = Reuse->Panel;
  SuggestionsDock =
      dock(Suggestions, CatalogueText(u"SuggestionsDockTitle"), "SuggestionsDock", Qt::RightDockWidgetArea);

  Tools = std::make_unique<TMessageTools>(
      *Session, [this](const char16_t* key) { return CatalogueText(key); }, this);
  ListDock = dock(Tools->ListPanel, CatalogueText(u"ListDockTitle"), "ListDock", Qt::BottomDockWidgetArea);
  ContextDock = dock(Tools->ContextPanel, CatalogueText(u"ContextDockTitle"), "ContextDock", Qt::BottomDockWidgetArea);
  new TDockShare(*this, *ListDock);
  // Both under the editor, side by side: the editor keeps its width and its layout rules.
  splitDockWidget(ListDock, ContextDock, Qt::Horizontal);
  resizeDocks({ListDock, ContextDock}, {2, 1}, Qt::Horizontal);
}

void TForm1::CreateCommands() {
  Menu = std::make_unique<TMainMenu>(menuBar(), CatalogueLookup(*Catalogue),
                                     [this](const std::function<void()>& handler) { RunGuarded(handler); });
  TMainMenu& m = *Menu;
  using Keys = QList<QKeySequence>;
  // A menu entry, and the tool bar button that runs the same handler.
  auto add = [this, &m](QMenu* menu, const char16_t* key, const Keys& keys, void (TForm1::*handler)(),
                        QToolButton* button = nullptr) {
    m.Add(menu, CatalogueText(key), keys, [this, handler] { (this->*handler)(); });
    if (button != nullptr)
      connect(button, &QToolButton::clicked, this,
              [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
  };
  // Commands that replace the project ask about unsaved changes inside their handlers.
  add(m.File, u"MenuNewProject", {Qt::CTRL | Qt::Key_N}, &TForm1::NewProjectButtonClick, NewProjectButton);
  add(m.File, u"MenuOpenProject", {Qt::CTRL | Qt::Key_O}, &TForm1::LoadProjectButtonClick, LoadProjectButton);
  m.File->addMenu(m.RecentFiles);
  RecentFiles = std::make_unique<TRecentFiles>(m.RecentFiles, [this](const QString& fileName) {
    RunGuarded([this, &fileName] { Files->OpenRecentFile(fileName); });
  });
  m.AddSeparator(m.File);
  m.Add(m.File, CatalogueText(u"MenuSave"), {Qt::CTRL | Qt::Key_S}, [this] { Files->Save(); });
  add(m.File, u"MenuSaveAs", {Qt::CTRL | Qt::SHIFT | Qt::Key_S}, &TForm1::SaveProjectButtonClick, SaveProjectButton);
  connect(QuickSaveProjectButton, &QToolButton::clicked, this,
          [this] { RunGuarded([this] { QuickSaveProjectButtonClick(); }); });
  m.AddSeparator(m.File);
  add(m.File, u"MenuExportTranslated", {Qt::CTRL | Qt::Key_E}, &TForm1::ExportTargetBtnClick, ExportTargetBtn);
  add(m.File, u"MenuExportSource", {}, &TForm1::ExportSourceBtnClick, ExportSourceBtn);
  m.AddSeparator(m.File);
  add(m.File, u"MenuLoadMessages", {}, &TForm1::LoadMsgsButtonClick, LoadMsgsButton);
  add(m.File, u"MenuWriteMessages", {}, &TForm1::SaveMsgsButtonClick, SaveMsgsButton);
  m.Add(m.File, CatalogueText(u"MenuExportForTools"), {}, [this] { Files->ExportForTools(); });
  m.Add(m.File, CatalogueText(u"MenuImportFromTools"), {}, [this] { Files->ImportFromTools(); });
  m.Add(m.File, CatalogueText(u"MenuExportTmx"), {}, [this] { Files->ExportTmx(); });
  m.AddSeparator(m.File);
  m.Add(m.File, CatalogueText(u"MenuQuit"), {Qt::CTRL | Qt::Key_Q}, [this] { close(); });

  m.AddAction(m.Edit, Session->Edits().createUndoAction(m.Edit, CatalogueText(u"MenuUndo")), {Qt::CTRL | Qt::Key_Z});
  m.AddAction(m.Edit, Session->Edits().createRedoAction(m.Edit, CatalogueText(u"MenuRedo")),
              {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y});
  m.AddSeparator(m.Edit);
  m.Add(m.Edit, CatalogueText(u"MenuCopySource"), {Qt::CTRL | Qt::Key_B}, [this] {
    CopyImageClick();
    FocusTranslation();
  });
  add(m.Edit, u"MenuMarkDeleted", {}, &TForm1::ClearImageClick);
  m.Add(m.Edit, CatalogueText(u"MenuClearTranslation"), {Qt::CTRL | Qt::Key_Delete}, [this] {
    if (Session->ClearForTyping(ShownMessage())) TargetMemo->SetText(QString());
    FocusTranslation();
  });
  m.AddSeparator(m.Edit);
  add(m.Edit, u"MenuToggleReview", {Qt::CTRL | Qt::Key_U}, &TForm1::ToggleReviewClick);
  add(m.Edit, u"MenuDoneAndNext", {Qt::CTRL | Qt::Key_Return, Qt::CTRL | Qt::Key_Enter}, &TForm1::DoneAndNextClick);
  m.AddSeparator(m.Edit);
  for (int i = 0; i < TSuggestionsPanel::MaxSuggestions; ++i)
    m.Add(m.Edit, CatalogueText(u"MenuInsertSuggestion").arg(i + 1), {Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)},
          [this, i] { Suggestions->InsertSuggestion(i); });
  m.AddSeparator(m.Edit);
  m.AddAction(m.Edit, Tools->FindAction, {QKeySequence::Find});
  m.AddAction(m.Edit, Tools->FindNextAction, {Qt::Key_F3});
  m.AddAction(m.Edit, Tools->FindPreviousAction, {Qt::SHIFT | Qt::Key_F3});
  m.AddAction(m.Edit, Tools->ReplaceAction, {Qt::CTRL | Qt::Key_H});

  add(m.View, u"MenuFont", {}, &TForm1::ToolButton7Click, ToolButton7);
  m.Add(m.View, CatalogueText(u"MenuUnusedTranslations"), {}, [this] { Reuse->ShowUnusedTranslations(); });
  m.Add(m.View, CatalogueText(u"MenuProblemsList"), {}, [this] { ShowProblems(*Session, *Navigator, dialogs_, this); });
  m.AddSeparator(m.View);
  for (auto [dock, key] : {std::pair{ListDock, u"ListPanelAction"}, std::pair{ContextDock, u"ContextPanelAction"},
                           std::pair{SuggestionsDock, u"SuggestionsPanelAction"}}) {
    dock->toggleViewAction()->setText(CatalogueText(key));
    m.AddAction(m.View, dock->toggleViewAction(), {});
  }

  // The moves of the Go menu leave the cursor in the translation, ready for typing.
  TMessageNavigator& go = *Navigator;
  m.Add(m.Go, CatalogueText(u"MenuPreviousMessage"), {Qt::CTRL | Qt::Key_Up, Qt::Key_PageUp},
        [&go] { go.StepListed(-1); });
  m.Add(m.Go, CatalogueText(u"MenuNextMessage"), {Qt::CTRL | Qt::Key_Down, Qt::Key_PageDown},
        [&go] { go.StepListed(+1); });
  m.Add(m.Go, CatalogueText(u"MenuPreviousUnfinished"), {Qt::CTRL | Qt::SHIFT | Qt::Key_Up},
        [&go] { go.GoToUnfinished(-1); });
  m.Add(m.Go, CatalogueText(u"MenuNextUnfinished"), {Qt::CTRL | Qt::SHIFT | Qt::Key_Down},
        [&go] { go.GoToUnfinished(+1); });
  m.AddSeparator(m.Go);
  m.Add(m.Go, CatalogueText(u"MenuGoToMessage"), {Qt::CTRL | Qt::Key_G}, [&go] { go.GoToMessage(); });
  m.AddSeparator(m.Go);
  m.Add(m.Go, CatalogueText(u"MenuNextProblem"), {Qt::CTRL | Qt::SHIFT | Qt::Key_E}, [&go] { go.GoToProblem(+1); });
  m.Add(m.Go, CatalogueText(u"MenuPreviousProblem"), {Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_E},
        [&go] { go.GoToProblem(-1); });
  m.Add(m.Go, CatalogueText(u"MenuShowProblems"), {Qt::Key_F8},
        [this] { dialogs_.ShowMessage(this, Checks->Problems()); });
  m.Add(m.Tools, CatalogueText(u"MenuUpdateSource"), {}, [this] { Reuse->UpdateSourceQuest(); });
  m.Add(m.Tools, CatalogueText(u"MenuMemoryFiles"), {}, [this] { Reuse->EditMemoryFiles(); });
  m.AddSeparator(m.Tools);
  m.AddAction(m.Tools, Checks->CreateSpellingMenu(m.Tools)->menuAction(), {});
  AddHelpMenu(m, dialogs_, CatalogueLookup(*Catalogue), this);
  Glossary = std::make_unique<TGlossaryView>(*this, dialogs_);    // the Terms dock and the glossary commands
  Workspace = std::make_unique<TWorkspaceView>(*this, dialogs_);  // the Workspace dock and Open Folder
}

void TForm1::ConnectEvents() {
  auto guarded = [this](void (TForm1::*handler)()) {
    return [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); };
  };
  CopyImage->OnClick = guarded(&TForm1::CopyImageClick);
  ClearImage->OnClick = guarded(&TForm1::ClearImageClick);
  BackImage->OnMouseDown = guarded(&TForm1::BackImageMouseDown);
  ForwardImage->OnMouseDown = guarded(&TForm1::ForwardImageMouseDown);
  FindNotEditedImage->OnMouseDown = guarded(&TForm1::FindNotEditedImageMouseDown);
  MessagesListTrackBar->UserMoved = guarded(&TForm1::MessagesListTrackBarChange);
  // Raised by the program's own changes, inside a command that already runs guarded.
  MessagesListTrackBar->OnChange = [this] { MessagesListTrackBarChange(); };
  TargetMemo->OnChange = [this] { TargetMemoChange(); };
  TargetMemo->OnUserEdit = guarded(&TForm1::TargetMemoChange);
  SourceMemo->OnChange = [this] { SourceMemoChange(); };
  ReviewPanel->OnReviewClicked = guarded(&TForm1::ToggleReviewClick);
  ReviewPanel->OnNoteEdited = [this] {
    RunGuarded([this] { Session->SetNote(ShownMessage(), ToWide(ReviewPanel->Note->text())); });
  };
  Tools->ShowMessage = [this](int32_t message) {
    RunGuarded([this, message] { Navigator->ShowPosition(Session->Project().PositionOfMessage(message)); });
  };
  Tools->RevealList = [this] {
    ListDock->show();
    ListDock->raise();
  };
  OnMessageShown = [this](int32_t message) { Tools->MessageShown(message); };
  Files->BeforeProjectReplaced = [this] { MessagesListTrackBar->SetPosition(0); };
  Files->FileUsed = [this](const QString& fileName) { RecentFiles->Add(fileName); };
  Files->ShowReportedMessage = [this](const std::u16string& id) {
    RunGuarded([this, &id] {
      if (!Navigator->ShowMessageWithId(id))
        statusBar()->showMessage(CatalogueText(u"NoMessageWithId").arg(FromWide(id)), 5000);
    });
  };
  Navigator->List = Tools->ListPanel->Model;
  auto* keyboard = new TKeyboardFlow(
      *this, [this](const QKeySequence& keys) { return Menu->IsMenuShortcut(keys); }, [this] { FocusTranslation(); });
  keyboard->ReturnFrom(Tools->ListPanel->SearchEdit, false);
  keyboard->ReturnFrom(Tools->ListPanel->Table, true);
  TKeyboardFlow::SetTabOrder({TargetMemo, ReviewPanel->Note, ReviewPanel->NeedsReview, Tools->ListPanel->Table});
}

void TForm1::ConnectSession() {
  TTranslationSession& session = *Session;
  connect(&session, &TTranslationSession::ProjectReplaced, this, [this] {
    UpdateCaption();
    PrepareFormForProject();
  });
  connect(&session, &TTranslationSession::MessagesChanged, this, [this](int32_t m) { ShowChangedMessages(m); });
  connect(&session, &TTranslationSession::ShowRequested, this,
          [this](int32_t message) { Navigator->ShowPosition(Session->PositionToShow(message)); });
  connect(&session, &TTranslationSession::ShownTextReplaced, this, [this] {
    // The box must not write the text back: it would store it trimmed.
    TargetMemo->ShowStoredText(FromWide(Session->Project().GetTargetText(ShownMessage())));
    TargetMemo->moveCursor(QTextCursor::End);
    ProcessEnabledControls();
  });
  connect(&session, &TTranslationSession::FileNameChanged, this, [this] { UpdateCaption(); });
  connect(&session, &TTranslationSession::ModifiedChanged, this, [this] { setWindowModified(HasUnsavedChanges()); });
  Tools->MessagesChanged(0);
  Tools->MessageShown(ShownMessage());
}

// ---------------------------------------------------------------------------------------------
// Showing the project

void TForm1::RunGuarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    dialogs_.ShowError(this, QString::fromUtf8(error.what()), ErrorPlaceOf(error));
  } catch (...) {
    dialogs_.ShowError(this, QStringLiteral("Unknown error"), TErrorPlace());
  }
}

QString TForm1::CatalogueText(const char16_t* key) const { return FromWide(CatalogueValue(*Catalogue, key)); }
bool TForm1::HasUnsavedChanges() const { return Session->HasUnsavedChanges(); }

void TForm1::UpdateCaption() {
  setWindowTitle(Session->Title());
  QuickSaveProjectButton->setEnabled(Session->HasFile());
}

void TForm1::FormResize() {
  const QSize held = CentralArea->LayOut();
  // Too narrow a window takes the width from the docked Suggestions panel before it grows again.
  const int missing = held.width() - CentralArea->width();
  const int spare = SuggestionsDock->width() - SuggestionsDock->minimumSizeHint().width();
  if (missing > 0 && spare > 0 && SuggestionsDock->isVisible() && !SuggestionsDock->isFloating())
    return resizeDocks({SuggestionsDock}, {SuggestionsDock->width() - std::min(missing, spare)}, Qt::Horizontal);
  if (CentralArea->size() != held) resize(size() + held - CentralArea->size());
}

void TForm1::FormActivate() { FormResize(); }
int32_t TForm1::ShownMessage() const { return Session->Project().MessageAtPosition(MessagesListTrackBar->Position()); }

void TForm1::ProcessEnabledControls() {
  const TtxgProject& project = Session->Project();
  const int position = MessagesListTrackBar->Position();
  const int32_t shown = ShownMessage();
  const bool stillSource = TrimQuestText(ToWide(SourceMemo->Text())) == TrimQuestText(ToWide(TargetMemo->Text())) &&
                           !project.TranslatedAsIs(shown);
  CentralArea->ShowMessageState(position >= 1, stillSource, shown >= 1 && project.NeedsReview(shown),
                                position >= 1 && project.IsLinked(shown));
  const QString kind = position >= 1 ? Session->KindText(shown) : QString();
  StatusLabel->setText(kind);
  Status->ShowProject(project, Session->WorkSizes(), position, kind);
  ReviewPanel->ShowMessage(project, shown);
  Checks->Refresh(&Session->Project(), position >= 1 ? shown : 0);
}

void TForm1::PrepareFormForProject() {
  Reuse->ShowMemoryProblems();
  MessagesListTrackBar->SetMax(Session->Project().PositionCount);
  FormResize();  // the position's room depends on the largest position
  MessagesListTrackBar->SetPosition(Session->PositionToShow(Session->Project().CurrentMessage));
  ProcessEnabledControls();
  Reuse->MessageShown();
}

void TForm1::KeepShownMessageInView() {
  // Relinking can move messages to other positions; the shown message must stay the one the
  // position stands for, or Copy and Clear would write into another message.
  const int32_t shown = Session->Project().CurrentMessage;
  MessagesListTrackBar->SetMax(Session->Project().PositionCount);
  const int position = Session->PositionToShow(shown);
  if (position != MessagesListTrackBar->Position())
    MessagesListTrackBar->SetPosition(position);
  else if (ShownMessage() != shown)
    MessagesListTrackBarChange();
}

void TForm1::ShowChangedMessages(int32_t message) {
  if (message == 0) KeepShownMessageInView();
  const TtxgProject& project = Session->Project();
  TargetMemo->SetText(FromWide(project.GetTargetText(project.CurrentMessage)));
  if (message == 0) SourceMemo->SetText(FromWide(project.GetSourceText(project.CurrentMessage)));
  TargetMemo->moveCursor(QTextCursor::End);
  ProcessEnabledControls();
  Reuse->MessageShown();
}

// ---------------------------------------------------------------------------------------------
// Project commands: the file commands view asks and calls the session

void TForm1::NewProjectButtonClick() { Files->NewProject(); }
void TForm1::LoadProjectButtonClick() { Files->OpenProject(); }
void TForm1::SaveProjectButtonClick() { Files->SaveAs(); }
void TForm1::QuickSaveProjectButtonClick() { Files->QuickSave(); }
void TForm1::ExportSourceBtnClick() { Files->ExportSource(); }
void TForm1::ExportTargetBtnClick() { Files->ExportTranslated(); }
void TForm1::SaveMsgsButtonClick() { Files->WriteMessages(); }
void TForm1::LoadMsgsButtonClick() { Files->LoadMessages(); }

void TForm1::ToolButton7Click() {
  if (dialogs_.ExecuteFontDialog(this, FontDialog1)) ApplyFont(FontDialog1.Font);
}

void TForm1::ApplyFont(const QFont& font) {
  FontDialog1.Font = font;
  setFont(font);
  SourceMemo->setFont(font);
  StatusLabel->setFont(font);
  TargetMemo->setFont(font);
}

// ---------------------------------------------------------------------------------------------
// Editing and navigation

void TForm1::SourceMemoChange() { ProcessEnabledControls(); }

void TForm1::MessagesListTrackBarChange() {
  const int position = MessagesListTrackBar->Position();
  MessageNumberLabel->setText(QString::number(position));
  MessageNumberLabel->adjustSize();
  Session->ShowMessage(ShownMessage());
  const TtxgProject& project = Session->Project();
  TargetMemo->SetText(FromWide(project.GetTargetText(project.CurrentMessage)));
  SourceMemo->SetText(FromWide(project.GetSourceText(project.CurrentMessage)));
  TargetMemo->PlaceCursor(Session->TypingReplaces(project.CurrentMessage));
  ProcessEnabledControls();
  // Only now do both boxes show the new message: the offer to fill the one left may come.
  Reuse->MessageShown();
  if (OnMessageShown) OnMessageShown(project.CurrentMessage);
}

void TForm1::TargetMemoChange() {
  Session->StoreShownText(ShownMessage(), ToWide(TargetMemo->Text()), TargetMemo->UserEditing());
  ProcessEnabledControls();
}

// The box shows what was put into it, the source as it is or nothing; the project holds what that
// stores (the trimmed source, the deleted-message text).
void TForm1::CopyImageClick() {
  Session->CopySource(ShownMessage());
  TargetMemo->SetText(SourceMemo->Text());
}

void TForm1::ClearImageClick() {
  Session->MarkDeleted(ShownMessage());
  TargetMemo->SetText(QString());
}

void TForm1::ToggleReviewClick() { Session->ToggleReview(ShownMessage()); }

void TForm1::DoneAndNextClick() {
  Session->Finish(ShownMessage());
  Navigator->GoToUnfinished(+1);
}

void TForm1::ForwardImageMouseDown() { Navigator->Step(+1); }
void TForm1::BackImageMouseDown() { Navigator->Step(-1); }
void TForm1::FindNotEditedImageMouseDown() { Navigator->FindNotEdited(); }

void TForm1::FocusTranslation() {
  TargetMemo->setFocus(Qt::ShortcutFocusReason);
  TargetMemo->PlaceCursor(Session->TypingReplaces(ShownMessage()));
}

// ---------------------------------------------------------------------------------------------
// Window events

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == CentralArea && event->type() == QEvent::Resize) RunGuarded([this] { FormResize(); });
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) RunGuarded([this] { FormActivate(); });
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QString fileName = DroppedFile(event->mimeData());
  if (fileName.isEmpty()) return;
  event->acceptProposedAction();
  RunGuarded([this, &fileName] { Files->OpenDroppedFile(fileName); });
}

void TForm1::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  RunGuarded([this, &mayClose] { mayClose = Files->MayDiscardChanges(); });
  if (mayClose) SaveWindowSettings(*this, FontDialog1.Font, FileDialogs());
  event->setAccepted(mayClose);
}
