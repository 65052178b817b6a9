#pragma once
// The translator's main window, TForm1. It shows one message of the project at a time and turns
// every button press, track bar move and text box change into calls of the project, in the order
// the behaviour depends on. It keeps no translation logic of its own.
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QSlider>
#include <QString>
#include <QStringList>
#include <QToolButton>
#include <QWidget>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/CatalogueText.h"
#include "ui/EditCommands.h"

class QDialog;
class TBlockParJD;
class TConversionReport;
class TReuseSession;
class TSuggestionsPanel;
struct TFilledMessage;
class TMessageChecks;
class TtxgProject;
class TMainMenu;
class TRecentFiles;
class TReviewPanel;
class TWindowStatusBar;
class QDragEnterEvent;
class QDropEvent;
class QMouseEvent;
class QDockWidget;
class QUndoStack;
class TMessageTools;

// A file dialog as the window configures it: the filter in "Name|*.ext" form, the extension added
// when the user types none, the title, and the file name it proposes and remembers.
struct TFileDialog {
  enum Kinds { Open, Save };
  QString Name;
  Kinds Kind = Open;
  QString Filter;
  QString DefaultExt;
  QString Title;
  QString FileName;
  bool OverwritePrompt = false;
  // Where the dialog starts when FileName is empty (the folder last used with it).
  QString Folder;
};

struct TFontDialog {
  QFont Font;
};

enum class TSaveChangesAnswer { Save, Discard, Cancel };

// What an error says about where it happened: its file (empty when none), the byte a failed read
// began at (-1 when it was no read), the line a text reader stopped at (0 when none), and what more
// is known of the cause.
struct TErrorPlace {
  QString FileName;
  qint64 Offset = -1;
  qint64 Line = 0;
  QString Note;
};
TErrorPlace ErrorPlaceOf(const std::exception& error);
// The error box's text: the lines of DescribeError, as xgtool prints them.
QString ErrorBoxText(const QString& text, const TErrorPlace& place);

// Called with the id of the report entry the user picked; the window shows that message.
using TReportIdHandler = std::function<void(const std::u16string& id)>;

// Every modal dialog and message box of the window goes through this interface, so tests can
// answer dialogs and read messages without a modal event loop.
class TWindowDialogs {
 public:
  virtual ~TWindowDialogs() = default;
  // The texts of the window whose catalogue is loaded (the boxes' own texts come from it).
  TCatalogueText Text;
  // True when the user chose a file; the chosen name is then in dialog.FileName.
  virtual bool ExecuteFileDialog(QWidget* owner, TFileDialog& dialog) = 0;
  virtual bool ExecuteFontDialog(QWidget* owner, TFontDialog& dialog) = 0;
  // The plain message box with one OK button.
  virtual void ShowMessage(QWidget* owner, const QString& text) = 0;
  // A box with a caption, the error icon and an OK button (the import report).
  virtual void ShowErrorBox(QWidget* owner, const QString& caption, const QString& text) = 0;
  // The general error display for a failed command or start-up.
  virtual void ShowError(QWidget* owner, const QString& text, const TErrorPlace& place) = 0;
  // Asked before translations that were changed since the last save or load are thrown away.
  virtual TSaveChangesAnswer AskSaveChanges(QWidget* owner) = 0;
  // A number between `minimum` and `maximum` (Go to message); false when cancelled.
  virtual bool AskNumber(QWidget* owner, const QString& title, const QString& label, int minimum, int maximum,
                         int& value) = 0;
  // A yes-or-no question (the offer to fill a translation into the same texts); no by default.
  virtual bool AskYesNo(QWidget* /*owner*/, const QString& /*text*/) { return false; }
  // Runs a dialog of the window's own (memory files, unused translations); true when accepted.
  virtual bool ExecuteDialog(QWidget* /*owner*/, QDialog& /*dialog*/) { return false; }
  // One line of text (the target language), `value` proposed; false when cancelled.
  virtual bool AskText(QWidget* /*owner*/, const QString& /*title*/, const QString& /*label*/, QString& /*value*/) {
    return false;
  }
  // The report of an import (the report box): its entries grouped by kind, and picking an entry
  // calls showId with its id. By default the error box lists the entries, one a line.
  virtual void ShowReport(QWidget* owner, const QString& caption, const TConversionReport& report,
                          const TReportIdHandler& showId);
};

// A multi-line text box, read-only unless the window lets the user type. It keeps the exact text it
// was given (line breaks included), since the target box's text is written back into the project.
// OnChange is raised when the program sets a different text, OnUserEdit when the user changed it
// (Text() then holds the typed text, its line breaks as "\r\n").
class TMemo : public QPlainTextEdit {
 public:
  explicit TMemo(QWidget* parent);
  const QString& Text() const { return text_; }
  void SetText(const QString& text);
  bool UserEditing() const { return userEditing_; }
  std::function<void()> OnChange;
  std::function<void()> OnUserEdit;
  // Keys the box must leave to the window's menu (undo, moves between messages).
  std::function<bool(const QKeySequence&)> PassesShortcut;

 protected:
  bool event(QEvent* event) override;

 private:
  void TakeTypedText();
  QString text_;
  bool settingText_ = false;
  bool userEditing_ = false;
};

// The horizontal track bar. Program changes of the position or the maximum raise OnChange directly
// (so a failure travels back to the command that moved it); moves by the user arrive through
// UserMoved, which the window guards.
class TTrackBar : public QSlider {
 public:
  explicit TTrackBar(QWidget* parent);
  int Position() const { return value(); }
  void SetPosition(int position);
  int Max() const { return maximum(); }
  void SetMax(int max);
  std::function<void()> OnChange;
  std::function<void()> UserMoved;

 private:
  void RaiseChangeIfMoved(int oldPosition);
};

// A picture that reacts to the mouse: OnMouseDown on any button press, OnClick when the left
// button is released over it.
class TPictureButton : public QLabel {
 public:
  explicit TPictureButton(QWidget* parent);
  std::function<void()> OnMouseDown;
  std::function<void()> OnClick;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressedWithLeft_ = false;
};

// Where "msg_cfg.txt" is looked for, in order: the core's CatalogueCandidates (current directory,
// the folder of the executable, the installed data folder), shared with xgtool.
QStringList DefaultCatalogueCandidates();

// The main window. Its central area holds the controls laid out by FormResize; around it are the
// menu bar (MainMenu.cpp) and the status bar (StatusBar.cpp).
class TForm1 : public QMainWindow, public TEditTarget {
 public:
  // Loads the catalogue, builds the controls, then runs FormCreate; a missing catalogue or
  // required key raises its error.
  TForm1(TWindowDialogs& dialogs, const QStringList& catalogueCandidates = DefaultCatalogueCandidates(),
         QWidget* parent = nullptr);
  ~TForm1() override;

  // Controls, named as the rest of the program and the tests know them.
  QWidget* CentralArea = nullptr;
  QWidget* ToolBar1 = nullptr;
  QToolButton* NewProjectButton = nullptr;
  QToolButton* LoadProjectButton = nullptr;
  QToolButton* SaveProjectButton = nullptr;
  QToolButton* QuickSaveProjectButton = nullptr;
  QToolButton* ExportSourceBtn = nullptr;
  QToolButton* ExportTargetBtn = nullptr;
  QToolButton* LoadMsgsButton = nullptr;
  QToolButton* SaveMsgsButton = nullptr;
  QToolButton* ToolButton7 = nullptr;
  TMemo* SourceMemo = nullptr;
  QLabel* StatusLabel = nullptr;
  TMemo* TargetMemo = nullptr;
  TTrackBar* MessagesListTrackBar = nullptr;
  QLabel* MessageNumberLabel = nullptr;
  TPictureButton* BackImage = nullptr;
  TPictureButton* FindNotEditedImage = nullptr;
  TPictureButton* ForwardImage = nullptr;
  TPictureButton* CopyImage = nullptr;
  TPictureButton* ClearImage = nullptr;
  std::vector<QIcon> ButtonsImageList;
  TMessageChecks* Checks = nullptr;  // markup, findings and spelling of the shown message
  std::unique_ptr<TMainMenu> Menu;
  std::unique_ptr<TWindowStatusBar> Status;
  std::unique_ptr<TRecentFiles> RecentFiles;
  TReviewPanel* ReviewPanel = nullptr;
  QUndoStack* Edits = nullptr;

  TFileDialog SourceOpenDialog;
  TFileDialog ProjectOpenDialog;
  TFileDialog LoadMsgsOpenDialog;
  TFileDialog SourceSaveDialog;
  TFileDialog TargetSaveDialog;
  TFileDialog ProjectSaveDialog;
  TFileDialog SaveMsgsSaveDialog;
  TFontDialog FontDialog1;

  std::unique_ptr<TBlockParJD> Catalogue;
  std::unique_ptr<TtxgProject> Project;
  // The message list, context, find and replace (WindowMessageTools.cpp). Declared after the
  // catalogue and the project: its panels read both while they are torn down.
  std::unique_ptr<TMessageTools> Tools;
  QDockWidget* ListDock = nullptr;
  QDockWidget* ContextDock = nullptr;
  QString CatalogueFileName;

  void LoadCatalogue();
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
  void BackImageClick() {}
  void BackImageMouseDown();
  void ForwardImageClick() {}
  void ForwardImageMouseDown();
  void FindNotEditedImageMouseDown();
  void MessagesListTrackBarChange();
  void TargetMemoChange();
  void SourceMemoChange();
  // The next or previous position whose message has problems, going round (WindowChecks.cpp).
  void NextProblemClick();
  void PreviousProblemClick();

  // Menu and keyboard commands (MainMenu.cpp, WindowEditing.cpp).
  void SaveClick();  // to the project's file when it has one, otherwise under a new name
  void PreviousMessageClick();
  void NextMessageClick();
  void PreviousUnfinishedClick();
  void NextUnfinishedClick();
  // Shows the nearest unfinished message before (-1) or after (+1) the shown one, or says none is.
  void GoToUnfinished(int direction);
  void GoToMessageClick();
  void ToggleReviewClick();
  // Done and next: the review mark goes off, then on to the next unfinished message.
  void DoneAndNextClick();
  void NoteEdited();
  // Leaves the cursor at the end of the translation, ready for typing.
  void FocusTranslation();
  // Load messages without its dialog (a dropped .txt file).
  void LoadMessagesFromFile(const QString& fileName);

  // Files for translation tools (WindowFormats.cpp): PO or XLIFF, told apart by the extension.
  // The export asks for the target language once and keeps it in the project's settings.
  TFileDialog ToolsExportDialog;
  TFileDialog ToolsImportDialog;
  void ExportForToolsClick();
  void ImportFromToolsClick();
  void ExportForTools(const QString& fileName);
  // One undo step, the report in the report box, as Load messages.
  void ImportFromTools(const QString& fileName);
  // Shows the message a report entry names; false when the project has no message with that id.
  bool ShowMessageWithId(const std::u16string& id);

  // Undo and redo come back through these (TEditTarget).
  void PutTranslation(int32_t message, const std::u16string& text) override;
  void PutTranslations(const std::vector<TTextChange>& changes, const std::vector<TStateChange>& states,
                       bool after) override;
  void PutNeedsReview(int32_t message, bool on) override;

  // The steps of New project and Load project after the file is known; also used for the file
  // named on the command line (a .txg file is loaded as a project, anything else read as a quest).
  void NewProjectFromFile(const QString& fileName);
  void LoadProjectFromFile(const QString& fileName);
  void OpenFile(const QString& fileName);
  // A file dropped on the window or chosen in Open Recent (FileDrop.cpp): asks about unsaved
  // changes first when the project would be replaced.
  void OpenDroppedFile(const QString& fileName);
  void OpenRecentFile(const QString& fileName);
  // The font of the window and its texts (the font command, the remembered font).
  void ApplyFont(const QFont& font);

  // Told the message the window shows after every move (0 for none).
  std::function<void(int32_t message)> OnMessageShown;

  // Reusing translations (ReuseWindow.cpp): the suggestions dock, the memory, the update.
  TSuggestionsPanel* Suggestions = nullptr;
  std::unique_ptr<TReuseSession> Reuse;
  TFileDialog UpdateSourceDialog;
  void UpdateSourceQuestClick();
  void MemoryFilesClick();
  void UnusedTranslationsClick();
  void InsertSuggestionClick(int index);  // 0-based: Ctrl+1 is 0

  // True when translations changed since the last new project, load or save: the undo stack is
  // away from its clean state, or a change that cannot be undone (relinking) was made.
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
  void CreateMenu();
  void CreateCheckMenus();  // WindowChecks.cpp
  void CreateMessageTools();
  void ConnectEvents();
  void SetCaptionFromFileName(const QString& fileName);
  void RememberSavedTranslations();
  void ForgetEdits();
  void MarkUnrecordedChange();
  void UpdateModifiedMarker();
  void StartTypingRun() { ++typingRun_; }
  // Shows the message, if it is not shown, for a step undone or redone in it.
  void ShowMessageOf(int32_t message);
  // The review mark, the note and the progress of the shown message (WindowEditing.cpp).
  void ShowMessageState(int32_t message);
  void SetNeedsReviewRecorded(int32_t message, bool on, const QString& label);
  // Records a change of the shown message's translation made by the target box's change event.
  void RecordTranslationChange(int32_t message, std::u16string before, std::u16string after);
  std::vector<std::u16string> CurrentTargetTexts() const;
  // Reads translations into the project with `load` and relinks, as one undo step (texts, review
  // marks, notes), recorded even when a later part fails; then shows what the load reported.
  void ImportRecorded(const QString& label, const std::function<void(TConversionReport&)>& load);
  // Before a file goes out: the "<Empty>" references are resolved, a change though not the user's.
  void RelinkForExport();
  // The file an export names its quest after: the project's file, or the quest a project not yet
  // saved was made from.
  QString ProjectOrQuestFileName() const;
  std::vector<TTextChange> ChangesSince(const std::vector<std::u16string>& before) const;
  // False when the user cancelled: the current translations must then be kept.
  bool MayDiscardChanges();
  void KeepShownMessageInView();
  int PositionToShow(int32_t message) const;

  void CreateReuse();
  // Fills the memory again from the project (new, load, update, attached files).
  void RebuildMemory();
  // The suggestions of the shown message, and the offer to propagate a translation just left.
  void ShowReuse();
  void PutFills(const std::vector<TFilledMessage>& fills, bool after);
  void InsertSuggestion(const std::u16string& translation);

  TWindowDialogs& dialogs_;
  QString questFileName_;  // the quest of the last new project or update
  bool offeringFill_ = false;
  // Changes that are not on the undo stack (relinking rewrote texts) since the last save or load.
  bool unrecordedChange_ = false;
  // Typing merges into one undo step while the run number stays the same.
  int typingRun_ = 1;
  // Above zero while a command records its own step: changes made through the target box's change
  // event are then part of that step.
  int recordingDepth_ = 0;
};

// The file name as the core libraries take it (the platform's 8-bit encoding of names).
std::string FileNameForLibrary(const QString& fileName);
