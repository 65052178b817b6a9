#pragma once
// The window's file commands: the file dialogs and the questions around them (unsaved changes, the
// target language, the kept damaged copy, the import report), each command ending in one call of
// the translation session. The window wires its menu entries and tool bar buttons to these.
#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "formats/Formats.h"
#include "ui/JournalOffer.h"
#include "ui/WindowDialogs.h"

class QWidget;
class TConversionReport;
class TTranslationSession;

class TFileCommands {
  inline static const QString QuestFilter = QStringLiteral("Xengrav|*.xg");
  inline static const QString ProjectFilter = QStringLiteral("Translation of Xengrav|*.txg");
  // The formats' filters come from their registry.
  inline static const QString MessagesFilter = QString::fromStdString(DialogFilter(*FindFormat("exchange")));
  inline static const QString ToolsExportFilter = QString::fromStdString(ExportDialogFilter());
  inline static const QString ToolsImportFilter = QString::fromStdString(ImportDialogFilter());
  inline static const QString TmxFilter = QStringLiteral("Translation memory|*.tmx");

 public:
  // Dialogs and boxes open over `window`.
  TFileCommands(TTranslationSession& session, TWindowDialogs& dialogs, QWidget* window);

  TFileDialog SourceOpenDialog = MakeFileDialog("SourceOpenDialog", TFileDialog::Open, QuestFilter, "xg");
  TFileDialog ProjectOpenDialog = MakeFileDialog("ProjectOpenDialog", TFileDialog::Open, ProjectFilter, "txg");
  TFileDialog LoadMsgsOpenDialog = MakeFileDialog("LoadMsgsOpenDialog", TFileDialog::Open, MessagesFilter, "txt");
  TFileDialog SourceSaveDialog = MakeFileDialog("SourceSaveDialog", TFileDialog::Save, QuestFilter, "xg", true);
  TFileDialog TargetSaveDialog = MakeFileDialog("TargetSaveDialog", TFileDialog::Save, QuestFilter, "xg", true);
  TFileDialog ProjectSaveDialog = MakeFileDialog("ProjectSaveDialog", TFileDialog::Save, ProjectFilter, "txg");
  TFileDialog SaveMsgsSaveDialog = MakeFileDialog("SaveMsgsSaveDialog", TFileDialog::Save, MessagesFilter, "txt");
  TFileDialog ToolsExportDialog = MakeFileDialog("ToolsExportDialog", TFileDialog::Save, ToolsExportFilter, "po", true);
  TFileDialog ToolsImportDialog = MakeFileDialog("ToolsImportDialog", TFileDialog::Open, ToolsImportFilter, "po");
  TFileDialog TmxSaveDialog = MakeFileDialog("TmxSaveDialog", TFileDialog::Save, TmxFilter, "tmx", true);
  // The dialogs above, for their titles and the folders remembered between runs.
  std::vector<TFileDialog*> Dialogs();

  // Called before a project is opened or made, and with every file opened or saved (Open Recent).
  std::function<void()> BeforeProjectReplaced;
  std::function<void(const QString& fileName)> FileUsed;
  // Called with the id of the report entry the user picked.
  std::function<void(const std::u16string& id)> ShowReportedMessage;
  // Opens a folder as the workspace (a folder dropped or named at start-up).
  std::function<void(const QString& folder)> OpenFolder;

  // False when the user cancelled: the current translations must then be kept.
  bool MayDiscardChanges();

  void NewProject();
  void OpenProject();
  // The steps of New and Open after the file is known (the command line, a drop, Open Recent).
  void NewProjectFromFile(const QString& fileName);
  void LoadProjectFromFile(const QString& fileName);
  // At start-up: the unsaved changes of projects never saved that a session left behind, offered.
  void OfferNeverSavedJournals();
  // A .txg file is loaded as a project, anything else read as a quest.
  void OpenFile(const QString& fileName);
  // A file dropped on the window or chosen in Open Recent: asks about unsaved changes first when
  // the project would be replaced; a folder opens the workspace and keeps the project.
  void OpenDroppedFile(const QString& fileName);
  void OpenRecentFile(const QString& fileName);

  void Save();  // to the project's file when it has one, otherwise under a new name
  void SaveAs();
  void QuickSave();
  void ExportSource();
  void ExportTranslated();
  void WriteMessages();
  void LoadMessages();
  void LoadMessagesFromFile(const QString& fileName);
  // Files for translation tools: PO or XLIFF, told apart by the extension. The export asks for the
  // target language once and keeps it in the project's settings.
  void ExportForTools();
  void ExportForTools(const QString& fileName);
  void ImportFromTools();
  void ImportFromTools(const QString& fileName);
  // The project's translations as a TMX file, for the target language asked as for the tools.
  void ExportTmx();

 private:
  QString Text(const char16_t* key) const;
  // A save dialog run with the quest's name proposed, unless a name was chosen for this project.
  bool ExecuteSaveDialog(TFileDialog& dialog);
  // A new project forgets the names chosen for the last one; their folders stay proposed.
  void ForgetChosenNames();
  // False when the user cancelled the question for the target language.
  bool EnsureTargetLanguage();
  void TellDamagedCopyKept();
  void ShowReport(const TConversionReport& report);

  TTranslationSession& session_;
  TWindowDialogs& dialogs_;
  QWidget* window_;
  TJournalOffer journalOffer_;
};
