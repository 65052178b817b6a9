#pragma once
// The translator's main window, TForm1. It shows one message of the project at a time and turns
// every button press, track bar move and text box change into calls of the project, in the order
// the behaviour depends on. It keeps no translation logic of its own.
#include <QFont>
#include <QIcon>
#include <QLabel>
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

class TBlockParJD;
class TMessageChecks;
class TtxgProject;
class QMouseEvent;

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
};

struct TFontDialog {
  QFont Font;
};

enum class TSaveChangesAnswer { Save, Discard, Cancel };

// What an error says about where it happened: its file (empty when none), the byte a failed read
// began at (-1 when it was no read), and what more is known of the cause.
struct TErrorPlace {
  QString FileName;
  qint64 Offset = -1;
  QString Note;
};
TErrorPlace ErrorPlaceOf(const std::exception& error);
// The error box's text, one part a line: the file (with the byte for a failed read), the error,
// the note.
QString ErrorBoxText(const QString& text, const TErrorPlace& place);

// Every modal dialog and message box of the window goes through this interface, so tests can
// answer dialogs and read messages without a modal event loop.
class TWindowDialogs {
 public:
  virtual ~TWindowDialogs() = default;
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
};

// A read-only multi-line text box. It keeps the exact text it was given (line breaks included),
// since the target box's text is written back into the project, and raises OnChange only when the
// program sets a different text.
class TMemo : public QPlainTextEdit {
 public:
  explicit TMemo(QWidget* parent);
  const QString& Text() const { return text_; }
  void SetText(const QString& text);
  std::function<void()> OnChange;

 private:
  QString text_;
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

class TForm1 : public QWidget {
 public:
  // Builds the controls, then runs FormCreate; a missing catalogue or key raises its error.
  TForm1(TWindowDialogs& dialogs, const QStringList& catalogueCandidates = DefaultCatalogueCandidates(),
         QWidget* parent = nullptr);
  ~TForm1() override;

  // Controls, named as the rest of the program and the tests know them.
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
  QString CatalogueFileName;

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

  // The steps of New project and Load project after the file is known; also used for the file
  // named on the command line (a .txg file is loaded as a project, anything else read as a quest).
  void NewProjectFromFile(const QString& fileName);
  void LoadProjectFromFile(const QString& fileName);
  void OpenFile(const QString& fileName);

  // True when a target text differs from what it was at the last new project, load or save.
  bool HasUnsavedChanges() const;
  // Runs an event handler; an exception it raises is shown in the error box and stops there.
  void RunGuarded(const std::function<void()>& handler);
  // The catalogue value of a key as the controls show it.
  QString CatalogueText(const char16_t* key) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void ConnectEvents();
  void SetCaptionFromFileName(const QString& fileName);
  void RememberSavedTranslations();
  std::vector<std::u16string> CurrentTargetTexts() const;
  // False when the user cancelled: the current translations must then be kept.
  bool MayDiscardChanges();
  void KeepShownMessageInView();
  int PositionToShow(int32_t message) const;

  TWindowDialogs& dialogs_;
  std::vector<std::u16string> savedTargetTexts_;
};

// The file name as the core libraries take it (the platform's 8-bit encoding of names).
std::string FileNameForLibrary(const QString& fileName);
