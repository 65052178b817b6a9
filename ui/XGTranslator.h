#pragma once
// The translator's main window, TForm1. It shows one message of the translation session's project
// at a time: it turns every button press, menu command, track bar move and text box change into a
// call of the session, and every signal of the session into an update of its controls, in the order
// the behaviour depends on. The work is the session's (TranslationSession.h) and the panels' (each
// a view of its own); the window keeps no translation logic.
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/CentralArea.h"
#include "ui/QtText.h"
#include "ui/WindowDialogs.h"
#include "ui/WindowSettings.h"
#include "ui/WorkspaceView.h"

class QDockWidget;
class QDragEnterEvent;
class QDropEvent;
class TBlockParJD;
class TFileCommands;
class TGlossaryView;
class TMainMenu;
class TMessageChecks;
class TMessageNavigator;
class TMessageTools;
class TRecentFiles;
class TReuseView;
class TReviewPanel;
class TSuggestionsPanel;
class TTranslationSession;
class TWindowStatusBar;

class TForm1 : public QMainWindow {
 public:
  // Builds the controls, then runs FormCreate; a missing catalogue or key raises its error.
  TForm1(TWindowDialogs& dialogs, const QStringList& catalogueCandidates = DefaultCatalogueCandidates(),
         QWidget* parent = nullptr);
  ~TForm1() override;

  // Controls, named as the rest of the program and the tests know them: the central area's.
  TCentralArea* CentralArea = new TCentralArea(this);
  QWidget* ToolBar1 = CentralArea->ToolBar1;
  QToolButton* NewProjectButton = CentralArea->NewProjectButton;
  QToolButton* LoadProjectButton = CentralArea->LoadProjectButton;
  QToolButton* SaveProjectButton = CentralArea->SaveProjectButton;
  QToolButton* QuickSaveProjectButton = CentralArea->QuickSaveProjectButton;
  QToolButton* ExportSourceBtn = CentralArea->ExportSourceBtn;
  QToolButton* ExportTargetBtn = CentralArea->ExportTargetBtn;
  QToolButton* LoadMsgsButton = CentralArea->LoadMsgsButton;
  QToolButton* SaveMsgsButton = CentralArea->SaveMsgsButton;
  QToolButton* ToolButton7 = CentralArea->ToolButton7;
  TMemo* SourceMemo = CentralArea->SourceMemo;
  QLabel* StatusLabel = CentralArea->StatusLabel;
  TMemo* TargetMemo = CentralArea->TargetMemo;
  TTrackBar* MessagesListTrackBar = CentralArea->MessagesListTrackBar;
  QLabel* MessageNumberLabel = CentralArea->MessageNumberLabel;
  TPictureButton* BackImage = CentralArea->BackImage;
  TPictureButton* FindNotEditedImage = CentralArea->FindNotEditedImage;
  TPictureButton* ForwardImage = CentralArea->ForwardImage;
  TPictureButton* CopyImage = CentralArea->CopyImage;
  TPictureButton* ClearImage = CentralArea->ClearImage;
  const std::vector<QIcon>& ButtonsImageList = CentralArea->ButtonsImageList;

  // Views around the central area.
  TMessageChecks* Checks = nullptr;  // markup, findings and spelling of the shown message
  std::unique_ptr<TMainMenu> Menu;
  std::unique_ptr<TWindowStatusBar> Status;
  std::unique_ptr<TRecentFiles> RecentFiles;
  TReviewPanel* ReviewPanel = nullptr;
  std::unique_ptr<TReuseView> Reuse;  // the suggestions, the update and the memory files
  TSuggestionsPanel* Suggestions = nullptr;
  QDockWidget* ListDock = nullptr;
  QDockWidget* ContextDock = nullptr;
  QDockWidget* SuggestionsDock = nullptr;

  // The file dialogs and the commands that open, save, import and export.
  std::unique_ptr<TFileCommands> Files;
  // The moves between messages.
  std::unique_ptr<TMessageNavigator> Navigator;
  TFontDialog FontDialog1{WindowFont()};
  // Every file dialog, for the folders remembered between runs.
  std::vector<TFileDialog*> FileDialogs();

  std::unique_ptr<TBlockParJD> Catalogue;
  QString CatalogueFileName;
  // The open project with its file, undo history and memory. Made by FormCreate after the
  // catalogue; the views below are handed it.
  TTranslationSession* Session = nullptr;
  // The message list, context, find and replace. Declared after the catalogue: its panels read it
  // while they are torn down.
  std::unique_ptr<TMessageTools> Tools;
  // The Terms panel, the term marks and the glossary commands (made with the commands).
  std::unique_ptr<TGlossaryView> Glossary;
  std::unique_ptr<TWorkspaceView> Workspace;

  void FormCreate();
  void FormResize();
  void FormActivate();
  void ProcessEnabledControls();
  void PrepareFormForProject();

  // Event handlers. They raise on failure; the connections to the toolkit run them inside
  // RunGuarded, which shows the error.
  void NewProjectButtonClick();
  void LoadProjectButtonClick();
  void SaveProjectButtonClick();
  void QuickSaveProjectButtonClick();
  void ExportSourceBtnClick();
  void ExportTargetBtnClick();
  void SaveMsgsButtonClick();
  void LoadMsgsButtonClick();
  void ToolButton7Click();
  void CopyImageClick();
  void ClearImageClick();
  void BackImageMouseDown();
  void ForwardImageMouseDown();
  void FindNotEditedImageMouseDown();
  void MessagesListTrackBarChange();
  void TargetMemoChange();
  void SourceMemoChange();

  // Menu and keyboard commands (the moves of the Go menu are the navigator's).
  void ToggleReviewClick();
  // Done and next: the review mark goes off, then on to the next unfinished message.
  void DoneAndNextClick();
  // The cursor into the translation, ready for typing: the whole text of an untranslated message
  // selected (typing replaces the copy of the source), or at the end of a translation.
  void FocusTranslation();
  // The font of the window and its texts (the font command, the remembered font).
  void ApplyFont(const QFont& font);

  // Told the message the window shows after every move (0 for none).
  std::function<void(int32_t message)> OnMessageShown;

  bool HasUnsavedChanges() const;
  // Runs an event handler; an exception it raises is shown in the error box and stops there.
  void RunGuarded(const std::function<void()>& handler);
  // The catalogue value of a key as the controls show it.
  QString CatalogueText(const char16_t* key) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreatePanels();
  void CreateCommands();
  void ConnectEvents();
  void ConnectSession();
  void UpdateCaption();
  // The session changed texts or states: the shown message is shown again.
  void ShowChangedMessages(int32_t message);
  int32_t ShownMessage() const;
  void KeepShownMessageInView();

  TWindowDialogs& dialogs_;
};
